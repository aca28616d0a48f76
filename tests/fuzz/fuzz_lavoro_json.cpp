// A work's JSON: read over a new work as `lavoro --da-json` reads it; what
// is accepted is written back to JSON and read again to the same bytes and
// the same text.
#include "app/cli/work_json.h"
#include "fuzz_support.h"

using namespace tarvelo;

namespace {
template <class R> std::vector<std::uint8_t> immagine(const R& r) {
    std::vector<std::uint8_t> b(R::Size);
    encode(r, b);
    return b;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view testo(reinterpret_cast<const char*>(data), size);
    auto h = std::make_unique<TTestataLavoro>();
    auto l = std::make_unique<TLavoro>();
    h->Firma.assegna("TRV~202");
    if (!cli::lavoroDaJson(testo, *h, *l).empty())
        return 0;
    const std::string json = cli::lavoroJson(*h, *l);
    auto h2 = std::make_unique<TTestataLavoro>();
    auto l2 = std::make_unique<TLavoro>();
    fuzz::verifica(cli::lavoroDaJson(json, *h2, *l2).empty(), "il JSON scritto non si rilegge");
    fuzz::verifica(immagine(*h2) == immagine(*h) && immagine(*l2) == immagine(*l),
                   "il lavoro riletto è diverso");
    fuzz::verifica(cli::lavoroJson(*h2, *l2) == json, "il JSON riscritto è diverso");
    return 0;
}
