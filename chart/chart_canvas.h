// What drawing and text measurement the chart needs from a window, an
// image, a printer or a test: the core draws through these and knows nothing
// of the toolkit behind them.
#pragma once

#include "chart/chart_palette.h"

#include <string>
#include <string_view>

namespace tarvelo {

// Pen styles of the display list.
namespace stile {
inline constexpr int Solido = 0, Tratteggio = 1, Punteggiato = 2, TrattoPunto = 3,
                     TrattoPuntoPunto = 4, Nullo = 5;
}
inline constexpr int ModoCopia = 4; // the only pen mode the builder writes

struct PenState {
    int style = stile::Solido;
    int mode = ModoCopia;
    Rgb colour{};
    int width = 1;
    bool operator==(const PenState&) const = default;
};

// Font style -1 is plain; otherwise the one style 0 bold, 1 italic,
// 2 underline, 3 strike-out.
struct FontState {
    std::string family; // empty: the canvas's own face
    int size = 8;       // points
    int style = -1;
    Rgb colour{}; // text is drawn in the font's colour
    bool operator==(const FontState&) const = default;
};

struct TextSize {
    int w = 0, h = 0;
};

class TextMeasurer {
  public:
    virtual ~TextMeasurer() = default;
    // Width and height of a Windows-1252 text in the given font, in the
    // units of the version being built.
    virtual TextSize measure(const FontState& font, std::string_view text) = 0;
};

class ChartCanvas {
  public:
    virtual ~ChartCanvas() = default;
    virtual void setPen(const PenState& pen) = 0;
    virtual void setFont(const FontState& font) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Width and line height of a text in the current font.
    virtual TextSize measure(std::string_view text) = 0;
    virtual void fillWhite(int left, int top, int right, int bottom) = 0;
    // Text with its top-left corner at (x, y).
    virtual void textTopLeft(int x, int y, std::string_view text) = 0;
    // Text on its baseline from (x, y), turned by `degrees` counter-clockwise.
    virtual void textBaseline(int x, int y, std::string_view text, double degrees = 0) = 0;
    // A circle of radius r around (x, y), outlined with the pen and filled.
    virtual void circle(int x, int y, int r, Rgb fill) = 0;
};

} // namespace tarvelo
