#include "engine/decimal_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace tarvelo {

namespace {

// True when |value| lies exactly halfway between two multiples of
// 10^-decimals: 2·|v|·10^d is then an odd integer. With |v| = m·2^e and
// m = m'·2^z (m' odd) that is m'·5^d·2^(z+e+d+1), odd exactly when the
// power of two vanishes.
bool isDecimalTie(double value, int decimals) {
    if (value == 0.0 || !std::isfinite(value))
        return false;
    int exp2 = 0;
    const double fraction = std::frexp(std::fabs(value), &exp2);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int e = exp2 - 53;
    return std::countr_zero(mantissa) + e + decimals + 1 == 0;
}

std::string toFixed(double value, int decimals) {
    std::string out(400 + static_cast<std::size_t>(decimals), '\0');
    const auto res = std::to_chars(out.data(), out.data() + out.size(), value,
                                   std::chars_format::fixed, decimals);
    out.resize(static_cast<std::size_t>(res.ptr - out.data()));
    return out;
}

} // namespace

std::string fixedAbsText(double value, int decimals) {
    double a = std::fabs(value);
    decimals = std::clamp(decimals, 0, 300);
    // A tie rounds away from zero: nudging it one ulp outwards leaves every
    // other digit as it was.
    if (isDecimalTie(a, decimals))
        a = std::nextafter(a, std::numeric_limits<double>::infinity());
    return toFixed(a, decimals);
}

std::string FloatToStrFixed(double value, int precision, int digits) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    precision = std::clamp(precision, 1, 18);
    digits = std::clamp(digits, 0, 18);
    const double a = std::fabs(value);

    int intDigits = 1;
    if (a != 0.0) {
        char buf[64];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, precision - 1);
        const char* e = std::find(buf, res.ptr, 'e');
        int exp10 = 0;
        std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), res.ptr, exp10);
        intDigits = exp10 + 1;
    }

    std::string text;
    if (intDigits > precision) {
        char buf[64];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, precision - 1);
        std::string sci(buf, res.ptr);
        const auto epos = sci.find('e');
        const int exp10 = std::stoi(sci.substr(epos + 1));
        text = sci.substr(0, epos) + (exp10 < 0 ? "E-" : "E+") + std::to_string(std::abs(exp10));
    } else {
        const int rounding = std::min(precision - intDigits, digits);
        text = fixedAbsText(a, std::max(rounding, 0));
        if (rounding < digits) {
            if (rounding <= 0)
                text += '.';
            text.append(static_cast<std::size_t>(digits - std::max(rounding, 0)), '0');
        }
    }
    const bool allZero = text.find_first_not_of("0.") == std::string::npos;
    if (value < 0 && !allZero)
        text.insert(text.begin(), '-');
    return text;
}

} // namespace tarvelo
