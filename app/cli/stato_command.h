// `tarvelo stato`: the air state from two known properties, as a table, as
// JSON, or for every row of a CSV file.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace tarvelo::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitIo = 1;
inline constexpr int ExitBadInput = 2;

int runStato(std::span<const std::string> args, std::istream& in, std::ostream& out,
             std::ostream& err);

} // namespace tarvelo::cli
