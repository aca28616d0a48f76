// One step of the shared one-dimensional root finder: a starting
// perturbation, then the secant, then a three-point parabola, with
// convergence measured on the step. Each solving loop owns its history.
#pragma once

#include <cstdint>

namespace tarvelo {

struct StoriaZero {
    double X1 = 0.0; // previous estimate
    double F1 = 0.0; // residual at X1
    double X2 = 0.0; // estimate before X1
    double F2 = 0.0; // residual at X2
};

struct PassoZero {
    double x; // next estimate (the current one when converged)
    bool convergito;
};

// k counts the steps of a loop from 1; f = target − g(x).
PassoZero CercaZero(StoriaZero& storia, std::uint8_t k, double f, double x);

} // namespace tarvelo
