// Scheme C's supply-humidity walk pinned bit for bit: the walk's result
// depends on its grid of steps, so any change to how it steps shows here.
// The values were taken from the step-by-step walk that completed both
// points at every step; the rows that stop inside the walk pin the points
// it leaves.
#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

struct Ingressi {
    double tbsInt, URInt, tbsEst, UREst, tbsImm, Csens, Clat, tSup, patm;
};

// D: x, h, UR, tbu, tdp, v; the walk's point B1: x, h, tbu; the union's
// dhSen and dhTot; C's tbs when the run ends without a code.
struct Atteso {
    Ingressi in;
    int codice;
    double dX, dH, dUR, dTbu, dTdp, dV, b1X, b1H, b1Tbu, dhSen, dhTot, cTbs;
};

// clang-format off
const Atteso Casi[] = {
    // The sample, and the sample on a chart at 84 000 Pa.
    {{25, 50, 32, 50, 18, 32, 9.8, 11.5, 101325}, 0, 0x1.2789b0c610f6p-7, 0x1.3ffb98d2e4df6p+15, 0x1.18a241ae2f00ep+6, 0x1.d4d6e4d74245ep+3, 0x1.8f956ab9e4888p+3, 0x1.ac70069722d2cp-1, 0x1.2789b0c610f6p-7, 0x1.77e3827603dep+15, 0x1.12dd421f72924p+4, 0x1.bf3f4d18f7f5p+12, 0x1.243fe9bfaf2d4p+13, 0x1.aa051ecf625b6p+3},
    {{25, 50, 32, 50, 18, 32, 9.8, 11.5, 84000}, 0, 0x1.6b9b1014ad2cep-7, 0x1.69191042b1be1p+15, 0x1.1d4b4ebae8e8ap+6, 0x1.d21164f15fc1ep+3, 0x1.979d679c2109fp+3, 0x1.0340892075b4cp+0, 0x1.6b9b1014ad2cep-7, 0x1.a13577fb7c7p+15, 0x1.0cfd98ccbb294p+4, 0x1.c0e33dc6558f8p+12, 0x1.2511e2165dfacp+13, 0x1.b92fc11358f6ep+3},
    // Dry outdoor air; a supply close to the room; a large latent load.
    {{21.1, 54, 36.1, 33, 15.6, 19.2, 8.7, 8.6, 101325}, 0, 0x1.e58f1c8cb5db9p-8, 0x1.0d007ad279124p+15, 0x1.0d2d6d36a0e1ep+6, 0x1.85380b78718ep+3, 0x1.32204ce9ecbbdp+3, 0x1.a7d25c99fb2bdp-1, 0x1.e58f1c8cb5db9p-8, 0x1.38cd961900578p+15, 0x1.cb0e3c55f211p+3, 0x1.5e68da343a2ap+12, 0x1.fd1a386979a7p+12, 0x1.600cb6f267c23p+3},
    {{22.4, 45, 34.6, 33, 21.6, 32, 12.1, 0.3, 101325}, 0, 0x1.e893e991ecb8bp-8, 0x1.3db2f4c5ae5aap+15, 0x1.73fead2794489p+5, 0x1.d281b3650c83cp+3, 0x1.350ad9e70c676p+3, 0x1.b0a8fa8c7fe48p-1, 0x1.e893e991ecb8bp-8, 0x1.44121623eaea7p+15, 0x1.dc277f5986cbcp+3, 0x1.97c8578f23f4p+9, 0x1.1953573279dp+10, 0x1.0c24c5ed745b8p+4},
    {{24.8, 55, 34.2, 50, 23.9, 41.4, 19.8, 9.9, 101325}, 0, 0x1.5ac2605d28308p-7, 0x1.8e2c421f3ba63p+15, 0x1.c903503472e52p+5, 0x1.21613c7840991p+4, 0x1.dcf9095b0112ap+3, 0x1.b633d8934e81fp-1, 0x1.5ac2605d28308p-7, 0x1.956170a5da6fap+15, 0x1.2628c94fe596ep+4, 0x1.cd4ba1a7b25cp+9, 0x1.5507cbcf57bep+10, 0x1.1aaf8d07ce44p+4},
    // The walk ends; a later check stops the run (reheating below C).
    {{20, 54, 34.1, 28, 15.7, 58.2, 7, 0.2, 101325}, 407, 0x1.f4f865f2325d1p-8, 0x1.1271f098e38d8p+15, 0x1.13d813bbce17ep+6, 0x1.8e087cb7911fep+3, 0x1.40d8f79424722p+3, 0x1.a8207d2e45285p-1, 0x1.f4f865f2325d1p-8, 0x1.34b433648ad42p+15, 0x1.c492b3278df8p+3, 0x1.1212165d3a35p+12, 0x1.32c68471b5168p+12, 0},
    // Stops inside the walk: below the humidity of "ts" after some steps,
    // a zero total enthalpy difference, no convergence in PassiMaxRicercaC
    // steps (the walk wanders into fog, whose wet bulb is its dry bulb).
    {{25, 50, 32, 50, 12, 32, 9.8, 11.5, 101325}, 413, 0x1.12a5f3f2b670ap-7, 0x1.037fda0dbb629p+15, 0x1.8038eea52a60dp+6, 0x1.74b9a26f3c99p+3, 0x1.6c84bcf72bcf4p+3, 0x1.a32f3876b94abp-1, 0x1.12a5f3f2b670ap-7, 0x1.6b353342d0aaep+15, 0x1.0a415c4a05a46p+4, 0x1.9ee82a761fe2p+13, 0x1.07266207dcbd6p+14, 0},
    {{20.7, 69, 31, 30, 21.9, -5, 19.9, 3.4, 101325}, CodiceDivisioneZero, 0x1.48d0de97a7d53p-7, 0x1.734986213677p+15, 0x1.e99b4ad64dfd9p+5, 0x1.0f47b6da92eep+4, 0x1.c31ab77396676p+3, 0x1.b2e018bff0f6dp-1, 0x1.48d0de97a7d53p-7, 0x1.69afa75de2b4p+15, 0x1.088c337f057e4p+4, -0x1.333bd86a786p+10, 0, 0},
    {{21.1, 64, 32.8, 47, 21, 59.8, -0.9, 7.9, 101325}, CodiceRicercaLunga, 0x1.0509ead287cfdp-1, 0x1.412ec98457778p+20, 0x1.cab13ebabd8efp+10, 21, 0x1.3c418e64b9c5p+6, 0x1.8433f054aa26ap+0, 0x1.0509ead287cfdp-1, 0x1.413ad389e19cbp+20, 21.1, 0x1.8140b144a6p+7, -0x1.35ce942c5423ep+20, 0},
};
// clang-format on

TLavoro lavoro(const Ingressi& in) {
    TLavoro l;
    preparaImpianto(2, l, TDefault{});
    l.tbsInt = in.tbsInt;
    l.URInt = in.URInt;
    l.tbsEst = in.tbsEst;
    l.UREst = in.UREst;
    l.tbsImm = in.tbsImm;
    l.Csens = in.Csens;
    l.Clat = in.Clat;
    l.tSup = in.tSup;
    return l;
}

int calcola(TLavoro& l, double patm) {
    const double prima = Patm;
    Patm = patm;
    TracciaDettagli t;
    const int codice = CalcolaImpianto(l, t).codice;
    Patm = prima;
    return codice;
}

TEST(CalcolaC, SupplyHumidityWalkIsPinnedBitForBit) {
    for (const Atteso& k : Casi) {
        SCOPED_TRACE(::testing::Message()
                     << "tbsEst " << k.in.tbsEst << " UREst " << k.in.UREst << " tbsImm "
                     << k.in.tbsImm << " Csens " << k.in.Csens << " Patm " << k.in.patm);
        TLavoro l = lavoro(k.in);
        ASSERT_EQ(calcola(l, k.in.patm), k.codice);
        const TPunto& d = l.Punti[3];
        const TTrattamento& unione = l.Trattamenti[1];
        const TPunto& b1 = unione.PuntoAux1;
        EXPECT_EQ(d.x, k.dX);
        EXPECT_EQ(d.h, k.dH);
        EXPECT_EQ(d.UR, k.dUR);
        EXPECT_EQ(d.tbu, k.dTbu);
        EXPECT_EQ(d.tdp, k.dTdp);
        EXPECT_EQ(d.v, k.dV);
        EXPECT_EQ(d.Maniglia, 2);
        EXPECT_EQ(b1.x, k.b1X);
        EXPECT_EQ(b1.h, k.b1H);
        EXPECT_EQ(b1.tbu, k.b1Tbu);
        EXPECT_EQ(unione.dhSen, k.dhSen);
        EXPECT_EQ(unione.dhTot, k.dhTot);
        if (k.codice == 0) {
            EXPECT_EQ(l.Punti[2].tbs, k.cTbs);
        }

        // Run again on the work it left, as the window does at every
        // change: nothing of the earlier run shows through.
        TLavoro ancora = l;
        ASSERT_EQ(calcola(ancora, k.in.patm), k.codice);
        EXPECT_TRUE(ancora == l);
    }
}

} // namespace
} // namespace tarvelo
