// Computing treatments: one treatment from its input block, as "Calcola" of
// the treatment dialog does, and the whole sequence again from the points
// as they stand, so that a change reaches the treatments that share its
// points. Messages are handed back for the caller to show; nothing here
// opens a window.
#pragma once

#include "document/work_records.h"

#include <string>

namespace tarvelo {

// The point slots (1-based) the dialog reserved for a treatment: inlet,
// outlet and third point (mixture, or the coil's "ts").
struct SlotPunti {
    int p1 = 0, p2 = 0, p3 = 0;
};

// "Tratto" + FormatMask("##", k) + CR + the message (UTF-8).
std::string formaMessaggio(int k, const std::string& testo);

struct EsitoCalcolo {
    int errore = 0;        // Errore of the treatment
    std::string messaggio; // the one message of this computation, if any
};

// Computes treatment k (1-based) of its kind from its input block (values
// as typed: x in g/kg, powers in kW, flows in kg/s), writes its points,
// flows and record, and for a coil the extension line in record k + 1.
// `tbsMinChart` places a coil surface point that is not found.
EsitoCalcolo calcolaTrattamento(TLavoro& l, int k, const SlotPunti& slot);

// Recomputes every treatment of the sequence (extension lines skipped);
// returns the first message of the pass, empty when none or when `quieto`.
std::string RicalcolaTratti(TLavoro& l, bool quieto = false);

// Every treatment after k that takes a point or its flow from k (directly
// or through another one) computed again as "Calcola" computes it, in
// order, silently: a revision reaches the whole chain.
void ricalcolaSeguenti(TLavoro& l, int k);

// dt, dx, dh, dhdx of every treatment that counts (Reale = 1).
void riassumiTrattamenti(TLavoro& l);

// "Calcola" end to end: the treatment, the sequence, the summary. `errore`
// is the treatment's own outcome, before the sequence was recalculated.
EsitoCalcolo BtnCalcolaClick(TLavoro& l, int k, const SlotPunti& slot);

// An imposed flow (PuntoPortata not -1): that point's flow replaces the
// treatment's, and a coil or union takes its mode from its reduced list.
void applicaPortataImposta(TLavoro& l, TTrattamento& t);

// A linked point's current values (and name) copied into the input block,
// as the dialog does when it links a point.
void prendiPuntiCollegati(TLavoro& l, TTrattamento& t);

// The union's list positions as solver modes.
int modoUnione(int posizioneLista);

} // namespace tarvelo
