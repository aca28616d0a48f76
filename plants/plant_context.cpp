#include "plants/plant_context.h"

#include "engine/moist_air.h"
#include "engine/numeric.h"
#include "engine/state_solver.h"
#include "treatments/coil_solver.h"
#include "treatments/point_fill.h"
#include "treatments/treatment_calc.h"

#include <cmath>

namespace tarvelo {

namespace {

// The walk down the saturation curve moves by chords of 5 K and stops at
// -20 °C, the refinement by 0.05 K: from anywhere in the engine's range a
// few dozen chords and a hundred steps do. 5000 K of either is a start far
// outside it.
constexpr int MaxCorde = 1000;
constexpr int MaxPassiAffinamento = 100000;

struct EtichetteAB {
    int aStampa, aVideo, bStampa, bVideo;
};

EtichetteAB etichetteAB(int tipo) {
    switch (tipo) {
    case 2:
        return {-25, -25, -100, -20};
    case 3:
    case 4:
        return {-25, -25, -25, -25};
    case 5:
        return {60, 8, -25, -25};
    default:
        return {-25, -25, 60, 8};
    }
}

void controlli(ContestoImpianto& c) {
    TLavoro& l = c.l;
    switch (l.TipoImpianto) {
    case 0:
    case 1:
    case 2:
        if (l.tbsInt > l.tbsEst)
            c.ferma(1);
        if (l.TipoImpianto != 2 && l.flgQimm == 1 && l.Qrinn > l.Qimm)
            c.ferma(2);
        if (l.TipoImpianto == 2) {
            if (l.Csens > 0 && l.flgQimm == 0 && l.tbsImm >= l.tbsInt)
                c.ferma(3);
        } else if (l.flgQimm == 0 && l.tbsImm >= l.tbsInt) {
            c.ferma(3);
        }
        if (l.Volume <= 0)
            c.ferma(4);
        break;
    case 3:
    case 4:
        if (l.tbsInt < l.tbsEst)
            c.ferma(7);
        if (l.flgQimm == 1 && l.Qrinn > l.Qimm)
            c.ferma(2);
        if (l.flgQimm == 0 && l.tbsImm > l.tbsInt)
            c.ferma(3);
        if (l.Volume <= 0)
            c.ferma(4);
        break;
    default:
        if (l.tbsInt < l.tbsEst)
            c.ferma(7);
        if (l.Volume <= 0)
            c.ferma(4);
        if (l.URD >= 99.9 || l.URD < 30) {
            c.tr.errore(8);
            c.segnala(8);
        }
        break;
    }
}

} // namespace

ContestoImpianto::ContestoImpianto(TLavoro& lavoro, TracciaDettagli& traccia, DisegnoCostruzione* d)
    : l(lavoro), tr(traccia), disegno(d), vista(VistaDiagramma::daTestata(lavoro.TestataChart)) {}

void ContestoImpianto::ferma(int codice, bool riga) {
    l.CodiceErrore = static_cast<std::uint16_t>(codice);
    if (riga)
        tr.errore(codice);
    throw FermoCalcolo{codice};
}

double ContestoImpianto::dividi(double a, double b) {
    const double q = b != 0.0 ? a / b : 0.0;
    if (b == 0.0 || !std::isfinite(q))
        ferma(CodiceDivisioneZero);
    return q;
}

void ContestoImpianto::mostra(TPunto& p) {
    if (vista.W > 0 && std::isfinite(p.tbs) && std::isfinite(p.x)) {
        p.X = vista.X(p.tbs);
        p.Y = vista.Y(p.x);
    }
    if (disegno)
        disegno->cerchio(p);
}

void ContestoImpianto::linea(const TPunto& a, const TPunto& b) {
    if (disegno)
        disegno->linea(a, b);
}

void impostaPunto(TPunto& p, const char* nome, int dyStampa, int dyVideo, int maniglia) {
    p.Nome.assegna(nome);
    p.EtichDx = 0;
    p.EtichDyStampa = dyStampa;
    p.EtichDyVideo = dyVideo;
    p.Marcato = 1;
    p.InUso = 1;
    p.Maniglia = static_cast<std::uint8_t>(maniglia);
}

void impostaTratto(TTrattamento& t, int p1, int p2, LineaTratto linea, const char* etichetta,
                   int tipo, int reale) {
    t.Punto1 = p1;
    t.Punto2 = p2;
    const bool piena = linea == LineaTratto::Piena;
    t.Colore = piena ? 0xFF0000 : 0x0000FF;
    t.Stile0 = piena ? 7 : 2;
    t.Spessore = piena ? 3 : 2;
    t.StilePenna = piena ? 0 : 4;
    t.Etichetta.assegna(etichetta);
    t.Tipo = static_cast<std::uint8_t>(tipo);
    t.Reale = static_cast<std::uint8_t>(reale);
    t.Visibile = 1;
}

void aperturaComune(ContestoImpianto& c) {
    TLavoro& l = c.l;
    controlli(c);
    if (l.flgCx == 1)
        l.Clat = CaloreLatenteCx * l.Cx;
    l.Ctot = l.Csens + l.Clat;
    if (l.Ctot <= 0)
        c.ferma(5);
    l.CsenCtot = l.Csens / l.Ctot;
    c.tr.riga("Ctot= ", l.Ctot);
    c.tr.riga("Csen/Ctot= ", l.CsenCtot);

    const EtichetteAB e = etichetteAB(l.TipoImpianto);
    TPunto& a = c.punto(1);
    puntoDaTbsUR(a, l.tbsEst, l.UREst / 100.0);
    impostaPunto(a, "A", e.aStampa, e.aVideo, 1);
    c.mostra(a);
    TPunto& b = c.punto(2);
    puntoDaTbsUR(b, l.tbsInt, l.URInt / 100.0);
    impostaPunto(b, "B", e.bStampa, e.bVideo, 0);
    c.mostra(b);
}

int cercaTs(ContestoImpianto& c, const RicercaTs& r, double& tps) {
    TracciaDettagli& tr = c.tr;
    const bool t = r.traccia;
    double wps = 0;
    bool calcolato = false;
    int codice = 0;
    for (int g = 0; g <= 1; ++g) {
        double hi = r.tStart + 3 * g;
        double lo = static_cast<double>(Decimo(r.tStart)) - 5 + 3 * g;
        codice = 0;
        for (int corde = 0;; ++corde) {
            // A walk that has not met the curve within MaxCorde chords
            // started far outside the engine's range: the line does not
            // meet the curve on the chart.
            if (corde == MaxCorde) {
                codice = r.codSottoZero;
                break;
            }
            const double xhi = xSaturo(hi);
            const double K = (xhi - xSaturo(lo)) / (hi - lo);
            if (t) {
                tr.rigaIntero("kk= ", g);
                tr.riga("Tp2= ", hi);
                tr.riga("Tp1= ", lo);
                tr.riga("m1= ", K, 10);
            }
            if (!std::isfinite(K) || !std::isfinite(r.mts))
                c.ferma(r.codGuasto, false);
            if (K <= r.mts) {
                codice = r.codPendenza;
                break;
            }
            tps = (xhi - r.xL + r.mts * r.tL - K * hi) / (r.mts - K);
            wps = (tps - hi) * K + xhi;
            if (!std::isfinite(tps) || !std::isfinite(wps))
                c.ferma(r.codGuasto, false);
            calcolato = true;
            if (t) {
                tr.riga("Tps= ", tps);
                tr.riga("wps= ", wps, 10);
            }
            if (tps >= lo) {
                codice = 1;
                break;
            }
            if (wps < 0) {
                codice = r.codSottoZero;
                break;
            }
            if (lo <= -20) {
                codice = r.codLimite;
                break;
            }
            hi = lo;
            lo -= 5;
        }
        if (calcolato && tps > r.tK)
            codice = r.codOltre;
        if (codice != 1)
            return codice;
    }
    if (!r.affina)
        return codice;
    double wef = xSaturo(tps);
    if (t)
        tr.riga("wef prima di while = (wps-wef)>0.0001", wef, 10);
    for (int passo = 0; wps - wef > 0.0001; ++passo) {
        if (passo == MaxPassiAffinamento || !std::isfinite(wps - wef))
            c.ferma(r.codGuasto, false);
        tps += 0.05;
        wps = (tps - r.tR) * r.mts + r.xR;
        if (t) {
            tr.riga("Tps= ", tps);
            tr.riga("wps= ", wps, 10);
        }
        wef = xSaturo(tps);
        if (t)
            tr.riga("wef= ", wef, 10);
    }
    return codice;
}

void puntoTsTrovato(TPunto& p, double t) {
    p.tbs = t;
    XHVdaTbsUR(t, 1.0, p.x, p.h, p.v);
    p.tdp = t;
    p.tbu = t;
    p.UR = 100;
    p.Nome.assegna("ts");
    p.EtichDx = 0;
    p.EtichDyStampa = -25;
    p.EtichDyVideo = -25;
    p.Marcato = 0;
    p.InUso = 1;
    p.Maniglia = 6;
}

void puntoTsBordo(ContestoImpianto& c, TPunto& p, double tL, double xL, double mts) {
    p.tbs = c.l.TestataChart.tbsMin;
    p.x = (p.tbs - tL) * mts + xL;
    p.Nome.assegna("");
    p.EtichDx = 0;
    p.EtichDyStampa = -25;
    p.EtichDyVideo = -25;
    p.Marcato = 0;
    p.InUso = 1;
    p.Maniglia = 6;
}

void puntoTsBatteria(ContestoImpianto& c, const RicercaTs& r, TPunto& ts, double tIngresso,
                     double tUscita) {
    double tts = 0;
    const int esito = cercaTs(c, r, tts);
    if (esito == 1) {
        puntoTsTrovato(ts, tts);
        c.l.fs = c.dividi(tIngresso - tUscita, tIngresso - tts);
        c.tr.riga("fs=", c.l.fs, 3);
    } else {
        c.segnala(esito);
        puntoTsBordo(c, ts, r.tL, r.xL, r.mts);
    }
    ts.Marcato = 0;
    c.mostra(ts);
}

void miscelaAB(ContestoImpianto& c, int codiceFlussoNullo) {
    TLavoro& l = c.l;
    TPunto &a = c.punto(1), &b = c.punto(2), &m = c.punto(3);
    const double QA = l.Qrinn;
    const double QB = l.Qimm - QA;
    const double QC = QB + QA;
    a.qm = QA;
    b.qm = QB;
    m.qm = QC;
    c.tr.riga("QA= ", QA);
    c.tr.riga("QB= ", QB);
    c.tr.riga("QC= ", QC);
    if (QC == 0.0)
        c.ferma(codiceFlussoNullo);
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
    c.tr.riga("hC= ", m.h);
    c.mostra(m);
    c.linea(a, b);
}

void riscaldamento(ContestoImpianto& c, TTrattamento& t, const TPunto& da, const TPunto& a) {
    t.Qtot = (a.h - da.h) * c.l.Qimm;
    t.Qsen = t.Qtot;
    t.ST = 1;
    c.tr.riga("Qtot=", t.Qtot, 3);
    c.tr.riga("Qsen=", t.Qsen, 3);
    c.tr.riga("Qsen/Qtot=", t.ST, 3);
}

void batteriaFredda(ContestoImpianto& c, TTrattamento& t, const TPunto& ingresso,
                    const TPunto& uscita) {
    t.Qtot = (ingresso.h - uscita.h) * c.l.Qimm;
    c.tr.riga("Qtot=", t.Qtot, 3);
    puntoDaTbsX(t.PuntoAux2, ingresso.tbs, uscita.x);
    t.Qsen = (t.PuntoAux2.h - uscita.h) * c.l.Qimm;
    c.tr.riga("Qsen=", t.Qsen, 3);
    t.ST = c.dividi(t.Qsen, t.Qtot);
    c.tr.riga("Qsen/Qtot=", t.ST, 3);
}

void acquaTrattata(ContestoImpianto& c, TTrattamento& t, double dx) {
    t.dx = dx;
    c.tr.riga("dx= ", t.dx * 1000.0);
    t.qx = t.dx * c.l.Qimm;
    c.tr.riga("qx= ", t.qx * 1000.0);
    if (t.qx < 0)
        c.segnala(410);
}

void portataVolume(ContestoImpianto& c) {
    TLavoro& l = c.l;
    l.Qv = l.Qimm * 3600.0 * VolumeSpecificoFisso;
    l.QvVol = l.Qv / l.Volume;
    c.tr.riga("Qv= ", l.Qv);
    c.tr.riga("Qv/Vol= ", l.QvVol);
}

void riepilogoFinale(ContestoImpianto& c) {
    riassumiTrattamenti(c.l);
}

namespace {

bool finito(const TPunto& p) {
    for (double v :
         {p.tbs, p.UR, p.tbu, p.x, p.h, p.v, p.tdp, p.rhoSecca, p.rhoUmida, p.qm, p.Quota})
        if (!std::isfinite(v))
            return false;
    return true;
}

bool finito(const TTrattamento& t) {
    for (double v : {t.Qtot, t.Qsen, t.ST, t.dx, t.qx, t.dt, t.dh, t.dhdx, t.dhSen, t.dhTot,
                     t.QsenFan, t.QFan, t.t0})
        if (!std::isfinite(v))
            return false;
    return finito(t.PuntoAux1) && finito(t.PuntoAux2);
}

// A last guard: whatever the steps did not foresee, a non-finite value in
// the results is reported rather than left for the chart and the log.
bool risultatiFiniti(const TLavoro& l) {
    for (double v : {l.Ctot, l.CsenCtot, l.Clat, l.Cx, l.Qimm, l.Qv, l.QvVol, l.fs,
                     l.DtRiscaldamento, l.Regolabilita})
        if (!std::isfinite(v))
            return false;
    for (int i = 0; i < l.NumPunti && i < static_cast<int>(TLavoro::MaxPunti); ++i)
        if (!finito(l.Punti[static_cast<std::size_t>(i)]))
            return false;
    for (int k = 0; k < l.NumTrattamenti && k < static_cast<int>(TLavoro::MaxTrattamenti); ++k)
        if (!finito(l.Trattamenti[static_cast<std::size_t>(k)]))
            return false;
    return true;
}

} // namespace

char letteraImpianto(int tipo) {
    return tipo >= 0 && tipo <= 5 ? static_cast<char>('A' + tipo) : '?';
}

EsitoImpianto CalcolaImpianto(TLavoro& l, TracciaDettagli& traccia, DisegnoCostruzione* disegno) {
    EsitoImpianto e;
    traccia.svuota();
    if (l.TipoImpianto > 5)
        return e;
    l.NumTrattamenti = 0;
    l.CodiceErrore = 0;
    ContestoImpianto c(l, traccia, disegno);
    try {
        aperturaComune(c);
        switch (l.TipoImpianto) {
        case 0:
            Calcola_A(c);
            break;
        case 1:
            Calcola_B(c);
            break;
        case 2:
            Calcola_C(c);
            break;
        case 3:
        case 4:
            Calcola_D(c);
            break;
        default:
            Calcola_F(c);
            break;
        }
        if (!risultatiFiniti(l))
            c.ferma(CodiceDivisioneZero);
    } catch (const FermoCalcolo&) {
        e.fermato = true;
    }
    e.codice = l.CodiceErrore;
    return e;
}

EsitoImpianto CalcolaImpianto(TLavoro& l, const std::string& cartella,
                              DisegnoCostruzione* disegno) {
    TracciaDettagli traccia;
    EsitoImpianto e = CalcolaImpianto(l, traccia, disegno);
    // No configuration in use: nothing calculated, no trace touched.
    if (!cartella.empty() && l.TipoImpianto <= 5)
        e.file = traccia.scrivi(cartella);
    return e;
}

} // namespace tarvelo
