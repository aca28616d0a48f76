#include "chart/initial_chart.h"

namespace tarvelo {

Esito assicuraChartIniziale(const TDriveMdl& settings, TextMeasurer& misura, bool& creato) {
    creato = false;
    const ArchivioDefault archivio = settings.archivio();
    TDefault d;
    if (Esito e = archivio.leggiDefault(d); !e.ok)
        return e;
    if (d.NumChart > 0)
        return {};
    const RisultatoGenerazione r =
        generaChart(parametriChartIniziale(), 0, true, archivio, misura, AreaVideo{});
    if (!r.esito.ok)
        return r.esito;
    if (Esito e = archivio.leggiDefault(d); !e.ok)
        return e;
    d.ChartDefault = static_cast<std::int16_t>(r.codice);
    if (Esito e = archivio.scriviDefault(d); !e.ok)
        return e;
    creato = true;
    return {};
}

} // namespace tarvelo
