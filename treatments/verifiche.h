// Engineering checks of a calculated work: what a designer must be told
// even when every calculation succeeded (a coil that ices up, supply air
// that condenses in the ducts, a supply too far from the room to diffuse,
// a coil or humidifier that cannot exist, too few or too many air changes),
// and the water a coil drops or a humidifier takes, for information.
// A pure function of the work and the limits: the dialogs, the diagram, the
// sheet and every command line output show the same list.
#pragma once

#include "document/check_limits.h"
#include "document/work_records.h"

#include <string>
#include <vector>

namespace tarvelo {

enum class LivelloVerifica { Avviso, Informazione };

struct Verifica {
    int codice = 0; // 501.., stable for scripts
    LivelloVerifica livello = LivelloVerifica::Avviso;
    std::string messaggio; // Italian, UTF-8, with the values and what to do
    int punto = 0;         // 1-based point concerned, 0 none
    int trattamento = 0;   // 1-based treatment concerned, 0 none
};

// Codes of the checks.
enum CodiceVerifica {
    VerBrina = 501,
    VerQuasiBrina = 502,
    VerURImmissione = 503,
    VerDtRaffreddamento = 504,
    VerDtRiscaldamento = 505,
    VerCondensa = 506,
    VerAcquaUmidificatore = 507,
    VerEfficienzaSaturazione = 508,
    VerURUmidificatore = 509,
    VerAriaGelida = 510,
    VerFattoreContatto = 511,
    VerRicambiBassi = 512,
    VerRicambiAlti = 513,
};

// The checks of `l` as it stands. A plant work that ended with an error, and
// treatments whose calculation failed, are not checked: their values are not
// results.
std::vector<Verifica> verifiche(const TLavoro& l, const LimitiVerifiche& limiti);

// "avviso" or "informazione".
const char* nomeLivello(LivelloVerifica l);

// The supply flow at the supply point's real specific volume (m³/h) and the
// air changes it gives (1/h) for a calculated plant work; 0 when the work has
// no supply point or volume.
struct PortataReale {
    double QvReale = 0;
    double RicambiReali = 0;
    int puntoImmissione = 0; // 1-based, 0 none
};
PortataReale portataReale(const TLavoro& l);

} // namespace tarvelo
