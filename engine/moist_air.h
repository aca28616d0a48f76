// Physical constants of moist air and the closed-form relations between its
// properties. Everything is in SI units: °C, kg/kg, J/kg, Pa; relative
// humidity is a fraction here and a percentage only in stored points.
#pragma once

namespace tarvelo {

inline constexpr double CpAria = 1006.0; // J/(kg K), dry air
inline constexpr double CpVap = 1805.0;  // J/(kg K), water vapour
inline constexpr double CAcqua = 4186.0; // J/(kg K), liquid water
inline constexpr double R0 = 2501000.0;  // J/kg, latent heat at 0 °C
inline constexpr double RAria = 287.055; // J/(kg K), dry air
inline constexpr double PatmStandard = 101325.0;

// The atmospheric pressure every function works at, in Pa. The one piece of
// mutable engine state: set from the chart in use, by the chart builder and
// temporarily by the calculator. Read at every call. Each thread has its
// own, so that batches computed in parallel each work at their row's
// pressure. The core is linked statically into the programs: the
// initial-exec model reads it without a call.
extern thread_local double Patm [[gnu::tls_model("initial-exec")]];

// The range of the saturation relations, °C.
inline constexpr double TemperaturaMinima = -100.0;
inline constexpr double TemperaturaMassima = 200.0;

// Saturation pressure over ice (t < 0 °C) or liquid water (t >= 0 °C), Pa.
double PressSat(double t);
// Humidity ratio for vapour pressure pv at total pressure P.
double XdaPv(double pv, double P);
// Relative humidity (fraction) of air of humidity ratio x, saturation
// pressure ps, total pressure P. Not clamped: supersaturated air gives > 1.
double URdaX(double x, double ps, double P);
// Vapour pressure UR·ps; hands ps = PressSat(t) back.
double PvdaUR(double UR, double t, double& ps);
double HdaTbsX(double t, double x);
double TbsdaXH(double x, double h);
double XdaTbsH(double t, double h);
// Density of the dry-air part, kg of dry air per m³ of moist air.
double RhoSecca(double x, double t);
// Density of moist air, kg/m³.
double RhoUmida(double x, double rd);
double XdaRhoTbs(double rd, double t);

} // namespace tarvelo
