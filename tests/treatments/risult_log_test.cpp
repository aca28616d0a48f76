#include "engine/moist_air.h"
#include "support/temp_dir.h"
#include "treatments/risult_log.h"
#include "treatments/treatment_calc.h"
#include "treatments/treatment_defaults.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

std::vector<std::string> righe(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

class Log : public ::testing::Test {
  protected:
    void SetUp() override {
        Patm = 101325;
        l.TipoImpianto = 6;
        l.TestataChart.tbsMin = -5;
    }
    TTrattamento& nuovo(int k, std::uint8_t tipo) {
        TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k - 1)];
        t.Tipo = tipo;
        impostaDatiDefault(tipo, t.Dati, 0);
        t.Dati.PuntoPortata = -1;
        l.NumTrattamenti = static_cast<std::uint8_t>(std::max<int>(l.NumTrattamenti, k));
        return t;
    }
    TLavoro l;
};

TEST_F(Log, TheCoilsWorkedExampleIsAFifteenLineBlock) {
    nuovo(1, TipoBatteriaFredda);
    l.NumTrattamenti = 2;
    l.Trattamenti[1].Tipo = TipoUnione;
    ASSERT_EQ(BtnCalcolaClick(l, 1, {1, 2, 3}).errore, 0);
    const auto r = righe(testoRisult(l));
    const std::vector<std::string> expected = {
        "--RAFF. CON DEUMIDIFICAZIONE--",
        "Qs = 32.000 kW",
        "Qt = 44.000 kW",
        "Qs/Qt = 0.727",
        "qx = 4.717 g/s",
        "dh/dx = 9.328",
        "fs = 0.780 ; fattore di contatto",
        "qmA  =2.7782 kg/s  ; portata massica",
        "qvA  =8650 m3/h  ; portata volumica",
        "qmB  =2.7782 kg/s  ; portata massica",
        "qvB  =8303 m3/h  ; portata volumica",
        "dt = 11.25 K",
        "dx = 1.70 g/kg",
        "dh = 15.838 kJ/kg",
        "",
    };
    EXPECT_EQ(r, expected); // the extension line gets no block, manual work no qv/vol
}

TEST_F(Log, MixingBlockAndPlantLines) {
    nuovo(1, TipoMiscela);
    BtnCalcolaClick(l, 1, {1, 2, 3});
    l.Punti[1].Nome.assegna("");
    auto r = righe(testoRisult(l));
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0], "--MISCELA--");
    EXPECT_EQ(r[1], "qmA  =1.2000 kg/s  ; portata massica");
    EXPECT_EQ(r[3].rfind("qm  =1.5778", 0), 0u); // a point without a name
    EXPECT_EQ(r[5], "");

    l.TipoImpianto = 0;
    l.QvVol = 7.25;
    r = righe(testoRisult(l));
    EXPECT_EQ(r.back(), "qv/vol = 7.250 ; n\xB0 ricircoli");

    l.CodiceErrore = 4;
    l.Volume = 0;
    EXPECT_EQ(testoRisult(l),
              "Il volume della zona (0,0 m3) deve essere maggiore di zero\r\n"); // only the message
    l.CodiceErrore = 209;
    EXPECT_EQ(testoRisult(l), "La tbsD non dovrebbe superare i 45\xB0"
                              "C\r\n");

    l.NumTrattamenti = 0;
    l.CodiceErrore = 0;
    EXPECT_EQ(testoRisult(l), "");
}

TEST_F(Log, WrittenWholeIntoTheWorksFolder) {
    test::TempDir dir;
    nuovo(1, TipoRiscaldamento);
    BtnCalcolaClick(l, 1, {1, 2, 0});
    ASSERT_TRUE(ScriviRisult(l, dir.prefix()).ok);
    const auto bytes = test::TempDir::read(dir.file("RISULT.TXT"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), testoRisult(l));
    EXPECT_NE(testoRisult(l).find("--RISCALDAMENTO--\r\nQs = 10.000 kW\r\n"), std::string::npos);
    EXPECT_FALSE(ScriviRisult(l, dir.prefix() + "manca/").ok);
}

} // namespace
} // namespace tarvelo
