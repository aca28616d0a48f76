// What to change in a plant scheme that cannot be computed. For each design
// choice the scheme reads (room and supply conditions, flows, the coil's
// surface temperature, the humidity of D, the humidifier's water), the
// smallest change of that input alone that makes the scheme compute. The
// climate and the building (outdoor conditions, room loads, zone volume)
// are data, not choices, and are never offered.
#pragma once

#include "document/work_records.h"

#include <string>
#include <vector>

namespace tarvelo {

struct Suggerimento {
    std::string campo;     // the field, as `impianto --set` names it
    double valore = 0;     // its new value as stored (°C, %, kg/s)
    std::string messaggio; // Italian, decimal comma: the value as shown and what it gives
};

// Up to `massimo` suggestions for a work whose plant run failed
// (CodiceErrore != 0), the smallest relative change first; each value is
// rounded to its field's displayed precision and computes with code 0.
// Empty for a work that computed, for no configuration in use, and when no
// single change within the fields' design ranges helps. Works on copies of
// `fallito`; while it runs, Patm is the work's chart pressure (standard
// when the work names none), and is put back after.
std::vector<Suggerimento> suggerimenti(const TLavoro& fallito, int massimo = 3);

} // namespace tarvelo
