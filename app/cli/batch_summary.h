// What a CSV batch (`stato --csv`, `impianto --csv`) reports when it is done.
#pragma once

#include <iosfwd>

namespace tarvelo::cli {

struct BatchSummary {
    long long rows = 0;
    long long failed = 0;
    bool fatal = false;          // the header or the input itself was unusable
    bool readError = false;      // the input could not be read: an I/O error
    long long tracceFallite = 0; // trace files (--tracce) that could not be written
};

// The end of a batch that found no header: an input that could not be read
// is a read error, not an empty file. Returns the summary to hand back.
BatchSummary senzaIntestazione(const std::istream& in, std::ostream& err);

} // namespace tarvelo::cli
