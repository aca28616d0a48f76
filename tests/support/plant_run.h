// A plant configuration's sample with some inputs changed, calculated on a
// chart at `pressione` (the trace kept in memory); the thread's Patm is left
// as it was.
#pragma once

#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"

#include <functional>

namespace tarvelo::test {

inline TLavoro corsaImpianto(int tipo, const std::function<void(TLavoro&)>& dati = {},
                             double pressione = PatmStandard) {
    TLavoro l;
    l.TestataChart.tbsMin = -10;
    l.TestataChart.tbsMax = 45;
    l.TestataChart.xMax = 30;
    l.TestataChart.pressure = pressione;
    preparaImpianto(tipo, l, TDefault{});
    if (dati)
        dati(l);
    const double prima = Patm;
    Patm = pressione;
    TracciaDettagli t;
    CalcolaImpianto(l, t);
    Patm = prima;
    return l;
}

} // namespace tarvelo::test
