#include "chart/chart_builder.h"

#include "chart/chart_replay.h"
#include "document/checksum.h"
#include "engine/altitude.h"
#include "engine/moist_air.h"
#include "engine/numeric.h"
#include "engine/state_solver.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>

namespace tarvelo {

namespace {

// Per version: print (0) and screen (1).
struct Costanti {
    int fontEtichette, fontVolumi, pennaUR, pennaEntalpia, coloreBulboUmido5, dy1, dx2;
};
constexpr Costanti PerVersione[2] = {
    {7, 5, 2, 2, paletta::Acqua, 25, 10},  // print
    {5, 2, 1, 1, paletta::Marrone, 5, 10}, // screen
};
constexpr int MargineBasso = 25, MargineDestro = 35, MargineSinistro = 15, MargineAlto = 10;
constexpr int LarghezzaStampa = 2016, AltezzaStampa = 1430;

// A sample below the bottom edge, pulled back onto it along the segment
// from the previous sample.
Campione sulBordoInferiore(Campione prev, Campione c, int y0) {
    if (c.Y <= y0 || c.Y == prev.Y)
        return c;
    return {c.X - static_cast<int>(std::nearbyint(static_cast<double>(c.Y - y0) * (c.X - prev.X) /
                                                  (c.Y - prev.Y))),
            y0};
}

std::string intero(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
}

} // namespace

// Writes commands with logical X (x0 added), keeps the current label font
// for measuring.
class TC_BldChart::Emitter {
  public:
    Emitter(MetaWriter& w, int x0, FontState& font) : w_(w), x0_(x0), font_(font) {}
    void move(Campione c) { w_.move(c.X + x0_, c.Y); }
    void line(Campione c) { w_.line(c.X + x0_, c.Y); }
    void moveAbs(int X, int Y) { w_.move(X, Y); }
    void lineAbs(int X, int Y) { w_.line(X, Y); }
    void labelAbs(int X, int Y, int p, const std::string& t) { w_.label(X, Y, p, t); }
    void box(int top, int left, int bottom, int right, const std::string& t) {
        w_.boxTopLeft(top, left);
        w_.boxBottomRight(bottom, right);
        w_.boxText(t);
    }
    void pen(int style, int colour, int width) {
        w_.penStyle(style);
        w_.penMode(ModoCopia);
        w_.penColour(colour);
        w_.penWidth(width);
    }
    void penWidth(int width) { w_.penWidth(width); }
    void font(int size, int style) {
        w_.fontSize(size);
        w_.fontStyle(style);
        font_.size = size;
        font_.style = style;
    }
    int x0() const { return x0_; }

  private:
    MetaWriter& w_;
    int x0_;
    FontState& font_;
};

TC_BldChart::TC_BldChart(const ParametriChart& p, TextMeasurer& misura) : p_(p), misura_(misura) {}

TextSize TC_BldChart::misura(const std::string& text) const {
    return misura_.measure(font_, text);
}

int TC_BldChart::guard(double x) const {
    const double v = s_.sy * x;
    if (!std::isfinite(v) || std::fabs(v) > 32767 || std::fabs(s_.y0 - v) > 32767)
        return Irrappresentabile;
    return s_.y0 - roundEven(v);
}

int TC_BldChart::ysat(int logicalX) const {
    const long col = static_cast<long>(logicalX) - static_cast<long>(s_.sx) * p_.tbsMin;
    const long last = static_cast<long>(saturazione_.size()) - 1;
    return saturazione_[static_cast<std::size_t>(std::clamp(col, 0L, last))].Y;
}

int TC_BldChart::yscale(int X) const {
    const int den = s_.xs1 - s_.xs0;
    if (den == 0)
        return s_.ys1;
    return roundEven(s_.ys0 + static_cast<double>(s_.ys1 - s_.ys0) * (X - s_.xs0) / den);
}

void TC_BldChart::scale(int versione, const AreaVideo& area, ScalaVersione& s) {
    double ur, h, tbu, tdp, rd, rm;
    StatoTbsX(p_.tbsMax, p_.xMax / 1000.0, ur, h, tbu, tdp, rd, rm);
    hMax_ = h;
    tbuMax_ = tbu;
    vMax_ = 1.0 / rd;
    StatoTbsX(p_.tbsMin, 0.0, ur, h, tbu, tdp, rd, rm);
    hMin_ = h;
    tbuMin_ = tbu;
    vMin_ = 0.75;

    const bool video = versione == VersioneVideo;
    s.y0 = video ? area.height - MargineBasso : AltezzaStampa;
    const int width = video ? area.width - MargineDestro : LarghezzaStampa;
    // The range runs from tbsMin to tbsMax, also when tbsMin is above 0 °C.
    const int range = p_.tbsMax - p_.tbsMin;
    s.sx = static_cast<int>(Decimo(static_cast<double>(width) / range));
    s.sy = static_cast<int>(Decimo(static_cast<double>(s.y0) / p_.xMax * 1000.0));
    s.x0 = -s.sx * p_.tbsMin;
    s.W = s.sx * range;

    s_ = s;
    saturazione_.clear();
    saturazione_.reserve(static_cast<std::size_t>(s.W) + 1);
    std::optional<int> xTop;
    for (int X = s.sx * p_.tbsMin; X <= s.sx * p_.tbsMax; ++X) {
        Colonna c;
        c.t = static_cast<double>(X) / s.sx;
        c.ps = PressSat(c.t);
        c.xs = XdaPv(c.ps, Patm);
        c.Y = guard(c.xs);
        saturazione_.push_back(c);
        if (!xTop && c.Y <= 0)
            xTop = X;
    }

    s.xs0 = s.sx * p_.tbsMin;
    s.ys0 = saturazione_.front().Y - 50;
    if (xTop) {
        s.xs1 = *xTop - 50;
        s.ys1 = 0;
    } else if (const int ye = saturazione_.back().Y; ye >= 50) {
        s.xs1 = s.sx * p_.tbsMax;
        s.ys1 = ye - 50;
    } else {
        s.xs1 = s.sx * p_.tbsMax - 50;
        s.ys1 = 0;
    }
    s.scalaX = roundEven((s.xs0 + s.xs1) / 2.0) + s.x0;
    s.scalaY = roundEven((s.ys0 + s.ys1) / 2.0);
    s.scalaAngolo =
        roundEven(std::atan(static_cast<double>(s.ys1 - s.ys0) / (s.xs0 - s.xs1)) * 180.0 / M_PI);
    s_ = s;
}

namespace {

// Y on the segment P1–P2 at column X.
int yi(Campione a, Campione b, int X) {
    if (b.X == a.X)
        return b.Y;
    return roundEven(a.Y + static_cast<double>(b.Y - a.Y) * (X - a.X) / (b.X - a.X));
}

// Steps one column at a time from `from` towards `to` (inclusive) until the
// condition holds; the search never passes the other sample's column.
Campione cerca(Campione p1, Campione p2, bool daP2, const std::function<bool(int, int)>& cond) {
    const Campione from = daP2 ? p2 : p1, to = daP2 ? p1 : p2;
    const int step = to.X >= from.X ? 1 : -1;
    for (int X = from.X;; X += step) {
        const int y = yi(p1, p2, X);
        if (cond(X, y) || X == to.X)
            return {X, y};
    }
}

} // namespace

void TC_BldChart::umiditaRelativa(Emitter& e) {
    const Costanti& k = PerVersione[versione_];
    e.pen(stile::Solido, paletta::Blu, k.pennaUR);
    e.font(k.fontEtichette, -1);
    const int n = static_cast<int>(std::floor((p_.tbsMax - p_.tbsMin) * 100.0 + 1e-6));
    for (int ur = 10; ur <= 100; ur += 10) {
        for (int i = 0; i <= n; ++i) {
            const double t = p_.tbsMin + i * 0.01;
            const double x = XdaPv(ur / 100.0 * PressSat(t), Patm);
            // x0 is added before rounding: at half degrees with an odd x0
            // the two orders land one unit apart.
            const int X = roundEven(s_.sx * t + s_.x0);
            if (i == 0)
                e.moveAbs(X, guard(x));
            else
                e.lineAbs(X, guard(x));
        }
    }
}

void TC_BldChart::entalpie(Emitter& e, bool ticks) {
    const Costanti& k = PerVersione[versione_];
    const double passo = ticks ? 1000.0 : 10000.0;
    if (ticks) {
        e.pen(stile::Solido, paletta::Rosso, 1);
    } else {
        e.pen(stile::Solido, paletta::Fucsia, 1);
        e.font(k.fontEtichette, 1);
        e.move({s_.xs0, s_.ys0});
        e.line({s_.xs1, s_.ys1});
        e.penWidth(k.pennaEntalpia);
    }
    const int ysatTbsMin = ysat(p_.tbsMin); // the column named by the number tbsMin
    for (double h = static_cast<double>(Decimo(hMin_ / passo)) * passo; h < hMax_; h += passo) {
        bool iniziata = false, finita = false, sulBordo = false;
        Campione prev{};
        for (int t = p_.tbsMin; t <= p_.tbsMax; ++t) {
            const Campione c{roundEven(s_.sx * t), guard(XdaTbsH(t, h))};
            if (t == p_.tbsMin) {
                e.move(c);
            } else if (!iniziata) {
                if (yscale(c.X) >= c.Y) {
                    e.move(c);
                } else if (ticks && prev.Y >= ysat(prev.X)) {
                    // A tick that starts inside the field never crosses the
                    // band between the scale line and the curve: no line.
                    iniziata = finita = true;
                    e.move(c);
                } else {
                    iniziata = true;
                    if (prev.Y > s_.ys0) {
                        // Starting below the field's bottom, it ends there.
                        if (prev.Y <= s_.y0)
                            e.line(sulBordoInferiore(prev, c, s_.y0));
                        sulBordo = c.Y > s_.y0;
                        finita = finita || (ticks && sulBordo);
                    } else {
                        const Campione x =
                            cerca(prev, c, true, [this](int X, int y) { return yscale(X) >= y; });
                        e.move(x);
                        e.line(c);
                        if (!ticks) {
                            const std::string testo = intero(h / 1000.0);
                            if (x.Y > misura(testo).h) {
                                e.labelAbs(x.X + e.x0(), x.Y, 4, testo);
                                e.move(c);
                            }
                        }
                    }
                }
            } else if (ticks && finita) {
                e.move(c);
            } else if (ticks && c.Y >= ysat(c.X)) {
                finita = true;
                if (prev.Y <= ysatTbsMin)
                    e.line(cerca(prev, c, false, [this](int X, int y) { return y > ysat(X); }));
                else
                    e.line(c);
            } else if (!sulBordo) {
                // A segment wholly below the bottom edge is not drawn.
                if (prev.Y <= s_.y0)
                    e.line(sulBordoInferiore(prev, c, s_.y0));
                sulBordo = c.Y > s_.y0;
            }
            prev = c;
        }
    }
}

void TC_BldChart::volumi(Emitter& e, bool etichette) {
    const Costanti& k = PerVersione[versione_];
    e.pen(stile::Solido, paletta::Verde, 1);
    e.font(k.fontVolumi, -1);
    const int ysat0 = ysat(0);
    for (double v = static_cast<double>(Decimo(vMin_ / 0.025)) * 0.025; v < vMax_; v += 0.025) {
        LineaSottoCurva linea;
        for (int t = p_.tbsMin; t <= p_.tbsMax; ++t) {
            const double x = XdaRhoTbs(1.0 / v, t);
            if (x > 0.03)
                continue;
            campioneSottoCurva(e, linea, {roundEven(s_.sx * t), guard(x)}, false, !etichette,
                               ysat0);
        }
        if (etichette && versione_ == VersioneStampa && linea.disegnata &&
            linea.ultimo.Y >= s_.y0) {
            // The point whatever the C locale: a desktop started in Italian
            // would otherwise store "0,850" in the chart file.
            char buf[32];
            const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
            const std::string testo(buf, r.ptr);
            const TextSize m = misura(testo);
            const int X = linea.ultimo.X + e.x0();
            if (X + roundEven(m.w / 2.0) - 20 < s_.W) {
                e.box(s_.y0 - m.h - 10, X + 15 - roundEven(m.w / 2.0) - 20, s_.y0 - 10,
                      X + roundEven(m.w / 2.0) - 20, testo);
                e.labelAbs(X, s_.y0, 5, testo);
            }
        }
    }
}

void TC_BldChart::bulboUmido(Emitter& e, int passo) {
    const double inizio = passo == 1 ? static_cast<double>(Decimo(tbuMin_))
                                     : static_cast<double>(Decimo(tbuMin_ / 5.0)) * 5.0;
    if (passo == 1)
        e.pen(stile::Punteggiato, paletta::Acqua, 1);
    else
        e.pen(stile::Solido, PerVersione[versione_].coloreBulboUmido5, 1);
    const int ysat0 = ysat(0);
    for (double tbu = inizio; tbu < tbuMax_; tbu += passo) {
        LineaSottoCurva linea;
        for (int t = p_.tbsMin; t <= p_.tbsMax; ++t)
            campioneSottoCurva(e, linea, {roundEven(s_.sx * t), guard(XdaTbsTbu(t, tbu))}, true,
                               true, ysat0);
    }
}

void TC_BldChart::campioneSottoCurva(Emitter& e, LineaSottoCurva& l, Campione c,
                                     bool primoSottoDisegna, bool scrivi, int ysat0) {
    if (l.primo) {
        // The first sample is a move; a wet-bulb line that starts below the
        // curve is drawn from it.
        l.primo = false;
        e.move(c);
        l.disegna = primoSottoDisegna && ysat(c.X) < c.Y;
    } else if (!l.disegna) {
        if (ysat(c.X) >= c.Y) {
            e.move(c); // on or above the curve
        } else {
            // The line starts on the curve, found column by column; the
            // search is made when the previous sample lies on or above the
            // curve's Y at 0 °C.
            l.disegna = true;
            if (l.prev.Y <= ysat0) {
                const Campione x =
                    cerca(l.prev, c, true, [this](int X, int y) { return ysat(X) >= y; });
                e.move({x.X, ysat(x.X)});
            } else if (l.prev.Y > s_.y0 && c.Y > s_.y0) {
                // Both samples below the bottom edge: the line never enters
                // the field, and nothing of it is drawn.
                l.sulBordo = true;
                l.prev = c;
                return;
            }
            if (scrivi)
                e.line(c);
            l.disegnata = true;
            l.ultimo = c;
        }
    } else if (!l.sulBordo) {
        // A segment wholly below the bottom edge is not drawn.
        const Campione d = sulBordoInferiore(l.prev, c, s_.y0);
        if (scrivi && l.prev.Y <= s_.y0)
            e.line(d);
        l.sulBordo = c.Y > s_.y0;
        l.ultimo = d;
    }
    l.prev = c;
}

void TC_BldChart::bulboSecco(Emitter& e, bool ogniCinque) {
    const Costanti& k = PerVersione[versione_];
    e.pen(stile::Solido, paletta::Nero, ogniCinque ? 2 : 1);
    if (ogniCinque)
        e.font(k.fontEtichette, -1);
    for (int t = p_.tbsMin; t <= p_.tbsMax; ++t) {
        if ((t % 5 == 0) != ogniCinque)
            continue;
        const int X = s_.sx * t + s_.x0;
        int yTop = ysat(s_.sx * t);
        if (yTop < 1)
            yTop = 0;
        e.moveAbs(X, yTop);
        e.lineAbs(X, s_.y0);
        if (ogniCinque)
            e.labelAbs(X, s_.y0, 1, std::to_string(t));
    }
}

void TC_BldChart::lineeUmidita(Emitter& e) {
    const Costanti& k = PerVersione[versione_];
    e.pen(stile::Solido, paletta::Nero, k.pennaUR);
    e.font(k.fontEtichette, -1);
    for (int i = 0; i < p_.xMax; ++i) {
        const int Y = guard(i / 1000.0);
        double t = p_.tbsMin;
        for (int j = 0; t < p_.tbsMax && ysat(roundEven(s_.sx * t)) > Y; ++j)
            t = p_.tbsMin + (j + 1) * 0.01;
        e.move({roundEven(s_.sx * t), Y});
        e.lineAbs(s_.W, Y);
    }
}

void TC_BldChart::etichetteBulboSecco(Emitter& e) {
    for (int t = p_.tbsMin; t <= p_.tbsMax; ++t) {
        if (t % 5 != 0)
            continue;
        const int X = s_.sx * t + s_.x0;
        int yTop = ysat(s_.sx * t);
        if (yTop < 1)
            yTop = 0;
        e.moveAbs(X, yTop);
        const std::string testo = std::to_string(t);
        const TextSize m = misura(testo);
        if (m.h < yTop) {
            e.box(yTop - m.h, X + 15 - roundEven(m.w / 2.0) - m.w, yTop,
                  X + roundEven(m.w / 2.0) - m.w, testo);
            e.labelAbs(X, yTop, 3, testo);
        }
    }
}

void TC_BldChart::etichetteUmiditaRelativa(Emitter& e) {
    e.font(PerVersione[versione_].fontEtichette, -1);
    for (int ur = 10; ur <= 90; ur += 10) {
        double x, h, tbu, tdp, rd, rm;
        StatoTbsUR(p_.tbsMax, ur / 100.0, x, h, tbu, tdp, rd, rm);
        double t = p_.tbsMax;
        const bool sopra = x > p_.xMax / 1000.0;
        if (sopra) {
            x = p_.xMax / 1000.0;
            t = TbsdaXUR(x, ur / 100.0);
        }
        const int X = roundEven(s_.sx * t + s_.x0);
        const int Y = s_.y0 - roundEven(s_.sy * x);
        const std::string testo = std::to_string(ur) + "%";
        const TextSize m = misura(testo);
        const int dx = sopra ? 0 : -roundEven(3.0 * m.w / 2.0);
        const int dy = sopra ? -roundEven(3.0 * m.h / 2.0) : 0;
        const int top = Y + dy, left = X + 15 + dx;
        e.box(top, left, top + m.h, left + m.w, testo);
        e.labelAbs(X, Y, 6, testo);
    }
}

std::string TC_BldChart::passo(int versione, const AreaVideo& area, ScalaVersione& scala) {
    versione_ = versione == VersioneVideo ? VersioneVideo : VersioneStampa;
    font_ = FontState{};
    scale(versione_, area, scala);
    MetaWriter w;
    Emitter e(w, s_.x0, font_);
    umiditaRelativa(e);     // step 2
    entalpie(e, false);     // step 3
    entalpie(e, true);      // step 4
    volumi(e, false);       // step 5
    bulboUmido(e, 1);       // step 6
    bulboUmido(e, 5);       // step 7
    bulboSecco(e, true);    // step 8
    bulboSecco(e, false);   // step 9
    lineeUmidita(e);        // step 10
    etichetteBulboSecco(e); // step 11
    e.font(PerVersione[versione_].fontEtichette, -1);
    for (int i = 0; i < p_.xMax; i += 2)
        e.labelAbs(s_.W, guard(i / 1000.0), 2, std::to_string(i));
    volumi(e, true);
    etichetteUmiditaRelativa(e); // step 12
    return w.text();
}

Esito verificaParametri(const ParametriChart& p, const AreaVideo& area) {
    if (p.tbsMin >= p.tbsMax)
        return Esito::fallito("la tbs minima (" + std::to_string(p.tbsMin) +
                              " °C) deve essere inferiore alla massima (" +
                              std::to_string(p.tbsMax) + " °C)");
    if (p.tbsMin < -100 || p.tbsMax > 200)
        return Esito::fallito("il campo di temperatura deve stare tra -100 e 200 °C");
    if (p.xMax <= 0)
        return Esito::fallito("la x massima deve essere maggiore di 0 g/kg");
    if (p.xMax > 1000)
        return Esito::fallito("la x massima non può superare 1000 g/kg");
    if (std::string m = verificaPressione(p.Patm); !m.empty())
        return Esito::fallito(m);
    if (p.descrizione.size() > 255)
        return Esito::fallito("la descrizione supera i 255 caratteri");
    const int range = p.tbsMax - p.tbsMin;
    if (area.width - MargineDestro < range || area.height - MargineBasso < 50)
        return Esito::fallito("l'area del diagramma (" + std::to_string(area.width) + "×" +
                              std::to_string(area.height) + ") è troppo piccola");
    if (area.width > 30000 || area.height > 30000)
        return Esito::fallito("l'area del diagramma è troppo grande");
    if (LarghezzaStampa < range)
        return Esito::fallito("il campo di temperatura è troppo ampio per il foglio");
    return {};
}

namespace {

void riempiSezione(ChartVersion& v, const ScalaVersione& s) {
    v.sx = s.sx;
    v.sy = s.sy;
    v.W = static_cast<std::int16_t>(s.W);
    v.y0 = static_cast<std::int16_t>(s.y0);
    v.bottomMargin = MargineBasso;
    v.rightMargin = MargineDestro;
    v.leftMargin = MargineSinistro;
    v.topMargin = MargineAlto;
}

// Both versions built and converted, then the chart file replaced whole.
RisultatoGenerazione costruisci(const ParametriChart& p, int codice,
                                const ArchivioDefault& archivio, TextMeasurer& misura,
                                const AreaVideo& area, ChartCanvas* anteprima) {
    RisultatoGenerazione r;
    r.codice = codice;
    TTestataChart& h = r.testata;
    h.description.assegna(p.descrizione);
    h.tbsMin = p.tbsMin;
    h.tbsMax = p.tbsMax;
    h.xMax = p.xMax;
    h.pressure = Patm;
    h.dy1Print = PerVersione[VersioneStampa].dy1;
    h.dy1Screen = PerVersione[VersioneVideo].dy1;
    h.dx2Print = PerVersione[VersioneStampa].dx2;
    h.dx2Screen = PerVersione[VersioneVideo].dx2;

    TC_BldChart builder(p, misura);
    ScalaVersione video, stampa;
    const std::string testoVideo = builder.passo(VersioneVideo, area, video);
    if (anteprima)
        disegnaAnteprima(testoVideo, *anteprima);
    VersioneConvertita cv, cs;
    if (Esito e = convertiTesto(testoVideo, cv); !e.ok) {
        r.esito = e;
        return r;
    }
    const std::string testoStampa = builder.passo(VersioneStampa, area, stampa);
    if (Esito e = convertiTesto(testoStampa, cs); !e.ok) {
        r.esito = e;
        return r;
    }
    riempiSezione(h.screen, video);
    riempiSezione(h.print, stampa);
    h.enthalpyScaleX = stampa.scalaX;
    h.enthalpyScaleY = stampa.scalaY;
    h.enthalpyScaleSlope = stampa.scalaAngolo;
    h.printOffset = static_cast<std::int32_t>(cv.bytes.size());
    auto blocks = [](ChartVersion& v, const VersioneConvertita& c) {
        v.blockCount = static_cast<std::uint8_t>(c.blocchi.size());
        v.blockSizes = {};
        std::copy(c.blocchi.begin(), c.blocchi.end(), v.blockSizes.begin());
    };
    blocks(h.screen, cv);
    blocks(h.print, cs);

    std::vector<std::uint8_t> file = cv.bytes;
    file.insert(file.end(), cs.bytes.begin(), cs.bytes.end());
    // The header and the file are written one after the other: the
    // fingerprint lets a reader tell a file that does not belong to its
    // header (a crash between the two writes) even when the sizes agree.
    h.fileChecksum = crc32(file);
    if (Esito e = replaceFile(archivio.dir() + chartFileName(codice), file); !e.ok) {
        r.esito = e;
        r.erroreDisco = true;
        return r;
    }
    r.esito = archivio.scriviTestataChart(codice, h);
    r.erroreDisco = !r.esito.ok;
    return r;
}

} // namespace

namespace {
ParametriChart parametriDaTestata(const TTestataChart& h, double patm) {
    ParametriChart p;
    p.tbsMin = h.tbsMin;
    p.tbsMax = h.tbsMax;
    p.xMax = h.xMax;
    p.Patm = patm;
    p.descrizione = h.description.testo();
    return p;
}
} // namespace

RisultatoGenerazione generaChart(const ParametriChart& p, int codice, bool nuovo,
                                 const ArchivioDefault& archivio, TDefault& defaults,
                                 TextMeasurer& misura, const AreaVideo& area,
                                 ChartCanvas* anteprima) {
    const BloccoEsclusivo blocco(archivio.pathBlocco());
    return generaChartSottoBlocco(p, codice, nuovo, archivio, defaults, misura, area, anteprima);
}

RisultatoGenerazione generaChartSottoBlocco(const ParametriChart& p, int codice, bool nuovo,
                                            const ArchivioDefault& archivio, TDefault& defaults,
                                            TextMeasurer& misura, const AreaVideo& area,
                                            ChartCanvas* anteprima) {
    RisultatoGenerazione r;
    if (Esito e = verificaParametri(p, area); !e.ok) {
        r.esito = e;
        return r;
    }
    // A chart added to the archive by another program is counted: the
    // record is read under the lock, so the code chosen is free.
    TDefault suDisco;
    if (Esito e = archivio.leggiDefault(suDisco); !e.ok) {
        r.esito = e;
        r.erroreDisco = true;
        return r;
    }
    const int numChart = std::max<int>(defaults.NumChart, suDisco.NumChart);
    if (nuovo) {
        // The catalogue lists 201 charts; beyond, codes and files would wrap.
        if (numChart >= static_cast<int>(ArchivioDefault::MaxVociCatalogo)) {
            r.esito = Esito::fallito(MsgCatalogoPieno);
            return r;
        }
        codice = numChart + 1;
    } else if (codice < 1 || codice > numChart) {
        r.esito = Esito::fallito(MsgCodiceNonEsiste);
        return r;
    }
    const double previous = Patm;
    Patm = p.Patm;
    r = costruisci(p, codice, archivio, misura, area, anteprima);
    Patm = previous;
    if (!r.esito.ok)
        return r;
    TDefault scritto = defaults;
    scritto.NumChart = static_cast<std::uint16_t>(nuovo ? codice : numChart);
    r.esito = archivio.scriviDefault(scritto);
    r.erroreDisco = !r.esito.ok;
    if (r.esito.ok)
        defaults = scritto;
    return r;
}

RisultatoGenerazione generaChart(const ParametriChart& p, int codice, bool nuovo,
                                 const ArchivioDefault& archivio, TextMeasurer& misura,
                                 const AreaVideo& area, ChartCanvas* anteprima) {
    TDefault defaults;
    if (Esito e = archivio.leggiDefault(defaults); !e.ok) {
        RisultatoGenerazione r;
        r.esito = e;
        r.erroreDisco = true;
        return r;
    }
    return generaChart(p, codice, nuovo, archivio, defaults, misura, area, anteprima);
}

RisultatoGenerazione rigeneraChart(int codice, const ArchivioDefault& archivio,
                                   TextMeasurer& misura, const AreaVideo& area,
                                   ChartCanvas* anteprima) {
    const BloccoEsclusivo blocco(archivio.pathBlocco());
    RisultatoGenerazione r;
    TTestataChart h;
    if (Esito e = archivio.leggiTestataChart(codice, h); !e.ok) {
        r.esito = e;
        return r;
    }
    const ParametriChart p = parametriDaTestata(h, Patm);
    if (Esito e = verificaParametri(p, area); !e.ok) {
        r.esito = e;
        return r;
    }
    return costruisci(p, codice, archivio, misura, area, anteprima);
}

VideoInMemoria costruisciVideo(const TTestataChart& h, TextMeasurer& misura,
                               const AreaVideo& area) {
    VideoInMemoria r;
    const ParametriChart p = parametriDaTestata(h, h.pressure);
    if (Esito e = verificaParametri(p, area); !e.ok) {
        r.esito = e;
        return r;
    }
    const double previous = Patm;
    Patm = p.Patm;
    TC_BldChart builder(p, misura);
    ScalaVersione video;
    const std::string testo = builder.passo(VersioneVideo, area, video);
    Patm = previous;
    if (Esito e = convertiTesto(testo, r.versione); !e.ok) {
        r.esito = e;
        return r;
    }
    r.testata = h;
    riempiSezione(r.testata.screen, video);
    r.testata.screen.blockCount = static_cast<std::uint8_t>(r.versione.blocchi.size());
    r.testata.screen.blockSizes = {};
    std::copy(r.versione.blocchi.begin(), r.versione.blocchi.end(),
              r.testata.screen.blockSizes.begin());
    // The header describes the version held in memory: the print version
    // would start after it.
    r.testata.printOffset = static_cast<std::int32_t>(r.versione.bytes.size());
    return r;
}

bool videoAdatto(const TTestataChart& h, const AreaVideo& area) {
    const int range = h.tbsMax - h.tbsMin;
    if (range <= 0 || h.xMax <= 0)
        return true; // nothing better can be built
    const int y0 = area.height - MargineBasso;
    const int sx =
        static_cast<int>(Decimo(static_cast<double>(area.width - MargineDestro) / range));
    const int sy = static_cast<int>(Decimo(static_cast<double>(y0) / h.xMax * 1000.0));
    return y0 == h.screen.y0 && sx == static_cast<int>(h.screen.sx) &&
           sy == static_cast<int>(h.screen.sy);
}

ParametriChart parametriChartIniziale() {
    ParametriChart p;
    p.tbsMin = -5;
    p.tbsMax = 36;
    p.xMax = 26;
    p.Patm = 101325.0;
    p.descrizione = "Diagramma standard -5...36 \xB0"
                    "C, 101325 Pa\r\nDiagramma psicrometrico ASHRAE al livello del mare";
    return p;
}

void disegnaAnteprima(const std::string& testo, ChartCanvas& canvas) {
    canvas.fillWhite(0, 0, 32767, 32767);
    std::size_t pos = 0;
    PenState pen;
    FontState font;
    while (pos < testo.size()) {
        std::size_t end = testo.find('\n', pos);
        if (end == std::string::npos)
            end = testo.size();
        const auto c = parseMetaLine(std::string_view(testo).substr(pos, end - pos));
        pos = end + 1;
        if (!c)
            continue;
        switch (c->code) {
        case cmd::Move:
            canvas.moveTo(c->a + MargineSinistro, c->b);
            break;
        case cmd::Line:
            canvas.lineTo(c->a + MargineSinistro, c->b);
            break;
        case cmd::Label:
            if (c->a >= 0 && c->b >= 0)
                canvas.textTopLeft(c->a + MargineSinistro, c->b, c->text);
            break;
        case cmd::PenStyle:
            pen.style = c->a;
            canvas.setPen(pen);
            break;
        case cmd::PenColour:
            pen.colour = paletteColour(c->a);
            canvas.setPen(pen);
            break;
        case cmd::PenWidth:
            pen.width = c->a;
            canvas.setPen(pen);
            break;
        case cmd::FontSize:
            font.size = c->a;
            canvas.setFont(font);
            break;
        case cmd::FontStyle:
            font.style = c->a;
            canvas.setFont(font);
            break;
        default:
            break;
        }
    }
}

} // namespace tarvelo
