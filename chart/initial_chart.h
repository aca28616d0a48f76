// A data folder without charts gets one: chart 1 with the defaults of the
// generation dialog, made the default chart.
#pragma once

#include "chart/chart_builder.h"
#include "document/settings.h"

namespace tarvelo {

// Generates chart 1 when the catalogue holds no chart; `creato` says whether
// it did.
Esito assicuraChartIniziale(const TDriveMdl& settings, TextMeasurer& misura, bool& creato);

} // namespace tarvelo
