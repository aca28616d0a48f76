// The drawing sheet: the chart of the work with its treatments, the boxes
// and tables of the results, the frame with its title block and footer, all
// on one page. One routine composes it for the printer, the PDF, the
// picture and the preview's page file.
#pragma once

#include "chart/chart_canvas.h"
#include "chart/label_placement.h"
#include "document/check_limits.h"
#include "document/file_io.h"
#include "document/work_records.h"
#include "print/base_report.h"

#include <functional>
#include <string>

namespace tarvelo {

// The points box's title (ours: the original text is not known).
inline constexpr const char* TitoloRiquadroPunti = "CONDIZIONI DEI PUNTI";

struct DatiStampa {
    const TLavoro& lavoro;
    const TTestataLavoro& testata;
    std::string dirArchivi; // where CHART.<code> lies
    std::string nomeFile;   // the work's file name; empty for a work never saved
    bool monocromatico = true;
    // With limits, a "VERIFICHE" box lists the warnings of the engineering
    // checks when there is any (the print dialog's choice, on by default).
    const LimitiVerifiche* verifiche = nullptr;
};

// What the print dialog shows while the sheet is composed.
struct AvanzamentoStampa {
    std::function<void(const std::string&)> sezione; // the step being composed
    ChartCanvas* miniatura = nullptr;                // the chart in small
    int larghezzaMiniatura = 0, altezzaMiniatura = 0;
};

// Where the chart lies on the page, from the page and the chart's print
// section: centred across, its bottom line 150 units above the section's
// bottom. Fails when the chart does not fit the printable area.
struct GeometriaFoglio {
    int L = 0, R = 0, T = 0, B = 0;
    int offsetX = 0, offsetY = 0;
};
Esito Inizializza(TBaseReport& r, const TTestataChart& chart, GeometriaFoglio& g);

// The whole sheet ("Diagramma", "Grafico Trattamenti", "Riquadro ASHRAE",
// "Riquadro PUNTI", "Dati ZONA", "Tabella trattamenti", "Layout"). A chart
// file that is missing or damaged stops it with the reason, before
// anything of the chart is drawn.
Esito ReportPrinter1Print(TBaseReport& r, const DatiStampa& dati,
                          const AvanzamentoStampa& avanzamento = {});

// The sheet composed onto recorded pages, measured by `misura` (whose page
// it takes): what a back end then draws or the preview keeps.
struct Registrazione;
Esito ComponiFoglio(const DatiStampa& dati, ReportDevice& misura, Registrazione& out,
                    const AvanzamentoStampa& avanzamento = {});

// Sections of the sheet, each drawn on its own (tests and the composition).
// The treatments and points are cut off at the chart's field, and the
// points' names keep clear of the chart's labels (`etichetteChart`, as the
// chart's replay gave them), of the points and of each other.
void GraficoTrattamenti(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g,
                        const std::vector<Riquadro>& etichetteChart = {});
void RiquadroASHRAE(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g);
void RiquadroPunti(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g);
void DatiZona(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g);
void TabellaTrattamenti(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g);
void Layout(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g);
// The warnings of the engineering checks, framed, from `daY` down to the
// boxes over the chart; those that do not fit are counted in a last line.
// Nothing without limits or without warnings.
void RiquadroVerifiche(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g, int daY);

} // namespace tarvelo
