#include "engine/altitude.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(Altitude, PressureFromAltitude) {
    EXPECT_DOUBLE_EQ(pressureFromAltitude(0.0), 101325.0);
    EXPECT_DOUBLE_EQ(pressureFromAltitude(1500.0), 84684.5);
    EXPECT_DOUBLE_EQ(pressureFromAltitude(3500.0), 65874.0);
    EXPECT_DOUBLE_EQ(pressureFromAltitude(-500.0), 107478.0);
    EXPECT_DOUBLE_EQ(pressureFromAltitude(10000.0), 26346.0);
    // Beyond the table the end segments are extended.
    EXPECT_DOUBLE_EQ(pressureFromAltitude(-1000.0), 113631.0);
    EXPECT_DOUBLE_EQ(pressureFromAltitude(11000.0), 21950.0);
}

TEST(Altitude, AltitudeFromPressure) {
    EXPECT_DOUBLE_EQ(altitudeFromPressure(101325.0), 0.0);
    EXPECT_NEAR(altitudeFromPressure(20000.0), 11443.6, 0.05);
    EXPECT_DOUBLE_EQ(altitudeFromPressure(84684.5), 1500.0);
    EXPECT_DOUBLE_EQ(altitudeFromPressure(107478.0), -500.0);
    for (double a = -800.0; a <= 12000.0; a += 250.0)
        EXPECT_NEAR(altitudeFromPressure(pressureFromAltitude(a)), a, 1e-8) << a;
}

} // namespace
} // namespace tarvelo
