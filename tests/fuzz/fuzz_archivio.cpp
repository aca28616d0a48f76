// The defaults archive: the defaults record, then the chart headers of the
// catalogue, as the catalogue dialog and start-up read them.
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
    // "Salva default" writes the head and leaves the headers as they were.
    const auto prima = fuzz::leggi(archivio.path());
    fuzz::verifica(archivio.scriviDefault(d).ok, "il record dei default non si riscrive");
    fuzz::verifica(fuzz::leggi(archivio.path()) == prima,
                   "il record dei default riscritto cambia l'archivio");
    return 0;
}
