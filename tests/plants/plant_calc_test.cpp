#include "document/error_messages.h"
#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/plant_context.h"
#include "plants/plant_samples.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvelo {
namespace {

TLavoro esempio(int tipo) {
    TLavoro l;
    l.TestataChart.tbsMin = -10;
    preparaImpianto(tipo, l, TDefault{});
    return l;
}

struct Corsa {
    EsitoImpianto esito;
    std::string traccia;
};

Corsa calcola(TLavoro& l) {
    Patm = PatmStandard;
    TracciaDettagli t;
    Corsa c;
    c.esito = CalcolaImpianto(l, t);
    c.traccia = t.contenuto();
    return c;
}

const TPunto& P(const TLavoro& l, int i) {
    return l.Punti[static_cast<std::size_t>(i - 1)];
}
const TTrattamento& T(const TLavoro& l, int k) {
    return l.Trattamenti[static_cast<std::size_t>(k - 1)];
}

TEST(PlantCalc, ConfigurationA_WorkedExample) {
    TLavoro l = esempio(0);
    const Corsa c = calcola(l);
    ASSERT_EQ(c.esito.codice, 0) << c.traccia;
    EXPECT_EQ(c.traccia.rfind("Ctot= 30.41\r\nCsen/Ctot= 0.89\r\n", 0), 0u);
    EXPECT_NEAR(l.Qimm, 2.7774, 5e-4);
    EXPECT_NEAR(P(l, 2).qm, 2.0834, 5e-4);
    EXPECT_NEAR(P(l, 1).Quota, 0.250, 1e-3);
    EXPECT_NEAR(P(l, 3).tbs, 26.75, 0.01);
    EXPECT_NEAR(P(l, 3).x * 1000, 11.15, 0.01);
    EXPECT_NEAR(P(l, 4).tbs, 15.5, 1e-12);
    EXPECT_NEAR(P(l, 4).x * 1000, 9.399, 1e-3);
    EXPECT_NEAR(P(l, 4).UR, 85.6, 0.1);
    EXPECT_NEAR(T(l, 3).Qtot, 44357, 2);
    EXPECT_NEAR(T(l, 3).ST, 0.72, 0.01);
    EXPECT_NEAR(P(l, 5).tbs, 12.15, 0.03);
    EXPECT_EQ(P(l, 5).Nome.testo(), "ts");
    EXPECT_NEAR(l.fs, 0.771, 1e-3);
    EXPECT_NEAR(l.QvVol, 5.73, 0.01);
    EXPECT_EQ(l.NumPunti, 5);
    EXPECT_EQ(l.NumTrattamenti, 4);
    EXPECT_EQ(T(l, 3).Tipo, 2);
    EXPECT_EQ(T(l, 4).Colore, 0x0000FF);
    EXPECT_GT(T(l, 1).dh, 0.0); // summary ran
    EXPECT_NE(c.traccia.find("fs=0.771\r\n"), std::string::npos);

    TLavoro q = esempio(0);
    q.flgQimm = 1;
    ASSERT_EQ(calcola(q).esito.codice, 0);
    EXPECT_NEAR(P(q, 4).tbs, 15.5, 0.01);
    EXPECT_NEAR(q.fs, l.fs, 2e-3);
    EXPECT_EQ(P(q, 4).Maniglia, 6);
}

TEST(PlantCalc, ConfigurationB_WorkedExample) {
    TLavoro l = esempio(1);
    const Corsa c = calcola(l);
    ASSERT_EQ(c.esito.codice, 0) << c.traccia;
    EXPECT_NEAR(P(l, 3).x * 1000, 9.04, 0.01);
    EXPECT_NEAR(P(l, 3).UR, 90.8, 0.1);
    EXPECT_NEAR(T(l, 2).Qtot, 34256, 2);
    EXPECT_NE(c.traccia.find("Consen=11.484\r\nQFAN=33.516\r\n"), std::string::npos) << c.traccia;
    EXPECT_NEAR(T(l, 2).QFan, l.Csens * 1000 - T(l, 2).QsenFan, 1e-9);
    EXPECT_NEAR(P(l, 4).tbs, 10.0, 0.05);
    EXPECT_NEAR(l.fs, 0.818, 1e-3);
    EXPECT_NEAR(l.QvVol, 2.00, 0.01);
    EXPECT_EQ(l.Qimm, l.Qrinn);
    EXPECT_EQ(c.traccia.find("kk= "), std::string::npos); // B's search is silent
}

TEST(PlantCalc, ConfigurationC_WorkedExample) {
    TLavoro l = esempio(2);
    const Corsa c = calcola(l);
    ASSERT_EQ(c.esito.codice, 0) << c.traccia;
    EXPECT_NEAR(P(l, 4).x * 1000, 9.019, 1e-3);
    EXPECT_NEAR(l.Qimm, 4.470, 1e-3);
    EXPECT_NEAR(P(l, 3).tbs, 13.31, 0.01);
    EXPECT_NEAR(l.fs, 0.912, 1e-3);
    EXPECT_NEAR(l.QvVol, 8.75, 0.01);
    EXPECT_EQ(P(l, 5).tbs, 11.5);
    EXPECT_EQ(P(l, 5).Maniglia, 4);
}

TEST(PlantCalc, ConfigurationsD_E_WorkedExamples) {
    TLavoro d = esempio(3);
    ASSERT_EQ(calcola(d).esito.codice, 0);
    EXPECT_NEAR(P(d, 3).tbs, 13.75, 0.01);
    EXPECT_NEAR(P(d, 3).x * 1000, 5.94, 0.01);
    EXPECT_NEAR(P(d, 5).x * 1000, 6.914, 1e-3);
    EXPECT_NEAR(P(d, 5).tbs, 29.07, 0.01);
    EXPECT_NEAR(P(d, 4).tbs, 31.45, 0.01);
    EXPECT_NEAR(T(d, 2).Qtot / 1000, 50.0, 0.1);
    EXPECT_NEAR(d.Regolabilita, 1.95, 0.01);
    EXPECT_NEAR(d.QvVol, 5.44, 0.01);
    EXPECT_EQ(T(d, 3).Tipo, 4);

    TLavoro e = esempio(4);
    ASSERT_EQ(calcola(e).esito.codice, 0);
    EXPECT_NEAR(P(e, 4).tbs, 28.95, 0.01);
    EXPECT_NEAR(T(e, 2).Qtot / 1000, 42.9, 0.1);
    EXPECT_NEAR(e.Regolabilita, 1.68, 0.01);
    EXPECT_EQ(T(e, 3).Tipo, 6);
    for (int i : {1, 2, 3, 5})
        EXPECT_EQ(P(e, i), P(d, i)) << i;
}

TEST(PlantCalc, ConfigurationF_WorkedExample) {
    TLavoro l = esempio(5);
    ASSERT_EQ(calcola(l).esito.codice, 0);
    EXPECT_NEAR(P(l, 5).tbs, 33.45, 0.01);
    EXPECT_NEAR(P(l, 5).x * 1000, 6.883, 1e-3);
    EXPECT_NEAR(P(l, 4).tbs, 10.91, 0.01);
    EXPECT_EQ(P(l, 4).UR, 85);
    EXPECT_NEAR(P(l, 3).tbs, 22.85, 0.01);
    EXPECT_NEAR(T(l, 1).Qtot / 1000, 71.8, 0.1);
    EXPECT_NEAR(T(l, 3).Qtot / 1000, 58.6, 0.1);
    EXPECT_NEAR(l.QvVol, 5.00, 0.01);
}

// Opening checks: code, whether the trace ends with the "Errore:" line,
// and that nothing of the sequence is left.
TEST(PlantCalc, OpeningChecksStopInOrder) {
    struct Caso {
        int tipo;
        void (*modifica)(TLavoro&);
        int codice;
    };
    const Caso casi[] = {
        {0, [](TLavoro& l) { l.Volume = 0; }, 4},
        {1, [](TLavoro& l) { l.Volume = 0; }, 4},
        {2, [](TLavoro& l) { l.Volume = -1; }, 4},
        {3, [](TLavoro& l) { l.Volume = 0; }, 4},
        {5, [](TLavoro& l) { l.Volume = 0; }, 4},
        {0, [](TLavoro& l) { l.tbsImm = l.tbsInt; }, 3},
        {0, [](TLavoro& l) { l.tbsEst = 20; }, 1},
        {0,
         [](TLavoro& l) {
             l.flgQimm = 1;
             l.Qrinn = 3;
         },
         2},
        {3, [](TLavoro& l) { l.Qrinn = 3; }, 2},
        {3,
         [](TLavoro& l) {
             l.flgQimm = 0;
             l.tbsImm = 21;
         },
         3},
        {4, [](TLavoro& l) { l.tbsEst = 25; }, 7},
        {5,
         [](TLavoro& l) {
             l.Csens = 0;
             l.Clat = 0;
         },
         5},
        {0, [](TLavoro& l) { l.Csens = -5; }, 5},
    };
    for (const Caso& k : casi) {
        TLavoro l = esempio(k.tipo);
        k.modifica(l);
        const Corsa c = calcola(l);
        EXPECT_EQ(c.esito.codice, k.codice) << k.tipo;
        EXPECT_TRUE(c.esito.fermato);
        const std::string fine = "Errore:" + std::to_string(k.codice) + "\r\n";
        EXPECT_EQ(c.traccia.substr(c.traccia.size() - fine.size()), fine) << c.traccia;
        EXPECT_EQ(l.NumTrattamenti, 0);
    }
    // The first check that fails wins; with them all passing Volume is the
    // only line.
    TLavoro v = esempio(0);
    v.Volume = 0;
    EXPECT_EQ(calcola(v).traccia, "Errore:4\r\n");
}

TEST(PlantCalc, BoundariesOfTheChecks) {
    TLavoro d = esempio(3);
    d.flgQimm = 0;
    d.tbsImm = d.tbsInt;
    EXPECT_EQ(calcola(d).esito.codice, 0);

    TLavoro cc = esempio(2);
    cc.Csens = 0;
    cc.tbsImm = 40; // no supply-temperature check without sensible load
    const Corsa c = calcola(cc);
    EXPECT_NE(c.esito.codice, 3);
    EXPECT_EQ(cc.tbsImm, cc.tbsInt);
    EXPECT_EQ(P(cc, 4).Maniglia, 5);

    for (double urd : {99.89, 30.0}) {
        TLavoro f = esempio(5);
        f.URD = urd;
        EXPECT_EQ(calcola(f).esito.codice, 0) << urd;
    }
    for (double urd : {99.9, 25.0}) {
        TLavoro f = esempio(5);
        f.URD = urd;
        const Corsa r = calcola(f);
        EXPECT_NE(r.traccia.find("Errore:8\r\n"), std::string::npos);
        EXPECT_FALSE(r.esito.fermato);
        EXPECT_EQ(f.NumTrattamenti, 4);
        EXPECT_NE(r.esito.codice, 0) << urd;
    }
}

TEST(PlantCalc, CodesRaisedDuringTheSchemes) {
    // A: the fresh-air flow above the computed supply flow.
    TLavoro a = esempio(0);
    a.Qrinn = 5;
    Corsa r = calcola(a);
    EXPECT_EQ(r.esito.codice, 102);
    EXPECT_NE(r.traccia.find("Qrin>Qimm ==> Qimm=Qrin\r\n"), std::string::npos);
    EXPECT_EQ(a.Qimm, 5);
    EXPECT_EQ(r.traccia.substr(r.traccia.size() - 12), "Errore:102\r\n");

    // A: a low sensible ratio with the supply below the end of the load line.
    TLavoro low = esempio(0);
    low.Csens = 3;
    low.Clat = 7;
    low.tbsImm = -40;
    r = calcola(low);
    EXPECT_EQ(r.esito.codice, 217);
    EXPECT_EQ(P(low, 4).x, 0.0);

    // A, supply flow typed as zero: code 101, no infinities.
    TLavoro q = esempio(0);
    q.flgQimm = 1;
    q.Qimm = 0;
    q.Qrinn = 0;
    EXPECT_EQ(calcola(q).esito.codice, 101);

    // A, supply flow typed: the supply enthalpy below the end of the
    // room-load line.
    TLavoro qlow = esempio(0);
    qlow.flgQimm = 1;
    qlow.Csens = 3;
    qlow.Clat = 7;
    qlow.Qimm = 0.2;
    qlow.Qrinn = 0.1;
    r = calcola(qlow);
    EXPECT_EQ(r.esito.codice, 217);
    EXPECT_EQ(P(qlow, 4).x, 0.0);
    EXPECT_NE(r.traccia.find("hD= "), std::string::npos);

    // F: water so warm that no preheating is left.
    TLavoro caldo = esempio(5);
    caldo.tH2O = 3000;
    EXPECT_EQ(calcola(caldo).esito.codice, 411);

    // D: supply not warmer than the room.
    TLavoro d = esempio(3);
    d.Csens = -1;
    d.Clat = 5;
    r = calcola(d);
    EXPECT_EQ(r.esito.codice, 208);
    EXPECT_NE(r.traccia.find("Qv/Vol= "), std::string::npos);

    // F: D above E, and no fresh air.
    TLavoro f = esempio(5);
    f.URD = 30;
    f.Csens = 10;
    EXPECT_EQ(calcola(f).esito.codice, 412);
    TLavoro f0 = esempio(5);
    f0.Qrinn = 0;
    EXPECT_EQ(calcola(f0).esito.codice, CodiceQrinnNullo);
    TLavoro b0 = esempio(1);
    b0.Qrinn = 0;
    EXPECT_EQ(calcola(b0).esito.codice, CodiceQrinnNullo);
    EXPECT_EQ(MessaggioErrore(b0), "q rinnovo (0,0000 kg/s) deve essere maggiore di zero");
}

// Each code of the schemes whose message carries values, with zone data
// that raise it: the code stays what it was, the message names the
// quantities the check compared with their values (decimal comma, flows in
// the unit of their field) and, where clear, what to change.
TEST(PlantCalc, MessagesNameTheFailedConditionWithItsValues) {
    struct Caso {
        int tipo;
        void (*modifica)(TLavoro&);
        int codice;
        const char* messaggio;
    };
    const Caso casi[] = {
        {0, [](TLavoro& l) { l.tbsEst = 20; }, 1,
         "tbs interna (25,0 °C) non deve superare tbs esterna (20,0 °C)"},
        {0,
         [](TLavoro& l) {
             l.flgQimm = 1;
             l.Qrinn = 3;
             l.umQimm = 2;
         },
         2, "q rinnovo (3,0000 kg/s) non deve superare q immissione (8159,8 m3/h)"},
        {0, [](TLavoro& l) { l.tbsImm = l.tbsInt; }, 3,
         "tbs immissione (25,0 °C) deve essere minore di tbs interna (25,0 °C)"},
        {3,
         [](TLavoro& l) {
             l.flgQimm = 0;
             l.tbsImm = 21;
         },
         3, "tbs immissione (21,0 °C) non deve superare tbs interna (20,0 °C)"},
        {2, [](TLavoro& l) { l.Volume = -1; }, 4,
         "Il volume della zona (-1,0 m3) deve essere maggiore di zero"},
        {0, [](TLavoro& l) { l.Csens = -5; }, 5,
         "Il carico totale Csens + Clat (-1,589 kW) deve essere maggiore di zero (Csens -5,000 kW, "
         "Clat 3,411 kW)"},
        {3,
         [](TLavoro& l) {
             l.Qimm = 0;
             l.Qrinn = 0;
         },
         6, "q immissione (0,0000 kg/s) deve essere maggiore di zero"},
        {4, [](TLavoro& l) { l.tbsEst = 25; }, 7,
         "tbs interna (20,0 °C) non deve essere minore di tbs esterna (25,0 °C)"},
        {5, [](TLavoro& l) { l.URD = 99.9; }, 8,
         "UR punto D (99,9 %) deve essere almeno 30 % e minore di 99,9 %"},
        {0,
         [](TLavoro& l) {
             l.flgQimm = 1;
             l.Qimm = 0;
             l.Qrinn = 0;
             l.umQimm = 1;
         },
         101, "q immissione (0,00 l/s) deve essere maggiore di zero"},
        {0, [](TLavoro& l) { l.Qrinn = 5; }, 102,
         "q immissione richiesta dai carichi (2,7774 kg/s) non deve essere minore di q rinnovo "
         "(5,0000 kg/s): aumentare tbs immissione"},
        {0, [](TLavoro& l) { l.tbsImm = 13; }, 206,
         "Il punto D (UR 99,4 %) deve avere al massimo UR 99 %: aumentare tbs immissione"},
        {1, [](TLavoro& l) { l.tbsImm = 11; }, 206,
         "Il punto C (UR 110,6 %) deve avere al massimo UR 99 %: aumentare tbs immissione"},
        {3,
         [](TLavoro& l) {
             l.Csens = -1;
             l.Clat = 5;
         },
         208, "tbs di immissione E (19,6 °C) deve essere maggiore di tbs interna B (20,0 °C)"},
        {0,
         [](TLavoro& l) {
             l.Csens = 3;
             l.Clat = 7;
             l.tbsImm = -40;
         },
         217,
         "tbs immissione (-40,0 °C) deve essere maggiore di 14,5 °C, dove la retta dei carichi "
         "(Csens/Ctot 0,30) raggiunge x = 0: aumentare tbs immissione"},
        {0,
         [](TLavoro& l) {
             l.flgQimm = 1;
             l.Csens = 3;
             l.Clat = 7;
             l.Qimm = 0.2;
             l.Qrinn = 0.1;
         },
         217,
         "q immissione (0,2000 kg/s) è troppo piccola: l'entalpia di immissione scende sotto 14,55 "
         "kJ/kg, dove la retta dei carichi (Csens/Ctot 0,30) raggiunge x = 0 a 14,5 °C; aumentare "
         "q immissione"},
        {5, [](TLavoro& l) { l.tH2O = 3000; }, 411,
         "tbs C dopo il preriscaldamento (-37,9 °C) deve essere maggiore di tbs esterna A (-5,0 "
         "°C)"},
        {5,
         [](TLavoro& l) {
             l.URD = 30;
             l.Csens = 10;
         },
         412,
         "tbs D dopo l'umidificazione (27,6 °C) non deve superare tbs di immissione E (23,8 °C): "
         "aumentare UR punto D"},
        {2, [](TLavoro& l) { l.tbsImm = 12; }, 413,
         "L'umidità di immissione cercata (8,38 g/kg) deve restare sopra quella del punto ts (8,44 "
         "g/kg, t superficiale 11,5 °C): abbassare t superficiale o aumentare tbs immissione"},
        {5,
         [](TLavoro& l) {
             l.Qrinn = 0;
             l.umQrinn = 2;
         },
         CodiceQrinnNullo, "q rinnovo (0,0 m3/h) deve essere maggiore di zero"},
    };
    for (const Caso& k : casi) {
        TLavoro l = esempio(k.tipo);
        k.modifica(l);
        const Corsa c = calcola(l);
        EXPECT_EQ(c.esito.codice, k.codice) << k.messaggio;
        EXPECT_EQ(MessaggioErrore(l), k.messaggio);
    }
    // A work that calculated has no message.
    TLavoro ok = esempio(0);
    calcola(ok);
    EXPECT_EQ(MessaggioErrore(ok), "");
}

// B with the supply point C at or beyond saturation: the cause named is
// C's humidity (206), not the search below C that cannot meet the curve
// from there. A C below saturation whose coil line is steeper than the
// curve still misses it (215). Point "ts" goes to the chart's edge either
// way.
TEST(PlantCalc, ConfigurationB_SupplyBeyondSaturationNamesItsHumidity) {
    struct Caso {
        double tbsImm;
        int codice;
    };
    for (const Caso k : {Caso{11.5, 206}, Caso{12.5, 206}, Caso{14, 215}}) {
        TLavoro b = esempio(1);
        b.tbsEst = 33;
        b.UREst = 80;
        b.tbsImm = k.tbsImm;
        EXPECT_EQ(calcola(b).esito.codice, k.codice) << k.tbsImm;
        EXPECT_EQ(P(b, 4).tbs, b.TestataChart.tbsMin) << k.tbsImm;
        EXPECT_EQ(P(b, 4).Nome.testo(), "") << k.tbsImm;
        EXPECT_EQ(k.codice == 206, P(b, 3).UR > 99) << k.tbsImm;
    }
}

TEST(PlantCalc, SummerSchemesCodesThatDoNotStop) {
    // A supply point above 99 %: 206, and the search still places "ts".
    TLavoro a = esempio(0);
    a.tbsImm = 13;
    EXPECT_EQ(calcola(a).esito.codice, 206);
    EXPECT_EQ(P(a, 5).Nome.testo(), "ts");
    EXPECT_GT(a.fs, 0.0);
    TLavoro b = esempio(1);
    b.tbsImm = 11;
    EXPECT_EQ(calcola(b).esito.codice, 206);

    // A low sensible ratio with the supply flow typed: the line C-D misses
    // the curve; "ts" goes to the chart's left edge, unnamed.
    TLavoro q = esempio(0);
    q.flgQimm = 1;
    q.Csens = 3;
    q.Clat = 7;
    const Corsa r = calcola(q);
    EXPECT_EQ(r.esito.codice, 202);
    EXPECT_FALSE(r.esito.fermato);
    EXPECT_EQ(P(q, 5).tbs, q.TestataChart.tbsMin);
    EXPECT_EQ(P(q, 5).Nome.testo(), "");
    EXPECT_NE(r.traccia.find("kk= 0\r\n"), std::string::npos);
}

TEST(PlantCalc, ConfigurationC_StopsAndPurelyLatentLoad) {
    // The supply humidity walks down to that of "ts": 413, no trace line,
    // the layout stays for the grey repaint.
    TLavoro c = esempio(2);
    c.tbsImm = 12;
    Corsa r = calcola(c);
    EXPECT_EQ(r.esito.codice, 413);
    EXPECT_TRUE(r.esito.fermato);
    EXPECT_EQ(r.traccia.find("Errore:"), std::string::npos);
    EXPECT_EQ(c.NumTrattamenti, 4);

    // Dry outdoor air: the coil line reaches D's humidity beyond "ts".
    TLavoro secco = esempio(2);
    secco.UREst = 20;
    EXPECT_EQ(calcola(secco).esito.codice, 408);

    // Purely latent load: D at 1.01 x of "ts", or at the picked humidity.
    TLavoro lat = esempio(2);
    lat.Csens = 0;
    EXPECT_EQ(calcola(lat).esito.codice, 0);
    EXPECT_NEAR(P(lat, 4).x, 1.01 * P(lat, 5).x, 1e-15);
    EXPECT_EQ(P(lat, 4).Maniglia, 5);
    lat.flgXPick = 1;
    lat.xPick = 0.0092;
    calcola(lat);
    EXPECT_EQ(P(lat, 4).x, 0.0092);
    EXPECT_EQ(lat.flgXPick, 1);
    lat.Csens = 32; // a sensible load again: the pick is dropped
    lat.tbsImm = 18;
    calcola(lat);
    EXPECT_EQ(lat.flgXPick, 0);
}

// A line that rises as it cools, searched from 1e12 °C: each 5 K chord
// there is flat at zero and below the line, so the walk went on for ever
// (lo - 5 is lo again). It is bounded and ends as a line that does not
// meet the curve.
TEST(PlantCalc, TheSearchForTsEndsInBoundedTimeFromFarBeyondTheRange) {
    Patm = PatmStandard;
    TLavoro l;
    TracciaDettagli t;
    ContestoImpianto c(l, t, nullptr);
    const RicercaTs r{.tL = 26,
                      .xL = 0.011,
                      .mts = -1e-6,
                      .tStart = 1e12,
                      .tK = 1e12,
                      .codPendenza = 205,
                      .codSottoZero = 202,
                      .codLimite = 203,
                      .codOltre = 206,
                      .codGuasto = 202,
                      .traccia = false};
    double tps = 0;
    EXPECT_EQ(cercaTs(c, r, tps), 202);
    EXPECT_EQ(l.CodiceErrore, 0); // a search that fails, not a stop
}

TEST(PlantCalc, TraceNumbersAndFile) {
    EXPECT_EQ(numeroFisso(30.405, 2), "30.41");
    EXPECT_EQ(numeroFisso(-1.5, 3), "-1.500");
    EXPECT_EQ(numeroFisso(-0.0001, 2), "-0.00");
    EXPECT_EQ(numeroFisso(-0.0, 2), "0.00");

    TLavoro l = esempio(0);
    const std::string cartella = ::testing::TempDir();
    Patm = PatmStandard;
    const EsitoImpianto e = CalcolaImpianto(l, cartella);
    ASSERT_TRUE(e.file.ok) << e.file.errore;
    std::FILE* f = std::fopen((cartella + NomeDettagli).c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buf[32] = {};
    ASSERT_EQ(std::fread(buf, 1, 13, f), 13u);
    std::fclose(f);
    EXPECT_EQ(std::string(buf), "Ctot= 30.41\r\n");
    EXPECT_FALSE(CalcolaImpianto(l, std::string("/nonexistent/dir/")).file.ok);
    // No configuration in use: the trace is left as it is.
    l.TipoImpianto = 6;
    EXPECT_TRUE(CalcolaImpianto(l, cartella).file.ok);
    EXPECT_TRUE(fileSize(cartella + NomeDettagli).value_or(0) > 0);
}

} // namespace
} // namespace tarvelo
