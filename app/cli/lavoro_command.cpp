#include "app/cli/lavoro_command.h"

#include "app/cli/output_file.h"
#include "app/cli/stato_command.h"
#include "app/cli/work_report.h"
#include "app/cli/work_session.h"

#include <optional>
#include <ostream>

namespace tarvelo::cli {

namespace {

constexpr const char* Prefix = "tarvelo lavoro: ";

} // namespace

const char* lavoroHelp() {
    return "Uso:\n"
           "  tarvelo [--dati CARTELLA] lavoro FILE [--json] [--salva USCITA]\n"
           "\n"
           "Legge un file di lavoro (.TRV, anche nel formato precedente) come fa \"Apri\"\n"
           "e lo mostra: testata e foglio di lavoro in testo leggibile, oppure con --json\n"
           "un oggetto con i nomi dei campi dei record e i valori come memorizzati.\n"
           "\n"
           "  --json          un oggetto JSON invece del testo\n"
           "  --salva USCITA  riscrive il lavoro nel formato attuale come fa \"Salva\"\n"
           "  --dati CARTELLA la cartella con TARVEX.INI (archivi, lavori, utilità);\n"
           "                  se manca, viene preparata al primo avvio\n"
           "\n"
           "Codici di uscita: 0 riuscito; 1 errore di scrittura; 2 file non riconosciuto,\n"
           "troncato, illeggibile o opzioni errate.\n";
}

int runLavoro(std::span<const std::string> args, const std::string& dataFolder,
              ChartServices* chart, std::ostream& out, std::ostream& err) {
    std::optional<std::string> file, salva;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << lavoroHelp();
            return ExitOk;
        }
        if (a == "--json") {
            json = true;
        } else if (a == "--salva") {
            if (i + 1 >= args.size()) {
                err << Prefix << "errore: manca il nome del file di --salva\n";
                return ExitBadInput;
            }
            salva = args[++i];
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
    if (!file) {
        err << Prefix << "errore: manca il file di lavoro\nPer l'aiuto: tarvelo lavoro --help\n";
        return ExitBadInput;
    }
    if (!fileExists(*file)) {
        err << Prefix << "errore: il file " << *file << " non esiste\n";
        return ExitBadInput;
    }

    std::optional<SessioneLavoro> sessione;
    if (int codice = apriSessione(dataFolder, chart, Prefix, true, err, sessione); codice != ExitOk)
        return codice;

    CommandLineUi ui;
    Documento doc(sessione->settings, sessione->defaults);
    doc.inizializzaTestata(ui.dataBreve());
    if (!doc.apriPercorso(ui, *file, false)) {
        std::string m = ui.messaggio;
        for (char& c : m) {
            if (c == '\r')
                c = '\n';
        }
        err << Prefix << "errore: " << m << "\n";
        return ExitBadInput;
    }

    if (salva) {
        if (Esito e = doc.salvaCome(*salva); !e.ok) {
            err << Prefix << "errore: " << e.errore << "\n";
            return ExitIo;
        }
        return ExitOk;
    }
    out << (json ? lavoroJson(doc.testata, doc.lavoro) : lavoroTesto(doc.testata, doc.lavoro));
    return fineUscita(out, err, Prefix, ExitOk);
}

} // namespace tarvelo::cli
