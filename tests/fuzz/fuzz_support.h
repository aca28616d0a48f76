// What every fuzz harness shares: a data folder laid out once per process
// (with its first chart), a scratch file to hand bytes to the readers that
// take paths, and the check that stops the run at the first broken promise.
#pragma once

#include "app/cli/work_json.h"
#include "app/cli/work_session.h"
#include "chart/chart_canvas.h"
#include "chart/initial_chart.h"
#include "document/document.h"
#include "document/settings.h"
#include "document/work_file.h"
#include "document/work_record_ops.h"
#include "support/fixed_measurer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace tarvelo::fuzz {

// A finding: printed, then the run stops so that libFuzzer keeps the input.
[[noreturn]] inline void rotto(const char* cosa) {
    std::fprintf(stderr, "promessa mancata: %s\n", cosa);
    std::abort();
}

inline void verifica(bool condizione, const char* cosa) {
    if (!condizione)
        rotto(cosa);
}

// A data folder of this process, laid out as on first use.
struct Cartella {
    Cartella() {
        radice =
            std::filesystem::temp_directory_path() / ("tarvelo-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(radice);
        std::vector<std::string> creati;
        preparaCartellaDati(prefisso(), creati);
        settings = TDriveMdl::crea(prefisso());
        bool creato = false;
        assicuraChartIniziale(settings, misura, creato);
        sessione.settings = settings;
        sessione.settings.archivio().leggiDefault(sessione.defaults);
    }
    ~Cartella() {
        std::error_code ec;
        std::filesystem::remove_all(radice, ec);
    }
    std::string prefisso() const { return radice.string() + "/"; }
    std::string file(const std::string& nome) const { return (radice / nome).string(); }

    std::filesystem::path radice;
    TDriveMdl settings;
    test::FixedMeasurer misura;
    cli::SessioneLavoro sessione; // the settings and the saved defaults
};

inline Cartella& cartella() {
    static Cartella c;
    return c;
}

inline void scrivi(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline std::vector<std::uint8_t> leggi(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// A work from its JSON as `lavoro --da-json` reads it: over a new work on
// the chart a new work takes, its chart header then the catalogue's. False
// when the JSON or its chart is refused.
inline bool lavoroDaJson(std::string_view testo, TTestataLavoro& testata, TLavoro& lavoro) {
    Cartella& c = cartella();
    Documento doc(c.sessione.settings, c.sessione.defaults);
    doc.inizializzaTestata("11/12/2026");
    if (!cli::chartDiUnNuovoLavoro(c.sessione, doc.lavoro).ok)
        rotto("nessun chart per un lavoro nuovo");
    if (!cli::lavoroDaJson(testo, doc.testata, doc.lavoro).empty() ||
        !c.settings.archivio()
             .leggiTestataChart(doc.lavoro.CodiceChart, doc.lavoro.TestataChart)
             .ok)
        return false;
    testata = doc.testata;
    lavoro = doc.lavoro;
    return true;
}

// A saved work opens again and holds finite values: `cosa` names the
// broken promise when it does not.
struct LavoroRiaperto {
    TTestataLavoro testata;
    TLavoro lavoro;
};
inline LavoroRiaperto riapri(const std::string& path, const ArchivioDefault& archivio,
                             const char* cosa) {
    const TestataLetta t = leggiTestata(path);
    FoglioLetto foglio;
    verifica(t.esito == Riconoscimento::Riconosciuto && leggiFoglio(path, archivio, foglio).ok,
             cosa);
    verifica(valoriFiniti(foglio.lavoro), cosa);
    return {t.testata, foglio.lavoro};
}

// A canvas that only checks that every coordinate it gets is one a device
// can take.
struct CanvasNullo : ChartCanvas {
    static void punto(int x, int y) {
        verifica(x >= -40000 && x <= 40000 && y >= -40000 && y <= 40000,
                 "una coordinata fuori da ogni schermo");
    }
    void setPen(const PenState&) override {}
    void setFont(const FontState&) override {}
    void moveTo(int x, int y) override { punto(x, y); }
    void lineTo(int x, int y) override { punto(x, y); }
    TextSize measure(std::string_view t) override { return {static_cast<int>(t.size()) * 6, 12}; }
    void fillWhite(int, int, int, int) override {}
    void textTopLeft(int x, int y, std::string_view) override { punto(x, y); }
    void textBaseline(int x, int y, std::string_view, double) override { punto(x, y); }
    void circle(int x, int y, int, Rgb) override { punto(x, y); }
};

} // namespace tarvelo::fuzz
