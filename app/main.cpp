#include "app/cli/command_line.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    tarvelo::cli::CommandLineContext context;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        context.exeFolder = exe.parent_path().string();
    const int code = tarvelo::cli::runCommandLine(args, context, std::cin, std::cout, std::cerr);
    if (code >= 0)
        return code;
    // The desktop program comes with the user interface; until then the
    // executable explains itself.
    std::cout << "L'interfaccia grafica non è ancora disponibile in questa versione: "
                 "si usano i comandi.\n\n"
              << tarvelo::cli::generalHelp();
    return 0;
}
