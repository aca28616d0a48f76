#include "app/cli/command_line.h"

#include "app/cli/stato_command.h"

#include <ostream>

namespace tarvelo::cli {

const char* generalHelp() {
    return "tarvelo - diagramma psicrometrico e trattamenti dell'aria\n"
           "\n"
           "Uso:\n"
           "  tarvelo                       avvia il programma\n"
           "  tarvelo <comando> [opzioni]   esegue un comando senza interfaccia grafica\n"
           "\n"
           "Comandi:\n"
           "  stato     stato dell'aria umida da due grandezze note (tabella, JSON o CSV)\n"
           "\n"
           "Opzioni:\n"
           "  -h, --help     mostra questo aiuto\n"
           "  --versione     mostra la versione\n"
           "\n"
           "Aiuto di un comando: tarvelo <comando> --help\n";
}

int runCommandLine(std::span<const std::string> args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    if (args.empty())
        return -1;
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
    err << "tarvelo: comando sconosciuto: " << command << "\n"
        << "Per l'elenco dei comandi: tarvelo --help\n";
    return ExitBadInput;
}

} // namespace tarvelo::cli
