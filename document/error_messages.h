// The messages of the calculations. A failed check leaves only its code
// (CodiceErrore of the work, Errore of a treatment); its message is built
// here, once per code, and names the quantities the check compared with
// their values as the work holds them, and what to change where that is
// clear. Numbers are written with the decimal comma.
#pragma once

#include "document/work_records.h"

#include <string>

namespace tarvelo {

// The message of a code that names no value (UTF-8); empty for a code not
// in the table and for the codes whose message carries values (those are
// built by the functions below).
std::string MessaggioErrore(int codice);

// A number as the messages show it: fixed decimals, decimal comma.
std::string numero(double v, int decimali);

// The message of a plant work's outcome, CodiceErrore, with the values the
// failed check compared, read from the work's zone data, points and
// treatments as the run left them. Empty for 0.
std::string MessaggioErrore(const TLavoro& l);

// The message of a treatment's code (the code to show, not Errore with its
// added 3000s), with the values of its input block and of its points as
// computed: p1, p2 the inlet and outlet, p3 the mixture or "ts" (may be
// null).
std::string MessaggioTrattamento(int codice, const TTrattamento& t, const TPunto& p1,
                                 const TPunto& p2, const TPunto* p3);

// Why a new treatment cannot be added (roomForTreatment false).
std::string MessaggioTroppiPunti(const TLavoro& l);

} // namespace tarvelo
