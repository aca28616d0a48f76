// The binary chart file CHART.<code>: the display list of each version as
// packed records (code, a, b, then P and a length-prefixed text for labels,
// the text for box texts), in blocks of at most 20000 bytes that no record
// straddles. The screen version starts at offset 0, the print version at
// the offset its header gives.
#pragma once

#include "document/chart_header.h"
#include "chart/display_list.h"
#include "document/file_io.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

inline constexpr std::size_t DimBlocco = 20000;
inline constexpr int VersioneStampa = 0;
inline constexpr int VersioneVideo = 1;

// "CHART.007" for code 7.
std::string chartFileName(int code);

struct VersioneConvertita {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint16_t> blocchi; // size of each block
};

// Converts the text form into records, dropping the points that add
// nothing (collinear runs, repeated points, runs above the field reduced to
// their last point, a move followed by another move). Fails when the
// version needs more than 20 blocks.
Esito convertiTesto(std::string_view testo, VersioneConvertita& out);

// Writes a version into CHART.<code> of the archives folder and fills its
// section of the header (block count and sizes; the print version also its
// offset): the screen version creates the file anew, the print version is
// appended to it.
Esito scriviVersione(const std::string& dirArchivi, int code, int versione,
                     const VersioneConvertita& v, TTestataChart& header);

// Whether a header can be drawn from in the given version: the chart's
// ranges and pressure, the version's scales, sizes, margins and blocks as
// the builder makes them. An Italian message names the first field that is
// not.
Esito verificaIntestazione(const TTestataChart& header, int versione);

// The blocks of both versions: counts, sizes and the print offset.
Esito verificaBlocchi(const TTestataChart& header);

// Decodes a version block by block and hands every record to `sink`. The
// blocks are checked first, and so is the file against them: a chart file
// that is not the one its header describes (a crash between writing the
// two, a file copied from elsewhere) is reported, never drawn.
Esito leggiVersione(const std::string& dirArchivi, int code, const TTestataChart& header,
                    int versione, const std::function<void(const DisplayCommand&)>& sink);

// Decodes records from a buffer of one block (unknown codes take 5 bytes).
void decodificaBlocco(const std::uint8_t* data, std::size_t size,
                      const std::function<void(const DisplayCommand&)>& sink);

} // namespace tarvelo
