#include "engine/state_solver.h"

#include "engine/moist_air.h"
#include "engine/root_finder.h"

#include <algorithm>
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

} // namespace

SolveResult tempSatChecked(double p) {
    StoriaZero storia;
    double t = 100.0;
    for (int k = 1; k <= 50; ++k) {
        const double f = p - PressSat(t);
        const PassoZero passo = CercaZero(storia, static_cast<std::uint8_t>(k), f, t);
        if (passo.convergito)
            return {t, true};
        t = passo.x;
    }
    return {NonConvergente, false};
}

double TempSat(double p) { return tempSatChecked(p).value; }

double TdpdaX(double x) {
    if (x < 1e-9)
        return NessunaRugiada;
    return TempSat(Patm * x / (x + Epsilon));
}

double XdaTbsTbu(double t, double tbu) {
    const double xs = XdaPv(PressSat(tbu), Patm);
    return (((CpVap - CAcqua) * tbu + R0) * xs - (t - tbu) * CpAria) /
           (CpVap * t + R0 - CAcqua * tbu);
}

SolveResult tbuDaTbsXChecked(double x, double t) {
    const double tb = boilingPoint(Patm);
    double tw = std::max(0.0, std::min({100.0, t, tb - 0.1}));
    StoriaZero storia;
    for (int k = 1; k <= 20; ++k) {
        // Keep the guess below boiling, where the wet-bulb relation holds.
        if (tw >= tb - 0.09)
            tw = tb - 0.1;
        const double f = x - XdaTbsTbu(t, tw);
        const PassoZero passo = CercaZero(storia, static_cast<std::uint8_t>(k), f, tw);
        if (passo.convergito)
            return {tw > t ? t : tw, true};
        tw = passo.x;
    }
    return {NonConvergente, false};
}

double TbudaTbsX(double x, double t) { return tbuDaTbsXChecked(x, t).value; }

void StatoTbsUR(double t, double UR, double& x, double& h, double& tbu, double& tdp, double& rd,
                double& rm) {
    const double ps = PressSat(t);
    x = XdaPv(UR * ps, Patm);
    h = HdaTbsX(t, x);
    tbu = TbudaTbsX(x, t);
    tdp = TdpdaX(x);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void StatoTbsTbu(double t, double tbu, double& x, double& UR, double& h, double& tdp, double& rd,
                 double& rm) {
    const double ps = PressSat(t);
    x = XdaTbsTbu(t, tbu);
    UR = URdaX(x, ps, Patm);
    h = HdaTbsX(t, x);
    tdp = TdpdaX(x);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void StatoTbsX(double t, double x, double& UR, double& h, double& tbu, double& tdp, double& rd,
               double& rm) {
    const double ps = PressSat(t);
    UR = URdaX(x, ps, Patm);
    h = HdaTbsX(t, x);
    tbu = TbudaTbsX(x, t);
    tdp = TdpdaX(x);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void StatoTbsH(double t, double h, double& x, double& UR, double& tbu, double& tdp, double& rd,
               double& rm) {
    const double ps = PressSat(t);
    x = XdaTbsH(t, h);
    UR = URdaX(x, ps, Patm);
    tbu = TbudaTbsX(x, t);
    tdp = TdpdaX(x);
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
