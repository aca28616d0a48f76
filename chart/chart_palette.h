// The 18-colour palette of chart pens (index 0 is not used).
#pragma once

#include <array>
#include <cstdint>

namespace tarvelo {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr std::array<Rgb, 19> ChartPalette = {{
    {0, 0, 0},       // 0: not used
    {0, 255, 255},   // 1 aqua
    {0, 0, 0},       // 2 black
    {0, 0, 255},     // 3 blue
    {128, 128, 128}, // 4 dark gray
    {255, 0, 255},   // 5 fuchsia
    {128, 128, 128}, // 6 gray
    {0, 128, 0},     // 7 green
    {0, 255, 0},     // 8 lime
    {192, 192, 192}, // 9 light gray
    {128, 0, 0},     // 10 maroon
    {0, 0, 128},     // 11 navy
    {128, 128, 0},   // 12 olive
    {128, 0, 128},   // 13 purple
    {255, 0, 0},     // 14 red
    {192, 192, 192}, // 15 silver
    {0, 128, 128},   // 16 teal
    {255, 255, 255}, // 17 white
    {255, 255, 0},   // 18 yellow
}};

// Palette colour of an index; black for one outside 1..18.
inline Rgb paletteColour(int index) {
    return index >= 1 && index <= 18 ? ChartPalette[static_cast<std::size_t>(index)] : Rgb{};
}

namespace paletta {
inline constexpr int Acqua = 1, Nero = 2, Blu = 3, Fucsia = 5, Verde = 7, Marrone = 10, Rosso = 14;
}

} // namespace tarvelo
