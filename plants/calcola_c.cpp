// Configuration C: summer, all outdoor air; a coil of given surface
// temperature cools and dehumidifies A to C, a reheater warms C to the
// supply state D.
#include "engine/moist_air.h"
#include "plants/plant_context.h"
#include "treatments/coil_solver.h"
#include "treatments/point_fill.h"

#include <cmath>

namespace tarvelo {

namespace {

// The supply humidity at which the line B–D has the room's ratio of
// sensible to total load: a walk down from xB whose step halves and turns
// at every crossing. A step needs only the enthalpies of B1 and D: the two
// points are completed once, where the walk ends or a check stops it, as a
// point from puntoDaTbsX depends on its tbs and x alone (a full state at
// every step was four fifths of a row's time).
void umiditaImmissione(ContestoImpianto& c, TTrattamento& unione) {
    TLavoro& l = c.l;
    const TPunto &b = c.punto(2), &ts = c.punto(5);
    TPunto& d = c.punto(4);
    TPunto& b1 = unione.PuntoAux1;
    double x = b.x;
    const auto completa = [&] {
        puntoDaTbsX(b1, b.tbs, x);
        puntoDaTbsX(d, l.tbsImm, x);
        d.Maniglia = 2;
    };
    double s = 0.0001;
    bool su = false;
    try {
        for (int passo = 0;; ++passo) {
            if (passo == PassiMaxRicercaC)
                c.ferma(CodiceRicercaLunga);
            x -= s;
            if (x <= ts.x)
                c.ferma(413, false);
            const double hD = HdaTbsX(l.tbsImm, x);
            unione.dhSen = HdaTbsX(b.tbs, x) - hD;
            unione.dhTot = b.h - hD;
            const double r = c.dividi(unione.dhSen, unione.dhTot) - l.CsenCtot;
            if (std::fabs(r) < 0.001)
                break;
            if (r > 0 && su) {
                s = -s / 2;
                su = false;
            } else if (r <= 0 && !su) {
                s = -s / 2;
                su = true;
            }
        }
    } catch (const FermoCalcolo&) {
        completa();
        throw;
    }
    completa();
}

} // namespace

void Calcola_C(ContestoImpianto& c) {
    TLavoro& l = c.l;
    TPunto &a = c.punto(1), &b = c.punto(2), &m = c.punto(3), &d = c.punto(4), &ts = c.punto(5);
    puntoTsTrovato(ts, l.tSup);
    ts.Maniglia = 4;
    c.mostra(ts);

    l.NumPunti = 5;
    l.TitoloSequenza.assegna("CONDIZIONAMENTO ESTIVO TUTTA ARIA ESTERNA");
    l.NumTrattamenti = 4;
    impostaTratto(c.tratto(1), 1, 3, LineaTratto::Piena, "Raffreddamento con\r\ndeumidificazione",
                  2, 1);
    impostaTratto(c.tratto(2), 2, 4, LineaTratto::Piena, "", 5, 0);
    impostaTratto(c.tratto(3), 3, 4, LineaTratto::Piena, "Postriscaldamento", 3, 1);
    impostaTratto(c.tratto(4), 3, 5, LineaTratto::Estensione, "", 5, 0);
    impostaPunto(m, "C", 60, 8, 6);

    TTrattamento& unione = c.tratto(2);
    if (l.CsenCtot == 0) {
        l.tbsImm = b.tbs;
        puntoDaTbsX(d, l.tbsImm, l.flgXPick == 1 ? l.xPick : 1.01 * ts.x);
        impostaPunto(d, "D", 60, 8, 5);
        unione.dhSen = 0;
        unione.dhTot = b.h - d.h;
    } else {
        l.flgXPick = 0;
        impostaPunto(d, "D", 60, 8, 2);
        umiditaImmissione(c, unione);
    }
    c.mostra(d);
    c.linea(b, d);
    c.tr.riga("dhtot= ", unione.dhTot);
    c.tr.riga("dhsen= ", unione.dhSen);

    l.Qimm = c.dividi(l.Ctot, unione.dhTot) * 1000.0;
    c.tr.riga("Qimm= ", l.Qimm);
    for (TPunto* p : {&a, &b, &m, &d})
        p->qm = l.Qimm;
    const double mts = c.dividi(a.x - ts.x, a.tbs - ts.tbs);
    puntoDaTbsX(m, c.dividi(d.x - a.x + mts * a.tbs, mts), d.x);
    c.mostra(m);
    c.linea(a, m);
    c.linea(m, d);

    TTrattamento& batteria = c.tratto(1);
    batteriaFredda(c, batteria, a, m);
    acquaTrattata(c, batteria, a.x - m.x);
    riscaldamento(c, c.tratto(3), m, d);
    portataVolume(c);
    l.fs = c.dividi(a.tbs - m.tbs, a.tbs - ts.tbs);

    if (d.tbs < m.tbs)
        c.ferma(407, false);
    if (m.UR >= 100)
        c.ferma(408, false);
    if (!segmentoAsciutto(ts.tbs, m.tbs, mts))
        c.ferma(409, false);

    // The search only checks: no trace, no refinement, point 5 stays.
    const RicercaTs r{.tL = a.tbs,
                      .xL = a.x,
                      .mts = mts,
                      .tStart = m.tbs,
                      .tK = m.tbs,
                      .codPendenza = 405,
                      .codSottoZero = 402,
                      .codLimite = 203,
                      .codOltre = 406,
                      .codGuasto = 202,
                      .traccia = false,
                      .affina = false};
    double tps = 0;
    if (const int esito = cercaTs(c, r, tps); esito != 1)
        c.segnala(esito);
    riepilogoFinale(c);
}

} // namespace tarvelo
