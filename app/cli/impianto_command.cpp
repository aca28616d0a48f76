#include "app/cli/impianto_command.h"

#include "app/cli/impianto_batch.h"
#include "app/cli/output_file.h"
#include "app/cli/stato_command.h"
#include "app/cli/work_json.h"
#include "app/cli/work_report.h"
#include "app/cli/work_session.h"
#include "document/document.h"
#include "document/error_messages.h"
#include "document/work_record_ops.h"
#include "engine/altitude.h"
#include "engine/moist_air.h"
#include "engine/number_parse.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"
#include "plants/suggerimenti.h"
#include "treatments/risult_log.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

namespace tarvelo::cli {

namespace {

constexpr const char* Prefix = "tarvelo impianto: ";

// Sets one zone-data field by its record name; an error text otherwise.
std::optional<std::string> impostaCampo(TLavoro& l, const std::string& nome,
                                        const std::string& testo) {
    const std::pair<const char*, double TLavoro::*> reali[] = {
        {"tbsInt", &TLavoro::tbsInt}, {"URInt", &TLavoro::URInt},   {"tbsEst", &TLavoro::tbsEst},
        {"UREst", &TLavoro::UREst},   {"tbsImm", &TLavoro::tbsImm}, {"tH2O", &TLavoro::tH2O},
        {"Csens", &TLavoro::Csens},   {"Clat", &TLavoro::Clat},     {"Cx", &TLavoro::Cx},
        {"Volume", &TLavoro::Volume}, {"Qrinn", &TLavoro::Qrinn},   {"Qimm", &TLavoro::Qimm},
        {"tSup", &TLavoro::tSup},     {"URD", &TLavoro::URD},       {"xPick", &TLavoro::xPick},
    };
    const std::pair<const char*, std::uint8_t TLavoro::*> scelte[] = {
        {"flgCx", &TLavoro::flgCx},       {"flgQimm", &TLavoro::flgQimm},
        {"umQrinn", &TLavoro::umQrinn},   {"umQimm", &TLavoro::umQimm},
        {"flgXPick", &TLavoro::flgXPick},
    };
    const std::optional<double> v = parseNumber(testo);
    for (const auto& [n, campo] : reali) {
        if (nome != n)
            continue;
        if (!v || !std::isfinite(*v))
            return "il valore di " + nome + " non è un numero: " + testo;
        l.*campo = *v;
        return std::nullopt;
    }
    for (const auto& [n, campo] : scelte) {
        if (nome != n)
            continue;
        const int massimo = nome.rfind("um", 0) == 0 ? 2 : 1;
        if (!v || *v != std::floor(*v) || *v < 0 || *v > massimo)
            return nome + " vale da 0 a " + std::to_string(massimo) + ", non " + testo;
        l.*campo = static_cast<std::uint8_t>(*v);
        return std::nullopt;
    }
    return "campo sconosciuto: " + nome;
}

// One calculation per row of the CSV, written to `uscita` or the standard
// output.
int batch(const std::string& sorgente, const std::optional<std::string>& uscita,
          std::optional<std::string> tracce, int thread, bool conSuggerimenti, const TLavoro& base,
          const LimitiVerifiche& limiti, std::istream& in, std::ostream& out, std::ostream& err) {
    std::ifstream file;
    std::istream* input = &in;
    if (sorgente != "-") {
        file.open(nativePath(sorgente), std::ios::binary);
        if (!file) {
            err << Prefix << "errore: impossibile aprire il file " << sorgente << "\n";
            return ExitIo;
        }
        input = &file;
    }
    if (tracce) {
        std::error_code ec;
        std::filesystem::create_directories(nativePath(*tracce), ec);
        if (tracce->back() != '/')
            *tracce += '/';
    }
    OutputFile target(uscita.value_or(""), out);
    if (!target.isOpen()) {
        err << Prefix << "errore: " << target.openError() << "\n";
        return ExitIo;
    }
    const BatchSummary e = runImpiantoBatch(*input, target.stream(), err, base, impostaCampo,
                                            thread, tracce, limiti, conSuggerimenti);
    if (e.readError)
        return ExitIo;
    if (e.fatal)
        return ExitBadInput;
    std::string problema;
    if (!target.commit(problema)) {
        err << Prefix << "errore: " << problema << "\n";
        return ExitIo;
    }
    if (e.failed > 0)
        err << Prefix << e.failed << " righe su " << e.rows << " con un errore\n";
    // Traces asked for and not written are a write error, whatever the rows.
    if (e.tracceFallite > 0)
        return ExitIo;
    return e.failed > 0 ? ExitBadInput : ExitOk;
}

} // namespace

const char* impiantoHelp() {
    return "Uso:\n"
           "  tarvelo [--dati CARTELLA] impianto A|B|C|D|E|F [--set CAMPO=VALORE]...\n"
           "          [--salva USCITA.TRV] [--json] [--cartella CARTELLA]\n"
           "  tarvelo [--dati CARTELLA] impianto A|B|C|D|E|F [--set CAMPO=VALORE]...\n"
           "          --csv INGRESSO.csv [--out USCITA.csv] [--tracce CARTELLA] [--thread N]\n"
           "          [--suggerimenti]\n"
           "\n"
           "Carica i dati d'esempio dello schema, applica i campi dati con --set, calcola,\n"
           "scrive DETTAGLI.TXT e RISULT.TXT nella cartella dei lavori (o in --cartella) e\n"
           "mostra il lavoro (--json come per \"lavoro\"); con --salva scrive il lavoro.\n"
           "Se lo schema non si calcola, \"Suggerimenti\" dice quale dato di progetto\n"
           "cambiare, uno alla volta e il meno possibile, perché si calcoli (tbs e UR\n"
           "interne, tbs immissione, portate, t superficiale, UR punto D, tH2O; mai le\n"
           "condizioni esterne, i carichi né il volume), con il valore da dare a --set.\n"
           "\n"
           "Campi (unità come memorizzate): tbsInt tbsEst tbsImm tH2O tSup (°C), URInt UREst\n"
           "URD (%), Csens Clat (kW), Cx (g/s), Volume (m3), Qrinn Qimm (kg/s), xPick (kg/kg);\n"
           "flgCx flgQimm flgXPick (0/1), umQrinn umQimm (0 kg/s, 1 l/s, 2 m3/h).\n"
           "\n"
           "Con --csv: un calcolo per riga; le colonne del CSV hanno i nomi dei campi\n"
           "(quelle assenti e le celle vuote tengono i dati d'esempio); ogni riga d'uscita\n"
           "ha gli ingressi, CodiceErrore e il messaggio, Ctot, Qimm, QvVol, fs, gli stati\n"
           "dei punti (nome, tbs, UR, x, h) e le potenze dei trattamenti (Qs, Qt in W, qx\n"
           "in kg/s). --tracce scrive DETTAGLI_<riga>.TXT in CARTELLA; --thread N calcola\n"
           "su N processori (senza: su tutti); --suggerimenti aggiunge l'ultima colonna,\n"
           "Suggerimento: per una riga che non si calcola, il primo suggerimento.\n"
           "\"-\" legge lo standard input.\n"
           "\n"
           "Codici di uscita: 0 calcolo riuscito; 1 il calcolo ha dato un errore (con\n"
           "--csv: errore di lettura o scrittura, anche di una traccia); 2 dati od opzioni\n"
           "inutilizzabili (con --csv: anche una riga con un errore).\n";
}

int runImpianto(std::span<const std::string> args, const std::string& dataFolder,
                ChartServices* chart, std::ostream& out, std::ostream& err) {
    std::istringstream vuoto;
    return runImpianto(args, dataFolder, chart, vuoto, out, err);
}

int runImpianto(std::span<const std::string> args, const std::string& dataFolder,
                ChartServices* chart, std::istream& in, std::ostream& out, std::ostream& err) {
    std::optional<int> tipo;
    std::optional<std::string> salva, cartella, csv, uscita, tracce;
    int thread = 0;
    std::vector<std::pair<std::string, std::string>> campi;
    bool json = false, conSuggerimenti = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << impiantoHelp();
            return ExitOk;
        }
        if (a == "--json") {
            json = true;
        } else if (a == "--suggerimenti") {
            conSuggerimenti = true;
        } else if (a == "--csv" || a == "--out" || a == "--tracce" || a == "--thread") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                err << Prefix << "errore: manca il valore di " << a << "\n";
                return ExitBadInput;
            }
            const std::string& v = args[++i];
            if (a == "--thread") {
                const std::optional<double> n = parseNumber(v);
                if (!n || *n != std::floor(*n) || *n < 1 || *n > 256) {
                    err << Prefix << "errore: --thread vuole un numero intero da 1 a 256\n";
                    return ExitBadInput;
                }
                thread = static_cast<int>(*n);
            } else {
                (a == "--csv" ? csv : a == "--out" ? uscita : tracce) = v;
            }
        } else if (a == "--salva" || a == "--cartella" || a == "--set") {
            if (i + 1 >= args.size()) {
                err << Prefix << "errore: manca il valore di " << a << "\n";
                return ExitBadInput;
            }
            const std::string& v = args[++i];
            if (a == "--set") {
                const auto uguale = v.find('=');
                if (uguale == std::string::npos || uguale == 0) {
                    err << Prefix << "errore: --set vuole CAMPO=VALORE, non " << v << "\n";
                    return ExitBadInput;
                }
                campi.emplace_back(v.substr(0, uguale), v.substr(uguale + 1));
            } else if (v.empty()) {
                err << Prefix << "errore: " << a << " vuole un percorso, non un testo vuoto\n";
                return ExitBadInput;
            } else {
                (a == "--salva" ? salva : cartella) = v;
            }
        } else if (a.rfind("--", 0) == 0) {
            err << Prefix << "errore: opzione sconosciuta: " << a << "\n";
            return ExitBadInput;
        } else if (tipo || a.size() != 1 || a[0] < 'A' || a[0] > 'F') {
            err << Prefix << "errore: uno schema solo, da A a F, non " << a << "\n";
            return ExitBadInput;
        } else {
            tipo = a[0] - 'A';
        }
    }
    if (!tipo) {
        err << Prefix << "errore: manca lo schema (A..F)\n";
        return ExitBadInput;
    }
    if (!csv && (uscita || tracce || thread || conSuggerimenti)) {
        // A single run that fails always says what to change.
        err << Prefix
            << "errore: --out, --tracce, --thread e --suggerimenti valgono solo con --csv\n";
        return ExitBadInput;
    }
    if (csv && (salva || json)) {
        err << Prefix << "errore: con --csv si scrive un CSV: niente --salva né --json\n";
        return ExitBadInput;
    }

    std::optional<SessioneLavoro> sessione;
    if (int codice = apriSessione(dataFolder, chart, Prefix, false, err, sessione);
        codice != ExitOk)
        return codice;
    const TDriveMdl& settings = sessione->settings;
    const TDefault& defaults = sessione->defaults;
    CommandLineUi ui;
    Documento doc(sessione->settings, defaults);
    doc.inizializzaTestata(ui.dataBreve());
    doc.nuovo(ui);
    TLavoro& l = doc.lavoro;
    // The work draws on the default chart, as a new work in the program.
    if (Esito e = chartDiUnNuovoLavoro(*sessione, l); !e.ok) {
        err << Prefix << "errore: " << e.errore << "\n";
        return ExitBadInput;
    }
    preparaImpianto(*tipo, l, defaults);
    for (const auto& [nome, valore] : campi) {
        if (auto errore = impostaCampo(l, nome, valore)) {
            err << Prefix << "errore: " << *errore << "\n";
            return ExitBadInput;
        }
    }

    if (csv) {
        if (l.TestataChart.pressure != 0) {
            if (std::string m = verificaPressione(l.TestataChart.pressure); !m.empty()) {
                err << Prefix << "errore: il diagramma del lavoro non è utilizzabile: " << m
                    << "\n";
                return ExitBadInput;
            }
        }
        return batch(*csv, uscita, tracce, thread, conSuggerimenti, l, settings.verifiche, in, out,
                     err);
    }

    const std::string cartellaRisultati = cartellaLog(cartella, settings);
    const double patmPrecedente = Patm;
    if (l.TestataChart.pressure != 0) {
        if (std::string m = verificaPressione(l.TestataChart.pressure); !m.empty()) {
            err << Prefix << "errore: il diagramma del lavoro non è utilizzabile: " << m << "\n";
            return ExitBadInput;
        }
    }
    Patm = l.TestataChart.pressure > 0 ? l.TestataChart.pressure : PatmStandard;
    const EsitoImpianto esito = CalcolaImpianto(l, cartellaRisultati);
    Patm = patmPrecedente;
    if (!esito.file.ok) {
        err << Prefix << "errore: " << esito.file.errore << "\n";
        return ExitIo;
    }
    // Huge but finite zone data can carry a calculation past what a double
    // holds: such a work is reported, and neither logged nor saved.
    // The same bound as opening a work: what is saved opens again.
    if (const std::string v = valoreNonValido(l); !v.empty()) {
        err << Prefix << "errore: con questi dati il calcolo dà un valore non valido (" << v
            << "): lavoro non scritto\n";
        return ExitIo;
    }
    if (Esito e = ScriviRisult(l, cartellaRisultati); !e.ok) {
        err << Prefix << "errore: " << e.errore << "\n";
        return ExitIo;
    }
    if (esito.codice != 0)
        err << "Errore " << esito.codice << ": " << MessaggioErrore(l) << "\n";
    else
        doc.testata.CalcoliValidi = 1; // as the plant dialog does: the sheet prints it whole
    if (salva) {
        if (Esito e = doc.salvaCome(*salva); !e.ok) {
            err << Prefix << "errore: " << e.errore << "\n";
            return ExitIo;
        }
    }
    const LimitiVerifiche* limiti = &sessione->settings.verifiche;
    // Searched only for a run that failed: one that computes pays nothing.
    std::optional<std::vector<Suggerimento>> consigli;
    if (esito.codice != 0)
        consigli = suggerimenti(l);
    const std::vector<Suggerimento>* s = consigli ? &*consigli : nullptr;
    out << (json ? lavoroJson(doc.testata, l, limiti, s) : lavoroTesto(doc.testata, l, limiti, s));
    return fineUscita(out, err, Prefix, esito.codice != 0 ? ExitIo : ExitOk);
}

} // namespace tarvelo::cli
