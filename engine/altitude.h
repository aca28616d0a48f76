// Atmospheric pressure from altitude and back, by linear interpolation in a
// table of the standard atmosphere (-500..10000 m), extended linearly beyond
// both ends.
#pragma once

#include <string>

namespace tarvelo {

// The atmosphere the moist-air relations are used in here: from below the
// Dead Sea to high mountains, with room for the weather. Outside it the
// chart and the calculations lose their meaning (and a chart's number of
// volume lines grows without bound as the pressure falls).
inline constexpr double PatmMinima = 25000.0, PatmMassima = 115000.0; // Pa
inline constexpr double QuotaMinima = -500.0, QuotaMassima = 10000.0; // m, the table's span

// An Italian message when the value is outside its span (or not a number),
// empty otherwise.
std::string verificaPressione(double pascal);
std::string verificaQuota(double metres);

double pressureFromAltitude(double metres); // Pa
double altitudeFromPressure(double pascal); // m

} // namespace tarvelo
