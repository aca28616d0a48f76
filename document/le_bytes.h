// Little-endian fields at fixed offsets of a byte image. Records are read
// and written field by field through these, never by copying structs.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvelo::bytes {

using Image = std::span<std::uint8_t>;
using ConstImage = std::span<const std::uint8_t>;

template <typename T> T getInt(ConstImage b, std::size_t off) {
    using U = std::make_unsigned_t<T>;
    U v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        v = static_cast<U>(v | (static_cast<U>(b[off + i]) << (8 * i)));
    return static_cast<T>(v);
}

template <typename T> void putInt(Image b, std::size_t off, T value) {
    using U = std::make_unsigned_t<T>;
    const auto v = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        b[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Doubles travel as their exact bit pattern (NaN payloads included).
inline double getDouble(ConstImage b, std::size_t off) {
    return std::bit_cast<double>(getInt<std::uint64_t>(b, off));
}
inline void putDouble(Image b, std::size_t off, double v) {
    putInt<std::uint64_t>(b, off, std::bit_cast<std::uint64_t>(v));
}

template <std::size_t N>
void getBytes(ConstImage b, std::size_t off, std::array<std::uint8_t, N>& a) {
    std::copy_n(b.begin() + static_cast<std::ptrdiff_t>(off), N, a.begin());
}
template <std::size_t N>
void putBytes(Image b, std::size_t off, const std::array<std::uint8_t, N>& a) {
    std::copy_n(a.begin(), N, b.begin() + static_cast<std::ptrdiff_t>(off));
}

} // namespace tarvelo::bytes
