// One list of fields per record serves both directions: the list is a
// function template over a Reader (decoding an image into the record) or a
// Writer (encoding the record into an image), so every offset is written
// down exactly once.
#pragma once

#include "document/le_bytes.h"
#include "document/pascal_string.h"

namespace tarvelo::bytes {

struct Reader {
    ConstImage b;
    void f64(std::size_t o, double& v) const { v = getDouble(b, o); }
    template <typename T> void num(std::size_t o, T& v) const { v = getInt<T>(b, o); }
    template <std::size_t N> void raw(std::size_t o, std::array<std::uint8_t, N>& a) const {
        getBytes(b, o, a);
    }
    template <std::size_t N> void str(std::size_t o, StringaPascal<N>& s) const {
        getBytes(b, o, s.raw);
    }
    template <typename R> void sub(std::size_t o, R& r) const { decode(b.subspan(o, R::Size), r); }
};

struct Writer {
    Image b;
    void f64(std::size_t o, double v) const { putDouble(b, o, v); }
    template <typename T> void num(std::size_t o, T v) const { putInt(b, o, v); }
    template <std::size_t N> void raw(std::size_t o, const std::array<std::uint8_t, N>& a) const {
        putBytes(b, o, a);
    }
    template <std::size_t N> void str(std::size_t o, const StringaPascal<N>& s) const {
        putBytes(b, o, s.raw);
    }
    template <typename R> void sub(std::size_t o, const R& r) const {
        encode(r, b.subspan(o, R::Size));
    }
};

} // namespace tarvelo::bytes
