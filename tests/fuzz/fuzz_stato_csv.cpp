// A batch of states from a CSV file, as `tarvelo stato --csv` computes it;
// the first line of the input, when it starts with "#", gives the options.
#include "app/cli/stato_command.h"
#include "fuzz_support.h"

#include <sstream>

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string testo(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args = {"--csv", "-"};
    if (testo.rfind("#", 0) == 0) {
        const auto fine = testo.find('\n');
        std::istringstream opzioni(testo.substr(1, fine == std::string::npos ? testo.npos : fine - 1));
        for (std::string a; opzioni >> a && args.size() < 8;)
            args.push_back(a);
        testo = fine == std::string::npos ? std::string() : testo.substr(fine + 1);
    }
    std::istringstream in(testo);
    std::ostringstream out, err;
    cli::runStato(args, in, out, err);
    fuzz::verifica(out.str().find("nan") == std::string::npos &&
                       out.str().find("inf") == std::string::npos,
                   "un risultato non finito");
    return 0;
}
