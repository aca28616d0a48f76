#include "app/cli/batch_summary.h"

#include <istream>
#include <ostream>

namespace tarvelo::cli {

BatchSummary senzaIntestazione(const std::istream& in, std::ostream& err) {
    BatchSummary s;
    s.fatal = true;
    s.readError = in.bad();
    err << (s.readError ? "errore di lettura del file CSV\n"
                        : "errore: il file CSV è vuoto, manca l'intestazione\n");
    return s;
}

} // namespace tarvelo::cli
