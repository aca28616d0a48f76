// The solvers take shortcuts for speed (fixed first pressures, no residual
// on the converging step, the saturation pressure shared with the state
// procedure, several states solved side by side). Here they are held bit for bit to the plain
// step-by-step algorithm over a dense spread of states and pressures.
#include "engine/moist_air.h"
#include "engine/root_finder.h"
#include "engine/state_solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tarvelo {
namespace {

double plainTempSat(double p) {
    StoriaZero s;
    double t = 100.0;
    for (int k = 1; k <= 50; ++k) {
        const double f = p - PressSat(t);
        const PassoZero r = CercaZero(s, static_cast<std::uint8_t>(k), f, t);
        if (r.convergito)
            return t;
        t = r.x;
    }
    return 0.0;
}

double plainXdaTbsTbu(double t, double tbu) {
    const double xs = XdaPv(PressSat(tbu), Patm);
    return (((CpVap - CAcqua) * tbu + R0) * xs - (t - tbu) * CpAria) /
           (CpVap * t + R0 - CAcqua * tbu);
}

double plainTbudaTbsX(double x, double t) {
    const double tb = plainTempSat(Patm);
    double tw = std::max(0.0, std::min({100.0, t, tb - 0.1}));
    StoriaZero s;
    for (int k = 1; k <= 20; ++k) {
        if (tw >= tb - 0.09)
            tw = tb - 0.1;
        const double f = x - plainXdaTbsTbu(t, tw);
        const PassoZero r = CercaZero(s, static_cast<std::uint8_t>(k), f, tw);
        if (r.convergito)
            return tw > t ? t : tw;
        tw = r.x;
    }
    return 0.0;
}

double plainTdpdaX(double x) {
    return x < 1e-9 ? -999.0 : plainTempSat(Patm * x / (x + 0.62198));
}

class SolverReference : public ::testing::TestWithParam<double> {
  protected:
    void SetUp() override { Patm = GetParam(); }
    void TearDown() override { Patm = 101325.0; }
};

TEST_P(SolverReference, SolversMatchThePlainAlgorithmBitForBit) {
    long mismatches = 0;
    for (int i = 0; i <= 1400; ++i) {
        const double t = -20.0 + i * 0.05;
        for (int j = 0; j <= 40; ++j) {
            const double ur = j * 0.025 + (j == 0 ? 0.0 : 1e-3);
            double x, h, tbu, tdp, rd, rm;
            StatoTbsUR(t, ur, x, h, tbu, tdp, rd, rm);
            mismatches += tbu != plainTbudaTbsX(x, t);
            mismatches += tdp != plainTdpdaX(x);
            mismatches += TbudaTbsX(x, t) != tbu;
            mismatches += XdaTbsTbu(t, tbu) != plainXdaTbsTbu(t, tbu);

            double x2, ur2, h2, tdp2, rd2, rm2;
            StatoTbsTbu(t, tbu, x2, ur2, h2, tdp2, rd2, rm2);
            mismatches += x2 != plainXdaTbsTbu(t, tbu);
            mismatches += tdp2 != plainTdpdaX(x2);

            double tbu3;
            StatoTbsH(t, h, x2, ur2, tbu3, tdp2, rd2, rm2);
            mismatches += tbu3 != plainTbudaTbsX(x2, t);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(TempSat(Patm), plainTempSat(Patm));
}

TEST_P(SolverReference, BatchMatchesSingleStatesBitForBit) {
    std::vector<double> t, ur;
    for (int i = 0; i <= 700; ++i) {
        for (int j = 0; j <= 20; ++j) {
            t.push_back(-20.0 + i * 0.1);
            ur.push_back(j * 0.05 + (j % 3 == 0 ? 0.0 : 0.013));
        }
    }
    // Dry air, saturation and a wet bulb in the ice/water gap at 0 °C.
    t.insert(t.end(), {25.0, 20.0, 5.39, 7.0});
    ur.insert(ur.end(), {0.0, 1.0, 0.29, 0.61});
    std::vector<StatoCompleto> out(t.size());
    StatiTbsUR(t.size(), t.data(), ur.data(), out.data());
    long mismatches = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        double x, h, tbu, tdp, rd, rm;
        StatoTbsUR(t[i], ur[i], x, h, tbu, tdp, rd, rm);
        mismatches += !(out[i].x == x && out[i].h == h && out[i].tbu == tbu && out[i].tdp == tdp &&
                        out[i].rd == rd && out[i].rm == rm);
    }
    EXPECT_EQ(mismatches, 0);
    StatiTbsUR(0, nullptr, nullptr, nullptr); // nothing to do, nothing touched
}

INSTANTIATE_TEST_SUITE_P(Pressures, SolverReference,
                         ::testing::Values(101325.0, 107478.0, 84684.5, 54020.0));

TEST(IceWaterGap, SolversReportTheSentinelAsTheAnswerThere) {
    Patm = 101325.0;
    // No temperature has a saturation pressure between the ice relation just
    // below 0 °C (611.1536 Pa) and the water relation at 0 °C (611.2129 Pa).
    const SolveResult inGap = tempSatChecked(611.19);
    EXPECT_EQ(inGap.value, 0.0);
    EXPECT_TRUE(inGap.converged);
    EXPECT_EQ(TempSat(611.19), 0.0);

    // A wet bulb that falls in the same band.
    const double x = XdaPv(0.29 * PressSat(5.39), Patm);
    const SolveResult tbu = tbuDaTbsXChecked(x, 5.39);
    EXPECT_EQ(tbu.value, 0.0);
    EXPECT_TRUE(tbu.converged);

    // Elsewhere non-convergence stays a failure.
    EXPECT_FALSE(tempSatChecked(-1.0).converged);
}

} // namespace
} // namespace tarvelo
