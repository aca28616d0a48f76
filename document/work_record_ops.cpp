#include "document/work_record_ops.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <sstream>
#include <string_view>
#include <utility>

namespace tarvelo {

std::uint8_t hitTestHandle(const TLavoro& l, int x, int y) {
    const std::size_t n = std::min<std::size_t>(l.NumPunti, TLavoro::MaxPunti);
    for (std::size_t i = 0; i < n; ++i) {
        const TPunto& p = l.Punti[i];
        // Coordinates come from files: widen before subtracting.
        const long long dx = static_cast<long long>(p.X) - x, dy = static_cast<long long>(p.Y) - y;
        if (std::llabs(dx) <= 3 && std::llabs(dy) <= 3)
            return p.Maniglia;
    }
    return NessunaManiglia;
}

void setLabelPosition(TPunto& p, int code) {
    if (code == EtichSopra) {
        p.EtichDx = 0;
        p.EtichDyStampa = -25;
        p.EtichDyVideo = -25;
    } else if (code == EtichSotto) {
        p.EtichDx = 0;
        p.EtichDyStampa = 60;
        p.EtichDyVideo = 8;
    }
}

bool roomForTreatment(const TLavoro& l) {
    return l.NumPunti <= 17 && l.NumTrattamenti <= 9;
}

} // namespace tarvelo

namespace tarvelo {

namespace {

// Far beyond any air state, flow, power or volume of a real work, yet far
// below what would overflow the chart's arithmetic.
constexpr double LimiteValore = 1e9;

using Campi = std::initializer_list<std::pair<std::string_view, double>>;

// `dove` and `n` name the record ("punto", 2); the text is made only for a
// value that fails, since sound works are checked on every batch row.
std::string primoNonValido(const char* dove, std::size_t n, Campi campi, double limite) {
    for (const auto& [nome, v] : campi) {
        if (!std::isfinite(v) || std::fabs(v) > limite) {
            std::ostringstream o;
            o << dove;
            if (n > 0)
                o << ' ' << n;
            o << ", " << nome << " = " << v;
            return o.str();
        }
    }
    return {};
}

std::string datiOltre(const TDatiTrattamento& d, std::size_t k, double limite) {
    return primoNonValido("tratto", k,
                          {{"tbs1", d.tbs1},
                           {"UR1", d.UR1},
                           {"tbs2", d.tbs2},
                           {"UR2", d.UR2},
                           {"perc1", d.perc1},
                           {"perc2", d.perc2},
                           {"port1", d.port1},
                           {"port2", d.port2},
                           {"port3", d.port3},
                           {"portata", d.portata},
                           {"potenza", d.potenza},
                           {"tMezzo", d.tMezzo},
                           {"S", d.S},
                           {"T", d.T},
                           {"qimm", d.qimm},
                           {"ts", d.ts},
                           {"fsDato", d.fsDato},
                           {"L", d.L}},
                          limite);
}

std::string puntoOltre(const TPunto& p, std::size_t n, double limite) {
    return primoNonValido("punto", n,
                          {{"tbs", p.tbs},
                           {"UR", p.UR},
                           {"tbu", p.tbu},
                           {"x", p.x},
                           {"h", p.h},
                           {"v", p.v},
                           {"tdp", p.tdp},
                           {"rhoSecca", p.rhoSecca},
                           {"rhoUmida", p.rhoUmida},
                           {"qm", p.qm},
                           {"Quota", p.Quota}},
                          limite);
}

// Counts, kinds and point numbers a calculation follows: one beyond the
// records sends it outside them or leaves a treatment that nothing computes.
std::string strutturaNonValida(const TLavoro& l) {
    auto fuori = [](std::string dove, long long v) { return dove + " = " + std::to_string(v); };
    if (l.NumPunti > TLavoro::MaxPunti)
        return fuori("NumPunti", l.NumPunti);
    if (l.NumTrattamenti > TLavoro::MaxTrattamenti)
        return fuori("NumTrattamenti", l.NumTrattamenti);
    const int maxPunto = static_cast<int>(TLavoro::MaxPunti);
    for (std::size_t k = 0; k < l.NumTrattamenti; ++k) {
        const TTrattamento& t = l.Trattamenti[k];
        const std::string tratto = "tratto " + std::to_string(k + 1) + ", ";
        if (t.Tipo > 6)
            return fuori(tratto + "Tipo", t.Tipo);
        const std::pair<const char*, std::int32_t> punti[] = {
            {"Punto1", t.Punto1}, {"Punto2", t.Punto2}, {"Punto3", t.Punto3}};
        for (const auto& [nome, n] : punti)
            if (n < 0 || n > maxPunto)
                return fuori(tratto + nome, n);
        for (std::size_t i = 0; i < t.Dati.Collega.size(); ++i) {
            const std::int32_t n = t.Dati.Collega[i];
            if (n < -1 || n > maxPunto)
                return fuori(tratto + "Collega[" + std::to_string(i + 1) + "]", n);
        }
        if (t.Dati.PuntoPortata < -1 || t.Dati.PuntoPortata > maxPunto)
            return fuori(tratto + "PuntoPortata", t.Dati.PuntoPortata);
    }
    return {};
}

// The first value of the zone data, the treatments' inputs and the points
// in use that is not a number or exceeds `limite` in size.
std::string valoreOltre(const TLavoro& l, double limite) {
    std::string m = primoNonValido("dati della zona", 0,
                                   {{"tbsInt", l.tbsInt},
                                    {"URInt", l.URInt},
                                    {"tbsEst", l.tbsEst},
                                    {"UREst", l.UREst},
                                    {"tbsImm", l.tbsImm},
                                    {"tH2O", l.tH2O},
                                    {"Csens", l.Csens},
                                    {"Clat", l.Clat},
                                    {"Cx", l.Cx},
                                    {"Volume", l.Volume},
                                    {"Qrinn", l.Qrinn},
                                    {"Qimm", l.Qimm},
                                    {"tSup", l.tSup},
                                    {"URD", l.URD},
                                    {"xPick", l.xPick}},
                                   limite);
    const std::size_t nt = std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (std::size_t k = 0; k < nt && m.empty(); ++k) {
        m = datiOltre(l.Trattamenti[k].Dati, k + 1, limite);
    }
    const std::size_t np = std::min<std::size_t>(l.NumPunti, TLavoro::MaxPunti);
    for (std::size_t i = 0; i < np && m.empty(); ++i) {
        const TPunto& p = l.Punti[i];
        if (!p.InUso)
            continue;
        m = puntoOltre(p, i + 1, limite);
    }
    return m;
}

} // namespace

std::string valoreNonValido(const TPunto& p, int numero) {
    return puntoOltre(p, static_cast<std::size_t>(std::max(numero, 0)), LimiteValore);
}

std::string valoreNonValido(const TDatiTrattamento& d, int tratto) {
    return datiOltre(d, static_cast<std::size_t>(std::max(tratto, 0)), LimiteValore);
}

bool valoriFiniti(const TLavoro& l) {
    return valoreOltre(l, HUGE_VAL).empty();
}

std::string valoreNonValido(const TLavoro& l) {
    std::string m = valoreOltre(l, LimiteValore);
    return m.empty() ? strutturaNonValida(l) : m;
}

bool statoNonCalcolato(const TLavoro& l, const TPunto& p) {
    if (!(p.x >= 0) || !(p.v > 0))
        return true;
    return p.Nome.testo().empty() && p.tbs == l.TestataChart.tbsMin;
}

} // namespace tarvelo
