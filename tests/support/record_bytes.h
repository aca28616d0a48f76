// Helpers for record layout tests: values whose every byte is non-zero, and
// the byte range in which two encodings differ.
#pragma once

#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

namespace tarvelo::test {

inline const double DoubleMarker = std::bit_cast<double>(0x0102030405060708ull);
inline constexpr std::int32_t Int32Marker = 0x0A0B0C0D;
inline constexpr std::int16_t Int16Marker = 0x0E0F;
inline constexpr std::uint8_t ByteMarker = 0xAB;

// [first, last] of the bytes that differ; {-1, -1} when none do.
inline std::pair<long, long> differingRange(const std::vector<std::uint8_t>& a,
                                            const std::vector<std::uint8_t>& b) {
    long first = -1, last = -1;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] != b[i]) {
            if (first < 0)
                first = static_cast<long>(i);
            last = static_cast<long>(i);
        }
    }
    return {first, last};
}

inline std::vector<std::uint8_t> pseudoRandomBytes(std::size_t n, std::uint64_t seed) {
    std::vector<std::uint8_t> v(n);
    for (auto& b : v) {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        b = static_cast<std::uint8_t>(seed);
    }
    return v;
}

template <typename R> std::vector<std::uint8_t> encoded(const R& r) {
    std::vector<std::uint8_t> v(R::Size, 0);
    encode(r, v);
    return v;
}

} // namespace tarvelo::test
