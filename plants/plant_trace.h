// The calculation trace DETTAGLI.TXT: one "label" + number per line, fixed
// decimals, a point as decimal separator. The lines are kept in memory
// during the run and the file is rewritten whole at its end.
#pragma once

#include "document/file_io.h"

#include <string>

namespace tarvelo {

inline constexpr const char* NomeDettagli = "DETTAGLI.TXT";

class TracciaDettagli {
  public:
    void riga(const char* etichetta, double valore, int decimali = 2);
    void rigaIntero(const char* etichetta, long long valore);
    // A line without a number.
    void testo(const char* riga);
    // "Errore:" followed at once by the code.
    void errore(int codice) { rigaIntero("Errore:", codice); }

    const std::string& contenuto() const { return testo_; }
    void svuota() { testo_.clear(); }

    // Rewrites `cartella` + DETTAGLI.TXT with the lines so far.
    Esito scrivi(const std::string& cartella) const;

  private:
    std::string testo_;
};

// A real in fixed point with `decimali` decimals, "C" conventions.
std::string numeroFisso(double valore, int decimali);

} // namespace tarvelo
