#include "engine/state_solver.h"

#include "engine/moist_air.h"
#include "engine/root_finder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tarvelo {

namespace {

constexpr double Epsilon = 0.62198;

// The wet-bulb solver needs the boiling point at the current pressure at
// every call. It is a pure function of Patm, so the last one is remembered.
struct BoilingCache {
    double p = -1.0;
    double tb = 0.0;
};

double boilingPoint(double p) {
    thread_local BoilingCache cache;
    if (cache.p != p) {
        cache.tb = TempSat(p);
        cache.p = p;
    }
    return cache.tb;
}

// The root finder's convergence test on the step, made before the residual
// is computed: when it holds, CercaZero would return x whatever f is, so the
// saturation pressure at x need not be evaluated at all.
bool stepConverged(const StoriaZero& s, int k, double x) {
    return k != 1 && std::fabs(x - s.X1) < 1e-5 * std::fmax(1e-9, std::fabs(x));
}

// XdaTbsTbu with the saturation pressure at tbu already known.
double xDaTbsTbuPs(double t, double tbu, double psTbu) {
    const double xs = XdaPv(psTbu, Patm);
    return (((CpVap - CAcqua) * tbu + R0) * xs - (t - tbu) * CpAria) /
           (CpVap * t + R0 - CAcqua * tbu);
}

// Vapour pressures in the band between the ice relation just below 0 °C and
// the water relation at 0 °C belong to no temperature: the relations do not
// join. The solvers cannot converge there, and their sentinel 0.0 is then
// the true answer.
bool inIceWaterGap(double p) {
    return p >= PressSat(-1e-9) && p <= PressSat(0.0);
}

// The wet bulb of air the iteration cannot reach in its 20 steps: hot air
// near or above the boiling point, whose first guess is held just below
// boiling while its wet bulb lies far below it, and air so supersaturated
// that its wet bulb would lie near boiling. The residual
// x - XdaTbsTbu(t, tw) falls as tw rises and has no finite value once the
// saturation pressure at tw reaches Patm, where it counts as negative; so the
// dry bulb (or the boiling point below it) bounds the wet bulb from above,
// and stepping down from there finds a lower bound. Bisection then closes in
// on it. Only within the range of the saturation relations; beyond it there
// is no wet bulb to give.
SolveResult bracketedWetBulb(double x, double t) {
    constexpr SolveResult none{NonConvergente, false};
    if (!(t >= TemperaturaMinima && t <= TemperaturaMassima))
        return none;
    const auto residual = [x, t](double tw) {
        const double ps = PressSat(tw);
        if (!(ps < Patm))
            return -std::numeric_limits<double>::infinity();
        return x - xDaTbsTbuPs(t, tw, ps);
    };
    double hi = t;
    const double rHi = residual(hi);
    if (rHi >= 0.0)
        return {t, true}; // the wet bulb would lie above the dry bulb
    if (!(rHi < 0.0))
        return none;
    double lo = hi;
    for (double passo = 1.0;; passo *= 2.0) {
        lo = std::max(t - passo, TemperaturaMinima);
        const double r = residual(lo);
        if (r > 0.0)
            break;
        if (!(r <= 0.0) || lo == TemperaturaMinima)
            return none;
        hi = lo;
    }
    while (hi - lo > 1e-10) {
        const double mezzo = 0.5 * (lo + hi);
        if (residual(mezzo) > 0.0)
            lo = mezzo;
        else
            hi = mezzo;
    }
    return {0.5 * (lo + hi), true};
}

// Every saturation-temperature loop starts at 100 °C and perturbs to
// 100.01 °C, so its first two saturation pressures are fixed.
const double PsInizio1 = PressSat(100.0);
const double PsInizio2 = PressSat(100.0 * 1.0001);

// The two solving loops as step-by-step machines, so that the wet bulb and
// the dew point of one state can advance side by side: their chains of
// dependent operations are independent, and the processor overlaps them.
class SaturationLoop {
  public:
    explicit SaturationLoop(double p) : p_(p) {}
    bool done() const { return done_; }
    SolveResult result() const { return result_; }

    void step() {
        if (++k_ > 50)
            return finish({NonConvergente, inIceWaterGap(p_)});
        if (stepConverged(storia_, k_, t_))
            return finish({t_, true});
        const double ps = k_ == 1 ? PsInizio1 : (k_ == 2 ? PsInizio2 : PressSat(t_));
        const PassoZero passo = CercaZero(storia_, static_cast<std::uint8_t>(k_), p_ - ps, t_);
        if (passo.convergito)
            return finish({t_, true});
        t_ = passo.x;
    }

  private:
    void finish(SolveResult r) {
        result_ = r;
        done_ = true;
    }
    double p_;
    StoriaZero storia_;
    double t_ = 100.0;
    int k_ = 0;
    bool done_ = false;
    SolveResult result_{NonConvergente, false};
};

// Wet bulb of air (x, t); psT is PressSat(t), which every state procedure
// has already computed and which the first step usually needs.
class WetBulbLoop {
  public:
    WetBulbLoop(double x, double t, double psT)
        : x_(x), t_(t), psT_(psT), tb_(boilingPoint(Patm)),
          tw_(std::max(0.0, std::min({100.0, t, tb_ - 0.1}))) {}
    bool done() const { return done_; }
    SolveResult result() const { return result_; }

    void step() {
        if (++k_ > 20) {
            const bool atGap = t_ >= 0.0 && x_ >= XdaTbsTbu(t_, -1e-9) && x_ <= XdaTbsTbu(t_, 0.0);
            return finish(atGap ? SolveResult{NonConvergente, true} : bracketedWetBulb(x_, t_));
        }
        // Keep the guess below boiling, where the wet-bulb relation holds.
        if (tw_ >= tb_ - 0.09)
            tw_ = tb_ - 0.1;
        if (stepConverged(storia_, k_, tw_))
            return finish({tw_ > t_ ? t_ : tw_, true});
        const double ps = tw_ == t_ ? psT_ : PressSat(tw_);
        const double f = x_ - xDaTbsTbuPs(t_, tw_, ps);
        const PassoZero passo = CercaZero(storia_, static_cast<std::uint8_t>(k_), f, tw_);
        if (passo.convergito)
            return finish({tw_ > t_ ? t_ : tw_, true});
        tw_ = passo.x;
    }

  private:
    void finish(SolveResult r) {
        result_ = r;
        done_ = true;
    }
    double x_, t_, psT_, tb_, tw_;
    StoriaZero storia_;
    int k_ = 0;
    bool done_ = false;
    SolveResult result_{NonConvergente, false};
};

template <typename Loop> SolveResult run(Loop loop) {
    while (!loop.done())
        loop.step();
    return loop.result();
}

SolveResult wetBulb(double x, double t, double psT) {
    return run(WetBulbLoop(x, t, psT));
}

double dewPoint(double x) {
    if (x < 1e-9)
        return NessunaRugiada;
    return run(SaturationLoop(Patm * x / (x + Epsilon))).value;
}

// Wet bulb and dew point of one state, solved side by side.
void wetBulbAndDewPoint(double x, double t, double psT, double& tbu, double& tdp) {
    WetBulbLoop wet(x, t, psT);
    if (x < 1e-9) {
        tbu = run(wet).value;
        tdp = NessunaRugiada;
        return;
    }
    SaturationLoop dew(Patm * x / (x + Epsilon));
    while (!wet.done() && !dew.done()) {
        wet.step();
        dew.step();
    }
    while (!wet.done())
        wet.step();
    while (!dew.done())
        dew.step();
    tbu = wet.result().value;
    tdp = dew.result().value;
}

// Several states in flight at once: each lane holds one state's wet-bulb
// and dew-point loops; a lane that finishes takes the next state. The
// processor then overlaps many independent chains.
void wetBulbsAndDewPoints(std::size_t n, const double* x, const double* t, const double* psT,
                          double* tbu, double* tdp) {
    constexpr std::size_t Lanes = 4;
    struct Lane {
        std::size_t index;
        WetBulbLoop wet;
        SaturationLoop dew;
    };
    auto make = [&](std::size_t i) {
        Lane lane{i, WetBulbLoop(x[i], t[i], psT[i]),
                  SaturationLoop(Patm * x[i] / (x[i] + Epsilon))};
        return lane;
    };
    std::size_t next = 0;
    std::array<std::optional<Lane>, Lanes> lanes;
    for (auto& lane : lanes) {
        if (next < n)
            lane.emplace(make(next++));
    }
    bool busy = true;
    while (busy) {
        busy = false;
        for (auto& lane : lanes) {
            if (!lane)
                continue;
            busy = true;
            if (!lane->wet.done())
                lane->wet.step();
            if (!lane->dew.done())
                lane->dew.step();
            if (lane->wet.done() && lane->dew.done()) {
                const std::size_t i = lane->index;
                tbu[i] = lane->wet.result().value;
                tdp[i] = x[i] < 1e-9 ? NessunaRugiada : lane->dew.result().value;
                if (next < n)
                    lane.emplace(make(next++));
                else
                    lane.reset();
            }
        }
    }
}

} // namespace

void StatiTbsUR(std::size_t n, const double* t, const double* UR, StatoCompleto* out) {
    constexpr std::size_t Block = 64;
    double x[Block], ps[Block], tt[Block], tbu[Block], tdp[Block];
    for (std::size_t start = 0; start < n; start += Block) {
        const std::size_t m = std::min(Block, n - start);
        for (std::size_t i = 0; i < m; ++i) {
            tt[i] = t[start + i];
            ps[i] = PressSat(tt[i]);
            x[i] = XdaPv(UR[start + i] * ps[i], Patm);
        }
        wetBulbsAndDewPoints(m, x, tt, ps, tbu, tdp);
        for (std::size_t i = 0; i < m; ++i) {
            StatoCompleto& s = out[start + i];
            s.x = x[i];
            s.h = HdaTbsX(tt[i], x[i]);
            s.tbu = tbu[i];
            s.tdp = tdp[i];
            s.rd = RhoSecca(x[i], tt[i]);
            s.rm = RhoUmida(x[i], s.rd);
        }
    }
}

SolveResult tempSatChecked(double p) {
    return run(SaturationLoop(p));
}

double TempSat(double p) {
    return tempSatChecked(p).value;
}

double TdpdaX(double x) {
    return dewPoint(x);
}

double XdaTbsTbu(double t, double tbu) {
    return xDaTbsTbuPs(t, tbu, PressSat(tbu));
}

SolveResult tbuDaTbsXChecked(double x, double t) {
    return wetBulb(x, t, PressSat(t));
}

double TbudaTbsX(double x, double t) {
    return wetBulb(x, t, PressSat(t)).value;
}

void StatoTbsUR(double t, double UR, double& x, double& h, double& tbu, double& tdp, double& rd,
                double& rm) {
    const double ps = PressSat(t);
    x = XdaPv(UR * ps, Patm);
    h = HdaTbsX(t, x);
    wetBulbAndDewPoint(x, t, ps, tbu, tdp);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void StatoTbsTbu(double t, double tbu, double& x, double& UR, double& h, double& tdp, double& rd,
                 double& rm) {
    const double ps = PressSat(t);
    x = XdaTbsTbu(t, tbu);
    UR = URdaX(x, ps, Patm);
    h = HdaTbsX(t, x);
    tdp = dewPoint(x);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void StatoTbsX(double t, double x, double& UR, double& h, double& tbu, double& tdp, double& rd,
               double& rm) {
    const double ps = PressSat(t);
    UR = URdaX(x, ps, Patm);
    h = HdaTbsX(t, x);
    wetBulbAndDewPoint(x, t, ps, tbu, tdp);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void StatoTbsH(double t, double h, double& x, double& UR, double& tbu, double& tdp, double& rd,
               double& rm) {
    const double ps = PressSat(t);
    x = XdaTbsH(t, h);
    UR = URdaX(x, ps, Patm);
    wetBulbAndDewPoint(x, t, ps, tbu, tdp);
    rd = RhoSecca(x, t);
    rm = RhoUmida(x, rd);
}

void XHVdaTbsUR(double t, double UR, double& x, double& h, double& vd) {
    const double ps = PressSat(t);
    x = XdaPv(UR * ps, Patm);
    h = HdaTbsX(t, x);
    const double rd = RhoSecca(x, t);
    if (rd != 0.0)
        vd = 1.0 / rd;
}

double TbsdaXUR(double x, double UR) {
    return TempSat((Patm * x / (x + Epsilon)) / UR);
}

} // namespace tarvelo
