// Configuration A: summer, all air; outdoor air A mixed with room air B
// into C, cooled and dehumidified to the supply state D.
#include "engine/moist_air.h"
#include "plants/plant_context.h"
#include "treatments/point_fill.h"

namespace tarvelo {

namespace {

constexpr const char* EtichettaBatteria = "Raffreddamento con\r\ndeumidificazione";

// The slope u of the room-load line through B (kg/kg per K), from the
// construction 1 kJ/kg below B; B1 and PuntoAux2 keep the construction.
double pendenzaCarico(ContestoImpianto& c, TTrattamento& batteria) {
    const TPunto& b = c.punto(2);
    TPunto& b1 = batteria.PuntoAux1;
    puntoDaTbsH(b1, b.tbs, b.h - (1.0 - c.l.CsenCtot) * 1000.0);
    TPunto& aux2 = batteria.PuntoAux2;
    aux2.h = b.h - 1000.0;
    aux2.x = b1.x;
    aux2.tbs = TbsdaXH(aux2.x, aux2.h);
    return c.dividi(b.x - aux2.x, b.tbs - aux2.tbs);
}

// The coil's loads between C and D, then Qv and the air changes.
void caricoBatteria(ContestoImpianto& c, TTrattamento& t) {
    TLavoro& l = c.l;
    const TPunto &m = c.punto(3), &d = c.punto(4);
    t.Qtot = (m.h - d.h) * l.Qimm;
    c.tr.riga("Qtot= ", t.Qtot);
    puntoDaTbsX(t.PuntoAux2, m.tbs, d.x);
    c.tr.riga("hC1= ", t.PuntoAux2.h);
    t.Qsen = (t.PuntoAux2.h - d.h) * l.Qimm;
    c.tr.riga("Qsen= ", t.Qsen);
    t.ST = c.dividi(t.Qsen, t.Qtot);
    c.tr.riga("Qsen/Qtot= ", t.ST);
    acquaTrattata(c, t, m.x - d.x);
    portataVolume(c);
}

// D left at the end of the room-load line, x = 0 (code 217).
[[noreturn]] void fermaSottoZero(ContestoImpianto& c, double t0) {
    puntoDaTbsX(c.punto(4), t0, 0.0);
    c.ferma(217);
}

void ramoTemperatura(ContestoImpianto& c, TTrattamento& t) {
    TLavoro& l = c.l;
    const TPunto& b = c.punto(2);
    TPunto& d = c.punto(4);
    const double u = pendenzaCarico(c, t);
    if (l.CsenCtot <= 0.3) {
        t.t0 = b.tbs - c.dividi(b.x, u);
        if (l.tbsImm <= t.t0)
            fermaSottoZero(c, t.t0);
    }
    puntoDaTbsX(d, l.tbsImm, (l.tbsImm - b.tbs) * u + b.x);
    d.Maniglia = 2;
    c.mostra(d);
    c.linea(b, d);
    t.dhTot = b.h - d.h;
    puntoDaTbsX(t.PuntoAux1, b.tbs, d.x);
    t.dhSen = t.PuntoAux1.h - d.h;
    c.tr.riga("dhtot= ", t.dhTot);
    c.tr.riga("dhsen= ", t.dhSen);

    l.Qimm = c.dividi(l.Ctot, t.dhTot) * 1000.0;
    c.tr.riga("Qimm= ", l.Qimm);
    d.qm = l.Qimm;
    c.punto(1).qm = l.Qrinn;
    bool aumentata = false;
    if (l.Qimm < l.Qrinn) {
        l.Qimm = l.Qrinn;
        c.tr.testo("Qrin>Qimm ==> Qimm=Qrin");
        aumentata = true;
    }
    miscelaAB(c, CodiceDivisioneZero);
    c.linea(d, c.punto(3));
    caricoBatteria(c, t);
    if (aumentata && c.punto(3).qm != d.qm)
        c.ferma(102);
}

void ramoPortata(ContestoImpianto& c, TTrattamento& t) {
    TLavoro& l = c.l;
    const TPunto& b = c.punto(2);
    TPunto& d = c.punto(4);
    miscelaAB(c, 101);
    if (l.Qimm <= 0)
        c.ferma(101);
    const double hD = b.h - (l.Csens + l.Clat) * 1000.0 / l.Qimm;
    c.tr.riga("hD= ", hD);
    if (l.CsenCtot <= 0.3) {
        const double u = pendenzaCarico(c, t);
        t.t0 = b.tbs - c.dividi(b.x, u);
        puntoDaTbsX(t.PuntoAux2, t.t0, 0.0);
        if (hD < t.PuntoAux2.h)
            fermaSottoZero(c, t.t0);
    }
    puntoDaTbsH(t.PuntoAux1, b.tbs, (b.h - hD) * l.CsenCtot + hD);
    puntoDaTbsX(d, TbsdaXH(t.PuntoAux1.x, hD), t.PuntoAux1.x);
    d.Maniglia = 6;
    d.qm = l.Qimm;
    c.mostra(d);
    c.linea(b, d);
    c.linea(d, c.punto(3));
    t.dhTot = b.h - d.h;
    t.dhSen = t.PuntoAux1.h - d.h;
    c.tr.riga("dhtot= ", t.dhTot);
    c.tr.riga("dhsen= ", t.dhSen);
    caricoBatteria(c, t);
}

} // namespace

void Calcola_A(ContestoImpianto& c) {
    TLavoro& l = c.l;
    l.NumPunti = 5;
    l.TitoloSequenza.assegna("CONDIZIONAMENTO ESTIVO TUTTA ARIA");
    l.NumTrattamenti = 4;
    impostaTratto(c.tratto(1), 1, 2, LineaTratto::Piena, "Miscela", 0, 1);
    impostaTratto(c.tratto(2), 2, 4, LineaTratto::Piena, "", 5, 0);
    impostaTratto(c.tratto(3), 3, 4, LineaTratto::Piena, EtichettaBatteria, 2, 1);
    impostaTratto(c.tratto(4), 4, 5, LineaTratto::Estensione, "", 5, 0);
    impostaPunto(c.punto(3), "C", -25, -25, 6);
    impostaPunto(c.punto(4), "D", 60, 8, l.flgQimm == 0 ? 2 : 6);

    TTrattamento& batteria = c.tratto(3);
    if (l.flgQimm == 0)
        ramoTemperatura(c, batteria);
    else
        ramoPortata(c, batteria);

    const TPunto &m = c.punto(3), &d = c.punto(4);
    if (d.UR > 99)
        c.segnala(206);
    const double mts = c.dividi(m.x - d.x, m.tbs - d.tbs);
    c.tr.riga("mts= ", mts, 10);
    const RicercaTs r{.tL = m.tbs,
                      .xL = m.x,
                      .tR = d.tbs,
                      .xR = d.x,
                      .mts = mts,
                      .tStart = d.tbs,
                      .tK = d.tbs,
                      .codPendenza = 205,
                      .codSottoZero = 202,
                      .codLimite = 203,
                      .codOltre = 206,
                      .codGuasto = 202};
    puntoTsBatteria(c, r, c.punto(5), m.tbs, d.tbs);
    riepilogoFinale(c);
}

} // namespace tarvelo
