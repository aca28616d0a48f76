// All the engineering checks of a calculated plant: the dialogs run them at
// every calculation, a drag step included.
#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"
#include "treatments/verifiche.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Verifiche(benchmark::State& state) {
    tarvelo::Patm = tarvelo::PatmStandard;
    tarvelo::TLavoro l;
    l.TestataChart.tbsMin = -5;
    const int tipo = static_cast<int>(state.range(0));
    tarvelo::preparaImpianto(tipo, l, tarvelo::TDefault{});
    tarvelo::TracciaDettagli traccia;
    if (tarvelo::CalcolaImpianto(l, traccia).codice != 0)
        state.SkipWithError("the sample did not calculate");
    const tarvelo::LimitiVerifiche limiti;
    for (auto _ : state) {
        const std::vector<tarvelo::Verifica> v = tarvelo::verifiche(l, limiti);
        benchmark::DoNotOptimize(v.data());
    }
}

} // namespace

BENCHMARK(BM_Verifiche)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
