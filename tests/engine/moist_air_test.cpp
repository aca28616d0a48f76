#include "engine/moist_air.h"
#include "support/digits.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

using test::HasDigits;

class MoistAir : public ::testing::Test {
  protected:
    void SetUp() override { Patm = 101325.0; }
    void TearDown() override { Patm = 101325.0; }
};

TEST_F(MoistAir, SaturationPressureOverWaterAndIce) {
    const struct {
        double t;
        const char* pa;
    } cases[] = {
        {0.0, "611.213"},    // 0 °C belongs to the water side
        {-0.001, "611.103"}, // ice side: the two relations do not join exactly
        {-20.0, "103.26"},   {20.0, "2338.80"}, {25.0, "3169.22"}, {100.0, "101418.7"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(HasDigits(PressSat(c.t), c.pa)) << "t = " << c.t;
}

TEST_F(MoistAir, StateAt25DegreesHalfSaturated) {
    double ps = 0.0;
    const double pv = PvdaUR(0.5, 25.0, ps);
    EXPECT_EQ(ps, PressSat(25.0));
    EXPECT_TRUE(HasDigits(pv, "1584.61"));
    const double x = XdaPv(pv, Patm);
    EXPECT_TRUE(HasDigits(x, "0.0098816"));
    const double h = HdaTbsX(25.0, x);
    EXPECT_TRUE(HasDigits(h, "50309.8"));
    const double rd = RhoSecca(x, 25.0);
    EXPECT_TRUE(HasDigits(rd, "1.16539"));
    EXPECT_TRUE(HasDigits(1.0 / rd, "0.85808"));
    EXPECT_TRUE(HasDigits(RhoUmida(x, rd), "1.17691"));

    // The closed-form inversions give the inputs back.
    EXPECT_NEAR(TbsdaXH(x, h), 25.0, 1e-12);
    EXPECT_NEAR(XdaTbsH(25.0, h), x, 1e-15);
    EXPECT_NEAR(XdaRhoTbs(rd, 25.0), x, 1e-12);
    EXPECT_NEAR(URdaX(x, ps, Patm), 0.5, 1e-15);
}

TEST_F(MoistAir, RelativeHumidityIsNotClamped) {
    const double ps = PressSat(20.0);
    EXPECT_DOUBLE_EQ(URdaX(XdaPv(ps, Patm), ps, Patm), 1.0);
    EXPECT_GT(URdaX(XdaPv(1.2 * ps, Patm), ps, Patm), 1.0);
}

TEST_F(MoistAir, EveryFunctionReadsTheCurrentPressure) {
    const double pv = 1584.61;
    const double x0 = XdaPv(pv, Patm);
    const double rd0 = RhoSecca(x0, 25.0);
    Patm = 80000.0;
    EXPECT_GT(XdaPv(pv, Patm), x0);
    EXPECT_LT(RhoSecca(x0, 25.0), rd0);
    EXPECT_NEAR(RhoSecca(x0, 25.0) / rd0, 80000.0 / 101325.0, 1e-12);
    EXPECT_NEAR(XdaRhoTbs(RhoSecca(0.01, 30.0), 30.0), 0.01, 1e-12);
    Patm = 101325.0;
    EXPECT_EQ(RhoSecca(x0, 25.0), rd0);
}

} // namespace
} // namespace tarvelo
