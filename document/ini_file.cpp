#include "document/ini_file.h"

#include "document/file_io.h"

#include <ini.h>

#include <cctype>
#include <charconv>
#include <limits>

namespace tarvelo {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string keyOf(const std::string& section, const std::string& key) {
    return lower(section) + '\n' + lower(key);
}

int onValue(void* user, const char* section, const char* name, const char* value) {
    auto& values = *static_cast<std::map<std::string, std::string>*>(user);
    // The first occurrence wins, as with the profile functions.
    values.emplace(keyOf(section, name), value);
    return 1;
}

} // namespace

bool IniFile::load(const std::string& path) {
    values_.clear();
    avvisi_.clear();
    std::vector<std::uint8_t> bytes;
    if (!fileExists(path) || !readAll(path, bytes).ok)
        return false;
    // The parser reads lines into a buffer of INI_MAX_LINE bytes and cuts
    // longer ones: those are left out and named instead.
    std::string text;
    std::size_t start = 0, lineNo = 1;
    const std::string all(bytes.begin(), bytes.end());
    while (start <= all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string::npos)
            end = all.size();
        const std::string line = all.substr(start, end - start);
        if (line.size() + 2 > INI_MAX_LINE)
            avvisi_.push_back(path + ", riga " + std::to_string(lineNo) +
                              ": troppo lunga, ignorata");
        else
            text += line + "\n";
        start = end + 1;
        ++lineNo;
    }
    // Lines inih cannot parse are skipped; what it could read is kept.
    ini_parse_string(text.c_str(), onValue, &values_);
    return true;
}

const std::string* IniFile::find(const std::string& sezione, const std::string& chiave) const {
    const auto it = values_.find(keyOf(sezione, chiave));
    return it == values_.end() ? nullptr : &it->second;
}

std::string IniFile::leggiStringa(const std::string& sezione, const std::string& chiave,
                                  const std::string& predefinito) const {
    const std::string* v = find(sezione, chiave);
    return v ? *v : predefinito;
}

long IniFile::leggiIntero(const std::string& sezione, const std::string& chiave,
                          long predefinito) const {
    const std::string* v = find(sezione, chiave);
    if (!v || v->empty())
        return predefinito;
    std::string_view s = *v;
    bool negative = false;
    if (s.front() == '-' || s.front() == '+') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    // The magnitude is read unsigned (a second sign is not a digit), so that
    // the smallest long is taken and nothing overflows.
    unsigned long n = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), n, base);
    if (s.empty() || res.ec != std::errc() || res.ptr != s.data() + s.size())
        return predefinito;
    constexpr unsigned long massimo = std::numeric_limits<long>::max();
    if (n > massimo + (negative ? 1UL : 0UL))
        return predefinito;
    if (!negative)
        return static_cast<long>(n);
    return n == massimo + 1UL ? std::numeric_limits<long>::min() : -static_cast<long>(n);
}

bool IniFile::leggiBool(const std::string& sezione, const std::string& chiave,
                        bool predefinito) const {
    return leggiIntero(sezione, chiave, predefinito ? 1 : 0) != 0;
}

} // namespace tarvelo
