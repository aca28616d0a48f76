// One run of each plant configuration with its sample data, trace file
// included: the dialog repeats it at every mouse move while a point is
// dragged.
#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void calcola(benchmark::State& state, int tipo) {
    tarvelo::Patm = tarvelo::PatmStandard;
    tarvelo::TLavoro campione;
    campione.TestataChart.tbsMin = -5;
    tarvelo::preparaImpianto(tipo, campione, tarvelo::TDefault{});
    const std::string cartella = std::filesystem::temp_directory_path().string() + "/";
    for (auto _ : state) {
        tarvelo::TLavoro l = campione;
        const tarvelo::EsitoImpianto e = tarvelo::CalcolaImpianto(l, cartella);
        benchmark::DoNotOptimize(e.codice);
        if (e.codice != 0 || !e.file.ok)
            state.SkipWithError("the sample did not calculate");
    }
}

void BM_Calcola_A(benchmark::State& s) {
    calcola(s, 0);
}
void BM_Calcola_B(benchmark::State& s) {
    calcola(s, 1);
}
void BM_Calcola_C(benchmark::State& s) {
    calcola(s, 2);
}
void BM_Calcola_D(benchmark::State& s) {
    calcola(s, 3);
}
void BM_Calcola_E(benchmark::State& s) {
    calcola(s, 4);
}
void BM_Calcola_F(benchmark::State& s) {
    calcola(s, 5);
}

} // namespace

BENCHMARK(BM_Calcola_A)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_B)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_C)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_D)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_E)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_F)->Unit(benchmark::kMicrosecond);
