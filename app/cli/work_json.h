// A work as the command line's JSON, and a JSON read back into a work.
// Besides the named fields the JSON carries both records' whole images in
// base64 ("_byteTestata", "_byteLavoro"), so that the point and treatment
// slots beyond the counts, the reserved areas and the bytes beyond a text's
// length come back as they were: writing a work and reading it back gives
// the same bytes.
#pragma once

#include "document/check_limits.h"
#include "document/work_records.h"
#include "plants/suggerimenti.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::cli {

inline constexpr const char* ChiaveByteTestata = "_byteTestata";
inline constexpr const char* ChiaveByteLavoro = "_byteLavoro";
// A work's JSON is some 40 kB; anything beyond this is not one.
inline constexpr std::size_t MaxTestoJson = 4 << 20;

// With `limiti`, the results derived from the work follow its fields:
// "Verifiche" (the engineering checks) and, for a plant, "QvReale" (m³/h)
// and "RicambiReali" (1/h) at the supply's real specific volume. With
// `suggerimenti` (a failed plant run), "Suggerimenti": the changes that make
// it compute, each as {"Campo", "Valore", "Messaggio"}, possibly none.
// Reading a JSON back ignores them.
inline constexpr const char* ChiaviDerivate[] = {"Verifiche", "QvReale", "RicambiReali",
                                                 "Suggerimenti"};
std::string lavoroJson(const TTestataLavoro& testata, const TLavoro& lavoro,
                       const LimitiVerifiche* limiti = nullptr,
                       const std::vector<Suggerimento>* suggerimenti = nullptr);

// Reads a JSON object over the records given (a new work, usually): first
// the images, when present, then every named field over them. A missing key
// keeps what the records hold; a text equal to the stored one is left as it
// is, with the bytes beyond its length; null for a number keeps the value of
// the image (a number JSON cannot hold) and is refused without one. Returns
// the error, naming the key's path ("Punti[2].tbs: ..."), or an empty string
// when the work was read; on error the records are untouched.
std::string lavoroDaJson(std::string_view testo, TTestataLavoro& testata, TLavoro& lavoro);

} // namespace tarvelo::cli
