#include "chart/chart_builder.h"
#include "chart/diagram_view.h"
#include "chart/initial_chart.h"
#include "document/settings.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"
#include "support/temp_dir.h"
#include "ui/chart_export.h"
#include "ui/qt_chart_canvas.h"

#include <QFontInfo>
#include <QImage>

#include <cmath>

#include <gtest/gtest.h>

namespace tarvelo::ui {
namespace {

using test::TempDir;

class ChartExport : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<std::string> created;
        ASSERT_TRUE(preparaCartellaDati(dir.prefix(), created).ok);
        settings = TDriveMdl::crea(dir.prefix());
        bool creato = false;
        ASSERT_TRUE(assicuraChartIniziale(settings, misura, creato).ok);
        ASSERT_TRUE(settings.archivio().leggiTestataChart(1, header).ok);
    }
    TempDir dir;
    TDriveMdl settings;
    QtTextMeasurer misura;
    TTestataChart header;
};

TEST_F(ChartExport, ArialResolvesToAMetricCompatibleFace) {
    const QFontInfo info(chartFont(FontState{"Arial", 9, -1}, 300.0 / 72.0, "Arial"));
    EXPECT_TRUE(info.family().contains("Liberation Sans") || info.family() == "Arial")
        << info.family().toStdString();
}

TEST_F(ChartExport, PrintVersionAsPngOnItsSheet) {
    const std::string out = dir.file("stampa.png");
    ASSERT_TRUE(esportaChart(settings.DIR_ARCHIVI, 1, header, out, {}).ok);
    QImage image(QString::fromStdString(out));
    ASSERT_FALSE(image.isNull());
    const FoglioChart f = foglioStampa(header);
    EXPECT_EQ(image.size(), f.size);
    // The bottom edge (x = 0) is a black line across the field; above the
    // field the sheet is white.
    const int y = f.offsetY + header.print.y0;
    const int x = f.offsetX + header.print.leftMargin + header.print.W / 2;
    EXPECT_LT(qGray(image.pixel(x, y)), 100);
    EXPECT_EQ(image.pixel(x, f.offsetY / 2), qRgb(255, 255, 255));
    // Half the resolution, half the pixels.
    OpzioniEsportazione o;
    o.dpi = 150;
    ASSERT_TRUE(esportaChart(settings.DIR_ARCHIVI, 1, header, out, o).ok);
    EXPECT_EQ(QImage(QString::fromStdString(out)).width(), f.size.width() / 2);
}

TEST_F(ChartExport, ScreenVersionAtItsGeneratedSize) {
    const std::string out = dir.file("video.png");
    OpzioniEsportazione o;
    o.versione = ChartVersione::Video;
    ASSERT_TRUE(esportaChart(settings.DIR_ARCHIVI, 1, header, out, o).ok);
    const QImage image(QString::fromStdString(out));
    // The field and its margins: 15 + 943 + 35 of the 1000 × 700 it was built for.
    EXPECT_EQ(image.size(), QSize(993, 700));
    EXPECT_EQ(image.size(), areaVideo(header));
}

TEST_F(ChartExport, AWorkIsDrawnWhereItsPointsLie) {
    TDefault def;
    ASSERT_TRUE(settings.archivio().leggiDefault(def).ok);
    TLavoro l;
    l.TipoImpianto = 0;
    CaricaEsempioImpianto(0, l, def);
    l.TestataChart = header;
    l.CodiceChart = 1;
    ASSERT_EQ(CalcolaImpianto(l, dir.prefix()).codice, 0);
    // The treatments' blue (some of the chart's curves are blue too).
    const auto blu = [](QColor c) { return c.blue() > 150 && c.red() < 80 && c.green() < 80; };
    const auto intorno = [&](const QImage& im, QPoint p) {
        int n = 0;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                n += blu(im.pixelColor(p + QPoint(dx, dy)));
        return n;
    };
    // Screen version: the diagram's own placement of point A.
    const VistaDiagramma v = VistaDiagramma::daTestata(header);
    const TPunto& a = l.Punti[0];
    const QPoint video(v.X(a.tbs), v.Y(a.x));
    OpzioniEsportazione o;
    o.versione = ChartVersione::Video;
    ASSERT_TRUE(esportaChart(settings.DIR_ARCHIVI, 1, header, dir.file("senza.png"), o).ok);
    o.lavoro = &l;
    ASSERT_TRUE(esportaChart(settings.DIR_ARCHIVI, 1, header, dir.file("con.png"), o).ok);
    const int senza = intorno(QImage(QString::fromStdString(dir.file("senza.png"))), video);
    EXPECT_GT(intorno(QImage(QString::fromStdString(dir.file("con.png"))), video), senza + 15);
    // Print version at 300 dpi: the sheet's placement on the chart's sheet.
    const FoglioChart f = foglioStampa(header);
    const ChartVersion& s = header.print;
    const QPoint stampa(
        static_cast<int>(std::lround(s.sx * a.tbs + s.sx * 5 + s.leftMargin + f.offsetX)),
        s.y0 + f.offsetY - static_cast<int>(std::lround(s.sy * a.x)));
    o.versione = ChartVersione::Stampa;
    ASSERT_TRUE(esportaChart(settings.DIR_ARCHIVI, 1, header, dir.file("foglio.png"), o).ok);
    o.lavoro = nullptr;
    ASSERT_TRUE(esportaChart(settings.DIR_ARCHIVI, 1, header, dir.file("vuoto.png"), o).ok);
    EXPECT_GT(intorno(QImage(QString::fromStdString(dir.file("foglio.png"))), stampa),
              intorno(QImage(QString::fromStdString(dir.file("vuoto.png"))), stampa) + 15);
}

TEST_F(ChartExport, SvgAndPdf) {
    ASSERT_TRUE(esportaChart(settings.DIR_ARCHIVI, 1, header, dir.file("c.svg"), {}).ok);
    const auto svg = TempDir::read(dir.file("c.svg"));
    const std::string text(svg.begin(), svg.end());
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("Temperatura bulbo secco"), std::string::npos);
    ASSERT_TRUE(esportaChart(settings.DIR_ARCHIVI, 1, header, dir.file("c.PDF"), {}).ok);
    const auto pdf = TempDir::read(dir.file("c.PDF"));
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 5), "%PDF-");
}

TEST_F(ChartExport, UnknownFormatsAndMissingChartsFailWithoutLeavingFiles) {
    Esito e = esportaChart(settings.DIR_ARCHIVI, 1, header, dir.file("c.bmp"), {});
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find(".png"), std::string::npos);
    e = esportaChart(settings.DIR_ARCHIVI, 7, header, dir.file("c.png"), {});
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(fileExists(dir.file("c.png")));
    for (const std::string& n : dir.names())
        EXPECT_EQ(n.find("c.png"), std::string::npos) << n;
}

} // namespace
} // namespace tarvelo::ui
