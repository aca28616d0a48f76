// A work read from a file as a readable Italian listing (its JSON form is
// in work_json.h).
#pragma once

#include "document/work_records.h"

#include <string>

namespace tarvelo::cli {

std::string lavoroTesto(const TTestataLavoro& testata, const TLavoro& lavoro);

} // namespace tarvelo::cli
