// "Calcola" in the treatment dialog, as the user presses it: the page read,
// the treatment and the sequence computed, the fields refreshed, the log
// rewritten and shown, the diagram repainted.
// Run: build/bin/tarvelo-bench --benchmark_filter=CalcolaTratto
#include "chart/chart_builder.h"
#include "chart/chart_replay.h"
#include "chart/diagram_view.h"
#include "chart/initial_chart.h"
#include "document/settings.h"
#include "engine/moist_air.h"
#include "treatments/forms/form_calc_ute.h"
#include "treatments/forms/form_vedi_file.h"
#include "treatments/treatment_defaults.h"
#include "ui/qt_chart_canvas.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <filesystem>

#include <unistd.h>

namespace {

using namespace tarvelo;

void BM_CalcolaTratto(benchmark::State& state) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("tarvelo-bench-dialog-" + std::to_string(::getpid()));
    std::vector<std::string> created;
    preparaCartellaDati(dir.string() + "/", created);
    TDriveMdl settings = TDriveMdl::crea(dir.string() + "/");
    ui::QtTextMeasurer misura;
    const RisultatoGenerazione r = generaChart(parametriChartIniziale(), 0, true,
                                               settings.archivio(), misura, AreaVideo{});
    QImage chart(1000, 700, QImage::Format_RGB32);
    chart.fill(Qt::white);
    {
        QPainter p(&chart);
        ui::QtChartCanvas canvas(p, 96.0 / 72.0);
        replayVideo(settings.DIR_ARCHIVI, r.codice, r.testata, canvas);
    }
    Patm = r.testata.pressure;
    TLavoro l;
    l.TestataChart = r.testata;
    const VistaDiagramma vista = VistaDiagramma::daTestata(r.testata);
    QImage schermo(1000, 700, QImage::Format_RGB32);
    TFormVediFile dettaglio;
    ServiziTrattamenti servizi;
    // The diagram's repaint: its bitmap, then the sequence over it.
    servizi.ridisegna = [&] {
        QPainter p(&schermo);
        p.drawImage(0, 0, chart);
        p.setRenderHint(QPainter::Antialiasing);
        ui::QtChartCanvas canvas(p, 96.0 / 72.0);
        DisegnaTrattamento(l, vista, canvas, 6, 3);
    };
    servizi.aggiornaFinestre = [&] { dettaglio.AggiornaDettaglio(l, settings.DIR_LAVORI); };
    // The coil's worked example: 26.75 °C, 50.76 % to 15.5 °C, S 32 kW, T 44 kW.
    TFormCalcUte dialogo(l, 0, true, servizi);
    dialogo.apri(TipoBatteriaFredda + 1);
    for (auto _ : state)
        dialogo.BtnCalcolaClick();
    if (l.Trattamenti[0].Errore != 0)
        state.SkipWithError("the worked example failed");
    std::filesystem::remove_all(dir);
}

BENCHMARK(BM_CalcolaTratto)->Unit(benchmark::kMicrosecond);

} // namespace
