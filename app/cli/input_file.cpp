#include "app/cli/input_file.h"

#include "document/file_io.h"

#include <filesystem>
#include <system_error>

namespace tarvelo::cli {

std::string fileNonLeggibile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status stato = fs::status(nativePath(path), ec);
    if (fs::is_regular_file(stato))
        return {};
    if (!fs::exists(stato))
        return "il file " + testoVisibile(path) + " non esiste";
    if (fs::is_directory(stato))
        return testoVisibile(path) + " è una cartella, non un file";
    return testoVisibile(path) + " non è un file ordinario (è una pipe o un dispositivo)";
}

namespace {

// The length of the UTF-8 sequence at `s[i]`, 0 when it is not one.
std::size_t sequenzaUtf8(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n;
    unsigned char minSecondo = 0x80, maxSecondo = 0xBF;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            minSecondo = 0xA0;
        if (c == 0xED)
            maxSecondo = 0x9F; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            minSecondo = 0x90;
        if (c == 0xF4)
            maxSecondo = 0x8F;
    } else
        return 0;
    if (i + n > s.size() || b(i + 1) < minSecondo || b(i + 1) > maxSecondo)
        return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (b(i + k) < 0x80 || b(i + k) > 0xBF)
            return 0;
    return n;
}

} // namespace

std::string testoVisibile(std::string_view testo) {
    static constexpr char Cifre[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < testo.size();) {
        const auto c = static_cast<unsigned char>(testo[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += testo[i++];
        } else if (const std::size_t n = c >= 0x80 ? sequenzaUtf8(testo, i) : 0; n > 0) {
            // C1 controls are controls too.
            if (c == 0xC2 && static_cast<unsigned char>(testo[i + 1]) < 0xA0) {
                out += "\\xc2\\x";
                out += Cifre[static_cast<unsigned char>(testo[i + 1]) >> 4];
                out += Cifre[static_cast<unsigned char>(testo[i + 1]) & 0xF];
            } else {
                out.append(testo.substr(i, n));
            }
            i += n;
        } else {
            out += "\\x";
            out += Cifre[c >> 4];
            out += Cifre[c & 0xF];
            ++i;
        }
    }
    return out;
}

} // namespace tarvelo::cli
