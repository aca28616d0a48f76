// The drawing sheet through the Qt back ends: the PDF holds the sheet's
// texts, the PNG has the page's size at its resolution and the sheet's
// boxes where the composition put them, and a failure leaves no file.
#include "chart/initial_chart.h"
#include "document/settings.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"
#include "print/report_recording.h"
#include "support/temp_dir.h"
#include "ui/qt_chart_canvas.h"
#include "ui/qt_print_services.h"
#include "ui/qt_report_device.h"

#include <QImage>
#include <QPrinter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace tarvelo::ui {
namespace {

using test::TempDir;

std::string comando(const std::string& cmd) {
    std::string out;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        char buf[4096];
        while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

// The names in a folder that contain `parte`, in order.
std::vector<std::string> nomiIn(const std::string& cartella, const std::string& parte) {
    std::vector<std::string> v;
    for (const auto& e : std::filesystem::directory_iterator(cartella))
        if (e.path().filename().string().find(parte) != std::string::npos)
            v.push_back(e.path().filename().string());
    std::sort(v.begin(), v.end());
    return v;
}

class BackEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<std::string> created;
        ASSERT_TRUE(preparaCartellaDati(dir.prefix(), created).ok);
        settings = TDriveMdl::crea(dir.prefix());
        bool creato = false;
        ASSERT_TRUE(assicuraChartIniziale(settings, misuraChart, creato).ok);
        TDefault def;
        ASSERT_TRUE(settings.archivio().leggiDefault(def).ok);
        lavoro.TipoImpianto = 0;
        CaricaEsempioImpianto(0, lavoro, def);
        ASSERT_TRUE(settings.archivio().leggiTestataChart(1, lavoro.TestataChart).ok);
        lavoro.CodiceChart = 1;
        ASSERT_EQ(CalcolaImpianto(lavoro, dir.prefix()).codice, 0);
        testata.CalcoliValidi = 1;
        testata.UmStampa = 1;
    }
    DatiStampa dati() const { return {lavoro, testata, settings.DIR_ARCHIVI, "A.TRV", true}; }
    TempDir dir;
    TDriveMdl settings;
    QtTextMeasurer misuraChart;
    TLavoro lavoro;
    TTestataLavoro testata;
    QtPrintServices print;
};

TEST_F(BackEnd, PdfHoldsTheSheet) {
    const std::string out = dir.file("foglio.pdf");
    ASSERT_TRUE(print.stampa(dati(), {DestinazioneStampa::Tipo::Pdf, out, 300, {}}).ok);
    const auto bytes = TempDir::read(out);
    ASSERT_GT(bytes.size(), 10000u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-");
    EXPECT_EQ(nomiIn(dir.prefix(), ".pdf"), std::vector<std::string>{"foglio.pdf"});
    if (comando("command -v pdftotext").empty())
        GTEST_SKIP() << "pdftotext (poppler-utils) non installato";
    const std::string testo = comando("pdftotext -layout '" + out + "' -");
    for (const char* t :
         {"SEQUENZA DEI TRATTAMENTI", "CONDIZIONI DEI PUNTI", "Progetto:", "File: A.TRV",
          "Temperatura bulbo secco (tbs) in °C", "Pressione barometrica 101325 Pa", "31.961"})
        EXPECT_NE(testo.find(t), std::string::npos) << t;
    // Rendered, the chart's lines lie inside the sheet's frame: the field
    // (centred, its bottom 150 units above the section's) is full of them.
    comando("pdftoppm -r 50 -png -singlefile '" + out + "' '" + dir.file("pagina") + "'");
    const QImage pagina(QString::fromStdString(dir.file("pagina.png")));
    ASSERT_FALSE(pagina.isNull());
    const TTestataChart& h = lavoro.TestataChart;
    const double s = 50.0 / 300.0;
    const int x0 = static_cast<int>(((2480 - h.print.W) / 2 + h.print.leftMargin) * s);
    const int y1 = static_cast<int>((3508 - 100 - 150 - h.print.y0) * s);
    const QRect campo(x0, y1, static_cast<int>(h.print.W * s), static_cast<int>(h.print.y0 * s));
    int scuri = 0;
    for (int y = campo.top(); y <= campo.bottom(); ++y)
        for (int x = campo.left(); x <= campo.right(); ++x)
            scuri += qGray(pagina.pixel(x, y)) < 200;
    EXPECT_GT(scuri, campo.width() * campo.height() / 20) << scuri;
    const std::string info = comando("pdfinfo '" + out + "'");
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
}

TEST_F(BackEnd, PngHasThePageSizeAndTheBoxesInPlace) {
    const std::string out = dir.file("foglio.png");
    ASSERT_TRUE(print.stampa(dati(), {DestinazioneStampa::Tipo::Png, out, 100, {}}).ok);
    const QImage image(QString::fromStdString(out));
    ASSERT_EQ(image.size(), QSize(827, 1169)); // A4 at 100 dpi
    // The shade of the "Progetto:" cell (from x 150 + 1, y 50 + 96 - ascent)
    // and white paper outside the frame.
    const double s = 100.0 / 300.0;
    const QColor ombra = image.pixelColor(static_cast<int>(300 * s), static_cast<int>(110 * s));
    EXPECT_LT(ombra.red(), 245);
    EXPECT_GT(ombra.red(), 200);
    EXPECT_EQ(image.pixelColor(static_cast<int>(100 * s), static_cast<int>(1000 * s)),
              QColor(Qt::white));
}

TEST_F(BackEnd, AFailureLeavesNothingBehind) {
    // A folder that is not there: the message says which file.
    for (const auto tipo : {DestinazioneStampa::Tipo::Pdf, DestinazioneStampa::Tipo::Png}) {
        const std::string out = dir.file("manca/f");
        const Esito e = print.stampa(dati(), {tipo, out, 100, {}});
        EXPECT_FALSE(e.ok);
        EXPECT_NE(e.errore.find(out), std::string::npos) << e.errore;
    }
    // A chart that cannot be drawn: nothing is written, not even in part.
    std::filesystem::remove(settings.DIR_ARCHIVI + "CHART.001");
    for (const auto tipo : {DestinazioneStampa::Tipo::Pdf, DestinazioneStampa::Tipo::Png}) {
        const std::string out = dir.file(tipo == DestinazioneStampa::Tipo::Pdf ? "f.pdf" : "f.png");
        EXPECT_FALSE(print.stampa(dati(), {tipo, out, 100, {}}).ok);
    }
    EXPECT_EQ(nomiIn(dir.prefix(), "f."), std::vector<std::string>{});
}

TEST_F(BackEnd, APrintLeavesThePrintersMarginsAsTheyWere) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.file("stampante.pdf")));
    printer.setPageMargins(QMarginsF(10, 12, 10, 12), QPageLayout::Millimeter);
    const Pagina prima = paginaStampante(printer);
    EXPECT_NEAR(prima.margineSx, 118, 1); // 10 mm at 300 dpi
    QtMisuraReport misura(prima);
    Registrazione r;
    ASSERT_TRUE(ComponiFoglio(dati(), misura, r).ok);
    ASSERT_TRUE(stampaPagine(r, printer, 1, 1).ok);
    EXPECT_EQ(paginaStampante(printer), prima);
}

TEST_F(BackEnd, ThePreviewPageFileDrawsTheSamePage) {
    QtMisuraReport misura;
    Registrazione r;
    ASSERT_TRUE(ComponiFoglio(dati(), misura, r).ok);
    const std::string rpp = dir.file("TEMP.RPP");
    ASSERT_TRUE(salvaRpp(rpp, r).ok);
    Registrazione letta;
    ASSERT_TRUE(leggiRpp(rpp, letta).ok);
    EXPECT_EQ(immaginePagina(letta, 0, 50), immaginePagina(r, 0, 50));
}

} // namespace
} // namespace tarvelo::ui
