// `tarvelo stampa FILE.TRV`: the drawing sheet of a work as a PDF, a PNG or
// on a printer, composed without a display.
#pragma once

#include "chart/chart_services.h"
#include "print/print_services.h"

#include <iosfwd>
#include <span>
#include <string>

namespace tarvelo::cli {

int runStampa(std::span<const std::string> args, const std::string& dataFolder,
              ChartServices* chart, PrintServices* print, std::ostream& out, std::ostream& err);

const char* stampaHelp();

} // namespace tarvelo::cli
