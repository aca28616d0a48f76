#include "treatments/treatment_defaults.h"

namespace tarvelo {

void impostaDatiDefault(std::uint8_t tipo, TDatiTrattamento& d, std::uint8_t umPortataDef) {
    if (tipo > TipoUmidificazioneVapore)
        return;
    d.riservato16[0] = 0;
    d.riservato40 = 0;
    d.Nome1.assegna("A");
    d.Nome2.assegna("B");
    switch (tipo) {
    case TipoMiscela:
        d.tbs1 = 32;
        d.UR1 = 44;
        d.tbs2 = 25;
        d.UR2 = 50;
        d.Nome3.assegna("C");
        d.modoMiscela = 2;
        d.perc1 = 70;
        d.perc2 = 30;
        d.port1 = 1.2;
        d.port2 = 1.57777;
        d.port3 = 2.77777;
        break;
    case TipoRaffreddamento:
    case TipoRiscaldamento:
        d.tbs1 = tipo == TipoRaffreddamento ? 33 : 14;
        d.UR1 = tipo == TipoRaffreddamento ? 19 : 60;
        d.tbs2 = tipo == TipoRaffreddamento ? 14 : 33;
        d.modoPotenza = 0;
        d.portata = 2.7777;
        d.potenza = 10;
        break;
    case TipoUmidificazione:
    case TipoUmidificazioneVapore:
        d.tbs1 = 34.72;
        d.UR1 = 4.67;  // x1, g/kg
        d.tbs2 = 6.78; // x2, g/kg
        d.portata = 2.7777;
        d.vapore = 0;
        d.tMezzo = 15;
        break;
    case TipoBatteriaFredda:
    case TipoUnione:
        d.tbs1 = 26.75;
        d.UR1 = 50.76;
        d.tbs2 = 15.5;
        d.UR2 = 8.73; // x2, g/kg
        d.modoBatteria = 0;
        d.posLista = 0;
        d.S = 32;
        d.T = 44;
        d.L = 3.4;
        d.qimm = 2.7777;
        d.ts = 12;
        d.fsDato = 0.85;
        break;
    }
    d.PosEtich = {-1, -1, -1};
    d.Collega = {-1, -1, -1};
    d.umPortata = umPortataDef;
}

} // namespace tarvelo
