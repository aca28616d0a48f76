// Text routines shared by logs, reports and the user interface edge.
#pragma once

#include <string>
#include <string_view>

namespace tarvelo {

// The n-th line (from 1) of a text whose lines end with CR LF. A text with
// fewer than n lines gives an empty text.
std::string Riga(std::string_view testo, int n);

// The text without blanks and tab characters.
std::string TogliSpazi(std::string_view testo);

// Records, logs and masks hold 8-bit Windows-1252 text; the user interface
// and the command line speak UTF-8. Bytes without a Windows-1252 character
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value so
// that nothing read from a file is lost.
std::string cp1252ToUtf8(std::string_view cp1252);
// Characters outside Windows-1252 (and malformed UTF-8) become '?'.
std::string utf8ToCp1252(std::string_view utf8);

} // namespace tarvelo
