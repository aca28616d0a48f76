#include "document/check_limits.h"

#include "document/ini_file.h"
#include "engine/number_parse.h"

#include <sstream>

namespace tarvelo {

const std::vector<VoceLimite>& tabellaLimiti() {
    using L = LimitiVerifiche;
    static const std::vector<VoceLimite> tabella = {
        {"tsBrina", &L::tsBrina, -30, 10},
        {"tsCautela", &L::tsCautela, -30, 15},
        {"URImmissione", &L::URImmissione, 50, 100},
        {"dtRaffreddamento", &L::dtRaffreddamento, 1, 40},
        {"dtRiscaldamento", &L::dtRiscaldamento, 1, 60},
        {"efficienzaSaturazione", &L::efficienzaSaturazione, 50, 100},
        {"URUscitaUmidificatore", &L::URUscitaUmidificatore, 50, 100},
        {"tGelo", &L::tGelo, -30, 10},
        {"fattoreContattoMin", &L::fattoreContattoMin, 0, 1},
        {"fattoreContattoMax", &L::fattoreContattoMax, 0, 1},
        {"ricambiMin", &L::ricambiMin, 0, 1000},
        {"ricambiMax", &L::ricambiMax, 0, 1000},
    };
    return tabella;
}

LimitiVerifiche leggiLimitiVerifiche(const IniFile& ini, std::vector<std::string>& avvisi) {
    LimitiVerifiche l;
    for (const VoceLimite& v : tabellaLimiti()) {
        const std::string testo = ini.leggiStringa("VERIFICHE", v.chiave, "");
        if (testo.empty())
            continue;
        const auto numero = parseNumber(testo);
        if (!numero || !(*numero >= v.minimo && *numero <= v.massimo)) {
            std::ostringstream m;
            m << "[VERIFICHE] " << v.chiave << "=" << testo << ": non è un numero tra " << v.minimo
              << " e " << v.massimo << ", resta " << l.*v.campo;
            avvisi.push_back(m.str());
            continue;
        }
        l.*v.campo = *numero;
    }
    return l;
}

} // namespace tarvelo
