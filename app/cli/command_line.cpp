#include "app/cli/command_line.h"

#include "app/cli/chart_command.h"
#include "app/cli/impianto_command.h"
#include "app/cli/lavoro_command.h"
#include "app/cli/ricalcola_command.h"
#include "app/cli/stampa_command.h"
#include "app/cli/stato_command.h"
#include "document/settings.h"

#include <ostream>

namespace tarvelo::cli {

const char* generalHelp() {
    return "tarvelo - diagramma psicrometrico e trattamenti dell'aria\n"
           "\n"
           "Uso:\n"
           "  tarvelo [FILE.TRV]            avvia il programma (e apre il lavoro)\n"
           "  tarvelo <comando> [opzioni]   esegue un comando senza interfaccia grafica\n"
           "\n"
           "Comandi:\n"
           "  stato     stato dell'aria umida da due grandezze note (tabella, JSON o CSV)\n"
           "  lavoro    mostra o riscrive un file di lavoro (.TRV), anche dal suo JSON\n"
           "  chart     genera, elenca ed esporta i diagrammi dell'archivio\n"
           "  impianto  calcola uno schema d'impianto (A..F), anche per ogni riga di un CSV\n"
           "  ricalcola calcola un lavoro, scrive RISULT.TXT e lo mostra\n"
           "  stampa    il foglio di stampa di un lavoro in PDF, PNG o su una stampante\n"
           "\n"
           "Opzioni:\n"
           "  --dati CARTELLA  la cartella dei dati (con TARVEX.INI); senza, quella accanto\n"
           "                   al programma se c'è, altrimenti ~/.local/share/tarvelo\n"
           "  --senza-splash   avvia il programma senza la finestra iniziale\n"
           "  --esci-dopo-disegno  avvia, disegna il diagramma una volta ed esce\n"
           "  -h, --help       mostra questo aiuto\n"
           "  --versione       mostra la versione\n"
           "\n"
           "Aiuto di un comando: tarvelo <comando> --help\n";
}

int runCommandLine(std::span<const std::string> args, const CommandLineContext& context,
                   std::istream& in, std::ostream& out, std::ostream& err, AvvioGrafico* avvio) {
    std::string dati;
    AvvioGrafico grafico;
    while (!args.empty() && (args[0] == "--dati" || args[0].rfind("--dati=", 0) == 0 ||
                             args[0] == "--senza-splash" || args[0] == "--esci-dopo-disegno")) {
        if (args[0] == "--senza-splash" || args[0] == "--esci-dopo-disegno") {
            (args[0] == "--senza-splash" ? grafico.senzaSplash : grafico.esciDopoDisegno) = true;
            args = args.subspan(1);
        } else if (args[0] == "--dati") {
            if (args.size() < 2 || args[1].empty()) {
                err << "tarvelo: manca la cartella di --dati\n";
                return ExitBadInput;
            }
            dati = args[1];
            args = args.subspan(2);
        } else {
            dati = args[0].substr(7);
            args = args.subspan(1);
        }
    }
    grafico.dati = dati;
    const auto isWork = [](const std::string& a) {
        return a.size() > 4 && a.rfind("--", 0) != 0 &&
               (a.substr(a.size() - 4) == ".TRV" || a.substr(a.size() - 4) == ".trv");
    };
    if (args.empty() || (args.size() == 1 && isWork(args[0]))) {
        if (!args.empty())
            grafico.file = args[0];
        if (avvio)
            *avvio = grafico;
        return -1;
    }
    const std::string& command = args[0];
    if (command == "-h" || command == "--help" || command == "aiuto") {
        out << generalHelp();
        return ExitOk;
    }
    if (command == "--versione" || command == "--version") {
        out << "tarvelo " TARVELO_VERSION "\n";
        return ExitOk;
    }
    if (command == "stato")
        return runStato(args.subspan(1), in, out, err);
    if (command == "lavoro")
        return runLavoro(args.subspan(1), locateDataFolder(dati, context.exeFolder), context.chart,
                         in, out, err);
    if (command == "impianto")
        return runImpianto(args.subspan(1), locateDataFolder(dati, context.exeFolder),
                           context.chart, in, out, err);
    if (command == "ricalcola")
        return runRicalcola(args.subspan(1), locateDataFolder(dati, context.exeFolder),
                            context.chart, out, err);
    if (command == "stampa")
        return runStampa(args.subspan(1), locateDataFolder(dati, context.exeFolder), context.chart,
                         context.print, out, err);
    if (command == "chart")
        return runChart(args.subspan(1), locateDataFolder(dati, context.exeFolder), context.chart,
                        out, err);
    err << "tarvelo: comando sconosciuto: " << command << "\n"
        << "Per l'elenco dei comandi: tarvelo --help\n";
    return ExitBadInput;
}

} // namespace tarvelo::cli
