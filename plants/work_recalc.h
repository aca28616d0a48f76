// A whole work calculated again from its own data at the engine's current
// pressure: a manual sequence treatment by treatment as "Calcola" computes
// each, then the sequence as a whole; a plant work from its zone data.
// Used when a work is recalculated on the command line and when the chart
// under a work changes pressure.
#pragma once

#include "document/file_io.h"
#include "document/work_records.h"

#include <string>
#include <vector>

namespace tarvelo {

struct EsitoRicalcolo {
    bool errori = false;               // a treatment or the scheme ended with an error code
    bool rifiutato = false;            // a treatment's input out of range: nothing calculated
    std::vector<std::string> messaggi; // as the calculations give them ("Tratto  3\r...")
    int codiceImpianto = 0;            // CodiceErrore of a plant work
    Esito file;                        // DETTAGLI.TXT of a plant work could not be written
};

// `cartella`: where a plant work writes DETTAGLI.TXT. TipoImpianto must be
// 0..6 (a sequence or a scheme); anything else is left as it is.
EsitoRicalcolo ricalcolaLavoro(TLavoro& l, const std::string& cartella);

} // namespace tarvelo
