#include "chart/initial_chart.h"

namespace tarvelo {

Esito assicuraChartIniziale(const TDriveMdl& settings, TextMeasurer& misura, bool& creato) {
    creato = false;
    const ArchivioDefault archivio = settings.archivio();
    // Two programs started at once on a new folder make one first chart.
    const BloccoEsclusivo blocco(archivio.pathBlocco());
    TDefault d;
    if (Esito e = archivio.leggiDefault(d); !e.ok)
        return e;
    if (d.NumChart > 0)
        return {};
    TDefault conteggio = d;
    const RisultatoGenerazione r = generaChartSottoBlocco(parametriChartIniziale(), 0, true,
                                                          archivio, conteggio, misura, AreaVideo{});
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
