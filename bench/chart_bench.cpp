// Chart generation and replay. Run: build/bin/tarvelo-bench --benchmark_filter=Chart|Replay
#include "chart/chart_builder.h"
#include "chart/chart_replay.h"
#include "chart/diagram_view.h"
#include "document/settings.h"
#include "ui/qt_chart_canvas.h"

#include <QFile>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include <unistd.h>

namespace {

using namespace tarvelo;

struct Folder {
    Folder() {
        path = std::filesystem::temp_directory_path() /
               ("tarvelo-bench-" + std::to_string(::getpid()));
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

// A resized diagram: the screen version rebuilt in memory for a new paint
// area and replayed into its image, as the window does when a resize settles.
void BM_AdattaVideo(benchmark::State& state) {
    Folder folder;
    ui::QtTextMeasurer misura;
    const RisultatoGenerazione r = generaChart(parametriChartIniziale(), 0, true,
                                               folder.settings.archivio(), misura, AreaVideo{});
    int passo = 0;
    for (auto _ : state) {
        const AreaVideo area{1200 + (passo++ % 2) * 100, 900};
        const VideoInMemoria v = costruisciVideo(r.testata, misura, area);
        if (!v.esito.ok)
            state.SkipWithError(v.esito.errore.c_str());
        QImage image(area.width + 15, area.height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        ui::QtChartCanvas canvas(painter, 96.0 / 72.0);
        replayVideo(v.versione, v.testata, canvas);
    }
}

BENCHMARK(BM_GeneraChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdattaVideo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplayVideo)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// One read-out update: the state under the mouse, its eleven texts and the
// trace file of the last position.
void BM_AggiornaCalcolo(benchmark::State& state) {
    Folder folder;
    ui::QtTextMeasurer misura;
    const RisultatoGenerazione r = generaChart(parametriChartIniziale(), 0, true,
                                               folder.settings.archivio(), misura, AreaVideo{});
    const VistaDiagramma v = VistaDiagramma::daTestata(r.testata);
    // As the window does it: the file kept open and rewritten in place.
    QFile trace(QString::fromStdString((folder.path / "TestGrave.txt").string()));
    trace.open(QIODevice::ReadWrite);
    int i = 0;
    for (auto _ : state) {
        const int X = v.X(10.0 + (i % 20)), Y = v.Y(0.004 + 0.0005 * (i % 10));
        const LetturaStato s = leggiStato(v, X, Y);
        benchmark::DoNotOptimize(s.testi());
        const QByteArray text = QByteArray::fromStdString(testoTestGrave(X, Y));
        trace.seek(0);
        trace.write(text);
        trace.resize(text.size());
        trace.flush();
        ++i;
    }
}

// A repaint of the diagram: the chart bitmap copied, then 11 treatments and
// 20 points drawn over it, on a 1000 × 700 image.
void BM_RepaintDiagramma(benchmark::State& state) {
    Folder folder;
    ui::QtTextMeasurer misura;
    const RisultatoGenerazione r = generaChart(parametriChartIniziale(), 0, true,
                                               folder.settings.archivio(), misura, AreaVideo{});
    QImage chart(1000, 700, QImage::Format_RGB32);
    chart.fill(Qt::white);
    {
        QPainter p(&chart);
        ui::QtChartCanvas canvas(p, 96.0 / 72.0);
        replayVideo(folder.settings.DIR_ARCHIVI, r.codice, r.testata, canvas);
    }
    TLavoro l;
    l.NumPunti = 20;
    for (int i = 0; i < 20; ++i) {
        TPunto& p = l.Punti[static_cast<std::size_t>(i)];
        p.InUso = 1;
        p.Marcato = static_cast<std::uint8_t>(i % 2);
        p.tbs = 5 + i * 1.2;
        p.x = 0.003 + 0.0004 * i;
        p.Nome.assegna(std::string(1, static_cast<char>('A' + i)));
        p.EtichDyVideo = -25;
    }
    l.NumTrattamenti = 11;
    for (int k = 0; k < 11; ++k) {
        TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k)];
        t.Punto1 = k + 1;
        t.Punto2 = k + 2;
        t.Colore = 0xFF0000;
        t.Spessore = 3;
        t.Visibile = 1;
    }
    const VistaDiagramma v = VistaDiagramma::daTestata(r.testata);
    QImage screen(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&screen);
        p.drawImage(0, 0, chart);
        p.setRenderHint(QPainter::Antialiasing);
        ui::QtChartCanvas canvas(p, 96.0 / 72.0);
        benchmark::DoNotOptimize(DisegnaTrattamento(l, v, canvas, 6, 3));
    }
}

BENCHMARK(BM_AggiornaCalcolo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintDiagramma)->Unit(benchmark::kMillisecond);

} // namespace
