// A work read from a file as a readable Italian listing (its JSON form is
// in work_json.h).
#pragma once

#include "document/check_limits.h"
#include "document/work_records.h"

#include <string>

namespace tarvelo::cli {

// With `limiti`, the work's engineering checks and, for a plant, its flow at
// the supply's real specific volume follow the listing.
std::string lavoroTesto(const TTestataLavoro& testata, const TLavoro& lavoro,
                        const LimitiVerifiche* limiti = nullptr);

} // namespace tarvelo::cli
