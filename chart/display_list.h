// The chart display list: commands with two signed 16-bit operands, a
// placement code for labels and a text for labels and box texts. Its text
// form (one command per line, "Meta.Mio") is what the builder writes and
// the converter reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

namespace cmd {
inline constexpr std::uint8_t Move = 1, Line = 2, Label = 3, BoxTopLeft = 4, BoxBottomRight = 5,
                              BoxText = 6, PenStyle = 100, PenMode = 101, PenColour = 102,
                              PenWidth = 103, FontSize = 104, FontStyle = 105;
}

// Coordinates that cannot be represented are written as this.
inline constexpr std::int16_t Irrappresentabile = -1000;

struct DisplayCommand {
    std::uint8_t code = 0;
    std::int16_t a = 0, b = 0;
    std::uint8_t placement = 0; // labels only
    std::string text;           // labels and box texts, Windows-1252, at most 255
    bool operator==(const DisplayCommand&) const = default;
};

// Appends lines of the text form, exactly as the builder writes them.
class MetaWriter {
  public:
    void move(int x, int y) { point(cmd::Move, x, y); }
    void line(int x, int y) { point(cmd::Line, x, y); }
    void label(int x, int y, int placement, std::string_view text);
    void boxTopLeft(int top, int left) { point(cmd::BoxTopLeft, top, left); }
    void boxBottomRight(int bottom, int right) { point(cmd::BoxBottomRight, bottom, right); }
    void boxText(std::string_view text);
    void penStyle(int style) { style3(cmd::PenStyle, style, false); }
    void penMode(int mode) { style3(cmd::PenMode, mode, false); }
    void penColour(int index) { style3(cmd::PenColour, index, false); }
    void penWidth(int width) { style3(cmd::PenWidth, width, true); }
    void fontSize(int size) { style3(cmd::FontSize, size, true); }
    void fontStyle(int style) { style3(cmd::FontStyle, style, false); }

    const std::string& text() const { return text_; }
    void clear() { text_.clear(); }

  private:
    void point(std::uint8_t code, int a, int b);
    void style3(std::uint8_t code, int value, bool padded);
    std::string text_;
};

// Reads one line of the text form: three integers (code, a, b), for a label
// a fourth (P), then for labels and box texts exactly one character is
// skipped and the rest of the line (at most 255 characters) is the text.
std::optional<DisplayCommand> parseMetaLine(std::string_view line);

} // namespace tarvelo
