// A work read from a file as a readable Italian listing (its JSON form is
// in work_json.h).
#pragma once

#include "document/check_limits.h"
#include "document/work_records.h"
#include "plants/suggerimenti.h"

#include <string>
#include <vector>

namespace tarvelo::cli {

// With `limiti`, the work's engineering checks and, for a plant, its flow at
// the supply's real specific volume follow the listing; with `suggerimenti`
// (a failed plant run), what to change to make it compute.
std::string lavoroTesto(const TTestataLavoro& testata, const TLavoro& lavoro,
                        const LimitiVerifiche* limiti = nullptr,
                        const std::vector<Suggerimento>* suggerimenti = nullptr);

} // namespace tarvelo::cli
