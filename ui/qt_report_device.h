// The report device on Qt: text measured with the same fonts everywhere
// (Arial, that is its metric twin Liberation Sans, at 300 units per inch),
// and pages drawn with a QPainter on a printer, a PDF writer or an image.
#pragma once

#include "print/report_device.h"
#include "print/report_recording.h"

#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <functional>
#include <string>
#include <vector>

class QPrinter;

namespace tarvelo::ui {

QFont fontReport(const FontReport& f);

// Measures only: the composition runs on it (through the recorder) and
// every back end then draws the same positions.
class QtMisuraReport : public ReportDevice {
  public:
    explicit QtMisuraReport(Pagina pagina = {}) : pagina_(pagina) {}
    Pagina pagina() const override { return pagina_; }
    int larghezzaTesto(const FontReport& font, std::string_view testo) override;
    int altezzaRiga(const FontReport& font) override;
    int ascesa(const FontReport& font) override;
    void linea(int, int, int, int, const PennaReport&) override {}
    void rettangolo(int, int, int, int, const PennaReport*, const PennelloReport&) override {}
    void ellisse(int, int, int, int, const PennaReport&, const PennelloReport&) override {}
    void testo(int, int, const FontReport&, std::string_view) override {}

  private:
    // Measuring builds a font and its metrics: the few fonts of a sheet are
    // kept, measured thousands of times while the chart is replayed.
    const QFontMetricsF& metriche(const FontReport& font);
    Pagina pagina_;
    struct Metriche {
        std::string nome;
        double punti;
        bool grassetto, corsivo;
        QFontMetricsF m;
    };
    std::vector<Metriche> metriche_;
};

// Draws on a painter whose units are report units.
class QtReportDevice : public QtMisuraReport {
  public:
    QtReportDevice(QPainter& painter, Pagina pagina) : QtMisuraReport(pagina), p_(painter) {}
    void linea(int x1, int y1, int x2, int y2, const PennaReport& penna) override;
    void rettangolo(int x1, int y1, int x2, int y2, const PennaReport* penna,
                    const PennelloReport& pennello) override;
    void ellisse(int x1, int y1, int x2, int y2, const PennaReport& penna,
                 const PennelloReport& pennello) override;
    void testo(int x, int y, const FontReport& font, std::string_view testo) override;

  private:
    QPainter& p_;
};

// A page drawn on an image at `dpi` (white page, report units scaled).
QImage immaginePagina(const Registrazione& r, std::size_t pagina, double dpi);

// A picture or document made in memory goes to its file as every output of
// the program does (replaceFile): a temporary file beside it, renamed over it
// when whole.
Esito scriviFile(const QByteArray& dati, const std::string& out);

// The pages as a PDF on their page size (A4 for a composition made for a
// file), or the first page as a PNG; made in memory and written by
// replaceFile, so that a file is never left half written.
Esito scriviPdf(const Registrazione& r, const std::string& out);
Esito scriviPng(const Registrazione& r, const std::string& out, int dpi);

// The page of a printer in report units: its paper and unprintable margins.
Pagina paginaStampante(QPrinter& printer);
// Prints pages `da`..`a` (1-based, inclusive) of the recording.
Esito stampaPagine(const Registrazione& r, QPrinter& printer, int da, int a);

} // namespace tarvelo::ui
