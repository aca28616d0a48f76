// The drawing sheet of a work read from its JSON, composed as "Stampa", the
// preview and `stampa --pdf` compose it: onto recorded pages, which are
// written as the preview's page file, read back and replayed. The PDF and
// printer back ends are Qt and only draw what the pages hold; the replay
// here goes to a device that checks where everything falls.
#include "document/work_record_ops.h"
#include "fuzz_support.h"
#include "print/report_recording.h"
#include "print/stampa_foglio.h"
#include "support/fixed_report_device.h"

using namespace tarvelo;

namespace {

// Measures as the tests' fixed metrics do, on a page of the size given, and
// checks that what is drawn falls on that page.
struct SulFoglio : test::MisuraReportFissa {
    explicit SulFoglio(const Pagina& pagina) : MisuraReportFissa(2, 4, 3, true) { p = pagina; }
    void punto(int x, int y) const {
        fuzz::verifica(x >= 0 && x <= p.larghezza && y >= 0 && y <= p.altezza,
                       "un tratto fuori dal foglio");
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

Pagina pagina(bool letter) {
    Pagina p; // A4, as for a PDF or a picture
    if (letter) {
        p.larghezza = 2550; // a printer's US letter
        p.altezza = 3300;
        p.margineSx = p.margineDx = 75;
    }
    return p;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Cartella& c = fuzz::cartella();
    auto h = std::make_unique<TTestataLavoro>();
    auto l = std::make_unique<TLavoro>();
    if (!fuzz::lavoroDaJson({reinterpret_cast<const char*>(data), size}, *h, *l))
        return 0;
    // What `stampa` refuses and the window does not open.
    if (!valoreNonValido(*l).empty())
        return 0;
    // The input's length picks colour or black and white, and the page.
    SulFoglio misura(pagina(size & 2));
    const DatiStampa dati{*l, *h, c.settings.DIR_ARCHIVI, "LAVORO.TRV", (size & 1) == 0};
    Registrazione composta;
    fuzz::verifica(ComponiFoglio(dati, misura, composta).ok,
                   "il foglio di un lavoro valido non si compone");
    fuzz::verifica(composta.pagine.size() == 1 && composta.pagina == misura.p,
                   "il foglio non è una pagina della stampante");

    // The preview's page file: written, read back the same, and drawn from.
    const std::string rpp = c.file(NomePaginaAnteprima);
    fuzz::verifica(salvaRpp(rpp, composta).ok, "il file delle pagine non si scrive");
    Registrazione letta;
    fuzz::verifica(leggiRpp(rpp, letta).ok, "il file delle pagine non si rilegge");
    fuzz::verifica(letta == composta, "il file delle pagine riletto è diverso");
    riproduci(letta.pagine[0], misura);
    // Drawn onto another recording, the page is what was composed.
    RegistratoreReport di_nuovo(misura);
    di_nuovo.nuovaPagina();
    riproduci(letta.pagine[0], di_nuovo);
    fuzz::verifica(di_nuovo.registrazione() == composta, "la pagina ridisegnata è diversa");
    return 0;
}
