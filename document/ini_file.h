// Read-only access to an INI file in the manner of the Windows profile
// functions: sections and keys compare without regard to case, a missing
// key gives the caller's default. Parsing is done by inih.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tarvelo {

class IniFile {
  public:
    // False when the file does not exist or cannot be read (every key then
    // gives its default).
    bool load(const std::string& path);

    // Lines the parser cannot take whole (over 199 characters) are left out,
    // so that their keys keep their defaults instead of a cut value; each is
    // named here.
    const std::vector<std::string>& avvisi() const { return avvisi_; }

    std::string leggiStringa(const std::string& sezione, const std::string& chiave,
                             const std::string& predefinito) const;
    // Integers as the profile functions read them (decimal, or hexadecimal
    // with "$" or "0x"); anything else gives the default.
    long leggiIntero(const std::string& sezione, const std::string& chiave, long predefinito) const;
    // A boolean is an integer: 0 false, anything else true.
    bool leggiBool(const std::string& sezione, const std::string& chiave, bool predefinito) const;

  private:
    const std::string* find(const std::string& sezione, const std::string& chiave) const;
    std::map<std::string, std::string> values_; // "section\nkey" in lower case
    std::vector<std::string> avvisi_;
};

} // namespace tarvelo
