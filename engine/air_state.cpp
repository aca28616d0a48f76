#include "engine/air_state.h"

#include "engine/altitude.h"
#include "engine/decimal_text.h"
#include "engine/moist_air.h"
#include "engine/state_solver.h"

#include <cmath>
#include <limits>

namespace tarvelo {

namespace {

constexpr double Epsilon = 0.62198;

std::string pa(double p) {
    return FloatToStrFixed(p, 9, 0) + " Pa";
}

EsitoStato fallito(std::string messaggio) {
    EsitoStato e;
    e.errore = std::move(messaggio);
    return e;
}

std::string vaporeTroppoAlto(double pv, double patm) {
    return "la pressione del vapore (" + pa(pv) + ") non è inferiore alla pressione atmosferica (" +
           pa(patm) + ")";
}

// Completes the state the way the state procedures do, with the iterative
// results checked for convergence. Known values are kept as given rather
// than recomputed, exactly as the procedure of each pair does.
struct Completamento {
    double t, x;
    const double* UR = nullptr; // fraction
    const double* h = nullptr;
    const double* tbu = nullptr;
};

EsitoStato completa(const Completamento& c) {
    EsitoStato e;
    StatoAria& s = e.stato;
    const double ps = PressSat(c.t);
    s.tbs = c.t;
    s.x = c.x;
    const double ur = c.UR ? *c.UR : URdaX(c.x, ps, Patm);
    s.h = c.h ? *c.h : HdaTbsX(c.t, c.x);
    if (c.tbu) {
        s.tbu = *c.tbu;
    } else {
        const SolveResult tbu = tbuDaTbsXChecked(c.x, c.t);
        if (!tbu.converged)
            return fallito("il calcolo della temperatura di bulbo umido non converge");
        s.tbu = tbu.value;
    }
    if (c.x < 1e-9) {
        s.tdp = NessunaRugiada;
        e.avvisi.push_back("aria secca: non ha temperatura di rugiada (tdp = -999)");
    } else {
        const SolveResult tdp = tempSatChecked(Patm * c.x / (c.x + Epsilon));
        if (!tdp.converged)
            return fallito("il calcolo della temperatura di rugiada non converge");
        s.tdp = tdp.value;
    }
    s.rhoSecca = RhoSecca(c.x, c.t);
    s.rhoUmida = RhoUmida(c.x, s.rhoSecca);
    if (s.rhoSecca != 0.0)
        s.v = 1.0 / s.rhoSecca;
    else
        s.v = std::numeric_limits<double>::quiet_NaN();
    s.UR = ur * 100.0;
    s.Psat = ps;
    s.Pv = ur * ps;
    s.Patm = Patm;
    e.ok = true;
    return e;
}

bool tuttiFiniti(const StatoAria& s, std::string& quale) {
    for (const CampoStato& campo : campiStato(s)) {
        if (!std::isfinite(campo.valore)) {
            quale = campo.nome;
            return false;
        }
    }
    return true;
}

} // namespace

std::array<CampoStato, 12> campiStato(const StatoAria& s) {
    return {{{"tbs", s.tbs},
             {"UR", s.UR},
             {"tbu", s.tbu},
             {"x", s.x},
             {"h", s.h},
             {"v", s.v},
             {"tdp", s.tdp},
             {"rhoSecca", s.rhoSecca},
             {"rhoUmida", s.rhoUmida},
             {"Pv", s.Pv},
             {"Psat", s.Psat},
             {"Patm", s.Patm}}};
}

EsitoStato calcolaStato(CoppiaNota coppia, double a, double b, double patm) {
    if (std::string m = verificaPressione(patm); !m.empty())
        return fallito(m);
    if (!std::isfinite(a) || (coppia != CoppiaNota::TbsSat && !std::isfinite(b)))
        return fallito("valore non numerico");
    // The saturation relations hold from -100 to 200 °C; below absolute
    // zero they have no meaning at all.
    const bool conTbs = coppia != CoppiaNota::XH && coppia != CoppiaNota::XUR;
    if (conTbs && (a < TemperaturaMinima || a > TemperaturaMassima))
        return fallito("la temperatura a bulbo secco (" + FloatToStrFixed(a, 15, 2) +
                       " °C) è fuori dal campo di validità, da -100 a 200 °C");
    if (coppia == CoppiaNota::TbsTbu && (b < TemperaturaMinima || b > TemperaturaMassima))
        return fallito("la temperatura a bulbo umido (" + FloatToStrFixed(b, 15, 2) +
                       " °C) è fuori dal campo di validità, da -100 a 200 °C");
    // The engine reads its pressure from Patm; the caller's value (the chart
    // in use) comes back whatever happens here.
    struct PressioneTemporanea {
        double precedente = Patm;
        ~PressioneTemporanea() { Patm = precedente; }
    } ripristino;
    Patm = patm;

    EsitoStato e;
    switch (coppia) {
    case CoppiaNota::TbsUR:
    case CoppiaNota::TbsSat: {
        const double ur = coppia == CoppiaNota::TbsSat ? 1.0 : b / 100.0;
        if (ur < 0.0)
            return fallito("l'umidità relativa non può essere negativa");
        const double pv = ur * PressSat(a);
        if (!(pv < Patm))
            return fallito(vaporeTroppoAlto(pv, Patm));
        const double x = XdaPv(pv, Patm);
        e = completa({a, x, &ur, nullptr, nullptr});
        break;
    }
    case CoppiaNota::TbsTbu: {
        const double psu = PressSat(b);
        if (!(psu < Patm))
            return fallito("alla temperatura di bulbo umido data " + vaporeTroppoAlto(psu, Patm));
        const double x = XdaTbsTbu(a, b);
        if (x < 0.0)
            return fallito("stato impossibile: con questo bulbo umido l'umidità specifica "
                           "risulterebbe negativa");
        e = completa({a, x, nullptr, nullptr, &b});
        break;
    }
    case CoppiaNota::TbsX:
        if (b < 0.0)
            return fallito("l'umidità specifica non può essere negativa");
        e = completa({a, b});
        break;
    case CoppiaNota::TbsH: {
        const double x = XdaTbsH(a, b);
        if (x < 0.0)
            return fallito("stato impossibile: l'entalpia è inferiore a quella dell'aria secca "
                           "alla temperatura data");
        e = completa({a, x, nullptr, &b, nullptr});
        break;
    }
    case CoppiaNota::TbsVd:
    case CoppiaNota::TbsRhoSecca: {
        if (!(b > 0.0))
            return fallito(coppia == CoppiaNota::TbsVd
                               ? "il volume specifico deve essere maggiore di 0"
                               : "la densità dell'aria secca deve essere maggiore di 0");
        const double rd = coppia == CoppiaNota::TbsVd ? 1.0 / b : b;
        const double x = XdaRhoTbs(rd, a);
        if (x < 0.0)
            return fallito("stato impossibile: l'aria secca da sola occuperebbe meno di questo "
                           "volume (umidità specifica negativa)");
        e = completa({a, x});
        break;
    }
    case CoppiaNota::XH:
        if (a < 0.0)
            return fallito("l'umidità specifica non può essere negativa");
        e = completa({TbsdaXH(a, b), a});
        break;
    case CoppiaNota::XUR: {
        if (!(a > 0.0))
            return fallito("con la coppia x + UR l'umidità specifica deve essere maggiore di 0");
        if (!(b > 0.0))
            return fallito("con la coppia x + UR l'umidità relativa deve essere maggiore di 0");
        const SolveResult t = tempSatChecked((Patm * a / (a + Epsilon)) / (b / 100.0));
        if (!t.converged)
            return fallito("il calcolo della temperatura a bulbo secco non converge");
        e = completa({t.value, a});
        break;
    }
    }
    if (!e.ok)
        return e;

    std::string quale;
    if (!tuttiFiniti(e.stato, quale))
        return fallito("risultato non finito (" + quale + "): stato fuori dal campo di calcolo");
    if (e.stato.UR > 100.0)
        e.avvisi.push_back("aria soprassatura: UR = " + FloatToStrFixed(e.stato.UR, 7, 1) +
                           " %, oltre la saturazione");
    return e;
}

} // namespace tarvelo
