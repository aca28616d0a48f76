#include "engine/text.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(Riga, LinesEndWithCarriageReturnAndLineFeed) {
    const std::string text = "uno\r\ndue\r\ntre";
    EXPECT_EQ(Riga(text, 1), "uno");
    EXPECT_EQ(Riga(text, 2), "due");
    EXPECT_EQ(Riga(text, 3), "tre");
    EXPECT_EQ(Riga(text, 4), "");
    EXPECT_EQ(Riga(text, 0), "");
    EXPECT_EQ(Riga("solo", 1), "solo");
    EXPECT_EQ(Riga("a\r\n", 1), "a");
    EXPECT_EQ(Riga("a\r\n", 2), "");
    EXPECT_EQ(Riga("a\r", 2), ""); // a separator cut short at the end
}

TEST(TogliSpazi, DropsBlanksAndTabs) {
    EXPECT_EQ(TogliSpazi(" 1 234\t5 "), "12345");
    EXPECT_EQ(TogliSpazi(""), "");
}

TEST(Cp1252, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Cp1252, ConvertsTheCharactersOfTheUserInterface) {
    EXPECT_EQ(cp1252ToUtf8("2\xB0 piano"), "2° piano");
    EXPECT_EQ(utf8ToCp1252("2° piano"), "2\xB0 piano");
    EXPECT_EQ(utf8ToCp1252("€ m³ è"), "\x80 m\xB3 \xE8");
    EXPECT_EQ(cp1252ToUtf8("\x80"), "€");
    EXPECT_EQ(utf8ToCp1252("Ω"), "?");      // outside Windows-1252
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?"); // cut short
    EXPECT_EQ(utf8ToCp1252("\xFF"
                           "b"),
              "?b"); // not UTF-8
}

} // namespace
} // namespace tarvelo
