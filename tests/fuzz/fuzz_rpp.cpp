// The preview's page file: read as the preview reads it, replayed as it
// draws it, and written back to the same text.
#include "fuzz_support.h"
#include "print/report_recording.h"

using namespace tarvelo;

namespace {
// Draws nowhere, and checks that what it is asked to draw stays in the
// bounds the reader promises.
struct Limiti : ReportDevice {
    Pagina pagina() const override { return {}; }
    int larghezzaTesto(const FontReport&, std::string_view t) override {
        return static_cast<int>(t.size());
    }
    int altezzaRiga(const FontReport&) override { return 1; }
    int ascesa(const FontReport&) override { return 1; }
    static void punto(int x, int y) {
        fuzz::verifica(x >= -1000000 && x <= 1000000 && y >= -1000000 && y <= 1000000,
                       "una coordinata oltre i limiti");
    }
    void linea(int x1, int y1, int x2, int y2, const PennaReport&) override {
        punto(x1, y1);
        punto(x2, y2);
    }
    void rettangolo(int x1, int y1, int x2, int y2, const PennaReport*,
                    const PennelloReport&) override {
        punto(x1, y1);
        punto(x2, y2);
    }
    void ellisse(int x1, int y1, int x2, int y2, const PennaReport&,
                 const PennelloReport&) override {
        punto(x1, y1);
        punto(x2, y2);
    }
    void testo(int x, int y, const FontReport& f, std::string_view) override {
        punto(x, y);
        fuzz::verifica(f.punti >= 0.5 && f.punti <= 500, "un carattere fuori misura");
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view testo(reinterpret_cast<const char*>(data), size);
    Registrazione r;
    if (!leggiTestoRpp(testo, r).ok)
        return 0;
    Limiti d;
    for (const PaginaRegistrata& p : r.pagine)
        riproduci(p, d);
    const std::string riscritto = testoRpp(r);
    Registrazione r2;
    fuzz::verifica(leggiTestoRpp(riscritto, r2).ok, "il file riscritto non si rilegge");
    fuzz::verifica(r2 == r && testoRpp(r2) == riscritto, "il file riscritto è diverso");
    return 0;
}
