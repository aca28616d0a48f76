#include "app/cli/work_session.h"

#include "app/cli/stato_command.h"
#include "chart/chart_file.h"
#include "chart/initial_chart.h"

#include <ctime>
#include <ostream>

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

bool chartDiUnNuovoLavoro(const SessioneLavoro& s, TLavoro& l) {
    // A code beyond the catalogue's count may still find bytes in the
    // archive: only codes 1..NumChart name charts.
    for (const int codice : {static_cast<int>(s.defaults.ChartDefault), 1}) {
        if (codice < 1 || codice > s.defaults.NumChart)
            continue;
        // A header that cannot be drawn from names no chart to work on.
        if (s.settings.archivio().leggiTestataChart(codice, l.TestataChart).ok &&
            verificaIntestazione(l.TestataChart, VersioneVideo).ok) {
            l.CodiceChart = static_cast<std::int16_t>(codice);
            return true;
        }
    }
    return false;
}

int fineUscita(std::ostream& out, std::ostream& err, const char* prefisso, int codice) {
    out.flush();
    if (out)
        return codice;
    err << prefisso << "errore: impossibile scrivere sullo standard output\n";
    return ExitIo;
}

} // namespace tarvelo::cli
