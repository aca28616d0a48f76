#include "app/cli/work_session.h"

#include "app/cli/stato_command.h"
#include "chart/chart_file.h"
#include "chart/initial_chart.h"

#include <ctime>
#include <ostream>
#include <vector>

namespace tarvelo::cli {

std::string CommandLineUi::dataBreve() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[16];
    std::strftime(buf, sizeof buf, "%d/%m/%Y", &tm);
    return buf;
}

int apriSessione(const std::string& dataFolder, ChartServices* chart, const char* prefisso,
                 bool avvisi, std::ostream& err, std::optional<SessioneLavoro>& sessione) {
    std::vector<std::string> creati;
    if (Esito e = preparaCartellaDati(dataFolder, creati); !e.ok) {
        err << prefisso << "errore: " << e.errore << "\n";
        return ExitIo;
    }
    TDriveMdl settings = TDriveMdl::crea(dataFolder);
    if (avvisi) {
        for (const std::string& c : creati)
            err << prefisso << "creato " << c << "\n";
        for (const std::string& a : settings.avvisi)
            err << prefisso << "attenzione: " << a << "\n";
    }
    if (chart) {
        bool creato = false;
        if (Esito e = assicuraChartIniziale(settings, chart->misura(), creato); !e.ok) {
            err << prefisso << "errore: " << e.errore << "\n";
            return ExitIo;
        }
        if (creato && avvisi)
            err << prefisso << "creato il diagramma iniziale 1\n";
    }
    TDefault defaults;
    if (Esito e = settings.archivio().leggiDefault(defaults); !e.ok) {
        err << prefisso << "errore: " << e.errore << "\n";
        return ExitBadInput;
    }
    sessione.emplace(SessioneLavoro{std::move(settings), defaults});
    return ExitOk;
}

std::string cartellaLog(const std::optional<std::string>& cartella, const TDriveMdl& settings) {
    if (!cartella)
        return settings.DIR_LAVORI;
    return *cartella + (cartella->back() == '/' ? "" : "/");
}

Esito chartDiUnNuovoLavoro(const SessioneLavoro& s, TLavoro& l) {
    // A code beyond the catalogue's count may still find bytes in the
    // archive: only codes 1..NumChart name charts. Each refusal is said, so
    // that a damaged chart is told from a missing one.
    std::string perche;
    std::vector<int> codici = {s.defaults.ChartDefault};
    if (s.defaults.ChartDefault != 1)
        codici.push_back(1);
    for (const int codice : codici) {
        std::string questo;
        if (codice < 1 || codice > s.defaults.NumChart) {
            questo = "il diagramma " + std::to_string(codice) + " non è nel catalogo";
        } else if (Esito e = s.settings.archivio().leggiTestataChart(codice, l.TestataChart);
                   !e.ok) {
            questo = e.errore;
        } else if (Esito v = verificaIntestazione(l.TestataChart, VersioneVideo); !v.ok) {
            // A header that cannot be drawn from names no chart to work on.
            questo = "il diagramma " + std::to_string(codice) +
                     " è danneggiato (intestazione non valida: " + v.errore + ")";
        } else {
            l.CodiceChart = static_cast<std::int16_t>(codice);
            return {};
        }
        perche += (perche.empty() ? "" : "; ") + questo;
    }
    return Esito::fallito("nessun diagramma per il lavoro: " + perche);
}

int fineUscita(std::ostream& out, std::ostream& err, const char* prefisso, int codice) {
    out.flush();
    if (out)
        return codice;
    err << prefisso << "errore: impossibile scrivere sullo standard output\n";
    return ExitIo;
}

} // namespace tarvelo::cli
