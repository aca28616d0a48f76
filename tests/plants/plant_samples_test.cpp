#include "plants/plant_samples.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvelo {
namespace {

TDefault defaults() {
    TDefault d;
    d.UmQrinnDef = 2;
    d.UmQimmDef = 1;
    return d;
}

// A record whose every byte is non-zero, so that the zeros a sample writes
// show.
TLavoro filled() {
    std::vector<std::uint8_t> image(TLavoro::Size, 0x41);
    TLavoro l;
    decode(image, l);
    return l;
}

const std::string Testa = "Gruppo di trattamento A3 - Uffici 2\xB0 piano;  Sezione: ";

TEST(PlantSamples, EveryConfigurationLoadsItsSample) {
    struct Row {
        const char* sezione;
        double tbsInt, URInt, tbsEst, UREst, tbsImm, tH2O, Csens, Clat, Cx, Volume, Qrinn, tSup;
    };
    const Row rows[] = {
        {"BATTERIA FREDDA", 25, 50, 32, 50, 15.5, 15, 26.994, 3.411, 0, 1425, 0.694, 12},
        {"BATTERIA FREDDA", 25, 50, 32, 50, 14, 15, 45, 2.2, 0, 1500, 1.02123, 12},
        {"BATTERIE FREDDA + POSTRISCALDAMENTO", 25, 50, 32, 50, 18, 15, 32, 9.8, 4.23, 1500, 0.694,
         11.5},
        {"BATTERIE RISCALDAMENTO E UMIDIFICAZIONE", 20, 50, -5, 80, 15.5, 15, 25.68, 2.47, 0, 1500,
         0.69445, 12},
        {"BATTERIE RISCALDAMENTO E UMIDIFICAZIONE", 20, 50, -5, 80, 15.5, 105, 25.68, 2.47, 0, 1500,
         0.69445, 12},
        {"BATTERIE PRE/POST-RISCALDAMENTO E UMIDIFICAZIONE", 20, 50, -5, 80, 15.5, 15, 35, 2.47, 0,
         1500, 2.5531, 12},
    };
    for (int code = 0; code < 6; ++code) {
        const Row& r = rows[code];
        const TLavoro before = filled();
        TLavoro l = before;
        CaricaEsempioImpianto(code, l, defaults());
        SCOPED_TRACE(code);
        EXPECT_EQ(l.Descrizione.testo(), Testa + r.sezione);
        EXPECT_EQ(l.tbsInt, r.tbsInt);
        EXPECT_EQ(l.URInt, r.URInt);
        EXPECT_EQ(l.tbsEst, r.tbsEst);
        EXPECT_EQ(l.UREst, r.UREst);
        EXPECT_EQ(l.tbsImm, r.tbsImm);
        EXPECT_EQ(l.tH2O, r.tH2O);
        EXPECT_EQ(l.Csens, r.Csens);
        EXPECT_EQ(l.Clat, r.Clat);
        EXPECT_EQ(l.Cx, r.Cx);
        EXPECT_EQ(l.Ctot, 0);
        EXPECT_EQ(l.CsenCtot, 0);
        EXPECT_EQ(l.riservato344, 0);
        EXPECT_EQ(l.Volume, r.Volume);
        EXPECT_EQ(l.Qrinn, r.Qrinn);
        EXPECT_EQ(l.Qimm, 2.7777);
        EXPECT_EQ(l.tSup, r.tSup);
        EXPECT_EQ(l.riservato384, 0.88);
        EXPECT_EQ(l.URD, 85);
        EXPECT_EQ(l.flgCx, 0);
        EXPECT_EQ(l.flgQimm, 0);
        EXPECT_EQ(l.umQrinn, 2);
        EXPECT_EQ(l.umQimm, 1);
        EXPECT_EQ(l.riservato404, 0);
        // Only C clears the humidity pick; nothing outside the zone data moves.
        EXPECT_EQ(l.xPick == 0 && l.flgXPick == 0, code == 2);
        EXPECT_EQ(l.riservato406, before.riservato406);
        EXPECT_EQ(l.NumPunti, before.NumPunti);
        EXPECT_EQ(l.Punti, before.Punti);
        EXPECT_EQ(l.TitoloSequenza, before.TitoloSequenza);
    }
}

TEST(PlantSamples, EDiffersFromDOnlyInTheWaterTemperature) {
    TLavoro d = filled(), e = filled();
    CaricaEsempioImpianto(3, d, defaults());
    CaricaEsempioImpianto(4, e, defaults());
    EXPECT_EQ(d.tH2O, 15);
    EXPECT_EQ(e.tH2O, 105);
    e.tH2O = d.tH2O;
    EXPECT_EQ(d, e);
}

TEST(PlantSamples, CodesAboveFLoadNothing) {
    TLavoro g = filled();
    CaricaEsempioImpianto(6, g, defaults());
    CaricaEsempioImpianto(-1, g, defaults());
    EXPECT_EQ(g, filled());
}

} // namespace
} // namespace tarvelo
