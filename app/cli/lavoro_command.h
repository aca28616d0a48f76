// `tarvelo lavoro FILE [--json] [--salva OUT]`: reads a work file as "Apri"
// does (older layouts converted) and prints it, or writes it back as "Salva"
// would. With `--da-json IN` the work comes from its JSON form instead.
#pragma once

#include "chart/chart_services.h"

#include <iosfwd>
#include <span>
#include <string>

namespace tarvelo::cli {

// `dataFolder` is the folder of the folder file TARVEX.INI.
// With `chart` services a data folder without charts gets its first one.
// `in` is read for "--da-json -".
int runLavoro(std::span<const std::string> args, const std::string& dataFolder,
              ChartServices* chart, std::istream& in, std::ostream& out, std::ostream& err);

const char* lavoroHelp();

} // namespace tarvelo::cli
