// Text forms of one air state: the calculator's table and a JSON object.
#pragma once

#include "engine/air_state.h"

#include <optional>
#include <string>

namespace tarvelo::cli {

// The eleven quantities of the calculator in display units and formats.
std::string statoTable(const StatoAria& s, std::optional<double> quota);
// Keys are the point record's field names plus Pv, Psat and Patm, in the
// record's units, at full double precision.
std::string statoJson(const StatoAria& s);

} // namespace tarvelo::cli
