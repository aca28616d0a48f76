// The picture-mask number formatter used by every label and report.
//
// Field characters: '+' '-' (sign positions), '#' (digit), '@' (digit, zero
// fill), '*' (digit, asterisk fill) and the euro sign (floating "€", byte
// 0x80 in Windows-1252). Separators '.', ',' and ' ' inside the field set the
// decimal point and the thousands separator. Text before and after the field
// is kept. A number too wide for the field turns its positions into '*'.
// Masks and results are 8-bit Windows-1252 texts.
#pragma once

#include <string>
#include <string_view>

namespace tarvelo {

inline constexpr char EuroCp1252 = '\x80';

std::string FormatMask(std::string_view mask, double x);

} // namespace tarvelo
