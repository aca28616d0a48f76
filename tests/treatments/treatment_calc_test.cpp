#include "document/error_messages.h"
#include "engine/moist_air.h"
#include "treatments/point_fill.h"
#include "treatments/process.h"
#include "treatments/treatment_calc.h"
#include "treatments/treatment_defaults.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvelo {
namespace {

// A work whose treatment k is a new treatment of a kind with its default
// inputs, in fresh point slots.
class Treatments : public ::testing::Test {
  protected:
    void SetUp() override {
        Patm = 101325;
        l.TestataChart.tbsMin = -5;
    }
    TTrattamento& nuovo(int k, std::uint8_t tipo) {
        TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k - 1)];
        t.Tipo = tipo;
        impostaDatiDefault(tipo, t.Dati, 0);
        t.Dati.PuntoPortata = -1;
        l.NumTrattamenti = static_cast<std::uint8_t>(std::max<int>(l.NumTrattamenti, k));
        return t;
    }
    TPunto& punto(int n) { return l.Punti[static_cast<std::size_t>(n - 1)]; }
    TLavoro l;
};

TEST_F(Treatments, Mixing) {
    TTrattamento& t = nuovo(1, TipoMiscela);
    l.NumPunti = 3;
    const EsitoCalcolo e = BtnCalcolaClick(l, 1, {1, 2, 3});
    EXPECT_EQ(e.errore, 0);
    EXPECT_EQ(e.messaggio, "");
    EXPECT_NEAR(t.Dati.port3, 2.77777, 1e-12);
    EXPECT_NEAR(t.Dati.perc1, 43.20, 0.005);
    EXPECT_NEAR(t.Dati.perc2, 56.80, 0.005);
    EXPECT_NEAR(punto(3).tbs, 28.024, 0.0005);
    EXPECT_NEAR(punto(3).x * 1000, 11.282, 0.0005);
    EXPECT_NEAR(punto(3).UR, 47.66, 0.005);
    EXPECT_EQ(punto(3).Nome.testo(), "C");
    EXPECT_EQ(punto(1).qm, 1.2);
    EXPECT_EQ(punto(3).qm, t.Dati.port3);
    EXPECT_EQ(t.Punto3, 3);
    EXPECT_EQ(t.Etichetta.testo(), "Miscela");
    EXPECT_EQ(t.Reale, 1);
    EXPECT_EQ(t.dt, std::fabs(punto(1).tbs - punto(2).tbs));

    t.Dati.modoMiscela = 1;
    t.Dati.port1 = 3;
    EsitoCalcolo bad = calcolaTrattamento(l, 1, {1, 2, 3});
    EXPECT_EQ(bad.errore, 301);
    EXPECT_EQ(bad.messaggio,
              "Tratto  1\rLa portata 1 (3,0000 kg/s) non deve superare la portata della "
              "miscela (2,7778 kg/s)");
    t.Dati.modoMiscela = 2;
    t.Dati.port1 = 0;
    t.Dati.port2 = 0;
    bad = calcolaTrattamento(l, 1, {1, 2, 3});
    EXPECT_EQ(bad.errore, 300);
}

// The shares of a mixing from its flows as typed: a negative flow is
// refused, and the shares stay within 0..100 % whatever the flows' sizes.
// A negative first flow over a total near zero gave shares of -inf, which
// the dialog then kept in the work.
TEST(MixingShares, ANegativeFlowIsRefusedAndTheSharesStayFinite) {
    struct Caso {
        int modo;
        double perc1, port1, port2, port3;
        int codice;
    };
    const Caso casi[] = {
        {0, 43.2, 0, 0, 2.77777, 0},
        {1, 0, 1.2, 0, 2.77777, 0},
        {2, 0, 1.2, 1.57777, 0, 0},
        {0, -10, 0, 0, 2.77777, 314},
        {1, 0, -303.9, 0, 1.25e-308, 314},
        {1, 0, -1, 0, 2, 314},
        {2, 0, -1, 3, 0, 314},
        {2, 0, 3, -1, 0, 301},
        {0, 110, 0, 0, 2, 301},
        {1, 0, 1, 0, 0, 301},
    };
    for (const Caso& c : casi) {
        double perc1 = c.perc1, perc2 = 0, port1 = c.port1, port2 = c.port2, port3 = c.port3;
        const int codice = DividiPortate(c.modo, perc1, perc2, port3, port2, port1);
        EXPECT_EQ(codice, c.codice) << c.modo << " " << c.port1;
        if (codice == 0) {
            EXPECT_GE(perc1, 0.0);
            EXPECT_LE(perc1, 100.0);
            EXPECT_NEAR(perc1 + perc2, 100.0, 1e-9);
        }
        EXPECT_TRUE(std::isfinite(perc1) && std::isfinite(perc2)) << c.modo << " " << c.port1;
    }
    EXPECT_EQ(MessaggioErrore(314), "La portata 1 non deve essere negativa");
}

TEST_F(Treatments, HeatingAndCooling) {
    TTrattamento& h = nuovo(1, TipoRiscaldamento);
    EsitoCalcolo e = BtnCalcolaClick(l, 1, {1, 2, 3});
    EXPECT_EQ(e.errore, 0);
    EXPECT_EQ(h.Punto3, 3); // the reserved third slot is kept, left alone
    EXPECT_EQ(punto(3).InUso, 0);
    EXPECT_NEAR(punto(2).h - punto(1).h, 3600.1, 0.05);
    EXPECT_NEAR(punto(2).tbs, 17.54, 0.005);
    EXPECT_EQ(punto(2).x, punto(1).x);
    EXPECT_NEAR(punto(2).x * 1000, 5.944, 0.0005);
    EXPECT_EQ(h.Qsen, 10000);
    EXPECT_EQ(h.ST, 1.0);
    EXPECT_EQ(h.Dati.tbs2, punto(2).tbs);
    EXPECT_EQ(h.Etichetta.testo(), "Riscaldamento");

    TTrattamento& c = nuovo(2, TipoRaffreddamento);
    e = BtnCalcolaClick(l, 2, {3, 4, 0});
    EXPECT_EQ(e.errore, 0);
    EXPECT_NEAR(punto(4).tbs, 29.46, 0.005);

    // Mode 2 at the inlet's enthalpy; mode 0 without flow.
    c.Dati.modoPotenza = 2;
    c.Dati.tbs2 = c.Dati.tbs1;
    e = calcolaTrattamento(l, 2, {3, 4, 0});
    EXPECT_EQ(e.errore, 302);
    c.Dati.modoPotenza = 0;
    c.Dati.portata = 0;
    e = calcolaTrattamento(l, 2, {3, 4, 0});
    EXPECT_EQ(e.messaggio, "Tratto  2\rLa portata (0,0000 kg/s) deve essere maggiore di zero");
    // A heating in mode 1 whose outlet is colder: a negative power, no message.
    h.Dati.modoPotenza = 1;
    h.Dati.tbs2 = 10;
    e = calcolaTrattamento(l, 1, {1, 2, 0});
    EXPECT_EQ(e.errore, 0);
    EXPECT_LT(h.Dati.potenza, 0);
}

TEST_F(Treatments, Humidification) {
    TTrattamento& t = nuovo(1, TipoUmidificazione);
    EsitoCalcolo e = BtnCalcolaClick(l, 1, {1, 2, 0});
    EXPECT_EQ(e.errore, 0);
    EXPECT_NEAR(punto(2).h - punto(1).h, 132.5, 0.05);
    EXPECT_NEAR(punto(2).tbs, 29.54, 0.005);
    EXPECT_EQ(t.Tipo, TipoUmidificazione);
    EXPECT_EQ(t.Etichetta.testo(), "Umidificazione\r\nadiabatica");
    EXPECT_NEAR(t.qx, 0.00211 * 2.7777, 1e-9);
    t.Dati.vapore = 1;
    t.Dati.tMezzo = 110;
    e = BtnCalcolaClick(l, 1, {1, 2, 0});
    EXPECT_NEAR(punto(2).tbs, 34.98, 0.005);
    EXPECT_EQ(t.Tipo, TipoUmidificazioneVapore);
}

TEST_F(Treatments, CoilWorkedExampleAndItsExtensionLine) {
    TTrattamento& t = nuovo(1, TipoBatteriaFredda);
    l.NumTrattamenti = 2;
    l.Trattamenti[1].Tipo = TipoUnione; // the slot reserved for the extension line
    const EsitoCalcolo e = BtnCalcolaClick(l, 1, {1, 2, 3});
    EXPECT_EQ(e.errore, 0) << e.messaggio;
    EXPECT_EQ(t.Qsen, 32000);
    EXPECT_EQ(t.Qtot, 44000);
    EXPECT_NEAR(t.ST, 0.727, 0.0005);
    EXPECT_NEAR(t.qx, 0.004717, 0.0000005);
    EXPECT_NEAR(t.dt, 11.25, 0.005);
    EXPECT_NEAR(t.dx, 1.70, 0.005);
    EXPECT_NEAR(t.dh, 15.838, 0.0005);
    EXPECT_NEAR(t.dhdx, 9.328, 0.0005);
    EXPECT_NEAR(t.Dati.UR2, 9.452, 0.0005);
    EXPECT_EQ(punto(3).Nome.testo(), "ts");
    EXPECT_EQ(t.Punto3, 3);
    EXPECT_EQ(t.Etichetta.testo(), "Raffreddamento\r\ncon deumidificazione");
    const TTrattamento& ext = l.Trattamenti[1];
    EXPECT_EQ(ext.Punto1, 2);
    EXPECT_EQ(ext.Punto2, 3);
    EXPECT_EQ(ext.Colore, 0x0000FF);
    EXPECT_EQ(ext.Tipo, TipoUnione);
    EXPECT_EQ(ext.Estensione, 0);
    EXPECT_EQ(ext.Reale, 0);
    EXPECT_NEAR(l.fs, t.Dati.fsDato, 1e-12);
    EXPECT_NEAR(l.fs, 0.78, 0.005);
}

TEST_F(Treatments, PointsAboveSaturation) {
    TTrattamento& t = nuovo(1, TipoRiscaldamento);
    t.Dati.UR1 = 120;
    const EsitoCalcolo e = BtnCalcolaClick(l, 1, {1, 2, 0});
    EXPECT_EQ(e.messaggio,
              "Tratto  1\rUR1 (120,0 %) non deve superare il 100 %: il punto 1 è oltre "
              "la curva di saturazione");
    EXPECT_EQ(e.errore, 3000);
}

// Each code of the treatments with inputs that raise it: the code stays
// what it was, the message names the quantities and their values (decimal
// comma, flows in the unit the treatment shows).
TEST_F(Treatments, MessagesNameTheFailedConditionWithItsValues) {
    struct Caso {
        const char* nome;
        std::uint8_t tipo;
        void (*modifica)(TDatiTrattamento&);
        int codice;
        const char* messaggio;
        int errore = -1; // Errore when it is not the code itself
    };
    const Caso casi[] = {
        {"mixture flow zero", TipoMiscela,
         [](TDatiTrattamento& d) {
             d.port1 = 0;
             d.port2 = 0;
         },
         300, "La portata della miscela (0,0000 kg/s) deve essere maggiore di zero"},
        {"flow 1 above the mixture, in l/s", TipoMiscela,
         [](TDatiTrattamento& d) {
             d.modoMiscela = 1;
             d.port1 = 3;
             d.umPortata = 1;
         },
         301,
         "La portata 1 (2448,00 l/s) non deve superare la portata della miscela (2266,66 l/s)"},
        {"heating to the inlet's enthalpy", TipoRiscaldamento,
         [](TDatiTrattamento& d) {
             d.modoPotenza = 2;
             d.tbs2 = d.tbs1;
         },
         302,
         "h2 (29,10 kJ/kg) deve essere diversa da h1 (29,10 kJ/kg): con h2 = h1 la portata non "
         "si può calcolare"},
        {"coil line at constant temperature", TipoBatteriaFredda,
         [](TDatiTrattamento& d) {
             d.modoBatteria = 3;
             d.tbs2 = d.tbs1;
         },
         302,
         "tbs2 (26,8 °C) deve essere diversa da tbs1 (26,8 °C): la retta della batteria "
         "sarebbe verticale"},
        {"cooling without flow", TipoRaffreddamento, [](TDatiTrattamento& d) { d.portata = 0; },
         303, "La portata (0,0000 kg/s) deve essere maggiore di zero"},
        {"coil without total power", TipoBatteriaFredda, [](TDatiTrattamento& d) { d.T = 0; }, 304,
         "La potenza totale T (0,000 kW) deve essere maggiore di zero"},
        {"coil line reaching x = 0 above tbs2", TipoBatteriaFredda,
         [](TDatiTrattamento& d) { d.S = 1; }, 305,
         "tbs2 (15,5 °C) deve essere maggiore di t0 (26,1 °C), dove la retta del trattamento (S/T "
         "0,02) raggiunge x = 0"},
        {"coil without flow", TipoBatteriaFredda,
         [](TDatiTrattamento& d) {
             d.modoBatteria = 1;
             d.qimm = 0;
         },
         306, "La portata qimm (0,0000 kg/s) deve essere maggiore di zero"},
        {"coil without sensible power", TipoBatteriaFredda,
         [](TDatiTrattamento& d) {
             d.modoBatteria = 1;
             d.S = 0;
         },
         307, "La potenza sensibile S (0,000 kW) deve essere diversa da zero"},
        {"coil outlet enthalpy below x = 0", TipoBatteriaFredda,
         [](TDatiTrattamento& d) {
             d.modoBatteria = 1;
             d.S = 1;
             d.T = 200;
         },
         308,
         "h2 (-16,67 kJ/kg) non deve essere minore di h0 (26,77 kJ/kg), dove la retta del "
         "trattamento (S/T 0,01) raggiunge x = 0 a 26,6 °C: ridurre T o aumentare qimm"},
        {"union from x2 with S = T", TipoUnione,
         [](TDatiTrattamento& d) {
             d.modoBatteria = 2; // list position 2: mode 6
             d.S = 44;
         },
         309,
         "La potenza sensibile S (44,000 kW) deve essere diversa dalla totale T (44,000 kW): "
         "con S = T la retta è orizzontale e x2 non determina tbs2"},
        {"coil outlet beyond saturation", TipoBatteriaFredda,
         [](TDatiTrattamento& d) {
             d.modoBatteria = 3;
             d.UR2 = 12;
         },
         311,
         "La retta della batteria incontra la curva di saturazione sopra tbs2 (15,5 °C): il "
         "punto 2 è oltre la saturazione",
         3311}, // point 2 above saturation adds its 3000
        {"coil surface at the inlet temperature", TipoBatteriaFredda,
         [](TDatiTrattamento& d) {
             d.modoBatteria = 2;
             d.ts = d.tbs1;
         },
         312, "ts (26,8 °C) deve essere diversa da tbs1 (26,8 °C)"},
        {"inlet above saturation", TipoRiscaldamento, [](TDatiTrattamento& d) { d.UR1 = 120; },
         1000,
         "UR1 (120,0 %) non deve superare il 100 %: il punto 1 è oltre la curva di saturazione"},
        {"cooling past the dew point", TipoRaffreddamento,
         [](TDatiTrattamento& d) { d.potenza = 100; }, 2000,
         "UR2 (191,2 %) non deve superare il 100 %: il punto 2 è oltre la curva di "
         "saturazione"},
        {"mixture of two saturated streams", TipoMiscela,
         [](TDatiTrattamento& d) {
             d.tbs1 = 5;
             d.UR1 = 100;
             d.tbs2 = 35;
             d.UR2 = 100;
         },
         3000,
         "UR della miscela (136,9 %) non deve superare il 100 %: il punto di miscela è oltre "
         "la curva di saturazione"},
    };
    for (const Caso& c : casi) {
        l = TLavoro{};
        l.TestataChart.tbsMin = -5;
        l.NumPunti = 3;
        TTrattamento& t = nuovo(1, c.tipo);
        c.modifica(t.Dati);
        const EsitoCalcolo e = calcolaTrattamento(l, 1, {1, 2, 3});
        // A point above saturation adds 3000 to Errore and shows its own code.
        EXPECT_EQ(e.errore, c.errore >= 0      ? c.errore
                            : c.codice >= 1000 ? 3000
                                               : c.codice)
            << c.nome;
        EXPECT_EQ(e.messaggio, std::string("Tratto  1\r") + c.messaggio) << c.nome;
        // The sequence recalculation names the same cause.
        EXPECT_EQ(RicalcolaTratti(l), e.messaggio) << c.nome;
    }
}

TEST_F(Treatments, AUnionStaysOutOfTheSummary) {
    TTrattamento& t = nuovo(1, TipoUnione);
    t.Dati.modoBatteria = 3; // list position 3: mode 4
    t.Dati.L = 5.11;
    const EsitoCalcolo e = BtnCalcolaClick(l, 1, {1, 2, 0});
    EXPECT_EQ(e.errore, 0);
    EXPECT_EQ(t.Reale, 0);
    EXPECT_EQ(t.Estensione, 1);
    EXPECT_EQ(t.dt, 0);
    EXPECT_EQ(modoUnione(2), 6);
    EXPECT_EQ(modoUnione(5), 3);
}

TEST_F(Treatments, ALinkedPointCarriesAChangeThroughTheSequence) {
    // Heating 1 -> 2, then cooling from point 2 (linked) to point 3.
    TTrattamento& h = nuovo(1, TipoRiscaldamento);
    BtnCalcolaClick(l, 1, {1, 2, 0});
    TTrattamento& c = nuovo(2, TipoRaffreddamento);
    c.Dati.Collega[0] = 2;
    c.Dati.tbs1 = punto(2).tbs;
    c.Dati.UR1 = punto(2).UR;
    c.Dati.tbs2 = 15;
    c.Dati.modoPotenza = 1;
    BtnCalcolaClick(l, 2, {3, 4, 0});
    EXPECT_EQ(c.Punto1, 2);
    // More heat: point 2 moves and the cooling follows it.
    h.Dati.potenza = 20;
    BtnCalcolaClick(l, 1, {1, 2, 0});
    EXPECT_NEAR(c.Dati.tbs1, punto(2).tbs, 1e-12);
    EXPECT_NEAR(c.Dati.potenza * 1000, -2.7777 * (punto(4).h - punto(2).h), 1e-6);
    // The recalculation works on the points as they stand: the heating
    // keeps x exactly, so no spurious dx and no huge dh/dx in its summary.
    for (int tbs1 = 5; tbs1 <= 25; ++tbs1) {
        h.Dati.tbs1 = tbs1 + 0.3;
        BtnCalcolaClick(l, 1, {1, 2, 0});
        RicalcolaTratti(l);
        riassumiTrattamenti(l);
        EXPECT_EQ(punto(2).x, punto(1).x) << tbs1;
        EXPECT_EQ(h.dhdx, 0.0) << tbs1;
        // "Calcola" on the cooling takes its linked inlet as stored, not
        // rebuilt from the (tbs, UR) its fields show to one decimal.
        const TPunto uscita = punto(2);
        prendiPuntiCollegati(l, c); // as linking does in the dialog
        c.Dati.tbs1 = std::round(uscita.tbs * 10) / 10;
        c.Dati.UR1 = std::round(uscita.UR * 10) / 10;
        BtnCalcolaClick(l, 2, {3, 4, 0});
        EXPECT_EQ(punto(2), uscita) << tbs1;
        EXPECT_EQ(c.dx, 0.0) << tbs1;
        EXPECT_EQ(c.dhdx, 0.0) << tbs1;
    }
}

} // namespace
} // namespace tarvelo

namespace tarvelo {
namespace {

TEST(ImposedFlow, TakesThePointsFlowAndTheModeFromTheShortList) {
    TLavoro l;
    l.Punti[4].qm = 1.75; // point 5
    struct Caso {
        std::uint8_t tipo;
        std::uint8_t posLista;
        int modo;
    };
    const Caso casi[] = {
        {TipoBatteriaFredda, 0, 1}, {TipoBatteriaFredda, 1, 2}, {TipoBatteriaFredda, 2, 3},
        {TipoBatteriaFredda, 3, 1}, {TipoUnione, 0, 1},         {TipoUnione, 1, 3},
        {TipoUnione, 2, 4},         {TipoUnione, 3, 5},         {TipoUnione, 4, 1},
    };
    for (const Caso& c : casi) {
        TTrattamento t;
        t.Tipo = c.tipo;
        t.Dati.PuntoPortata = 5;
        t.Dati.posLista = c.posLista;
        applicaPortataImposta(l, t);
        EXPECT_EQ(t.Dati.modoBatteria, c.modo) << int(c.tipo) << " " << int(c.posLista);
        EXPECT_EQ(t.Dati.qimm, 1.75);
    }
    TTrattamento h;
    h.Tipo = TipoRiscaldamento;
    h.Dati.PuntoPortata = 5;
    applicaPortataImposta(l, h);
    EXPECT_EQ(h.Dati.portata, 1.75);
    TTrattamento libero; // no imposed flow: nothing changes
    libero.Tipo = TipoBatteriaFredda;
    libero.Dati.PuntoPortata = -1;
    libero.Dati.modoBatteria = 2;
    applicaPortataImposta(l, libero);
    EXPECT_EQ(libero.Dati.modoBatteria, 2);
    EXPECT_EQ(libero.Dati.qimm, 0.0);
}

TEST(LabelPosition, AboveBelowAndOtherCodes) {
    TPunto p;
    p.EtichDx = 7;
    p.EtichDyStampa = 1;
    p.EtichDyVideo = 2;
    PosEtichetta(0, p);
    EXPECT_EQ(p.EtichDx, 0);
    EXPECT_EQ(p.EtichDyStampa, 1);
    EXPECT_EQ(p.EtichDyVideo, 2);
    PosEtichetta(-1, p);
    EXPECT_EQ(p.EtichDyStampa, -25);
    EXPECT_EQ(p.EtichDyVideo, -25);
    PosEtichetta(-2, p);
    EXPECT_EQ(p.EtichDyStampa, 60);
    EXPECT_EQ(p.EtichDyVideo, 8);
}

} // namespace
} // namespace tarvelo
