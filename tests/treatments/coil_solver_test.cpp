#include "engine/moist_air.h"
#include "treatments/coil_solver.h"
#include "treatments/point_fill.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

class Coil : public ::testing::Test {
  protected:
    void SetUp() override {
        Patm = 101325;
        puntoDaTbsUR(p1, 26.75, 0.5076);
        b.x1 = p1.x;
        b.h1 = p1.h;
        b.tbs1 = p1.tbs;
        b.punto2 = &p2;
        b.puntoTs = &pts;
        b.aux1 = &aux;
    }
    TPunto p1, p2, pts, aux;
    Batteria b;
};

TEST_F(Coil, ModeZeroWorkedExample) {
    b.modo = modo::Tbs2ST;
    p2.tbs = 15.5;
    b.S = 32;
    b.T = 44;
    EXPECT_EQ(CalcBatteria(b), 0);
    EXPECT_NEAR(p2.x * 1000, 9.452, 0.0005);
    EXPECT_NEAR(p2.UR, 86.1, 0.05);
    EXPECT_NEAR(b.qimm, 2.778, 0.0005);
    EXPECT_NEAR(pts.tbs, 12.33, 0.03);
    EXPECT_NEAR(b.fsDato, 0.78, 0.005);
    EXPECT_EQ(pts.Nome.testo(), "ts");
    EXPECT_EQ(pts.InUso, 1);
    EXPECT_EQ(pts.UR, 100);
    EXPECT_NEAR(b.STcoil, 32.0 / 44.0, 1e-12);
    EXPECT_EQ(aux.tbs, p1.tbs);
    EXPECT_EQ(aux.x, p2.x);
}

TEST_F(Coil, ModeThreeWorkedExample) {
    b.modo = modo::Pto2Qimm;
    puntoDaTbsX(p2, 15.5, 0.00873);
    b.qimm = 2.7777;
    EXPECT_EQ(CalcBatteria(b), 0);
    EXPECT_NEAR(b.T, 49.06, 0.005);
    EXPECT_NEAR(b.S, 31.93, 0.005);
    EXPECT_NEAR(pts.tbs, 9.44, 0.03);
    EXPECT_NEAR(b.fsDato, 0.65, 0.005);
}

TEST_F(Coil, ModesOneAndSixReachTheSameLine) {
    b.modo = modo::Tbs2ST;
    p2.tbs = 15.5;
    b.S = 32;
    b.T = 44;
    ASSERT_EQ(CalcBatteria(b), 0);
    const TPunto reference = p2;
    const double qimm = b.qimm;

    // Mode 1 builds its line from the powers and the flow by another
    // construction: the same outlet within a hundredth of a degree.
    b.modo = modo::QimmST;
    b.qimm = qimm;
    ASSERT_EQ(CalcBatteria(b), 0);
    EXPECT_NEAR(p2.tbs, reference.tbs, 0.02);
    EXPECT_NEAR(p2.x, reference.x, 1e-5);

    b.tipo = 5; // a union in mode 6: tbs2 and qimm from x2, S, T
    b.modo = modo::X2ST;
    puntoDaTbsX(p2, 0, reference.x);
    const double fs = b.fsDato = -1;
    ASSERT_EQ(CalcBatteria(b), 0);
    EXPECT_NEAR(p2.tbs, reference.tbs, 1e-6);
    EXPECT_NEAR(b.qimm, qimm, 1e-9);
    EXPECT_EQ(b.fsDato, fs); // a union never searches for "ts"
}

TEST_F(Coil, ModeTwoFromSurfaceTemperatureAndContactFactor) {
    b.modo = modo::QimmTsFs;
    b.qimm = 2.7777;
    b.ts = 12.33;
    b.fsDato = 0.78;
    EXPECT_EQ(CalcBatteria(b), 0);
    EXPECT_NEAR(p2.tbs, 26.75 - (26.75 - 12.33) * 0.78, 1e-9);
    EXPECT_NEAR(b.T, 44, 0.5);
    EXPECT_NEAR(b.S, 32, 0.5);
    EXPECT_EQ(pts.InUso, 0); // set whole, but not marked in use
    // A surface temperature so low that the segment ts–2 rises above the
    // curve, which is flat there.
    b.ts = -10;
    b.fsDato = 0.5;
    EXPECT_EQ(CalcBatteria(b), 4000);
    b.ts = 26.75;
    EXPECT_EQ(CalcBatteria(b), CodiceTsUgualeT1);
}

TEST_F(Coil, ModeTwoChecksWithAFirstPassThatMustSucceed) {
    // The first pass stops on a chord not steep enough; the second would
    // meet the curve, but a check ends at the first failing pass.
    puntoDaTbsUR(p1, 20, 0.5);
    b.x1 = p1.x;
    b.h1 = p1.h;
    b.tbs1 = p1.tbs;
    b.modo = modo::QimmTsFs;
    b.qimm = 1;
    b.ts = -6;
    b.fsDato = 0.15;
    EXPECT_EQ(CalcBatteria(b), 310);
    EXPECT_EQ(b.ts, -6); // a check keeps the typed surface temperature
}

TEST_F(Coil, ModeThreeWithAPurelyLatentLine) {
    b.modo = modo::Pto2Qimm;
    puntoDaTbsX(p2, p1.tbs, p1.x - 0.002);
    b.qimm = 2;
    b.tipo = 5; // a union needs no slope
    EXPECT_EQ(CalcBatteria(b), 0);
    EXPECT_NEAR(b.S, 0, 1e-9);
    EXPECT_NEAR(b.T, (p1.h - p2.h) * 2 / 1000, 1e-12);
    b.tipo = 2; // a coil line at constant temperature: refused, powers set
    b.T = b.S = -1;
    EXPECT_EQ(CalcBatteria(b), 302);
    EXPECT_GT(b.T, 0);
}

TEST_F(Coil, RefusalsAndTheirCodes) {
    struct Case {
        int modo;
        double S, T, qimm, tbs2;
        int codice;
    };
    const Case cases[] = {
        {modo::X2ST, 40, 40, 0, 0, 309},     {modo::Tbs2ST, 10, 0, 0, 15, 304},
        {modo::QimmST, 10, 0, 2, 0, 304},    {modo::X2ST, 10, 0, 0, 0, 304},
        {modo::QimmST, 0, 10, 2, 0, 307},    {modo::QimmST, 10, 20, 0, 0, 306},
        {modo::Tbs2QimmL, 0, 0, 0, 20, 306}, {modo::QimmSL, 0, 0, 0, 0, 306},
        {modo::Tbs2ST, 1, 40, 0, 25, 305},   {modo::QimmST, 1, 40, 0.5, 0, 308},
    };
    for (const Case& c : cases) {
        b.tipo = c.modo >= 4 ? 5 : 2;
        b.modo = c.modo;
        b.S = c.S;
        b.T = c.T;
        b.qimm = c.qimm;
        p2.tbs = c.tbs2;
        p2.x = 0.008;
        EXPECT_EQ(CalcBatteria(b), c.codice) << c.modo << " " << c.S << " " << c.T;
    }
}

TEST_F(Coil, ALineSteeperThanTheCurveEndsOnTheChartsLeftEdge) {
    b.modo = modo::Pto2Qimm;
    b.tbsMinChart = -5;
    puntoDaTbsX(p2, 26.0, 0.002); // almost straight down in x
    b.qimm = 1;
    EXPECT_EQ(CalcBatteria(b), 310);
    EXPECT_EQ(pts.tbs, -5);
    EXPECT_EQ(pts.InUso, 1);
    EXPECT_EQ(pts.Nome.testo(), "");
}

// A line that rises as it cools (S above T) from an outlet at 1e9 °C
// walked the curve down in 5 K chords for ever; the walk is bounded and
// ends as a search that has not met the curve.
TEST_F(Coil, ASearchFromFarBeyondTheRangeEndsInBoundedTime) {
    b.modo = modo::Tbs2ST;
    b.tbsMinChart = -5;
    p2.tbs = 1e9;
    b.S = 50;
    b.T = 44;
    EXPECT_EQ(CalcBatteria(b), 310);
    EXPECT_EQ(pts.tbs, -5);
    EXPECT_EQ(pts.Nome.testo(), "");
}

TEST_F(Coil, UnionModesFourAndFive) {
    b.tipo = 5;
    b.modo = modo::Tbs2QimmL;
    p2.tbs = 20;
    b.qimm = 2;
    b.L = 5.11; // kW: 2 g/s of water
    EXPECT_EQ(CalcBatteria(b), 0);
    EXPECT_NEAR(p2.x, p1.x - 0.001, 1e-9);
    b.modo = modo::QimmSL;
    b.S = 10;
    b.L = -5.11;
    EXPECT_EQ(CalcBatteria(b), 0);
    EXPECT_NEAR(p2.x, p1.x - 0.001, 1e-9); // |L| for x, its sign for h
    EXPECT_NEAR(p2.h, p1.h + (10 - 5.11) * 1000 / 2, 1e-6);
}

} // namespace
} // namespace tarvelo
