// `tarvelo chart genera | elenco | esporta`: charts of the catalogue.
#pragma once

#include "chart/chart_services.h"

#include <iosfwd>
#include <span>
#include <string>

namespace tarvelo::cli {

int runChart(std::span<const std::string> args, const std::string& dataFolder,
             ChartServices* services, std::ostream& out, std::ostream& err);

const char* chartHelp();

} // namespace tarvelo::cli
