#include "print/stampa_foglio.h"

#include "chart/chart_file.h"
#include "chart/chart_replay.h"
#include "chart/diagram_view.h"
#include "engine/format_mask.h"
#include "engine/numeric.h"
#include "engine/text.h"
#include "print/report_recording.h"
#include "treatments/verifiche.h"

#include <algorithm>
#include <cmath>

namespace tarvelo {

namespace {

constexpr Rgb Nero{0, 0, 0};
constexpr Rgb Verde{0x00, 0x80, 0x00};
constexpr Rgb Blu{0x00, 0x00, 0xFF};
constexpr Rgb Rosso{0xFF, 0x00, 0x00};
constexpr Rgb Bianco{255, 255, 255};
constexpr PennaReport PennaNera{Nero, 0, 1};
constexpr PennelloReport Trasparente{};
// Units between a point's marker and its name.
constexpr int DistanzaNomeStampa = 6;
// Units left free either side of the texts in the points box's cells.
constexpr int MargineCellaPunti = 10;

Rgb colore(const DatiStampa& d, Rgb c) {
    return d.monocromatico ? Nero : c;
}

std::string fmt(std::string_view mask, double v) {
    return FormatMask(mask, v);
}

// The chart's commands drawn on the report, at page positions; the
// miniature (when there is one) follows the lines in the palette's colours.
class CanvasFoglio : public ChartCanvas {
  public:
    CanvasFoglio(TBaseReport& r, bool mono, const AvanzamentoStampa& a, int ox, int oy)
        : r_(r), mono_(mono), a_(a), ox_(ox), oy_(oy) {}

    void setPen(const PenState& p) override {
        r_.setPenna(PennaReport{mono_ ? Nero : p.colour, p.style, p.width});
        if (a_.miniatura)
            a_.miniatura->setPen(PenState{stile::Solido, ModoCopia, p.colour, 1});
    }
    void setFont(const FontState& f) override {
        r_.setFont(f.family.empty() ? "Arial" : f.family, f.size);
        r_.setGrassetto(f.style == 0);
        r_.setCorsivo(f.style == 1);
    }
    void moveTo(int x, int y) override {
        r_.muoviA(x, y);
        if (a_.miniatura)
            a_.miniatura->moveTo(mx(x), my(y));
    }
    void lineTo(int x, int y) override {
        r_.lineaA(x, y);
        if (a_.miniatura)
            a_.miniatura->lineTo(mx(x), my(y));
    }
    TextSize measure(std::string_view text) override {
        return {r_.larghezzaTesto(text), r_.altezzaRiga()};
    }
    void fillWhite(int left, int top, int right, int bottom) override {
        r_.device().rettangolo(left, top, right, bottom, nullptr, PennelloReport{Bianco, true});
    }
    void textTopLeft(int x, int y, std::string_view text) override {
        textBaseline(x, y + r_.device().ascesa(r_.font()), text, 0);
    }
    void textBaseline(int x, int y, std::string_view text, double degrees) override {
        r_.setRotazione(static_cast<int>(std::lround(degrees)));
        r_.stampaXY(x, y, text);
        r_.setRotazione(0);
    }
    void circle(int x, int y, int rad, Rgb) override {
        r_.ellisse(x - rad, y - rad, x + rad, y + rad);
    }

  private:
    // The miniature: the chart point without margins or offsets, scaled to
    // the box (the print field is 2016 × 1430 units).
    int mx(int x) const {
        return coordinata((x - ox_) * static_cast<double>(a_.larghezzaMiniatura) / 2016.0);
    }
    int my(int y) const {
        return coordinata((y - oy_) * static_cast<double>(a_.altezzaMiniatura) / 1430.0);
    }
    TBaseReport& r_;
    bool mono_;
    const AvanzamentoStampa& a_;
    int ox_, oy_;
};

bool risultatiValidi(const DatiStampa& d) {
    return d.testata.CalcoliValidi != 0 && d.lavoro.CodiceErrore == 0;
}

// The second line of a chart description: after the first CR LF, up to the
// next CR.
std::string secondaRiga(const std::string& s) {
    const std::size_t a = s.find("\r\n");
    if (a == std::string::npos)
        return {};
    const std::size_t b = s.find('\r', a + 2);
    return s.substr(a + 2, b == std::string::npos ? std::string::npos : b - a - 2);
}

// "tbs" with "amb" below it: the symbol in Arial 9, its subscript in
// Arial 6.
void simbolo(TBaseReport& r, std::string_view base, std::string_view pedice = {},
             std::string_view dopo = {}, std::string_view pedice2 = {}) {
    r.setFont("Arial", 9);
    r.stampa(base);
    if (!pedice.empty()) {
        r.setFont("Arial", 6);
        r.setPedice(true);
        r.stampa(pedice);
        r.setPedice(false);
    }
    if (!dopo.empty()) {
        r.setFont("Arial", 9);
        r.stampa(dopo);
    }
    if (!pedice2.empty()) {
        r.setFont("Arial", 6);
        r.setPedice(true);
        r.stampa(pedice2);
        r.setPedice(false);
    }
}

// A unit with a raised part: "m" and "3", then what follows.
void unitaApice(TBaseReport& r, double punti, std::string_view base, std::string_view apice,
                std::string_view dopo = {}) {
    r.setFont("Arial", punti);
    r.stampa(base);
    r.setFont("Arial", 6);
    r.setApice(true);
    r.stampa(apice);
    r.setApice(false);
    r.setFont("Arial", punti);
    r.stampa(dopo);
}

// The next row of a table in another size, right under the row just ended
// (rows spaced by their font's height): its box starts where the box above
// ends, so that the box lines meet and no line runs through a text.
void corpoRigaSotto(TBaseReport& r, double punti) {
    const int fondo = r.Y() - r.device().ascesa(r.font());
    r.setFont("Arial", punti);
    r.setY(fondo + r.device().ascesa(r.font()));
}

// The five cells of a row of the zone data, only their bottom line drawn.
void celleZona(TBaseReport& r, int x, int descrizione, int valore) {
    r.pulisciTab();
    r.impostaTab(x, Giustifica::Sinistra, descrizione, 0, bordo::Basso, 0);
    r.impostaTab(-1, Giustifica::Sinistra, valore, 0, bordo::Basso, 0);
    r.impostaTab(-1, Giustifica::Destra, 10, 0, bordo::Basso, 0);
    r.impostaTab(-1, Giustifica::Destra, valore, 0, bordo::Basso, 0);
    r.impostaTab(-1, Giustifica::Sinistra, 100, 5, bordo::Basso, 0);
}

// The rows of the zone data and below the treatments table are in the
// symbols' size: their longest descriptions fit their cells.
constexpr double PuntiZona = 9;

struct RigaZona {
    std::function<void(TBaseReport&)> descrizione, simbolo, unita;
    std::string valore; // empty: a heading, the other cells empty
    int dopo = 0;       // extra units before the next row
};

void stampaRigheZona(TBaseReport& r, const std::vector<RigaZona>& righe) {
    for (const RigaZona& riga : righe) {
        r.setFont("Arial", PuntiZona);
        r.tab();
        riga.descrizione(r);
        r.tab();
        if (riga.simbolo)
            riga.simbolo(r);
        r.setFont("Arial", PuntiZona);
        r.tab();
        if (!riga.valore.empty())
            r.stampa("=");
        r.tab();
        r.stampa(riga.valore);
        r.tab();
        if (riga.unita)
            riga.unita(r);
        r.setFont("Arial", PuntiZona);
        r.aCapo();
        r.setY(r.Y() + riga.dopo);
    }
}

std::function<void(TBaseReport&)> testo(std::string t, double punti = PuntiZona) {
    return [t = std::move(t), punti](TBaseReport& r) {
        r.setFont("Arial", punti);
        r.stampa(t);
    };
}

} // namespace

Esito Inizializza(TBaseReport& r, const TTestataChart& chart, GeometriaFoglio& g) {
    // The print section's sizes and margins come from a file: checked
    // before any arithmetic with them.
    if (Esito e = verificaIntestazione(chart, VersioneStampa); !e.ok)
        return e;
    g.L = 150;
    g.R = r.larghezzaPagina() - r.margineDxNonStampabile() - 5;
    g.T = r.margineAltoNonStampabile();
    g.B = r.altezzaPagina() - r.margineBassoNonStampabile() - 50;
    r.setSezione(g.L, g.T, g.R, g.B);
    const ChartVersion& v = chart.print;
    g.offsetX = roundEven((r.larghezzaPagina() - v.W) / 2.0);
    g.offsetY = roundEven(g.B - v.y0 - 100.0 - 50.0);
    // The chart is centred on the page: it must lie within the printable
    // width, and below the title block.
    const int sinistra = g.offsetX + v.leftMargin;
    const int destra = sinistra + v.W + v.rightMargin;
    if (sinistra < r.margineSxNonStampabile() || destra > g.R) {
        return Esito::fallito("il diagramma (largo " + std::to_string(v.W) +
                              " punti di stampa) non entra nella larghezza stampabile del "
                              "foglio (" +
                              std::to_string(g.R - r.margineSxNonStampabile()) + " punti)");
    }
    if (g.offsetY < g.T + 240)
        return Esito::fallito("il diagramma (alto " + std::to_string(v.y0) +
                              " punti di stampa) non entra nell'altezza stampabile del foglio");
    return {};
}

void GraficoTrattamenti(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g,
                        const std::vector<Riquadro>& etichetteChart) {
    const TLavoro& l = d.lavoro;
    const ChartVersion& v = l.TestataChart.print;
    const auto X = [&](double tbs) {
        return coordinata(v.sx * tbs + v.sx * std::abs(l.TestataChart.tbsMin) + v.leftMargin +
                          g.offsetX);
    };
    const auto Y = [&](double x) {
        return coordinata(v.y0 + g.offsetY - static_cast<double>(roundEven(v.sy * x)));
    };
    const Riquadro campo{X(l.TestataChart.tbsMin), Y(l.TestataChart.xMax / 1000.0),
                         X(l.TestataChart.tbsMax), Y(0.0)};
    const auto punto = [&](int n) -> const TPunto* {
        return n >= 1 && n <= static_cast<int>(TLavoro::MaxPunti)
                   ? &l.Punti[static_cast<std::size_t>(n - 1)]
                   : nullptr;
    };
    std::vector<Segmento> linee; // as drawn, for the names to keep off
    const std::size_t nt = std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (std::size_t k = 0; k < nt; ++k) {
        const TTrattamento& t = l.Trattamenti[k];
        const TPunto* p1 = punto(t.Punto1);
        const TPunto* p2 = punto(t.Punto2);
        if (!t.Visibile || !p1 || !p2)
            continue;
        int x1 = X(p1->tbs), y1 = Y(p1->x), x2 = X(p2->tbs), y2 = Y(p2->x);
        if (!ritagliaSegmento(campo, x1, y1, x2, y2))
            continue;
        r.setPenna(PennaReport{colore(d, coloreWindows(t.Colore)), t.StilePenna, t.Stile0});
        r.muoviA(x1, y1);
        r.lineaA(x2, y2);
        linee.push_back({x1, y1, x2, y2});
    }
    // The markers take the first treatment's pen, shown or not.
    const TTrattamento& primo = l.Trattamenti[0];
    r.setPenna(PennaReport{colore(d, coloreWindows(primo.Colore)), primo.StilePenna, primo.Stile0});
    r.setFont("Arial", 12);
    r.setGrassetto(true);
    r.setColoreTesto(Nero);
    const int h = r.altezzaRigaFont();
    const int ascesa = r.device().ascesa(r.font());
    // Every name is measured and placed before any is printed.
    std::vector<NomePunto> nomi;
    std::vector<const TPunto*> punti;
    const std::size_t np = std::min<std::size_t>(l.NumPunti, TLavoro::MaxPunti);
    for (std::size_t n = 0; n < np; ++n) {
        const TPunto& p = l.Punti[n];
        const int px = X(p.tbs), py = Y(p.x);
        const int w = r.larghezzaTesto(p.Nome.testo());
        const int x = coordinata(static_cast<double>(px) + p.EtichDx - roundEven(w / 2.0));
        const int y = coordinata(static_cast<double>(py) + p.EtichDyStampa - ascesa);
        nomi.push_back({px, py, p.Marcato ? 10 : 3, w, h, Riquadro::daAngolo(x, y, w, h)});
        punti.push_back(&p);
    }
    const auto posti = posizionaNomi(nomi, campo, etichetteChart, linee, DistanzaNomeStampa);
    for (std::size_t n = 0; n < nomi.size(); ++n) {
        const NomePunto& p = nomi[n];
        const std::string nome = punti[n]->Nome.testo();
        if (posti[n] && !nome.empty())
            r.stampaXY(posti[n]->sinistra, posti[n]->alto + ascesa, nome);
        if (campo.contienePunto(p.x, p.y))
            r.ellisse(p.x - p.raggio, p.y - p.raggio, p.x + p.raggio, p.y + p.raggio);
    }
    r.setGrassetto(false);
}

void RiquadroASHRAE(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g) {
    r.setFont("Arial", 7);
    r.setColoreTesto(Nero);
    r.setPenna(PennaNera);
    r.setPennello(Trasparente);
    const char* riga1a = " DIAGRAMMA PSICROMETRICO";
    const char* riga1b = "  basato su  ";
    const char* riga1c = "ASHRAE ";
    r.setGrassetto(true);
    const int wa = r.larghezzaTesto(riga1a), wc = r.larghezzaTesto(riga1c);
    r.setGrassetto(false);
    const int wb = r.larghezzaTesto(riga1b);
    const int W1 = wa + wc + wb;
    const int H = roundEven(5.0 * r.altezzaRiga());
    const int XR =
        r.larghezzaPagina() - r.margineDxNonStampabile() - r.margineSxNonStampabile() - 20;
    const int top = g.offsetY - H;
    r.vaiA(XR - W1, top + roundEven(H / 5.0));
    r.setGrassetto(true);
    r.stampa(riga1a);
    r.setGrassetto(false);
    r.stampa(riga1b);
    r.setGrassetto(true);
    r.stampa(riga1c);
    r.setGrassetto(false);
    const auto centrata = [&](const std::string& t, int y) {
        r.stampaXY(XR - W1 / 2 - r.larghezzaTesto(t) / 2, y, t);
    };
    centrata(secondaRiga(d.lavoro.TestataChart.description.testo()), top + roundEven(H / 2.0));
    centrata("Pressione barometrica  " +
                 std::to_string(std::lround(d.lavoro.TestataChart.pressure)) + " Pa  - UNITA' SI -",
             top + roundEven(4.0 * H / 5.0));
    r.rettangolo(XR - W1, top, XR, g.offsetY);
}

void RiquadroPunti(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g) {
    const TLavoro& l = d.lavoro;
    r.vaiA(g.L, g.offsetY - 3 * r.altezzaRiga());
    r.setPenna(PennaNera);
    r.setFont("Arial", 10);
    r.altezzaRigaDalFont();

    r.pulisciTab();
    r.impostaTab(g.L + 12, Giustifica::Sinistra, 700, 10, bordo::Tutti, 10);
    r.setGrassetto(true);
    r.setColoreTesto(colore(d, Verde));
    r.tab();
    r.stampa(TitoloRiquadroPunti);
    r.aCapo();
    r.setColoreTesto(colore(d, Blu));
    r.setGrassetto(false);

    // Every text of the table first: each column is then as wide as its
    // widest text with a margin either side (100 and 125 at the least), so
    // that no number runs into the box lines.
    const std::vector<std::string> intestazione{"pto", "tbs", "UR", "tbu", "tsa", "x", "h", "v"};
    const std::vector<std::string> unita{"",
                                         "\xB0"
                                         "C",
                                         "%",
                                         "\xB0"
                                         "C",
                                         "\xB0"
                                         "C",
                                         "g/kg",
                                         "kJ/kg",
                                         "m3/kg"};
    std::vector<std::vector<std::string>> righe;
    const std::size_t np = std::min<std::size_t>(l.NumPunti, TLavoro::MaxPunti);
    for (std::size_t n = 0; n < np; ++n) {
        const TPunto& p = l.Punti[n];
        righe.push_back({p.Nome.testo(), fmt("##.##", p.tbs), fmt("###.#", p.UR),
                         fmt("##.##", p.tbu), fmt("###.##", p.tdp), fmt("##.##", p.x * 1000.0),
                         fmt("##.###", p.h / 1000.0), fmt("#.###", p.v)});
    }
    std::vector<int> larghezze{100, 125, 125, 125, 125, 125, 125, 125};
    const auto allarga = [&](const std::vector<std::string>& celle, double punti,
                             bool primaGrassetto, bool tuttoGrassetto) {
        r.setFont("Arial", punti);
        for (std::size_t i = 0; i < celle.size(); ++i) {
            r.setGrassetto(tuttoGrassetto || (primaGrassetto && i == 0));
            larghezze[i] =
                std::max(larghezze[i], r.larghezzaTesto(celle[i]) + 2 * MargineCellaPunti);
        }
        r.setGrassetto(false);
    };
    allarga(intestazione, 10, false, true);
    allarga(unita, 8, false, false);
    for (const auto& riga : righe)
        allarga(riga, 10, true, false);
    r.setFont("Arial", 10);

    r.pulisciTab();
    bool prima = true;
    for (const int w : larghezze) {
        r.impostaTab(prima ? g.L + 12 : -1, Giustifica::Centro, w, 0, bordo::Tutti, 0);
        prima = false;
    }
    const auto riga = [&](const std::vector<std::string>& celle, int senza) {
        for (const std::string& c : celle) {
            r.tab(senza);
            r.stampa(c);
        }
        r.aCapo();
    };
    r.setGrassetto(true);
    riga(intestazione, bordo::Basso);
    r.setGrassetto(false);
    corpoRigaSotto(r, 8);
    riga(unita, bordo::Alto);
    corpoRigaSotto(r, 10);
    for (const auto& valori : righe) {
        for (std::size_t i = 0; i < valori.size(); ++i) {
            r.tab();
            r.setGrassetto(i == 0);
            r.stampa(valori[i]);
        }
        r.setGrassetto(false);
        r.aCapo();
    }
    r.pulisciTab();
    r.altezzaRigaDalFont();
}

void DatiZona(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g) {
    const TLavoro& l = d.lavoro;
    const int S = g.L + 20, Y0 = g.T + 240 + 70;
    r.setPenna(PennaNera);
    r.setFont("Arial", 10);
    r.setCorsivo(true);
    r.setColoreTesto(colore(d, Rosso));
    r.stampaXY(S, Y0, l.Descrizione.testo());
    r.setCorsivo(false);
    if (l.TipoImpianto == 6)
        return;
    const std::string carico = l.TipoImpianto <= 2 ? "Carico" : "Fabbisogno";
    r.muoviA(g.L, Y0 + 20);
    r.lineaA(g.R, Y0 + 20);

    r.vaiA(S, Y0 + 80);
    celleZona(r, S + 12, 590, 120);
    const auto nulla = std::function<void(TBaseReport&)>{};
    const auto unita = [](std::string u) { return testo(std::move(u)); };
    std::vector<RigaZona> blocco1 = {
        {testo("Condizioni interne:"), nulla, nulla, "", 0},
        {testo("   temperatura bulbo secco"), [](TBaseReport& x) { simbolo(x, "tbs", "amb"); },
         unita("\xB0"
               "C"),
         fmt("##.##", l.tbsInt), 0},
        {testo("   umidit\xE0 relativa"), [](TBaseReport& x) { simbolo(x, "UR", "amb"); },
         unita("%"), fmt("##.##", l.URInt), 0},
        {testo("Condizioni esterne:"), nulla, nulla, "", 3},
        {testo("   temperatura bulbo secco"), [](TBaseReport& x) { simbolo(x, "tbs", "ext"); },
         unita("\xB0"
               "C"),
         fmt("##.##", l.tbsEst), 0},
        {testo("   umidit\xE0 relativa"), [](TBaseReport& x) { simbolo(x, "UR", "ext"); },
         unita("%"), fmt("##.##", l.UREst), 0},
        {testo("Volume della zona condizionata"), [](TBaseReport& x) { simbolo(x, "Vol"); },
         [](TBaseReport& x) { unitaApice(x, PuntiZona, "m", "3"); }, fmt("#####", l.Volume), 0},
    };
    stampaRigheZona(r, blocco1);

    r.vaiA(S + 1063, Y0 + 80);
    celleZona(r, S + 1043, 740, 150);
    std::vector<RigaZona> blocco2;
    blocco2.push_back({testo(carico + " sensibile ambiente"),
                       [](TBaseReport& x) { simbolo(x, "Q", "sens"); }, unita("kW"),
                       fmt("###.###", l.Csens), 0});
    if (l.flgCx == 1)
        blocco2.push_back({testo("Portata d'acqua"), [](TBaseReport& x) { simbolo(x, "Q", "x"); },
                           unita("g"), fmt("###.###", l.Cx), 0});
    else
        blocco2.push_back({testo("Carico latente ambiente"),
                           [](TBaseReport& x) { simbolo(x, "Q", "lat"); }, unita("kW"),
                           fmt("###.###", l.Clat), 0});
    blocco2.push_back({testo(carico + " totale ambiente"),
                       [](TBaseReport& x) { simbolo(x, "Q", "tot"); }, unita("kW"),
                       fmt("###.###", l.Ctot), 3});
    blocco2.push_back({testo("Rapporto Sensibile/Totale"),
                       [](TBaseReport& x) { simbolo(x, "Q", "sen", "/Q", "tot"); }, nulla,
                       fmt("##.###", l.CsenCtot), 0});
    if (l.TipoImpianto == 2) {
        blocco2.push_back({testo("Temperatura saturazione"),
                           [](TBaseReport& x) { simbolo(x, "t", "S"); },
                           unita("\xB0"
                                 "C"),
                           fmt("##.##", l.tSup), 0});
    } else {
        blocco2.push_back({testo("Portata d'aria di rinnovo"),
                           [](TBaseReport& x) { simbolo(x, "q", "rinn"); },
                           [](TBaseReport& x) { unitaApice(x, PuntiZona, "m", "3", "/h"); },
                           fmt("######", l.Qrinn * FattorePortata(UmM3H)), 0});
        blocco2.push_back({[](TBaseReport& x) {
                               unitaApice(x, 6, "   (portata d'aria normale a 0.816 m", "3",
                                          "/kg   - UNI10339)");
                           },
                           nulla, unita("kg/s"), fmt("###.###", l.Qrinn), 0});
    }
    if (l.TipoImpianto == 5)
        blocco2.push_back({testo("Umidit\xE0 relativa punto D"),
                           [](TBaseReport& x) { simbolo(x, "UR", "D"); }, unita("%"),
                           fmt("##.##", l.URD), 0});
    else if (l.flgQimm == 1)
        blocco2.push_back({testo("Portata d'aria da immettere nella zona"),
                           [](TBaseReport& x) { simbolo(x, "q", "imm"); }, unita("kg/s"),
                           fmt("##.####", l.Qimm), 0});
    else
        blocco2.push_back({testo("Temperatura aria da immettere nella zona"),
                           [](TBaseReport& x) { simbolo(x, "tbs", "imm"); },
                           unita("\xB0"
                                 "C"),
                           fmt("##.##", l.tbsImm), 0});
    if (l.TipoImpianto == 3 || l.TipoImpianto == 5)
        blocco2.push_back({testo("Temperatura acqua per umidificazione"),
                           [](TBaseReport& x) { simbolo(x, "t", "H2O"); },
                           unita("\xB0"
                                 "C"),
                           fmt("###.##", l.tH2O), 0});
    else if (l.TipoImpianto == 4)
        blocco2.push_back({testo("Temperatura vapore per umidificazione"),
                           [](TBaseReport& x) { simbolo(x, "t", "VAP"); },
                           unita("\xB0"
                                 "C"),
                           fmt("###.##", l.tH2O), 0});
    stampaRigheZona(r, blocco2);
    r.pulisciTab();
}

void TabellaTrattamenti(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g) {
    const TLavoro& l = d.lavoro;
    const int S = g.L + 20;
    r.vaiA(g.L, g.T + 240 + (l.TipoImpianto == 6 ? 170 : 690));
    r.setPenna(PennaNera);
    r.setFont("Arial", 10);
    r.altezzaRigaDalFont();

    r.pulisciTab();
    r.impostaTab(g.L + 12, Giustifica::Sinistra, 700, 10, bordo::Tutti, 10);
    r.impostaTab(-1, Giustifica::Sinistra, 1514, 10, bordo::Tutti, 0);
    r.tab();
    r.setGrassetto(true);
    r.setColoreTesto(colore(d, Verde));
    r.stampa("SEQUENZA DEI TRATTAMENTI  ");
    r.setGrassetto(false);
    r.tab();
    r.setCorsivo(true);
    r.setColoreTesto(colore(d, Blu));
    r.stampa(l.TitoloSequenza.testo());
    r.setCorsivo(false);
    r.aCapo();

    struct Colonna {
        const char* titolo;
        int larghezza;
        Giustifica g;
        int margine;
        std::string unita;
    };
    const bool m3h = d.testata.UmStampa == UmM3H;
    const Colonna colonne[] = {
        {"n.", 82, Giustifica::Centro, 0, ""},
        {"Trattamento", 448, Giustifica::Sinistra, 10, ""},
        {"Tratto", 130, Giustifica::Centro, 0, ""},
        {"qm", 177, Giustifica::Centro, 0, "kg/s"},
        {"qv", 177, Giustifica::Centro, 0, m3h ? "m3/h" : "l/s"},
        {"dt", 141, Giustifica::Centro, 0, "K"},
        {"dx", 141, Giustifica::Centro, 0, "g/kg"},
        {"dh", 141, Giustifica::Centro, 0, "kJ/kg"},
        {"Qs", 177, Giustifica::Centro, 0, "kW"},
        {"Qt", 177, Giustifica::Centro, 0, "kW"},
        {"qx", 141, Giustifica::Centro, 0, "g/s"},
        {"S/T", 141, Giustifica::Centro, 0, ""},
        {"dh/dx", 141, Giustifica::Centro, 0, ""},
    };
    r.pulisciTab();
    bool primo = true;
    for (const Colonna& c : colonne) {
        r.impostaTab(primo ? g.L + 12 : -1, c.g, c.larghezza, c.margine, bordo::Tutti, 0);
        primo = false;
    }
    const auto riga = [&](const std::vector<std::string>& celle, int senza) {
        for (const std::string& c : celle) {
            r.tab(senza);
            r.stampa(c);
        }
        r.aCapo();
    };
    r.setGrassetto(true);
    std::vector<std::string> titoli, unita;
    for (const Colonna& c : colonne) {
        titoli.emplace_back(c.titolo);
        unita.push_back(c.unita);
    }
    riga(titoli, bordo::Basso);
    r.setGrassetto(false);
    corpoRigaSotto(r, 8);
    riga(unita, bordo::Alto);
    corpoRigaSotto(r, 9);

    const double F = m3h ? FattoreVolume(UmM3H) : FattoreVolume(UmLS);
    const auto punto = [&](int n) -> const TPunto& {
        static const TPunto vuoto{};
        return n >= 1 && n <= static_cast<int>(TLavoro::MaxPunti)
                   ? l.Punti[static_cast<std::size_t>(n - 1)]
                   : vuoto;
    };
    const auto qx = [](double v) {
        const double g1000 = v * 1000.0;
        return g1000 < 99.999 ? fmt("##.###", g1000) : fmt("####.#", g1000);
    };
    int n = 0;
    bool batteria = false;
    const std::size_t nt = std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (std::size_t k = 0; k < nt; ++k) {
        const TTrattamento& t = l.Trattamenti[k];
        if (!t.Reale)
            continue;
        ++n;
        const int tipo = t.Tipo;
        if (tipo != 0 && tipo != 2 && tipo != 3 && tipo != 4 && tipo != 6)
            continue;
        batteria = batteria || tipo == 2;
        const TPunto& p1 = punto(t.Punto1);
        const TPunto& p2 = punto(t.Punto2);
        const std::string etichetta = t.Etichetta.testo();
        const std::size_t a_capo = etichetta.find_first_of("\r\n");
        const std::string linea1 = etichetta.substr(0, a_capo);
        std::string linea2;
        if (a_capo != std::string::npos) {
            std::size_t i = a_capo;
            while (i < etichetta.size() && (etichetta[i] == '\r' || etichetta[i] == '\n'))
                ++i;
            linea2 = etichetta.substr(i, etichetta.find_first_of("\r\n", i) - i);
        }
        riga({fmt("##", n), linea1, p1.Nome.testo(), fmt("##.####", p1.qm),
              fmt("######", F * p1.qm * p1.v), "", "", "", "", "", "", "", ""},
             bordo::Basso);
        std::vector<std::string> r2(13);
        r2[1] = linea2;
        r2[2] = p2.Nome.testo();
        if (tipo == 0 || tipo == 4 || tipo == 6) {
            r2[3] = fmt("##.####", p2.qm);
            r2[4] = fmt("######", F * p2.qm * p2.v);
            if (tipo != 0) {
                r2[5] = fmt("##.##", t.dt);
                r2[6] = fmt("##.##", t.dx);
                r2[7] = fmt("##.###", t.dh);
                r2[10] = qx(t.qx);
            }
        } else {
            r2[3] = fmt("##.####", p1.qm);
            r2[4] = fmt("######", F * p1.qm * p2.v);
            r2[5] = fmt("##.##", t.dt);
            if (tipo != 3)
                r2[6] = fmt("##.##", t.dx);
            r2[7] = fmt("##.###", t.dh);
            r2[8] = fmt("###.###", t.Qsen / 1000.0);
            r2[9] = fmt("###.###", t.Qtot / 1000.0);
            if (tipo != 3)
                r2[10] = qx(t.qx);
            r2[11] = fmt("##.###", t.ST);
            if (tipo != 3)
                r2[12] = fmt("###.##", t.dhdx);
        }
        riga(r2, bordo::Alto);
    }

    // Below the table, after an empty line.
    r.setFont("Arial", 10);
    r.aCapo();
    const auto zona = [&](int x, std::initializer_list<int> larghezze) {
        r.pulisciTab();
        bool primaCella = true;
        int i = 0;
        for (const int w : larghezze) {
            const Giustifica gi = i == 2 || i == 3 ? Giustifica::Destra : Giustifica::Sinistra;
            r.impostaTab(primaCella ? x : -1, gi, w, i == 4 ? 5 : 0, bordo::Basso, 0);
            primaCella = false;
            ++i;
        }
    };
    const auto cinque = [&](const std::function<void()>& descr, const std::function<void()>& sim,
                            const std::string& valore, const std::string& um) {
        r.setFont("Arial", PuntiZona);
        r.tab();
        descr();
        r.tab();
        sim();
        r.setFont("Arial", PuntiZona);
        r.tab();
        r.stampa("=");
        r.tab();
        r.stampa(valore);
        r.tab();
        r.stampa(um);
    };
    if (l.TipoImpianto == 1) {
        const TTrattamento& t2 = l.Trattamenti[1];
        zona(S + 12, {1783, 150, 10, 150, 100});
        cinque(
            [&] {
                r.stampa(" Contributo di potenza sensibile fornito dall'aria primaria per la "
                         "neutralizzazione di Q");
                r.setFont("Arial", 6);
                r.setPedice(true);
                r.stampa("sens");
                r.setPedice(false);
            },
            [&] { simbolo(r, "Con", "sen"); }, fmt("###.###", t2.QsenFan / 1000.0), "kW");
        r.aCapo();
        zona(S + 12, {1783, 150, 10, 150, 100});
        cinque([&] { r.stampa(" Potenza fan-coil"); }, [&] { simbolo(r, "Q", "FAN"); },
               fmt("###.###", t2.QFan / 1000.0), "kW");
        r.aCapo();
    }
    const bool impianto = l.TipoImpianto != 6;
    if (batteria) {
        zona(S + 12, {590, 120, 10, 120, 100});
        cinque([&] { r.stampa(" Fattore di contatto"); }, [&] { simbolo(r, "fs"); },
               fmt("##.###", l.fs), "");
    }
    if (impianto) {
        zona(S + 1043, {740, 150, 10, 150, 100});
        cinque([&] { r.stampa(" n\xB0. ricircoli"); }, [&] { simbolo(r, "qv/vol"); },
               fmt("##.###", l.QvVol), "");
    }
    if (batteria || impianto)
        r.aCapo();
    r.pulisciTab();
}

void RiquadroVerifiche(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g, int daY) {
    if (!d.verifiche)
        return;
    std::vector<std::string> avvisi;
    for (const Verifica& v : verifiche(d.lavoro, *d.verifiche))
        if (v.livello == LivelloVerifica::Avviso)
            avvisi.push_back(utf8ToCp1252(v.messaggio));
    if (avvisi.empty())
        return;
    // Down to the points box and the chart's title box over the chart.
    r.setFont("Arial", 10);
    const int punti = 3 * r.altezzaRigaFont();
    r.setFont("Arial", 7);
    const int titoloChart = roundEven(5.0 * r.altezzaRigaFont());
    const int fondo = g.offsetY - std::max(punti, titoloChart) - 20;
    const int alto = daY + 20;
    const int x1 = g.L + 12, x2 = g.R - 12;
    r.setPenna(PennaNera);
    r.setPennello(Trasparente);
    r.setFont("Arial", 9);
    r.altezzaRigaDalFont();
    const int riga = r.altezzaRiga();
    if (fondo - alto < 4 * riga)
        return; // no room: the list stays in the dialogs and the outputs
    // Texts stand on their line: the title's line is the first inside the
    // frame.
    r.vaiA(x1, alto + 10 + riga);
    r.setGrassetto(true);
    r.setColoreTesto(colore(d, Rosso));
    r.stampaXY(x1 + 10, r.Y(), "VERIFICHE");
    r.setGrassetto(false);
    r.setColoreTesto(Nero);
    r.vaiA(x1, r.Y() + riga);
    std::size_t scritti = 0;
    for (const std::string& a : avvisi) {
        // Room for this one (two lines at most) and for the count after it.
        const bool ultimo = scritti + 1 == avvisi.size();
        if (r.Y() + 2 * riga + (ultimo ? 0 : riga) > fondo)
            break;
        r.stampaXY(x1 + 10, r.Y(), "\x95");
        r.stampaMemo(a, 2, x1 + 40, x2 - 10);
        ++scritti;
    }
    if (scritti < avvisi.size()) {
        r.stampaXY(x1 + 40, r.Y(),
                   avvisi.size() - scritti == 1
                       ? std::string("... e un altro avviso: vedere l'elenco delle verifiche")
                       : "... e altri " + std::to_string(avvisi.size() - scritti) +
                             " avvisi: vedere l'elenco delle verifiche");
        r.vaiA(x1, r.Y() + riga);
    }
    r.rettangolo(x1, alto, x2, r.Y() + 10);
    r.altezzaRigaDalFont();
}

void Layout(TBaseReport& r, const DatiStampa& d, const GeometriaFoglio& g) {
    const TTestataLavoro& h = d.testata;
    r.setPenna(PennaNera);
    r.setPennello(Trasparente);
    r.setFont("Arial", 10);
    r.setGrassetto(true);
    r.setAltezzaRigaUtente(r.altezzaRigaFont() + 10);
    r.setColoreTesto(colore(d, Verde));
    r.pulisciTab();
    r.impostaTab(g.L, Giustifica::Sinistra, 310, 10, bordo::Tutti, 10);
    r.vaiA(g.L, g.T + 96);
    r.tab();
    r.stampa("Progetto:");
    r.pulisciTab();
    r.impostaTab(g.L, Giustifica::Sinistra, 300, 10, bordo::Tutti, 10);
    r.vaiA(g.L, g.T + 230);
    r.tab();
    r.stampa("Foglio n. " + h.NumFoglio.testo());
    r.pulisciTab();
    r.setGrassetto(false);
    r.altezzaRigaDalFont();
    r.rettangolo(g.L + 310, g.T + 50, g.R, g.T + 230);

    r.setFont("Arial", 8);
    r.setCorsivo(true);
    r.setColoreTesto(Nero);
    r.vaiA(g.L + 330, g.T + 96);
    r.stampaMemo(h.Progetto.testo(), 4, g.L + 330, g.R - 20);
    r.setCorsivo(false);

    r.rettangolo(g.L, g.T + 240, g.R, g.B - 50);

    r.setFont("Arial", 8);
    if (h.SenzaNome == 0 && !d.nomeFile.empty())
        r.stampaUltimaRiga("File: " + d.nomeFile, Giustifica::Sinistra);
    r.stampaUltimaRiga(h.PiePagina.testo(), Giustifica::Destra);
}

Esito ReportPrinter1Print(TBaseReport& r, const DatiStampa& d, const AvanzamentoStampa& a) {
    const auto sezione = [&](const char* nome) {
        if (a.sezione)
            a.sezione(nome);
    };
    const TLavoro& l = d.lavoro;
    sezione("Inizializza");
    GeometriaFoglio g;
    if (Esito e = Inizializza(r, l.TestataChart, g); !e.ok)
        return e;

    sezione("Diagramma");
    CanvasFoglio canvas(r, d.monocromatico, a, l.TestataChart.print.leftMargin + g.offsetX,
                        g.offsetY);
    std::vector<Riquadro> etichetteChart;
    if (Esito e = replayStampa(d.dirArchivi, l.CodiceChart, l.TestataChart, canvas,
                               PrintPlacement{g.offsetX, g.offsetY, false}, &etichetteChart);
        !e.ok)
        return e;
    r.setRotazione(0);
    r.setGrassetto(false);
    r.setCorsivo(false);

    const bool risultati = risultatiValidi(d);
    if (risultati) {
        sezione("Grafico Trattamenti");
        GraficoTrattamenti(r, d, g, etichetteChart);
    }
    sezione("Riquadro ASHRAE");
    RiquadroASHRAE(r, d, g);
    if (risultati) {
        sezione("Riquadro PUNTI");
        RiquadroPunti(r, d, g);
        sezione("Dati ZONA");
        DatiZona(r, d, g);
        sezione("Tabella trattamenti");
        TabellaTrattamenti(r, d, g);
        sezione("Verifiche");
        RiquadroVerifiche(r, d, g, r.Y());
    }
    sezione("Layout");
    Layout(r, d, g);
    sezione("Dettaglio");
    return {};
}

Esito ComponiFoglio(const DatiStampa& d, ReportDevice& misura, Registrazione& out,
                    const AvanzamentoStampa& a) {
    RegistratoreReport registratore(misura);
    registratore.nuovaPagina();
    TBaseReport r(registratore);
    if (Esito e = ReportPrinter1Print(r, d, a); !e.ok)
        return e;
    out = registratore.prendi();
    return {};
}

} // namespace tarvelo
