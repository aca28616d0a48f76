// The defaults archive: the defaults record, then the chart headers of the
// catalogue, as the catalogue dialog and start-up read them.
#include "app/cli/work_session.h"
#include "chart/chart_file.h"
#include "document/defaults_archive.h"
#include "fuzz_support.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string dir = fuzz::cartella().prefisso() + "archivio/";
    std::filesystem::create_directories(dir);
    const ArchivioDefault archivio(dir);
    fuzz::scrivi(archivio.path(), data, size);
    TDefault d;
    if (!archivio.leggiDefault(d).ok)
        return 0;
    std::vector<ArchivioDefault::VoceCatalogo> voci;
    if (archivio.catalogo(voci).ok)
        fuzz::verifica(voci.size() <= ArchivioDefault::MaxVociCatalogo,
                       "un catalogo oltre la sua capienza");
    TTestataChart h;
    archivio.leggiTestataChart(d.ChartDefault, h);
    // A new work (a plant laid out from the command line) draws on a chart
    // the catalogue holds, or is not made at all.
    cli::SessioneLavoro sessione{fuzz::cartella().settings, d};
    sessione.settings.DIR_ARCHIVI = dir;
    TLavoro nuovo;
    if (cli::chartDiUnNuovoLavoro(sessione, nuovo).ok) {
        fuzz::verifica(nuovo.CodiceChart >= 1 && nuovo.CodiceChart <= d.NumChart,
                       "un nuovo lavoro su un diagramma fuori catalogo");
        // Compared as bytes: a header may hold a NaN, never equal to itself.
        std::array<std::uint8_t, TTestataChart::Size> letto{}, usato{};
        const bool ok = archivio.leggiTestataChart(nuovo.CodiceChart, h).ok;
        encode(h, letto);
        encode(nuovo.TestataChart, usato);
        fuzz::verifica(ok && letto == usato && verificaIntestazione(h, VersioneVideo).ok,
                       "un nuovo lavoro su un diagramma che non si legge");
    }
    // "Salva default" writes the head and leaves the headers as they were.
    const auto prima = fuzz::leggi(archivio.path());
    fuzz::verifica(archivio.scriviDefault(d).ok, "il record dei default non si riscrive");
    fuzz::verifica(fuzz::leggi(archivio.path()) == prima,
                   "il record dei default riscritto cambia l'archivio");
    return 0;
}
