// The 488-byte header of a generated chart, as stored in the chart catalogue
// and copied into the work record: where the two versions of the chart lie
// in its CHART.<code> file and how they were scaled.
#pragma once

#include "document/le_bytes.h"
#include "document/pascal_string.h"

#include <array>
#include <cstdint>

namespace tarvelo {

// One version (screen or print) of a chart, 88 bytes.
struct ChartVersion {
    static constexpr std::size_t Size = 88;
    static constexpr std::size_t MaxBlocks = 20;

    std::uint8_t blockCount = 0;
    std::uint8_t reserved1 = 0;
    std::array<std::uint16_t, MaxBlocks> blockSizes{};
    std::array<std::uint8_t, 6> reserved42{};
    double sx = 0;       // units per °C (an integer value)
    double sy = 0;       // units per kg/kg (an integer value)
    std::int16_t W = 0;  // width of the field
    std::int16_t y0 = 0; // Y of the line x = 0
    std::int32_t bottomMargin = 0, rightMargin = 0, leftMargin = 0, topMargin = 0;
    std::array<std::uint8_t, 4> reserved84{};

    bool operator==(const ChartVersion&) const = default;
};

struct TTestataChart {
    static constexpr std::size_t Size = 488;

    StringaPascal<255> description;      // the two lines typed when generating
    ChartVersion print;                  // at 256
    ChartVersion screen;                 // at 344
    std::int32_t tbsMin = 0, tbsMax = 0; // °C
    std::int32_t xMax = 0;               // g/kg
    // CRC-32 of the chart file as written with this header; 0 where it was
    // not recorded (charts of earlier versions), and then not checked.
    std::uint32_t fileChecksum = 0;
    double pressure = 0;          // Pa
    std::int32_t printOffset = 0; // byte offset of the print version
    std::int32_t dy1Print = 0, dy1Screen = 0, dx2Print = 0, dx2Screen = 0;
    // Print version: middle of the enthalpy scale line and its slope in
    // whole degrees.
    std::int32_t enthalpyScaleX = 0, enthalpyScaleY = 0, enthalpyScaleSlope = 0;

    bool operator==(const TTestataChart&) const = default;
};

void decode(bytes::ConstImage in, ChartVersion& v);
void encode(const ChartVersion& v, bytes::Image out);
void decode(bytes::ConstImage in, TTestataChart& h);
void encode(const TTestataChart& h, bytes::Image out);

} // namespace tarvelo
