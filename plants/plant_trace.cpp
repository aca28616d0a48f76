#include "plants/plant_trace.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarvelo {

std::string numeroFisso(double valore, int decimali) {
    if (!std::isfinite(valore))
        return std::isnan(valore) ? "NAN" : (valore < 0 ? "-INF" : "INF");
    // A negative keeps its sign even when it rounds to zero; a zero of
    // either sign is written without one.
    if (valore == 0.0)
        valore = 0.0;
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, valore, std::chars_format::fixed, decimali);
    return std::string(buf, r.ptr);
}

void TracciaDettagli::riga(const char* etichetta, double valore, int decimali) {
    testo_ += etichetta;
    testo_ += numeroFisso(valore, decimali);
    testo_ += "\r\n";
}

void TracciaDettagli::rigaIntero(const char* etichetta, long long valore) {
    testo_ += etichetta;
    testo_ += std::to_string(valore);
    testo_ += "\r\n";
}

void TracciaDettagli::testo(const char* riga) {
    testo_ += riga;
    testo_ += "\r\n";
}

Esito TracciaDettagli::scrivi(const std::string& cartella) const {
    // Replaced whole, so that a full disk leaves the previous trace, not an
    // empty one. No flush to disk: a trace, not a document, rewritten at
    // every mouse move while a handle is dragged.
    const std::string percorso = nativePath(cartella + NomeDettagli);
    if (Esito e = replaceFile(percorso, std::vector<std::uint8_t>(testo_.begin(), testo_.end()),
                              Scrittura::Rapporto);
        !e.ok)
        return e;
    return {};
}

} // namespace tarvelo
