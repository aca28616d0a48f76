#include "engine/state_solver.h"

#include "engine/moist_air.h"
#include "engine/root_finder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tarvelo {

namespace {

constexpr double Epsilon = 0.62198;

// The wet-bulb solver needs the boiling point at the current pressure at
// every call. It is a pure function of Patm, so the last one is remembered.
struct BoilingCache {
    double p = -1.0;
    double tb = 0.0;
};

double boilingPoint(double p) {
    thread_local BoilingCache cache;
    if (cache.p != p) {
        cache.tb = TempSat(p);
        cache.p = p;
    }
    return cache.tb;
}

// The root finder's convergence test on the step, made before the residual
// is computed: when it holds, CercaZero would return x whatever f is, so the
// saturation pressure at x need not be evaluated at all.
bool stepConverged(const StoriaZero& s, int k, double x) {
    return k != 1 && std::fabs(x - s.X1) < 1e-5 * std::fmax(1e-9, std::fabs(x));
}

// XdaTbsTbu with the saturation pressure at tbu already known.
double xDaTbsTbuPs(double t, double tbu, double psTbu) {
    const double xs = XdaPv(psTbu, Patm);
    return (((CpVap - CAcqua) * tbu + R0) * xs - (t - tbu) * CpAria) /
           (CpVap * t + R0 - CAcqua * tbu);
}

// Vapour pressures in the band between the ice relation just below 0 °C and
// the water relation at 0 °C belong to no temperature: the relations do not
// join. The solvers cannot converge there, and their sentinel 0.0 is then
// the true answer.
bool inIceWaterGap(double p) {
    static const double iceLimit = PressSat(-1e-9);
    static const double water = PressSat(0.0);
    return p >= iceLimit && p <= water;
}

// Wet bulb of air (x, t); psT is PressSat(t), which every state procedure
// has already computed and which the first step usually needs.
SolveResult wetBulb(double x, double t, double psT) {
    const double tb = boilingPoint(Patm);
    double tw = std::max(0.0, std::min({100.0, t, tb - 0.1}));
    StoriaZero storia;
    for (int k = 1; k <= 20; ++k) {
        // Keep the guess below boiling, where the wet-bulb relation holds.
        if (tw >= tb - 0.09)
            tw = tb - 0.1;
        if (stepConverged(storia, k, tw))
            return {tw > t ? t : tw, true};
        const double ps = tw == t ? psT : PressSat(tw);
        const double f = x - xDaTbsTbuPs(t, tw, ps);
        const PassoZero passo = CercaZero(storia, static_cast<std::uint8_t>(k), f, tw);
        if (passo.convergito)
            return {tw > t ? t : tw, true};
        tw = passo.x;
    }
    const bool atGap = t >= 0.0 && x >= XdaTbsTbu(t, -1e-9) && x <= XdaTbsTbu(t, 0.0);
    return {NonConvergente, atGap};
}

double dewPoint(double x) {
    if (x < 1e-9)
        return NessunaRugiada;
    return TempSat(Patm * x / (x + Epsilon));
}

} // namespace

SolveResult tempSatChecked(double p) {
    // The loop always starts at 100 °C and perturbs to 100.01 °C, so the
    // first two saturation pressures are fixed.
    static const double ps1 = PressSat(100.0);
    static const double ps2 = PressSat(100.0 * 1.0001);
    StoriaZero storia;
    double t = 100.0;
    for (int k = 1; k <= 50; ++k) {
        if (stepConverged(storia, k, t))
            return {t, true};
        const double ps = k == 1 ? ps1 : (k == 2 ? ps2 : PressSat(t));
        const PassoZero passo = CercaZero(storia, static_cast<std::uint8_t>(k), p - ps, t);
        if (passo.convergito)
            return {t, true};
        t = passo.x;
    }
    return {NonConvergente, inIceWaterGap(p)};
}

double TempSat(double p) { return tempSatChecked(p).value; }

double TdpdaX(double x) { return dewPoint(x); }

double XdaTbsTbu(double t, double tbu) { return xDaTbsTbuPs(t, tbu, PressSat(tbu)); }

SolveResult tbuDaTbsXChecked(double x, double t) { return wetBulb(x, t, PressSat(t)); }

double TbudaTbsX(double x, double t) { return wetBulb(x, t, PressSat(t)).value; }

void StatoTbsUR(double t, double UR, double& x, double& h, double& tbu, double& tdp, double& rd,
                double& rm) {
    const double ps = PressSat(t);
    x = XdaPv(UR * ps, Patm);
    h = HdaTbsX(t, x);
    tbu = wetBulb(x, t, ps).value;
    tdp = dewPoint(x);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void StatoTbsTbu(double t, double tbu, double& x, double& UR, double& h, double& tdp, double& rd,
                 double& rm) {
    const double ps = PressSat(t);
    x = XdaTbsTbu(t, tbu);
    UR = URdaX(x, ps, Patm);
    h = HdaTbsX(t, x);
    tdp = dewPoint(x);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void StatoTbsX(double t, double x, double& UR, double& h, double& tbu, double& tdp, double& rd,
               double& rm) {
    const double ps = PressSat(t);
    UR = URdaX(x, ps, Patm);
    h = HdaTbsX(t, x);
    tbu = wetBulb(x, t, ps).value;
    tdp = dewPoint(x);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void StatoTbsH(double t, double h, double& x, double& UR, double& tbu, double& tdp, double& rd,
               double& rm) {
    const double ps = PressSat(t);
    x = XdaTbsH(t, h);
    UR = URdaX(x, ps, Patm);
    tbu = wetBulb(x, t, ps).value;
    tdp = dewPoint(x);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void XHVdaTbsUR(double t, double UR, double& x, double& h, double& vd) {
    const double ps = PressSat(t);
    x = XdaPv(UR * ps, Patm);
    h = HdaTbsX(t, x);
    const double rd = RhoSecca(x, t);
    if (rd != 0.0)
        vd = 1.0 / rd;
}

double TbsdaXUR(double x, double UR) { return TempSat((Patm * x / (x + Epsilon)) / UR); }

} // namespace tarvelo
