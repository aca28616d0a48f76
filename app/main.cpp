#include "app/cli/command_line.h"
#include "app/forms/avvio.h"
#include "ui/qt_chart_services.h"
#include "ui/qt_print_services.h"

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// Off-screen Qt says where it would keep runtime files; that is no news to
// someone running a command.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith("QStandardPaths:"))
        return;
    std::cerr << message.toStdString() << "\n";
}

bool isSubCommand(const std::vector<std::string>& args, const char* name) {
    for (const std::string& a : args) {
        if (a == name)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    tarvelo::cli::CommandLineContext context;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        context.exeFolder = exe.parent_path().string();

    // Sub-commands need no display: fonts and pictures come from the
    // off-screen platform. The moist-air commands need no Qt at all.
    std::unique_ptr<QGuiApplication> gui;
    std::unique_ptr<tarvelo::ui::QtChartServices> services;
    std::unique_ptr<tarvelo::ui::QtPrintServices> print;
    if (isSubCommand(args, "chart") || isSubCommand(args, "lavoro") ||
        isSubCommand(args, "ricalcola") || isSubCommand(args, "impianto") ||
        isSubCommand(args, "stampa")) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler(quietMessages);
        static int qtArgc = 1;
        static char* qtArgv[] = {argv[0], nullptr};
        gui = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
        services = std::make_unique<tarvelo::ui::QtChartServices>();
        context.chart = services.get();
        print = std::make_unique<tarvelo::ui::QtPrintServices>();
        context.print = print.get();
    }

    tarvelo::cli::AvvioGrafico avvio;
    const int code =
        tarvelo::cli::runCommandLine(args, context, std::cin, std::cout, std::cerr, &avvio);
    if (code >= 0)
        return code;
    print.reset();
    services.reset();
    gui.reset();
    qInstallMessageHandler(quietMessages);
    int qtArgc = 1;
    return tarvelo::avviaProgramma(qtArgc, argv, avvio, context.exeFolder);
}
