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

    t.Qtot = (a.h - m.h) * l.Qimm;
    c.tr.riga("Qtot=", t.Qtot, 3);
    puntoDaTbsX(t.PuntoAux2, a.tbs, xC);
    t.Qsen = (t.PuntoAux2.h - m.h) * l.Qimm;
    c.tr.riga("Qsen=", t.Qsen, 3);
    t.ST = c.dividi(t.Qsen, t.Qtot);
    c.tr.riga("Qsen/Qtot=", t.ST, 3);

    puntoDaTbsX(t.PuntoAux1, b.tbs, xC);
    t.QsenFan = (t.PuntoAux1.h - m.h) * l.Qimm;
    c.tr.riga("Consen=", t.QsenFan / 1000.0, 3);
    t.QFan = l.Csens * 1000.0 - t.QsenFan;
    c.tr.riga("QFAN=", t.QFan / 1000.0, 3);

    t.dx = a.x - m.x;
    c.tr.riga("dx= ", t.dx * 1000.0);
    t.qx = t.dx * l.Qimm;
    c.tr.riga("qx= ", t.qx * 1000.0);
    if (t.qx < 0)
        c.segnala(410);
    l.Qv = l.Qimm * 3600.0 * VolumeSpecificoFisso;
    l.QvVol = l.Qv / l.Volume;
    c.tr.riga("Qv= ", l.Qv);
    c.tr.riga("Qv/Vol= ", l.QvVol);
    if (m.UR > 99)
        c.segnala(206);

    const double mts = c.dividi(a.x - m.x, a.tbs - m.tbs);
    RicercaTs r;
    r.tL = m.tbs;
    r.xL = m.x;
    r.tR = a.tbs;
    r.xR = a.x;
    r.mts = mts;
    r.tStart = m.tbs;
    r.tK = a.tbs;
    r.codPendenza = 215;
    r.codSottoZero = 212;
    r.codGuasto = 212;
    r.codLimite = 213;
    r.codOltre = 216;
    r.traccia = false;
    double tts = 0;
    const int esito = cercaTs(c, r, tts);
    TPunto& ts = c.punto(4);
    if (esito == 1) {
        puntoTsTrovato(ts, tts);
        l.fs = c.dividi(a.tbs - m.tbs, a.tbs - tts);
        c.tr.riga("fs=", l.fs, 3);
    } else {
        c.segnala(esito);
        puntoTsBordo(c, ts, m.tbs, m.x, mts);
    }
    ts.Marcato = 0;
    c.mostra(ts);
    riepilogoFinale(c);
}

} // namespace tarvelo
