#include "engine/text.h"

#include <array>
#include <cstdint>

namespace tarvelo {

namespace {

// Unicode of the bytes 0x80..0x9F in Windows-1252; undefined bytes keep
// their own value.
constexpr std::array<char32_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t fromCp1252(unsigned char b) {
    return (b >= 0x80 && b < 0xA0) ? Cp1252High[b - 0x80] : b;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

char toCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < Cp1252High.size(); ++i) {
        if (Cp1252High[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

std::string Riga(std::string_view testo, int n) {
    std::string_view riga;
    for (int i = 1; i <= n; ++i) {
        const std::size_t cr = testo.find('\r');
        if (cr == std::string_view::npos) {
            riga = testo;
            testo = {};
        } else {
            riga = testo.substr(0, cr);
            testo = cr + 2 <= testo.size() ? testo.substr(cr + 2) : std::string_view{};
        }
    }
    return n >= 1 ? std::string(riga) : std::string();
}

std::string TogliSpazi(std::string_view testo) {
    std::string out;
    out.reserve(testo.size());
    for (char c : testo) {
        if (c != ' ' && c != '\t')
            out.push_back(c);
    }
    return out;
}

std::string cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252)
        appendUtf8(out, fromCp1252(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int extra = 0;
        char32_t c = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            extra = 3;
        } else {
            out.push_back('?');
            ++i;
            continue;
        }
        bool ok = i + static_cast<std::size_t>(extra) < utf8.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cb = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((cb & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (cb & 0x3F);
        }
        if (!ok) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(toCp1252(c));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

} // namespace tarvelo
