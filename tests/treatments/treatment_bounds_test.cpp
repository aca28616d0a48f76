#include "document/error_messages.h"
#include "document/work_record_ops.h"
#include "engine/moist_air.h"
#include "treatments/treatment_bounds.h"
#include "treatments/treatment_calc.h"
#include "treatments/treatment_defaults.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

// A coil (kind 2) with its default inputs, one of them pushed out of the
// range the engine holds to: each of these ran for ever, or filled the
// work with infinities, before the inputs were checked.
struct Estremo {
    const char* nome;
    int modo;
    double TDatiTrattamento::*campo;
    double valore;
    const char* testo; // what the message says
};

class CoilBeyondBounds : public ::testing::TestWithParam<Estremo> {};

TEST_P(CoilBeyondBounds, IsRefusedPromptlyWithTheQuantityAndItsValue) {
    Patm = 101325;
    const Estremo& c = GetParam();
    TLavoro l;
    l.TestataChart.tbsMin = -5;
    l.NumTrattamenti = 2;
    l.NumPunti = 3;
    TTrattamento& t = l.Trattamenti[0];
    t.Tipo = TipoBatteriaFredda;
    impostaDatiDefault(TipoBatteriaFredda, t.Dati, 0);
    t.Dati.PuntoPortata = -1;
    t.Dati.modoBatteria = static_cast<std::uint8_t>(c.modo);
    t.Dati.S = 50; // above T: the line rises as it cools, as in the work that ran for ever
    t.Dati.*c.campo = c.valore;
    l.Trattamenti[1].Tipo = TipoUnione; // the slot of the extension line
    const TLavoro prima = l;

    const EsitoCalcolo e = BtnCalcolaClick(l, 1, {1, 2, 3});
    EXPECT_EQ(e.errore, CodiceFuoriCampo);
    EXPECT_EQ(t.Errore, CodiceFuoriCampo);
    EXPECT_EQ(e.messaggio.rfind("Tratto  1\r" + MessaggioErrore(CodiceFuoriCampo) + ": ", 0), 0u)
        << e.messaggio;
    EXPECT_NE(e.messaggio.find(c.testo), std::string::npos) << e.messaggio;
    // Nothing computed: the points and the typed inputs stay as they were.
    EXPECT_EQ(l.Punti, prima.Punti);
    EXPECT_EQ(t.Dati.*c.campo, c.valore);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CoilBeyondBounds,
    ::testing::Values(Estremo{"Tbs2Huge", 0, &TDatiTrattamento::tbs2, 1e9,
                              "tbs2 = 1000000000.00 °C (da -100 a 200 °C)"},
                      Estremo{"Tbs2HugeOutletGiven", 3, &TDatiTrattamento::tbs2, 1e9, "tbs2 = "},
                      Estremo{"Tbs1FarBelow", 0, &TDatiTrattamento::tbs1, -1e9, "tbs1 = "},
                      Estremo{"Tbs2JustAbove", 0, &TDatiTrattamento::tbs2, 200.01,
                              "tbs2 = 200.01 °C"},
                      Estremo{"UR1Beyond", 0, &TDatiTrattamento::UR1, 1e6, "UR1 = "},
                      Estremo{"UR1Negative", 0, &TDatiTrattamento::UR1, -1, "UR1 = -1.00 %"},
                      Estremo{"X2Negative", 3, &TDatiTrattamento::UR2, -5, "x2 = -5.00 g/kg"},
                      Estremo{"FlowHuge", 3, &TDatiTrattamento::qimm, 1e300, "qimm = "},
                      Estremo{"TotalHuge", 1, &TDatiTrattamento::T, 1e300, "T = "},
                      Estremo{"SurfaceFarBelow", 2, &TDatiTrattamento::ts, -1e9, "ts = "},
                      Estremo{"ContactFactorHuge", 2, &TDatiTrattamento::fsDato, 1e9, "fs = "}),
    [](const ::testing::TestParamInfo<Estremo>& i) { return std::string(i.param.nome); });

// The sequence recalculation takes the points' values: a stored point out
// of range (a work made by hand) is refused in the same way.
TEST(TreatmentBounds, TheSequenceRecalculationRefusesAPointOutOfRange) {
    Patm = 101325;
    TLavoro l;
    l.TestataChart.tbsMin = -5;
    l.NumTrattamenti = 2;
    l.NumPunti = 3;
    TTrattamento& t = l.Trattamenti[0];
    t.Tipo = TipoBatteriaFredda;
    impostaDatiDefault(TipoBatteriaFredda, t.Dati, 0);
    t.Dati.PuntoPortata = -1;
    l.Trattamenti[1].Tipo = TipoUnione;
    ASSERT_EQ(BtnCalcolaClick(l, 1, {1, 2, 3}).errore, 0);
    const TPunto ts = l.Punti[2];
    l.Punti[1].tbs = 1e9;
    const std::string m = RicalcolaTratti(l);
    EXPECT_EQ(m.rfind("Tratto  1\r" + MessaggioErrore(CodiceFuoriCampo) + ": tbs2 = ", 0), 0u) << m;
    EXPECT_EQ(t.Errore, CodiceFuoriCampo);
    EXPECT_EQ(l.Punti[2], ts); // "ts" not searched for again
}

// Inputs each inside its range whose outcome is not: an outlet the moist-air
// relations do not reach, or a result beyond what a work file is opened
// with. Each left the work holding such a value (a point at hundreds of
// degrees below zero with its relative humidity not a number, a flow of
// 1e10 kg/s), so that the work saved could not be opened again.
struct EsitoFuori {
    const char* nome;
    std::uint8_t tipo;
    void (*prepara)(TDatiTrattamento&);
    const char* testo; // what the message names
};

class OutcomeBeyondBounds : public ::testing::TestWithParam<EsitoFuori> {};

TEST_P(OutcomeBeyondBounds, IsRefusedAndLeavesTheWorkAsItWas) {
    Patm = 101325;
    const EsitoFuori& c = GetParam();
    TLavoro l;
    l.TestataChart.tbsMin = -5;
    l.NumTrattamenti = 2;
    l.NumPunti = 3;
    TTrattamento& t = l.Trattamenti[0];
    t.Tipo = c.tipo;
    impostaDatiDefault(c.tipo, t.Dati, 0);
    t.Dati.PuntoPortata = -1;
    c.prepara(t.Dati);
    ASSERT_EQ(verificaDati(t), "");
    l.Trattamenti[1].Tipo = TipoUnione;
    const TLavoro prima = l;

    const EsitoCalcolo e = BtnCalcolaClick(l, 1, {1, 2, 3});
    EXPECT_EQ(e.errore, CodiceFuoriCampo);
    EXPECT_EQ(e.messaggio.rfind("Tratto  1\r" + MessaggioErrore(CodiceFuoriCampo) + ": ", 0), 0u)
        << e.messaggio;
    EXPECT_NE(e.messaggio.find(c.testo), std::string::npos) << e.messaggio;
    EXPECT_TRUE(l.Punti == prima.Punti);
    EXPECT_TRUE(t.Dati == prima.Trattamenti[0].Dati);
    EXPECT_EQ(valoreNonValido(l), "");
}

INSTANTIATE_TEST_SUITE_P(Table, OutcomeBeyondBounds,
                         ::testing::Values(
                             // A union from its flow, S and T: 1571 kW sensible on 2.8 kg/s.
                             EsitoFuori{"UnionSensibleFarAboveItsFlow", TipoUnione,
                                        [](TDatiTrattamento& d) {
                                            d.modoBatteria = 1;
                                            d.S = 1571.6;
                                        },
                                        "punto 2: tbs = -"},
                             // A coil the same way.
                             EsitoFuori{"CoilSensibleFarAboveItsFlow", TipoBatteriaFredda,
                                        [](TDatiTrattamento& d) {
                                            d.modoBatteria = 1;
                                            d.S = 1571.6;
                                        },
                                        "punto 2: tbs = -"},
                             // Heating a thousandth of a gram a second with 10 kW.
                             EsitoFuori{"HeatingATrickle", TipoRiscaldamento,
                                        [](TDatiTrattamento& d) {
                                            d.modoPotenza = 0;
                                            d.portata = 1e-6;
                                        },
                                        "punto 2: tbs = "},
                             // A union from its flow, S and the latent load: the outlet drier
                             // than dry air.
                             EsitoFuori{"UnionLatentBeyondTheWater", TipoUnione,
                                        [](TDatiTrattamento& d) {
                                            d.modoBatteria = 4;
                                            d.L = 1e6;
                                        },
                                        "punto 2: tbs = -"},
                             // Heating between two points a billionth of a degree apart: the
                             // flow that 10 kW heat across them.
                             EsitoFuori{"HeatingBetweenPointsAHairApart", TipoRiscaldamento,
                                        [](TDatiTrattamento& d) {
                                            d.modoPotenza = 2;
                                            d.tbs1 = 20;
                                            d.tbs2 = 20.000000001;
                                        },
                                        "punto 1, qm = "}),
                         [](const ::testing::TestParamInfo<EsitoFuori>& i) {
                             return std::string(i.param.nome);
                         });

// The other kinds check their own inputs the same way.
TEST(TreatmentBounds, EveryKindChecksItsOwnInputs) {
    Patm = 101325;
    const auto rifiuto = [](std::uint8_t tipo, double TDatiTrattamento::*campo, double valore) {
        TTrattamento t;
        t.Tipo = tipo;
        impostaDatiDefault(tipo, t.Dati, 0);
        t.Dati.*campo = valore;
        return verificaDati(t);
    };
    EXPECT_NE(rifiuto(TipoMiscela, &TDatiTrattamento::UR2, 1e6).find("UR2 = "), std::string::npos);
    EXPECT_NE(rifiuto(TipoMiscela, &TDatiTrattamento::port2, 1e300).find("port2 = "),
              std::string::npos);
    EXPECT_NE(rifiuto(TipoRiscaldamento, &TDatiTrattamento::potenza, 1e300).find("potenza = "),
              std::string::npos);
    EXPECT_NE(rifiuto(TipoRaffreddamento, &TDatiTrattamento::tbs2, -1e9).find("tbs2 = "),
              std::string::npos);
    EXPECT_NE(rifiuto(TipoUmidificazione, &TDatiTrattamento::tbs2, 1e300).find("x2 = "),
              std::string::npos);
    EXPECT_NE(rifiuto(TipoUmidificazioneVapore, &TDatiTrattamento::tMezzo, 1e9).find("tMezzo = "),
              std::string::npos);
    // The defaults, and the limits themselves, are inside.
    for (std::uint8_t tipo = 0; tipo <= TipoUmidificazioneVapore; ++tipo)
        EXPECT_EQ(rifiuto(tipo, &TDatiTrattamento::tbs1, -100.0), "") << int{tipo};
    EXPECT_EQ(rifiuto(TipoBatteriaFredda, &TDatiTrattamento::tbs2, 200.0), "");
    EXPECT_EQ(rifiuto(TipoBatteriaFredda, &TDatiTrattamento::S, 1e9), "");
    // Air above saturation is a result the calculation reports, not a
    // refused input.
    EXPECT_EQ(rifiuto(TipoBatteriaFredda, &TDatiTrattamento::UR1, 150.0), "");
}

} // namespace
} // namespace tarvelo
