// The lines of a CSV batch's input, read in chunks of bounded size. A line
// longer than `MaxRigaCsv` is refused rather than gathered, so that an input
// without line ends (a device, a binary file) costs neither memory nor time.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace tarvelo::cli {

// The longest line a batch reads, without its end (LF or CR LF).
inline constexpr std::size_t MaxRigaCsv = 64 * 1024;

class RigheCsv {
  public:
    enum class Esito { Riga, Fine, TroppoLunga };

    explicit RigheCsv(std::istream& in) : in_(in) {}

    // The next line without its end, valid until the next call. Blank lines
    // are returned too: `numero()` counts every line of the input from 1,
    // the one just read or refused included. After TroppoLunga the input is
    // not read further.
    Esito prossima(std::string_view& riga);
    long long numero() const { return numero_; }
    // The message for a line refused as too long, with its number.
    std::string erroreTroppoLunga() const;

  private:
    void riempi();

    std::istream& in_;
    std::string buf_;
    std::size_t pos_ = 0;
    long long numero_ = 0;
    bool fine_ = false;
};

} // namespace tarvelo::cli
