// The calculations of the six plant configurations (A..F, TipoImpianto
// 0..5). Each reads the zone data of the work (the dialog writes its
// fields there first), lays out the points and treatments of its scheme,
// leaves its outcome in CodiceErrore and writes the trace DETTAGLI.TXT.
#pragma once

#include "document/file_io.h"
#include "document/work_records.h"
#include "plants/plant_trace.h"

#include <string>

namespace tarvelo {

// Codes of our own for what the classic calculations left unguarded.
inline constexpr int CodiceDivisioneZero = 420; // a divisor of the scheme is 0
inline constexpr int CodiceQrinnNullo = 421;    // Qrinn <= 0 in B and F
inline constexpr int CodiceRicercaLunga = 422;  // C's stepping search did not converge
inline constexpr int PassiMaxRicercaC = 10000;

// The fixed specific volume of the flow units and of Qv, m3/kg.
inline constexpr double VolumeSpecificoFisso = 0.816;
// kJ of latent load per gram of water.
inline constexpr double CaloreLatenteCx = 2.555;

// The construction lines drawn while a calculation runs; the diagram
// implements it, the core only calls it.
class DisegnoCostruzione {
  public:
    virtual ~DisegnoCostruzione() = default;
    virtual void linea(const TPunto& da, const TPunto& a) = 0;
    virtual void cerchio(const TPunto& p) = 0;
};

struct EsitoImpianto {
    int codice = 0;       // CodiceErrore
    bool fermato = false; // a stopping check ended the run
    Esito file;           // the trace could not be written
};

// Runs the configuration of l.TipoImpianto (nothing for 6 or above) and
// writes `cartella` + DETTAGLI.TXT; `cartella` empty writes no file.
EsitoImpianto CalcolaImpianto(TLavoro& l, const std::string& cartella,
                              DisegnoCostruzione* disegno = nullptr);

// The same without the file: the trace stays in `traccia`.
EsitoImpianto CalcolaImpianto(TLavoro& l, TracciaDettagli& traccia,
                              DisegnoCostruzione* disegno = nullptr);

// The letter of a configuration code ('A'..'F'), '?' otherwise.
char letteraImpianto(int tipo);

} // namespace tarvelo
