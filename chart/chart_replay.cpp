#include "chart/chart_replay.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace tarvelo {

int roundEven(double v) {
    // Saturating: a value from a file or a parameter may lie far outside
    // int (or be NaN), and converting it would be undefined.
    if (!(v > -2147483648.5))
        return std::numeric_limits<int>::min();
    if (!(v < 2147483647.5))
        return std::numeric_limits<int>::max();
    return static_cast<int>(std::nearbyint(v));
}

int coordinata(double v) {
    return std::clamp(roundEven(v), CoordinataMinima, CoordinataMassima);
}

Offset placementVideo(int p, int anchorY, TextSize t, int dy1, int dx2) {
    switch (p) {
    case 1:
        return {-roundEven(t.w / 2.0), dy1};
    case 2:
        return {dx2, -roundEven(t.h / 2.0)};
    case 3:
        return {-roundEven(3.0 * t.w / 2.0), -t.h};
    case 4:
    case 5:
        return {-t.w, -t.h};
    case 6:
        return anchorY > 0 ? Offset{-t.w, roundEven(t.h / 2.0)}
                           : Offset{-roundEven(3.0 * t.h / 2.0), t.h};
    default:
        return {0, 0};
    }
}

Offset placementStampa(int p, int anchorY, TextSize t, int dy1, int dx2) {
    switch (p) {
    case 1:
        return {-roundEven(t.w / 2.0), dy1};
    case 2:
        return {dx2, roundEven(t.h / 3.0)};
    case 3:
        return {-roundEven(3.0 * t.w / 2.0), -roundEven(t.h / 2.0)};
    case 4:
        return {-t.w, 0};
    case 5:
        return {-t.w, -t.h};
    case 6:
        return anchorY > 0 ? Offset{-t.w, roundEven(3.0 * t.h / 2.0)}
                           : Offset{-roundEven(t.w / 2.0), t.h};
    default:
        return {0, 0};
    }
}

namespace {

// Pen and font state carried from one command to the next and from block
// to block.
struct ReplayState {
    PenState pen;
    FontState font;
};

void applyStyle(const DisplayCommand& c, ReplayState& s, ChartCanvas& canvas, bool monochrome,
                const std::string& family) {
    switch (c.code) {
    case cmd::PenStyle:
        s.pen.style = c.a;
        canvas.setPen(s.pen);
        break;
    case cmd::PenMode:
        s.pen.mode = c.a;
        canvas.setPen(s.pen);
        break;
    case cmd::PenColour:
        s.pen.colour = monochrome ? Rgb{} : paletteColour(c.a);
        canvas.setPen(s.pen);
        break;
    case cmd::PenWidth:
        s.pen.width = c.a;
        canvas.setPen(s.pen);
        break;
    case cmd::FontSize:
        s.font.family = family;
        s.font.size = c.a;
        canvas.setFont(s.font);
        break;
    case cmd::FontStyle:
        s.font.style = c.a >= 0 && c.a <= 3 ? c.a : -1;
        canvas.setFont(s.font);
        break;
    default:
        break; // 4, 5, 6 are only stored; unknown codes are skipped
    }
}

} // namespace

namespace {

// The screen version's commands onto a canvas, X moved by the left margin.
std::function<void(const DisplayCommand&)> sinkVideo(const TTestataChart& header,
                                                     ChartCanvas& canvas, ReplayState& state,
                                                     std::vector<Riquadro>* etichette) {
    const int margin = header.screen.leftMargin;
    return [&header, &canvas, &state, margin, etichette](const DisplayCommand& c) {
        switch (c.code) {
        case cmd::Move:
            canvas.moveTo(c.a + margin, c.b);
            break;
        case cmd::Line:
            canvas.lineTo(c.a + margin, c.b);
            break;
        case cmd::Label: {
            if (c.a < 0 || c.b < 0)
                break;
            const TextSize t = canvas.measure(c.text);
            const Offset o =
                placementVideo(c.placement, c.b, t, header.dy1Screen, header.dx2Screen);
            const int x = c.a + margin + o.dx, y = c.b + o.dy;
            if (c.placement == 3 || c.placement == 6)
                canvas.fillWhite(x, y, x + t.w, y + t.h);
            canvas.textTopLeft(x, y, c.text);
            if (etichette)
                etichette->push_back(Riquadro::daAngolo(x, y, t.w, t.h));
            break;
        }
        default:
            applyStyle(c, state, canvas, false, {});
        }
    };
}

} // namespace

Esito replayVideo(const std::string& dirArchivi, int code, const TTestataChart& header,
                  ChartCanvas& canvas, std::vector<Riquadro>* etichette) {
    if (Esito e = verificaIntestazione(header, VersioneVideo); !e.ok)
        return e;
    ReplayState state;
    return leggiVersione(dirArchivi, code, header, VersioneVideo,
                         sinkVideo(header, canvas, state, etichette));
}

void replayVideo(const VersioneConvertita& versione, const TTestataChart& header,
                 ChartCanvas& canvas, std::vector<Riquadro>* etichette) {
    ReplayState state;
    const auto sink = sinkVideo(header, canvas, state, etichette);
    std::size_t offset = 0;
    for (const std::uint16_t size : versione.blocchi) {
        if (offset + size > versione.bytes.size())
            break;
        decodificaBlocco(versione.bytes.data() + offset, size, sink);
        offset += size;
    }
}

Esito replayStampa(const std::string& dirArchivi, int code, const TTestataChart& header,
                   ChartCanvas& canvas, const PrintPlacement& where,
                   std::vector<Riquadro>* etichette) {
    if (Esito e = verificaIntestazione(header, VersioneStampa); !e.ok)
        return e;
    const ChartVersion& v = header.print;
    const int ox = v.leftMargin + where.offsetX;
    const int oy = where.offsetY;
    ReplayState state;
    const Esito e =
        leggiVersione(dirArchivi, code, header, VersioneStampa, [&](const DisplayCommand& c) {
            switch (c.code) {
            case cmd::Move:
                canvas.moveTo(c.a + ox, c.b + oy);
                break;
            case cmd::Line:
                if (c.a < 0 || c.b < 0)
                    canvas.moveTo(c.a + ox, c.b + oy);
                else
                    canvas.lineTo(c.a + ox, c.b + oy);
                break;
            case cmd::Label: {
                const TextSize t = canvas.measure(c.text);
                const Offset o =
                    placementStampa(c.placement, c.b, t, header.dy1Print, header.dx2Print);
                const int x = c.a + ox + o.dx, y = c.b + oy + o.dy;
                if (c.placement == 3 || c.placement == 5 || c.placement == 6)
                    canvas.fillWhite(x, y + 4 - t.h, x + t.w, y + 4);
                if (c.a >= 0 && c.b >= 0) {
                    canvas.textBaseline(x, y, c.text);
                    // The box the white mask would take.
                    if (etichette)
                        etichette->push_back({x, y + 4 - t.h, x + t.w, y + 4});
                }
                break;
            }
            default:
                applyStyle(c, state, canvas, where.monochrome, "Arial");
            }
        });
    if (!e.ok)
        return e;

    // Whatever the chart drew above its top edge is masked.
    canvas.fillWhite(ox, 0, ox + v.W + 2, oy);

    canvas.setFont(FontState{"Arial", 9, -1});
    TextSize t = canvas.measure(TitoloAsseTbs);
    canvas.textBaseline(ox + v.W / 2 - t.w / 2, oy + v.y0 + 3 * header.dy1Print, TitoloAsseTbs);
    t = canvas.measure(TitoloAsseX);
    canvas.textBaseline(ox + v.W + 9 * header.dx2Print, oy + v.y0 / 2 + t.w / 2, TitoloAsseX, 90);
    t = canvas.measure(TitoloAsseH);
    const double a = header.enthalpyScaleSlope * M_PI / 180.0;
    canvas.textBaseline(
        roundEven(ox + header.enthalpyScaleX - std::cos(a) * t.w / 2.0 - 8 * header.dx2Print),
        roundEven(oy + header.enthalpyScaleY + std::sin(a) * t.w / 2.0), TitoloAsseH,
        header.enthalpyScaleSlope);
    return {};
}

} // namespace tarvelo
