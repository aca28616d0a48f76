#include "app/cli/lavoro_command.h"
#include "app/cli/input_file.h"

#include "app/cli/output_file.h"
#include "app/cli/stato_command.h"
#include "app/cli/work_json.h"
#include "app/cli/work_report.h"
#include "app/cli/work_session.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <vector>

namespace tarvelo::cli {

namespace {

constexpr const char* Prefix = "tarvelo lavoro: ";

// At most MaxTestoJson + 1 bytes of a stream: enough for the reader to
// refuse a longer one without holding it whole.
bool leggiFlusso(std::istream& in, std::string& testo) {
    testo.clear();
    char blocco[65536];
    while (testo.size() <= MaxTestoJson && in.read(blocco, sizeof blocco).gcount() > 0)
        testo.append(blocco, static_cast<std::size_t>(in.gcount()));
    testo.resize(std::min(testo.size(), MaxTestoJson + 1));
    return !in.bad();
}

// The JSON text from a file (a pipe such as <(jq ...) too) or, for "-", the
// standard input; the reason when it cannot be had.
std::string leggiTesto(const std::string& sorgente, std::istream& in, std::string& testo) {
    if (sorgente == "-")
        return leggiFlusso(in, testo) ? "" : "impossibile leggere lo standard input";
    std::error_code ec;
    const auto stato = std::filesystem::status(nativePath(sorgente), ec);
    if (!std::filesystem::exists(stato))
        return "il file " + sorgente + " non esiste";
    if (std::filesystem::is_directory(stato))
        return sorgente + " è una cartella, non un file JSON";
    std::ifstream f(nativePath(sorgente), std::ios::binary);
    if (!f || !leggiFlusso(f, testo))
        return "impossibile leggere il file " + sorgente;
    return {};
}

// A new work, as "Nuovo" makes it, with the JSON read over it; its chart
// header is then the catalogue's, as when a work is opened.
std::string daJsonLavoro(const SessioneLavoro& sessione, const std::string& testo, Documento& doc) {
    chartDiUnNuovoLavoro(sessione, doc.lavoro);
    if (std::string problema = lavoroDaJson(testo, doc.testata, doc.lavoro); !problema.empty())
        return problema;
    if (Esito e = sessione.settings.archivio().leggiTestataChart(doc.lavoro.CodiceChart,
                                                                 doc.lavoro.TestataChart);
        !e.ok)
        return "CodiceChart: " + e.errore;
    return {};
}

} // namespace

const char* lavoroHelp() {
    return "Uso:\n"
           "  tarvelo [--dati CARTELLA] lavoro FILE [--json] [--salva USCITA]\n"
           "  tarvelo [--dati CARTELLA] lavoro --da-json JSON [--json] [--salva USCITA]\n"
           "\n"
           "Legge un file di lavoro (.TRV, anche nel formato precedente) come fa \"Apri\"\n"
           "e lo mostra: testata e foglio di lavoro in testo leggibile, oppure con --json\n"
           "un oggetto con i nomi dei campi dei record e i valori come memorizzati, più le\n"
           "immagini intere dei due record in base64 (_byteTestata, _byteLavoro).\n"
           "Con --da-json il lavoro viene da quell'oggetto: prima le immagini, se ci sono,\n"
           "poi ogni campo nominato; i campi che mancano restano quelli di un lavoro nuovo.\n"
           "\n"
           "  --json          un oggetto JSON invece del testo\n"
           "  --da-json JSON  legge il lavoro da un file JSON (- per lo standard input)\n"
           "  --salva USCITA  scrive il lavoro nel formato attuale come fa \"Salva\"\n"
           "  --dati CARTELLA la cartella con TARVEX.INI (archivi, lavori, utilità);\n"
           "                  se manca, viene preparata al primo avvio\n"
           "\n"
           "Codici di uscita: 0 riuscito; 1 errore di scrittura; 2 file non riconosciuto,\n"
           "troncato, illeggibile o opzioni errate.\n";
}

int runLavoro(std::span<const std::string> args, const std::string& dataFolder,
              ChartServices* chart, std::istream& in, std::ostream& out, std::ostream& err) {
    std::optional<std::string> file, salva, daJson;
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
        } else if (a == "--da-json") {
            if (i + 1 >= args.size()) {
                err << Prefix << "errore: manca il file di --da-json\n";
                return ExitBadInput;
            }
            daJson = args[++i];
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
    if (daJson && file) {
        err << Prefix << "errore: con --da-json il lavoro viene dal JSON, non da " << *file << "\n";
        return ExitBadInput;
    }
    if (!file && !daJson) {
        err << Prefix << "errore: manca il file di lavoro\nPer l'aiuto: tarvelo lavoro --help\n";
        return ExitBadInput;
    }
    std::string testoJson;
    if (daJson) {
        if (std::string problema = leggiTesto(*daJson, in, testoJson); !problema.empty()) {
            err << Prefix << "errore: " << problema << "\n";
            return ExitBadInput;
        }
    } else if (std::string perche = fileNonLeggibile(*file); !perche.empty()) {
        err << Prefix << "errore: " << perche << "\n";
        return ExitBadInput;
    }

    std::optional<SessioneLavoro> sessione;
    if (int codice = apriSessione(dataFolder, chart, Prefix, true, err, sessione); codice != ExitOk)
        return codice;

    CommandLineUi ui;
    Documento doc(sessione->settings, sessione->defaults);
    doc.inizializzaTestata(ui.dataBreve());
    if (daJson) {
        if (std::string problema = daJsonLavoro(*sessione, testoJson, doc); !problema.empty()) {
            err << Prefix << "errore: " << (*daJson == "-" ? "standard input" : *daJson) << ": "
                << problema << "\n";
            return ExitBadInput;
        }
    } else if (!doc.apriPercorso(ui, *file, false)) {
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
