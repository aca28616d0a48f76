#include "app/cli/base64.h"

#include <array>

namespace tarvelo::cli {

namespace {

constexpr char Alfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> valori() {
    std::array<int, 256> v{};
    v.fill(-1);
    for (int i = 0; i < 64; ++i)
        v[static_cast<unsigned char>(Alfabeto[i])] = i;
    return v;
}
constexpr std::array<int, 256> Valore = valori();

} // namespace

std::string base64(std::span<const std::uint8_t> b) {
    std::string t;
    t.reserve((b.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= b.size(); i += 3) {
        const std::uint32_t n = (b[i] << 16) | (b[i + 1] << 8) | b[i + 2];
        t += Alfabeto[n >> 18];
        t += Alfabeto[(n >> 12) & 63];
        t += Alfabeto[(n >> 6) & 63];
        t += Alfabeto[n & 63];
    }
    if (const std::size_t resto = b.size() - i; resto > 0) {
        const std::uint32_t n = (b[i] << 16) | (resto == 2 ? b[i + 1] << 8 : 0);
        t += Alfabeto[n >> 18];
        t += Alfabeto[(n >> 12) & 63];
        t += resto == 2 ? Alfabeto[(n >> 6) & 63] : '=';
        t += '=';
    }
    return t;
}

std::optional<std::vector<std::uint8_t>> daBase64(std::string_view t) {
    if (t.size() % 4 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> b;
    b.reserve(t.size() / 4 * 3);
    for (std::size_t i = 0; i < t.size(); i += 4) {
        const bool ultimo = i + 4 == t.size();
        const int pad = ultimo ? (t[i + 3] == '=') + (t[i + 2] == '=') : 0;
        if (pad == 1 && t[i + 2] == '=')
            return std::nullopt; // "x=y=" and the like
        std::uint32_t n = 0;
        for (int k = 0; k < 4; ++k) {
            const int v = k >= 4 - pad ? 0 : Valore[static_cast<unsigned char>(t[i + k])];
            if (v < 0)
                return std::nullopt;
            n = (n << 6) | static_cast<std::uint32_t>(v);
        }
        b.push_back(static_cast<std::uint8_t>(n >> 16));
        if (pad < 2)
            b.push_back(static_cast<std::uint8_t>(n >> 8));
        if (pad < 1)
            b.push_back(static_cast<std::uint8_t>(n));
    }
    return b;
}

} // namespace tarvelo::cli
