#include "app/cli/ricalcola_command.h"
#include "app/cli/input_file.h"

#include "app/cli/stato_command.h"
#include "app/cli/work_json.h"
#include "app/cli/work_report.h"
#include "app/cli/work_session.h"
#include "document/document.h"
#include "document/error_messages.h"
#include "document/work_record_ops.h"
#include "engine/altitude.h"
#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/work_recalc.h"
#include "treatments/risult_log.h"
#include "treatments/treatment_calc.h"
#include "treatments/treatment_defaults.h"

#include <optional>
#include <ostream>

namespace tarvelo::cli {

namespace {

constexpr const char* Prefix = "tarvelo ricalcola: ";

// A message as a line: "Tratto  3: message".
std::string inRiga(std::string m) {
    const auto cr = m.find('\r');
    if (cr != std::string::npos)
        m.replace(cr, 1, ": ");
    return m;
}

} // namespace

const char* ricalcolaHelp() {
    return "Uso:\n"
           "  tarvelo [--dati CARTELLA] ricalcola FILE [--salva USCITA] [--json] "
           "[--cartella CARTELLA]\n"
           "\n"
           "Apre il lavoro e lo ricalcola: ogni trattamento della sequenza dai suoi dati,\n"
           "come \"Calcola\", poi l'intera sequenza. Scrive RISULT.TXT nella cartella del\n"
           "lavoro (o in --cartella), mostra i messaggi dei calcoli e il lavoro (--json come\n"
           "per \"lavoro\"); con --salva scrive il lavoro calcolato. Un lavoro d'impianto\n"
           "(schemi A..F) è ricalcolato dai suoi dati di zona e scrive anche DETTAGLI.TXT.\n"
           "\n"
           "Codici di uscita: 0 tutti i calcoli riusciti; 1 un calcolo ha dato un errore;\n"
           "2 file o opzioni inutilizzabili, o un trattamento con un dato fuori dal campo di\n"
           "validità (temperature da -100 a 200 °C, umidità, portate, potenze): allora non\n"
           "scrive nulla.\n";
}

int runRicalcola(std::span<const std::string> args, const std::string& dataFolder,
                 ChartServices* chart, std::ostream& out, std::ostream& err) {
    std::optional<std::string> file, salva, cartella;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << ricalcolaHelp();
            return ExitOk;
        }
        if (a == "--json") {
            json = true;
        } else if (a == "--salva" || a == "--cartella") {
            if (i + 1 >= args.size()) {
                err << Prefix << "errore: manca il valore di " << a << "\n";
                return ExitBadInput;
            }
            if (args[i + 1].empty()) {
                err << Prefix << "errore: " << a << " vuole un percorso, non un testo vuoto\n";
                return ExitBadInput;
            }
            (a == "--salva" ? salva : cartella) = args[++i];
        } else if (a.rfind("--", 0) == 0) {
            err << Prefix << "errore: opzione sconosciuta: " << a << "\n";
            return ExitBadInput;
        } else if (file) {
            err << Prefix << "errore: un solo file di lavoro alla volta\n";
            return ExitBadInput;
        } else {
            file = a;
        }
    }
    if (const std::string perche = file ? fileNonLeggibile(*file) : "manca il file di lavoro";
        !perche.empty()) {
        err << Prefix << "errore: " << perche << "\n";
        return ExitBadInput;
    }
    std::optional<SessioneLavoro> sessione;
    if (int codice = apriSessione(dataFolder, chart, Prefix, false, err, sessione);
        codice != ExitOk)
        return codice;
    const TDriveMdl& settings = sessione->settings;
    CommandLineUi ui;
    Documento doc(sessione->settings, sessione->defaults);
    doc.inizializzaTestata(ui.dataBreve());
    if (!doc.apriPercorso(ui, *file, false)) {
        err << Prefix << "errore: " << inRiga(ui.messaggio) << "\n";
        return ExitBadInput;
    }
    TLavoro& l = doc.lavoro;
    if (const std::string v = valoreNonValido(l); !v.empty()) {
        err << Prefix << "errore: il lavoro contiene un valore non valido (" << v
            << "): un numero mancante o fuori da ogni grandezza reale: nessun calcolo\n";
        return ExitBadInput;
    }
    if (l.TipoImpianto > 6) {
        err << Prefix << "errore: tipo di lavoro sconosciuto (TipoImpianto "
            << static_cast<int>(l.TipoImpianto)
            << "): né una sequenza di trattamenti (6) né uno schema d'impianto (0..5)\n";
        return ExitBadInput;
    }
    // The engine works at the pressure of the work's chart.
    const double patmPrecedente = Patm;
    if (l.TestataChart.pressure != 0) {
        if (std::string m = verificaPressione(l.TestataChart.pressure); !m.empty()) {
            err << Prefix << "errore: il diagramma del lavoro non è utilizzabile: " << m << "\n";
            return ExitBadInput;
        }
    }
    Patm = l.TestataChart.pressure > 0 ? l.TestataChart.pressure : PatmStandard;

    const std::string cartellaRisultati = cartellaLog(cartella, settings);
    const EsitoRicalcolo esito = ricalcolaLavoro(l, cartellaRisultati);
    if (!esito.file.ok) {
        Patm = patmPrecedente;
        err << Prefix << "errore: " << esito.file.errore << "\n";
        return ExitIo;
    }
    if (esito.rifiutato) {
        // Out-of-range inputs are unusable data, as a damaged file is:
        // nothing is written.
        Patm = patmPrecedente;
        for (const std::string& m : esito.messaggi)
            err << inRiga(m) << "\n";
        err << Prefix
            << "errore: dati di un trattamento fuori dal campo di validità: nessun "
               "calcolo scritto\n";
        return ExitBadInput;
    }
    const bool errori = esito.errori;
    std::vector<std::string> messaggi;
    for (const std::string& m : esito.messaggi)
        messaggi.push_back(inRiga(m));
    if (l.TipoImpianto != 6 && errori)
        messaggi.push_back("Errore " + std::to_string(esito.codiceImpianto) + ": " +
                           MessaggioErrore(l));
    Patm = patmPrecedente;
    // A calculation brings records into use that the file did not count:
    // whatever they held must not reach the log or the saved work.
    if (!valoriFiniti(l)) {
        err << Prefix
            << "errore: il calcolo ha lasciato valori non numerici (NaN o infiniti) nel "
               "lavoro: non scritto\n";
        return ExitIo;
    }

    if (Esito e = ScriviRisult(l, cartellaRisultati); !e.ok) {
        err << Prefix << "errore: " << e.errore << "\n";
        return ExitIo;
    }
    for (const std::string& m : messaggi)
        err << m << "\n";
    // A calculation without errors is valid, as "Fine trattamento" and the
    // plant dialog make it: the sheet then prints the results.
    if (!errori)
        doc.testata.CalcoliValidi = 1;
    if (salva) {
        if (Esito e = doc.salvaCome(*salva); !e.ok) {
            err << Prefix << "errore: " << e.errore << "\n";
            return ExitIo;
        }
    }
    const LimitiVerifiche* limiti = &sessione->settings.verifiche;
    out << (json ? lavoroJson(doc.testata, l, limiti) : lavoroTesto(doc.testata, l, limiti));
    return fineUscita(out, err, Prefix, errori ? ExitIo : ExitOk);
}

} // namespace tarvelo::cli
