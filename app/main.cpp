#include "app/cli/command_line.h"
#include "app/forms/avvio.h"
#include "app/qt_on_demand.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    tarvelo::cli::CommandLineContext context;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        context.exeFolder = exe.parent_path().string();

    // A sub-command starts Qt only when it first measures, draws or prints.
    std::optional<tarvelo::QtSuRichiesta> qt(std::in_place, argv[0]);
    context.chart = &qt->chart();
    context.print = &qt->print();

    tarvelo::cli::AvvioGrafico avvio;
    const int code =
        tarvelo::cli::runCommandLine(args, context, std::cin, std::cout, std::cerr, &avvio);
    if (code >= 0)
        return code;
    qt.reset();
    tarvelo::messaggiQtSilenziosi();
    int qtArgc = 1;
    return tarvelo::avviaProgramma(qtArgc, argv, avvio, context.exeFolder);
}
