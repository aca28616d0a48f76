// The batches' pipeline: blocks of rows read in order, computed in
// parallel, written in input order (tbb::parallel_pipeline), on `thread`
// threads (0: every core). The output is the same for any number.
#pragma once

#include <tbb/global_control.h>
#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include <memory>

namespace tarvelo::cli {

// `leggi(Blocco&)` fills a block and returns false at the end of the input
// (the block may still hold rows); `calcola(Blocco&)` runs in parallel;
// `scrivi(Blocco&)` runs in input order.
template <class Blocco, class Leggi, class Calcola, class Scrivi>
void lavoraInOrdine(int thread, Leggi leggi, Calcola calcola, Scrivi scrivi) {
    const std::size_t fili =
        thread > 0 ? static_cast<std::size_t>(thread)
                   : static_cast<std::size_t>(tbb::this_task_arena::max_concurrency());
    tbb::global_control limite(tbb::global_control::max_allowed_parallelism, fili);
    bool finito = false;
    tbb::parallel_pipeline(
        fili * 2,
        tbb::make_filter<void, std::shared_ptr<Blocco>>(
            tbb::filter_mode::serial_in_order,
            [&](tbb::flow_control& fc) -> std::shared_ptr<Blocco> {
                if (finito) {
                    fc.stop();
                    return nullptr;
                }
                auto b = std::make_shared<Blocco>();
                finito = !leggi(*b);
                return b;
            }) &
            tbb::make_filter<std::shared_ptr<Blocco>, std::shared_ptr<Blocco>>(
                tbb::filter_mode::parallel,
                [&](std::shared_ptr<Blocco> b) {
                    calcola(*b);
                    return b;
                }) &
            tbb::make_filter<std::shared_ptr<Blocco>, void>(
                tbb::filter_mode::serial_in_order, [&](std::shared_ptr<Blocco> b) { scrivi(*b); }));
}

} // namespace tarvelo::cli
