#include "treatments/coil_solver.h"

#include "engine/moist_air.h"
#include "engine/numeric.h"
#include "engine/state_solver.h"
#include "treatments/point_fill.h"

#include <cmath>

namespace tarvelo {

double xSaturo(double t) {
    return XdaPv(PressSat(t), Patm);
}

bool segmentoAsciutto(double tts, double t2, double pendenza) {
    // The cap only matters for absurd inputs: 100 000 chords are 20 000 K.
    int passi = 0;
    for (double l = tts; l <= t2 && passi < 100000; l += 0.2, ++passi)
        if (!((xSaturo(l + 0.2) - xSaturo(l)) / 0.2 > pendenza))
            return false;
    return true;
}

namespace {

// The searches along the saturation curve are bounded in steps: 1000
// chords of 5 K, or 100 000 refining steps of 0.05 K, are 5000 K, where a
// search over the engine's range takes a few dozen. A search that runs out
// of steps has not met the curve.
constexpr int MaxCorde = 1000;
constexpr int MaxPassiAffinamento = 100000;

// The slope dx/dt of the process line through point 1 from S/T, by the
// construction 1 kJ/kg deep. False when the construction collapses onto
// point 1's temperature (S = 0).
bool pendenza(Batteria& b, double& u) {
    b.STcoil = b.S / b.T;
    puntoDaTbsH(*b.aux1, b.tbs1, b.h1 - (1.0 - b.STcoil) * 1000.0);
    const double xa = b.aux1->x;
    const double tb = TbsdaXH(xa, b.h1 - 1000.0);
    if (b.tbs1 - tb == 0.0)
        return false;
    u = (b.x1 - xa) / (b.tbs1 - tb);
    return true;
}

void tsSullaLinea(Batteria& b, double t, double x) {
    puntoDaTbsX(*b.puntoTs, t, x);
}

// The search for the coil surface point: where the process line meets the
// saturation curve, walking down the curve with 5 K chords, two passes.
// Returns 1 when found (ts and xc set), else 203, 310 or 311 (310 also when
// a pass runs out of chords). Both passes run, unless `soloVerifica`: then
// a pass that fails ends the search. `ts` comes in with the solver's ts and
// keeps the last intersection computed.
int cercaTs(const Batteria& b, double u, double tbs2, double& ts, double& xc,
            bool soloVerifica = false) {
    int codice = 0;
    for (int g = 0; g <= 1; ++g) {
        double hi = tbs2 + 3 * g;
        double lo = static_cast<double>(Decimo(tbs2)) - 5 + 3 * g;
        codice = 0;
        for (int corde = 0;; ++corde) {
            if (corde == MaxCorde) {
                codice = 310;
                break;
            }
            const double xhi = xSaturo(hi);
            const double K = (xhi - xSaturo(lo)) / (hi - lo);
            if (!(K > u)) {
                codice = 310;
                break;
            }
            ts = (xhi - b.x1 + b.tbs1 * u - hi * K) / (u - K);
            xc = (ts - hi) * K + xhi;
            if (ts >= lo) {
                codice = 1;
                break;
            }
            if (xc < 0) {
                codice = 310;
                break;
            }
            if (lo <= -20) {
                codice = 203;
                break;
            }
            hi = lo;
            lo -= 5;
        }
        if (ts > tbs2)
            codice = 311;
        if (soloVerifica && codice != 1)
            return codice;
    }
    return codice;
}

// The search and what follows it: the "ts" point on the curve and the
// contact factor, or the "ts" point on the chart's left edge.
int chiudiConTs(Batteria& b, double u) {
    const double tbs2 = b.punto2->tbs;
    const double x2 = b.punto2->x;
    double ts = b.ts, xc = 0;
    int codice = cercaTs(b, u, tbs2, ts, xc);
    // Found: ts is refined upwards onto the curve.
    for (int passo = 0; codice == 1 && xc - xSaturo(ts) > 0.0001; ++passo) {
        if (passo == MaxPassiAffinamento) {
            codice = 310;
            break;
        }
        ts += 0.05;
        xc = x2 + (ts - tbs2) * u;
    }
    if (codice != 1) {
        b.ts = ts;
        const double t = b.tbsMinChart;
        tsSullaLinea(b, t, b.x1 + (t - b.tbs1) * u);
        b.puntoTs->Nome.assegna("");
        b.puntoTs->EtichDx = 0;
        b.puntoTs->EtichDyStampa = -25;
        b.puntoTs->EtichDyVideo = -25;
        b.puntoTs->Marcato = 0;
        b.puntoTs->InUso = 1;
        return codice;
    }
    puntoSaturo(*b.puntoTs, ts, "ts");
    b.puntoTs->InUso = 1;
    b.ts = ts;
    if (b.tbs1 - ts == 0.0)
        return CodiceTsUgualeT1;
    b.fsDato = (b.tbs1 - tbs2) / (b.tbs1 - ts);
    return 0;
}

// The closing steps of modes 0 and 6.
int chiudi06(Batteria& b, double u) {
    puntoDaTbsX(*b.aux1, b.tbs1, b.punto2->x);
    if (b.h1 - b.punto2->h == 0.0)
        return 302;
    b.qimm = b.T * 1000.0 / (b.h1 - b.punto2->h);
    return b.tipo == 2 ? chiudiConTs(b, u) : 0;
}

} // namespace

int CalcBatteria(Batteria& b) {
    double u = 0;
    switch (b.modo) {
    case modo::Tbs2ST: {
        if (!(b.T > 0))
            return 304;
        if (!pendenza(b, u))
            return 307;
        const double tbs2 = b.punto2->tbs;
        if (b.STcoil < 0.3) {
            b.t0 = b.tbs1 - b.x1 / u;
            if (b.t0 >= tbs2) {
                tsSullaLinea(b, b.t0, 0.0);
                return 305;
            }
        }
        puntoDaTbsX(*b.punto2, tbs2, b.x1 + (tbs2 - b.tbs1) * u);
        return chiudi06(b, u);
    }
    case modo::X2ST: {
        if (b.S == b.T)
            return 309;
        if (!(b.T > 0))
            return 304;
        if (!pendenza(b, u))
            return 307;
        const double x2 = b.punto2->x;
        if (u == 0.0)
            return 309;
        puntoDaTbsX(*b.punto2, b.tbs1 + (x2 - b.x1) / u, x2);
        return chiudi06(b, u);
    }
    case modo::QimmST: {
        if (!(b.qimm > 0))
            return 306;
        const double h2 = b.h1 - b.T * 1000.0 / b.qimm;
        if (!(b.T > 0))
            return 304;
        b.STcoil = b.S / b.T;
        if (b.S == 0)
            return 307;
        if (b.STcoil < 0.3) {
            if (!pendenza(b, u))
                return 307;
            b.t0 = b.tbs1 - b.x1 / u;
            double ur, h00, tbu, tdp, rd, rm;
            StatoTbsX(b.t0, 0.0, ur, h00, tbu, tdp, rd, rm);
            if (h00 > h2) {
                tsSullaLinea(b, b.t0, 0.0);
                return 308;
            }
        }
        const double h0 = h2 + (b.h1 - h2) * b.STcoil;
        puntoDaTbsH(*b.aux1, b.tbs1, h0);
        puntoDaXH(*b.punto2, b.aux1->x, h2);
        if (b.tbs1 - b.punto2->tbs == 0.0)
            return 302;
        u = (b.x1 - b.punto2->x) / (b.tbs1 - b.punto2->tbs);
        return b.tipo == 2 ? chiudiConTs(b, u) : 0;
    }
    case modo::QimmTsFs: {
        puntoSaturo(*b.puntoTs, b.ts, "ts");
        if (b.tbs1 - b.ts == 0.0)
            return CodiceTsUgualeT1;
        const double tbs2 = b.tbs1 - (b.tbs1 - b.ts) * b.fsDato;
        u = (b.x1 - b.puntoTs->x) / (b.tbs1 - b.ts);
        puntoDaTbsX(*b.punto2, tbs2, b.x1 + (tbs2 - b.tbs1) * u);
        puntoDaTbsX(*b.aux1, b.tbs1, b.punto2->x);
        b.T = (b.h1 - b.punto2->h) * b.qimm / 1000.0;
        b.S = (b.aux1->h - b.punto2->h) * b.qimm / 1000.0;
        if (!segmentoAsciutto(b.ts, b.punto2->tbs, u))
            return 4000;
        // The search only checks: its results are not kept.
        double ts = b.ts, xc = 0;
        const int codice = cercaTs(b, u, b.punto2->tbs, ts, xc, true);
        return codice == 1 ? 0 : codice;
    }
    case modo::Pto2Qimm: {
        puntoDaTbsX(*b.aux1, b.tbs1, b.punto2->x);
        b.T = (b.h1 - b.punto2->h) * b.qimm / 1000.0;
        b.S = (b.aux1->h - b.punto2->h) * b.qimm / 1000.0;
        if (b.tipo != 2)
            return 0;
        // A coil line at constant temperature has no finite slope.
        if (b.tbs1 - b.punto2->tbs == 0.0)
            return 302;
        u = (b.x1 - b.punto2->x) / (b.tbs1 - b.punto2->tbs);
        return chiudiConTs(b, u);
    }
    case modo::Tbs2QimmL: {
        if (!(b.qimm > 0))
            return 306;
        puntoDaTbsX(*b.punto2, b.punto2->tbs, b.x1 - b.L / (b.qimm * 1000.0 * 2.555));
        return 0;
    }
    case modo::QimmSL: {
        if (!(b.qimm > 0))
            return 306;
        const double h2 = b.h1 + (b.S + b.L) * 1000.0 / b.qimm;
        puntoDaXH(*b.punto2, b.x1 - std::fabs(b.L) / (b.qimm * 1000.0 * 2.555), h2);
        return 0;
    }
    default:
        return 0;
    }
}

} // namespace tarvelo
