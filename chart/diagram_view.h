// What the diagram window computes, without the window: the screen
// transform of the chart in use, the field test, the read-out of the air
// state under the mouse, and the drawing of the work's treatments and
// points over the chart.
#pragma once

#include "chart/chart_canvas.h"
#include "chart/label_placement.h"
#include "document/chart_header.h"
#include "document/work_records.h"

#include <string>

namespace tarvelo {

// The view state set from a chart header (InitVirtualChart).
struct VistaDiagramma {
    int y0 = 0, W = 0, sy = 0, sx = 1, x0 = 0;
    int margineSinistro = 15, margineAlto = 10;
    int tbsMax = 0, tbsMin = 0, xMax = 0;

    static VistaDiagramma daTestata(const TTestataChart& h);

    // Pixel of an air state (x in kg/kg).
    int X(double tbs) const;
    int Y(double x) const;
    double tbsDaX(int X) const;
    double xDaY(int Y) const;
    // Outside the field: left of tbs min, right of tbs max, below x = 0 (the
    // saturation curve is not a border).
    bool FUORI_CAMPO(int X, int Y) const;
    // The field as drawn: tbs min to tbs max across, x from 0 up to x max.
    Riquadro campo() const;
};

// The eleven values of the read-out window at a position.
struct LetturaStato {
    double tbs = 0, tbu = 0, x = 0, h = 0, UR = 0, tdp = 0, rd = 0, rm = 0, Pv = 0, Psat = 0;
    bool soprassatura = false; // UR over 100 %: values shown gray
    // The texts as the window shows them, in this order: tbs, tbu, x, h, UR,
    // tdp, rd, rm, vd ("Div-0?" when rd is 0), Pv, Psat.
    std::array<std::string, 11> testi() const;
};
LetturaStato leggiStato(const VistaDiagramma& v, int X, int Y);

// "X =" and "Y =" lines of the last read-out position.
std::string testoTestGrave(int X, int Y);

// A treatment's colour as stored (a Windows colour value, red in the low
// byte).
Rgb coloreWindows(std::int32_t c);

struct EsitoDisegno {
    std::string stato; // "Ok", or the message of the error code
    bool errore = false;
    int raggioMarcatore = 3;
};

// DisegnaTrattamento: the treatments as segments, the points as circles
// with their names; stores each point's pixel position in the point. What
// lies outside the field is cut off there, and the names keep clear of
// each other, of the points and of the chart's labels (`etichetteChart`,
// as the replay gave them).
EsitoDisegno DisegnaTrattamento(TLavoro& lavoro, const VistaDiagramma& v, ChartCanvas& canvas,
                                int codiceTrascinamento, int raggioPrecedente,
                                const std::vector<Riquadro>& etichetteChart = {});

// Rings around the points an engineering check warns about (orange) and a
// wider one around the point chosen in a list of checks (red), drawn after
// DisegnaTrattamento, whose pixel positions they use. `punti` and `scelto`
// are 1-based; points not in use or outside the field get no ring.
void DisegnaSegniVerifiche(const TLavoro& l, const VistaDiagramma& v, ChartCanvas& canvas,
                           const std::vector<int>& punti, int scelto, int raggio);

} // namespace tarvelo
