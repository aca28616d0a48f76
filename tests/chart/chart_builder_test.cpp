#include "chart/chart_builder.h"
#include "chart/chart_replay.h"
#include "chart/initial_chart.h"
#include "document/settings.h"
#include "engine/moist_air.h"
#include "support/fixed_measurer.h"
#include "support/recording_canvas.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <sstream>

namespace tarvelo {
namespace {

using test::FixedMeasurer;
using test::TempDir;

std::vector<DisplayCommand> parse(const std::string& text) {
    std::vector<DisplayCommand> out;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);)
        if (auto c = parseMetaLine(line))
            out.push_back(*c);
    return out;
}

std::vector<DisplayCommand> labels(const std::vector<DisplayCommand>& list, int placement) {
    std::vector<DisplayCommand> out;
    for (const auto& c : list)
        if (c.code == cmd::Label && c.placement == placement)
            out.push_back(c);
    return out;
}

std::vector<std::string> texts(const std::vector<DisplayCommand>& list) {
    std::vector<std::string> out;
    for (const auto& c : list)
        out.push_back(c.text);
    return out;
}

class Builder : public ::testing::Test {
  protected:
    void SetUp() override { Patm = 101325.0; }
    void TearDown() override { Patm = 101325.0; }
    FixedMeasurer misura;
};

TEST_F(Builder, ScalesOfTheDefaultChart) {
    TC_BldChart b(parametriChartIniziale(), misura);
    ScalaVersione s;
    b.passo(VersioneStampa, AreaVideo{}, s);
    EXPECT_EQ(s.sx, 49);
    EXPECT_EQ(s.W, 2009);
    EXPECT_EQ(s.x0, 245);
    EXPECT_EQ(s.y0, 1430);
    EXPECT_EQ(s.sy, 55000);
    EXPECT_EQ(s.xs0, -245);
    b.passo(VersioneVideo, AreaVideo{1000, 700}, s);
    EXPECT_EQ(s.sx, 23); // Decimo(965 / 41)
    EXPECT_EQ(s.y0, 675);
    EXPECT_EQ(s.W, 943);
}

TEST_F(Builder, LabelsOfEveryFamily) {
    TC_BldChart b(parametriChartIniziale(), misura);
    ScalaVersione s;
    const auto list = parse(b.passo(VersioneStampa, AreaVideo{}, s));
    // Enthalpy lines from the multiple of 10 kJ/kg at or above zero (hMin
    // -5030 J/kg); the 0 line starts below the scale line and carries no
    // label, the others are labelled where they cross it.
    EXPECT_EQ(texts(labels(list, 4)),
              (std::vector<std::string>{"10", "20", "30", "40", "50", "60", "70", "80", "90"}));
    // Humidity ratio 0, 2, ... 24: none at x max.
    EXPECT_EQ(texts(labels(list, 2)),
              (std::vector<std::string>{"0", "2", "4", "6", "8", "10", "12", "14", "16", "18", "20",
                                        "22", "24"}));
    // Dry bulb under the bottom edge every 5 °C, and at the curve (boxed).
    EXPECT_EQ(texts(labels(list, 1)),
              (std::vector<std::string>{"-5", "0", "5", "10", "15", "20", "25", "30", "35"}));
    EXPECT_FALSE(labels(list, 3).empty());
    // Relative humidity 10 % to 90 %, boxed.
    const auto ur = texts(labels(list, 6));
    EXPECT_EQ(ur.size(), 9u);
    EXPECT_EQ(ur.front(), "10%");
    // Volume labels on the bottom edge, left of the right edge, print only.
    const auto v = labels(list, 5);
    ASSERT_FALSE(v.empty());
    for (const auto& c : v) {
        EXPECT_EQ(c.b, 1430);
        EXPECT_LT(c.a, 2009);
    }
    EXPECT_EQ(v.back().text, "0.875");
    const auto screen = parse(b.passo(VersioneVideo, AreaVideo{}, s));
    EXPECT_TRUE(labels(screen, 5).empty());
}

// A desktop session in Italian sets the C library's numbers to the decimal
// comma; the chart's texts must not follow it.
TEST_F(Builder, LabelsKeepTheDecimalPointInAnItalianLocale) {
    const std::string prima = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "it_IT.UTF-8"), nullptr)
        << "the it_IT.UTF-8 locale is missing (scripts/deps.sh makes it)";
    TC_BldChart b(parametriChartIniziale(), misura);
    ScalaVersione s;
    const auto list = parse(b.passo(VersioneStampa, AreaVideo{}, s));
    std::setlocale(LC_NUMERIC, prima.c_str());
    const auto v = labels(list, 5);
    ASSERT_FALSE(v.empty());
    EXPECT_EQ(v.back().text, "0.875");
}

TEST_F(Builder, NoLineAtTheTopAndTheBoxesBeforeTheirLabels) {
    TC_BldChart b(parametriChartIniziale(), misura);
    ScalaVersione s;
    const auto list = parse(b.passo(VersioneStampa, AreaVideo{}, s));
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        // x max (26 g/kg) lies at Y = 0: no line runs along it.
        if (list[i].code == cmd::Move && list[i].b == 0 && list[i + 1].code == cmd::Line) {
            EXPECT_NE(list[i + 1].b, 0) << i;
        }
        if (list[i].code == cmd::Label && (list[i].placement == 3 || list[i].placement == 6)) {
            ASSERT_GE(i, 3u);
            EXPECT_EQ(list[i - 3].code, cmd::BoxTopLeft);
            EXPECT_EQ(list[i - 2].code, cmd::BoxBottomRight);
            EXPECT_EQ(list[i - 1].code, cmd::BoxText);
            EXPECT_EQ(list[i - 1].text, list[i].text);
        }
    }
}

TEST_F(Builder, ScaleLineEndsOnTheTopWhenTheCurveLeavesIt) {
    ParametriChart p = parametriChartIniziale();
    p.tbsMax = 40;
    p.xMax = 20; // saturation leaves the top near 25 °C
    TC_BldChart b(p, misura);
    ScalaVersione s;
    b.passo(VersioneStampa, AreaVideo{}, s);
    EXPECT_EQ(s.ys1, 0);
    // 50 units left of where the curve meets the top
    const double tTop = 25.0; // about where xs = 20 g/kg
    EXPECT_NEAR(s.xs1, s.sx * tTop - 50, 2 * s.sx);
    EXPECT_GT(s.scalaAngolo, 0);
}

TEST_F(Builder, ANarrowRangeAboveZeroFillsTheField) {
    ParametriChart p;
    p.tbsMin = 10;
    p.tbsMax = 30;
    p.xMax = 15;
    TC_BldChart b(p, misura);
    ScalaVersione s;
    const auto list = parse(b.passo(VersioneStampa, AreaVideo{}, s));
    EXPECT_EQ(s.sx, 100);
    EXPECT_EQ(s.x0, -1000);
    EXPECT_EQ(s.W, 2000);
    const auto t = labels(list, 1);
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t.front().a, 0); // 10 °C on the left edge
    EXPECT_EQ(t.back().a, 2000);
}

TEST_F(Builder, ScreenWiderThanThreeThousandColumns) {
    TC_BldChart b(parametriChartIniziale(), misura);
    ScalaVersione s;
    const auto list = parse(b.passo(VersioneVideo, AreaVideo{4500, 900}, s));
    EXPECT_EQ(s.W, 108 * 41); // Decimo(4465 / 41)
    EXPECT_FALSE(list.empty());
}

TEST(Generation, NewCodesOverwriteAndRefusals) {
    TempDir dir;
    std::vector<std::string> created;
    ASSERT_TRUE(preparaCartellaDati(dir.prefix(), created).ok);
    const TDriveMdl settings = TDriveMdl::crea(dir.prefix());
    const ArchivioDefault archivio = settings.archivio();
    FixedMeasurer misura;

    bool creato = false;
    ASSERT_TRUE(assicuraChartIniziale(settings, misura, creato).ok);
    EXPECT_TRUE(creato);
    TDefault d;
    ASSERT_TRUE(archivio.leggiDefault(d).ok);
    EXPECT_EQ(d.NumChart, 1);
    EXPECT_EQ(d.ChartDefault, 1);
    TTestataChart h;
    ASSERT_TRUE(archivio.leggiTestataChart(1, h).ok);
    EXPECT_EQ(h.print.sx, 49);
    EXPECT_EQ(h.print.W, 2009);
    EXPECT_EQ(h.pressure, 101325);
    EXPECT_EQ(h.print.leftMargin, 15);
    EXPECT_EQ(h.dy1Print, 25);
    EXPECT_EQ(h.dy1Screen, 5);
    EXPECT_EQ(h.printOffset, static_cast<int>(std::accumulate(h.screen.blockSizes.begin(),
                                                              h.screen.blockSizes.end(), 0)));
    EXPECT_NE(h.description.testo().find("\r\n"), std::string::npos);
    EXPECT_TRUE(assicuraChartIniziale(settings, misura, creato).ok);
    EXPECT_FALSE(creato);

    ParametriChart p;
    p.tbsMin = -10;
    p.tbsMax = 40;
    p.xMax = 30;
    p.Patm = 84684.5;
    const double before = Patm;
    RisultatoGenerazione r = generaChart(p, 0, true, archivio, misura, AreaVideo{});
    ASSERT_TRUE(r.esito.ok) << r.esito.errore;
    EXPECT_EQ(r.codice, 2);
    EXPECT_EQ(Patm, before);
    ASSERT_TRUE(archivio.leggiTestataChart(2, h).ok);
    EXPECT_EQ(h.pressure, 84684.5);

    const auto chart1 = TempDir::read(dir.prefix() + "archivi/CHART.001");
    r = generaChart(p, 1, false, archivio, misura, AreaVideo{});
    ASSERT_TRUE(r.esito.ok);
    EXPECT_NE(TempDir::read(dir.prefix() + "archivi/CHART.001"), chart1);
    ASSERT_TRUE(archivio.leggiDefault(d).ok);
    EXPECT_EQ(d.NumChart, 2);

    const auto archive = TempDir::read(archivio.path());
    r = generaChart(p, 3, false, archivio, misura, AreaVideo{});
    EXPECT_EQ(r.esito.errore, "Il codice non esiste");
    struct Bad {
        int tbsMin, tbsMax, xMax;
        double patm;
        const char* words;
    };
    const Bad bad[] = {{20, 20, 10, 1e5, "inferiore alla massima"},
                       {30, 10, 10, 1e5, "inferiore alla massima"},
                       {-5, 36, 0, 1e5, "x massima"},
                       {-5, 36, 26, 0, "pressione"},
                       {-5, 36, 26, -1, "pressione"}};
    for (const Bad& b : bad) {
        ParametriChart q;
        q.tbsMin = b.tbsMin;
        q.tbsMax = b.tbsMax;
        q.xMax = b.xMax;
        q.Patm = b.patm;
        r = generaChart(q, 0, true, archivio, misura, AreaVideo{});
        EXPECT_FALSE(r.esito.ok) << b.words;
        EXPECT_NE(r.esito.errore.find(b.words), std::string::npos) << r.esito.errore;
    }
    EXPECT_EQ(TempDir::read(archivio.path()), archive); // nothing touched
    EXPECT_FALSE(fileExists(dir.prefix() + "archivi/CHART.003"));
}

TEST(Generation, PreviewAndRegenerationForAnotherWindow) {
    TempDir dir;
    std::vector<std::string> created;
    ASSERT_TRUE(preparaCartellaDati(dir.prefix(), created).ok);
    const ArchivioDefault archivio = TDriveMdl::crea(dir.prefix()).archivio();
    FixedMeasurer misura;
    test::RecordingCanvas preview;
    RisultatoGenerazione r = generaChart(parametriChartIniziale(), 0, true, archivio, misura,
                                         AreaVideo{800, 600}, &preview);
    ASSERT_TRUE(r.esito.ok);
    // The screen pass is drawn as it is built, at the left margin.
    EXPECT_GT(preview.calls.size(), 1000u);
    EXPECT_NE(std::find(preview.calls.begin(), preview.calls.end(), "text 15,575 -5"),
              preview.calls.end());

    Patm = 101325.0;
    const TTestataChart before = r.testata;
    r = rigeneraChart(1, archivio, misura, AreaVideo{1200, 900});
    ASSERT_TRUE(r.esito.ok);
    TTestataChart after;
    ASSERT_TRUE(archivio.leggiTestataChart(1, after).ok);
    EXPECT_EQ(after.screen.y0, 875);
    EXPECT_GT(after.screen.W, before.screen.W);
    EXPECT_EQ(after.print.W, before.print.W);
    EXPECT_EQ(after.description, before.description);
    EXPECT_FALSE(rigeneraChart(2, archivio, misura, AreaVideo{}).esito.ok);
}

} // namespace
} // namespace tarvelo

namespace tarvelo {
namespace {

using test::FixedMeasurer;
using test::TempDir;

// A data folder of its own, laid out as on first use, and its settings.
struct CartellaDati {
    CartellaDati() {
        std::vector<std::string> created;
        EXPECT_TRUE(preparaCartellaDati(dir.prefix(), created).ok);
        settings = TDriveMdl::crea(dir.prefix());
    }
    TempDir dir;
    TDriveMdl settings;
    FixedMeasurer misura;
};

// Charts whose lines cross the bottom edge in every way: the default, a
// narrow one at altitude, a wide one with a tall screen.
struct ChartCaso {
    ParametriChart p;
    AreaVideo area;
};
std::vector<ChartCaso> casiBordo() {
    std::vector<ChartCaso> casi;
    casi.push_back({parametriChartIniziale(), AreaVideo{1000, 1400}});
    ParametriChart stretto;
    stretto.tbsMin = 10;
    stretto.tbsMax = 30;
    stretto.xMax = 15;
    stretto.Patm = 84684.5; // 1500 m
    casi.push_back({stretto, AreaVideo{1000, 700}});
    ParametriChart largo;
    largo.tbsMin = -10;
    largo.tbsMax = 45;
    largo.xMax = 30;
    casi.push_back({largo, AreaVideo{1600, 1200}});
    return casi;
}

TEST(Generation, NoSegmentLiesWhollyOutsideTheField) {
    for (const ChartCaso& caso : casiBordo()) {
        CartellaDati cartella;
        const TDriveMdl& settings = cartella.settings;
        const RisultatoGenerazione r =
            generaChart(caso.p, 0, true, settings.archivio(), cartella.misura, caso.area);
        ASSERT_TRUE(r.esito.ok) << r.esito.errore;
        for (const int versione : {VersioneVideo, VersioneStampa}) {
            const ChartVersion& v = versione == VersioneVideo ? r.testata.screen : r.testata.print;
            int x = 0, y = 0, fuori = 0;
            ASSERT_TRUE(leggiVersione(settings.DIR_ARCHIVI, r.codice, r.testata, versione,
                                      [&](const DisplayCommand& c) {
                                          if (c.code == cmd::Line &&
                                              ((y > v.y0 && c.b > v.y0) || (x < 0 && c.a < 0) ||
                                               (x > v.W && c.a > v.W)))
                                              ++fuori;
                                          if (c.code == cmd::Move || c.code == cmd::Line) {
                                              x = c.a;
                                              y = c.b;
                                          }
                                      })
                            .ok);
            EXPECT_EQ(fuori, 0) << caso.p.tbsMin << "..." << caso.p.tbsMax << " version "
                                << versione;
        }
    }
}

TEST_F(Builder, RelativeHumidityCurvesRoundWithTheirOrigin) {
    // x0 = 245 is odd: at -4.5 °C, 49 · -4.5 + 245 = 24.5 rounds to 24 (even);
    // rounding 49 · -4.5 first (-220, even) would give 25.
    TC_BldChart b(parametriChartIniziale(), misura);
    ScalaVersione s;
    const auto list = parse(b.passo(VersioneStampa, AreaVideo{}, s));
    const auto primo = std::find_if(list.begin(), list.end(), [](const DisplayCommand& c) {
        return c.code == cmd::Move;
    }); // the 10 % curve starts at tbs min
    ASSERT_NE(primo, list.end());
    EXPECT_EQ(primo->a, 0);
    EXPECT_EQ((primo + 50)->a, 24);  // -4.5 °C
    EXPECT_EQ((primo + 150)->a, 74); // -3.5 °C: 73.5 rounds to 74
}

TEST(Generation, TheProgramsDefaultsRecordCountsTheCharts) {
    CartellaDati c;
    const TDriveMdl& settings = c.settings;
    const ArchivioDefault archivio = settings.archivio();
    FixedMeasurer& misura = c.misura;
    bool creato = false;
    ASSERT_TRUE(assicuraChartIniziale(settings, misura, creato).ok);
    TDefault inMemoria;
    ASSERT_TRUE(archivio.leggiDefault(inMemoria).ok);
    ASSERT_EQ(inMemoria.NumChart, 1);

    RisultatoGenerazione r =
        generaChart(parametriChartIniziale(), 0, true, archivio, inMemoria, misura, AreaVideo{});
    ASSERT_TRUE(r.esito.ok);
    EXPECT_EQ(r.codice, 2);
    EXPECT_EQ(inMemoria.NumChart, 2); // the record the program holds
    // Writing that record back later keeps the new chart.
    inMemoria.ChartDefault = 2;
    ASSERT_TRUE(archivio.scriviDefault(inMemoria).ok);
    TDefault letto;
    ASSERT_TRUE(archivio.leggiDefault(letto).ok);
    EXPECT_EQ(letto.NumChart, 2);

    // A chart added by another run meanwhile is not overwritten.
    TDefault vecchio = inMemoria;
    vecchio.NumChart = 1;
    r = generaChart(parametriChartIniziale(), 0, true, archivio, vecchio, misura, AreaVideo{});
    ASSERT_TRUE(r.esito.ok);
    EXPECT_EQ(r.codice, 3);
    EXPECT_EQ(vecchio.NumChart, 3);

    // A full catalogue refuses a new chart and touches nothing; overwriting
    // still works.
    TDefault pieno = vecchio;
    pieno.NumChart = 201;
    ASSERT_TRUE(archivio.scriviDefault(pieno).ok);
    const auto prima = TempDir::read(archivio.path());
    r = generaChart(parametriChartIniziale(), 0, true, archivio, pieno, misura, AreaVideo{});
    EXPECT_EQ(r.esito.errore, MsgCatalogoPieno);
    EXPECT_EQ(pieno.NumChart, 201);
    EXPECT_EQ(TempDir::read(archivio.path()), prima);
    EXPECT_FALSE(fileExists(c.dir.prefix() + "archivi/CHART.202"));
    EXPECT_TRUE(
        generaChart(parametriChartIniziale(), 2, false, archivio, pieno, misura, AreaVideo{})
            .esito.ok);
}

TEST(Generation, AScreenVersionRebuiltInMemoryForAnotherArea) {
    CartellaDati c;
    const TDriveMdl& settings = c.settings;
    FixedMeasurer& misura = c.misura;
    const RisultatoGenerazione r = generaChart(parametriChartIniziale(), 0, true,
                                               settings.archivio(), misura, AreaVideo{1000, 700});
    ASSERT_TRUE(r.esito.ok);
    const auto file = TempDir::read(settings.DIR_ARCHIVI + chartFileName(r.codice));
    EXPECT_TRUE(videoAdatto(r.testata, AreaVideo{1000, 700}));
    EXPECT_FALSE(videoAdatto(r.testata, AreaVideo{1000, 800}));
    EXPECT_FALSE(videoAdatto(r.testata, AreaVideo{1400, 700}));

    Patm = 90000; // the chart's own pressure is used, and this one kept
    VideoInMemoria v = costruisciVideo(r.testata, misura, AreaVideo{1400, 900});
    EXPECT_EQ(Patm, 90000);
    Patm = 101325;
    ASSERT_TRUE(v.esito.ok) << v.esito.errore;
    EXPECT_EQ(v.testata.screen.y0, 875);
    EXPECT_EQ(v.testata.screen.sx, 33); // Decimo(1365 / 41)
    EXPECT_EQ(v.testata.print, r.testata.print);
    EXPECT_TRUE(verificaIntestazione(v.testata, VersioneVideo).ok); // drawable as it is
    EXPECT_TRUE(videoAdatto(v.testata, AreaVideo{1400, 900}));
    EXPECT_EQ(TempDir::read(settings.DIR_ARCHIVI + chartFileName(r.codice)), file);

    // Built again for the file's own area, the memory copy replays as the file does.
    v = costruisciVideo(r.testata, misura, AreaVideo{1000, 700});
    ASSERT_TRUE(v.esito.ok);
    test::RecordingCanvas daFile, daMemoria;
    ASSERT_TRUE(replayVideo(settings.DIR_ARCHIVI, r.codice, r.testata, daFile).ok);
    replayVideo(v.versione, v.testata, daMemoria);
    EXPECT_GT(daFile.calls.size(), 1000u);
    EXPECT_EQ(daFile.calls, daMemoria.calls);

    EXPECT_FALSE(costruisciVideo(r.testata, misura, AreaVideo{40, 40}).esito.ok);
}

TEST(Generation, AChartFileUnderAnotherHeaderIsReportedNotDrawn) {
    // A crash between the chart file's rename and the header's write leaves
    // the new file under the old header.
    CartellaDati c;
    const ArchivioDefault archivio = c.settings.archivio();
    const RisultatoGenerazione vecchio =
        generaChart(parametriChartIniziale(), 0, true, archivio, c.misura, AreaVideo{1000, 700});
    ASSERT_TRUE(vecchio.esito.ok);
    ASSERT_TRUE(
        generaChart(parametriChartIniziale(), 1, false, archivio, c.misura, AreaVideo{1400, 900})
            .esito.ok);
    ASSERT_TRUE(archivio.scriviTestataChart(1, vecchio.testata).ok);
    TTestataChart h;
    ASSERT_TRUE(archivio.leggiTestataChart(1, h).ok);
    test::RecordingCanvas canvas;
    for (const Esito& e : {replayVideo(c.settings.DIR_ARCHIVI, 1, h, canvas),
                           replayStampa(c.settings.DIR_ARCHIVI, 1, h, canvas, PrintPlacement{})}) {
        EXPECT_FALSE(e.ok);
        EXPECT_NE(e.errore.find("non corrisponde"), std::string::npos) << e.errore;
    }
    EXPECT_TRUE(canvas.calls.empty());

    // Same size, other bytes: the header's fingerprint of its file tells.
    const RisultatoGenerazione nuovo =
        generaChart(parametriChartIniziale(), 1, false, archivio, c.misura, AreaVideo{1400, 900});
    ASSERT_TRUE(nuovo.esito.ok);
    h = nuovo.testata;
    const std::string path = c.settings.DIR_ARCHIVI + chartFileName(1);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(readAll(path, file).ok);
    ASSERT_NE(h.fileChecksum, 0u);
    file[file.size() / 2] ^= 0x40;
    ASSERT_TRUE(replaceFile(path, file).ok);
    const Esito e = replayVideo(c.settings.DIR_ARCHIVI, 1, h, canvas);
    EXPECT_NE(e.errore.find("non corrisponde"), std::string::npos) << e.errore;
    EXPECT_TRUE(canvas.calls.empty());
    // A chart of an earlier version records no fingerprint and is drawn.
    file[file.size() / 2] ^= 0x40;
    ASSERT_TRUE(replaceFile(path, file).ok);
    h.fileChecksum = 0;
    EXPECT_TRUE(replayVideo(c.settings.DIR_ARCHIVI, 1, h, canvas).ok);
    EXPECT_FALSE(canvas.calls.empty());
}

TEST(Generation, HeadersThatCannotBeDrawnFromAreRefused) {
    CartellaDati c;
    const RisultatoGenerazione r = generaChart(parametriChartIniziale(), 0, true,
                                               c.settings.archivio(), c.misura, AreaVideo{});
    ASSERT_TRUE(r.esito.ok);
    // Each case spoils one field a file can set.
    const std::vector<std::function<void(TTestataChart&)>> guasti = {
        [](TTestataChart& h) { h.print.W = 32767; },
        [](TTestataChart& h) { h.print.y0 = 32767; },
        [](TTestataChart& h) { h.screen.sx = 1e300; },
        [](TTestataChart& h) { h.screen.sy = std::nan(""); },
        [](TTestataChart& h) { h.screen.leftMargin = std::numeric_limits<std::int32_t>::max(); },
        [](TTestataChart& h) { h.tbsMin = std::numeric_limits<std::int32_t>::min(); },
        [](TTestataChart& h) { h.xMax = 0; },
        [](TTestataChart& h) { h.pressure = 1; },
        [](TTestataChart& h) { h.printOffset = -1; },
        [](TTestataChart& h) { h.print.blockCount = 200; },
    };
    for (std::size_t i = 0; i < guasti.size(); ++i) {
        TTestataChart h = r.testata;
        guasti[i](h);
        // The version the field belongs to is refused before anything is drawn.
        test::RecordingCanvas video, stampa;
        const Esito v = replayVideo(c.settings.DIR_ARCHIVI, 1, h, video);
        const Esito s = replayStampa(c.settings.DIR_ARCHIVI, 1, h, stampa, PrintPlacement{});
        EXPECT_FALSE(v.ok && s.ok) << i;
        EXPECT_TRUE(v.ok || video.calls.empty()) << i;
        EXPECT_TRUE(s.ok || stampa.calls.empty()) << i;
    }
}

} // namespace
} // namespace tarvelo
