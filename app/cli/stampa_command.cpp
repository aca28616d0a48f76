#include "app/cli/stampa_command.h"
#include "app/cli/input_file.h"

#include "app/cli/stato_command.h"
#include "app/cli/work_session.h"
#include "document/document.h"
#include "document/work_record_ops.h"
#include "engine/number_parse.h"
#include "engine/numeric.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <ostream>

namespace tarvelo::cli {

namespace {

constexpr const char* Prefix = "tarvelo stampa: ";

std::string estensione(const std::string& p) {
    std::string e = std::filesystem::path(p).extension().string();
    for (char& c : e)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

} // namespace

const char* stampaHelp() {
    return "Uso:\n"
           "  tarvelo [--dati CARTELLA] stampa FILE.TRV (--pdf USCITA.pdf | --png USCITA.png\n"
           "          [--dpi N] | --stampante [NOME]) [--colore] [--portata l/s|m3/h]\n"
           "          [--senza-verifiche]\n"
           "\n"
           "Compone il foglio di stampa del lavoro, come \"Stampa\" del programma: il\n"
           "diagramma con i trattamenti, i riquadri dei punti e dei dati di zona, la\n"
           "tabella dei trattamenti e il cartiglio. I risultati compaiono quando i calcoli\n"
           "del lavoro sono validi e senza errori; il riquadro VERIFICHE elenca gli avvisi\n"
           "dei controlli tecnici, quando ce ne sono.\n"
           "\n"
           "  --pdf FILE        scrive il foglio in PDF (A4)\n"
           "  --png FILE        scrive il foglio come immagine PNG (A4, --dpi punti per\n"
           "                    pollice da 10 a 800, 300 se non indicato)\n"
           "  --stampante NOME  stampa sulla stampante indicata (senza nome: quella\n"
           "                    predefinita), sul formato della sua carta\n"
           "  --colore          stampa a colori (senza: in bianco e nero)\n"
           "  --portata UNITA   unità delle portate volumiche della tabella (l/s o m3/h;\n"
           "                    senza: quella registrata nel lavoro)\n"
           "  --senza-verifiche non stampa il riquadro VERIFICHE\n"
           "\n"
           "Codici di uscita: 0 riuscito; 1 errore di lettura, di scrittura o della\n"
           "stampante; 2 dati errati.\n";
}

int runStampa(std::span<const std::string> args, const std::string& dataFolder,
              ChartServices* chart, PrintServices* print, std::ostream& out, std::ostream& err) {
    std::optional<std::string> file;
    std::optional<DestinazioneStampa> dove;
    std::optional<int> dpi;
    std::optional<std::uint8_t> umStampa;
    bool colore = false;
    bool senzaVerifiche = false;
    const auto manca = [&](const std::string& a) {
        err << Prefix << "errore: manca il valore di " << a << "\n";
        return ExitBadInput;
    };
    const auto unaDestinazione = [&] {
        err << Prefix << "errore: una sola destinazione fra --pdf, --png e --stampante\n";
        return ExitBadInput;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << stampaHelp();
            return ExitOk;
        }
        if (a == "--pdf" || a == "--png") {
            if (i + 1 >= args.size())
                return manca(a);
            if (dove)
                return unaDestinazione();
            const std::string& p = args[++i];
            const bool pdf = a == "--pdf";
            if (p.empty() || estensione(p) != (pdf ? ".pdf" : ".png")) {
                err << Prefix << "errore: " << a << " vuole un file " << (pdf ? ".pdf" : ".png")
                    << "\n";
                return ExitBadInput;
            }
            dove = DestinazioneStampa{
                pdf ? DestinazioneStampa::Tipo::Pdf : DestinazioneStampa::Tipo::Png, p, 300, {}};
        } else if (a == "--stampante") {
            if (dove)
                return unaDestinazione();
            dove = DestinazioneStampa{DestinazioneStampa::Tipo::Stampante, {}, 300, {}};
            // The name is optional: a following word that is not an option
            // nor the work names the printer.
            if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0 &&
                estensione(args[i + 1]) != ".trv")
                dove->stampante = args[++i];
        } else if (a == "--dpi") {
            if (i + 1 >= args.size())
                return manca(a);
            const std::optional<double> v = parseNumber(args[++i]);
            // An A4 page of 64 million pixels at the most.
            if (!v || *v != std::floor(*v) || *v < 10 || *v > 800) {
                err << Prefix << "errore: --dpi vuole un numero intero da 10 a 800\n";
                return ExitBadInput;
            }
            dpi = static_cast<int>(*v);
        } else if (a == "--portata") {
            if (i + 1 >= args.size())
                return manca(a);
            const std::string& u = args[++i];
            if (u == "l/s")
                umStampa = static_cast<std::uint8_t>(UmLS);
            else if (u == "m3/h")
                umStampa = static_cast<std::uint8_t>(UmM3H);
            else {
                err << Prefix << "errore: --portata vuole l/s o m3/h\n";
                return ExitBadInput;
            }
        } else if (a == "--colore") {
            colore = true;
        } else if (a == "--senza-verifiche") {
            senzaVerifiche = true;
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
    if (!dove) {
        err << Prefix << "errore: indicare dove stampare: --pdf, --png o --stampante\n";
        return ExitBadInput;
    }
    if (dpi) {
        if (dove->tipo != DestinazioneStampa::Tipo::Png) {
            err << Prefix << "errore: --dpi vale solo con --png\n";
            return ExitBadInput;
        }
        dove->dpi = *dpi;
    }
    if (const std::string perche = file ? fileNonLeggibile(*file) : "manca il file di lavoro";
        !perche.empty()) {
        err << Prefix << "errore: " << perche << "\n";
        return ExitBadInput;
    }
    if (!print) {
        err << Prefix << "errore: la stampa non è disponibile in questo programma\n";
        return ExitIo;
    }
    std::optional<SessioneLavoro> sessione;
    if (int codice = apriSessione(dataFolder, chart, Prefix, false, err, sessione);
        codice != ExitOk)
        return codice;
    CommandLineUi ui;
    Documento doc(sessione->settings, sessione->defaults);
    doc.inizializzaTestata(ui.dataBreve());
    if (!doc.apriPercorso(ui, *file, false)) {
        std::string m = ui.messaggio;
        std::replace(m.begin(), m.end(), '\r', ' ');
        err << Prefix << "errore: " << m << "\n";
        return ExitBadInput;
    }
    if (const std::string v = valoreNonValido(doc.lavoro); !v.empty()) {
        err << Prefix << "errore: il lavoro contiene un valore non valido (" << v
            << "): un numero mancante o fuori da ogni grandezza reale\n";
        return ExitBadInput;
    }
    if (umStampa)
        doc.testata.UmStampa = *umStampa;
    const DatiStampa dati{doc.lavoro,
                          doc.testata,
                          sessione->settings.DIR_ARCHIVI,
                          doc.testata.SenzaNome == 0 ? doc.nome() + doc.estensione()
                                                     : std::string(),
                          !colore,
                          senzaVerifiche ? nullptr : &sessione->settings.verifiche};
    if (Esito e = print->stampa(dati, *dove); !e.ok) {
        err << Prefix << "errore: " << e.errore << "\n";
        return ExitIo;
    }
    return ExitOk;
}

} // namespace tarvelo::cli
