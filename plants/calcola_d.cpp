// Configurations D and E: winter, all air; A mixed with B into C, heated to
// D, humidified to the supply state E, with water (D) or steam (E).
#include "engine/moist_air.h"
#include "engine/numeric.h"
#include "plants/plant_context.h"
#include "treatments/point_fill.h"

namespace tarvelo {

void Calcola_D(ContestoImpianto& c) {
    TLavoro& l = c.l;
    const bool vapore = l.TipoImpianto == 4;
    l.NumPunti = 5;
    l.TitoloSequenza.assegna("CONDIZIONAMENTO INVERNALE TUTTA ARIA");
    l.NumTrattamenti = 4;
    impostaTratto(c.tratto(1), 1, 2, LineaTratto::Piena, "Miscela", 0, 1);
    impostaTratto(c.tratto(2), 3, 4, LineaTratto::Piena, "Riscaldamento", 3, 1);
    impostaTratto(c.tratto(3), 4, 5, LineaTratto::Piena,
                  vapore ? "Umidificazione\r\ncon vapore" : "Umidificazione\r\nadiabatica",
                  vapore ? 6 : 4, 1);
    impostaTratto(c.tratto(4), 2, 5, LineaTratto::Piena, "", 5, 0);

    TPunto &a = c.punto(1), &b = c.punto(2), &m = c.punto(3), &d = c.punto(4), &e = c.punto(5);
    const double QA = l.Qrinn;
    const double QB = l.Qimm - QA;
    const double QC = QB + QA;
    a.qm = QA;
    b.qm = QB;
    m.qm = QC;
    c.tr.riga("QA= ", QA);
    c.tr.riga("QB= ", QB);
    c.tr.riga("QC= ", QC);
    // No supply flow: the shares below would divide by zero.
    if (QC == 0.0)
        c.ferma(6);
    const double RA = QA / QC, RB = QB / QC;
    a.Quota = RA;
    b.Quota = RB;
    c.tr.riga("RA= ", RA);
    c.tr.riga("RB= ", RB);
    const double tC = RB * b.tbs + RA * a.tbs;
    const double xC = RB * b.x + RA * a.x;
    c.tr.riga("tbsC= ", tC);
    c.tr.riga("WC= ", xC * 1000.0);
    puntoDaTbsX(m, tC, xC);
    impostaPunto(m, "C", -25, -25, 6);
    c.tr.riga("hC= ", m.h);
    c.mostra(m);
    c.linea(a, b);
    if (l.Qimm <= 0)
        c.ferma(6);

    const double hE = b.h + (l.Csens - l.Clat) * 1000.0 / l.Qimm;
    if (l.flgCx == 0)
        l.Cx = l.Clat / CaloreLatenteCx;
    const double xE = b.x - l.Cx / (l.Qimm * 1000.0);
    c.tr.riga("xE =", xE * 1000.0);
    puntoDaTbsX(e, TbsdaXH(xE, hE), xE);
    impostaPunto(e, "E", -25, -25, 6);
    e.qm = QC;

    const double acqua = vapore ? HVapore(l.tH2O) * 1000.0 : l.tH2O * 0.004187 * 1000.0 * 1000.0;
    const double hD = hE - (xE - xC) * acqua;
    puntoDaTbsX(d, TbsdaXH(xC, hD), xC);
    impostaPunto(d, "D", 60, 8, 6);
    d.qm = QC;
    c.mostra(d);
    c.mostra(e);
    c.linea(m, d);
    c.linea(d, e);
    c.linea(b, e);

    TTrattamento& risc = c.tratto(2);
    risc.Qtot = (d.h - m.h) * l.Qimm;
    risc.Qsen = risc.Qtot;
    risc.ST = 1;
    c.tr.riga("Qtot=", risc.Qtot, 3);
    c.tr.riga("Qsen=", risc.Qsen, 3);
    c.tr.riga("Qsen/Qtot=", risc.ST, 3);
    TTrattamento& umid = c.tratto(3);
    umid.dx = e.x - d.x;
    c.tr.riga("dx= ", umid.dx * 1000.0);
    umid.qx = umid.dx * l.Qimm;
    c.tr.riga("qx= ", umid.qx * 1000.0);
    if (umid.qx < 0)
        c.segnala(410);
    l.Qv = l.Qimm * 3600.0 * VolumeSpecificoFisso;
    l.QvVol = l.Qv / l.Volume;
    c.tr.riga("Qv= ", l.Qv);
    c.tr.riga("Qv/Vol= ", l.QvVol);
    l.DtRiscaldamento = d.tbs - m.tbs;
    if (e.tbs - b.tbs <= 0)
        c.ferma(208);
    l.Regolabilita = (d.tbs - m.tbs) / (e.tbs - b.tbs);
    riepilogoFinale(c);
}

} // namespace tarvelo
