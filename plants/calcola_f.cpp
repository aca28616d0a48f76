// Configuration F: winter, all outdoor air; A preheated to C, humidified
// with water to D at the chosen relative humidity, reheated to the supply
// state E.
#include "engine/moist_air.h"
#include "engine/state_solver.h"
#include "plants/plant_context.h"
#include "treatments/point_fill.h"

namespace tarvelo {

void Calcola_F(ContestoImpianto& c) {
    TLavoro& l = c.l;
    l.NumPunti = 5;
    l.TitoloSequenza.assegna("CONDIZIONAMENTO INVERNALE TUTTA ARIA ESTERNA");
    l.NumTrattamenti = 4;
    impostaTratto(c.tratto(1), 1, 3, LineaTratto::Piena, "Preriscaldamento", 3, 1);
    impostaTratto(c.tratto(2), 3, 4, LineaTratto::Piena, "umidificazione\r\nadiabatica", 4, 1);
    impostaTratto(c.tratto(3), 4, 5, LineaTratto::Piena, "Postriscaldamento", 3, 1);
    impostaTratto(c.tratto(4), 2, 5, LineaTratto::Piena, "", 5, 0);

    TPunto &a = c.punto(1), &b = c.punto(2), &m = c.punto(3), &d = c.punto(4), &e = c.punto(5);
    l.Qimm = l.Qrinn;
    c.tr.riga("qimm= ", l.Qimm, 4);
    // The classic scheme divides by the fresh-air flow unchecked.
    if (l.Qrinn <= 0)
        c.ferma(CodiceQrinnNullo);
    for (TPunto* p : {&a, &b, &m, &d, &e})
        p->qm = l.Qimm;

    const double hE = b.h + (l.Csens - l.Clat) * 1000.0 / l.Qimm;
    if (l.flgCx == 0)
        l.Cx = l.Clat / CaloreLatenteCx;
    const double xE = b.x - l.Cx / (l.Qimm * 1000.0);
    c.tr.riga("xE =", xE * 1000.0);
    puntoDaTbsX(e, TbsdaXH(xE, hE), xE);
    impostaPunto(e, "E", -25, -25, 6);

    puntoDaTbsX(d, TbsdaXUR(xE, l.URD / 100.0), xE);
    d.UR = l.URD;
    impostaPunto(d, "D", -25, -25, 3);
    if (e.tbs < d.tbs)
        c.segnala(412);

    const double hC = d.h - (d.x - a.x) * l.tH2O * 0.004187 * 1000.0 * 1000.0;
    const double tC = TbsdaXH(a.x, hC);
    if (tC <= a.tbs)
        c.segnala(411);
    puntoDaTbsX(m, tC, a.x);
    impostaPunto(m, "C", 60, 8, 6);
    for (TPunto* p : {&m, &d, &e})
        c.mostra(*p);
    c.linea(a, m);
    c.linea(m, d);
    c.linea(d, e);
    c.linea(b, e);

    riscaldamento(c, c.tratto(1), a, m);
    riscaldamento(c, c.tratto(3), d, e);
    acquaTrattata(c, c.tratto(2), d.x - m.x);
    portataVolume(c);
    riepilogoFinale(c);
}

} // namespace tarvelo
