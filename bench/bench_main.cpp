// The benchmarks run on an off-screen Qt application: chart generation
// measures text, replay draws with Qt, and the dialogs' own code paths run
// on their widgets.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
