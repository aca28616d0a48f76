// A complete air state from any supported pair of known properties, checked:
// the engine's functions are pure and silent (sentinels, inf, NaN), so every
// caller that stores or prints a state goes through here and gets either a
// state whose every value is finite and meaningful, or an Italian message.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tarvelo {

// The known pairs, with the way to the full state.
enum class CoppiaNota {
    TbsUR,       // StatoTbsUR
    TbsTbu,      // StatoTbsTbu
    TbsX,        // StatoTbsX
    TbsH,        // StatoTbsH
    TbsVd,       // x = XdaRhoTbs(1/vd, t), then StatoTbsX
    TbsRhoSecca, // x = XdaRhoTbs(rd, t), then StatoTbsX
    TbsSat,      // StatoTbsUR with UR = 1
    XH,          // t = TbsdaXH(x, h), then StatoTbsX
    XUR,         // t = TbsdaXUR(x, UR), then StatoTbsX
};

// Values in the units of a stored point: °C, UR in %, x in kg/kg, h in J/kg,
// v in m³/kg, densities in kg/m³, pressures in Pa.
struct StatoAria {
    double tbs = 0, UR = 0, tbu = 0, x = 0, h = 0, v = 0, tdp = 0, rhoSecca = 0, rhoUmida = 0;
    double Pv = 0, Psat = 0, Patm = 0;
};

// The fields of a state with their names, in the order of the point record
// followed by Pv, Psat and Patm: the one list that reports and files use.
struct CampoStato {
    const char* nome;
    double valore;
};
std::array<CampoStato, 12> campiStato(const StatoAria& s);

struct EsitoStato {
    bool ok = false;
    StatoAria stato;
    std::string errore;              // why there is no state, when !ok
    std::vector<std::string> avvisi; // computed, but worth a word
};

// `a` and `b` are the pair's values in stored-point units, in the order of
// the pair's name (TbsSat ignores b). Computes at `patm`; the engine's Patm
// is left as it was.
EsitoStato calcolaStato(CoppiaNota coppia, double a, double b, double patm);

} // namespace tarvelo
