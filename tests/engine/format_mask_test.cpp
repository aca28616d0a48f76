#include "engine/format_mask.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

struct Case {
    const char* mask;
    double x;
    const char* expected;
};

class FormatMaskCases : public ::testing::TestWithParam<Case> {};

TEST_P(FormatMaskCases, LaysOutTheNumber) {
    const Case& c = GetParam();
    EXPECT_EQ(FormatMask(c.mask, c.x), c.expected) << "mask \"" << c.mask << "\", x " << c.x;
}

INSTANTIATE_TEST_SUITE_P(
    Documented, FormatMaskCases,
    ::testing::Values(Case{"###.####", 2.7777, "  2.7777"}, Case{"###.####", -1.5, " -1.5000"},
                      Case{"-####", -500, "- 500"}, Case{"-####", 500, "  500"},
                      Case{"######", 101325, "101325"}, Case{"###", 1234, "***"},
                      Case{"#,###,###", 1234567, "1,234,567"}, Case{"@@@@", 42, "0042"},
                      Case{"####-", -12, "  12-"}, Case{"kg/s", 3.0, "kg/s"}, Case{"", 3.0, ""}));

INSTANTIATE_TEST_SUITE_P(
    Language, FormatMaskCases,
    ::testing::Values(
        // rounding: half away from zero on the exact binary value
        Case{"#.##", 0.125, "0.13"}, Case{"#.##", 2.675, "2.67"}, Case{"##", 0.5, " 1"},
        Case{"###", -0.5, " -1"}, Case{"#.#", 0.04, "0.0"},
        // plus sign, leading and trailing
        Case{"+###", 12, "+ 12"}, Case{"+###", -12, "- 12"}, Case{"###+", 7, "  7+"},
        // fills
        Case{"****", 42, "**42"}, Case{"@@@@", -42, "0042"}, Case{"-@@@", -42, "-042"},
        Case{"@@@.@@", 3.14159, "003.14"},
        // separators: Italian grouping, blank grouping, comma decimals
        Case{"#.###.###", 1234567, "1.234.567"}, Case{"###.###,##", 1234.5, "  1.234,50"},
        Case{"### ###", 12345, " 12 345"}, Case{"#,###.##", 1234.5, "1,234.50"},
        // a separator not followed by a digit position ends the field
        Case{"###. kg", 12, " 12. kg"}, Case{"###.", 12, " 12."},
        Case{"tbs=###.# °C", 25.04, "tbs= 25.0 °C"},
        // overflow keeps separators and shows the sign
        Case{"##.##", 123.4, "**.**"}, Case{"-###", -1234, "-***"}, Case{"###", -123, "***"},
        Case{"#,###", 12345, "*,***"},
        // euro: floating sign, zero fill turned blank
        Case{"\x80####", 12,
             "  \x80"
             "12"},
        Case{"\x80@@@@", 12,
             "  \x80"
             "12"},
        Case{"-\x80###", -5,
             "-  \x80"
             "5"},
        Case{"\x80##", 1234, "***"}));

TEST(FormatMask, NonFiniteValuesNeverPrintAsNumbers) {
    EXPECT_EQ(FormatMask("###.#", 1.0 / 0.0 * 0.0), "***.*");
    EXPECT_EQ(FormatMask("-###", -1.0 / 0.0), "-***");
}

TEST(FormatMask, LongMasksAreCutTo255Characters) {
    const std::string mask = std::string(300, '#');
    EXPECT_EQ(FormatMask(mask, 1.0).size(), 255u);
}

} // namespace
} // namespace tarvelo
