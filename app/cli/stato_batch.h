// Streaming CSV batch of `tarvelo stato --csv`: one output row per input row,
// in constant memory.
#pragma once

#include "app/cli/batch_summary.h"

#include <iosfwd>

namespace tarvelo::cli {

// Reads the CSV from `in`, writes the results to `out`, one message per bad
// row to `err`. `defaultPatm` serves rows without a Patm value. Blocks of
// rows are computed in parallel on `thread` threads (0: every core) and
// written in input order: the output is the same for any number.
BatchSummary runStatoBatch(std::istream& in, std::ostream& out, std::ostream& err,
                           double defaultPatm, int thread = 0);

} // namespace tarvelo::cli
