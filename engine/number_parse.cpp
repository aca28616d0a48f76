#include "engine/number_parse.h"

#include <charconv>
#include <cmath>

namespace tarvelo {

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.size() > 64 || text.empty())
        return std::nullopt;
    char buf[65] = {};
    std::size_t n = 0;
    for (char c : text) {
        const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' ||
                             c == '+' || c == 'e' || c == 'E';
        if (!allowed)
            return std::nullopt; // rejects "nan", "inf", hex and stray text
        buf[n++] = c == ',' ? '.' : c;
    }
    const char* first = buf;
    if (buf[0] == '+') {
        if (n > 1 && (buf[1] == '+' || buf[1] == '-'))
            return std::nullopt;
        ++first;
    }
    double value = 0.0;
    const auto res = std::from_chars(first, buf + n, value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != buf + n || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace tarvelo
