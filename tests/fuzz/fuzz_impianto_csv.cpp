// A CSV batch of plant calculations: the first byte chooses the scheme, the
// rest is the CSV. Every data row gets exactly one output row, in order,
// whatever the rows hold.
#include "app/cli/impianto_command.h"
#include "app/cli/stato_command.h"
#include "fuzz_support.h"
#include "support/fake_chart_services.h"

#include <algorithm>
#include <sstream>

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    fuzz::Cartella& c = fuzz::cartella();
    static test::FakeServices services;
    const char lettera = static_cast<char>(data[0]);
    const std::string schema(
        1, lettera >= 'A' && lettera <= 'F' ? lettera : static_cast<char>('A' + data[0] % 6));
    const std::string csv(reinterpret_cast<const char*>(data + 1), size - 1);
    std::istringstream in(csv);
    std::ostringstream out, err;
    const std::vector<std::string> args = {schema, "--csv", "-", "--thread", "1"};
    const int codice = cli::runImpianto(args, c.prefisso(), &services, in, out, err);
    fuzz::verifica(codice == cli::ExitOk || codice == cli::ExitBadInput || codice == cli::ExitIo,
                   "un codice d'uscita inatteso");
    if (codice == cli::ExitOk) {
        // One output line per non-blank input line (the header included).
        std::istringstream righe(csv);
        long long attese = 0;
        for (std::string r; std::getline(righe, r);)
            attese += r.find_first_not_of(" \t\r") != std::string::npos;
        const std::string s = out.str();
        fuzz::verifica(std::count(s.begin(), s.end(), '\n') >= attese,
                       "una riga del CSV senza la sua riga di risultati");
    }
    return 0;
}
