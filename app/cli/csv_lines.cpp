#include "app/cli/csv_lines.h"

#include <algorithm>
#include <cstring>

namespace tarvelo::cli {

namespace {

constexpr std::size_t Blocco = 1 << 20;

void senzaCr(std::string_view& riga) {
    if (!riga.empty() && riga.back() == '\r')
        riga.remove_suffix(1);
}

} // namespace

RigheCsv::Esito RigheCsv::prossima(std::string_view& riga) {
    for (;;) {
        const char* inizio = buf_.data() + pos_;
        const std::size_t resto = buf_.size() - pos_;
        // A line may hold MaxRigaCsv bytes and a CR before its LF; no need
        // to look further.
        const std::size_t cerca = std::min(resto, MaxRigaCsv + 2);
        if (const auto* lf = static_cast<const char*>(std::memchr(inizio, '\n', cerca))) {
            ++numero_;
            riga = std::string_view(inizio, static_cast<std::size_t>(lf - inizio));
            pos_ += riga.size() + 1;
            senzaCr(riga);
            return riga.size() > MaxRigaCsv ? Esito::TroppoLunga : Esito::Riga;
        }
        if (cerca > MaxRigaCsv + 1) {
            ++numero_;
            return Esito::TroppoLunga;
        }
        if (fine_) {
            if (resto == 0)
                return Esito::Fine;
            ++numero_;
            riga = std::string_view(inizio, resto);
            pos_ = buf_.size();
            senzaCr(riga);
            return riga.size() > MaxRigaCsv ? Esito::TroppoLunga : Esito::Riga;
        }
        riempi();
    }
}

std::string RigheCsv::erroreTroppoLunga() const {
    return "riga " + std::to_string(numero_) + ": la riga è più lunga di " +
           std::to_string(MaxRigaCsv / 1024) + " KB";
}

void RigheCsv::riempi() {
    // What is left is shorter than a line may be, so the buffer never grows
    // beyond a chunk and a line.
    buf_.erase(0, pos_);
    pos_ = 0;
    const std::size_t prima = buf_.size();
    buf_.resize(prima + Blocco);
    in_.read(buf_.data() + prima, static_cast<std::streamsize>(Blocco));
    buf_.resize(prima + static_cast<std::size_t>(in_.gcount()));
    if (!in_)
        fine_ = true;
}

} // namespace tarvelo::cli
