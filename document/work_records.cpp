#include "document/work_records.h"

#include "document/field_io.h"

namespace tarvelo {

namespace {

template <typename IO, typename P> void puntoFields(const IO& io, P& p) {
    io.f64(0, p.tbs);
    io.f64(8, p.UR);
    io.f64(16, p.tbu);
    io.f64(24, p.x);
    io.f64(32, p.h);
    io.f64(40, p.v);
    io.f64(48, p.tdp);
    io.f64(56, p.rhoSecca);
    io.f64(64, p.rhoUmida);
    io.f64(72, p.qm);
    io.f64(80, p.Quota);
    io.num(88, p.Marcato);
    io.raw(89, p.riservato89);
    io.num(92, p.X);
    io.num(96, p.Y);
    io.num(100, p.EtichDx);
    io.num(104, p.EtichDyStampa);
    io.num(108, p.EtichDyVideo);
    io.str(112, p.Nome);
    io.num(120, p.InUso);
    io.num(121, p.Maniglia);
    io.raw(122, p.riservato122);
}

template <typename IO, typename D> void datiFields(const IO& io, D& d) {
    io.f64(0, d.tbs1);
    io.f64(8, d.UR1);
    io.raw(16, d.riservato16);
    io.f64(24, d.tbs2);
    io.f64(32, d.UR2);
    io.num(40, d.riservato40);
    io.str(41, d.Nome1);
    io.str(45, d.Nome2);
    io.str(49, d.Nome3);
    io.raw(53, d.riservato53);
    for (std::size_t i = 0; i < 3; ++i) {
        io.num(56 + 4 * i, d.PosEtich[i]);
        io.num(68 + 4 * i, d.Collega[i]);
    }
    io.num(80, d.umPortata);
    io.num(81, d.modoMiscela);
    io.raw(82, d.riservato82);
    io.f64(88, d.perc1);
    io.f64(96, d.perc2);
    io.f64(104, d.port1);
    io.f64(112, d.port2);
    io.f64(120, d.port3);
    io.num(128, d.modoPotenza);
    io.raw(129, d.riservato129);
    io.f64(136, d.portata);
    io.f64(144, d.potenza);
    io.num(152, d.vapore);
    io.raw(153, d.riservato153);
    io.f64(160, d.tMezzo);
    io.num(168, d.modoBatteria);
    io.raw(169, d.riservato169);
    io.f64(176, d.S);
    io.f64(184, d.T);
    io.f64(192, d.qimm);
    io.f64(200, d.ts);
    io.f64(208, d.fsDato);
    io.f64(216, d.L);
    io.num(224, d.posLista);
    io.raw(225, d.riservato225);
    io.num(228, d.PuntoPortata);
}

template <typename IO, typename T> void trattamentoFields(const IO& io, T& t) {
    io.num(0, t.Punto1);
    io.num(4, t.Punto2);
    io.num(8, t.Punto3);
    io.num(12, t.Colore);
    io.num(16, t.Stile0);
    io.num(17, t.Spessore);
    io.num(18, t.StilePenna);
    io.raw(19, t.riservato19);
    io.sub(24, t.Dati);
    io.sub(256, t.PuntoAux1);
    io.sub(384, t.PuntoAux2);
    io.f64(512, t.Qtot);
    io.f64(520, t.Qsen);
    io.raw(528, t.riservato528);
    io.f64(536, t.ST);
    io.f64(544, t.dx);
    io.f64(552, t.qx);
    io.f64(560, t.dt);
    io.f64(568, t.dh);
    io.f64(576, t.dhdx);
    io.f64(584, t.dhSen);
    io.f64(592, t.dhTot);
    io.f64(600, t.QsenFan);
    io.f64(608, t.QFan);
    io.num(616, t.Errore);
    io.raw(618, t.riservato618);
    io.f64(624, t.STcoil);
    io.f64(632, t.t0);
    io.num(640, t.Reale);
    io.num(641, t.Estensione);
    io.num(642, t.Visibile);
    io.str(643, t.Etichetta);
    io.num(724, t.Tipo);
    io.raw(725, t.riservato725);
}

template <typename IO, typename L> void lavoroFields(const IO& io, L& l) {
    io.str(0, l.Descrizione);
    io.f64(256, l.tbsInt);
    io.f64(264, l.URInt);
    io.f64(272, l.tbsEst);
    io.f64(280, l.UREst);
    io.f64(288, l.tbsImm);
    io.f64(296, l.tH2O);
    io.f64(304, l.Csens);
    io.f64(312, l.Clat);
    io.f64(320, l.Cx);
    io.f64(328, l.Ctot);
    io.f64(336, l.CsenCtot);
    io.f64(344, l.riservato344);
    io.f64(352, l.Volume);
    io.f64(360, l.Qrinn);
    io.f64(368, l.Qimm);
    io.f64(376, l.tSup);
    io.f64(384, l.riservato384);
    io.f64(392, l.URD);
    io.num(400, l.flgCx);
    io.num(401, l.flgQimm);
    io.num(402, l.umQrinn);
    io.num(403, l.umQimm);
    io.num(404, l.riservato404);
    io.raw(406, l.riservato406);
    io.f64(408, l.xPick);
    io.num(416, l.flgXPick);
    io.raw(417, l.riservato417);
    io.num(424, l.NumPunti);
    io.raw(425, l.riservato425);
    for (std::size_t i = 1; i <= TLavoro::MaxPunti; ++i)
        io.sub(offsetPunto(i), l.Punti[i - 1]);
    io.num(2992, l.NumTrattamenti);
    io.num(2993, l.TipoImpianto);
    io.raw(2994, l.riservato2994);
    for (std::size_t k = 1; k <= TLavoro::MaxTrattamenti; ++k)
        io.sub(offsetTrattamento(k), l.Trattamenti[k - 1]);
    io.raw(11008, l.riservato11008);
    io.str(11264, l.TitoloSequenza);
    io.raw(11520, l.riservato11520);
    io.f64(11528, l.Qv);
    io.f64(11536, l.QvVol);
    io.f64(11544, l.fs);
    io.f64(11552, l.Regolabilita);
    io.f64(11560, l.DtRiscaldamento);
    io.sub(11568, l.TestataChart);
    io.num(12056, l.CodiceChart);
    io.num(12058, l.CodiceErrore);
    io.raw(12060, l.riservato12060);
}

template <typename IO, typename H> void testataFields(const IO& io, H& h) {
    io.str(0, h.Firma);
    io.str(8, h.Progetto);
    io.str(264, h.PiePagina);
    io.str(520, h.NumFoglio);
    for (std::size_t i = 0; i < h.righeRiservate.size(); ++i)
        io.str(524 + 81 * i, h.righeRiservate[i]);
    io.num(1091, h.riservato1091);
    io.num(1092, h.CalcoliValidi);
    io.raw(1094, h.riservato1094);
    io.num(1096, h.SenzaNome);
    io.num(1097, h.UmStampa);
    io.raw(1098, h.riservato1098);
}

} // namespace

void decode(bytes::ConstImage in, TPunto& p) {
    puntoFields(bytes::Reader{in}, p);
}
void encode(const TPunto& p, bytes::Image out) {
    puntoFields(bytes::Writer{out}, p);
}
void decode(bytes::ConstImage in, TDatiTrattamento& d) {
    datiFields(bytes::Reader{in}, d);
}
void encode(const TDatiTrattamento& d, bytes::Image out) {
    datiFields(bytes::Writer{out}, d);
}
void decode(bytes::ConstImage in, TTrattamento& t) {
    trattamentoFields(bytes::Reader{in}, t);
}
void encode(const TTrattamento& t, bytes::Image out) {
    trattamentoFields(bytes::Writer{out}, t);
}
void decode(bytes::ConstImage in, TLavoro& l) {
    lavoroFields(bytes::Reader{in}, l);
}
void encode(const TLavoro& l, bytes::Image out) {
    lavoroFields(bytes::Writer{out}, l);
}
void decode(bytes::ConstImage in, TTestataLavoro& h) {
    testataFields(bytes::Reader{in}, h);
}
void encode(const TTestataLavoro& h, bytes::Image out) {
    testataFields(bytes::Writer{out}, h);
}

} // namespace tarvelo
