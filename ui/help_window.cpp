#include "ui/help_window.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>

#include <utility>

namespace tarvelo::ui {

namespace {

const char* const Generale =
    "<h2>TARVELO</h2>"
    "<p>Il programma disegna il diagramma psicrometrico (ASHRAE) per il campo di "
    "temperatura, di umidit&agrave; e la pressione scelti, legge lo stato dell'aria sotto il "
    "mouse e calcola stati e trattamenti.</p>"
    "<ul><li><b>File</b>: nuovo lavoro, apertura e salvataggio dei file .TRV, intestazione "
    "del foglio.</li>"
    "<li><b>Opzioni</b>: genera o seleziona un diagramma, calcolatrice psicrometrica, salva "
    "i default (unit&agrave; delle portate e diagramma predefinito).</li>"
    "<li><b>Finestre</b>: la finestra <i>Coordinate</i> mostra lo stato dell'aria nel punto "
    "del diagramma su cui si tiene premuto il tasto sinistro.</li></ul>"
    "<p>Il pulsante <i>Ridisegna</i> rigenera il diagramma per la dimensione attuale della "
    "finestra.</p>";

const char* const Intestazione =
    "<h2>Intestazione foglio di stampa</h2>"
    "<p><b>Progetto</b> (pi&ugrave; righe), <b>Foglio n.</b> (fino a 3 caratteri), "
    "<b>Descrizione foglio</b> e <b>Pi&egrave; pagina</b> compaiono nel cartiglio del foglio "
    "stampato. OK le registra nel lavoro, che risulta modificato.</p>";

const char* const Stampa =
    "<h2>Stampa</h2>"
    "<p>Il foglio di stampa contiene il diagramma con i trattamenti e i punti, il riquadro "
    "delle condizioni dei punti, i dati della zona e la tabella dei trattamenti (quando i "
    "calcoli del lavoro sono validi e senza errori), il cartiglio con progetto e numero del "
    "foglio e il pi&egrave; pagina.</p>"
    "<p><b>Portata</b> sceglie l'unit&agrave; delle portate volumiche della tabella; "
    "<b>Colore</b> stampa a colori, altrimenti in bianco e nero. <i>Intestazione</i> modifica "
    "i testi del cartiglio, <i>Impostazione</i> sceglie la stampante e la carta, "
    "<i>Anteprima</i> mostra il foglio prima di stamparlo. <i>OK</i> stampa sulla stampante "
    "attiva.</p>"
    "<p>Il foglio si pu&ograve; anche scrivere in PDF o PNG dalla riga di comando: "
    "<tt>tarvelo stampa LAVORO.TRV --pdf FOGLIO.pdf</tt>.</p>";

const char* const GeneraChart =
    "<h2>Genera Chart</h2>"
    "<p>Un nuovo diagramma si definisce con la tbs minima e massima (&deg;C, numeri interi), "
    "l'umidit&agrave; specifica massima (g/kg) e la pressione, scelta con l'altitudine nel "
    "riquadro a destra.</p><p>La prima riga della descrizione &egrave; il titolo che compare "
    "nell'elenco dei diagrammi; la seconda accompagna il diagramma stampato.</p>"
    "<p><i>crea nuovo</i> aggiunge il diagramma con il primo codice libero; <i>sovrascrivi "
    "esistente</i> lo rigenera al posto di quello del codice indicato.</p>";

const char* const Calcolatrice =
    "<h2>Calcolatrice psicrometrica</h2>"
    "<p>Scelta la coppia di grandezze note (tbs con UR, tbu, x o entalpia), si scrivono i "
    "valori e si preme <i>Calcola</i>: compaiono le undici grandezze dello stato.</p>"
    "<p>La pressione segue l'altitudine impostata con il cursore o scritta nel campo; alla "
    "chiusura la pressione del diagramma in uso torna quella di prima.</p>"
    "<p><i>Riporta</i> porta lo stato calcolato nella finestra che ha aperto la "
    "calcolatrice.</p>";

// The treatment pages share the dialog's controls: OK chains the next
// treatment or ends the sequence.
#define TRATTAMENTO_COMUNE                                                                         \
    "<p><i>Calcola</i> esegue il calcolo e disegna il tratto; dopo un calcolo riuscito "           \
    "<i>OK</i> apre il menu per aggiungere il trattamento seguente o per chiudere la "             \
    "sequenza con <i>Fine trattamento</i>. <i>Annulla</i> riporta il lavoro com'era "              \
    "all'apertura.</p><p><i>Collega</i> fa coincidere il punto con un punto gi&agrave; "           \
    "calcolato; il tasto destro su temperatura, UR o x apre la calcolatrice per scegliere lo "     \
    "stato. Dal secondo trattamento la portata &egrave; quella del trattamento precedente.</p>"

const char* const Miscela =
    "<h2>Miscela</h2><p>Due correnti d'aria (punti 1 e 2) si miscelano nel punto di "
    "miscela. Le portate si danno in tre modi: la quota percentuale della portata 1 con la "
    "portata totale, la portata 1 con la totale, oppure le due portate.</p>" TRATTAMENTO_COMUNE;

const char* const Raffreddamento =
    "<h2>Raffreddamento</h2><p>Raffreddamento sensibile a umidit&agrave; specifica costante: "
    "dal punto 1 e due grandezze fra potenza (kW), temperatura finale e portata si ottiene la "
    "terza.</p>" TRATTAMENTO_COMUNE;

const char* const Batteria =
    "<h2>Raffreddamento con deumidificazione</h2><p>Batteria fredda: dal punto 1 e dalle "
    "potenze sensibile (S) e totale (T), oppure dalla temperatura superficiale (ts) e dal "
    "fattore di contatto (fs), o dai due punti, si ricavano il punto di uscita, la portata e "
    "la retta prolungata fino alla curva di saturazione.</p>" TRATTAMENTO_COMUNE;

const char* const Unione =
    "<h2>Unione (retta carichi ambiente)</h2><p>La retta dei carichi ambiente unisce "
    "l'aria immessa al punto ambiente: si definisce con le potenze sensibile e totale (o "
    "latente), la portata, la temperatura o l'umidit&agrave; del punto 2.</p>" TRATTAMENTO_COMUNE;

const char* const Riscaldamento =
    "<h2>Riscaldamento</h2><p>Riscaldamento a umidit&agrave; specifica costante: dal punto "
    "1 e due grandezze fra potenza (kW), temperatura finale e portata si ottiene la "
    "terza.</p>" TRATTAMENTO_COMUNE;

const char* const Umidificazione =
    "<h2>Umidificazione</h2><p>Umidificazione adiabatica (acqua) o con vapore: dal punto 1, "
    "dall'umidit&agrave; specifica finale e dalla temperatura dell'acqua o del vapore si "
    "ottengono il punto 2 e l'acqua fornita (qx).</p>" TRATTAMENTO_COMUNE;

#undef TRATTAMENTO_COMUNE

// The plant pages share how the dialog works: live calculation and dragging.
#define IMPIANTO_COMUNE                                                                            \
    "<p>I dati della zona (condizioni interne B ed esterne A, volume, carichi e portate) si "      \
    "scrivono nei campi e si calcolano con <i>Calcola</i>; <i>OK</i> &egrave; attivo solo dopo "   \
    "un calcolo riuscito e conferma lo schema nel lavoro, <i>Annulla</i> riporta il lavoro "       \
    "com'era all'apertura.</p>"                                                                    \
    "<p>Sul diagramma i punti con una maniglia si trascinano con il tasto sinistro: a ogni "       \
    "spostamento il campo corrispondente si aggiorna e lo schema si ricalcola (punti, portate, "   \
    "potenze, tabella dei punti e dettaglio di calcolo). Se il calcolo non riesce il messaggio "   \
    "compare nella riga di stato del diagramma e i punti sono disegnati in grigio; tornando in "   \
    "uno stato valido il calcolo riprende.</p>"                                                    \
    "<p>Il tasto destro su tbs o UR apre la calcolatrice per scegliere lo stato; i pulsanti "      \
    "&harr; scambiano la grandezza della riga (per esempio temperatura o portata di "              \
    "immissione). <i>Punti</i> mostra la tabella dei punti, <i>Dettagli</i> il dettaglio di "      \
    "calcolo.</p>"

const char* const ImpiantoA =
    "<h2>Impianto A: estivo a tutt'aria con ricircolo</h2><p>L'aria esterna A si miscela con "
    "l'aria ambiente B nel punto C; la batteria fredda raffredda e deumidifica C fino al punto "
    "di immissione D, che segue la retta dei carichi ambiente. Si d&agrave; la temperatura di "
    "immissione oppure la portata di immissione; la portata di rinnovo fissa la quota di aria "
    "esterna. Il punto ts &egrave; la temperatura superficiale della batteria, dove la retta "
    "della batteria incontra la curva di saturazione. Si trascinano A, B e, con la "
    "temperatura di immissione, D.</p>" IMPIANTO_COMUNE;

const char* const ImpiantoB =
    "<h2>Impianto B: aria primaria e ventilconvettori</h2><p>Tutta l'aria immessa &egrave; "
    "aria esterna A, trattata dalla batteria dell'aria primaria fino al punto C: l'aria "
    "primaria prende tutto il carico latente dell'ambiente e parte di quello sensibile, i "
    "ventilconvettori il resto del sensibile. Si danno la temperatura di immissione e la "
    "portata di aria esterna (q rinnovo), che &egrave; tutta l'aria immessa; il punto ts &egrave; "
    "la temperatura superficiale della "
    "batteria.</p>" IMPIANTO_COMUNE;

const char* const ImpiantoC =
    "<h2>Impianto C: estivo a tutt'aria esterna con postriscaldamento</h2><p>L'aria esterna "
    "A &egrave; raffreddata e deumidificata dalla batteria, di cui si d&agrave; la "
    "temperatura superficiale, lungo la retta verso ts fino al punto C, all'umidit&agrave; "
    "richiesta dall'ambiente; il postriscaldamento porta C alla temperatura di immissione D. "
    "Il carico latente si pu&ograve; dare come potenza (kW) o come vapore da togliere (Qx, "
    "g/s) con il pulsante accanto. Se la retta della batteria taglia la curva di saturazione "
    "la temperatura superficiale va abbassata.</p>" IMPIANTO_COMUNE;

const char* const ImpiantoD =
    "<h2>Impianto D: invernale a tutt'aria con umidificazione adiabatica</h2><p>L'aria "
    "esterna A si miscela con l'aria ambiente B nel punto C; il riscaldamento porta C a D a "
    "umidit&agrave; specifica costante e l'umidificatore ad acqua (temperatura tH2O) porta D "
    "al punto di immissione E, ricavato dal fabbisogno sensibile e dal carico latente "
    "dell'ambiente.</p>" IMPIANTO_COMUNE;

const char* const ImpiantoE =
    "<h2>Impianto E: invernale a tutt'aria con umidificazione a vapore</h2><p>Come lo "
    "schema D, ma l'umidificatore immette vapore alla temperatura tvap: il punto D si "
    "ricava da E lungo la trasformazione del vapore, quasi a temperatura "
    "costante.</p>" IMPIANTO_COMUNE;

const char* const ImpiantoF =
    "<h2>Impianto F: invernale a tutt'aria esterna</h2><p>L'aria esterna A &egrave; "
    "preriscaldata fino a C, umidificata con acqua fino a D, con l'umidit&agrave; relativa "
    "scelta nel campo <i>UR punto D</i>, e postriscaldata fino al punto di immissione E. "
    "Trascinando il punto D se ne cambia l'umidit&agrave; relativa.</p>" IMPIANTO_COMUNE;

#undef IMPIANTO_COMUNE

QPointer<QTextBrowser> finestra;

} // namespace

QString paginaAiuto(int contesto) {
    switch (contesto) {
    case 1:
        return Generale;
    case 3:
        return Intestazione;
    case 4:
        return Stampa;
    case 5:
        return Miscela;
    case 6:
        return Raffreddamento;
    case 7:
        return Batteria;
    case 8:
        return Unione;
    case 9:
        return Riscaldamento;
    case 10:
        return Umidificazione;
    case 12:
        return GeneraChart;
    case 13:
        return Calcolatrice;
    case 14:
        return ImpiantoA;
    case 15:
        return ImpiantoB;
    case 16:
        return ImpiantoC;
    case 17:
        return ImpiantoD;
    case 18:
        return ImpiantoE;
    case 19:
        return ImpiantoF;
    default:
        return QString(Generale) +
               QStringLiteral("<p><i>L'argomento %1 sar&agrave; descritto quando la funzione "
                              "sar&agrave; disponibile.</i></p>")
                   .arg(contesto);
    }
}

namespace {

class FiltroAiuto : public QObject {
  public:
    FiltroAiuto(QObject* parent, std::function<void()> apri)
        : QObject(parent), apri_(std::move(apri)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool f1 =
            (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier;
        if (!f1)
            return QObject::eventFilter(watched, event);
        // Claimed as an override first, so that no shortcut takes it; the
        // key press that follows reaches the window through its controls.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            apri_();
        return true;
    }

  private:
    std::function<void()> apri_;
};

} // namespace

void tastoAiuto(QWidget* finestra, std::function<void()> apri) {
    finestra->installEventFilter(new FiltroAiuto(finestra, std::move(apri)));
}

void apriAiuto(int contesto, QWidget* parent) {
    if (!finestra) {
        finestra = new QTextBrowser(parent);
        // Above the windows that stay on top (the detail, the points table,
        // the plant dialog), which it explains.
        finestra->setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
        finestra->setAttribute(Qt::WA_DeleteOnClose);
        finestra->setWindowTitle(QStringLiteral("Aiuto - TARVELO"));
        finestra->resize(520, 420);
    }
    finestra->setHtml(paginaAiuto(contesto));
    finestra->show();
    finestra->raise();
    finestra->activateWindow();
}

} // namespace tarvelo::ui
