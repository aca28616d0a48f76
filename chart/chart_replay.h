// Replaying a chart file onto a canvas: the screen version as the diagram
// window shows it, the print version as the drawing sheet places it (with
// the white mask above the field and the axis titles).
#pragma once

#include "chart/chart_canvas.h"
#include "chart/chart_file.h"
#include "chart/label_placement.h"

#include <vector>

namespace tarvelo {

// `etichette`, when given, receives where the chart's labels lie, for the
// names of the points to keep clear of them.
Esito replayVideo(const std::string& dirArchivi, int code, const TTestataChart& header,
                  ChartCanvas& canvas, std::vector<Riquadro>* etichette = nullptr);
// The same from a screen version held in memory (rebuilt for another paint
// area); `header` carries that version's screen section.
void replayVideo(const VersioneConvertita& versione, const TTestataChart& header,
                 ChartCanvas& canvas, std::vector<Riquadro>* etichette = nullptr);

struct PrintPlacement {
    int offsetX = 0; // page position of the chart's X = 0 less the left margin
    int offsetY = 0; // page position of the chart's Y = 0
    bool monochrome = false;
};

// The print version at (X + left margin + offsetX, Y + offsetY), in report
// units, with the axis titles; the labels' boxes go to `etichette`.
Esito replayStampa(const std::string& dirArchivi, int code, const TTestataChart& header,
                   ChartCanvas& canvas, const PrintPlacement& where,
                   std::vector<Riquadro>* etichette = nullptr);

// Axis titles of the printed chart (Windows-1252).
inline constexpr const char* TitoloAsseTbs = "Temperatura bulbo secco (tbs) in \xB0"
                                             "C";
inline constexpr const char* TitoloAsseX = "Umidit\xE0 specifica (x) g/kg di aria secca";
inline constexpr const char* TitoloAsseH = "Entalpia (h) in kJ/kg di aria secca";

// Where a label of placement code P goes, relative to its anchor, for a
// text w × h: the placement table of the screen and print columns.
struct Offset {
    int dx, dy;
};
Offset placementVideo(int p, int anchorY, TextSize t, int dy1, int dx2);
Offset placementStampa(int p, int anchorY, TextSize t, int dy1, int dx2);

// Rounding half to even, saturating at the limits of int (NaN gives the
// lower one).
int roundEven(double v);

// A screen or page coordinate from any double: rounded, then held within
// the 16-bit range of the chart's coordinates, so that sums of a few of
// them never overflow.
inline constexpr int CoordinataMinima = -32768, CoordinataMassima = 32767;
int coordinata(double v);

} // namespace tarvelo
