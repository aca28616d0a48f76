// A work read from its JSON (the input up to its first NUL byte), then the
// treatment dialog driven by the bytes after it as its buttons and fields
// drive the sequence editor: a new sequence or a revision, values typed
// into the fields the page enables, the lists and choices, points linked,
// "Calcola", treatments appended from the OK menu, browsing, "Annulla",
// the window closed; between dialogs, the whole work calculated again as
// when its chart changes. After every step, the promises of the
// calculation and of the editor; at the end, the work saved and opened
// again.
#include "document/work_file.h"
#include "document/work_record_ops.h"
#include "engine/moist_air.h"
#include "fuzz_support.h"
#include "plants/work_recalc.h"
#include "treatments/process.h"
#include "treatments/sequence_editor.h"
#include "treatments/treatment_bounds.h"
#include "treatments/treatment_defaults.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

using namespace tarvelo;

namespace {

// The bytes after the JSON, read from the front; zeros once they are over.
class Copione {
  public:
    Copione(const std::uint8_t* p, std::size_t n) : p_(p), n_(n) {}
    bool finito() const { return n_ == 0; }
    std::uint8_t byte() {
        if (n_ == 0)
            return 0;
        --n_;
        return *p_++;
    }
    int scelta(int quante) { return byte() % quante; }
    // A value as a masked field takes it (one decimal), or now and then any
    // double a work file may hold.
    double valore() {
        if (byte() < 224) {
            const unsigned basso = byte();
            const unsigned alto = byte();
            return static_cast<std::int16_t>(basso | alto << 8) / 10.0;
        }
        std::uint64_t bit = 0;
        for (int i = 0; i < 8; ++i)
            bit |= std::uint64_t{byte()} << (8 * i);
        double v = 0;
        std::memcpy(&v, &bit, sizeof v);
        return v;
    }

  private:
    const std::uint8_t* p_;
    std::size_t n_;
};

std::vector<std::uint8_t> immagine(const TLavoro& l) {
    std::vector<std::uint8_t> b(TLavoro::Size);
    encode(l, b);
    return b;
}
std::vector<std::uint8_t> immagine(const TTrattamento& t) {
    std::vector<std::uint8_t> b(TTrattamento::Size);
    encode(t, b);
    return b;
}
std::vector<std::uint8_t> immagine(const TPunto& p) {
    std::vector<std::uint8_t> b(TPunto::Size);
    encode(p, b);
    return b;
}

enum Pagina { PagMiscela, PagRiscRaff, PagUmid, PagBatteria };

Pagina paginaDi(std::uint8_t tipo) {
    switch (tipo) {
    case TipoMiscela:
        return PagMiscela;
    case TipoRaffreddamento:
    case TipoRiscaldamento:
        return PagRiscRaff;
    case TipoUmidificazione:
    case TipoUmidificazioneVapore:
        return PagUmid;
    default:
        return PagBatteria;
    }
}

// The fields of the dialog's pages, by what they hold.
enum Campo {
    Tbs1,
    Secondo1, // UR1, or x1 on the humidification page
    Tbs2,
    Secondo2, // UR2, x2 on the humidification and coil pages
    Port1,    // perc1 in mixing mode 0
    Port2,
    Port3,
    Portata,
    Potenza,
    TMezzo,
    Sensibile,
    Totale, // T, or L for the union's latent modes
    Qimm,
    Ts,
    Fs,
    NumCampi
};

constexpr int UnioneDaBreve[] = {1, 3, 4, 5};

// The dialog: the editor, and the state of its page as the user left it.
struct Dialogo {
    Dialogo(TLavoro& l, std::uint8_t umDef)
        : editor(l, umDef), apertura(std::make_unique<TLavoro>(l)) {}

    EditorSequenza editor;
    std::unique_ptr<TLavoro> apertura; // the work before the dialog opened
    TDatiTrattamento campi;            // what the fields show
    unsigned modificati = 0;           // the fields typed into since shown
    int modo = 0;                      // the page's list or radio choice
    bool ok = false;                   // OK enabled: the last "Calcola" ended well

    Pagina pagina() const { return paginaDi(editor.tipo()); }
    bool batteria() const { return editor.tipo() == TipoBatteriaFredda; }
    bool imposta() const { return editor.portataImposta(); }

    // The coil's and the union's list position as the full list counts it.
    int posizioneCompleta() const {
        if (!imposta())
            return modo;
        return batteria() ? modo + 1 : UnioneDaBreve[std::clamp(modo, 0, 3)];
    }

    // The fields and lists shown again from the treatment's input block.
    void mostraCampi() {
        const TDatiTrattamento& d = editor.trattamento().Dati;
        campi = d;
        modificati = 0;
        switch (pagina()) {
        case PagMiscela:
            modo = std::clamp<int>(d.modoMiscela, 0, imposta() ? 1 : 2);
            break;
        case PagRiscRaff:
            modo = std::clamp<int>(d.modoPotenza, 0, imposta() ? 1 : 2);
            break;
        case PagUmid:
            modo = d.vapore ? 1 : 0;
            break;
        case PagBatteria:
            if (imposta())
                modo = d.posLista < (batteria() ? 3 : 4) ? d.posLista : 0;
            else
                modo = d.modoBatteria < (batteria() ? 4 : 6) ? d.modoBatteria : 0;
            break;
        }
        campi.umPortata = static_cast<std::uint8_t>(std::clamp<int>(d.umPortata, 0, 2));
        // The label lists show "sopra" or "sotto" whatever the code.
        for (std::size_t i = 0; i < 3; ++i)
            campi.PosEtich[i] =
                std::llabs(static_cast<long long>(d.PosEtich[i])) >= 2 ? EtichSotto : EtichSopra;
    }

    // Whether the page shows the field enabled, as the dialog's updates set it.
    bool abilitato(Campo c) const {
        const TDatiTrattamento& d = editor.trattamento().Dati;
        const bool legato1 = d.Collega[0] != -1, legato2 = d.Collega[1] != -1;
        switch (c) {
        case Tbs1:
        case Secondo1:
            return !legato1;
        default:
            break;
        }
        switch (pagina()) {
        case PagMiscela:
            switch (c) {
            case Tbs2:
            case Secondo2:
                return !legato2;
            case Port1:
                return true;
            case Port2:
                return modo == 2;
            case Port3:
                return modo != 2 && !imposta();
            default:
                return false;
            }
        case PagRiscRaff:
            switch (c) {
            case Tbs2:
                return modo != 0 && !legato2;
            case Portata:
                return (modo == 0 || modo == 1) && !imposta();
            case Potenza:
                return modo == 0 || modo == 2;
            default:
                return false;
            }
        case PagUmid:
            switch (c) {
            case Secondo2:
                return !legato2;
            case TMezzo:
                return true;
            case Portata:
                return !imposta();
            default:
                return false;
            }
        case PagBatteria: {
            const int pos = posizioneCompleta();
            bool st = true, qimm = false, tsfs = false, tbs2 = false, x2 = false;
            if (batteria()) {
                st = pos == 0 || pos == 1;
                qimm = pos != 0;
                tsfs = pos == 2;
                tbs2 = pos == 0 || pos == 3;
                x2 = pos == 3;
            } else {
                st = pos != 5;
                qimm = pos == 1 || pos == 3 || pos == 4 || pos == 5;
                tbs2 = pos == 0 || pos == 3 || pos == 5;
                x2 = pos == 2 || pos == 5;
            }
            switch (c) {
            case Tbs2:
                return tbs2 && !legato2;
            case Secondo2:
                return x2 && !legato2;
            case Sensibile:
            case Totale:
                return st;
            case Qimm:
                return qimm && !imposta();
            case Ts:
            case Fs:
                return tsfs;
            default:
                return false;
            }
        }
        }
        return false;
    }

    // The union's modes given the latent load label its total field so.
    bool latente() const {
        return !batteria() && (posizioneCompleta() == 3 || posizioneCompleta() == 4);
    }

    double& campo(Campo c) {
        TDatiTrattamento& d = campi;
        switch (c) {
        case Tbs1:
            return d.tbs1;
        case Secondo1:
            return d.UR1;
        case Tbs2:
            return d.tbs2;
        case Secondo2:
            return pagina() == PagUmid ? d.tbs2 : d.UR2;
        case Port1:
            return pagina() == PagMiscela && modo == 0 ? d.perc1 : d.port1;
        case Port2:
            return d.port2;
        case Port3:
            return d.port3;
        case Portata:
            return d.portata;
        case Potenza:
            return d.potenza;
        case TMezzo:
            return d.tMezzo;
        case Sensibile:
            return d.S;
        case Totale:
            return latente() ? d.L : d.T;
        case Qimm:
            return d.qimm;
        case Ts:
            return d.ts;
        default:
            return d.fsDato;
        }
    }

    void scrivi(Campo c, double v) {
        campo(c) = v;
        modificati |= 1u << c;
    }

    // The page read into the input block, as before "Calcola", a link or a
    // change of list: a field not typed into keeps the stored value.
    void leggiPagina() {
        TDatiTrattamento& d = editor.trattamento().Dati;
        auto leggi = [&](Campo c, double& v) {
            if (modificati & (1u << c))
                v = campo(c);
        };
        // The label lists of the points not linked (and the mixture's).
        for (std::size_t i = 0; i < 3; ++i)
            if (i < 2 ? d.Collega[i] == -1 : pagina() == PagMiscela)
                d.PosEtich[i] = campi.PosEtich[i];
        leggi(Tbs1, d.tbs1);
        leggi(Secondo1, d.UR1);
        switch (pagina()) {
        case PagMiscela:
            leggi(Tbs2, d.tbs2);
            leggi(Secondo2, d.UR2);
            if (modo == 0) {
                leggi(Port1, d.perc1);
                leggi(Port3, d.port3);
            } else if (modo == 1) {
                leggi(Port1, d.port1);
                leggi(Port3, d.port3);
            } else {
                leggi(Port1, d.port1);
                leggi(Port2, d.port2);
            }
            DividiPortate(modo, d.perc1, d.perc2, d.port3, d.port2, d.port1);
            d.modoMiscela = static_cast<std::uint8_t>(modo);
            break;
        case PagRiscRaff:
            leggi(Tbs2, d.tbs2);
            d.modoPotenza = static_cast<std::uint8_t>(modo);
            leggi(Portata, d.portata);
            leggi(Potenza, d.potenza);
            break;
        case PagUmid:
            leggi(Secondo2, d.tbs2);
            d.vapore = modo == 1 ? 1 : 0;
            leggi(TMezzo, d.tMezzo);
            leggi(Portata, d.portata);
            break;
        case PagBatteria: {
            leggi(Tbs2, d.tbs2);
            leggi(Secondo2, d.UR2);
            leggi(Sensibile, d.S);
            leggi(Totale, latente() ? d.L : d.T);
            leggi(Qimm, d.qimm);
            leggi(Ts, d.ts);
            leggi(Fs, d.fsDato);
            if (imposta()) {
                d.posLista = static_cast<std::uint8_t>(modo);
                d.modoBatteria = static_cast<std::uint8_t>(posizioneCompleta());
            } else {
                d.modoBatteria = static_cast<std::uint8_t>(modo);
            }
            break;
        }
        }
        d.umPortata = campi.umPortata;
        if (editor.tipo() == TipoUmidificazione || editor.tipo() == TipoUmidificazioneVapore)
            editor.trattamento().Tipo = d.vapore ? TipoUmidificazioneVapore : TipoUmidificazione;
    }
};

// The points the picker lists: those in use, by number.
std::vector<int> puntiInUso(const TLavoro& l) {
    std::vector<int> v;
    const int n = std::min<int>(l.NumPunti, TLavoro::MaxPunti);
    for (int i = 1; i <= n; ++i)
        if (l.Punti[static_cast<std::size_t>(i - 1)].InUso == 1)
            v.push_back(i);
    return v;
}

// "Calcola" and what it promises: a treatment refused for its inputs
// changes no point and no other treatment; whatever is computed from
// inputs in range is a number.
void calcola(Dialogo& g) {
    TLavoro& l = g.editor.lavoro();
    g.leggiPagina();
    const auto prima = std::make_unique<TLavoro>(l);
    const int k = g.editor.k();
    const EsitoCalcolo e = g.editor.calcola();
    if (e.errore == CodiceFuoriCampo) {
        for (std::size_t i = 0; i < TLavoro::MaxPunti; ++i)
            fuzz::verifica(immagine(l.Punti[i]) == immagine(prima->Punti[i]),
                           "un trattamento rifiutato ha cambiato un punto");
        for (int j = 1; j <= static_cast<int>(TLavoro::MaxTrattamenti); ++j)
            if (j != k)
                fuzz::verifica(immagine(l.Trattamenti[static_cast<std::size_t>(j - 1)]) ==
                                   immagine(prima->Trattamenti[static_cast<std::size_t>(j - 1)]),
                               "un trattamento rifiutato ha cambiato un altro trattamento");
    }
    if (!valoriFiniti(l))
        fuzz::rotto(
            ("un calcolo ha lasciato un valore che non è un numero (" + valoreNonValido(l) + ")")
                .c_str());
    g.ok = e.messaggio.empty();
    g.mostraCampi();
}

// The work saved after the session opens again as the window opens it,
// and saved again gives the same file.
void salvaERiapri(const TTestataLavoro& h, const TLavoro& l) {
    fuzz::Cartella& c = fuzz::cartella();
    const std::string salvato = c.file("sequenza.TRV");
    fuzz::verifica(scriviFileLavoro(salvato, h, l).ok, "un lavoro calcolato non si salva");
    const fuzz::LavoroRiaperto di_nuovo =
        fuzz::riapri(salvato, c.settings.archivio(), "un lavoro calcolato non si riapre finito");
    const std::string ancora = c.file("ancora.TRV");
    fuzz::verifica(scriviFileLavoro(ancora, di_nuovo.testata, di_nuovo.lavoro).ok,
                   "un lavoro riaperto non si salva");
    fuzz::verifica(fuzz::leggi(ancora) == fuzz::leggi(salvato),
                   "un lavoro salvato e riaperto non è lo stesso");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Cartella& c = fuzz::cartella();
    const auto* fine = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t lunghezzaJson = fine ? static_cast<std::size_t>(fine - data) : size;
    auto h = std::make_unique<TTestataLavoro>();
    auto l = std::make_unique<TLavoro>();
    if (!fuzz::lavoroDaJson({reinterpret_cast<const char*>(data), lunghezzaJson}, *h, *l))
        return 0;
    // The window refuses to open such a work.
    if (!valoreNonValido(*l).empty())
        return 0;
    Copione copione(data + lunghezzaJson + (fine ? 1 : 0), size - lunghezzaJson - (fine ? 1 : 0));
    // The engine at the pressure of the work's chart, as when it is shown.
    Patm = l->TestataChart.pressure > 0 ? l->TestataChart.pressure : PatmStandard;
    const std::uint8_t umDef = static_cast<std::uint8_t>(copione.scelta(3));

    std::optional<Dialogo> g;
    for (int passi = 0; passi < 200 && !copione.finito(); ++passi) {
        const int azione = copione.scelta(12);
        if (!g) {
            // The main window: a treatment from the palette (a new
            // sequence), "Revisione" of a calculated sequence, or the work
            // calculated again at the pressure of its chart.
            if (azione < 6) {
                const int codice = copione.scelta(7);
                if (codice == 0 && (l->TipoImpianto != 6 || h->CalcoliValidi == 0))
                    continue;
                g.emplace(*l, umDef);
                g->editor.apri(codice);
                g->editor.mostraTratto(codice, true);
                g->mostraCampi();
            } else if (azione == 6) {
                ricalcolaLavoro(*l, c.prefisso());
                if (!valoriFiniti(*l))
                    fuzz::rotto(("un ricalcolo ha lasciato un valore che non è un numero (" +
                                 valoreNonValido(*l) + ")")
                                    .c_str());
            }
            continue;
        }
        Dialogo& d = *g;
        switch (azione) {
        case 0:
        case 1:
        case 2: { // a value typed into a field
            const auto campo = static_cast<Campo>(copione.scelta(NumCampi));
            const double v = copione.valore();
            // Nothing else reaches an input block: a field takes digits, and
            // the window opens no work holding more.
            const bool ammesso = std::isfinite(v) && std::fabs(v) <= 1e9;
            if (ammesso && d.abilitato(campo))
                d.scrivi(campo, v);
            break;
        }
        case 3: { // a list or a choice of the page
            const int quale = copione.scelta(3);
            const int valore = copione.byte();
            if (quale == 0) {
                // The unit of the flows: its change reads the page.
                d.campi.umPortata = static_cast<std::uint8_t>(valore % 3);
                d.leggiPagina();
                d.mostraCampi();
            } else if (quale == 1) {
                // The label of point 1 or 2: above or below.
                d.campi.PosEtich[static_cast<std::size_t>(valore & 1)] =
                    valore & 2 ? EtichSotto : EtichSopra;
            } else {
                int voci = 3;
                switch (d.pagina()) {
                case PagMiscela:
                case PagRiscRaff:
                    voci = d.imposta() ? 2 : 3;
                    break;
                case PagUmid:
                    voci = 2;
                    break;
                case PagBatteria:
                    voci = d.batteria() ? (d.imposta() ? 3 : 4) : (d.imposta() ? 4 : 6);
                    break;
                }
                // The mixing's and the coil's lists read the page, with
                // their new choice, as they change; the radio buttons are
                // read at "Calcola".
                d.modo = valore % voci;
                if (d.pagina() == PagMiscela || d.pagina() == PagBatteria) {
                    d.leggiPagina();
                    d.mostraCampi();
                }
            }
            break;
        }
        case 4: { // "Collega": a point of the work for point 1 or 2
            const int quale = copione.scelta(2);
            const std::vector<int> punti = puntiInUso(*l);
            const int scelto = copione.byte();
            if (d.editor.k() <= 1 || punti.empty())
                break;
            if (d.pagina() == PagBatteria && quale == 1 &&
                d.posizioneCompleta() != (d.batteria() ? 3 : 5))
                break;
            d.leggiPagina();
            d.editor.collega(quale, punti[static_cast<std::size_t>(scelto) % punti.size()]);
            d.mostraCampi();
            d.ok = false;
            break;
        }
        case 5:
        case 6:
            calcola(d);
            break;
        case 7: { // OK: a new treatment, or the end of the sequence
            const int tag = 1 + copione.scelta(7);
            if (!d.ok)
                break;
            if (tag == 7) {
                h->CalcoliValidi = 1;
                g.reset();
                if (const std::string v = valoreNonValido(*l); !v.empty())
                    fuzz::rotto(("una sequenza finita non si riaprirebbe (" + v + ")").c_str());
                salvaERiapri(*h, *l);
            } else if (!d.editor.troppiPunti()) {
                d.editor.mostraTratto(tag, true);
                d.mostraCampi();
                d.ok = false;
            }
            break;
        }
        case 8: { // the navigation buttons
            const EditorSequenza::Navigazione n = d.editor.navigazione();
            const int b = copione.scelta(4);
            const bool attivo[] = {n.home, n.indietro, n.avanti, n.fine};
            if (!attivo[b])
                break;
            const int k[] = {d.editor.primo(), d.editor.precedente(), d.editor.successivo(),
                             d.editor.ultimo()};
            d.editor.vaiA(k[b]);
            d.mostraCampi();
            d.ok = false;
            break;
        }
        case 9: // "Annulla": the work as it was when the dialog opened
            d.editor.annulla();
            fuzz::verifica(immagine(*l) == immagine(*d.apertura),
                           "Annulla non rimette il lavoro com'era");
            g.reset();
            break;
        case 10: // the window's close button: the work as it stands
            g.reset();
            break;
        default:
            break;
        }
    }
    if (g)
        g.reset();
    if (valoriFiniti(*l))
        salvaERiapri(*h, *l);
    return 0;
}
