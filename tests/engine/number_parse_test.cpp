#include "engine/number_parse.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(ParseNumber, AcceptsWhatPeopleType) {
    const struct {
        const char* text;
        double value;
    } ok[] = {{"25", 25.0}, {"25.5", 25.5},  {"25,5", 25.5},    {"-3", -3.0}, {"+4", 4.0},
              {" 7 ", 7.0}, {"1e3", 1000.0}, {"1,5E-2", 0.015}, {".5", 0.5},  {"101325", 101325.0}};
    for (const auto& c : ok) {
        const auto v = parseNumber(c.text);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    }
}

TEST(ParseNumber, RejectsEverythingElse) {
    for (const char* text : {"", " ", "abc", "25x", "nan", "inf", "-inf", "0x10", "1.2.3", "1,2,3",
                             "+-4", "1e999", "25 °C", "--3"})
        EXPECT_FALSE(parseNumber(text).has_value()) << text;
}

} // namespace
} // namespace tarvelo
