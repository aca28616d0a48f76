#include "engine/moist_air.h"

#include <cmath>

namespace tarvelo {

thread_local double Patm [[gnu::tls_model("initial-exec")]] = PatmStandard;

namespace {
// Hyland–Wexler, constant terms lowered by ln 1000 so that exp() gives kPa.
constexpr double C1 = -5674.5359;
constexpr double C2 = -0.51523058;
constexpr double C3 = -0.009677843;
constexpr double C4 = 6.2215701e-07;
constexpr double C5 = 2.0747825e-09;
constexpr double C6 = -9.484024e-13;
constexpr double C7 = 4.1635019;
constexpr double C8 = -5800.2206;
constexpr double C9 = -5.516256;
constexpr double C10 = -0.048640239;
constexpr double C11 = 4.1764768e-05;
constexpr double C12 = -1.4452093e-08;
constexpr double C13 = 6.5459673;
constexpr double Epsilon = 0.62198; // molar mass of water over dry air
constexpr double Kelvin = 273.15;
} // namespace

double PressSat(double t) {
    const double T = t + Kelvin;
    double lnp;
    if (T < Kelvin) {
        lnp = (((C6 * T + C5) * T + C4) * T + C3) * T;
        lnp = lnp + (C1 / T + C2);
        lnp = lnp + C7 * std::log(T);
    } else {
        lnp = ((C12 * T + C11) * T + C10) * T;
        lnp = lnp + (C8 / T + C9);
        lnp = lnp + C13 * std::log(T);
    }
    return std::exp(lnp) / 0.001;
}

double XdaPv(double pv, double P) {
    return Epsilon * pv / (P - pv);
}

double URdaX(double x, double ps, double P) {
    return (P * x / (Epsilon + x)) / ps;
}

double PvdaUR(double UR, double t, double& ps) {
    ps = PressSat(t);
    return UR * ps;
}

double HdaTbsX(double t, double x) {
    return CpAria * t + x * (CpVap * t + R0);
}

double TbsdaXH(double x, double h) {
    return (h - R0 * x) / (CpAria + CpVap * x);
}

double XdaTbsH(double t, double h) {
    return (h - CpAria * t) / (CpVap * t + R0);
}

double RhoSecca(double x, double t) {
    return (Patm * Epsilon / (Epsilon + x)) / RAria / (t + Kelvin);
}

double RhoUmida(double x, double rd) {
    return (1.0 + x) * rd;
}

double XdaRhoTbs(double rd, double t) {
    const double pa = rd * RAria * (t + Kelvin);
    return (Patm - pa) * Epsilon / pa;
}

} // namespace tarvelo
