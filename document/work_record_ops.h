// Small operations on the work record that several windows share.
#pragma once

#include "document/work_records.h"

#include <string>

namespace tarvelo {

inline constexpr int EtichSopra = -1; // "etich. sopra"
inline constexpr int EtichSotto = -2; // "etich. sotto"
inline constexpr std::uint8_t NessunaManiglia = 6;

// The drag handle (`Maniglia`) of the first point in use, in index order,
// within 3 pixels of (x, y) on both axes; 6 when none is that close.
std::uint8_t hitTestHandle(const TLavoro& l, int x, int y);

// Places a point's label above (-1) or below (-2); other codes leave the
// offsets as they are.
void setLabelPosition(TPunto& p, int code);

// A new treatment needs up to three more points and two more treatments
// (with its extension line). False: MessaggioTroppiPunti says why.
bool roomForTreatment(const TLavoro& l);

} // namespace tarvelo

namespace tarvelo {

// True when every input a calculation reads is a finite number: the zone
// data, the input blocks of the treatments and the points in use. A file
// made by hand can hold NaN or infinities, which no check would catch.
bool valoriFiniti(const TLavoro& l);

// The same values, also refused beyond 1e9 in size (no real work holds
// such a number, and drawing it would run off any chart): the first one
// that fails, as "punto 2, tbs = 1e+300", or empty when all are sound.
// Counts, treatment kinds (0..6) and point numbers (0..20, -1 for "none"
// in links and imposed flows) beyond the records are refused the same way
// ("tratto 2, Punto1 = 21").
std::string valoreNonValido(const TLavoro& l);

// The same check on one point (named "punto `numero`") or one treatment's
// input block ("tratto `tratto`"), for what a calculation has just written.
std::string valoreNonValido(const TPunto& p, int numero);
std::string valoreNonValido(const TDatiTrattamento& d, int tratto);

// A point a calculation reserved but did not compute: the coil surface
// point placed at the chart's left edge (no name) where the process line
// meets no saturation, or one holding no state of moist air (x below zero,
// no specific volume). Its values are not air states: outputs show none.
bool statoNonCalcolato(const TLavoro& l, const TPunto& p);

} // namespace tarvelo
