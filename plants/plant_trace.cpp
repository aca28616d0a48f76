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
    // Written beside and renamed into place, so that a full disk leaves the
    // previous trace, not an empty one. No flush to disk: a trace, not a
    // document, rewritten at every mouse move while a handle is dragged.
    const std::string percorso = nativePath(cartella + NomeDettagli);
    const std::string temporaneo = nativePath(cartella + "." + NomeDettagli + ".tmp~");
    std::FILE* f = std::fopen(temporaneo.c_str(), "wb");
    if (!f)
        return Esito::fallito("Impossibile creare il file " + percorso);
    const bool scritto = std::fwrite(testo_.data(), 1, testo_.size(), f) == testo_.size();
    const bool chiuso = std::fclose(f) == 0;
    if (!scritto || !chiuso || std::rename(temporaneo.c_str(), percorso.c_str()) != 0) {
        std::remove(temporaneo.c_str());
        return Esito::fallito("Errore di scrittura nel file " + percorso);
    }
    return {};
}

} // namespace tarvelo
