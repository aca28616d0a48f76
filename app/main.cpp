#include "app/cli/command_line.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code = tarvelo::cli::runCommandLine(args, std::cin, std::cout, std::cerr);
    if (code >= 0)
        return code;
    // The desktop program comes with the user interface; until then the
    // executable explains itself.
    std::cout << "L'interfaccia grafica non è ancora disponibile in questa versione: "
                 "si usano i comandi.\n\n"
              << tarvelo::cli::generalHelp();
    return 0;
}
