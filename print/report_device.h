// What the drawing sheet needs from a printer, a PDF, an image or the
// preview's page file: a few primitives in report units (1/300 inch) and
// the measurement of text. The sheet is composed once, in the core, against
// this interface; each back end only draws.
#pragma once

#include "chart/chart_palette.h"

#include <string>
#include <string_view>

namespace tarvelo {

inline constexpr int UnitaPerPollice = 300;

// A page and its unprintable margins, in report units.
struct Pagina {
    int larghezza = 2480, altezza = 3508; // A4
    int margineSx = 50, margineDx = 50, margineAlto = 50, margineBasso = 50;
    bool operator==(const Pagina&) const = default;
};

struct FontReport {
    std::string nome = "Arial";
    double punti = 10;
    bool grassetto = false, corsivo = false;
    Rgb colore{};
    int rotazione = 0; // degrees, counter-clockwise
    bool operator==(const FontReport&) const = default;
};

// Pen styles as the chart's: 0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot, 5 none.
struct PennaReport {
    Rgb colore{};
    int stile = 0;
    int spessore = 1;
    bool operator==(const PennaReport&) const = default;
};

struct PennelloReport {
    Rgb colore{255, 255, 255};
    bool pieno = false; // clear when false
    bool operator==(const PennelloReport&) const = default;
};

class ReportDevice {
  public:
    virtual ~ReportDevice() = default;

    virtual Pagina pagina() const = 0;
    // Width of a Windows-1252 text, and the height and ascent of a line, in
    // report units.
    virtual int larghezzaTesto(const FontReport& font, std::string_view testo) = 0;
    virtual int altezzaRiga(const FontReport& font) = 0;
    virtual int ascesa(const FontReport& font) = 0;

    virtual void linea(int x1, int y1, int x2, int y2, const PennaReport& penna) = 0;
    // Corners as given (left, top, right, bottom). Without a pen, no border.
    virtual void rettangolo(int x1, int y1, int x2, int y2, const PennaReport* penna,
                            const PennelloReport& pennello) = 0;
    virtual void ellisse(int x1, int y1, int x2, int y2, const PennaReport& penna,
                         const PennelloReport& pennello) = 0;
    // Text on its baseline from (x, y), Windows-1252.
    virtual void testo(int x, int y, const FontReport& font, std::string_view testo) = 0;
};

} // namespace tarvelo
