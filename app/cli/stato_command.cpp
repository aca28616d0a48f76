#include "app/cli/stato_command.h"

#include "app/cli/output_file.h"
#include "app/cli/stato_batch.h"
#include "app/cli/stato_options.h"
#include "app/cli/stato_report.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>

namespace tarvelo::cli {

namespace {

constexpr const char* Prefix = "tarvelo stato: ";

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::exists(a, ec) && std::filesystem::exists(b, ec) &&
           std::filesystem::equivalent(a, b, ec);
}

int runBatch(const StatoOptions& o, std::istream& in, std::ostream& out, std::ostream& err) {
    const std::string& source = *o.csv;
    if (o.out && source != "-" && sameFile(source, *o.out)) {
        err << Prefix << "errore: il file di uscita coincide con il file CSV letto\n";
        return ExitBadInput;
    }
    std::ifstream file;
    std::istream* input = &in;
    if (source != "-") {
        file.open(source, std::ios::binary);
        if (!file) {
            err << Prefix << "errore: impossibile aprire il file " << source << "\n";
            return ExitIo;
        }
        input = &file;
    }
    OutputFile target(o.out.value_or(""), out);
    if (!target.isOpen()) {
        err << Prefix << "errore: " << target.openError() << "\n";
        return ExitIo;
    }
    const BatchSummary summary = runStatoBatch(*input, target.stream(), err, o.patm, o.thread);
    if (summary.readError)
        return ExitIo;
    if (summary.fatal)
        return ExitBadInput;
    std::string problem;
    if (!target.commit(problem)) {
        err << Prefix << "errore: " << problem << "\n";
        return ExitIo;
    }
    if (summary.failed > 0) {
        err << Prefix << summary.failed << " righe su " << summary.rows
            << " non calcolate (lasciate vuote)\n";
        return ExitBadInput;
    }
    return ExitOk;
}

} // namespace

int runStato(std::span<const std::string> args, std::istream& in, std::ostream& out,
             std::ostream& err) {
    const ParsedStato parsed = parseStatoOptions(args);
    if (!parsed.errore.empty()) {
        err << Prefix << "errore: " << parsed.errore << "\n"
            << "Per l'aiuto: tarvelo stato --help\n";
        return ExitBadInput;
    }
    const StatoOptions& o = parsed.options;
    if (o.help) {
        out << statoHelp();
        return ExitOk;
    }
    if (o.csv)
        return runBatch(o, in, out, err);

    const EsitoStato esito = calcolaStato(*o.coppia, o.a, o.b, o.patm);
    if (!esito.ok) {
        err << Prefix << "errore: " << esito.errore << "\n";
        return ExitBadInput;
    }
    for (const std::string& avviso : esito.avvisi)
        err << Prefix << "attenzione: " << avviso << "\n";

    OutputFile target(o.out.value_or(""), out);
    if (!target.isOpen()) {
        err << Prefix << "errore: " << target.openError() << "\n";
        return ExitIo;
    }
    target.stream() << (o.json ? statoJson(esito.stato) : statoTable(esito.stato, o.quota));
    std::string problem;
    if (!target.commit(problem)) {
        err << Prefix << "errore: " << problem << "\n";
        return ExitIo;
    }
    return ExitOk;
}

} // namespace tarvelo::cli
