// The wet bulb of air at or above the boiling point, and of heavily
// supersaturated air, held to a calculation of its own: the adiabatic
// saturation balance solved by plain bisection, with only the saturation
// pressure taken from the engine.
#include "engine/air_state.h"
#include "engine/moist_air.h"
#include "engine/state_solver.h"
#include "support/digits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tarvelo {
namespace {

using test::HasDigits;

// Air (t, x) saturated adiabatically by water at tw leaves saturated at tw:
//   1006 t + x (1805 t + 2501000) + (xs - x) 4186 tw = 1006 tw + xs (1805 tw + 2501000).
// The surplus of the left side falls as tw rises; the wet bulb is its zero,
// capped at the dry bulb. At and above boiling no air is saturated, so the
// zero lies below.
double referenceWetBulb(double x, double t, double patm) {
    const auto surplus = [&](double tw) {
        const double ps = PressSat(tw);
        if (ps >= patm)
            return -std::numeric_limits<double>::infinity();
        const double xs = 0.62198 * ps / (patm - ps);
        return 1006.0 * t + x * (1805.0 * t + 2501000.0) + (xs - x) * 4186.0 * tw -
               (1006.0 * tw + xs * (1805.0 * tw + 2501000.0));
    };
    double lo = -100.0, hi = t;
    if (surplus(hi) >= 0.0)
        return t;
    for (int i = 0; i < 100; ++i) {
        const double mid = 0.5 * (lo + hi);
        (surplus(mid) > 0.0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

class WetBulbNearBoiling : public ::testing::Test {
  protected:
    void TearDown() override { Patm = PatmStandard; }
};

TEST_F(WetBulbNearBoiling, StatesTheIterationAloneCouldNotSolve) {
    const struct {
        CoppiaNota coppia;
        double a, b, patm;
        const char* letto; // as `stato` prints it
    } casi[] = {
        {CoppiaNota::TbsUR, 99.9, 1.0, 101325.0, "33.8"}, // just below boiling (99.974 °C)
        {CoppiaNota::TbsUR, 99.9, 21.0, 101325.0, "63.3"},
        {CoppiaNota::TbsUR, 150.0, 3.0, 101325.0, "59.5"},
        {CoppiaNota::TbsUR, 200.0, 0.0, 101325.0, "45.0"}, // dry air
        {CoppiaNota::TbsUR, 65.2, 1.0, 25000.0, "8.8"},    // boiling at 64.97 °C
        {CoppiaNota::TbsUR, 66.6, 15.0, 25000.0, "31.1"},
        {CoppiaNota::TbsUR, 120.0, 1.0, 25000.0, "25.9"},
        {CoppiaNota::TbsUR, 200.0, 0.0, 25000.0, "21.9"},
        {CoppiaNota::TbsUR, 75.7, 6.0, 40000.0, "27.0"}, // below boiling (75.86 °C)
        {CoppiaNota::TbsUR, 110.0, 12.0, 85000.0, "59.5"},
        {CoppiaNota::TbsX, 120.0, 0.05, 85000.0, "46.0"},
        {CoppiaNota::TbsH, 180.0, 209339.0, 55000.0, "35.1"},
        // Fog so dense that the wet bulb would lie near boiling: capped at
        // the dry bulb, as any supersaturated air.
        {CoppiaNota::TbsX, 20.0, 0.2, 101325.0, "20.0"},
        {CoppiaNota::TbsX, -40.0, 0.3, 55000.0, "-40.0"},
    };
    for (const auto& c : casi) {
        const std::string caso = std::to_string(c.a) + " " + std::to_string(c.b) + " at " +
                                 std::to_string(c.patm) + " Pa";
        const EsitoStato e = calcolaStato(c.coppia, c.a, c.b, c.patm);
        if (!e.ok) {
            ADD_FAILURE() << caso << ": " << e.errore;
            continue;
        }
        const double t = e.stato.tbs, x = e.stato.x;
        EXPECT_NEAR(e.stato.tbu, referenceWetBulb(x, t, c.patm), 5e-4) << caso;
        EXPECT_LE(e.stato.tbu, t) << caso;
        EXPECT_TRUE(HasDigits(e.stato.tbu, c.letto)) << caso;

        // The raw solver says the same and calls it converged.
        Patm = c.patm;
        const SolveResult r = tbuDaTbsXChecked(x, t);
        EXPECT_TRUE(r.converged) << caso;
        EXPECT_EQ(r.value, e.stato.tbu) << caso;
        Patm = PatmStandard;
    }
}

// From just below boiling to the top of the range, at the lowest, the
// standard and the highest pressure. Air whose vapour is nearly all of the
// pressure is left out: a wet bulb within 0.1 K of boiling is out of the
// iteration's reach, and it may settle on its guard there.
TEST_F(WetBulbNearBoiling, EveryStateAboveBoilingHasItsWetBulb) {
    for (const double patm : {25000.0, 101325.0, 115000.0}) {
        Patm = patm;
        const double tb = TempSat(patm);
        std::vector<double> ts, urs, tbus;
        for (double t = std::floor(tb) - 1.0; t <= TemperaturaMassima; t += 2.5) {
            for (const double ur : {0.0, 0.01, 0.1, 0.4, 0.8, 1.0}) {
                const double pv = ur * PressSat(t);
                if (pv > 0.99 * patm)
                    continue;
                const std::string caso = std::to_string(t) + " °C " + std::to_string(ur) + " at " +
                                         std::to_string(patm) + " Pa";
                double x, h, tbu, tdp, rd, rm;
                StatoTbsUR(t, ur, x, h, tbu, tdp, rd, rm);
                EXPECT_NEAR(tbu, referenceWetBulb(x, t, patm), 5e-4) << caso;
                EXPECT_TRUE(tbuDaTbsXChecked(x, t).converged) << caso;
                ts.push_back(t);
                urs.push_back(ur);
                tbus.push_back(tbu);
            }
        }
        // Solved side by side, the same states come out bit for bit the same.
        std::vector<StatoCompleto> out(ts.size());
        StatiTbsUR(ts.size(), ts.data(), urs.data(), out.data());
        for (std::size_t i = 0; i < ts.size(); ++i)
            EXPECT_EQ(out[i].tbu, tbus[i]) << ts[i] << " °C " << urs[i] << " at " << patm;
    }
}

TEST_F(WetBulbNearBoiling, AirWithNoWetBulbStillGetsTheSentinel) {
    const struct {
        double t, x, patm;
        const char* perche;
    } casi[] = {
        {25.0, -0.5, 101325.0, "less water than dry air at any wet bulb from -100 °C"},
        {150.0, -0.3, 25000.0, "less water than dry air at any wet bulb from -100 °C"},
        {25.0, std::nan(""), 101325.0, "no humidity ratio"},
        {300.0, 0.0, 101325.0, "dry bulb beyond the saturation relations"},
        {-300.0, 0.0, 101325.0, "below absolute zero"},
    };
    for (const auto& c : casi) {
        Patm = c.patm;
        const SolveResult r = tbuDaTbsXChecked(c.x, c.t);
        EXPECT_FALSE(r.converged) << c.perche;
        EXPECT_EQ(r.value, NonConvergente) << c.perche;
        EXPECT_EQ(TbudaTbsX(c.x, c.t), NonConvergente) << c.perche;
    }
    Patm = PatmStandard;

    // The checked calculation names it rather than passing the sentinel on:
    // a dry bulb from x and h is not held to the range by the pair itself.
    const EsitoStato e = calcolaStato(CoppiaNota::XH, 0.0, HdaTbsX(300.0, 0.0), 101325.0);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("bulbo umido"), std::string::npos) << e.errore;
}

} // namespace
} // namespace tarvelo
