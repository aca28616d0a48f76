// The defaults archive ARCTRV.TVX in the archives folder: the 8-byte record
// of user defaults at its head, then one 488-byte chart header per chart
// code c at 8 + 488·c (the slot of code 0 is not used). No file stays open.
#pragma once

#include "document/chart_header.h"
#include "document/file_io.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvelo {

struct TTestataLavoro;
struct TLavoro;

struct TDefault {
    static constexpr std::size_t Size = 8;
    std::int16_t ChartDefault = 0; // chart shown when the diagram opens
    std::uint16_t NumChart = 0;    // charts in the catalogue, codes 1..NumChart
    std::uint8_t UmPortataDef = 0; // flow-unit codes
    std::uint8_t UmQrinnDef = 0;
    std::uint8_t UmQimmDef = 0;
    std::uint8_t riservato7 = 0;
    bool operator==(const TDefault&) const = default;
};

void decode(bytes::ConstImage in, TDefault& d);
void encode(const TDefault& d, bytes::Image out);

inline constexpr const char* NomeArchivio = "ARCTRV.TVX";
constexpr std::uint64_t offsetTestataChart(int code) {
    return TDefault::Size + TTestataChart::Size * static_cast<std::uint64_t>(code);
}

class ArchivioDefault {
  public:
    // `dirArchivi` is the archives folder as a prefix (it normally ends with
    // a separator).
    explicit ArchivioDefault(std::string dirArchivi) : dir_(std::move(dirArchivi)) {}
    std::string path() const { return dir_ + NomeArchivio; }
    const std::string& dir() const { return dir_; }
    // The lock file beside the archive. Every writer of the charts, their
    // headers and the defaults holds its lock (BloccoEsclusivo) for the
    // whole operation, so that two programs on one data folder take turns:
    // a chart code is chosen, and the count written, by one at a time.
    std::string pathBlocco() const { return dir_ + NomeArchivio + ".lock"; }

    Esito leggiDefault(TDefault& d) const;
    // Writes the 8-byte head only; the chart headers after it are untouched.
    Esito scriviDefault(const TDefault& d) const;

    // Fails when the chart is not in the catalogue (code outside
    // 1..NumChart, or an archive too short to hold its header).
    Esito leggiTestataChart(int code, TTestataChart& h) const;
    Esito scriviTestataChart(int code, const TTestataChart& h) const;

    struct VoceCatalogo {
        std::string descrizione; // start of the description, up to its first CR
        int code;
    };
    static constexpr std::size_t MaxVociCatalogo = 201;
    // One entry per code 1..NumChart, at most 201.
    Esito catalogo(std::vector<VoceCatalogo>& voci) const;

    // "Salva default": writes the user's choices of `d` under the lock,
    // keeping the count of charts that another program may have raised
    // meanwhile (`d` takes it).
    Esito salvaScelte(TDefault& d) const;

    // Creates the archive with just its head when there is none.
    Esito creaSeManca(const TDefault& d) const;

  private:
    std::string dir_;
};

// "Salva default": the work's flow units and chart become the defaults.
void salvaDefault(const TTestataLavoro& testata, const TLavoro& lavoro, TDefault& d);

} // namespace tarvelo
