// Text forms of a work read from a file: a readable Italian listing, and a
// JSON object whose keys are the records' field names, values as stored.
#pragma once

#include "document/work_records.h"

#include <string>

namespace tarvelo::cli {

std::string lavoroTesto(const TTestataLavoro& testata, const TLavoro& lavoro);
std::string lavoroJson(const TTestataLavoro& testata, const TLavoro& lavoro);

} // namespace tarvelo::cli
