#include "chart/chart_replay.h"
#include "support/recording_canvas.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvelo {
namespace {

using test::RecordingCanvas;
using test::TempDir;

TEST(LabelPlacement, ScreenAndPrintColumns) {
    const TextSize t{30, 12}; // w, h
    struct Case {
        int p, anchorY;
        Offset video, stampa;
    };
    const Case cases[] = {
        {1, 100, {-15, 5}, {-15, 25}},    {2, 100, {10, -6}, {10, 4}},
        {3, 100, {-45, -12}, {-45, -6}},  {4, 100, {-30, -12}, {-30, 0}},
        {5, 100, {-30, -12}, {-30, -12}}, {6, 100, {-30, 6}, {-30, 18}},
        {6, 0, {-18, 12}, {-15, 12}},
    };
    for (const Case& c : cases) {
        const Offset v = placementVideo(c.p, c.anchorY, t, 5, 10);
        const Offset s = placementStampa(c.p, c.anchorY, t, 25, 10);
        EXPECT_EQ(v.dx, c.video.dx) << c.p;
        EXPECT_EQ(v.dy, c.video.dy) << c.p;
        EXPECT_EQ(s.dx, c.stampa.dx) << c.p;
        EXPECT_EQ(s.dy, c.stampa.dy) << c.p;
    }
}

class Replay : public ::testing::Test {
  protected:
    void SetUp() override {
        MetaWriter w;
        w.penColour(14);
        w.fontSize(7);
        w.move(10, 20);
        w.line(30, 40);
        w.line(-5, 50); // a negative X: only a move on paper
        w.boxTopLeft(1, 2);
        w.boxBottomRight(3, 4);
        w.boxText("50%");
        w.label(100, 200, 6, "50%");
        w.label(-3, 200, 5, "0.750"); // anchor left of the origin: box but no text
        VersioneConvertita v;
        ASSERT_TRUE(convertiTesto(w.text(), v).ok);
        // A chart's ranges and scales, as the builder would store them.
        header.tbsMin = -5;
        header.tbsMax = 36;
        header.xMax = 26;
        header.pressure = 101325;
        for (ChartVersion* section : {&header.screen, &header.print}) {
            section->sx = 10;
            section->sy = 10000;
            section->W = 400;
            section->y0 = 300;
        }
        header.screen.leftMargin = 15;
        header.print.leftMargin = 15;
        header.dy1Screen = 5;
        header.dx2Screen = 10;
        header.dy1Print = 25;
        header.dx2Print = 10;
        header.enthalpyScaleX = 100;
        header.enthalpyScaleY = 150;
        header.enthalpyScaleSlope = 0;
        ASSERT_TRUE(scriviVersione(dir.prefix(), 1, VersioneVideo, v, header).ok);
        ASSERT_TRUE(scriviVersione(dir.prefix(), 1, VersioneStampa, v, header).ok);
    }
    bool has(const RecordingCanvas& c, const std::string& call) const {
        return std::find(c.calls.begin(), c.calls.end(), call) != c.calls.end();
    }
    TempDir dir;
    TTestataChart header;
};

TEST_F(Replay, ScreenAddsTheLeftMarginAndBoxesItsLabels) {
    RecordingCanvas c;
    std::vector<Riquadro> etichette;
    ASSERT_TRUE(replayVideo(dir.prefix(), 1, header, c, &etichette).ok);
    EXPECT_TRUE(has(c, "move 25,20"));
    EXPECT_TRUE(has(c, "line 45,40"));
    EXPECT_TRUE(has(c, "line 10,50")); // the screen draws it
    // "50%": w 30, h 20, anchor Y > 0: dx -w, dy +round(h/2), over a white box
    EXPECT_TRUE(has(c, "white 85,210 115,230"));
    EXPECT_TRUE(has(c, "text 85,210 50%"));
    EXPECT_FALSE(has(c, "text -68,180 0.750"));
    // Where the labels drawn lie, for the points' names to avoid.
    EXPECT_EQ(etichette, (std::vector<Riquadro>{{85, 210, 115, 230}}));
    EXPECT_EQ(c.pen.colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(c.font.size, 7);
}

TEST_F(Replay, PrintPlacesByBaselineMasksTheTopAndTitlesTheAxes) {
    RecordingCanvas c;
    std::vector<Riquadro> etichette;
    ASSERT_TRUE(
        replayStampa(dir.prefix(), 1, header, c, PrintPlacement{100, 50, true}, &etichette).ok);
    const int ox = 15 + 100;
    EXPECT_TRUE(has(c, "move " + RecordingCanvas::xy(10 + ox, 70)));
    EXPECT_TRUE(has(c, "line " + RecordingCanvas::xy(30 + ox, 90)));
    EXPECT_TRUE(has(c, "move " + RecordingCanvas::xy(-5 + ox, 100))); // negative X: moved
    // "50%": dx -w = -30, dy +round(3h/2) = 30; box from Y+dy+4-h to Y+dy+4
    EXPECT_TRUE(has(c, "white 185,264 215,284"));
    EXPECT_TRUE(has(c, "baseline 185,280 50% 0"));
    // "0.750": w 50; box painted, text not printed
    EXPECT_TRUE(has(c, "white 62,214 112,234"));
    EXPECT_EQ(
        std::count_if(c.calls.begin(), c.calls.end(),
                      [](const std::string& s) { return s.find("0.750") != std::string::npos; }),
        0);
    // The printed label's box, as its white mask would take it.
    EXPECT_EQ(etichette, (std::vector<Riquadro>{{185, 264, 215, 284}}));
    EXPECT_EQ(c.pen.colour, (Rgb{0, 0, 0})); // monochrome
    // The white mask above the field and the three titles in Arial 9.
    EXPECT_TRUE(has(c, "white 115,0 517,50"));
    EXPECT_TRUE(has(c, "font Arial 9 -1"));
    const std::string tbs = TitoloAsseTbs;
    EXPECT_TRUE(has(c, "baseline " +
                           RecordingCanvas::xy(ox + 200 - 10 * static_cast<int>(tbs.size()) / 2,
                                               50 + 300 + 75) +
                           " " + tbs + " 0"));
    const std::string x = TitoloAsseX;
    EXPECT_TRUE(has(
        c, "baseline " +
               RecordingCanvas::xy(ox + 400 + 90, 50 + 150 + 10 * static_cast<int>(x.size()) / 2) +
               " " + x + " 90"));
}

TEST_F(Replay, AMissingChartFileFails) {
    RecordingCanvas c;
    EXPECT_FALSE(replayVideo(dir.prefix(), 2, header, c).ok);
}

} // namespace
} // namespace tarvelo
