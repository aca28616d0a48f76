#include "chart/chart_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

using test::TempDir;

std::vector<DisplayCommand> decodeAll(const VersioneConvertita& v) {
    std::vector<DisplayCommand> out;
    std::size_t start = 0;
    for (auto size : v.blocchi) {
        decodificaBlocco(v.bytes.data() + start, size,
                         [&](const DisplayCommand& c) { out.push_back(c); });
        start += size;
    }
    return out;
}

VersioneConvertita convert(const std::string& text) {
    VersioneConvertita v;
    EXPECT_TRUE(convertiTesto(text, v).ok);
    return v;
}

std::vector<std::pair<int, int>> points(const VersioneConvertita& v) {
    std::vector<std::pair<int, int>> p;
    for (const auto& c : decodeAll(v))
        p.emplace_back(c.code == cmd::Move ? -c.a - 1 : c.a, c.b); // moves marked negative
    return p;
}

TEST(ChartConverter, ALabelLineBecomesANineByteRecord) {
    MetaWriter w;
    w.label(120, 340, 1, "25");
    const auto v = convert(w.text());
    EXPECT_EQ(v.bytes, (std::vector<std::uint8_t>{3, 120, 0, 0x54, 0x01, 1, 2, '2', '5'}));
    ASSERT_EQ(v.blocchi.size(), 1u);
    EXPECT_EQ(v.blocchi[0], 9);
}

TEST(ChartConverter, StraightRunsCollapseToTheirEnds) {
    MetaWriter w;
    w.move(0, 100);
    for (int x = 10; x <= 50; x += 10)
        w.line(x, 100); // horizontal
    w.line(60, 90);
    w.line(70, 80); // same slope as the segment before
    w.line(70, 70);
    w.line(70, 60); // vertical
    const auto v = convert(w.text());
    EXPECT_EQ(points(v),
              (std::vector<std::pair<int, int>>{{-1, 100}, {50, 100}, {70, 80}, {70, 60}}));
}

TEST(ChartConverter, RepeatedPointsRunsAboveTheFieldAndDoubleMoves) {
    MetaWriter w;
    w.move(5, 5);
    w.move(0, 100); // two moves: only the second
    w.line(10, 90);
    w.line(10, 90); // repeated
    w.line(20, -5); // above the field...
    w.line(30, -8); // ...reduced to its last point
    w.line(40, 50);
    const auto v = convert(w.text());
    EXPECT_EQ(points(v), (std::vector<std::pair<int, int>>{{-1, 100}, {30, -8}, {40, 50}}));
}

TEST(ChartConverter, StyleAndTextCommandsFlushThePendingPoint) {
    MetaWriter w;
    w.move(0, 0);
    w.line(10, 10);
    w.penColour(3);
    w.line(20, 20); // continues from the pen; nothing pending to drop
    w.label(1, 2, 6, "x");
    const auto c = decodeAll(convert(w.text()));
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(c[1].code, cmd::Line);
    EXPECT_EQ(c[2].code, cmd::PenColour);
    EXPECT_EQ(c[3].code, cmd::Line);
    EXPECT_EQ(c[4].code, cmd::Label);
}

TEST(ChartConverter, BlocksCloseBeforeARecordWouldOverflow) {
    MetaWriter w;
    // 19740 bytes of 5-byte records, then a 3-byte text record: 19743.
    for (int i = 0; i < 3948; ++i)
        w.penWidth(i % 2 + 1);
    w.boxText(""); // 6 + 0 bytes: the block now holds 19746
    auto v = convert(w.text());
    ASSERT_EQ(v.blocchi.size(), 1u);
    EXPECT_EQ(v.blocchi[0], 19746);

    // A 250-character label arriving when the block holds 19743 bytes opens
    // a new block; at 19742 it still fits (19742 + 257 = 19999).
    for (const auto& [filler, expectedBlocks] :
         std::vector<std::pair<std::string, std::size_t>>{{"ab", 2u}, {"a", 1u}}) {
        MetaWriter w2;
        for (int i = 0; i < 3947; ++i)
            w2.penWidth(i % 2 + 1); // 19735
        w2.boxText(filler);         // 19743 or 19742
        w2.label(1, 1, 1, std::string(250, 'a'));
        v = convert(w2.text());
        ASSERT_EQ(v.blocchi.size(), expectedBlocks) << filler;
        ASSERT_EQ(decodeAll(v).back().text.size(), 250u);
    }

    MetaWriter w3;
    for (int i = 0; i < 3999; ++i)
        w3.penWidth(i % 2 + 1); // 19995 bytes
    w3.penWidth(9);
    v = convert(w3.text());
    EXPECT_EQ(v.blocchi, (std::vector<std::uint16_t>{19995, 5}));
}

TEST(ChartConverter, MoreThanTwentyBlocksAreRefused) {
    MetaWriter w;
    for (int i = 0; i < 21 * 4000; ++i)
        w.penWidth(i % 2 + 1);
    VersioneConvertita v;
    const Esito e = convertiTesto(w.text(), v);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("20"), std::string::npos);
}

TEST(ChartFile, VersionsAreWrittenAndReadBlockByBlock) {
    TempDir dir;
    EXPECT_EQ(chartFileName(12), "CHART.012");
    EXPECT_EQ(chartFileName(7), "CHART.007");
    MetaWriter screen, print;
    screen.move(1, 2);
    screen.line(3, 4);
    for (int i = 0; i < 4100; ++i)
        print.penWidth(i % 2 + 1);
    print.label(5, 6, 2, "stampa");
    const auto vs = convert(screen.text()), vp = convert(print.text());
    TTestataChart h;
    ASSERT_TRUE(scriviVersione(dir.prefix(), 12, VersioneVideo, vs, h).ok);
    ASSERT_TRUE(scriviVersione(dir.prefix(), 12, VersioneStampa, vp, h).ok);
    EXPECT_EQ(h.printOffset, 10); // the size after the screen version
    EXPECT_EQ(h.screen.blockCount, 1);
    EXPECT_EQ(h.print.blockCount, 2);
    EXPECT_EQ(TempDir::read(dir.file("CHART.012")).size(), 10u + vp.bytes.size());

    std::vector<DisplayCommand> got;
    ASSERT_TRUE(leggiVersione(dir.prefix(), 12, h, VersioneStampa, [&](const DisplayCommand& c) {
                    got.push_back(c);
                }).ok);
    ASSERT_EQ(got.size(), 4101u);
    EXPECT_EQ(got.back().text, "stampa");

    // A header that does not describe the file is refused before anything
    // is decoded: here the screen section has lost its block.
    h.screen.blockCount = 0;
    got.clear();
    const Esito e = leggiVersione(dir.prefix(), 12, h, VersioneVideo,
                                  [&](const DisplayCommand& c) { got.push_back(c); });
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("non è valida"), std::string::npos) << e.errore;
    EXPECT_TRUE(got.empty());
    // Unknown codes take 5 bytes.
    const std::vector<std::uint8_t> block = {200, 1, 0, 2, 0, 1, 7, 0, 8, 0};
    decodificaBlocco(block.data(), block.size(),
                     [&](const DisplayCommand& c) { got.push_back(c); });
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].code, cmd::Move);
    EXPECT_EQ(got[1].a, 7);

    EXPECT_FALSE(
        leggiVersione(dir.prefix(), 13, h, VersioneVideo, [](const DisplayCommand&) {}).ok);
}

} // namespace
} // namespace tarvelo
