// The fields of the work records as the command line's JSON names them, in
// the order it prints them. One list serves the writer and the reader: a
// visitor is called as v(name, field) for every field (numbers, texts, the
// three-value lists of a treatment's data, and the nested records), with
// const fields when the record is const.
#pragma once

#include "document/work_records.h"

namespace tarvelo::cli {

template <class P, class V> void campiPunto(P& p, V& v) {
    v("tbs", p.tbs);
    v("UR", p.UR);
    v("tbu", p.tbu);
    v("x", p.x);
    v("h", p.h);
    v("v", p.v);
    v("tdp", p.tdp);
    v("rhoSecca", p.rhoSecca);
    v("rhoUmida", p.rhoUmida);
    v("qm", p.qm);
    v("Quota", p.Quota);
    v("Marcato", p.Marcato);
    v("X", p.X);
    v("Y", p.Y);
    v("EtichDx", p.EtichDx);
    v("EtichDyStampa", p.EtichDyStampa);
    v("EtichDyVideo", p.EtichDyVideo);
    v("Nome", p.Nome);
    v("InUso", p.InUso);
    v("Maniglia", p.Maniglia);
}

template <class D, class V> void campiDati(D& d, V& v) {
    v("tbs1", d.tbs1);
    v("UR1", d.UR1);
    v("tbs2", d.tbs2);
    v("UR2", d.UR2);
    v("Nome1", d.Nome1);
    v("Nome2", d.Nome2);
    v("Nome3", d.Nome3);
    v("PosEtich", d.PosEtich);
    v("Collega", d.Collega);
    v("umPortata", d.umPortata);
    v("modoMiscela", d.modoMiscela);
    v("perc1", d.perc1);
    v("perc2", d.perc2);
    v("port1", d.port1);
    v("port2", d.port2);
    v("port3", d.port3);
    v("modoPotenza", d.modoPotenza);
    v("portata", d.portata);
    v("potenza", d.potenza);
    v("vapore", d.vapore);
    v("tMezzo", d.tMezzo);
    v("modoBatteria", d.modoBatteria);
    v("S", d.S);
    v("T", d.T);
    v("qimm", d.qimm);
    v("ts", d.ts);
    v("fsDato", d.fsDato);
    v("L", d.L);
    v("posLista", d.posLista);
    v("PuntoPortata", d.PuntoPortata);
}

template <class T, class V> void campiTrattamento(T& t, V& v) {
    v("Punto1", t.Punto1);
    v("Punto2", t.Punto2);
    v("Punto3", t.Punto3);
    v("Colore", t.Colore);
    v("Stile0", t.Stile0);
    v("Spessore", t.Spessore);
    v("StilePenna", t.StilePenna);
    v("Dati", t.Dati);
    v("PuntoAux1", t.PuntoAux1);
    v("PuntoAux2", t.PuntoAux2);
    v("Qtot", t.Qtot);
    v("Qsen", t.Qsen);
    v("ST", t.ST);
    v("dx", t.dx);
    v("qx", t.qx);
    v("dt", t.dt);
    v("dh", t.dh);
    v("dhdx", t.dhdx);
    v("dhSen", t.dhSen);
    v("dhTot", t.dhTot);
    v("QsenFan", t.QsenFan);
    v("QFan", t.QFan);
    v("Errore", t.Errore);
    v("STcoil", t.STcoil);
    v("t0", t.t0);
    v("Reale", t.Reale);
    v("Estensione", t.Estensione);
    v("Visibile", t.Visibile);
    v("Etichetta", t.Etichetta);
    v("Tipo", t.Tipo);
}

// The header's fields, then the work's single fields; the points and
// treatments follow them in the JSON.
template <class H, class L, class V> void campiLavoro(H& h, L& l, V& v) {
    v("Firma", h.Firma);
    v("Progetto", h.Progetto);
    v("PiePagina", h.PiePagina);
    v("NumFoglio", h.NumFoglio);
    v("CalcoliValidi", h.CalcoliValidi);
    v("SenzaNome", h.SenzaNome);
    v("UmStampa", h.UmStampa);

    v("Descrizione", l.Descrizione);
    v("tbsInt", l.tbsInt);
    v("URInt", l.URInt);
    v("tbsEst", l.tbsEst);
    v("UREst", l.UREst);
    v("tbsImm", l.tbsImm);
    v("tH2O", l.tH2O);
    v("Csens", l.Csens);
    v("Clat", l.Clat);
    v("Cx", l.Cx);
    v("Ctot", l.Ctot);
    v("CsenCtot", l.CsenCtot);
    v("Volume", l.Volume);
    v("Qrinn", l.Qrinn);
    v("Qimm", l.Qimm);
    v("tSup", l.tSup);
    v("URD", l.URD);
    v("flgCx", l.flgCx);
    v("flgQimm", l.flgQimm);
    v("umQrinn", l.umQrinn);
    v("umQimm", l.umQimm);
    v("xPick", l.xPick);
    v("flgXPick", l.flgXPick);
    v("NumPunti", l.NumPunti);
    v("NumTrattamenti", l.NumTrattamenti);
    v("TipoImpianto", l.TipoImpianto);
    v("TitoloSequenza", l.TitoloSequenza);
    v("Qv", l.Qv);
    v("QvVol", l.QvVol);
    v("fs", l.fs);
    v("Regolabilita", l.Regolabilita);
    v("DtRiscaldamento", l.DtRiscaldamento);
    v("CodiceChart", l.CodiceChart);
    v("CodiceErrore", l.CodiceErrore);
}

} // namespace tarvelo::cli
