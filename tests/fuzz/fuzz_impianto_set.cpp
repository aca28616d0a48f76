// A plant configuration with its zone data changed by `--set` values, one
// "NOME=VALORE" a line (the first line names the scheme): calculated, saved,
// and the saved work opened and calculated again.
#include "app/cli/impianto_command.h"
#include "app/cli/ricalcola_command.h"
#include "app/cli/stato_command.h"
#include "fuzz_support.h"
#include "support/fake_chart_services.h"

#include <sstream>

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Cartella& c = fuzz::cartella();
    static test::FakeServices services;
    std::istringstream righe(std::string(reinterpret_cast<const char*>(data), size));
    std::string schema;
    std::getline(righe, schema);
    std::vector<std::string> args = {schema.substr(0, 1), "--cartella", c.prefisso()};
    for (std::string r; std::getline(righe, r) && args.size() < 40;) {
        args.push_back("--set");
        args.push_back(r);
    }
    const std::string salvato = c.file("impianto.TRV");
    std::filesystem::remove(salvato);
    args.push_back("--salva");
    args.push_back(salvato);
    std::ostringstream out, err;
    cli::runImpianto(args, c.prefisso(), &services, out, err);
    if (!std::filesystem::exists(salvato))
        return 0;
    // What was saved opens, holds finite values and calculates again.
    fuzz::riapri(salvato, c.settings.archivio(), "un impianto salvato non si riapre finito");
    std::ostringstream o2, e2;
    const std::vector<std::string> ancora = {salvato, "--cartella", c.prefisso()};
    const int codice = cli::runRicalcola(ancora, c.prefisso(), &services, o2, e2);
    fuzz::verifica(codice == cli::ExitOk || codice == cli::ExitIo,
                   "un impianto salvato è rifiutato dal ricalcolo");
    return 0;
}
