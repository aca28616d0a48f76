// One run of each plant configuration with its sample data, trace file
// included: the dialog repeats it at every mouse move while a point is
// dragged. BM_RigaImpianto_*: one row of `impianto --csv`, the trace kept in
// memory, over a spread of outdoor states and loads around the sample.
// BM_Suggerimenti: the whole search for what to change in a run that
// failed, one failing case per argument.
#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"
#include "plants/suggerimenti.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iterator>
#include <vector>

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

// 1600 rows per configuration: outdoor temperature within 4 K and humidity
// within 10 points of the sample's, the sensible load from 80 to 120 % of
// it. Most rows calculate; those that stop at a check are part of a batch
// too.
std::vector<tarvelo::TLavoro> righe(int tipo) {
    tarvelo::TLavoro campione;
    campione.TestataChart.tbsMin = -5;
    tarvelo::preparaImpianto(tipo, campione, tarvelo::TDefault{});
    std::vector<tarvelo::TLavoro> v;
    for (int i = 0; i < 1600; ++i) {
        tarvelo::TLavoro l = campione;
        l.tbsEst += (i % 80) / 10.0 - 4;
        l.UREst += (i % 20) - 10;
        l.Csens *= 0.8 + (i % 41) / 100.0;
        v.push_back(l);
    }
    return v;
}

void riga(benchmark::State& state, int tipo) {
    tarvelo::Patm = tarvelo::PatmStandard;
    const std::vector<tarvelo::TLavoro> v = righe(tipo);
    std::size_t i = 0, riuscite = 0;
    for (auto _ : state) {
        tarvelo::TLavoro l = v[i];
        tarvelo::TracciaDettagli traccia;
        const tarvelo::EsitoImpianto e = tarvelo::CalcolaImpianto(l, traccia);
        benchmark::DoNotOptimize(e.codice);
        riuscite += e.codice == 0;
        i = i + 1 == v.size() ? 0 : i + 1;
    }
    state.counters["riuscite"] =
        static_cast<double>(riuscite) / static_cast<double>(state.iterations());
}

void BM_RigaImpianto_A(benchmark::State& s) {
    riga(s, 0);
}
void BM_RigaImpianto_B(benchmark::State& s) {
    riga(s, 1);
}
void BM_RigaImpianto_C(benchmark::State& s) {
    riga(s, 2);
}
void BM_RigaImpianto_D(benchmark::State& s) {
    riga(s, 3);
}
void BM_RigaImpianto_E(benchmark::State& s) {
    riga(s, 4);
}
void BM_RigaImpianto_F(benchmark::State& s) {
    riga(s, 5);
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

// Failing runs of several configurations, each with its own way to fail;
// the last has nothing a designer could change.
struct Fallimento {
    const char* nome;
    int tipo;
    void (*dati)(tarvelo::TLavoro&);
};
const Fallimento Fallimenti[] = {
    {"A tbsImm=12", 0, [](tarvelo::TLavoro& l) { l.tbsImm = 12; }},
    {"A Qrinn=4", 0, [](tarvelo::TLavoro& l) { l.Qrinn = 4; }},
    {"B tbsImm=10", 1, [](tarvelo::TLavoro& l) { l.tbsImm = 10; }},
    {"C est 30 C 70 %", 2,
     [](tarvelo::TLavoro& l) {
         l.tbsEst = 30;
         l.UREst = 70;
     }},
    {"C tSup=20", 2, [](tarvelo::TLavoro& l) { l.tSup = 20; }},
    {"D Qimm=0.5", 3, [](tarvelo::TLavoro& l) { l.Qimm = 0.5; }},
    {"F URD=99.95", 5, [](tarvelo::TLavoro& l) { l.URD = 99.95; }},
    {"F URD=20", 5, [](tarvelo::TLavoro& l) { l.URD = 20; }},
    {"A Volume=0", 0, [](tarvelo::TLavoro& l) { l.Volume = 0; }},
};

void BM_Suggerimenti(benchmark::State& state) {
    const Fallimento& f = Fallimenti[state.range(0)];
    tarvelo::Patm = tarvelo::PatmStandard;
    tarvelo::TLavoro l;
    l.TestataChart.tbsMin = -5;
    l.TestataChart.pressure = tarvelo::PatmStandard;
    tarvelo::preparaImpianto(f.tipo, l, tarvelo::TDefault{});
    f.dati(l);
    tarvelo::TracciaDettagli traccia;
    if (tarvelo::CalcolaImpianto(l, traccia).codice == 0)
        state.SkipWithError("the case computes");
    std::size_t quanti = 0;
    for (auto _ : state) {
        const std::vector<tarvelo::Suggerimento> s = tarvelo::suggerimenti(l);
        quanti = s.size();
        benchmark::DoNotOptimize(quanti);
    }
    state.SetLabel(f.nome);
    state.counters["suggerimenti"] = static_cast<double>(quanti);
}

} // namespace

BENCHMARK(BM_Suggerimenti)
    ->DenseRange(0, static_cast<int>(std::size(Fallimenti)) - 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calcola_A)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_B)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_C)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_D)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_E)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calcola_F)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RigaImpianto_A)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RigaImpianto_B)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RigaImpianto_C)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RigaImpianto_D)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RigaImpianto_E)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RigaImpianto_F)->Unit(benchmark::kMicrosecond);
