#include "treatments/point_fill.h"

#include "document/work_record_ops.h"
#include "engine/moist_air.h"
#include "engine/state_solver.h"

namespace tarvelo {

namespace {
void finisci(TPunto& p, double ur) {
    p.UR = ur * 100.0;
    if (p.rhoSecca != 0.0)
        p.v = 1.0 / p.rhoSecca;
}
} // namespace

void puntoDaTbsUR(TPunto& p, double tbs, double ur) {
    p.tbs = tbs;
    StatoTbsUR(tbs, ur, p.x, p.h, p.tbu, p.tdp, p.rhoSecca, p.rhoUmida);
    finisci(p, ur);
}

void puntoDaTbsX(TPunto& p, double tbs, double x) {
    double ur = 0;
    p.tbs = tbs;
    p.x = x;
    StatoTbsX(tbs, x, ur, p.h, p.tbu, p.tdp, p.rhoSecca, p.rhoUmida);
    finisci(p, ur);
}

void puntoDaTbsH(TPunto& p, double tbs, double h) {
    double ur = 0;
    p.tbs = tbs;
    p.h = h;
    StatoTbsH(tbs, h, p.x, ur, p.tbu, p.tdp, p.rhoSecca, p.rhoUmida);
    finisci(p, ur);
}

void puntoDaXH(TPunto& p, double x, double h) {
    puntoDaTbsH(p, TbsdaXH(x, h), h);
}

void puntoSaturo(TPunto& p, double ts, const char* nome) {
    p.tbs = ts;
    XHVdaTbsUR(ts, 1.0, p.x, p.h, p.v);
    p.tdp = ts;
    p.tbu = ts;
    p.UR = 100;
    p.Nome.assegna(nome);
    p.EtichDx = 0;
    p.EtichDyStampa = -25;
    p.EtichDyVideo = -25;
    p.Marcato = 0;
}

void PosEtichetta(int posizione, TPunto& p) {
    p.EtichDx = 0;
    setLabelPosition(p, posizione);
}

} // namespace tarvelo
