#include "treatments/treatment_defaults.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(TreatmentDefaults, MixingAndCommonFields) {
    TDatiTrattamento d;
    d.riservato16.fill(0xEE);
    d.riservato40 = 0xEE;
    d.PuntoPortata = 5;
    impostaDatiDefault(TipoMiscela, d, 2);
    EXPECT_EQ(d.tbs1, 32);
    EXPECT_EQ(d.UR1, 44);
    EXPECT_EQ(d.tbs2, 25);
    EXPECT_EQ(d.UR2, 50);
    EXPECT_EQ(d.Nome1.testo(), "A");
    EXPECT_EQ(d.Nome2.testo(), "B");
    EXPECT_EQ(d.Nome3.testo(), "C");
    EXPECT_EQ(d.modoMiscela, 2);
    EXPECT_EQ(d.perc1, 70);
    EXPECT_EQ(d.perc2, 30);
    EXPECT_EQ(d.port1, 1.2);
    EXPECT_EQ(d.port2, 1.57777);
    EXPECT_EQ(d.port3, 2.77777);
    EXPECT_EQ(d.PosEtich, (std::array<std::int32_t, 3>{-1, -1, -1}));
    EXPECT_EQ(d.Collega, (std::array<std::int32_t, 3>{-1, -1, -1}));
    EXPECT_EQ(d.umPortata, 2);
    EXPECT_EQ(d.riservato16[0], 0);    // the first byte is cleared
    EXPECT_EQ(d.riservato16[1], 0xEE); // the rest is not
    EXPECT_EQ(d.riservato40, 0);
    EXPECT_EQ(d.PuntoPortata, 5); // not among the defaults
}

TEST(TreatmentDefaults, EveryKind) {
    struct Case {
        std::uint8_t tipo;
        double tbs1, UR1, tbs2;
    };
    const Case cases[] = {
        {TipoRaffreddamento, 33, 19, 14},         {TipoRiscaldamento, 14, 60, 33},
        {TipoUmidificazione, 34.72, 4.67, 6.78},  {TipoUmidificazioneVapore, 34.72, 4.67, 6.78},
        {TipoBatteriaFredda, 26.75, 50.76, 15.5}, {TipoUnione, 26.75, 50.76, 15.5},
    };
    for (const Case& c : cases) {
        TDatiTrattamento d;
        d.Nome3.assegna("Z"); // a name left from before is not the defaults'
        impostaDatiDefault(c.tipo, d, 1);
        EXPECT_EQ(d.tbs1, c.tbs1) << int(c.tipo);
        EXPECT_EQ(d.UR1, c.UR1) << int(c.tipo);
        EXPECT_EQ(d.tbs2, c.tbs2) << int(c.tipo);
        EXPECT_EQ(d.Nome3.testo(), "Z") << int(c.tipo);
        EXPECT_EQ(d.umPortata, 1);
    }
    for (std::uint8_t tipo : {TipoRaffreddamento, TipoRiscaldamento}) {
        TDatiTrattamento d;
        d.modoPotenza = 2;
        impostaDatiDefault(tipo, d, 0);
        EXPECT_EQ(d.portata, 2.7777);
        EXPECT_EQ(d.potenza, 10);
        EXPECT_EQ(d.modoPotenza, 0);
    }
    for (std::uint8_t tipo : {TipoUmidificazione, TipoUmidificazioneVapore}) {
        TDatiTrattamento d;
        d.vapore = 1;
        d.tMezzo = 100;
        impostaDatiDefault(tipo, d, 0);
        EXPECT_EQ(d.vapore, 0);
        EXPECT_EQ(d.tMezzo, 15);
        EXPECT_EQ(d.portata, 2.7777);
    }

    for (std::uint8_t tipo : {TipoBatteriaFredda, TipoUnione}) {
        TDatiTrattamento coil;
        coil.modoBatteria = 3;
        coil.posLista = 2;
        impostaDatiDefault(tipo, coil, 0);
        EXPECT_EQ(coil.UR2, 8.73);
        EXPECT_EQ(coil.S, 32);
        EXPECT_EQ(coil.T, 44);
        EXPECT_EQ(coil.L, 3.4);
        EXPECT_EQ(coil.qimm, 2.7777);
        EXPECT_EQ(coil.ts, 12);
        EXPECT_EQ(coil.fsDato, 0.85);
        EXPECT_EQ(coil.modoBatteria, 0);
        EXPECT_EQ(coil.posLista, 0);
    }

    TDatiTrattamento unknown;
    impostaDatiDefault(7, unknown, 2);
    EXPECT_EQ(unknown, TDatiTrattamento{});
}

} // namespace
} // namespace tarvelo
