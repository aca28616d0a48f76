// The headless entry point of the `tarvelo` executable: sub-commands that
// need no display, print to the given streams and return the exit code.
#pragma once

#include "chart/chart_services.h"
#include "print/print_services.h"

#include <iosfwd>
#include <span>
#include <string>

namespace tarvelo::cli {

// Where the command line finds its data: the folder named with --dati, else
// the folder of the executable or the user's data folder.
struct CommandLineContext {
    std::string exeFolder;
    ChartServices* chart = nullptr; // drawing and measuring, when available
    PrintServices* print = nullptr; // the drawing sheet, when available
};

// How the desktop program is to start, when no sub-command is given:
// `tarvelo [--dati DIR] [--senza-splash] [--esci-dopo-disegno] [FILE.TRV]`.
struct AvvioGrafico {
    std::string dati; // --dati, empty when not given
    std::string file; // a work to open as "Apri" would
    bool senzaSplash = false;
    bool esciDopoDisegno = false; // start, paint the diagram once and exit
};

// args excludes the program name. Returns -1 when there is no sub-command
// (the caller then starts the desktop program as `avvio` says).
int runCommandLine(std::span<const std::string> args, const CommandLineContext& context,
                   std::istream& in, std::ostream& out, std::ostream& err,
                   AvvioGrafico* avvio = nullptr);

const char* generalHelp();

} // namespace tarvelo::cli
