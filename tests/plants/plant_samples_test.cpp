#include "plants/plant_samples.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TDefault defaults() {
    TDefault d;
    d.UmQrinnDef = 2;
    d.UmQimmDef = 1;
    return d;
}

TEST(PlantSamples, SampleAIntoDescriptionAndZoneData) {
    TLavoro l;
    l.NumPunti = 4; // outside the zone data: untouched
    CaricaEsempioImpianto(0, l, defaults());
    EXPECT_EQ(l.Descrizione.testo(),
              "Gruppo di trattamento A3 - Uffici 2\xB0 piano;  Sezione: BATTERIA FREDDA");
    EXPECT_EQ(l.tbsInt, 25);
    EXPECT_EQ(l.URInt, 50);
    EXPECT_EQ(l.tbsEst, 32);
    EXPECT_EQ(l.tbsImm, 15.5);
    EXPECT_EQ(l.Csens, 26.994);
    EXPECT_EQ(l.Clat, 3.411);
    EXPECT_EQ(l.Volume, 1425);
    EXPECT_EQ(l.Qrinn, 0.694);
    EXPECT_EQ(l.Qimm, 2.7777);
    EXPECT_EQ(l.tSup, 12);
    EXPECT_EQ(l.riservato384, 0.88);
    EXPECT_EQ(l.URD, 85);
    EXPECT_EQ(l.umQrinn, 2);
    EXPECT_EQ(l.umQimm, 1);
    EXPECT_EQ(l.NumPunti, 4);
}

TEST(PlantSamples, EDiffersFromDOnlyInTheWaterTemperature) {
    TLavoro d, e;
    CaricaEsempioImpianto(3, d, defaults());
    CaricaEsempioImpianto(4, e, defaults());
    EXPECT_EQ(d.tH2O, 15);
    EXPECT_EQ(e.tH2O, 105);
    e.tH2O = d.tH2O;
    EXPECT_EQ(d, e);
}

TEST(PlantSamples, OtherSamplesAndCodesAboveF) {
    TLavoro c;
    c.xPick = 0.01;
    c.flgXPick = 1;
    CaricaEsempioImpianto(2, c, defaults());
    EXPECT_EQ(c.Cx, 4.23);
    EXPECT_EQ(c.tSup, 11.5);
    EXPECT_EQ(c.xPick, 0);
    EXPECT_EQ(c.flgXPick, 0);
    EXPECT_NE(c.Descrizione.testo().find("BATTERIE FREDDA + POSTRISCALDAMENTO"), std::string::npos);

    TLavoro f;
    CaricaEsempioImpianto(5, f, defaults());
    EXPECT_EQ(f.Qrinn, 2.5531);
    EXPECT_EQ(f.Csens, 35);
    EXPECT_EQ(f.Descrizione.testo().size(), 102u);

    TLavoro b;
    b.xPick = 0.01;
    CaricaEsempioImpianto(1, b, defaults());
    EXPECT_EQ(b.Qrinn, 1.02123);
    EXPECT_EQ(b.xPick, 0.01); // only C clears the pick

    TLavoro g;
    CaricaEsempioImpianto(6, g, defaults());
    EXPECT_EQ(g, TLavoro{});
}

} // namespace
} // namespace tarvelo
