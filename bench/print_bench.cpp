// The drawing sheet of the plant configuration A: composed into recorded
// pages with the fonts the back ends measure with (what "Anteprima" and
// every print do first), and drawn on a PDF page.
// Run: build/bin/tarvelo-bench --benchmark_filter=Foglio
#include "chart/chart_builder.h"
#include "chart/initial_chart.h"
#include "document/settings.h"
#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"
#include "print/report_recording.h"
#include "print/stampa_foglio.h"
#include "ui/qt_chart_canvas.h"
#include "ui/qt_report_device.h"

#include <benchmark/benchmark.h>

#include <filesystem>

#include <unistd.h>

namespace {

using namespace tarvelo;

struct FoglioA {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("tarvelo-bench-print-" + std::to_string(::getpid()));
    TDriveMdl settings;
    TLavoro l;
    TTestataLavoro h;
    FoglioA() {
        std::vector<std::string> created;
        preparaCartellaDati(dir.string() + "/", created);
        settings = TDriveMdl::crea(dir.string() + "/");
        ui::QtTextMeasurer misura;
        const RisultatoGenerazione r = generaChart(parametriChartIniziale(), 0, true,
                                                   settings.archivio(), misura, AreaVideo{});
        Patm = r.testata.pressure;
        preparaImpianto(0, l, TDefault{});
        l.TestataChart = r.testata;
        l.CodiceChart = static_cast<std::int16_t>(r.codice);
        CalcolaImpianto(l, dir.string() + "/");
        h.CalcoliValidi = 1;
        h.UmStampa = 1;
    }
    ~FoglioA() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    DatiStampa dati() const { return {l, h, settings.DIR_ARCHIVI, "A.TRV", false}; }
};

void BM_ComponiFoglio(benchmark::State& state) {
    FoglioA f;
    ui::QtMisuraReport misura;
    for (auto _ : state) {
        Registrazione r;
        if (!ComponiFoglio(f.dati(), misura, r).ok)
            state.SkipWithError("the sheet did not compose");
        benchmark::DoNotOptimize(r.pagine.size());
    }
}

void BM_FoglioPdf(benchmark::State& state) {
    FoglioA f;
    ui::QtMisuraReport misura;
    const std::string out = (f.dir / "foglio.pdf").string();
    for (auto _ : state) {
        Registrazione r;
        if (!ComponiFoglio(f.dati(), misura, r).ok || !ui::scriviPdf(r, out).ok)
            state.SkipWithError("the sheet was not written");
    }
}

} // namespace

BENCHMARK(BM_ComponiFoglio)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FoglioPdf)->Unit(benchmark::kMillisecond);
