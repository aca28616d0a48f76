// What the commands on works share: the data folder prepared as at
// start-up, the first chart, the saved defaults, and a document interface
// that asks nothing.
#pragma once

#include "chart/chart_services.h"
#include "document/defaults_archive.h"
#include "document/document.h"
#include "document/settings.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace tarvelo::cli {

// The document's questions, answered for a command that asks nothing: no
// previous work to save, no dialogs; messages are kept for standard error.
struct CommandLineUi : DocumentUi {
    std::string messaggio;
    Risposta chiediSalvaPrecedente() override { return Risposta::No; }
    std::optional<std::string> scegliFileDaAprire() override { return std::nullopt; }
    std::optional<std::string> scegliFileDaSalvare() override { return std::nullopt; }
    void informa(const std::string& m) override { messaggio = m; }
    std::string dataBreve() override; // today, dd/mm/yyyy
};

struct SessioneLavoro {
    TDriveMdl settings;
    TDefault defaults;
};

// Prepares the data folder, makes sure the first chart exists (when there
// are chart services) and reads the defaults. Errors go to `err` after
// `prefisso`; with `avvisi` also what was created and the settings'
// warnings. Returns ExitOk with `sessione` set, or the exit code.
int apriSessione(const std::string& dataFolder, ChartServices* chart, const char* prefisso,
                 bool avvisi, std::ostream& err, std::optional<SessioneLavoro>& sessione);

// The chart a new work draws on: the default chart when the catalogue holds
// it and its header can be drawn from, otherwise chart 1; when neither can,
// why not for each (not in the catalogue, unreadable, damaged).
Esito chartDiUnNuovoLavoro(const SessioneLavoro& s, TLavoro& l);

// The end of a command that printed its result: a standard output that
// could not take it (a full disk, a closed pipe) is an input/output error
// with its message, never a silent exit code.
int fineUscita(std::ostream& out, std::ostream& err, const char* prefisso, int codice);

// The folder for RISULT.TXT and DETTAGLI.TXT: `cartella` when given (with
// its separator), else the works folder.
std::string cartellaLog(const std::optional<std::string>& cartella, const TDriveMdl& settings);

} // namespace tarvelo::cli
