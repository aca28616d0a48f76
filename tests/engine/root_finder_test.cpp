#include "engine/root_finder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvelo {
namespace {

TEST(CercaZero, ExactZeroConvergesAtOnceAndChangesNothing) {
    StoriaZero s{1.0, 2.0, 3.0, 4.0};
    const PassoZero p = CercaZero(s, 1, 0.0, 7.5);
    EXPECT_TRUE(p.convergito);
    EXPECT_EQ(p.x, 7.5);
    EXPECT_EQ(s.X1, 1.0);
    EXPECT_EQ(s.F1, 2.0);
    EXPECT_EQ(s.X2, 3.0);
    EXPECT_EQ(s.F2, 4.0);
}

TEST(CercaZero, FirstStepPerturbsAndNeverConverges) {
    // Even a history that holds the very same estimate is not read at k = 1.
    StoriaZero s{5.0, 1.0, 0.0, 0.0};
    PassoZero p = CercaZero(s, 1, 0.3, 5.0);
    EXPECT_FALSE(p.convergito);
    EXPECT_EQ(p.x, 5.0 * 1.0001);
    EXPECT_EQ(s.X1, 5.0);
    EXPECT_EQ(s.F1, 0.3);
    EXPECT_EQ(s.X2, 5.0); // shifted from the old X1
    EXPECT_EQ(s.F2, 1.0);

    StoriaZero z;
    p = CercaZero(z, 1, 0.3, 1e-12);
    EXPECT_EQ(p.x, 1e-4); // near zero the perturbation is absolute
}

TEST(CercaZero, ConvergesOnASmallStepFromTheSecondStepOn) {
    StoriaZero s{10.0, 1.0, 0.0, 0.0};
    const PassoZero p = CercaZero(s, 2, 0.5, 10.0 + 5e-5);
    EXPECT_TRUE(p.convergito);
    EXPECT_EQ(p.x, 10.0 + 5e-5);
}

TEST(CercaZero, SecondStepIsASecantEvenWhenAParabolaWouldFit) {
    // g(x) = x² − 2, residual f = −g. Points on an exact parabola.
    auto f = [](double x) { return 2.0 - x * x; };
    StoriaZero s{1.0, f(1.0), 3.0, f(3.0)};
    const double x = 2.0;
    const PassoZero p = CercaZero(s, 2, f(x), x);
    const double slope = (f(1.0) - f(x)) / (1.0 - x);
    EXPECT_FALSE(p.convergito);
    EXPECT_EQ(p.x, x - f(x) / slope);
    EXPECT_EQ(s.X1, 2.0);
    EXPECT_EQ(s.X2, 1.0);
}

TEST(CercaZero, ThirdStepFitsTheParabolaAndKeepsTheSignChange) {
    auto f = [](double x) { return 2.0 - x * x; };
    StoriaZero s{1.0, f(1.0), 3.0, f(3.0)};
    const PassoZero p = CercaZero(s, 3, f(2.0), 2.0);
    EXPECT_FALSE(p.convergito);
    EXPECT_NEAR(p.x, std::sqrt(2.0), 1e-14); // the root nearer to x
    // f(1) > 0 and f(2) < 0, f(3) < 0: X2 was on the side of x, so X1 moves
    // to X2 and the new point becomes X1.
    EXPECT_EQ(s.X2, 1.0);
    EXPECT_EQ(s.X1, 2.0);
}

TEST(CercaZero, ParabolaDropsTheWorseOldPointWhenAllResidualsShareASign) {
    auto f = [](double x) { return x * x - 2.0; }; // residuals all positive for x > √2
    StoriaZero s{3.0, f(3.0), 4.0, f(4.0)};
    CercaZero(s, 3, f(2.0), 2.0);
    EXPECT_EQ(s.X2, 3.0); // |F2| = 14 was worse than |F1| = 7
    EXPECT_EQ(s.X1, 2.0);

    StoriaZero t{4.0, f(4.0), 3.0, f(3.0)};
    CercaZero(t, 3, f(2.0), 2.0);
    EXPECT_EQ(t.X2, 3.0); // |F1| = 14 was the worse: X1 is replaced
    EXPECT_EQ(t.X1, 2.0);
}

TEST(CercaZero, FallsBackWhenTheParabolaIsNotUsable) {
    // Three collinear points: A = 0, so the secant is used.
    auto f = [](double x) { return 3.0 - x; };
    StoriaZero s{1.0, f(1.0), 4.0, f(4.0)};
    const PassoZero p = CercaZero(s, 3, f(2.0), 2.0);
    EXPECT_DOUBLE_EQ(p.x, 3.0);
    EXPECT_EQ(s.X2, 1.0); // the secant's plain shift
    EXPECT_EQ(s.X1, 2.0);

    // A flat secant falls back to the perturbation.
    StoriaZero flat{1.0, 0.5, 0.0, 0.0};
    const PassoZero q = CercaZero(flat, 2, 0.5, 2.0);
    EXPECT_EQ(q.x, 2.0 * 1.0001);

    // x equal to X2 exactly: secant through X1.
    StoriaZero same{1.0, 1.0, 2.0, 9.0};
    const PassoZero r = CercaZero(same, 4, 0.5, 2.0);
    EXPECT_EQ(r.x, 2.0 - 0.5 / ((1.0 - 0.5) / (1.0 - 2.0)));
}

} // namespace
} // namespace tarvelo
