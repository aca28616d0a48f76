#include "chart/display_list.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(MetaText, LinesAreWrittenInTheirExactForms) {
    MetaWriter w;
    w.move(120, -1000);
    w.line(0, 1430);
    w.label(120, 340, 1, "25");
    w.boxTopLeft(10, 20);
    w.boxBottomRight(30, 40);
    w.boxText("50%");
    w.penStyle(2);
    w.penMode(4);
    w.penColour(14);
    w.penWidth(2);
    w.fontSize(7);
    w.fontStyle(-1);
    EXPECT_EQ(w.text(), "1     120   -1000\n"
                        "2       0    1430\n"
                        "3     120     340 1 25\n"
                        "4      10      20\n"
                        "5      30      40\n"
                        "6 0 0 50%\n"
                        "100 2 0\n"
                        "101 4 0\n"
                        "102 14 0\n"
                        "103   2 0\n"
                        "104   7 0\n"
                        "105 -1 0\n");
}

TEST(MetaText, ReaderTakesThreeIntegersThenTheText) {
    auto c = parseMetaLine("3     120     340 1 25");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->code, 3);
    EXPECT_EQ(c->a, 120);
    EXPECT_EQ(c->b, 340);
    EXPECT_EQ(c->placement, 1);
    EXPECT_EQ(c->text, "25");

    // Exactly one character is skipped after P: further blanks are text.
    c = parseMetaLine("3 1 2 6  10%\r");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->text, " 10%");
    c = parseMetaLine("6 0 0 " + std::string(300, 'x'));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->text.size(), 255u);
    c = parseMetaLine("105 -1 0");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->a, -1);
    EXPECT_FALSE(parseMetaLine("abc"));
    EXPECT_FALSE(parseMetaLine("1 2"));
}

} // namespace
} // namespace tarvelo
