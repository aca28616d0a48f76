// Options of `tarvelo stato`, parsed and checked before anything is computed.
#pragma once

#include "engine/air_state.h"

#include <optional>
#include <span>
#include <string>

namespace tarvelo::cli {

struct StatoOptions {
    bool help = false;
    bool json = false;
    std::optional<CoppiaNota> coppia;
    double a = 0, b = 0;         // pair values in stored-point units
    double patm = 101325.0;      // Pa
    std::optional<double> quota; // m, when the pressure came from an altitude
    std::optional<std::string> csv;
    std::optional<std::string> out;
    int thread = 0; // --csv: threads, 0 for every core
};

struct ParsedStato {
    StatoOptions options;
    std::string errore; // empty when the options are usable
};

ParsedStato parseStatoOptions(std::span<const std::string> args);

// The help text of the sub-command (UTF-8).
const char* statoHelp();

} // namespace tarvelo::cli
