#include "engine/moist_air.h"
#include "engine/state_solver.h"
#include "support/digits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvelo {
namespace {

using test::HasDigits;

class StateSolver : public ::testing::Test {
  protected:
    void SetUp() override { Patm = 101325.0; }
    void TearDown() override { Patm = 101325.0; }
};

TEST_F(StateSolver, SaturationTemperature) {
    EXPECT_TRUE(HasDigits(TempSat(2339.0), "20.001"));
    EXPECT_TRUE(HasDigits(TempSat(101325.0), "99.974"));
    const SolveResult r = tempSatChecked(2339.0);
    EXPECT_TRUE(r.converged);
    EXPECT_EQ(r.value, TempSat(2339.0));
}

TEST_F(StateSolver, UnconvergedSaturationReturnsTheSentinel) {
    const SolveResult r = tempSatChecked(-5.0); // no temperature has a negative pressure
    EXPECT_FALSE(r.converged);
    EXPECT_EQ(r.value, 0.0);
    EXPECT_EQ(TempSat(-5.0), 0.0);
}

TEST_F(StateSolver, DewPointOfDryAirIsTheSentinel) {
    EXPECT_EQ(TdpdaX(0.0), -999.0);
    EXPECT_EQ(TdpdaX(1e-10), -999.0);
    EXPECT_NE(TdpdaX(1e-9), -999.0);
}

TEST_F(StateSolver, StateFromDryBulbAndRelativeHumidity) {
    double x, h, tbu, tdp, rd, rm;
    StatoTbsUR(25.0, 0.5, x, h, tbu, tdp, rd, rm);
    EXPECT_TRUE(HasDigits(x, "0.0098816"));
    EXPECT_TRUE(HasDigits(h, "50309.8"));
    EXPECT_TRUE(HasDigits(tbu, "17.889"));
    EXPECT_TRUE(HasDigits(tdp, "13.864"));
    EXPECT_TRUE(HasDigits(rd, "1.16539"));
    EXPECT_TRUE(HasDigits(rm, "1.17691"));

    // Every other pair of the same state gives the same state back, within
    // the solver's tolerance.
    double x2, ur2, h2, tdp2, rd2, rm2, tbu2;
    StatoTbsTbu(25.0, tbu, x2, ur2, h2, tdp2, rd2, rm2);
    EXPECT_NEAR(x2, x, 1e-7);
    EXPECT_NEAR(ur2, 0.5, 1e-5);
    EXPECT_NEAR(h2, h, 0.5);
    EXPECT_NEAR(tdp2, tdp, 1e-3);

    StatoTbsX(25.0, x, ur2, h2, tbu2, tdp2, rd2, rm2);
    EXPECT_NEAR(ur2, 0.5, 1e-12);
    EXPECT_EQ(h2, h);
    EXPECT_EQ(tbu2, tbu);
    EXPECT_EQ(tdp2, tdp);
    EXPECT_EQ(rd2, rd);

    StatoTbsH(25.0, h, x2, ur2, tbu2, tdp2, rd2, rm2);
    EXPECT_NEAR(x2, x, 1e-12);
    EXPECT_NEAR(ur2, 0.5, 1e-9);
    EXPECT_NEAR(tbu2, tbu, 1e-4);
    EXPECT_NEAR(tdp2, tdp, 1e-4);

    double xv = 0, hv = 0, vd = 0;
    XHVdaTbsUR(25.0, 0.5, xv, hv, vd);
    EXPECT_EQ(xv, x);
    EXPECT_EQ(hv, h);
    EXPECT_TRUE(HasDigits(vd, "0.85808"));
}

TEST_F(StateSolver, WetBulb) {
    EXPECT_TRUE(HasDigits(TbudaTbsX(0.0, 25.0), "8.272"));
    // Supersaturated input: the wet bulb would lie above the dry bulb.
    const double xs = XdaPv(PressSat(20.0), Patm);
    EXPECT_EQ(TbudaTbsX(xs * 1.5, 20.0), 20.0);
    // Saturated air: wet bulb equals dry bulb within tolerance.
    EXPECT_NEAR(TbudaTbsX(xs, 20.0), 20.0, 1e-3);
    // The closed form inverts the solver.
    const double tbu = TbudaTbsX(0.008, 30.0);
    EXPECT_NEAR(XdaTbsTbu(30.0, tbu), 0.008, 1e-8);
}

TEST_F(StateSolver, WetBulbFollowsAPressureChange) {
    // The boiling point is remembered per pressure, never across pressures.
    const double atSeaLevel = TbudaTbsX(0.005, 30.0);
    Patm = 70108.0;
    const double atAltitude = TbudaTbsX(0.005, 30.0);
    EXPECT_LT(atAltitude, atSeaLevel);
    EXPECT_NEAR(XdaTbsTbu(30.0, atAltitude), 0.005, 1e-8);
    Patm = 101325.0;
    EXPECT_EQ(TbudaTbsX(0.005, 30.0), atSeaLevel);
}

TEST_F(StateSolver, DryBulbFromHumidityRatioAndRelativeHumidity) {
    double x, h, tbu, tdp, rd, rm;
    StatoTbsUR(25.0, 0.5, x, h, tbu, tdp, rd, rm);
    EXPECT_NEAR(TbsdaXUR(x, 0.5), 25.0, 1e-3);
    EXPECT_NEAR(TbsdaXUR(x, 1.0), tdp, 1e-12);
}

TEST_F(StateSolver, StatesAcrossTheWorkingRangeAreConsistent) {
    for (double p : {70108.0, 101325.0, 107478.0}) {
        Patm = p;
        for (double t = -10.0; t <= 45.0; t += 5.0) {
            for (double ur = 0.05; ur <= 1.0; ur += 0.19) {
                double x, h, tbu, tdp, rd, rm;
                StatoTbsUR(t, ur, x, h, tbu, tdp, rd, rm);
                EXPECT_TRUE(tbuDaTbsXChecked(x, t).converged) << t << " " << ur << " " << p;
                EXPECT_LE(tbu, t + 1e-9);
                EXPECT_LE(tdp, tbu + 1e-3);
                EXPECT_NEAR(PressSat(tdp), ur * PressSat(t), 1e-4 * PressSat(t));
                EXPECT_NEAR(XdaTbsTbu(t, tbu), x, 1e-7);
            }
        }
    }
}

} // namespace
} // namespace tarvelo
