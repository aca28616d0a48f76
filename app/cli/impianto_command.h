// `tarvelo impianto A..F`: a plant configuration from its sample data and
// the fields set on the command line, calculated and shown.
#pragma once

#include "chart/chart_services.h"

#include <iosfwd>
#include <span>
#include <string>

namespace tarvelo::cli {

int runImpianto(std::span<const std::string> args, const std::string& dataFolder,
                ChartServices* chart, std::ostream& out, std::ostream& err);
// The same, with the standard input a CSV batch may read ("--csv -").
int runImpianto(std::span<const std::string> args, const std::string& dataFolder,
                ChartServices* chart, std::istream& in, std::ostream& out, std::ostream& err);

const char* impiantoHelp();

} // namespace tarvelo::cli
