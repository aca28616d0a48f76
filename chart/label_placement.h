// The work drawn over the chart's field, on the screen and on the sheet
// alike: process lines cut at the field's edges, and the names of the
// points placed where they cover neither each other, nor the points, nor
// the chart's own labels. Everything is in the units of the canvas drawn
// on (pixels on the screen, 1/300 inch on the sheet).
#pragma once

#include <optional>
#include <vector>

namespace tarvelo {

// Right and bottom are excluded, as for a text of width w from x.
struct Riquadro {
    int sinistra = 0, alto = 0, destra = 0, basso = 0;

    static Riquadro daAngolo(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
    bool interseca(const Riquadro& o) const {
        return sinistra < o.destra && o.sinistra < destra && alto < o.basso && o.alto < basso;
    }
    bool contiene(const Riquadro& o) const {
        return o.sinistra >= sinistra && o.destra <= destra && o.alto >= alto && o.basso <= basso;
    }
    // A point on the edge counts as inside: a state at the chart's limits
    // is drawn.
    bool contienePunto(int x, int y) const {
        return x >= sinistra && x <= destra && y >= alto && y <= basso;
    }
    bool operator==(const Riquadro&) const = default;
};

// The part of the segment (x1, y1)–(x2, y2) that lies in the field (edges
// included): false when none does, else the ends are moved onto the edges.
bool ritagliaSegmento(const Riquadro& campo, int& x1, int& y1, int& x2, int& y2);

// A process line as drawn.
struct Segmento {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A point's name to be placed.
struct NomePunto {
    int x = 0, y = 0; // the point
    int raggio = 0;   // its marker
    int w = 0, h = 0; // the name's size
    Riquadro chiesto; // where the point's stored label offsets put it
};

// Where each name goes, in order: the rectangle its offsets ask for when
// that is free, else the first free of the eight positions around the
// point (above, below, right, left, then the corners above right, above
// left, below right, below left), `distanza` clear of its marker. Free: in
// the field, clear of the chart's labels, of every point's marker, of the
// names placed before it and of the process lines. When none is free, the
// position in the field that covers least of them (a text covered counts
// for its area, a line crossed for its length). Nothing for a point outside
// the field, or whose name fits nowhere in it.
std::vector<std::optional<Riquadro>> posizionaNomi(const std::vector<NomePunto>& punti,
                                                   const Riquadro& campo,
                                                   const std::vector<Riquadro>& etichetteChart,
                                                   const std::vector<Segmento>& linee,
                                                   int distanza);

} // namespace tarvelo
