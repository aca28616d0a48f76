#include "plants/suggerimenti.h"

#include "document/error_messages.h"
#include "document/work_record_ops.h"
#include "engine/decimal_text.h"
#include "engine/moist_air.h"
#include "engine/numeric.h"
#include "plants/plant_calc.h"
#include "treatments/treatment_bounds.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <queue>

namespace tarvelo {

namespace {

// A design input of a scheme and the range a designer would pick it from.
// Temperatures and humidities are searched in steps of their own unit,
// flows by ratios, from a hundredth to a hundred times the value typed.
struct Campo {
    const char* nome; // as --set names it
    double TLavoro::*membro;
    const char* etichetta; // the dialog's row
    const char* unita;     // empty for a flow, shown in its field's unit
    double min, max;       // design range, as stored
    double passo;          // coarse step; for a flow the log of a ratio
    int decimali;          // of the dialog's mask
    std::uint8_t TLavoro::*um = nullptr;
};

constexpr double PassoPortata = 0.04879016416943205; // log(1.05)
// A flow typed as zero or less has no scale: it is searched over this.
constexpr double PortataMinima = 0.01, PortataMassima = 100.0; // kg/s

constexpr Campo TbsInt{"tbsInt", &TLavoro::tbsInt, "tbs interna", "°C", 10, 35, 0.5, 1};
constexpr Campo URInt{"URInt", &TLavoro::URInt, "UR interna", "%", 20, 80, 1, 1};
constexpr Campo TbsImm{"tbsImm", &TLavoro::tbsImm, "tbs immissione", "°C", 5, 45, 0.5, 1};
constexpr Campo TSup{"tSup", &TLavoro::tSup, "t superficiale", "°C", 0, 25, 0.25, 2};
constexpr Campo URD{"URD", &TLavoro::URD, "UR punto D", "%", 30, 95, 1, 2};
constexpr Campo Acqua{"tH2O", &TLavoro::tH2O, "tH2O", "°C", 5, 95, 1, 1};
constexpr Campo Vapore{"tH2O", &TLavoro::tH2O, "tvap", "°C", 100, 180, 1, 1};
constexpr Campo Qrinn{"Qrinn", &TLavoro::Qrinn,  "q rinnovo", "", 0, 0, PassoPortata,
                      4,       &TLavoro::umQrinn};
constexpr Campo Qimm{"Qimm", &TLavoro::Qimm,  "q immissione", "", 0, 0, PassoPortata,
                     4,      &TLavoro::umQimm};

// The inputs each configuration reads that a designer chooses.
std::vector<const Campo*> campiDelloSchema(const TLavoro& l) {
    switch (l.TipoImpianto) {
    case 0:
        return {&TbsInt, &URInt, l.flgQimm == 1 ? &Qimm : &TbsImm, &Qrinn};
    case 1:
        return {&TbsInt, &URInt, &TbsImm, &Qrinn};
    case 2:
        // Without a sensible load C supplies at the room temperature.
        if (l.Csens == 0)
            return {&TbsInt, &URInt, &TSup};
        return {&TbsInt, &URInt, &TbsImm, &TSup};
    case 3:
    case 4: {
        std::vector<const Campo*> c = {&TbsInt, &URInt, &Qimm, &Qrinn,
                                       l.TipoImpianto == 4 ? &Vapore : &Acqua};
        if (l.flgQimm == 0)
            c.push_back(&TbsImm);
        return c;
    }
    case 5:
        return {&TbsInt, &URInt, &URD, &Qrinn, &Acqua};
    default:
        return {};
    }
}

std::string kW(double w) {
    return numero(w / 1000.0, 1) + " kW";
}
std::string gradi(double t) {
    return numero(t, 1) + " °C";
}

// How a field's values are shown: factor from the stored value, decimals.
struct Vista {
    double fattore = 1;
    int decimali = 1;
    std::string unita;
};

Vista vista(const Campo& c, const TLavoro& l) {
    if (!c.um)
        return {1, c.decimali, c.unita};
    const int um = l.*c.um;
    if (um == UmLS || um == UmM3H)
        return {FattorePortata(um), um == UmLS ? 2 : 1, UnitaPortata(um)};
    return {1, 4, "kg/s"};
}

std::string mostrato(const Vista& v, double stored) {
    return numero(stored * v.fattore, v.decimali) + " " + v.unita;
}

// The figures the scheme's summary leads with.
std::string risultati(const TLavoro& l) {
    const auto P = [&l](std::size_t i) -> const TPunto& { return l.Punti[i - 1]; };
    const auto T = [&l](std::size_t k) -> const TTrattamento& { return l.Trattamenti[k - 1]; };
    const std::string qImm = "q immissione " + mostrato(vista(Qimm, l), l.Qimm);
    switch (l.TipoImpianto) {
    case 0:
        return "Qtot batteria " + kW(T(3).Qtot) + ", " + qImm + ", ts " + gradi(P(5).tbs);
    case 1:
        return "Qtot batteria " + kW(T(2).Qtot) + ", ts " + gradi(P(4).tbs);
    case 2:
        return "Qtot batteria " + kW(T(1).Qtot) + ", postriscaldamento " + kW(T(3).Qtot) + ", " +
               qImm;
    case 3:
    case 4:
        return "riscaldamento " + kW(T(2).Qtot) + ", umidificazione " +
               numero(T(3).qx * 1000.0, 2) + " g/s, t immissione " + gradi(P(5).tbs);
    default:
        return "preriscaldamento " + kW(T(1).Qtot) + ", postriscaldamento " + kW(T(3).Qtot) +
               ", t immissione " + gradi(P(5).tbs);
    }
}

// The work's chart pressure while the search runs, as for any plant run.
class PatmDelLavoro {
  public:
    explicit PatmDelLavoro(const TLavoro& l) : prima_(Patm) {
        Patm = l.TestataChart.pressure > 0 ? l.TestataChart.pressure : PatmStandard;
    }
    ~PatmDelLavoro() { Patm = prima_; }
    PatmDelLavoro(const PatmDelLavoro&) = delete;
    PatmDelLavoro& operator=(const PatmDelLavoro&) = delete;

  private:
    double prima_;
};

// One run of the failed work with one input changed. It computes when the
// code is 0 and every point is a state the moist-air relations hold for: a
// flow far too small can carry the supply past 200 °C with code 0.
class Prova {
  public:
    explicit Prova(const TLavoro& base) : base_(base), l_(std::make_unique<TLavoro>()) {}
    bool calcola(double TLavoro::*membro, double valore) {
        *l_ = base_;
        (*l_).*membro = valore;
        if (CalcolaImpianto(*l_, traccia_).codice != 0)
            return false;
        const int n = std::min<int>(l_->NumPunti, static_cast<int>(TLavoro::MaxPunti));
        for (int i = 0; i < n; ++i)
            if (!verificaPunto(i + 1, l_->Punti[static_cast<std::size_t>(i)]).empty())
                return false;
        return true;
    }
    const TLavoro& lavoro() const { return *l_; }

  private:
    const TLavoro& base_;
    std::unique_ptr<TLavoro> l_;
    TracciaDettagli traccia_;
};

// A field's search coordinate: the value itself, or its log for a flow.
struct Asse {
    const Campo* campo;
    double v;        // the value that failed
    double min, max; // design range, as stored
    double rif;      // a relative change is |change| / rif
    double unita;    // one displayed unit, as stored
    Vista mostra;

    bool log() const { return campo->um != nullptr; }
    double u(double x) const { return log() ? std::log(x) : x; }
    double x(double u) const { return log() ? std::exp(u) : u; }
    double distanza(double x) const { return std::fabs(x - v) / rif; }
};

Asse asse(const Campo& c, const TLavoro& l) {
    Asse a{&c, l.*c.membro, c.min, c.max, c.max - c.min, 0, vista(c, l)};
    if (a.log()) {
        if (a.v > 0) {
            a.min = a.v / 100.0;
            a.max = a.v * 100.0;
            a.rif = a.v;
        } else {
            a.min = PortataMinima;
            a.max = PortataMassima;
            a.rif = PortataMassima;
        }
    }
    a.unita = std::pow(10.0, -a.mostra.decimali) / a.mostra.fattore;
    return a;
}

// One direction of a field's scan: from the value outwards by steps, the
// range's bound last.
struct Verso {
    std::size_t asse;
    int d;            // +1 up, -1 down
    double uFallito;  // the last value tried that failed
    double uProssimo; // the next to try
    bool ultimo;      // the next is the bound
    bool dentro;      // uFallito lies inside the range
};

struct Candidato {
    double distanza;
    std::size_t verso;
    bool operator>(const Candidato& o) const { return distanza > o.distanza; }
};

struct Trovato {
    double distanza;
    Suggerimento s;
};

// The first step of direction d, or nothing when the value lies beyond the
// range that way.
std::optional<Verso> primoPasso(const Asse& a, std::size_t i, int d) {
    const double umin = a.u(a.min), umax = a.u(a.max);
    // A flow of zero or less lies below its range.
    const double u0 = a.log() && a.v <= 0 ? -std::numeric_limits<double>::infinity() : a.u(a.v);
    if (std::isnan(u0))
        return std::nullopt;
    const double lontano = d > 0 ? umax : umin, vicino = d > 0 ? umin : umax;
    if (d * (u0 - lontano) >= 0)
        return std::nullopt;
    Verso v{i, d, u0, 0, false, true};
    if (d * (u0 - vicino) < 0) {
        // Outside the range: its bound is the first value offered.
        v.uProssimo = vicino;
        v.dentro = false;
    } else {
        v.uProssimo = u0 + d * a.campo->passo;
    }
    if (d * (v.uProssimo - lontano) >= 0) {
        v.uProssimo = lontano;
        v.ultimo = true;
    }
    return v;
}

// Between a failing and a computing value, down to one displayed unit.
// The shown value just short of the computing one, back towards the value
// typed, is then the nearest that can compute: the one before it lies at
// or beyond the failing value. It is checked, and one unit further tried
// while it does not compute.
std::optional<Trovato> affina(const Asse& a, const Verso& v, double uCalcola, Prova& prova) {
    const Campo& c = *a.campo;
    double uf = v.uFallito, uc = uCalcola;
    if (v.dentro) {
        for (int i = 0; i < 64 && std::fabs(a.x(uc) - a.x(uf)) > a.unita; ++i) {
            const double um = (uf + uc) / 2;
            (prova.calcola(c.membro, a.x(um)) ? uc : uf) = um;
        }
    }
    const double scala = std::pow(10.0, a.mostra.decimali);
    const double s = a.x(uc) * a.mostra.fattore * scala;
    // A range's bound offered as it is rounds into the range.
    const bool indietro = v.dentro;
    const double r = (v.d > 0) == indietro ? std::floor(s + 1e-6) : std::ceil(s - 1e-6);
    constexpr int TentativiArrotondamento = 5;
    for (int k = 0; k < TentativiArrotondamento; ++k) {
        const double valore = (r + v.d * k) / scala / a.mostra.fattore;
        if (valore < a.min - a.unita || valore > a.max + a.unita)
            break;
        if (v.d * (valore - a.v) <= 0)
            continue;
        if (!prova.calcola(c.membro, valore) || !valoreNonValido(prova.lavoro()).empty())
            continue;
        Trovato t{a.distanza(valore), {c.nome, valore, {}}};
        t.s.messaggio = std::string("Con ") + c.etichetta + " = " + mostrato(a.mostra, valore) +
                        " (invece di " + mostrato(a.mostra, a.v) +
                        ") lo schema si calcola: " + risultati(prova.lavoro());
        return t;
    }
    return std::nullopt;
}

} // namespace

std::vector<Suggerimento> suggerimenti(const TLavoro& fallito, int massimo) {
    if (fallito.CodiceErrore == 0 || fallito.TipoImpianto > 5 || massimo <= 0)
        return {};
    const PatmDelLavoro patm(fallito);
    Prova prova(fallito);

    std::vector<Asse> assi;
    for (const Campo* c : campiDelloSchema(fallito))
        assi.push_back(asse(*c, fallito));
    std::vector<Verso> versi;
    std::priority_queue<Candidato, std::vector<Candidato>, std::greater<>> coda;
    // A direction is queued by the least change it can still offer: that of
    // its last failing value, above which the boundary lies.
    const auto accoda = [&](std::size_t i) {
        const Verso& v = versi[i];
        const Asse& a = assi[v.asse];
        coda.push({a.distanza(a.x(v.dentro ? v.uFallito : v.uProssimo)), i});
    };
    for (std::size_t i = 0; i < assi.size(); ++i)
        for (const int d : {-1, +1})
            if (std::optional<Verso> v = primoPasso(assi[i], i, d)) {
                versi.push_back(*v);
                accoda(versi.size() - 1);
            }

    // Every field's values in order of the relative change, whichever
    // field: once `massimo` fields compute, a direction that cannot come
    // nearer than the furthest of them is not tried further, so asking for
    // one gives the first of a longer list.
    std::vector<Trovato> trovati;
    std::vector<bool> fatto(assi.size(), false);
    const auto soglia = [&] {
        if (trovati.size() < static_cast<std::size_t>(massimo))
            return std::numeric_limits<double>::infinity();
        return trovati[static_cast<std::size_t>(massimo) - 1].distanza;
    };
    while (!coda.empty() && coda.top().distanza < soglia()) {
        const std::size_t iv = coda.top().verso;
        coda.pop();
        Verso& v = versi[iv];
        if (fatto[v.asse])
            continue;
        const Asse& a = assi[v.asse];
        const double u = v.uProssimo;
        if (prova.calcola(a.campo->membro, a.x(u))) {
            // A boundary whose rounded values do not compute ends only
            // this direction.
            if (std::optional<Trovato> t = affina(a, v, u, prova)) {
                fatto[v.asse] = true;
                trovati.push_back(std::move(*t));
                std::stable_sort(
                    trovati.begin(), trovati.end(),
                    [](const Trovato& p, const Trovato& q) { return p.distanza < q.distanza; });
            }
            continue;
        }
        if (v.ultimo)
            continue;
        v.uFallito = u;
        v.dentro = true;
        const double lontano = v.d > 0 ? a.u(a.max) : a.u(a.min);
        v.uProssimo = u + v.d * a.campo->passo;
        if (v.d * (v.uProssimo - lontano) >= 0) {
            v.uProssimo = lontano;
            v.ultimo = true;
        }
        accoda(iv);
    }

    std::vector<Suggerimento> s;
    for (Trovato& t : trovati) {
        if (s.size() == static_cast<std::size_t>(massimo))
            break;
        s.push_back(std::move(t.s));
    }
    return s;
}

} // namespace tarvelo
