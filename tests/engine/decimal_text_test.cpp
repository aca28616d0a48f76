#include "engine/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvelo {
namespace {

TEST(FloatToStrFixed, CalculatorFormats) {
    const struct {
        double v;
        int precision, digits;
        const char* expected;
    } cases[] = {
        {25.0, 3, 1, "25.0"},          {17.889, 3, 1, "17.9"},      {9.8816, 6, 1, "9.9"},
        {50.3098, 7, 3, "50.310"},     {50.0, 3, 0, "50"},          {1.16539, 5, 3, "1.165"},
        {1584.61, 7, 0, "1585"},       {3169.22, 7, 0, "3169"},     {-999.0, 3, 1, "-999.0"},
        {0.00012345, 3, 5, "0.00012"}, {-0.04, 3, 1, "0.0"},        {9.96, 3, 1, "10.0"},
        {99.96, 3, 1, "100.0"},        {123.456, 3, 1, "123.0"},    {0.5, 3, 0, "1"},
        {1234.5, 3, 1, "1.23E+3"},     {-1234.5, 3, 1, "-1.23E+3"}, {0.0, 5, 3, "0.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrFixed(c.v, c.precision, c.digits), c.expected)
            << c.v << " " << c.precision << "," << c.digits;
}

TEST(FloatToStrFixed, NonFinite) {
    EXPECT_EQ(FloatToStrFixed(std::nan(""), 5, 3), "NAN");
    EXPECT_EQ(FloatToStrFixed(-std::numeric_limits<double>::infinity(), 5, 3), "-INF");
}

TEST(FixedAbsText, TiesRoundAwayOtherValuesToNearest) {
    EXPECT_EQ(fixedAbsText(2.5, 0), "3");
    EXPECT_EQ(fixedAbsText(3.5, 0), "4");
    EXPECT_EQ(fixedAbsText(-0.25, 1), "0.3");
    EXPECT_EQ(fixedAbsText(1.005, 2), "1.00"); // 1.005 is stored just below
    EXPECT_EQ(fixedAbsText(1e22, 0), "10000000000000000000000");
    EXPECT_EQ(fixedAbsText(0.3, 3), "0.300");
}

} // namespace
} // namespace tarvelo
