// The cooling-coil and room-load-line solver: from the inlet point and,
// by input mode, the outlet temperature or humidity, the flow, the powers,
// or the coil surface temperature and contact factor, it finds the outlet
// point, the missing powers or flow and, for a coil, the coil surface
// point "ts" and the contact factor.
#pragma once

#include "document/work_records.h"

namespace tarvelo {

// Solver modes.
namespace modo {
inline constexpr int Tbs2ST = 0;    // point 1, tbs2, S, T
inline constexpr int QimmST = 1;    // point 1, qimm, S, T
inline constexpr int QimmTsFs = 2;  // point 1, qimm, ts, fs (coil)
inline constexpr int Pto2Qimm = 3;  // points 1 and 2, qimm
inline constexpr int Tbs2QimmL = 4; // union: tbs2, qimm, L
inline constexpr int QimmSL = 5;    // union: qimm, S, L
inline constexpr int X2ST = 6;      // union: x2, S, T
} // namespace modo

// Codes of zero divisors the classic solver left unguarded.
inline constexpr int CodiceTsUgualeT1 = 312;

struct Batteria {
    int tipo = 2; // 2 coil, 5 union
    int modo = 0;
    double x1 = 0, h1 = 0, tbs1 = 0;
    int tbsMinChart = -5; // the chart's lowest dry bulb, for "ts" off the curve
    // in/out
    TPunto* punto2 = nullptr;
    TPunto* puntoTs = nullptr;
    TPunto* aux1 = nullptr;
    double t0 = 0, qimm = 0, STcoil = 0, fsDato = 0, ts = 0, L = 0, T = 0, S = 0;
};

// Returns 0 or the message code (203, 302, 304..311, 312, 4000).
int CalcBatteria(Batteria& b);

// Humidity ratio of saturated air at t, at the current pressure.
double xSaturo(double t);

// Whether a coil line of slope `pendenza` (kg/kg per K) from the surface
// point at tts up to t2 stays on the dry side of the saturation curve: every
// 0.2 K chord of the curve between them is steeper than the line.
bool segmentoAsciutto(double tts, double t2, double pendenza);

} // namespace tarvelo
