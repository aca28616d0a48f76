// Chart generation and replay. Run: build/bin/tarvelo-bench --benchmark_filter=Chart|Replay
#include "chart/chart_builder.h"
#include "chart/chart_replay.h"
#include "document/settings.h"
#include "ui/qt_chart_canvas.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <filesystem>

#include <unistd.h>

namespace {

using namespace tarvelo;

struct Folder {
    Folder() {
        path = std::filesystem::temp_directory_path() / ("tarvelo-bench-" + std::to_string(::getpid()));
        std::vector<std::string> created;
        preparaCartellaDati(path.string() + "/", created);
        settings = TDriveMdl::crea(path.string() + "/");
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
    TDriveMdl settings;
};

// Both versions of the default chart, files written, with Qt's text
// measurement.
void BM_GeneraChart(benchmark::State& state) {
    Folder folder;
    ui::QtTextMeasurer misura;
    const ArchivioDefault archivio = folder.settings.archivio();
    generaChart(parametriChartIniziale(), 0, true, archivio, misura, AreaVideo{});
    for (auto _ : state) {
        const RisultatoGenerazione r =
            generaChart(parametriChartIniziale(), 1, false, archivio, misura, AreaVideo{});
        if (!r.esito.ok)
            state.SkipWithError(r.esito.errore.c_str());
    }
}

// The screen version replayed onto a 1000 × 700 image.
void BM_ReplayVideo(benchmark::State& state) {
    Folder folder;
    ui::QtTextMeasurer misura;
    const ArchivioDefault archivio = folder.settings.archivio();
    const RisultatoGenerazione r =
        generaChart(parametriChartIniziale(), 0, true, archivio, misura, AreaVideo{});
    QImage image(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        ui::QtChartCanvas canvas(painter, 96.0 / 72.0);
        replayVideo(folder.settings.DIR_ARCHIVI, r.codice, r.testata, canvas);
    }
}

BENCHMARK(BM_GeneraChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplayVideo)->Unit(benchmark::kMillisecond);

} // namespace
