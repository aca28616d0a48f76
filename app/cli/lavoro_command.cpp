#include "app/cli/lavoro_command.h"

#include "app/cli/output_file.h"
#include "app/cli/stato_command.h"
#include "app/cli/work_report.h"
#include "chart/initial_chart.h"
#include "document/document.h"

#include <ctime>
#include <optional>
#include <ostream>

namespace tarvelo::cli {

namespace {

constexpr const char* Prefix = "tarvelo lavoro: ";

// The document's questions, answered for a command that asks nothing: no
// previous work to save, no dialogs; messages are kept for standard error.
struct CommandLineUi : DocumentUi {
    std::string messaggio;
    bool chiediSalvaPrecedente() override { return false; }
    std::optional<std::string> scegliFileDaAprire() override { return std::nullopt; }
    std::optional<std::string> scegliFileDaSalvare() override { return std::nullopt; }
    void informa(const std::string& m) override { messaggio = m; }
    std::string dataBreve() override {
        const std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        char buf[16];
        std::strftime(buf, sizeof buf, "%d/%m/%Y", &tm);
        return buf;
    }
};

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

    std::vector<std::string> creati;
    if (Esito e = preparaCartellaDati(dataFolder, creati); !e.ok) {
        err << Prefix << "errore: " << e.errore << "\n";
        return ExitIo;
    }
    for (const std::string& c : creati)
        err << Prefix << "creato " << c << "\n";
    TDriveMdl settings = TDriveMdl::crea(dataFolder);
    for (const std::string& a : settings.avvisi)
        err << Prefix << "attenzione: " << a << "\n";
    if (chart) {
        bool creato = false;
        if (Esito e = assicuraChartIniziale(settings, chart->misura(), creato); !e.ok) {
            err << Prefix << "errore: " << e.errore << "\n";
            return ExitIo;
        }
        if (creato)
            err << Prefix << "creato il diagramma iniziale 1\n";
    }
    TDefault defaults;
    if (Esito e = settings.archivio().leggiDefault(defaults); !e.ok) {
        err << Prefix << "errore: " << e.errore << "\n";
        return ExitBadInput;
    }

    CommandLineUi ui;
    Documento doc(settings, defaults);
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
    out.flush();
    return out ? ExitOk : ExitIo;
}

} // namespace tarvelo::cli
