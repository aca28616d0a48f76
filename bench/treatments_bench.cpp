// Treatment calculations. Run: build/bin/tarvelo-bench --benchmark_filter=Batteria|Ricalcola
#include "engine/moist_air.h"
#include "treatments/coil_solver.h"
#include "treatments/point_fill.h"
#include "treatments/treatment_calc.h"
#include "treatments/treatment_defaults.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarvelo;

// The coil's worked example in mode 0: outlet, flow, "ts" and contact factor.
void BM_CalcBatteria_Modo0(benchmark::State& state) {
    Patm = 101325;
    TPunto p1, p2, pts, aux;
    puntoDaTbsUR(p1, 26.75, 0.5076);
    for (auto _ : state) {
        Batteria b;
        b.x1 = p1.x;
        b.h1 = p1.h;
        b.tbs1 = p1.tbs;
        b.punto2 = &p2;
        b.puntoTs = &pts;
        b.aux1 = &aux;
        p2.tbs = 15.5;
        b.S = 32;
        b.T = 44;
        benchmark::DoNotOptimize(CalcBatteria(b));
    }
}

// A sequence of five treatments (mixing, coil with its extension line,
// heating, humidification) recalculated as a drag would.
void BM_RicalcolaTratti(benchmark::State& state) {
    Patm = 101325;
    TLavoro l;
    l.TestataChart.tbsMin = -5;
    const std::uint8_t tipi[5] = {TipoMiscela, TipoBatteriaFredda, TipoUnione, TipoRiscaldamento,
                                  TipoUmidificazione};
    const SlotPunti slot[5] = {{1, 2, 3}, {4, 5, 6}, {0, 0, 0}, {7, 8, 0}, {9, 10, 0}};
    l.NumTrattamenti = 5;
    l.NumPunti = 10;
    for (int k = 0; k < 5; ++k) {
        TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k)];
        t.Tipo = tipi[k];
        impostaDatiDefault(tipi[k], t.Dati, 0);
        t.Dati.PuntoPortata = -1;
    }
    for (int k = 0; k < 5; ++k) {
        if (tipi[k] != TipoUnione)
            BtnCalcolaClick(l, k + 1, slot[k]);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(RicalcolaTratti(l));
        riassumiTrattamenti(l);
    }
}

BENCHMARK(BM_CalcBatteria_Modo0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RicalcolaTratti)->Unit(benchmark::kMicrosecond);

} // namespace
