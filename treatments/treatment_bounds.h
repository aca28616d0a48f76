// The inputs of a treatment against the range in which the moist-air
// relations hold, checked before anything is computed: a value outside it
// would send the searches along the saturation curve far out of the chart
// (from 1e9 °C down in 5 K chords) or fill the work with infinities.
#pragma once

#include "document/work_records.h"

#include <string>

namespace tarvelo {

// Errore of a treatment refused for an input out of range.
inline constexpr int CodiceFuoriCampo = 313;

// Temperatures: the range of the saturation relations (TemperaturaMinima,
// TemperaturaMassima of the engine). Relative humidity: from 0 up to a
// vapour pressure equal to the total pressure (air above saturation is a
// result the calculation reports, not a refused input). Humidity ratios:
// from 0 to 1 kg/kg, beyond any chart. Flows and powers: the limit a work
// file is read with (1e9), which keeps every product and quotient of the
// calculations far from overflow.
inline constexpr double UmiditaMassima = 1000.0; // g/kg
inline constexpr double PortataMassima = 1.0e9;  // kg/s
inline constexpr double PotenzaMassima = 1.0e9;  // kW

// Empty when every input the treatment's kind and mode use is inside its
// range; otherwise the first one out, named with its value and its range
// ("tbs2 = 1000000000.00 °C (da -100 a 200 °C)"). Reads the engine's Patm.
std::string verificaDati(const TTrattamento& t);

// Empty when a point a treatment computed is a state the relations hold
// for: tbs and x within the ranges above, and every value one a work file
// is opened with (valoreNonValido; with `soloNumeri` only this: the coil's
// "ts" placed on the chart's edge when the curve is not met). Otherwise
// the first value out, with the point's number ("punto 2: tbs = -381.78 °C
// (da -100 a 200 °C)"). Inputs each inside its range can still give such
// an outlet: a union's sensible load far beyond its flow.
std::string verificaPunto(int numero, const TPunto& p, bool soloNumeri = false);

} // namespace tarvelo
