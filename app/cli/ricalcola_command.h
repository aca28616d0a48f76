// `tarvelo ricalcola FILE`: opens a work, calculates it, writes the log and
// prints the work.
#pragma once

#include "chart/chart_services.h"

#include <iosfwd>
#include <span>
#include <string>

namespace tarvelo::cli {

int runRicalcola(std::span<const std::string> args, const std::string& dataFolder,
                 ChartServices* chart, std::ostream& out, std::ostream& err);

const char* ricalcolaHelp();

} // namespace tarvelo::cli
