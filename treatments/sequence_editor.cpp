#include "treatments/sequence_editor.h"

#include "engine/format_mask.h"
#include "treatments/process.h"
#include "treatments/treatment_defaults.h"

#include <algorithm>

namespace tarvelo {

namespace {

const char* titolo(std::uint8_t tipo) {
    switch (tipo) {
    case TipoMiscela:
        return "MISCELA";
    case TipoRaffreddamento:
        return "RAFFREDDAMENTO";
    case TipoBatteriaFredda:
        return "RAFFREDDAMENTO CON DEUMIDIFICAZIONE";
    case TipoRiscaldamento:
        return "RISCALDAMENTO";
    case TipoUmidificazione:
    case TipoUmidificazioneVapore:
        return "UMIDIFICAZIONE ADIABATICA O CON VAPORE";
    case TipoUnione:
        return "UNIONE - (RETTA CARICHI AMBIENTE)";
    default:
        return "";
    }
}

// Points a new treatment of this kind adds to the work.
int puntiNuovi(std::uint8_t tipo) {
    return tipo == TipoMiscela || tipo == TipoBatteriaFredda ? 3 : 2;
}

} // namespace

std::string titoloTratto(int k, std::uint8_t tipo) {
    return "Tratto " + FormatMask("## : ", k) + titolo(tipo);
}

EditorSequenza::EditorSequenza(TLavoro& lavoro, std::uint8_t umPortataDef)
    : lavoro_(lavoro), umPortataDef_(umPortataDef) {}

std::size_t EditorSequenza::indice() const {
    return static_cast<std::size_t>(std::clamp(k_, 1, static_cast<int>(TLavoro::MaxTrattamenti)) -
                                    1);
}

bool EditorSequenza::estensione(int k) const {
    if (k < 1 || k > static_cast<int>(TLavoro::MaxTrattamenti))
        return false;
    const TTrattamento& t = lavoro_.Trattamenti[static_cast<std::size_t>(k - 1)];
    return t.Tipo == TipoUnione && t.Estensione == 0;
}

void EditorSequenza::apri(int codice) {
    *copia_ = lavoro_;
    lavoro_.CodiceErrore = 0;
    revisione_ = codice == 0;
    if (!revisione_) {
        lavoro_.TipoImpianto = 6;
        lavoro_.TitoloSequenza.assegna("");
        lavoro_.NumTrattamenti = 0;
        lavoro_.NumPunti = 0;
        k_ = 0;
        base_ = 0;
    } else {
        k_ = 1;
        tipo_ = lavoro_.Trattamenti[0].Tipo;
        base_ = lavoro_.NumPunti;
    }
}

void EditorSequenza::mostraTratto(int codice, bool nuovo) {
    if (codice == 0) {
        nuovo = false;
        codice = lavoro_.Trattamenti[indice()].Tipo + 1;
    }
    inserimento_ = nuovo;
    if (nuovo) {
        const int n = std::min<int>(lavoro_.NumTrattamenti, TLavoro::MaxTrattamenti);
        k_ = n + 1;
        tipo_ = static_cast<std::uint8_t>(codice - 1);
        const int record = tipo_ == TipoBatteriaFredda ? 2 : 1;
        lavoro_.NumTrattamenti =
            static_cast<std::uint8_t>(std::min<int>(n + record, TLavoro::MaxTrattamenti));
        // The new records start clean, whatever an earlier sequence left.
        for (int r = k_; r < k_ + record && r <= static_cast<int>(TLavoro::MaxTrattamenti); ++r) {
            TTrattamento& t = lavoro_.Trattamenti[static_cast<std::size_t>(r - 1)];
            t = TTrattamento{};
            t.Visibile = 0;
            t.Tipo = r == k_ ? tipo_ : TipoUnione; // the coil's extension line
        }
        TTrattamento& t = trattamento();
        impostaDatiDefault(tipo_, t.Dati, umPortataDef_);
        // The flow goes on from the previous record: its mixture point, or
        // its first point (the coil's outlet on an extension line).
        if (k_ == 1) {
            t.Dati.PuntoPortata = -1;
        } else {
            const TTrattamento& prima = lavoro_.Trattamenti[static_cast<std::size_t>(k_ - 2)];
            t.Dati.PuntoPortata = prima.Tipo == TipoMiscela ? prima.Punto3 : prima.Punto1;
        }
        slot_ = {base_ + 1, base_ + 2, base_ + 3};
        for (const int s : {slot_.p1, slot_.p2, slot_.p3})
            if (s >= 1 && s <= static_cast<int>(TLavoro::MaxPunti))
                lavoro_.Punti[static_cast<std::size_t>(s - 1)].InUso = 0;
        lavoro_.NumPunti = static_cast<std::uint8_t>(
            std::min<int>(lavoro_.NumPunti + puntiNuovi(tipo_), TLavoro::MaxPunti));
    } else {
        const TTrattamento& t = trattamento();
        tipo_ = t.Tipo;
        slot_ = {t.Punto1, t.Punto2, t.Punto3};
    }
    TTrattamento& t = trattamento();
    if (portataImposta()) {
        if (tipo_ == TipoMiscela && t.Dati.modoMiscela == 2)
            t.Dati.modoMiscela = 0;
        applicaPortataImposta(lavoro_, t);
        // The shares shown beside the mixture's flow follow it at once.
        if (tipo_ == TipoMiscela)
            DividiPortate(t.Dati.modoMiscela, t.Dati.perc1, t.Dati.perc2, t.Dati.port3,
                          t.Dati.port2, t.Dati.port1);
    }
    base_ = lavoro_.NumPunti;
}

bool EditorSequenza::troppiPunti() const {
    return lavoro_.NumPunti > 17 || lavoro_.NumTrattamenti > 9;
}

bool EditorSequenza::slotUsatiDaAltri(int slot) const {
    const int n = std::min<int>(lavoro_.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (int r = 1; r <= n; ++r) {
        if (r == k_ || (r == k_ + 1 && estensione(r)))
            continue;
        const TTrattamento& t = lavoro_.Trattamenti[static_cast<std::size_t>(r - 1)];
        // Only a mixture and a coil put a point in their third slot; the
        // other kinds merely keep its number.
        const bool terzo = t.Tipo == TipoMiscela || t.Tipo == TipoBatteriaFredda;
        for (const int p : {t.Punto1, t.Punto2, terzo ? t.Punto3 : 0, t.Dati.Collega[0],
                            t.Dati.Collega[1], t.Dati.Collega[2]})
            if (p >= slot)
                return true;
    }
    return false;
}

void EditorSequenza::collega(int quale, int indice) {
    if (quale < 0 || quale > 1 || indice < 1 || indice > static_cast<int>(TLavoro::MaxPunti))
        return;
    TTrattamento& t = trattamento();
    int& p = quale == 0 ? slot_.p1 : slot_.p2;
    const int lasciato = p;
    p = indice;
    const auto q = static_cast<std::size_t>(quale);
    if (t.Dati.Collega[q] == -1) {
        // The slot reserved for the point is given back. The reserved slots
        // after it move down when nothing else uses them; in the middle of a
        // sequence the slot is only left out of use, so that no later
        // treatment loses its points.
        if (lasciato >= 1 && !slotUsatiDaAltri(lasciato)) {
            lavoro_.NumPunti = static_cast<std::uint8_t>(std::max(0, lavoro_.NumPunti - 1));
            base_ = lavoro_.NumPunti;
            if (quale == 0)
                --slot_.p2;
            --slot_.p3;
        } else if (lasciato >= 1 && lasciato <= static_cast<int>(TLavoro::MaxPunti)) {
            lavoro_.Punti[static_cast<std::size_t>(lasciato - 1)].InUso = 0;
        }
    }
    t.Dati.Collega[q] = indice;
    prendiPuntiCollegati(lavoro_, t);
}

EsitoCalcolo EditorSequenza::calcola() {
    // Once computed, the new treatment is part of the sequence and can be
    // browsed away from.
    inserimento_ = false;
    return BtnCalcolaClick(lavoro_, k_, slot_);
}

int EditorSequenza::primo() const {
    return lavoro_.NumTrattamenti > 0 ? 1 : 0;
}

int EditorSequenza::precedente() const {
    for (int r = k_ - 1; r >= 1; --r)
        if (!estensione(r))
            return r;
    return k_;
}

int EditorSequenza::successivo() const {
    const int n = std::min<int>(lavoro_.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (int r = k_ + 1; r <= n; ++r)
        if (!estensione(r))
            return r;
    return k_;
}

int EditorSequenza::ultimo() const {
    const int n = std::min<int>(lavoro_.NumTrattamenti, TLavoro::MaxTrattamenti);
    for (int r = n; r > k_; --r)
        if (!estensione(r))
            return r;
    return k_;
}

EditorSequenza::Navigazione EditorSequenza::navigazione() const {
    if (inserimento_)
        return {};
    const int n = std::min<int>(lavoro_.NumTrattamenti, TLavoro::MaxTrattamenti);
    const bool inFondo = k_ >= n || (k_ + 1 == n && estensione(n));
    return {k_ > 1, k_ > 1, !inFondo, !inFondo};
}

void EditorSequenza::vaiA(int k) {
    const int n = std::min<int>(lavoro_.NumTrattamenti, TLavoro::MaxTrattamenti);
    if (k < 1 || k > n)
        return;
    k_ = k;
    mostraTratto(lavoro_.Trattamenti[indice()].Tipo + 1, false);
}

void EditorSequenza::annulla() {
    lavoro_ = *copia_;
}

} // namespace tarvelo
