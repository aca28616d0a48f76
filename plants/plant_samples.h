// The sample jobs a plant configuration opens with.
#pragma once

#include "document/defaults_archive.h"
#include "document/work_records.h"

namespace tarvelo {

// Writes the sample of configuration `codice` (0..5 for A..F) into the
// description and the zone-data area of the work; codes above 5 load
// nothing. The flow units come from the saved defaults.
void CaricaEsempioImpianto(int codice, TLavoro& l, const TDefault& def);

} // namespace tarvelo

namespace tarvelo {

// A configuration opened as new: its sample, TipoImpianto, and for D and E
// the supply flow as the typed row (flgQimm = 1), since they use the flow;
// points and treatment records start empty.
void preparaImpianto(int tipo, TLavoro& l, const TDefault& def);

} // namespace tarvelo
