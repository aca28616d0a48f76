#include "engine/numeric.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(Interpola, ArgumentOrderIsXThenUpperThenLower) {
    EXPECT_DOUBLE_EQ(Interpola(15.0, 20.0, 10.0, 200.0, 100.0), 150.0);
    EXPECT_DOUBLE_EQ(Interpola(25.0, 20.0, 10.0, 200.0, 100.0), 250.0); // extrapolates
}

TEST(HVapore, TableInterpolationAndItsEdges) {
    EXPECT_DOUBLE_EQ(HVapore(100.0), 2675.4);
    EXPECT_DOUBLE_EQ(HVapore(105.0), 2683.15);
    EXPECT_DOUBLE_EQ(HVapore(-1.0), 2500.0);
    EXPECT_DOUBLE_EQ(HVapore(210.0), 2800.0); // last interval extended
    EXPECT_DOUBLE_EQ(HVapore(0.0), 2500.0);
    EXPECT_DOUBLE_EQ(HVapore(195.0), (2786.2 + 2793.1) / 2.0);
    // Less than 0.5 °C below a multiple of ten: the interval above is used.
    EXPECT_DOUBLE_EQ(HVapore(19.6), Interpola(19.6, 30.0, 20.0, 2555.5, 2537.4));
    EXPECT_DOUBLE_EQ(HVapore(19.4), Interpola(19.4, 20.0, 10.0, 2537.4, 2519.1));
}

TEST(Decimo, RoundsToOneDecimalThenTruncates) {
    const struct {
        double x;
        long long expected;
    } cases[] = {{2.96, 3}, {2.94, 2},   {-2.96, -3}, {-0.04, 0},           {0.0, 0},
                 {9.95, 9}, {19.96, 20}, {-2.94, -2}, {1e6 + 0.97, 1000001}};
    for (const auto& c : cases)
        EXPECT_EQ(Decimo(c.x), c.expected) << c.x;
}

TEST(FlowUnits, FactorsMasksAndConversion) {
    EXPECT_EQ(FattorePortata(UmKgS), 1.0);
    EXPECT_EQ(FattorePortata(UmLS), 816.0);
    EXPECT_EQ(FattorePortata(UmM3H), 2937.6);
    EXPECT_EQ(FattorePortata(3), 0.0);
    EXPECT_EQ(FattorePortata(-1), 0.0);
    EXPECT_EQ(FattoreVolume(UmLS), 1000.0);
    EXPECT_EQ(FattoreVolume(UmM3H), 3600.0);
    EXPECT_EQ(FattoreVolume(7), 0.0);

    double v = 2937.6;
    EXPECT_TRUE(InKgS(UmM3H, v));
    EXPECT_DOUBLE_EQ(v, 1.0);
    v = 1.25;
    EXPECT_TRUE(InKgS(UmKgS, v));
    EXPECT_EQ(v, 1.25);
    v = 816.0;
    EXPECT_TRUE(InKgS(UmLS, v));
    EXPECT_EQ(v, 1.0);
    // An unknown unit must not turn a flow into infinity.
    v = 5.0;
    EXPECT_FALSE(InKgS(9, v));
    EXPECT_EQ(v, 5.0);

    std::string mask = "keep";
    MaskPortata(UmKgS, mask);
    EXPECT_EQ(mask, "###.####");
    MaskPortata(UmLS, mask);
    EXPECT_EQ(mask, "#####.##");
    MaskPortata(UmM3H, mask);
    EXPECT_EQ(mask, "######.#");
    MaskPortata(3, mask);
    EXPECT_EQ(mask, "######.#");
    EXPECT_EQ(UnitaPortata(UmM3H), "m3/h");
}

} // namespace
} // namespace tarvelo
