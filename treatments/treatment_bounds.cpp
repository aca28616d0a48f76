#include "treatments/treatment_bounds.h"

#include "document/work_record_ops.h"
#include "engine/air_state.h"
#include "engine/decimal_text.h"
#include "engine/moist_air.h"
#include "treatments/coil_solver.h"
#include "treatments/treatment_calc.h"
#include "treatments/treatment_defaults.h"

#include <cmath>

namespace tarvelo {

namespace {

std::string valore(const char* nome, double v, const char* unita) {
    return std::string(nome) + " = " + FloatToStrFixed(v, 15, 2) + unita;
}

// Each check gives the message of its quantity, or nothing when inside.
std::string temperatura(const char* nome, double t) {
    if (t >= TemperaturaMinima && t <= TemperaturaMassima)
        return {};
    return valore(nome, t, " °C") + " (da -100 a 200 °C)";
}

// A relative humidity in % at the dry bulb t, already checked.
std::string umiditaRelativa(const char* nome, double ur, double t) {
    if (!(ur >= 0.0))
        return valore(nome, ur, " %") + " (non può essere negativa)";
    if (!(ur / 100.0 * PressSat(t) < Patm))
        return valore(nome, ur, " %") + " (la pressione del vapore supererebbe quella atmosferica)";
    return {};
}

// A humidity ratio in g/kg.
std::string titolo(const char* nome, double x) {
    if (x >= 0.0 && x <= UmiditaMassima)
        return {};
    return valore(nome, x, " g/kg") + " (da 0 a 1000 g/kg)";
}

// A flow in kg/s, a power in kW: finite and not beyond the limit either
// way (their signs are the calculations' own checks).
std::string portata(const char* nome, double q) {
    if (std::fabs(q) <= PortataMassima)
        return {};
    return valore(nome, q, " kg/s") + " (al massimo 1000000000 kg/s)";
}
std::string potenza(const char* nome, double p) {
    if (std::fabs(p) <= PotenzaMassima)
        return {};
    return valore(nome, p, " kW") + " (al massimo 1000000000 kW)";
}

std::string percentuale(const char* nome, double p) {
    if (p >= 0.0 && p <= 100.0)
        return {};
    return valore(nome, p, " %") + " (da 0 a 100 %)";
}

// The first message of a list of checks, in the order of the fields.
std::string primo(std::initializer_list<std::string> controlli) {
    for (const std::string& m : controlli)
        if (!m.empty())
            return m;
    return {};
}

std::string miscela(const TDatiTrattamento& d) {
    if (std::string m = primo({temperatura("tbs1", d.tbs1), temperatura("tbs2", d.tbs2)});
        !m.empty())
        return m;
    return primo({umiditaRelativa("UR1", d.UR1, d.tbs1), umiditaRelativa("UR2", d.UR2, d.tbs2),
                  d.modoMiscela == 0 ? percentuale("perc1", d.perc1) : std::string(),
                  d.modoMiscela != 2 ? portata("port3", d.port3) : std::string(),
                  d.modoMiscela != 0 ? portata("port1", d.port1) : std::string(),
                  d.modoMiscela == 2 ? portata("port2", d.port2) : std::string()});
}

std::string riscaldamentoRaffreddamento(const TDatiTrattamento& d) {
    if (std::string m = primo({temperatura("tbs1", d.tbs1), temperatura("tbs2", d.tbs2)});
        !m.empty())
        return m;
    return primo({umiditaRelativa("UR1", d.UR1, d.tbs1),
                  d.modoPotenza != 2 ? portata("portata", d.portata) : std::string(),
                  d.modoPotenza != 1 ? potenza("potenza", d.potenza) : std::string()});
}

std::string umidificazione(const TDatiTrattamento& d) {
    return primo({temperatura("tbs1", d.tbs1), titolo("x1", d.UR1), titolo("x2", d.tbs2),
                  temperatura("tMezzo", d.tMezzo), portata("portata", d.portata)});
}

std::string batteriaUnione(const TTrattamento& t) {
    const TDatiTrattamento& d = t.Dati;
    if (std::string m = primo({temperatura("tbs1", d.tbs1), temperatura("tbs2", d.tbs2)});
        !m.empty())
        return m;
    if (std::string m = primo({umiditaRelativa("UR1", d.UR1, d.tbs1), titolo("x2", d.UR2)});
        !m.empty())
        return m;
    const int m = t.Tipo == TipoBatteriaFredda ? d.modoBatteria : modoUnione(d.modoBatteria);
    const bool conQimm = m != modo::Tbs2ST && m != modo::X2ST;
    const bool conST = m == modo::Tbs2ST || m == modo::QimmST || m == modo::X2ST;
    if (std::string e =
            primo({conQimm ? portata("qimm", d.qimm) : std::string(),
                   conST || m == modo::QimmSL ? potenza("S", d.S) : std::string(),
                   conST ? potenza("T", d.T) : std::string(),
                   m == modo::Tbs2QimmL || m == modo::QimmSL ? potenza("L", d.L) : std::string()});
        !e.empty())
        return e;
    if (m == modo::QimmTsFs && t.Tipo == TipoBatteriaFredda) {
        if (std::string e = temperatura("ts", d.ts); !e.empty())
            return e;
        // The contact factor places the outlet between ts and tbs1.
        const double tbs2 = d.tbs1 - (d.tbs1 - d.ts) * d.fsDato;
        if (!(tbs2 >= TemperaturaMinima && tbs2 <= TemperaturaMassima))
            return valore("fs", d.fsDato, "") + " (porta tbs2 a " + FloatToStrFixed(tbs2, 15, 2) +
                   " °C, fuori da -100 a 200 °C)";
    }
    return {};
}

} // namespace

std::string verificaPunto(int n, const TPunto& p, bool soloNumeri) {
    if (!soloNumeri) {
        if (std::string m = primo({temperatura("tbs", p.tbs), titolo("x", p.x * 1000.0)});
            !m.empty())
            return "punto " + std::to_string(n) + ": " + m;
    }
    return valoreNonValido(p, n);
}

std::string verificaDati(const TTrattamento& t) {
    switch (t.Tipo) {
    case TipoMiscela:
        return miscela(t.Dati);
    case TipoRaffreddamento:
    case TipoRiscaldamento:
        return riscaldamentoRaffreddamento(t.Dati);
    case TipoUmidificazione:
    case TipoUmidificazioneVapore:
        return umidificazione(t.Dati);
    case TipoBatteriaFredda:
    case TipoUnione:
        return batteriaUnione(t);
    default:
        return {};
    }
}

} // namespace tarvelo
