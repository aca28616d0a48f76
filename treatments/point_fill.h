// Completing a point from a pair of properties: its air-state fields from
// the matching state procedure, UR stored in %, v = 1/rhoSecca when
// rhoSecca is not zero (otherwise v keeps its value).
#pragma once

#include "document/work_records.h"

namespace tarvelo {

void puntoDaTbsUR(TPunto& p, double tbs, double URfrazione);
void puntoDaTbsX(TPunto& p, double tbs, double x);
void puntoDaTbsH(TPunto& p, double tbs, double h);
// tbs = TbsdaXH(x, h) first, then StatoTbsH (which recomputes x).
void puntoDaXH(TPunto& p, double x, double h);
// The saturated point at ts ("ts" of a coil): x, h and v from XHVdaTbsUR.
void puntoSaturo(TPunto& p, double ts, const char* nome);

// Label offsets: EtichDx = 0, then -1 above, -2 below; other values leave
// the vertical offsets as they are.
void PosEtichetta(int posizione, TPunto& p);

} // namespace tarvelo
