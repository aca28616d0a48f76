#include "treatments/verifiche.h"

#include "document/error_messages.h"

#include <algorithm>
#include <cmath>

namespace tarvelo {

namespace {

const TPunto* punto(const TLavoro& l, int n) {
    if (n < 1 || n > static_cast<int>(TLavoro::MaxPunti))
        return nullptr;
    const TPunto& p = l.Punti[static_cast<std::size_t>(n - 1)];
    return p.InUso && std::isfinite(p.tbs) && std::isfinite(p.x) ? &p : nullptr;
}

bool impianto(const TLavoro& l) {
    return l.TipoImpianto < 6;
}

// The supply and room points: in a plant, the room is point 2 and the
// supply the other end of the room-load line drawn from it; in a sequence
// of treatments, the room-load line drawn by the user goes from the supply
// to the room.
void immissioneEAmbiente(const TLavoro& l, int& immissione, int& ambiente) {
    immissione = ambiente = 0;
    const std::size_t n = std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (std::size_t k = 0; k < n; ++k) {
        const TTrattamento& t = l.Trattamenti[k];
        if (t.Tipo != 5)
            continue;
        if (impianto(l) && (t.Punto1 == 2 || t.Punto2 == 2)) {
            ambiente = 2;
            immissione = t.Punto1 == 2 ? t.Punto2 : t.Punto1;
            return;
        }
        if (!impianto(l) && t.Estensione == 1) {
            immissione = t.Punto1;
            ambiente = t.Punto2;
            return;
        }
    }
}

// The coil surface point: the end of the extension line drawn from the
// coil's outlet, when the search found it.
const TPunto* puntoTs(const TLavoro& l, const TTrattamento& batteria) {
    const std::size_t n = std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (std::size_t k = 0; k < n; ++k) {
        const TTrattamento& e = l.Trattamenti[k];
        if (e.Tipo == 5 && e.Reale == 0 && e.Estensione == 0 && e.Punto1 == batteria.Punto2) {
            const TPunto* ts = punto(l, e.Punto2);
            return ts && ts->Nome.testo() == "ts" ? ts : nullptr;
        }
    }
    return nullptr;
}

class Raccolta {
  public:
    explicit Raccolta(std::vector<Verifica>& v) : v_(v) {}
    void avviso(int codice, std::string m, int punto, int tratto) {
        v_.push_back({codice, LivelloVerifica::Avviso, std::move(m), punto, tratto});
    }
    void informa(int codice, std::string m, int punto, int tratto) {
        v_.push_back({codice, LivelloVerifica::Informazione, std::move(m), punto, tratto});
    }

  private:
    std::vector<Verifica>& v_;
};

std::string nomePunto(const TPunto& p, int n) {
    const std::string nome = p.Nome.testo();
    return nome.empty() ? "punto " + std::to_string(n) : "punto " + nome;
}

void verificaBatteria(const TLavoro& l, const TTrattamento& t, int k, const LimitiVerifiche& lim,
                      Raccolta& r) {
    if (const TPunto* ts = puntoTs(l, t)) {
        const int numeroTs = static_cast<int>(ts - l.Punti.data()) + 1;
        if (ts->tbs < lim.tsBrina)
            r.avviso(VerBrina,
                     "Rischio di brina/ghiaccio sulla batteria: temperatura superficiale ts = " +
                         numero(ts->tbs, 1) + " °C, sotto " + numero(lim.tsBrina, 1) +
                         " °C. Alzare la temperatura di uscita dalla batteria o ridurre la "
                         "deumidificazione richiesta (carico latente, UR ambiente più alta).",
                     numeroTs, k);
        else if (ts->tbs < lim.tsCautela)
            r.informa(VerQuasiBrina,
                      "Batteria vicina al gelo: temperatura superficiale ts = " +
                          numero(ts->tbs, 1) + " °C, sotto " + numero(lim.tsCautela, 1) + " °C.",
                      numeroTs, k);
    }
    const double fs = impianto(l) ? l.fs : t.Dati.fsDato;
    if (std::isfinite(fs) && fs > 0 && (fs < lim.fattoreContattoMin || fs > lim.fattoreContattoMax))
        r.avviso(VerFattoreContatto,
                 "Fattore di contatto della batteria " + numero(fs, 2) + " fuori dal campo " +
                     numero(lim.fattoreContattoMin, 2) + "–" + numero(lim.fattoreContattoMax, 2) +
                     ": una batteria così è improbabile. " +
                     (fs > lim.fattoreContattoMax
                          ? "Allontanare la temperatura di uscita da quella superficiale."
                          : "Avvicinare la temperatura di uscita a quella superficiale."),
                 t.Punto2, k);
    if (std::isfinite(t.qx) && t.qx > 0)
        r.informa(VerCondensa, "Condensa della batteria: " + numero(t.qx * 3600, 1) + " kg/h.",
                  t.Punto2, k);
}

void verificaUmidificatore(const TLavoro& l, const TTrattamento& t, int k,
                           const LimitiVerifiche& lim, Raccolta& r) {
    const TPunto* p1 = punto(l, t.Punto1);
    const TPunto* p2 = punto(l, t.Punto2);
    if (!p1 || !p2)
        return;
    const bool vapore = t.Tipo == 6;
    if (!vapore && p1->tbs - p1->tbu > 1e-6) {
        const double efficienza = (p1->tbs - p2->tbs) / (p1->tbs - p1->tbu) * 100;
        if (efficienza > lim.efficienzaSaturazione)
            r.avviso(VerEfficienzaSaturazione,
                     "L'umidificatore adiabatico richiede un'efficienza di saturazione del " +
                         numero(efficienza, 1) + " %, oltre il " +
                         numero(lim.efficienzaSaturazione, 0) +
                         " %: non realizzabile. Preriscaldare di più l'aria o chiedere meno "
                         "umidità.",
                     t.Punto2, k);
    }
    if (p2->UR > lim.URUscitaUmidificatore)
        r.avviso(VerURUmidificatore,
                 "Uscita dell'umidificatore (" + nomePunto(*p2, t.Punto2) + ") al " +
                     numero(p2->UR, 1) + " % di UR, oltre il " +
                     numero(lim.URUscitaUmidificatore, 0) +
                     " %: gocce trascinate e condensa a valle.",
                 t.Punto2, k);
    if (std::isfinite(t.qx) && t.qx > 0)
        r.informa(VerAcquaUmidificatore,
                  std::string(vapore ? "Vapore immesso dall'umidificatore: "
                                     : "Acqua evaporata nell'umidificatore: ") +
                      numero(t.qx * 3600, 1) + " kg/h.",
                  t.Punto2, k);
}

} // namespace

const char* nomeLivello(LivelloVerifica l) {
    return l == LivelloVerifica::Avviso ? "avviso" : "informazione";
}

PortataReale portataReale(const TLavoro& l) {
    PortataReale r;
    if (!impianto(l))
        return r;
    int immissione = 0, ambiente = 0;
    immissioneEAmbiente(l, immissione, ambiente);
    const TPunto* s = punto(l, immissione);
    if (!s || !(s->v > 0) || !std::isfinite(l.Qimm))
        return r;
    r.puntoImmissione = immissione;
    r.QvReale = l.Qimm * s->v * 3600;
    if (l.Volume > 0)
        r.RicambiReali = r.QvReale / l.Volume;
    return r;
}

std::vector<Verifica> verifiche(const TLavoro& l, const LimitiVerifiche& lim) {
    std::vector<Verifica> v;
    if (impianto(l) && l.CodiceErrore != 0)
        return v;
    Raccolta r(v);
    const std::size_t n = std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (std::size_t i = 0; i < n; ++i) {
        const TTrattamento& t = l.Trattamenti[i];
        const int k = static_cast<int>(i) + 1;
        // A failed calculation leaves values that are not results; a point
        // above saturation (codes from 1000) is a result, and checked.
        if (!t.Reale || (t.Errore != 0 && t.Errore < 1000))
            continue;
        const bool batteria = t.Tipo == 2;
        const bool umidificatore = t.Tipo == 4 || t.Tipo == 6;
        if (batteria || umidificatore) {
            if (const TPunto* p1 = punto(l, t.Punto1); p1 && p1->tbs < lim.tGelo)
                r.avviso(VerAriaGelida,
                         "Aria a " + numero(p1->tbs, 1) + " °C (" + nomePunto(*p1, t.Punto1) +
                             ", sotto " + numero(lim.tGelo, 1) + " °C) entra " +
                             (batteria ? "nella batteria" : "nell'umidificatore") +
                             " senza preriscaldamento: rischio di gelo. Preriscaldarla prima.",
                         t.Punto1, k);
        }
        if (batteria)
            verificaBatteria(l, t, k, lim, r);
        else if (umidificatore)
            verificaUmidificatore(l, t, k, lim, r);
    }

    int immissione = 0, ambiente = 0;
    immissioneEAmbiente(l, immissione, ambiente);
    const TPunto* s = punto(l, immissione);
    const TPunto* a = punto(l, ambiente);
    if (s && s->UR > lim.URImmissione)
        r.avviso(VerURImmissione,
                 "Aria d'immissione (" + nomePunto(*s, immissione) + ") al " + numero(s->UR, 1) +
                     " % di UR, oltre il " + numero(lim.URImmissione, 0) +
                     " %: condensa nei canali. Postriscaldare o alzare la temperatura "
                     "d'immissione.",
                 immissione, 0);
    if (s && a) {
        const double dt = a->tbs - s->tbs;
        if (dt > lim.dtRaffreddamento)
            r.avviso(VerDtRaffreddamento,
                     "Immissione a " + numero(dt, 1) + " K sotto l'ambiente (oltre " +
                         numero(lim.dtRaffreddamento, 0) +
                         " K): diffusione difficile, correnti fredde. Alzare la temperatura "
                         "d'immissione e aumentare la portata.",
                     immissione, 0);
        else if (-dt > lim.dtRiscaldamento)
            r.avviso(VerDtRiscaldamento,
                     "Immissione a " + numero(-dt, 1) + " K sopra l'ambiente (oltre " +
                         numero(lim.dtRiscaldamento, 0) +
                         " K): l'aria calda stratifica sotto il soffitto. Abbassare la "
                         "temperatura d'immissione e aumentare la portata.",
                     immissione, 0);
    }
    if (const PortataReale q = portataReale(l); q.RicambiReali > 0) {
        if (q.RicambiReali < lim.ricambiMin)
            r.avviso(VerRicambiBassi,
                     numero(q.RicambiReali, 2) + " ricambi/h (portata reale " +
                         numero(q.QvReale, 0) + " m³/h su " + numero(l.Volume, 0) +
                         " m³), meno di " + numero(lim.ricambiMin, 0) +
                         ": aria ferma. Aumentare la portata.",
                     immissione, 0);
        else if (q.RicambiReali > lim.ricambiMax)
            r.avviso(VerRicambiAlti,
                     numero(q.RicambiReali, 2) + " ricambi/h (portata reale " +
                         numero(q.QvReale, 0) + " m³/h su " + numero(l.Volume, 0) +
                         " m³), più di " + numero(lim.ricambiMax, 0) +
                         ": correnti e rumore. Ridurre la portata o allargare la differenza di "
                         "temperatura.",
                     immissione, 0);
    }
    return v;
}

} // namespace tarvelo
