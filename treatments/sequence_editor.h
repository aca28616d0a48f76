// The bookkeeping of the treatment dialog, apart from its window: which
// treatment is shown, the point slots it reserved, new treatments appended
// to the sequence, points linked to earlier ones, browsing that steps over
// the extension line of a coil, and the copy of the work that Cancel puts
// back. The window reads and writes the input block of the treatment shown
// and asks this class for everything that touches the rest of the work.
#pragma once

#include "document/work_records.h"
#include "treatments/treatment_calc.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tarvelo {

// "Tratto " + FormatMask("## : ", k) + the title of the kind.
std::string titoloTratto(int k, std::uint8_t tipo);

class EditorSequenza {
  public:
    // `umPortataDef`: the default flow unit of the saved defaults.
    EditorSequenza(TLavoro& lavoro, std::uint8_t umPortataDef);

    // Opening with a kind code 1..6 (a new sequence starting with kind
    // code − 1: the previous points and treatments are dropped) or 0 (the
    // stored sequence revised from its first treatment). Takes the copy
    // that Cancel puts back and clears the work's error code.
    void apri(int codice);

    // Shows treatment k() (nuovo false; kind code 0 means the first one of
    // a revision) or appends a new treatment of kind code − 1 and reserves
    // its slots (nuovo true).
    void mostraTratto(int codice, bool nuovo);

    // More than 17 points or 9 treatment records: a new treatment (up to 3
    // points and 2 records) would not fit.
    bool troppiPunti() const;

    // Point 1 (quale 0) or point 2 (quale 1) of the treatment shown reuses
    // point `indice`: its values and name go into the input block, and a
    // slot reserved for it is given back.
    void collega(int quale, int indice);

    // "Calcola": the treatment shown, then the sequence after it.
    EsitoCalcolo calcola();

    // The record numbers reached by the four navigation buttons (extension
    // lines skipped), and whether each button applies.
    int primo() const;
    int precedente() const;
    int successivo() const;
    int ultimo() const;
    struct Navigazione {
        bool home = false, indietro = false, avanti = false, fine = false;
    };
    Navigazione navigazione() const;
    // Shows record `k` as stored.
    void vaiA(int k);

    // Cancel: the work exactly as it was when the dialog opened.
    void annulla();

    int k() const { return k_; }
    std::uint8_t tipo() const { return tipo_; }
    const SlotPunti& slot() const { return slot_; }
    int base() const { return base_; }
    bool inserimento() const { return inserimento_; }
    bool revisione() const { return revisione_; }
    TTrattamento& trattamento() { return lavoro_.Trattamenti[indice()]; }
    const TTrattamento& trattamento() const { return lavoro_.Trattamenti[indice()]; }
    // The flow comes from an earlier point (every treatment after the first).
    bool portataImposta() const { return trattamento().Dati.PuntoPortata != -1; }
    TLavoro& lavoro() { return lavoro_; }

  private:
    std::size_t indice() const;
    bool estensione(int k) const;
    // Whether a treatment other than the one shown uses a slot from `slot`
    // on: then giving a slot back must not move anyone's points.
    bool slotUsatiDaAltri(int slot) const;

    TLavoro& lavoro_;
    std::uint8_t umPortataDef_;
    std::unique_ptr<TLavoro> copia_ = std::make_unique<TLavoro>();
    int k_ = 0;
    std::uint8_t tipo_ = 0;
    SlotPunti slot_;
    int base_ = 0;
    bool inserimento_ = false;
    bool revisione_ = false;
};

} // namespace tarvelo
