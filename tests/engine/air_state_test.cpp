#include "engine/air_state.h"
#include "engine/moist_air.h"
#include "engine/state_solver.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvelo {
namespace {

class AirState : public ::testing::Test {
  protected:
    void TearDown() override { Patm = 101325.0; }
};

// The checked path must give the state procedures' numbers bit for bit.
TEST_F(AirState, MatchesTheStateProceduresExactly) {
    for (double p : {101325.0, 84684.5}) {
        for (double t = -10.0; t <= 45.0; t += 11.0) {
            for (double ur = 0.1; ur <= 1.0; ur += 0.3) {
                Patm = p;
                double x, h, tbu, tdp, rd, rm;
                StatoTbsUR(t, ur, x, h, tbu, tdp, rd, rm);

                EsitoStato e = calcolaStato(CoppiaNota::TbsUR, t, ur * 100.0, p);
                ASSERT_TRUE(e.ok) << e.errore;
                EXPECT_EQ(e.stato.x, x);
                EXPECT_EQ(e.stato.h, h);
                EXPECT_EQ(e.stato.tbu, tbu);
                EXPECT_EQ(e.stato.tdp, tdp);
                EXPECT_EQ(e.stato.rhoSecca, rd);
                EXPECT_EQ(e.stato.rhoUmida, rm);
                EXPECT_EQ(e.stato.v, 1.0 / rd);
                EXPECT_EQ(e.stato.Psat, PressSat(t));

                double ur2, h2, tbu2, tdp2, rd2, rm2, x2;
                StatoTbsX(t, x, ur2, h2, tbu2, tdp2, rd2, rm2);
                e = calcolaStato(CoppiaNota::TbsX, t, x, p);
                ASSERT_TRUE(e.ok);
                EXPECT_EQ(e.stato.UR, ur2 * 100.0);
                EXPECT_EQ(e.stato.tbu, tbu2);
                EXPECT_EQ(e.stato.tdp, tdp2);

                StatoTbsTbu(t, tbu, x2, ur2, h2, tdp2, rd2, rm2);
                e = calcolaStato(CoppiaNota::TbsTbu, t, tbu, p);
                ASSERT_TRUE(e.ok);
                EXPECT_EQ(e.stato.x, x2);
                EXPECT_EQ(e.stato.h, h2);
                EXPECT_EQ(e.stato.tbu, tbu);
                EXPECT_EQ(e.stato.tdp, tdp2);

                StatoTbsH(t, h, x2, ur2, tbu2, tdp2, rd2, rm2);
                e = calcolaStato(CoppiaNota::TbsH, t, h, p);
                ASSERT_TRUE(e.ok);
                EXPECT_EQ(e.stato.x, x2);
                EXPECT_EQ(e.stato.h, h);
                EXPECT_EQ(e.stato.tbu, tbu2);
            }
        }
    }
}

TEST_F(AirState, EveryPairReachesTheSameState) {
    const EsitoStato ref = calcolaStato(CoppiaNota::TbsUR, 25.0, 50.0, 101325.0);
    ASSERT_TRUE(ref.ok);
    const StatoAria& s = ref.stato;
    const struct {
        CoppiaNota coppia;
        double a, b;
    } pairs[] = {
        {CoppiaNota::TbsTbu, 25.0, s.tbu},
        {CoppiaNota::TbsX, 25.0, s.x},
        {CoppiaNota::TbsH, 25.0, s.h},
        {CoppiaNota::TbsVd, 25.0, s.v},
        {CoppiaNota::TbsRhoSecca, 25.0, s.rhoSecca},
        {CoppiaNota::XH, s.x, s.h},
        {CoppiaNota::XUR, s.x, 50.0},
    };
    for (const auto& p : pairs) {
        const EsitoStato e = calcolaStato(p.coppia, p.a, p.b, 101325.0);
        ASSERT_TRUE(e.ok) << static_cast<int>(p.coppia) << ": " << e.errore;
        EXPECT_NEAR(e.stato.tbs, 25.0, 2e-3) << static_cast<int>(p.coppia);
        EXPECT_NEAR(e.stato.x, s.x, 1e-7) << static_cast<int>(p.coppia);
        EXPECT_NEAR(e.stato.UR, 50.0, 1e-2) << static_cast<int>(p.coppia);
        EXPECT_NEAR(e.stato.tdp, s.tdp, 1e-3) << static_cast<int>(p.coppia);
        EXPECT_TRUE(e.avvisi.empty());
    }
    const EsitoStato sat = calcolaStato(CoppiaNota::TbsSat, 20.0, 0.0, 101325.0);
    ASSERT_TRUE(sat.ok);
    EXPECT_DOUBLE_EQ(sat.stato.UR, 100.0);
    EXPECT_NEAR(sat.stato.tdp, 20.0, 1e-3);
}

TEST_F(AirState, ComputesAtItsOwnPressureAndLeavesTheEnginesAlone) {
    Patm = 95461.0;
    const EsitoStato sea = calcolaStato(CoppiaNota::TbsUR, 25.0, 50.0, 101325.0);
    EXPECT_EQ(Patm, 95461.0);
    const EsitoStato high = calcolaStato(CoppiaNota::TbsUR, 25.0, 50.0, 70108.0);
    EXPECT_EQ(Patm, 95461.0);
    ASSERT_TRUE(sea.ok && high.ok);
    EXPECT_EQ(sea.stato.Patm, 101325.0);
    EXPECT_EQ(high.stato.Patm, 70108.0);
    EXPECT_GT(high.stato.x, sea.stato.x);
    EXPECT_LT(high.stato.tbu, sea.stato.tbu);
    calcolaStato(CoppiaNota::TbsUR, 25.0, 50.0, -1.0); // refused
    EXPECT_EQ(Patm, 95461.0);
}

TEST_F(AirState, RejectsWhatHasNoState) {
    const struct {
        CoppiaNota coppia;
        double a, b, patm;
        const char* words;
    } bad[] = {
        {CoppiaNota::TbsUR, 25.0, 50.0, 0.0, "pressione atmosferica"},
        {CoppiaNota::TbsUR, 25.0, 50.0, -3.0, "pressione atmosferica"},
        {CoppiaNota::TbsUR, 25.0, -1.0, 101325.0, "umidità relativa"},
        {CoppiaNota::TbsX, 25.0, -0.001, 101325.0, "umidità specifica"},
        {CoppiaNota::XH, -0.001, 30000.0, 101325.0, "umidità specifica"},
        {CoppiaNota::TbsUR, 120.0, 100.0, 101325.0, "pressione del vapore"},
        {CoppiaNota::TbsUR, 70.0, 100.0, 25000.0, "pressione del vapore"},
        {CoppiaNota::TbsUR, 25.0, 50.0, 1000.0, "tra 25000 e 115000 Pa"},
        {CoppiaNota::TbsUR, 25.0, 50.0, 1e300, "tra 25000 e 115000 Pa"},
        {CoppiaNota::TbsSat, 100.5, 0.0, 101325.0, "pressione del vapore"},
        {CoppiaNota::TbsTbu, 110.0, 101.0, 101325.0, "pressione del vapore"},
        {CoppiaNota::TbsTbu, 40.0, 5.0, 101325.0, "negativa"},
        {CoppiaNota::TbsH, 25.0, 10000.0, 101325.0, "entalpia"},
        {CoppiaNota::TbsVd, 25.0, 0.0, 101325.0, "volume specifico"},
        {CoppiaNota::TbsVd, 25.0, 0.5, 101325.0, "negativa"},
        {CoppiaNota::TbsRhoSecca, 25.0, -1.0, 101325.0, "densità"},
        {CoppiaNota::XUR, 0.0, 50.0, 101325.0, "umidità specifica"},
        {CoppiaNota::XUR, 0.01, 0.0, 101325.0, "umidità relativa"},
        {CoppiaNota::TbsUR, std::nan(""), 50.0, 101325.0, "non numerico"},
        {CoppiaNota::TbsUR, 1e308, 50.0, 101325.0, "fuori dal campo"},
        {CoppiaNota::TbsUR, -300.0, 50.0, 101325.0, "fuori dal campo"},
        {CoppiaNota::TbsTbu, 20.0, -150.0, 101325.0, "bulbo umido"},
    };
    for (const auto& c : bad) {
        const EsitoStato e = calcolaStato(c.coppia, c.a, c.b, c.patm);
        EXPECT_FALSE(e.ok) << static_cast<int>(c.coppia) << " " << c.a << " " << c.b;
        EXPECT_NE(e.errore.find(c.words), std::string::npos) << e.errore;
    }
}

TEST_F(AirState, WarnsOfSupersaturationAndDryAir) {
    const EsitoStato super = calcolaStato(CoppiaNota::TbsUR, 20.0, 120.0, 101325.0);
    ASSERT_TRUE(super.ok);
    ASSERT_EQ(super.avvisi.size(), 1u);
    EXPECT_NE(super.avvisi[0].find("soprassatura"), std::string::npos);
    EXPECT_EQ(super.stato.tbu, 20.0); // wet bulb capped at the dry bulb

    const EsitoStato dry = calcolaStato(CoppiaNota::TbsUR, 25.0, 0.0, 101325.0);
    ASSERT_TRUE(dry.ok);
    EXPECT_EQ(dry.stato.x, 0.0);
    EXPECT_EQ(dry.stato.tdp, -999.0);
    ASSERT_EQ(dry.avvisi.size(), 1u);
    EXPECT_NE(dry.avvisi[0].find("rugiada"), std::string::npos);
}

} // namespace
} // namespace tarvelo
