// One step of a handle dragged on the chart, through the plant dialog's own
// code path: the setter, the calculation with its trace DETTAGLI.TXT, the
// log RISULT.TXT and the detail view, the fields, the diagram's repaint on
// 1000 × 700. Run: build/bin/tarvelo-bench --benchmark_filter=Trascina
#include "chart/chart_builder.h"
#include "chart/chart_replay.h"
#include "chart/diagram_view.h"
#include "chart/initial_chart.h"
#include "document/settings.h"
#include "engine/moist_air.h"
#include "plants/forms/form_calc_auto1.h"
#include "treatments/forms/form_vedi_file.h"
#include "treatments/verifiche.h"
#include "ui/qt_chart_canvas.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <filesystem>

#include <unistd.h>

namespace {

using namespace tarvelo;

void BM_TrascinaPunto(benchmark::State& state, int tipo) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("tarvelo-bench-drag-" + std::to_string(::getpid()));
    std::vector<std::string> created;
    preparaCartellaDati(dir.string() + "/", created);
    TDriveMdl settings = TDriveMdl::crea(dir.string() + "/");
    ui::QtTextMeasurer misura;
    const RisultatoGenerazione r =
        generaChart(parametriChartIniziale(), 0, true, settings.archivio(), misura, AreaVideo{});
    QImage chart(1000, 700, QImage::Format_RGB32);
    chart.fill(Qt::white);
    {
        QPainter p(&chart);
        ui::QtChartCanvas canvas(p, 96.0 / 72.0);
        replayVideo(settings.DIR_ARCHIVI, r.codice, r.testata, canvas);
    }
    Patm = r.testata.pressure;
    TLavoro l;
    TTestataLavoro testata;
    TDefault defaults;
    l.TestataChart = r.testata;
    const VistaDiagramma vista = VistaDiagramma::daTestata(r.testata);
    QImage schermo(1000, 700, QImage::Format_RGB32);
    TFormVediFile dettaglio;
    ServiziImpianto servizi;
    TFormCalcAuto1* dialogo = nullptr;
    servizi.ridisegna = [&] {
        QPainter p(&schermo);
        p.drawImage(0, 0, chart);
        p.setRenderHint(QPainter::Antialiasing);
        ui::QtChartCanvas canvas(p, 96.0 / 72.0);
        DisegnaTrattamento(l, vista, canvas, 0, 3);
        // The window rings the points the checks warn about.
        std::vector<int> punti;
        for (const Verifica& v : verifiche(l, settings.verifiche))
            if (v.livello == LivelloVerifica::Avviso)
                punti.push_back(v.punto);
        DisegnaSegniVerifiche(l, vista, canvas, punti, 0, 3);
        if (dialogo)
            dialogo->costruzione().disegna(p, vista, 3);
    };
    servizi.aggiornaFinestre = [&] { dettaglio.AggiornaDettaglio(l, settings.DIR_LAVORI); };
    servizi.cartellaLog = [&settings] { return settings.DIR_LAVORI; };
    servizi.limiti = &settings.verifiche; // the list of checks at every step
    TFormCalcAuto1 d(l, testata, defaults, true, servizi);
    dialogo = &d;
    d.Prepara(false, tipo);
    const double tbs = l.tbsInt, ur = l.URInt;
    int passo = 0;
    for (auto _ : state) {
        // Back and forth over a tenth of a degree, as a slow drag goes.
        ++passo;
        d.AggiornaInterne(ur, tbs + 0.01 * (passo % 10));
    }
    if (l.CodiceErrore != 0)
        state.SkipWithError("the sample failed while dragged");
    std::filesystem::remove_all(dir);
}

BENCHMARK_CAPTURE(BM_TrascinaPunto, _A, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TrascinaPunto, _B, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TrascinaPunto, _C, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TrascinaPunto, _D, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TrascinaPunto, _E, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TrascinaPunto, _F, 5)->Unit(benchmark::kMicrosecond);

} // namespace
