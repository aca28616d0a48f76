// `tarvelo impianto X --csv`: one plant calculation per row of a CSV file
// whose columns are named like the --set fields, streamed; the rows are
// computed on every core and written in input order.
#pragma once

#include "app/cli/batch_summary.h"
#include "document/check_limits.h"
#include "document/work_records.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace tarvelo::cli {

// Sets a zone-data field by its record name: empty when done, otherwise
// the reason ("campo sconosciuto: ..." for a name that is no field).
using ImpostaCampo =
    std::function<std::optional<std::string>(TLavoro&, const std::string&, const std::string&)>;

// `base`: the configuration with its sample data on its chart. `tracce`:
// a folder (with its separator) for DETTAGLI_<row>.TXT, or none. The last
// column, "Verifiche", holds the codes of the row's engineering checks
// against `limiti`, joined by "|"; with `conSuggerimenti` one more follows,
// "Suggerimento": for a row whose calculation failed, the message of the
// first change that makes it compute (empty when none does).
BatchSummary runImpiantoBatch(std::istream& in, std::ostream& out, std::ostream& err,
                              const TLavoro& base, const ImpostaCampo& imposta, int thread,
                              const std::optional<std::string>& tracce,
                              const LimitiVerifiche& limiti = LimitiVerifiche{},
                              bool conSuggerimenti = false);

} // namespace tarvelo::cli
