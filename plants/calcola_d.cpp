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

    TPunto &b = c.punto(2), &m = c.punto(3), &d = c.punto(4), &e = c.punto(5);
    impostaPunto(m, "C", -25, -25, 6);
    // No supply flow: the shares would divide by zero.
    miscelaAB(c, 6);
    if (l.Qimm <= 0)
        c.ferma(6);

    const double hE = b.h + (l.Csens - l.Clat) * 1000.0 / l.Qimm;
    if (l.flgCx == 0)
        l.Cx = l.Clat / CaloreLatenteCx;
    const double xE = b.x - l.Cx / (l.Qimm * 1000.0);
    c.tr.riga("xE =", xE * 1000.0);
    puntoDaTbsX(e, TbsdaXH(xE, hE), xE);
    impostaPunto(e, "E", -25, -25, 6);
    e.qm = m.qm;

    const double acqua = vapore ? HVapore(l.tH2O) * 1000.0 : l.tH2O * 0.004187 * 1000.0 * 1000.0;
    const double hD = hE - (xE - m.x) * acqua;
    puntoDaTbsX(d, TbsdaXH(m.x, hD), m.x);
    impostaPunto(d, "D", 60, 8, 6);
    d.qm = m.qm;
    c.mostra(d);
    c.mostra(e);
    c.linea(m, d);
    c.linea(d, e);
    c.linea(b, e);

    riscaldamento(c, c.tratto(2), m, d);
    acquaTrattata(c, c.tratto(3), e.x - d.x);
    portataVolume(c);
    l.DtRiscaldamento = d.tbs - m.tbs;
    if (e.tbs - b.tbs <= 0)
        c.ferma(208);
    l.Regolabilita = (d.tbs - m.tbs) / (e.tbs - b.tbs);
    riepilogoFinale(c);
}

} // namespace tarvelo
