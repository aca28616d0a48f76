#include "engine/altitude.h"

#include "engine/decimal_text.h"
#include "engine/numeric.h"

#include <array>
#include <cmath>

namespace tarvelo {

namespace {

constexpr std::array<int, 13> Altitudine = {-500, 0,    500,  1000, 2000, 3000, 4000,
                                            5000, 6000, 7000, 8000, 9000, 10000};
constexpr std::array<int, 13> Pressione = {107478, 101325, 95461, 89874, 79495, 70108, 61640,
                                           54020,  47181,  41061, 35600, 30742, 26346};

double A(std::size_t k) {
    return Altitudine[k];
}
double P(std::size_t k) {
    return Pressione[k];
}

} // namespace

double pressureFromAltitude(double a) {
    std::size_t k = 12;
    if (a <= 0.0) {
        k = 1;
    } else if (a < 10000.0) {
        k = 2;
        while (k < 12 && A(k) < a)
            ++k;
    }
    return Interpola(a, A(k), A(k - 1), P(k), P(k - 1));
}

double altitudeFromPressure(double p) {
    std::size_t k = 12;
    if (p >= 101325.0) {
        k = 1;
    } else if (p > 26346.0) {
        k = 2;
        while (k < 12 && P(k) > p)
            ++k;
    }
    return Interpola(p, P(k), P(k - 1), A(k), A(k - 1));
}

std::string verificaPressione(double p) {
    if (std::isfinite(p) && p >= PatmMinima && p <= PatmMassima)
        return {};
    return "la pressione atmosferica deve stare tra 25000 e 115000 Pa" +
           (std::isfinite(p) ? " (data: " + FloatToStrFixed(p, 15, 0) + " Pa)" : std::string());
}

std::string verificaQuota(double m) {
    if (std::isfinite(m) && m >= QuotaMinima && m <= QuotaMassima)
        return {};
    return "la quota deve stare tra -500 e 10000 m, il campo della tabella dell'atmosfera "
           "standard" +
           (std::isfinite(m) ? " (data: " + FloatToStrFixed(m, 15, 0) + " m)" : std::string());
}

} // namespace tarvelo
