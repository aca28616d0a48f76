// The calculation log RISULT.TXT: the results of the treatments of the work,
// rewritten whole after every calculation. Windows-1252, CR LF.
#pragma once

#include "document/file_io.h"
#include "document/work_records.h"

#include <string>

namespace tarvelo {

inline constexpr const char* NomeRisult = "RISULT.TXT";

// The text of the log (Windows-1252).
std::string testoRisult(const TLavoro& l);

// Writes RISULT.TXT into `cartella` (a prefix, ending with its separator).
Esito ScriviRisult(const TLavoro& l, const std::string& cartella);

} // namespace tarvelo
