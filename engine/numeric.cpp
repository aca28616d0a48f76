#include "engine/numeric.h"

#include "engine/decimal_text.h"

#include <array>
#include <cmath>

namespace tarvelo {

namespace {

// Saturated steam, tenths of kJ/kg at 0, 10, …, 200 °C.
constexpr std::array<int, 21> HVaporeDecimi = {25000, 25191, 25374, 25555, 25735, 25913, 26088,
                                               26260, 26429, 26594, 26754, 26909, 27058, 27200,
                                               27335, 27461, 27578, 27685, 27780, 27862, 27931};

double hv(std::size_t i) {
    return HVaporeDecimi[i] / 10.0;
}

struct UnitaFlusso {
    const char* nome;
    double fattore;
    const char* mask;
    double fattoreVolume;
};

constexpr std::array<UnitaFlusso, 3> Unita = {{
    {"kg/s", 1.0, "###.####", 1.0},
    {"l/s", 816.0, "#####.##", 1000.0},
    {"m3/h", 2937.6, "######.#", 3600.0},
}};

bool codiceValido(int codice) {
    return codice >= 0 && codice < static_cast<int>(Unita.size());
}

} // namespace

double Interpola(double x, double x1, double x0, double y1, double y0) {
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

double HVapore(double t) {
    if (t < 0.0)
        return hv(0);
    if (t >= 200.0)
        return Interpola(t, 200.0, 190.0, hv(20), hv(19));
    long long i = Decimo(t / 10.0);
    if (i > 19)
        i = 19;
    if (i < 0)
        i = 0;
    const auto k = static_cast<std::size_t>(i);
    return Interpola(t, 10.0 * static_cast<double>(k + 1), 10.0 * static_cast<double>(k), hv(k + 1),
                     hv(k));
}

long long Decimo(double x) {
    if (!std::isfinite(x))
        return 0;
    const std::string text = fixedAbsText(x, 1);
    const double intera = std::stod(text.substr(0, text.size() - 2));
    if (intera > 9.0e18)
        return x < 0 ? -9000000000000000000LL : 9000000000000000000LL;
    const auto n = static_cast<long long>(intera);
    return x < 0 ? -n : n;
}

double FattorePortata(int codice) {
    return codiceValido(codice) ? Unita[codice].fattore : 0.0;
}

bool InKgS(int codice, double& valore) {
    if (!codiceValido(codice))
        return false;
    if (codice != UmKgS)
        valore = valore / Unita[codice].fattore;
    return true;
}

double FattoreVolume(int codice) {
    return codiceValido(codice) ? Unita[codice].fattoreVolume : 0.0;
}

void MaskPortata(int codice, std::string& mask) {
    if (codiceValido(codice))
        mask = Unita[codice].mask;
}

std::string UnitaPortata(int codice) {
    return codiceValido(codice) ? Unita[codice].nome : "";
}

} // namespace tarvelo
