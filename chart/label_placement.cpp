#include "chart/label_placement.h"

#include "chart/chart_replay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tarvelo {

bool ritagliaSegmento(const Riquadro& campo, int& x1, int& y1, int& x2, int& y2) {
    // Liang-Barsky: the segment as x1 + t·dx, t in [0, 1], narrowed edge by
    // edge.
    const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    double t0 = 0, t1 = 1;
    const auto taglia = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    if (!taglia(-dx, static_cast<double>(x1) - campo.sinistra) ||
        !taglia(dx, static_cast<double>(campo.destra) - x1) ||
        !taglia(-dy, static_cast<double>(y1) - campo.alto) ||
        !taglia(dy, static_cast<double>(campo.basso) - y1))
        return false;
    const int ax = x1, ay = y1;
    // An end inside stays exactly where it was.
    if (t1 < 1) {
        x2 = coordinata(ax + t1 * dx);
        y2 = coordinata(ay + t1 * dy);
    }
    if (t0 > 0) {
        x1 = coordinata(ax + t0 * dx);
        y1 = coordinata(ay + t0 * dy);
    }
    return true;
}

namespace {

long long sovrapposizione(const Riquadro& a, const Riquadro& b) {
    if (!a.interseca(b))
        return 0;
    const long long w = std::min(a.destra, b.destra) - std::max(a.sinistra, b.sinistra);
    const long long h = std::min(a.basso, b.basso) - std::max(a.alto, b.alto);
    return w * h;
}

// How much of a line runs through a name's rectangle (its inside: a line
// along an edge does not cross it); at least 1 when it does.
long long attraversato(const Riquadro& r, const Segmento& s) {
    if (r.destra - r.sinistra < 2 || r.basso - r.alto < 2)
        return 0;
    const Riquadro dentro{r.sinistra + 1, r.alto + 1, r.destra - 1, r.basso - 1};
    int x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
    if (!ritagliaSegmento(dentro, x1, y1, x2, y2))
        return 0;
    return std::max<long long>(1, std::llround(std::hypot(x2 - x1, y2 - y1)));
}

// The eight positions around a point, in the order they are tried.
std::array<Riquadro, 8> intorno(const NomePunto& p, int distanza) {
    const int d = p.raggio + distanza;
    // The corners touch the circle of radius d at 45 degrees, clear of the
    // marker's square.
    const int k = std::max(roundEven(d * 0.70710678118654752), p.raggio + 1);
    const int cx = p.x - p.w / 2, cy = p.y - p.h / 2;
    const auto r = [&](int x, int y) { return Riquadro::daAngolo(x, y, p.w, p.h); };
    return {r(cx, p.y - d - p.h),
            r(cx, p.y + d),
            r(p.x + d, cy),
            r(p.x - d - p.w, cy),
            r(p.x + k, p.y - k - p.h),
            r(p.x - k - p.w, p.y - k - p.h),
            r(p.x + k, p.y + k),
            r(p.x - k - p.w, p.y + k)};
}

} // namespace

std::vector<std::optional<Riquadro>> posizionaNomi(const std::vector<NomePunto>& punti,
                                                   const Riquadro& campo,
                                                   const std::vector<Riquadro>& etichetteChart,
                                                   const std::vector<Segmento>& linee,
                                                   int distanza) {
    std::vector<Riquadro> ostacoli = etichetteChart;
    for (const NomePunto& p : punti)
        if (campo.contienePunto(p.x, p.y))
            ostacoli.push_back(
                {p.x - p.raggio, p.y - p.raggio, p.x + p.raggio + 1, p.y + p.raggio + 1});
    std::vector<std::optional<Riquadro>> out;
    out.reserve(punti.size());
    for (const NomePunto& p : punti) {
        std::optional<Riquadro> scelto;
        if (campo.contienePunto(p.x, p.y)) {
            long long minimo = std::numeric_limits<long long>::max();
            const auto prova = [&](const Riquadro& c) {
                if (!campo.contiene(c))
                    return false;
                long long coperto = 0;
                for (const Riquadro& o : ostacoli)
                    coperto += sovrapposizione(c, o);
                for (const Segmento& s : linee)
                    coperto += attraversato(c, s);
                if (coperto < minimo) {
                    minimo = coperto;
                    scelto = c;
                }
                return coperto == 0;
            };
            if (!prova(p.chiesto))
                for (const Riquadro& c : intorno(p, distanza))
                    if (prova(c))
                        break;
        }
        if (scelto)
            ostacoli.push_back(*scelto);
        out.push_back(scelto);
    }
    return out;
}

} // namespace tarvelo
