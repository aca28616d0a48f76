#include "chart/diagram_view.h"

#include "chart/chart_replay.h"
#include "document/error_messages.h"
#include "engine/decimal_text.h"
#include "engine/moist_air.h"
#include "engine/state_solver.h"

#include <algorithm>
#include <cmath>

namespace tarvelo {

VistaDiagramma VistaDiagramma::daTestata(const TTestataChart& h) {
    VistaDiagramma v;
    v.y0 = h.screen.y0;
    v.W = h.screen.W;
    // The header is checked before a chart is shown; these stay defined
    // for any header all the same.
    v.sy = roundEven(h.screen.sy);
    v.sx = std::clamp(roundEven(h.screen.sx), 1, 30000);
    // As the builder places 0 °C: also right for a range above 0 °C.
    v.x0 = coordinata(-static_cast<double>(v.sx) * h.tbsMin);
    v.margineSinistro = std::clamp<int>(h.screen.leftMargin, 0, 1000);
    v.margineAlto = std::clamp<int>(h.screen.topMargin, 0, 1000);
    v.tbsMax = std::clamp<int>(h.tbsMax, -1000, 1000);
    v.tbsMin = std::clamp<int>(h.tbsMin, -1000, 1000);
    v.xMax = std::clamp<int>(h.xMax, 0, 1000000);
    return v;
}

int VistaDiagramma::X(double tbs) const {
    return coordinata(sx * tbs + x0 + margineSinistro);
}
int VistaDiagramma::Y(double x) const {
    return coordinata(y0 - static_cast<double>(roundEven(sy * x)));
}
double VistaDiagramma::tbsDaX(int px) const {
    return static_cast<double>(px - x0 - margineSinistro) / sx;
}
double VistaDiagramma::xDaY(int py) const {
    return sy ? static_cast<double>(y0 - py) / sy : 0.0;
}

bool VistaDiagramma::FUORI_CAMPO(int px, int py) const {
    const int c = px - x0 - margineSinistro;
    return c > tbsMax * sx || c < tbsMin * sx || py > xMax * static_cast<double>(sy) / 1000.0;
}

Riquadro VistaDiagramma::campo() const {
    return {X(tbsMin), Y(xMax / 1000.0), X(tbsMax), Y(0.0)};
}

LetturaStato leggiStato(const VistaDiagramma& v, int X, int Y) {
    LetturaStato s;
    s.x = v.xDaY(Y);
    s.tbs = v.tbsDaX(X);
    double ur = 0;
    StatoTbsX(s.tbs, s.x, ur, s.h, s.tbu, s.tdp, s.rd, s.rm);
    s.UR = ur;
    s.Psat = PressSat(s.tbs);
    s.Pv = ur * s.Psat;
    s.soprassatura = ur * 100.0 > 100.0;
    return s;
}

std::array<std::string, 11> LetturaStato::testi() const {
    auto f = [](double v, int d) { return FloatToStrFixed(v, 15, d); };
    return {f(tbs, 1), f(tbu, 1),        f(x * 1000.0, 1),
            f(h, 0),   f(UR * 100.0, 0), f(tdp, 1),
            f(rd, 3),  f(rm, 3),         rd != 0.0 ? f(1.0 / rd, 3) : std::string("Div-0?"),
            f(Pv, 0),  f(Psat, 0)};
}

std::string testoTestGrave(int X, int Y) {
    return "X =" + std::to_string(X) + "\r\nY =" + std::to_string(Y) + "\r\n";
}

namespace {
// Colours are hexadecimal RGB: gray is 80 80 80 hex, as navy is 00 00 80.
constexpr Rgb Grigio{0x80, 0x80, 0x80};
constexpr Rgb Rosso{255, 0, 0};
constexpr Rgb BluTesto{0, 0, 255};
constexpr Rgb Bianco{255, 255, 255};
constexpr int NessunaManiglia = 6;
// Pixels between a point's marker and its name.
constexpr int DistanzaNomeVideo = 2;
} // namespace

Rgb coloreWindows(std::int32_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    return {static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>((u >> 8) & 0xFF),
            static_cast<std::uint8_t>((u >> 16) & 0xFF)};
}

EsitoDisegno DisegnaTrattamento(TLavoro& l, const VistaDiagramma& v, ChartCanvas& canvas, int drag,
                                int raggioPrecedente, const std::vector<Riquadro>& etichetteChart) {
    EsitoDisegno r;
    r.raggioMarcatore = raggioPrecedente;
    if (l.CodiceErrore != 0) {
        r.stato = MessaggioErrore(l);
        r.errore = true;
    } else {
        r.stato = "Ok";
    }
    const std::size_t nt = std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    if (nt == 0)
        return r;
    const Riquadro campo = v.campo();
    std::vector<Segmento> linee; // as drawn, for the names to keep off
    const std::size_t np = std::min<std::size_t>(l.NumPunti, TLavoro::MaxPunti);
    auto punto = [&](std::int32_t n) -> const TPunto* {
        return n >= 1 && static_cast<std::size_t>(n) <= TLavoro::MaxPunti ? &l.Punti[n - 1]
                                                                          : nullptr;
    };
    for (std::size_t k = 0; k < nt; ++k) {
        const TTrattamento& t = l.Trattamenti[k];
        if (!t.Visibile)
            continue;
        PenState pen;
        pen.style = t.StilePenna;
        if (l.CodiceErrore != 0) {
            pen.colour = Grigio;
            pen.width = 2;
        } else {
            pen.colour = coloreWindows(t.Colore);
            pen.width = drag == NessunaManiglia ? t.Spessore : 2;
        }
        canvas.setPen(pen);
        const TPunto* a = punto(t.Punto1);
        const TPunto* b = punto(t.Punto2);
        if (!a || !b)
            continue;
        int x1 = v.X(a->tbs), y1 = v.Y(a->x), x2 = v.X(b->tbs), y2 = v.Y(b->x);
        if (!ritagliaSegmento(campo, x1, y1, x2, y2))
            continue;
        canvas.moveTo(x1, y1);
        canvas.lineTo(x2, y2);
        linee.push_back({x1, y1, x2, y2});
    }
    // The markers take the first treatment's pen, whether it is shown or not.
    PenState pen;
    pen.style = l.Trattamenti[0].StilePenna;
    pen.colour = coloreWindows(l.Trattamenti[0].Colore);
    pen.width = l.Trattamenti[0].Spessore;
    const Rgb P = pen.colour;
    FontState font;
    font.size = 16;
    font.style = 0;
    canvas.setFont(font);
    // Every name is measured and placed before any is drawn.
    struct Disegno {
        TPunto* p;
        int raggio;
        Rgb etichetta, penna;
    };
    std::vector<Disegno> disegni;
    std::vector<NomePunto> nomi;
    for (std::size_t i = 0; i < np; ++i) {
        TPunto& p = l.Punti[i];
        if (!p.InUso)
            continue;
        p.X = v.X(p.tbs);
        p.Y = v.Y(p.x);
        Disegno d{&p, p.Marcato ? 4 : 2, p.Marcato ? BluTesto : Rosso, P};
        if (drag == p.Maniglia && drag != NessunaManiglia) {
            d.etichetta = Rosso;
            d.penna = Rosso;
        } else if (drag != NessunaManiglia) {
            d.etichetta = Grigio;
            d.penna = Grigio;
        }
        const TextSize t = canvas.measure(p.Nome.testo());
        // Offsets come from the file: added in double, then held in range.
        const int x = coordinata(static_cast<double>(p.X) + p.EtichDx - roundEven(t.w / 2.0));
        const int y = coordinata(static_cast<double>(p.Y) + p.EtichDyVideo);
        nomi.push_back({p.X, p.Y, d.raggio, t.w, t.h, Riquadro::daAngolo(x, y, t.w, t.h)});
        disegni.push_back(d);
    }
    const auto posti = posizionaNomi(nomi, campo, etichetteChart, linee, DistanzaNomeVideo);
    for (std::size_t i = 0; i < disegni.size(); ++i) {
        const Disegno& d = disegni[i];
        r.raggioMarcatore = d.raggio;
        pen.colour = d.penna;
        canvas.setPen(pen);
        font.colour = d.etichetta;
        canvas.setFont(font);
        if (posti[i] && !d.p->Nome.testo().empty())
            canvas.textTopLeft(posti[i]->sinistra, posti[i]->alto, d.p->Nome.testo());
        if (campo.contienePunto(d.p->X, d.p->Y))
            canvas.circle(d.p->X, d.p->Y, d.raggio, Bianco);
    }
    font.style = -1;
    canvas.setFont(font);
    return r;
}

namespace {

void anello(ChartCanvas& canvas, int x, int y, int r) {
    constexpr int Lati = 24;
    constexpr double Pi = 3.14159265358979323846;
    for (int i = 0; i <= Lati; ++i) {
        const double a = 2 * Pi * i / Lati;
        const int px = x + static_cast<int>(std::lround(r * std::cos(a)));
        const int py = y + static_cast<int>(std::lround(r * std::sin(a)));
        if (i == 0)
            canvas.moveTo(px, py);
        else
            canvas.lineTo(px, py);
    }
}

} // namespace

void DisegnaSegniVerifiche(const TLavoro& l, const VistaDiagramma& v, ChartCanvas& canvas,
                           const std::vector<int>& punti, int scelto, int raggio) {
    const auto visibile = [&](int n) -> const TPunto* {
        if (n < 1 || n > static_cast<int>(TLavoro::MaxPunti))
            return nullptr;
        const TPunto& p = l.Punti[static_cast<std::size_t>(n - 1)];
        return p.InUso && !v.FUORI_CAMPO(p.X, p.Y) ? &p : nullptr;
    };
    PenState pen;
    pen.width = 2;
    pen.colour = {255, 140, 0};
    canvas.setPen(pen);
    for (const int n : punti)
        if (const TPunto* p = visibile(n))
            anello(canvas, p->X, p->Y, raggio + 4);
    if (const TPunto* p = visibile(scelto)) {
        pen.colour = {220, 0, 0};
        canvas.setPen(pen);
        anello(canvas, p->X, p->Y, raggio + 8);
    }
}

} // namespace tarvelo
