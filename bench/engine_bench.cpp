// Engine throughput over a spread of states: -10…45 °C, 5…100 % UR, at
// standard pressure. Run: build/bin/tarvelo-bench
#include "engine/moist_air.h"
#include "engine/state_solver.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace tarvelo;

struct Sample {
    double t, ur, x, h, tbu;
};

const std::vector<Sample>& samples() {
    static const std::vector<Sample> s = [] {
        std::vector<Sample> v;
        Patm = 101325.0;
        for (int i = 0; i <= 55; ++i) {
            for (int j = 0; j < 20; ++j) {
                Sample p{};
                p.t = -10.0 + i;
                p.ur = 0.05 + 0.05 * j;
                double tdp, rd, rm;
                StatoTbsUR(p.t, p.ur, p.x, p.h, p.tbu, tdp, rd, rm);
                v.push_back(p);
            }
        }
        return v;
    }();
    return s;
}

template <typename F> void overSamples(benchmark::State& state, F&& f) {
    const auto& s = samples();
    std::size_t i = 0;
    for (auto _ : state) {
        f(s[i]);
        if (++i == s.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_PressSat(benchmark::State& state) {
    overSamples(state, [](const Sample& p) { benchmark::DoNotOptimize(PressSat(p.t)); });
}

void BM_StatoTbsUR(benchmark::State& state) {
    overSamples(state, [](const Sample& p) {
        double x, h, tbu, tdp, rd, rm;
        StatoTbsUR(p.t, p.ur, x, h, tbu, tdp, rd, rm);
        benchmark::DoNotOptimize(tbu + tdp + rm);
    });
}

// The same states through the batch entry point, which keeps several
// solves in flight.
void BM_StatiTbsUR(benchmark::State& state) {
    const auto& s = samples();
    std::vector<double> t, ur;
    for (const Sample& p : s) {
        t.push_back(p.t);
        ur.push_back(p.ur);
    }
    std::vector<StatoCompleto> out(s.size());
    for (auto _ : state) {
        StatiTbsUR(s.size(), t.data(), ur.data(), out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(s.size()));
}

void BM_StatoTbsTbu(benchmark::State& state) {
    overSamples(state, [](const Sample& p) {
        double x, ur, h, tdp, rd, rm;
        StatoTbsTbu(p.t, p.tbu, x, ur, h, tdp, rd, rm);
        benchmark::DoNotOptimize(ur + tdp + rm);
    });
}

void BM_StatoTbsH(benchmark::State& state) {
    overSamples(state, [](const Sample& p) {
        double x, ur, tbu, tdp, rd, rm;
        StatoTbsH(p.t, p.h, x, ur, tbu, tdp, rd, rm);
        benchmark::DoNotOptimize(tbu + tdp + rm);
    });
}

void BM_TbudaTbsX(benchmark::State& state) {
    overSamples(state, [](const Sample& p) { benchmark::DoNotOptimize(TbudaTbsX(p.x, p.t)); });
}

// Hot dry air, 100…200 °C at 0…9 % UR: the wet bulb lies far below the
// boiling point; for most of them the iteration gives up and bisection
// finds it.
void BM_TbudaTbsXAboveBoiling(benchmark::State& state) {
    static const std::vector<Sample> caldi = [] {
        std::vector<Sample> v;
        Patm = 101325.0;
        for (int i = 0; i <= 50; ++i) {
            for (int j = 0; j < 4; ++j) {
                Sample p{};
                p.t = 100.0 + 2.0 * i;
                p.ur = 0.03 * j;
                p.x = XdaPv(p.ur * PressSat(p.t), Patm);
                v.push_back(p);
            }
        }
        return v;
    }();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TbudaTbsX(caldi[i].x, caldi[i].t));
        if (++i == caldi.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_TdpdaX(benchmark::State& state) {
    overSamples(state, [](const Sample& p) { benchmark::DoNotOptimize(TdpdaX(p.x)); });
}

BENCHMARK(BM_PressSat);
BENCHMARK(BM_StatoTbsUR);
BENCHMARK(BM_StatiTbsUR);
BENCHMARK(BM_StatoTbsTbu);
BENCHMARK(BM_StatoTbsH);
BENCHMARK(BM_TbudaTbsX);
BENCHMARK(BM_TbudaTbsXAboveBoiling);
BENCHMARK(BM_TdpdaX);

} // namespace
