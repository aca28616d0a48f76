#include "ui/qt_report_device.h"

#include "ui/qt_chart_canvas.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>

#include <cmath>
#include <cstdint>
#include <vector>

namespace tarvelo::ui {

namespace {

QColor qcolore(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QPen qpenna(const PennaReport& p) {
    static const Qt::PenStyle stili[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                         Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    QPen pen(qcolore(p.colore));
    pen.setWidth(std::max(1, p.spessore));
    pen.setStyle(p.stile >= 0 && p.stile <= 5 ? stili[p.stile] : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QBrush qpennello(const PennelloReport& b) {
    return b.pieno ? QBrush(qcolore(b.colore)) : QBrush(Qt::NoBrush);
}

QRect rettangoloDa(int x1, int y1, int x2, int y2) {
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                 QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

constexpr double PuntiPerUnita = UnitaPerPollice / 72.0;

} // namespace

Esito scriviFile(const QByteArray& dati, const std::string& out) {
    const auto* inizio = reinterpret_cast<const std::uint8_t*>(dati.constData());
    return replaceFile(
        out, std::vector<std::uint8_t>(inizio, inizio + static_cast<std::size_t>(dati.size())));
}

QFont fontReport(const FontReport& f) {
    QFont font(QString::fromStdString(f.nome.empty() ? std::string("Arial") : f.nome));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(f.punti * PuntiPerUnita))));
    font.setBold(f.grassetto);
    font.setItalic(f.corsivo);
    font.setKerning(false);
    return font;
}

const QFontMetricsF& QtMisuraReport::metriche(const FontReport& f) {
    for (const Metriche& m : metriche_)
        if (m.punti == f.punti && m.grassetto == f.grassetto && m.corsivo == f.corsivo &&
            m.nome == f.nome)
            return m.m;
    metriche_.push_back({f.nome, f.punti, f.grassetto, f.corsivo, QFontMetricsF(fontReport(f))});
    return metriche_.back().m;
}

int QtMisuraReport::larghezzaTesto(const FontReport& font, std::string_view testo) {
    return static_cast<int>(std::lround(metriche(font).horizontalAdvance(fromCp1252(testo))));
}

int QtMisuraReport::altezzaRiga(const FontReport& font) {
    return static_cast<int>(std::lround(metriche(font).height()));
}

int QtMisuraReport::ascesa(const FontReport& font) {
    return static_cast<int>(std::lround(metriche(font).ascent()));
}

void QtReportDevice::linea(int x1, int y1, int x2, int y2, const PennaReport& penna) {
    if (penna.stile == 5)
        return;
    p_.setPen(qpenna(penna));
    p_.drawLine(x1, y1, x2, y2);
}

void QtReportDevice::rettangolo(int x1, int y1, int x2, int y2, const PennaReport* penna,
                                const PennelloReport& pennello) {
    const QRect r = rettangoloDa(x1, y1, x2, y2);
    if (pennello.pieno)
        p_.fillRect(r, qcolore(pennello.colore));
    if (penna && penna->stile != 5) {
        p_.setPen(qpenna(*penna));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(r);
    }
}

void QtReportDevice::ellisse(int x1, int y1, int x2, int y2, const PennaReport& penna,
                             const PennelloReport& pennello) {
    p_.setPen(penna.stile == 5 ? QPen(Qt::NoPen) : qpenna(penna));
    p_.setBrush(qpennello(pennello));
    p_.drawEllipse(rettangoloDa(x1, y1, x2, y2));
    p_.setBrush(Qt::NoBrush);
}

void QtReportDevice::testo(int x, int y, const FontReport& font, std::string_view testo) {
    p_.save();
    p_.setFont(fontReport(font));
    p_.setPen(qcolore(font.colore));
    p_.translate(x, y);
    p_.rotate(-font.rotazione);
    p_.drawText(QPointF(0, 0), fromCp1252(testo));
    p_.restore();
}

QImage immaginePagina(const Registrazione& r, std::size_t pagina, double dpi) {
    // 64 million pixels at the most: a bigger zoom draws at that size.
    const double pixel = r.pagina.larghezza * static_cast<double>(r.pagina.altezza) *
                         (dpi / UnitaPerPollice) * (dpi / UnitaPerPollice);
    if (pixel > 64e6)
        dpi *= std::sqrt(64e6 / pixel);
    const double s = dpi / UnitaPerPollice;
    QImage image(std::max(1, static_cast<int>(std::lround(r.pagina.larghezza * s))),
                 std::max(1, static_cast<int>(std::lround(r.pagina.altezza * s))),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    if (pagina < r.pagine.size()) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(s, s);
        QtReportDevice d(p, r.pagina);
        riproduci(r.pagine[pagina], d);
    }
    return image;
}

Esito scriviPdf(const Registrazione& r, const std::string& out) {
    QByteArray dati;
    bool ok = false;
    {
        QBuffer buffer(&dati);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(UnitaPerPollice);
        pdf.setPageSize(QPageSize(QSizeF(r.pagina.larghezza * 25.4 / UnitaPerPollice,
                                         r.pagina.altezza * 25.4 / UnitaPerPollice),
                                  QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QStringLiteral("Diagramma psicrometrico"));
        pdf.setCreator(QStringLiteral("tarvelo"));
        QPainter p;
        if (p.begin(&pdf)) {
            for (std::size_t n = 0; n < r.pagine.size(); ++n) {
                if (n > 0)
                    pdf.newPage();
                QtReportDevice d(p, r.pagina);
                riproduci(r.pagine[n], d);
            }
            ok = p.end();
        }
    }
    if (!ok || dati.isEmpty())
        return Esito::fallito("impossibile comporre il PDF per " + out);
    return scriviFile(dati, out);
}

Esito scriviPng(const Registrazione& r, const std::string& out, int dpi) {
    const double s = dpi / static_cast<double>(UnitaPerPollice);
    if (r.pagina.larghezza * s * r.pagina.altezza * s > 64e6)
        return Esito::fallito("l'immagine " + out +
                              " sarebbe troppo grande: scegliere una risoluzione minore");
    QByteArray dati;
    QBuffer buffer(&dati);
    buffer.open(QIODevice::WriteOnly);
    if (!immaginePagina(r, 0, dpi).save(&buffer, "PNG"))
        return Esito::fallito("impossibile comporre l'immagine " + out);
    return scriviFile(dati, out);
}

Pagina paginaStampante(QPrinter& printer) {
    // Measured as the printer's paper with its margins, also after a print
    // has set the printer to draw on the full page.
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    const QRect intero = layout.fullRectPixels(UnitaPerPollice);
    const QRect stampabile = layout.paintRectPixels(UnitaPerPollice);
    Pagina p;
    p.larghezza = intero.width();
    p.altezza = intero.height();
    p.margineSx = stampabile.left() - intero.left();
    p.margineAlto = stampabile.top() - intero.top();
    p.margineDx = intero.right() - stampabile.right();
    p.margineBasso = intero.bottom() - stampabile.bottom();
    return p;
}

Esito stampaPagine(const Registrazione& r, QPrinter& printer, int da, int a) {
    da = std::max(da, 1);
    a = std::min(a, static_cast<int>(r.pagine.size()));
    if (da > a)
        return Esito::fallito("nessuna pagina da stampare");
    printer.setFullPage(true);
    printer.setResolution(UnitaPerPollice);
    QPainter p;
    if (!p.begin(&printer))
        return Esito::fallito("impossibile avviare la stampa su " +
                              printer.printerName().toStdString());
    // The page was composed in report units for this printer's paper: one
    // unit is one device dot at 300 dpi.
    const double s = printer.resolution() / static_cast<double>(UnitaPerPollice);
    p.scale(s, s);
    for (int n = da; n <= a; ++n) {
        if (n > da)
            printer.newPage();
        QtReportDevice d(p, r.pagina);
        riproduci(r.pagine[static_cast<std::size_t>(n - 1)], d);
    }
    if (!p.end())
        return Esito::fallito("la stampa su " + printer.printerName().toStdString() +
                              " non è riuscita");
    return {};
}

} // namespace tarvelo::ui
