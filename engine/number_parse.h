// Numbers typed by people: a decimal point or a decimal comma, optional sign
// and exponent, surrounding blanks allowed; nothing else.
#pragma once

#include <optional>
#include <string_view>

namespace tarvelo {

std::optional<double> parseNumber(std::string_view text);

} // namespace tarvelo
