#include "engine/root_finder.h"

#include <cmath>

namespace tarvelo {

PassoZero CercaZero(StoriaZero& s, std::uint8_t k, double f, double x) {
    const double tol = 1e-5 * std::fmax(1e-9, std::fabs(x));
    if ((std::fabs(x - s.X1) < tol && k != 1) || f == 0.0)
        return {x, true};

    int metodo = k >= 3 ? 3 : k;
    double nuovo = 0.0;
    for (;;) {
        if (metodo == 3) {
            if (x == s.X1) {
                s.X1 = s.X2;
                s.F1 = s.F2;
                metodo = 2;
                continue;
            }
            if (x == s.X2) {
                metodo = 2;
                continue;
            }
            const double s2 = (s.F2 - f) / (s.X2 - x);
            const double s1 = (s.F1 - f) / (s.X1 - x);
            const double A = (s2 - s1) / (s.X2 - s.X1);
            const double B = s1 - (s.X1 + x) * A;
            const double C = f - (A * x + B) * x;
            if (std::fabs(A) < 1e-9) {
                metodo = 2;
                continue;
            }
            // The parabola must pass through the older point too, or it is
            // not trusted.
            if (std::fabs(((A * s.X1 + B) * s.X1 + C - s.F1) / s.F1) > 1e-4) {
                metodo = 2;
                continue;
            }
            const double D = B * B - 4.0 * C * A;
            if (D < 0.0) {
                metodo = 2;
                continue;
            }
            if (D == 0.0) {
                nuovo = -B / A / 2.0;
            } else {
                const double r1 = (std::sqrt(D) - B) / A / 2.0;
                const double r2 = -B / A - r1;
                nuovo = std::fabs(r2 - x) < std::fabs(r1 - x) ? r2 : r1;
            }
            break;
        }
        if (metodo == 2) {
            const double pendenza = (s.F1 - f) / (s.X1 - x);
            if (pendenza == 0.0) {
                metodo = 1;
                continue;
            }
            nuovo = x - f / pendenza;
            break;
        }
        nuovo = std::fabs(x) > 1e-9 ? x * 1.0001 : 1e-4;
        break;
    }

    if (metodo == 3) {
        // Keep a sign change in the history where there is one.
        if (s.F1 * f > 0.0 && s.F2 * f > 0.0) {
            if (std::fabs(s.F2) > std::fabs(s.F1)) {
                s.X2 = s.X1;
                s.F2 = s.F1;
            }
        } else if (s.F2 * f > 0.0) {
            s.X2 = s.X1;
            s.F2 = s.F1;
        }
    } else {
        s.X2 = s.X1;
        s.F2 = s.F1;
    }
    s.X1 = x;
    s.F1 = f;
    return {nuovo, false};
}

} // namespace tarvelo
