// The treatment dialog's bookkeeping on the work: new sequences and their
// Cancel, the flow handed on, links that give slots back, browsing.
#include "engine/moist_air.h"
#include "treatments/sequence_editor.h"
#include "treatments/treatment_defaults.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

class Sequenza : public ::testing::Test {
  protected:
    void SetUp() override {
        Patm = 101325;
        l.TestataChart.tbsMin = -5;
    }
    // Appends a treatment of kind `tipo` with its defaults and computes it.
    EsitoCalcolo aggiungi(std::uint8_t tipo) {
        e.mostraTratto(tipo + 1, true);
        return e.calcola();
    }
    TPunto& punto(int n) { return l.Punti[static_cast<std::size_t>(n - 1)]; }
    TLavoro l;
    EditorSequenza e{l, 0};
};

TEST_F(Sequenza, ANewSequenceEmptiesTheWorkAndCancelPutsItBack) {
    e.apri(4);
    aggiungi(TipoRiscaldamento);
    aggiungi(TipoBatteriaFredda);
    l.Descrizione.assegna("Uffici");
    const TLavoro prima = l;

    EditorSequenza altro(l, 0);
    altro.apri(1);
    EXPECT_EQ(l.NumTrattamenti, 0);
    EXPECT_EQ(l.NumPunti, 0);
    EXPECT_EQ(l.TipoImpianto, 6);
    altro.mostraTratto(1, true);
    altro.calcola();
    EXPECT_EQ(l.NumPunti, 3);
    altro.annulla();
    EXPECT_TRUE(l == prima);
}

TEST_F(Sequenza, EachTreatmentTakesTheFlowOfTheOneBefore) {
    e.apri(1);
    ASSERT_TRUE(aggiungi(TipoMiscela).messaggio.empty());
    EXPECT_FALSE(e.portataImposta());
    // After a mixing: its mixture point, and mode 2 is not offered.
    e.mostraTratto(TipoRiscaldamento + 1, true);
    EXPECT_EQ(e.trattamento().Dati.PuntoPortata, 3);
    EXPECT_TRUE(e.portataImposta());
    EXPECT_DOUBLE_EQ(e.trattamento().Dati.portata, punto(3).qm);
    ASSERT_TRUE(e.calcola().messaggio.empty());
    EXPECT_EQ(e.slot().p1, 4);
    // A coil takes the heating's inlet flow; after the coil, its outlet
    // (the first point of its extension line) carries it on.
    aggiungi(TipoBatteriaFredda);
    const int uscitaBatteria = e.trattamento().Punto2;
    e.mostraTratto(TipoUmidificazione + 1, true);
    EXPECT_EQ(e.k(), 5);
    EXPECT_EQ(e.trattamento().Dati.PuntoPortata, uscitaBatteria);
    e.calcola();

    // The mixture's flow changes: "Calcola" on the mixing carries it down
    // the whole sequence.
    e.vaiA(1);
    e.trattamento().Dati.port1 = 2;
    ASSERT_TRUE(e.calcola().messaggio.empty());
    const double nuova = punto(3).qm;
    EXPECT_NE(nuova, 2.77777);
    for (int k = 2; k <= 5; ++k) {
        const TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k - 1)];
        if (t.Reale == 1) {
            EXPECT_DOUBLE_EQ(punto(t.Punto2).qm, nuova) << k;
        }
    }
}

TEST_F(Sequenza, LinkingGivesTheReservedSlotBack) {
    e.apri(4);
    aggiungi(TipoRiscaldamento); // points 1, 2
    e.mostraTratto(TipoRaffreddamento + 1, true);
    EXPECT_EQ(l.NumPunti, 4);
    EXPECT_EQ(e.slot().p1, 3);
    e.collega(0, 2);
    EXPECT_EQ(l.NumPunti, 3);
    EXPECT_EQ(e.slot().p1, 2);
    EXPECT_EQ(e.slot().p2, 3);
    EXPECT_DOUBLE_EQ(e.trattamento().Dati.tbs1, punto(2).tbs);
    ASSERT_TRUE(e.calcola().messaggio.empty());
    EXPECT_EQ(e.trattamento().Punto1, 2);
    EXPECT_EQ(e.trattamento().Punto2, 3);

    // In the middle of the sequence a slot is only left out of use: the
    // treatment after keeps its points.
    aggiungi(TipoRiscaldamento); // points 4, 5
    const TLavoro prima = l;
    e.vaiA(2);
    e.collega(1, 1);
    EXPECT_EQ(l.NumPunti, prima.NumPunti);
    EXPECT_EQ(punto(3).InUso, 0);
    EXPECT_EQ(e.slot().p2, 1);
    EXPECT_EQ(l.Trattamenti[2].Punto1, 4);
}

TEST_F(Sequenza, NoRoomForAnotherTreatment) {
    e.apri(1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(e.troppiPunti()) << i;
        aggiungi(TipoMiscela);
    }
    EXPECT_EQ(l.NumPunti, 18);
    EXPECT_TRUE(e.troppiPunti());
}

TEST_F(Sequenza, BrowsingStepsOverExtensionLines) {
    e.apri(3);
    aggiungi(TipoBatteriaFredda); // records 1 and its extension 2
    aggiungi(TipoRiscaldamento);  // 3
    aggiungi(TipoBatteriaFredda); // 4 and 5
    EXPECT_EQ(l.NumTrattamenti, 5);
    EXPECT_EQ(e.navigazione().avanti, false); // entering: all off
    e.vaiA(4);
    EXPECT_EQ(e.navigazione().avanti, false); // the last is its extension
    EXPECT_EQ(e.navigazione().fine, false);
    EXPECT_EQ(e.precedente(), 3);
    e.vaiA(3);
    EXPECT_EQ(e.precedente(), 1);
    EXPECT_EQ(e.successivo(), 4);
    EXPECT_TRUE(e.navigazione().home);
    e.vaiA(1);
    EXPECT_EQ(e.successivo(), 3);
    EXPECT_EQ(e.ultimo(), 4);
    EXPECT_FALSE(e.navigazione().indietro);
    EXPECT_EQ(titoloTratto(e.k(), e.tipo()), "Tratto  1 : RAFFREDDAMENTO CON DEUMIDIFICAZIONE");

    // A revision starts from the first treatment with the points counted.
    EditorSequenza rev(l, 0);
    rev.apri(0);
    rev.mostraTratto(0, true);
    EXPECT_EQ(rev.k(), 1);
    EXPECT_FALSE(rev.inserimento());
    EXPECT_EQ(rev.slot().p1, l.Trattamenti[0].Punto1);
    EXPECT_EQ(rev.base(), l.NumPunti);
}

} // namespace
} // namespace tarvelo
