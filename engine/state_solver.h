// The iterative inversions (saturation temperature, dew point, wet bulb) and
// the state procedures that complete an air state from two known properties.
// Non-convergence is reported the classic way, by sentinel values; the
// *Checked variants return the same value together with the convergence flag
// for callers that must not mistake a sentinel for a result.
#pragma once

#include <cstddef>

namespace tarvelo {

inline constexpr double NessunaRugiada = -999.0; // dew point of dry air
inline constexpr double NonConvergente = 0.0;    // unconverged temperature

struct SolveResult {
    double value;
    bool converged;
};

// Temperature at which PressSat equals p; 0.0 after 50 steps without
// convergence.
double TempSat(double p);
SolveResult tempSatChecked(double p);

// Dew point of air of humidity ratio x; -999.0 when x < 1e-9.
double TdpdaX(double x);

// Humidity ratio of air at t whose wet bulb is tbu (closed form).
double XdaTbsTbu(double t, double tbu);

// Wet bulb of air at t with humidity ratio x; never above t. Air the 20-step
// iteration cannot solve (hot air near or above boiling, heavy
// supersaturation) is solved by bisection below the boiling point; 0.0 only
// when neither finds a wet bulb within the range of the saturation relations.
double TbudaTbsX(double x, double t);
SolveResult tbuDaTbsXChecked(double x, double t);

// UR is a fraction throughout.
void StatoTbsUR(double t, double UR, double& x, double& h, double& tbu, double& tdp, double& rd,
                double& rm);
void StatoTbsTbu(double t, double tbu, double& x, double& UR, double& h, double& tdp, double& rd,
                 double& rm);
void StatoTbsX(double t, double x, double& UR, double& h, double& tbu, double& tdp, double& rd,
               double& rm);
void StatoTbsH(double t, double h, double& x, double& UR, double& tbu, double& tdp, double& rd,
               double& rm);
// StatoTbsUR for many states at once, with the same results bit for bit;
// several states are solved side by side for throughput (chart lines,
// batches).
struct StatoCompleto {
    double x, h, tbu, tdp, rd, rm;
};
void StatiTbsUR(std::size_t n, const double* t, const double* UR, StatoCompleto* out);

// Light variant without the iterative outputs; vd is written only when rd
// is not zero.
void XHVdaTbsUR(double t, double UR, double& x, double& h, double& vd);
// Dry bulb of air of humidity ratio x at relative humidity UR.
double TbsdaXUR(double x, double UR);

} // namespace tarvelo
