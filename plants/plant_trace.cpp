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
    // A trace, not a document: a plain rewrite, no flush to disk, so that a
    // run stays cheap enough to repeat at every mouse move.
    const std::string percorso = nativePath(cartella + NomeDettagli);
    std::FILE* f = std::fopen(percorso.c_str(), "wb");
    if (!f)
        return Esito::fallito("Impossibile creare il file " + percorso);
    const bool scritto = std::fwrite(testo_.data(), 1, testo_.size(), f) == testo_.size();
    const bool chiuso = std::fclose(f) == 0;
    if (!scritto || !chiuso)
        return Esito::fallito("Errore di scrittura nel file " + percorso);
    return {};
}

} // namespace tarvelo
