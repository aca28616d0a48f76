// Configuration B: summer, primary air and fan-coils; outdoor air A cooled
// and dehumidified to the primary-air supply C, the fan-coils taking the
// rest of the room's sensible load.
#include "plants/plant_context.h"
#include "treatments/point_fill.h"

namespace tarvelo {

void Calcola_B(ContestoImpianto& c) {
    TLavoro& l = c.l;
    l.NumPunti = 4;
    l.TitoloSequenza.assegna("CONDIZIONAMENTO ESTIVO ARIA PRIMARIA");
    l.NumTrattamenti = 3;
    impostaTratto(c.tratto(1), 2, 3, LineaTratto::Piena, "", 5, 0);
    impostaTratto(c.tratto(2), 1, 3, LineaTratto::Piena, "Raffreddamento con\r\ndeumidificazione",
                  2, 1);
    impostaTratto(c.tratto(3), 3, 4, LineaTratto::Estensione, "", 5, 0);

    TPunto &a = c.punto(1), &b = c.punto(2), &m = c.punto(3);
    TTrattamento& t = c.tratto(2);
    l.Qimm = l.Qrinn;
    c.tr.riga("Qimm =", l.Qimm, 4);
    // The classic scheme divides by the fresh-air flow unchecked.
    if (l.Qrinn <= 0)
        c.ferma(CodiceQrinnNullo);
    a.qm = l.Qimm;
    m.qm = l.Qimm;
    if (l.flgCx == 0)
        l.Cx = l.Clat / CaloreLatenteCx;
    const double xC = b.x - l.Cx / (l.Qimm * 1000.0);
    c.tr.riga("xC =", xC * 1000.0);
    puntoDaTbsX(m, l.tbsImm, xC);
    impostaPunto(m, "C", 60, 8, 2);
    c.mostra(m);
    c.linea(a, m);
    c.linea(b, m);

    batteriaFredda(c, t, a, m);

    puntoDaTbsX(t.PuntoAux1, b.tbs, xC);
    t.QsenFan = (t.PuntoAux1.h - m.h) * l.Qimm;
    c.tr.riga("Consen=", t.QsenFan / 1000.0, 3);
    t.QFan = l.Csens * 1000.0 - t.QsenFan;
    c.tr.riga("QFAN=", t.QFan / 1000.0, 3);

    acquaTrattata(c, t, a.x - m.x);
    portataVolume(c);
    const bool saturo = m.UR > 99;
    if (saturo)
        c.segnala(206);

    // From a supply at or beyond saturation the line A-C does reach the
    // curve (between C and A), and the walk below C finds no crossing only
    // because of where C lies: that is reported as the supply's humidity,
    // not as a line that misses the curve.
    const double mts = c.dividi(a.x - m.x, a.tbs - m.tbs);
    const RicercaTs r{.tL = m.tbs,
                      .xL = m.x,
                      .tR = a.tbs,
                      .xR = a.x,
                      .mts = mts,
                      .tStart = m.tbs,
                      .tK = a.tbs,
                      .codPendenza = saturo ? 206 : 215,
                      .codSottoZero = saturo ? 206 : 212,
                      .codLimite = saturo ? 206 : 213,
                      .codOltre = 216,
                      .codGuasto = 212,
                      .traccia = false};
    puntoTsBatteria(c, r, c.punto(4), a.tbs, m.tbs);
    riepilogoFinale(c);
}

} // namespace tarvelo
