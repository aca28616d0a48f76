#include "treatments/treatment_calc.h"

#include "document/error_messages.h"
#include "document/work_record_ops.h"
#include "engine/format_mask.h"
#include "engine/moist_air.h"
#include "engine/state_solver.h"
#include "treatments/coil_solver.h"
#include "treatments/point_fill.h"
#include "treatments/process.h"
#include "treatments/treatment_bounds.h"
#include "treatments/treatment_defaults.h"

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace tarvelo {

namespace {

constexpr std::int32_t Blu = 0xFF0000; // Windows colour values, red in the low byte
constexpr std::int32_t Rosso = 0x0000FF;

TPunto* slotPunto(TLavoro& l, int n) {
    return n >= 1 && n <= static_cast<int>(TLavoro::MaxPunti)
               ? &l.Punti[static_cast<std::size_t>(n - 1)]
               : nullptr;
}

// The slot a point is computed in: the linked point when there is one.
int effettivo(const TDatiTrattamento& d, int i, int slot) {
    return d.Collega[static_cast<std::size_t>(i)] != -1 ? d.Collega[static_cast<std::size_t>(i)]
                                                        : slot;
}
bool collegato(const TDatiTrattamento& d, int i) {
    return d.Collega[static_cast<std::size_t>(i)] != -1;
}

// What every computed point receives: name, label (when not linked),
// Marcato, InUso and the flow (when not linked).
void completaPunto(TPunto& p, const StringaPascal<3>& nome, int posEtich, bool linked,
                   double flusso, bool etichettaSempre = false) {
    p.Nome.assegna(nome.testo());
    if (!linked || etichettaSempre)
        PosEtichetta(posEtich, p);
    p.Marcato = 1;
    p.InUso = 1;
    if (!linked)
        p.qm = flusso;
}

// UR checks in the kind's order: each point above saturation adds 3000 to
// Errore; the first one names its code in the message.
void controlliUR(TTrattamento& t, std::vector<std::pair<const TPunto*, int>> punti,
                 int& messaggio) {
    for (const auto& [p, codice] : punti) {
        if (p && p->UR > 100.0) {
            if (messaggio == 0)
                messaggio = codice;
            t.Errore = static_cast<std::uint16_t>(t.Errore + 3000);
        }
    }
}

void intestazione(TTrattamento& t, int p1, int p2, std::uint8_t tipo, const char* etichetta,
                  std::uint8_t reale) {
    t.Punto1 = p1;
    t.Punto2 = p2;
    t.Colore = Blu;
    t.Stile0 = 7;
    t.Spessore = 3;
    t.StilePenna = 0;
    t.Tipo = tipo;
    t.Etichetta.assegna(etichetta);
    t.Reale = reale;
    t.Visibile = 1;
}

struct Punti {
    TPunto* p1;
    TPunto* p2;
    TPunto* p3;
    int i1, i2, i3;
};

Punti punti(TLavoro& l, const TDatiTrattamento& d, const SlotPunti& s) {
    Punti r{};
    r.i1 = effettivo(d, 0, s.p1);
    r.i2 = effettivo(d, 1, s.p2);
    r.i3 = effettivo(d, 2, s.p3);
    r.p1 = slotPunto(l, r.i1);
    r.p2 = slotPunto(l, r.i2);
    r.p3 = slotPunto(l, r.i3);
    return r;
}

// The kinds, computed from the input block; `dialogo` marks the dialog's
// own computation (header, names, labels, extension line) as against the
// recalculation of the sequence (values only). Returns the code to show
// (0 when none).
int miscela(TTrattamento& t, const Punti& p, bool dialogo) {
    TDatiTrattamento& d = t.Dati;
    // The sequence recalculation works on the points as they stand: a
    // state taken back from its (tbs, UR) would drift by a few ulps.
    // A linked point is the stored state of the point it names, never
    // rebuilt from the rounded pair the fields show.
    if (dialogo && !collegato(d, 0))
        puntoDaTbsUR(*p.p1, d.tbs1, d.UR1 / 100.0);
    if (dialogo && !collegato(d, 1))
        puntoDaTbsUR(*p.p2, d.tbs2, d.UR2 / 100.0);
    double tbs3 = p.p3->tbs, x3 = p.p3->x;
    int codice = CalcMiscela(d.modoMiscela, tbs3, x3, d.port3, d.port2, d.port1, d.perc2, d.perc1,
                             p.p1->tbs, p.p1->x, p.p2->tbs, p.p2->x);
    t.Errore = static_cast<std::uint16_t>(codice);
    puntoDaTbsX(*p.p3, tbs3, x3);
    if (dialogo) {
        completaPunto(*p.p1, d.Nome1, d.PosEtich[0], collegato(d, 0), d.port1);
        completaPunto(*p.p2, d.Nome2, d.PosEtich[1], collegato(d, 1), d.port2);
        completaPunto(*p.p3, d.Nome3, d.PosEtich[2], collegato(d, 2), d.port3, true);
    } else {
        if (!collegato(d, 0))
            p.p1->qm = d.port1;
        if (!collegato(d, 1))
            p.p2->qm = d.port2;
        if (!collegato(d, 2))
            p.p3->qm = d.port3;
    }
    controlliUR(t, {{p.p3, 3000}, {p.p1, 1000}, {p.p2, 2000}}, codice);
    if (dialogo) {
        intestazione(t, p.i1, p.i2, TipoMiscela, "Miscela", 1);
        t.Punto3 = p.i3;
    }
    return codice;
}

int riscaldamentoRaffreddamento(TTrattamento& t, const Punti& p, bool dialogo,
                                bool ricalcolaPunto2) {
    TDatiTrattamento& d = t.Dati;
    const int tipo = t.Tipo;
    if (dialogo && !collegato(d, 0))
        puntoDaTbsUR(*p.p1, d.tbs1, d.UR1 / 100.0);
    if (ricalcolaPunto2)
        puntoDaTbsX(*p.p2, d.tbs2, p.p1->x);
    double h2 = p.p2->h;
    int codice = CalcRiscRaff(d.modoPotenza, tipo, h2, d.potenza, d.portata, p.p1->h);
    t.Errore = static_cast<std::uint16_t>(codice);
    if (d.modoPotenza == 0 && codice == 0) {
        const double x1 = p.p1->x;
        puntoDaXH(*p.p2, x1, h2);
        p.p2->x = x1;
    }
    if (dialogo) {
        completaPunto(*p.p1, d.Nome1, d.PosEtich[0], collegato(d, 0), d.portata);
        completaPunto(*p.p2, d.Nome2, d.PosEtich[1], collegato(d, 1), d.portata);
    } else {
        if (!collegato(d, 0))
            p.p1->qm = d.portata;
        if (!collegato(d, 1))
            p.p2->qm = d.portata;
    }
    controlliUR(t, {{p.p1, 1000}, {p.p2, 2000}}, codice);
    t.Qsen = t.Qtot = 1000.0 * d.potenza;
    t.ST = 1.0;
    d.tbs2 = p.p2->tbs;
    if (dialogo)
        intestazione(t, p.i1, p.i2, static_cast<std::uint8_t>(tipo),
                     tipo == TipoRiscaldamento ? "Riscaldamento" : "Raffreddamento", 1);
    return codice;
}

int umidificazione(TTrattamento& t, const Punti& p, bool dialogo) {
    TDatiTrattamento& d = t.Dati;
    if (dialogo && !collegato(d, 0))
        puntoDaTbsX(*p.p1, d.tbs1, d.UR1 / 1000.0);
    const double x1 = p.p1->x, x2 = d.tbs2 / 1000.0;
    double h2 = 0;
    CalcUmidificazione(d.vapore, h2, d.tMezzo, x2, p.p1->h, x1);
    t.Errore = 0;
    puntoDaTbsX(*p.p2, TbsdaXH(x2, h2), x2);
    if (dialogo) {
        completaPunto(*p.p1, d.Nome1, d.PosEtich[0], collegato(d, 0), d.portata);
        completaPunto(*p.p2, d.Nome2, d.PosEtich[1], collegato(d, 1), d.portata);
    } else {
        if (!collegato(d, 0))
            p.p1->qm = d.portata;
        if (!collegato(d, 1))
            p.p2->qm = d.portata;
    }
    int codice = 0;
    controlliUR(t, {{p.p1, 1000}, {p.p2, 2000}}, codice);
    t.qx = std::fabs(x1 - x2) * d.portata;
    if (dialogo) {
        const bool vapore = d.vapore != 0;
        intestazione(t, p.i1, p.i2, vapore ? TipoUmidificazioneVapore : TipoUmidificazione,
                     vapore ? "Umidificazione\r\ncon vapore" : "Umidificazione\r\nadiabatica", 1);
    }
    return codice;
}

int batteriaUnione(TLavoro& l, int k, TTrattamento& t, const Punti& p, bool dialogo) {
    TDatiTrattamento& d = t.Dati;
    const bool coil = t.Tipo == TipoBatteriaFredda;
    if (dialogo && !collegato(d, 0))
        puntoDaTbsUR(*p.p1, d.tbs1, d.UR1 / 100.0);
    if (dialogo && !collegato(d, 1))
        puntoDaTbsX(*p.p2, d.tbs2, d.UR2 / 1000.0);
    TPunto scratchTs;
    Batteria b;
    b.tipo = t.Tipo;
    b.modo = coil ? d.modoBatteria : modoUnione(d.modoBatteria);
    b.x1 = p.p1->x;
    b.h1 = p.p1->h;
    b.tbs1 = p.p1->tbs;
    b.tbsMinChart = l.TestataChart.tbsMin;
    b.punto2 = p.p2;
    b.puntoTs = p.p3 ? p.p3 : &scratchTs;
    b.aux1 = &t.PuntoAux1;
    b.t0 = t.t0;
    b.qimm = d.qimm;
    b.STcoil = t.STcoil;
    b.fsDato = d.fsDato;
    b.ts = d.ts;
    b.L = d.L;
    b.T = d.T;
    b.S = d.S;
    int codice = CalcBatteria(b);
    t.t0 = b.t0;
    d.qimm = b.qimm;
    t.STcoil = b.STcoil;
    d.fsDato = b.fsDato;
    d.ts = b.ts;
    d.T = b.T;
    d.S = b.S;
    t.Errore = static_cast<std::uint16_t>(codice);
    if (dialogo) {
        if (!collegato(d, 0)) {
            p.p1->Nome.assegna(d.Nome1.testo());
            PosEtichetta(d.PosEtich[0], *p.p1);
        }
        p.p1->Marcato = p.p1->InUso = 1;
        completaPunto(*p.p2, d.Nome2, d.PosEtich[1], collegato(d, 1), d.qimm);
    }
    if (!collegato(d, 0))
        p.p1->qm = d.qimm;
    if (!collegato(d, 1))
        p.p2->qm = d.qimm;
    controlliUR(t, {{p.p1, 1000}, {p.p2, 2000}}, codice);
    d.tbs2 = p.p2->tbs;
    d.UR2 = p.p2->x * 1000.0;
    t.Qsen = 1000.0 * d.S;
    t.Qtot = 1000.0 * d.T;
    if (d.T > 0)
        t.ST = d.S / d.T;
    t.qx = std::fabs(p.p1->x - p.p2->x) * d.qimm;
    if (dialogo) {
        intestazione(t, p.i1, p.i2, t.Tipo, coil ? "Raffreddamento\r\ncon deumidificazione" : "",
                     coil ? 1 : 0);
        if (!coil)
            t.Estensione = 1;
        if (coil && k < static_cast<int>(TLavoro::MaxTrattamenti)) {
            TTrattamento& e = l.Trattamenti[static_cast<std::size_t>(k)];
            e.Punto1 = p.i2;
            e.Punto2 = p.i3;
            e.Colore = Rosso;
            e.Stile0 = 2;
            e.Spessore = 2;
            e.StilePenna = 4;
            e.Etichetta.assegna("");
            e.Tipo = TipoUnione;
            e.Reale = 0;
            e.Estensione = 0;
            e.Visibile = 1;
            if (p.p3 && b.tbs1 != p.p3->tbs)
                l.fs = (b.tbs1 - p.p2->tbs) / (b.tbs1 - p.p3->tbs);
        }
    }
    return codice;
}

int calcolaTipo(TLavoro& l, int k, TTrattamento& t, const Punti& p, bool dialogo) {
    switch (t.Tipo) {
    case TipoMiscela:
        return p.p3 ? miscela(t, p, dialogo) : 0;
    case TipoRaffreddamento:
    case TipoRiscaldamento:
        return riscaldamentoRaffreddamento(t, p, dialogo, dialogo || t.Dati.modoPotenza == 0);
    case TipoUmidificazione:
    case TipoUmidificazioneVapore:
        return umidificazione(t, p, dialogo);
    case TipoBatteriaFredda:
    case TipoUnione:
        return batteriaUnione(l, k, t, p, dialogo);
    default:
        return 0;
    }
}

// The first point the treatment computed that is not a state of moist air,
// or value of its input block beyond what a work file is opened with (a
// contact factor from a surface a hair from the inlet); empty when none.
std::string esitoFuoriCampo(int k, const TTrattamento& t, const Punti& p) {
    std::string m = verificaPunto(p.i1, *p.p1);
    if (m.empty())
        m = verificaPunto(p.i2, *p.p2);
    if (m.empty() && p.p3 && (t.Tipo == TipoMiscela || t.Tipo == TipoBatteriaFredda))
        m = verificaPunto(p.i3, *p.p3, t.Tipo == TipoBatteriaFredda);
    return m.empty() ? valoreNonValido(t.Dati, k) : m;
}

// `fuoriCampo` receives the input, or the outcome, out of range when the
// treatment is refused (CodiceFuoriCampo): the work is then left as it was
// but for Errore.
int calcola(TLavoro& l, int k, const SlotPunti& slot, bool dialogo, std::string& fuoriCampo) {
    TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k - 1)];
    const Punti p = punti(l, t.Dati, slot);
    if (!p.p1 || !p.p2)
        return 0;
    fuoriCampo = verificaDati(t);
    if (!fuoriCampo.empty()) {
        t.Errore = CodiceFuoriCampo;
        return CodiceFuoriCampo;
    }
    // An outcome beyond the relations, or beyond what a work file holds,
    // would leave values in the work that could be neither drawn nor
    // opened again.
    const auto prima = std::make_unique<TLavoro>(l);
    const int codice = calcolaTipo(l, k, t, p, dialogo);
    fuoriCampo = esitoFuoriCampo(k, t, p);
    if (fuoriCampo.empty())
        return codice;
    l = *prima;
    t.Errore = CodiceFuoriCampo;
    return CodiceFuoriCampo;
}

// The message of a code just returned by `calcola`, with the values of the
// treatment and of its points as the computation left them.
std::string messaggio(TLavoro& l, const TTrattamento& t, const SlotPunti& slot, int codice,
                      const std::string& fuoriCampo) {
    const Punti p = punti(l, t.Dati, slot);
    std::string m = MessaggioTrattamento(codice, t, *p.p1, *p.p2, p.p3);
    if (!fuoriCampo.empty())
        m += ": " + fuoriCampo;
    return m;
}

} // namespace

void applicaPortataImposta(TLavoro& l, TTrattamento& t) {
    TDatiTrattamento& d = t.Dati;
    if (d.PuntoPortata != -1) {
        if (const TPunto* q = slotPunto(l, d.PuntoPortata)) {
            if (t.Tipo == TipoMiscela) {
                d.port3 = q->qm;
            } else if (t.Tipo == TipoBatteriaFredda || t.Tipo == TipoUnione) {
                d.qimm = q->qm;
                // A position the short list does not have falls back to 0.
                static const int unione[4] = {1, 3, 4, 5};
                d.modoBatteria = static_cast<std::uint8_t>(
                    t.Tipo == TipoBatteriaFredda ? (d.posLista < 3 ? d.posLista + 1 : 1)
                                                 : (d.posLista < 4 ? unione[d.posLista] : 1));
            } else {
                d.portata = q->qm;
            }
        }
    }
}

void prendiPuntiCollegati(TLavoro& l, TTrattamento& t) {
    TDatiTrattamento& d = t.Dati;
    const bool umidificazione = t.Tipo == TipoUmidificazione || t.Tipo == TipoUmidificazioneVapore;
    const bool batteria = t.Tipo == TipoBatteriaFredda || t.Tipo == TipoUnione;
    if (const TPunto* p = collegato(d, 0) ? slotPunto(l, d.Collega[0]) : nullptr) {
        d.tbs1 = p->tbs;
        d.UR1 = umidificazione ? p->x * 1000.0 : p->UR;
        d.Nome1.assegna(p->Nome.testo());
    }
    if (const TPunto* p = collegato(d, 1) ? slotPunto(l, d.Collega[1]) : nullptr) {
        d.tbs2 = umidificazione ? p->x * 1000.0 : p->tbs;
        if (t.Tipo == TipoMiscela)
            d.UR2 = p->UR;
        else if (batteria)
            d.UR2 = p->x * 1000.0;
        d.Nome2.assegna(p->Nome.testo());
    }
}

int modoUnione(int posizioneLista) {
    static const int modi[6] = {0, 1, 6, 4, 5, 3};
    return posizioneLista >= 0 && posizioneLista < 6 ? modi[posizioneLista] : 0;
}

std::string formaMessaggio(int k, const std::string& testo) {
    return "Tratto " + FormatMask("##", k) + "\r" + testo;
}

EsitoCalcolo calcolaTrattamento(TLavoro& l, int k, const SlotPunti& slot) {
    EsitoCalcolo e;
    if (k < 1 || k > static_cast<int>(TLavoro::MaxTrattamenti))
        return e;
    std::string fuoriCampo;
    const int codice = calcola(l, k, slot, true, fuoriCampo);
    TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k - 1)];
    // Every kind keeps the third slot the dialog reserved for it (the
    // mixture point, the coil's "ts", or a point the others leave alone).
    t.Punto3 = effettivo(t.Dati, 2, slot.p3);
    e.errore = t.Errore;
    if (codice != 0)
        e.messaggio = formaMessaggio(k, messaggio(l, t, slot, codice, fuoriCampo));
    return e;
}

std::string RicalcolaTratti(TLavoro& l, bool quieto) {
    std::string primo;
    const int n = std::min<int>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (int k = 1; k <= n; ++k) {
        TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k - 1)];
        if (t.Tipo == TipoUnione && t.Estensione == 0)
            continue; // the extension line of a coil
        TDatiTrattamento& d = t.Dati;
        const SlotPunti slot{t.Punto1, t.Punto2, t.Punto3};
        const Punti p = punti(l, d, slot);
        if (!p.p1 || !p.p2)
            continue;
        // The input block takes over the points' current values.
        switch (t.Tipo) {
        case TipoMiscela:
            d.tbs1 = p.p1->tbs;
            d.UR1 = p.p1->UR;
            d.tbs2 = p.p2->tbs;
            d.UR2 = p.p2->UR;
            break;
        case TipoBatteriaFredda:
        case TipoUnione:
            d.tbs1 = p.p1->tbs;
            d.UR1 = p.p1->UR;
            d.tbs2 = p.p2->tbs;
            d.UR2 = p.p2->x * 1000.0;
            break;
        case TipoUmidificazione:
        case TipoUmidificazioneVapore:
            d.tbs1 = p.p1->tbs;
            d.UR1 = p.p1->x * 1000.0;
            d.tbs2 = p.p2->x * 1000.0;
            break;
        default:
            d.tbs1 = p.p1->tbs;
            d.UR1 = p.p1->UR;
            d.tbs2 = p.p2->tbs;
            break;
        }
        applicaPortataImposta(l, t);
        std::string fuoriCampo;
        const int codice = calcola(l, k, slot, false, fuoriCampo);
        if (codice != 0 && primo.empty() && !quieto)
            primo = formaMessaggio(k, messaggio(l, t, slot, codice, fuoriCampo));
    }
    return primo;
}

void riassumiTrattamenti(TLavoro& l) {
    const int n = std::min<int>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (int k = 0; k < n; ++k) {
        TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k)];
        if (t.Reale != 1)
            continue;
        const TPunto* a = slotPunto(l, t.Punto1);
        const TPunto* b = slotPunto(l, t.Punto2);
        if (!a || !b)
            continue;
        t.dh = std::fabs(a->h - b->h) / 1000.0;
        t.dx = std::fabs(a->x - b->x) * 1000.0;
        t.dt = std::fabs(a->tbs - b->tbs);
        t.dhdx = t.dx != 0.0 ? t.dh / t.dx : 0.0;
    }
}

namespace {
// Only a mixing (its mixture) and a coil (its "ts") use their third slot;
// the others keep one reserved that the next treatment may take.
bool usaTerzoPunto(const TTrattamento& t) {
    return t.Tipo == TipoMiscela || t.Tipo == TipoBatteriaFredda;
}
} // namespace

void ricalcolaSeguenti(TLavoro& l, int k) {
    const int n = std::min<int>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    if (k < 1 || k > n)
        return;
    // The slots whose state has changed: the treatment's own points first,
    // then those of every later treatment recomputed because of them.
    std::vector<bool> cambiati(TLavoro::MaxPunti + 1, false);
    auto segna = [&](int p) {
        if (p >= 1 && p <= static_cast<int>(TLavoro::MaxPunti))
            cambiati[static_cast<std::size_t>(p)] = true;
    };
    auto tocca = [&](int p) {
        return p >= 1 && p <= static_cast<int>(TLavoro::MaxPunti) &&
               cambiati[static_cast<std::size_t>(p)];
    };
    auto segnaTrattamento = [&](const TTrattamento& t) {
        segna(t.Punto1);
        segna(t.Punto2);
        if (usaTerzoPunto(t))
            segna(t.Punto3);
        for (const std::int32_t c : t.Dati.Collega)
            segna(c);
    };
    segnaTrattamento(l.Trattamenti[static_cast<std::size_t>(k - 1)]);
    for (int j = k + 1; j <= n; ++j) {
        TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(j - 1)];
        if (t.Tipo == TipoUnione && t.Estensione == 0)
            continue; // the extension line of a coil moves with the coil
        const TDatiTrattamento& d = t.Dati;
        const bool dipende = tocca(d.PuntoPortata) || tocca(d.Collega[0]) || tocca(d.Collega[1]) ||
                             tocca(d.Collega[2]) || tocca(t.Punto1) || tocca(t.Punto2) ||
                             (usaTerzoPunto(t) && tocca(t.Punto3));
        if (!dipende)
            continue;
        // As "Calcola" on that treatment would: its linked points and its
        // imposed flow as they now stand, its own inputs as stored.
        prendiPuntiCollegati(l, t);
        applicaPortataImposta(l, t);
        calcolaTrattamento(l, j, {t.Punto1, t.Punto2, t.Punto3});
        segnaTrattamento(t);
    }
}

EsitoCalcolo BtnCalcolaClick(TLavoro& l, int k, const SlotPunti& slot) {
    EsitoCalcolo e = calcolaTrattamento(l, k, slot);
    // A treatment refused for its inputs has changed nothing: the sequence
    // stays as it was, and recalculating it would take the points' values
    // over the inputs the user typed.
    if (e.errore == CodiceFuoriCampo)
        return e;
    // The treatments that take a point or the flow from this one follow
    // it, as they would if each were computed again in turn.
    ricalcolaSeguenti(l, k);
    const std::string altro = RicalcolaTratti(l, !e.messaggio.empty());
    if (e.messaggio.empty())
        e.messaggio = altro;
    // The dialog's error flag is its own computation's outcome; the
    // recalculation records its codes in the treatments only.
    riassumiTrattamenti(l);
    return e;
}

} // namespace tarvelo
