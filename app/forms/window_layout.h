// Where the main window puts its windows at its first activation, by the
// width of the screen. Plain geometry, in outer (frame) pixels.
#pragma once

#include <optional>

namespace tarvelo {

struct Rettangolo {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rettangolo&) const = default;
};

// The windows as they are before the arrangement; those that do not exist
// yet are left empty and get no place.
struct FinestreAperte {
    int schermoW = 0, schermoH = 0;
    Rettangolo main;
    Rettangolo diagramma;
    std::optional<Rettangolo> palette, tabellaPunti, coordinate, dettaglio;
};

struct Disposizione {
    Rettangolo diagramma;
    std::optional<Rettangolo> palette, tabellaPunti, coordinate, dettaglio;
};

Disposizione disponiFinestre(const FinestreAperte& f);

} // namespace tarvelo
