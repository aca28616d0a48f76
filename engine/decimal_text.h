// Decimal text of doubles as the classic run time lays it out: exact binary
// value, rounded half away from zero.
#pragma once

#include <string>

namespace tarvelo {

// |value| in fixed notation with `decimals` digits after a '.' (no sign).
std::string fixedAbsText(double value, int decimals);

// The run time's fixed-point float formatting: the value is rounded to
// `precision` significant digits but at most `digits` decimals, then shown
// with exactly `digits` decimals; values with more integer digits than
// `precision` switch to exponent notation (d.ddE+n). A result that rounds to
// zero carries no sign. Non-finite values give "NAN", "INF" or "-INF".
std::string FloatToStrFixed(double value, int precision, int digits);

} // namespace tarvelo
