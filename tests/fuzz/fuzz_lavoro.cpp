// A work file in either layout, as "Apri" reads it; then what the user does
// next: the diagram drawn, the work saved and opened again.
#include "app/cli/ricalcola_command.h"
#include "app/cli/stato_command.h"
#include "chart/diagram_view.h"
#include "document/work_file.h"
#include "document/work_record_ops.h"
#include "fuzz_support.h"
#include "support/fake_chart_services.h"

#include <sstream>

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Cartella& c = fuzz::cartella();
    const std::string path = c.file("ingresso.TRV");
    fuzz::scrivi(path, data, size);
    const TestataLetta t = leggiTestata(path);
    if (t.esito != Riconoscimento::Riconosciuto)
        return 0;
    FoglioLetto foglio;
    if (!leggiFoglio(path, c.settings.archivio(), foglio).ok)
        return 0;
    TLavoro& l = foglio.lavoro;
    fuzz::CanvasNullo canvas;
    TLavoro disegnato = l;
    DisegnaTrattamento(disegnato, VistaDiagramma::daTestata(l.TestataChart), canvas, 6, 3);
    DisegnaTrattamento(disegnato, VistaDiagramma::daTestata(l.TestataChart), canvas, 1, 3);
    // Calculated again and saved, as `ricalcola --salva` does: a work it
    // cannot calculate is refused, and what it saves opens finite.
    static test::FakeServices services;
    const std::string ricalcolato = c.file("ricalcolato.TRV");
    std::filesystem::remove(ricalcolato);
    std::ostringstream o, e;
    const std::vector<std::string> args = {path, "--cartella", c.prefisso(), "--salva",
                                           ricalcolato};
    const int codice = cli::runRicalcola(args, c.prefisso(), &services, o, e);
    if (codice == cli::ExitOk)
        fuzz::verifica(l.TipoImpianto <= 6 && valoriFiniti(l),
                       "un lavoro che non si può calcolare risulta calcolato");
    if (std::filesystem::exists(ricalcolato))
        fuzz::riapri(ricalcolato, c.settings.archivio(),
                     "un lavoro ricalcolato non si riapre finito");
    if (!valoriFiniti(l))
        return 0; // the commands refuse such a work before anything else
    const std::string salvato = c.file("salvato.TRV");
    fuzz::verifica(scriviFileLavoro(salvato, t.testata, l).ok, "un lavoro letto non si salva");
    const fuzz::LavoroRiaperto di_nuovo =
        fuzz::riapri(salvato, c.settings.archivio(), "un lavoro salvato non si riapre finito");
    const std::string ancora = c.file("ancora.TRV");
    fuzz::verifica(scriviFileLavoro(ancora, di_nuovo.testata, di_nuovo.lavoro).ok,
                   "un lavoro riaperto non si salva");
    fuzz::verifica(fuzz::leggi(ancora) == fuzz::leggi(salvato),
                   "un lavoro salvato e riaperto non è lo stesso");
    return 0;
}
