// What the six calculations share: the run's context, the common opening
// with its checks, points A and B, the treatment headers, the search for
// the coil surface point and the final summary.
#pragma once

#include "chart/diagram_view.h"
#include "plants/plant_calc.h"

#include <stdexcept>

namespace tarvelo {

// Thrown to end a run at a stopping check; the code is already stored.
struct FermoCalcolo {
    int codice;
};

struct ContestoImpianto {
    TLavoro& l;
    TracciaDettagli& tr;
    DisegnoCostruzione* disegno = nullptr;
    VistaDiagramma vista;

    ContestoImpianto(TLavoro& lavoro, TracciaDettagli& traccia, DisegnoCostruzione* d);

    TPunto& punto(int i) { return l.Punti[static_cast<std::size_t>(i - 1)]; }
    TTrattamento& tratto(int k) { return l.Trattamenti[static_cast<std::size_t>(k - 1)]; }

    // Stores the code, writes "Errore:" + code when `riga`, ends the run.
    [[noreturn]] void ferma(int codice, bool riga = true);
    // Stores a code that does not stop the run.
    void segnala(int codice) { l.CodiceErrore = static_cast<std::uint16_t>(codice); }
    // a / b, or a stop with the division code when b is 0 or the result is
    // not finite.
    double dividi(double a, double b);
    // Screen position of a point and its marker on the chart.
    void mostra(TPunto& p);
    void linea(const TPunto& a, const TPunto& b);
};

// Opening steps 1, 3 and 5..7: no sequence, code 0, the checks of the
// configuration, Ctot and CsenCtot with their trace lines, points A and B.
void aperturaComune(ContestoImpianto& c);

// A point of the scheme: Marcato, InUso, name, label offsets, handle.
void impostaPunto(TPunto& p, const char* nome, int dyStampa, int dyVideo, int maniglia);

enum class LineaTratto { Piena, Estensione };
void impostaTratto(TTrattamento& t, int p1, int p2, LineaTratto linea, const char* etichetta,
                   int tipo, int reale);

// The parameters of a search for "ts" along a coil's process line.
struct RicercaTs {
    double tL = 0, xL = 0; // line point
    double tR = 0, xR = 0; // refinement point
    double mts = 0;        // slope of the process line
    double tStart = 0;     // t*
    double tK = 0;         // comparison temperature
    int codPendenza = 0, codSottoZero = 0, codLimite = 0, codOltre = 0;
    int codGuasto = 0;   // a non-finite value inside the passes
    bool traccia = true; // trace lines of the passes
    bool affina = true;  // refine upwards and build the point
};

// Returns 1 when found (tps = the refined temperature), else the code of
// the failure. A non-finite value inside the passes stops the run with
// `codGuasto`.
int cercaTs(ContestoImpianto& c, const RicercaTs& r, double& tps);

// The point "ts" found at t, or the point where the line leaves the chart.
void puntoTsTrovato(TPunto& p, double t);
void puntoTsBordo(ContestoImpianto& c, TPunto& p, double tL, double xL, double mts);

// The search for "ts" of a coil from `tIngresso` to `tUscita`: found, the
// point "ts" and fs (traced); not found, its code and the point on the
// chart's left edge along the line.
void puntoTsBatteria(ContestoImpianto& c, const RicercaTs& r, TPunto& ts, double tIngresso,
                     double tUscita);

// Steps the schemes share, each with its trace lines:
// QA = Qrinn, QB, QC, the shares of A and B and the mixture C (QC = 0
// stops with `codiceFlussoNullo`);
void miscelaAB(ContestoImpianto& c, int codiceFlussoNullo);
// a heating at constant humidity: Qtot = Qsen, ST = 1;
void riscaldamento(ContestoImpianto& c, TTrattamento& t, const TPunto& da, const TPunto& a);
// a coil from `ingresso` to `uscita` (PuntoAux2 at the inlet temperature
// and outlet humidity splits the load);
void batteriaFredda(ContestoImpianto& c, TTrattamento& t, const TPunto& ingresso,
                    const TPunto& uscita);
// the water a treatment takes or gives: dx, qx, code 410 when negative;
void acquaTrattata(ContestoImpianto& c, TTrattamento& t, double dx);
// the supply volume flow Qv and the air changes QvVol.
void portataVolume(ContestoImpianto& c);

// dh, dx, dt, dhdx of the treatments that count.
void riepilogoFinale(ContestoImpianto& c);

void Calcola_A(ContestoImpianto& c);
void Calcola_B(ContestoImpianto& c);
void Calcola_C(ContestoImpianto& c);
void Calcola_D(ContestoImpianto& c);
void Calcola_F(ContestoImpianto& c);

} // namespace tarvelo
