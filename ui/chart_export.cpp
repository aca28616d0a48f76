#include "ui/chart_export.h"

#include "chart/chart_file.h"

#include "chart/chart_replay.h"
#include "chart/diagram_view.h"
#include "print/stampa_foglio.h"
#include "ui/qt_chart_canvas.h"
#include "ui/qt_report_device.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tarvelo::ui {

namespace {

constexpr double ReportDpi = 300.0;

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// Draws the chosen version on a painter whose units are those of the
// version (report units for print, pixels for the screen), and the work
// over it when there is one, placed with this chart's scale.
Esito draw(QPainter& painter, const std::string& dir, int code, const TTestataChart& h,
           ChartVersione v, const TLavoro* lavoro) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (v == ChartVersione::Video) {
        const QSize size = areaVideo(h);
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        QtChartCanvas canvas(painter, 96.0 / 72.0);
        std::vector<Riquadro> etichette;
        if (Esito e = replayVideo(dir, code, h, canvas, &etichette); !e.ok || !lavoro)
            return e;
        TLavoro l = *lavoro; // the drawing stores the points' positions
        l.TestataChart = h;
        DisegnaTrattamento(l, VistaDiagramma::daTestata(h), canvas, 6, 3, etichette);
        return {};
    }
    const FoglioChart f = foglioStampa(h);
    painter.fillRect(QRect(QPoint(0, 0), f.size), Qt::white);
    QtChartCanvas canvas(painter, ReportDpi / 72.0);
    std::vector<Riquadro> etichette;
    if (Esito e = replayStampa(dir, code, h, canvas, PrintPlacement{f.offsetX, f.offsetY, false},
                               &etichette);
        !e.ok || !lavoro)
        return e;
    // As the sheet draws them: a failed calculation has no results to show.
    if (lavoro->CodiceErrore != 0)
        return {};
    TLavoro l = *lavoro;
    l.TestataChart = h;
    const TTestataLavoro testata;
    QtReportDevice device(painter, Pagina{f.size.width(), f.size.height(), 0, 0, 0, 0});
    TBaseReport report(device);
    GeometriaFoglio g;
    g.offsetX = f.offsetX;
    g.offsetY = f.offsetY;
    GraficoTrattamenti(report, DatiStampa{l, testata, dir, {}, false}, g, etichette);
    return {};
}

} // namespace

FoglioChart foglioStampa(const TTestataChart& h) {
    const ChartVersion& v = h.print;
    FoglioChart f;
    f.offsetX = 60;
    f.offsetY = 60;
    const int width = f.offsetX + v.leftMargin + v.W + 9 * h.dx2Print + 120;
    const int height = f.offsetY + v.y0 + 3 * h.dy1Print + 80;
    f.size = QSize(width, height);
    return f;
}

QSize areaVideo(const TTestataChart& h) {
    return QSize(h.screen.leftMargin + h.screen.W + h.screen.rightMargin,
                 h.screen.y0 + h.screen.bottomMargin);
}

Esito esportaChart(const std::string& dir, int code, const TTestataChart& h, const std::string& out,
                   const OpzioniEsportazione& o) {
    const std::string ext = lowerExtension(out);
    const bool video = o.versione == ChartVersione::Video;
    // Sizes come from the header: checked before anything is allocated.
    if (Esito e = verificaIntestazione(h, video ? VersioneVideo : VersioneStampa); !e.ok)
        return e;
    const QSize units = video ? areaVideo(h) : foglioStampa(h).size;
    // Drawn in memory and written whole, as every other output.
    QByteArray dati;
    QBuffer buffer(&dati);
    buffer.open(QIODevice::WriteOnly);
    Esito e;
    if (ext == ".png") {
        const double scale = video ? 1.0 : std::clamp(o.dpi, 10, 1200) / ReportDpi;
        // 64 million pixels (a sheet at 1200 dpi) at the most.
        if (units.width() * scale * units.height() * scale > 64e6)
            return Esito::fallito("l'immagine " + out +
                                  " sarebbe troppo grande: scegliere una risoluzione minore");
        QImage image(std::max(1, static_cast<int>(units.width() * scale)),
                     std::max(1, static_cast<int>(units.height() * scale)), QImage::Format_RGB32);
        const double dpi = video ? 96.0 : o.dpi;
        image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
        image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        e = draw(painter, dir, code, h, o.versione, o.lavoro);
        painter.end();
        if (e.ok && !image.save(&buffer, "PNG"))
            e = Esito::fallito("impossibile comporre l'immagine " + out);
    } else if (ext == ".svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(units);
        svg.setViewBox(QRect(QPoint(0, 0), units));
        svg.setResolution(video ? 96 : static_cast<int>(ReportDpi));
        svg.setTitle(QStringLiteral("Diagramma psicrometrico"));
        svg.setDescription(fromCp1252(h.description.testo()));
        QPainter painter;
        if (!painter.begin(&svg))
            return Esito::fallito("impossibile scrivere il file " + out);
        e = draw(painter, dir, code, h, o.versione, o.lavoro);
        painter.end();
    } else if (ext == ".pdf") {
        QPdfWriter pdf(&buffer);
        const double dpi = video ? 96.0 : ReportDpi;
        pdf.setResolution(static_cast<int>(dpi));
        pdf.setPageSize(QPageSize(QSizeF(units.width() / dpi * 25.4, units.height() / dpi * 25.4),
                                  QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QStringLiteral("Diagramma psicrometrico"));
        pdf.setCreator(QStringLiteral("tarvelo"));
        QPainter painter;
        if (!painter.begin(&pdf))
            return Esito::fallito("impossibile scrivere il file " + out);
        e = draw(painter, dir, code, h, o.versione, o.lavoro);
        painter.end();
    } else {
        return Esito::fallito("formato non riconosciuto per " + out +
                              ": usare l'estensione .png, .svg o .pdf");
    }
    if (!e.ok)
        return e;
    buffer.close();
    return scriviFile(dati, out);
}

} // namespace tarvelo::ui
