// A fixed-capacity length-prefixed string of the records: one length byte
// and room for N characters, N + 1 bytes in all. Texts are 8-bit
// Windows-1252. The whole image is kept, so that bytes beyond the length
// (left there by earlier, longer texts) are written back as they were read.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelo {

template <std::size_t N> struct StringaPascal {
    static_assert(N >= 1 && N <= 255);
    static constexpr std::size_t Capacita = N;
    static constexpr std::size_t Dimensione = N + 1;

    std::array<std::uint8_t, N + 1> raw{};

    std::size_t size() const { return std::min<std::size_t>(raw[0], N); }
    std::string testo() const {
        return std::string(reinterpret_cast<const char*>(raw.data() + 1), size());
    }
    // Stores the text cut to the capacity; bytes beyond it are not touched.
    void assegna(std::string_view s) {
        const std::size_t n = std::min(s.size(), N);
        raw[0] = static_cast<std::uint8_t>(n);
        std::copy_n(s.begin(), n, raw.begin() + 1);
    }
    bool operator==(const StringaPascal&) const = default;
};

} // namespace tarvelo
