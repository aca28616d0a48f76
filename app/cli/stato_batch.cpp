#include "app/cli/stato_batch.h"
#include "app/cli/input_file.h"

#include "app/cli/csv_lines.h"
#include "app/cli/ordered_batch.h"
#include "engine/air_state.h"
#include "engine/number_parse.h"

#include <array>
#include <charconv>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::cli {

namespace {

constexpr std::size_t ChunkSize = 1 << 20;

std::string_view trimField(std::string_view f) {
    while (!f.empty() && (f.front() == ' ' || f.front() == '\t'))
        f.remove_prefix(1);
    while (!f.empty() && (f.back() == ' ' || f.back() == '\t'))
        f.remove_suffix(1);
    if (f.size() >= 2 && f.front() == '"' && f.back() == '"')
        f = f.substr(1, f.size() - 2);
    return f;
}

void splitFields(std::string_view line, char sep, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(sep, start);
        if (end == std::string_view::npos) {
            fields.push_back(trimField(line.substr(start)));
            return;
        }
        fields.push_back(trimField(line.substr(start, end - start)));
        start = end + 1;
    }
}

enum Key { Tbs, UR, Tbu, X, H, V, RhoSecca, KeyCount };
constexpr std::array<const char*, KeyCount> KeyNames = {"tbs", "UR", "tbu",     "x",
                                                        "h",   "v",  "rhoSecca"};

struct PairColumns {
    CoppiaNota coppia;
    Key first, second;
};

constexpr std::array<PairColumns, 8> Pairs = {{
    {CoppiaNota::TbsUR, Tbs, UR},
    {CoppiaNota::TbsTbu, Tbs, Tbu},
    {CoppiaNota::TbsX, Tbs, X},
    {CoppiaNota::TbsH, Tbs, H},
    {CoppiaNota::TbsVd, Tbs, V},
    {CoppiaNota::TbsRhoSecca, Tbs, RhoSecca},
    {CoppiaNota::XH, X, H},
    {CoppiaNota::XUR, X, UR},
}};

void appendNumber(std::string& out, double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

void appendState(std::string& out, const StatoAria& s) {
    bool first = true;
    for (const CampoStato& campo : campiStato(s)) {
        if (!first)
            out.push_back(',');
        first = false;
        appendNumber(out, campo.valore);
    }
    out.push_back('\n');
}

// The output header: the names of the state's fields.
std::string outputHeader() {
    std::string header;
    for (const CampoStato& campo : campiStato(StatoAria{}))
        header += std::string(header.empty() ? "" : ",") + campo.nome;
    return header + "\n";
}

struct Layout {
    char separator = ',';
    std::size_t columns = 0;
    PairColumns pair{};
    std::size_t colFirst = 0, colSecond = 0;
    std::optional<std::size_t> colPatm;
};

// Reads the header; on failure returns the message.
std::string readHeader(std::string_view line, Layout& layout) {
    if (line.substr(0, 3) == "\xEF\xBB\xBF")
        line.remove_prefix(3);
    layout.separator = line.find(';') != std::string_view::npos    ? ';'
                       : line.find('\t') != std::string_view::npos ? '\t'
                                                                   : ',';
    std::vector<std::string_view> names;
    splitFields(line, layout.separator, names);
    layout.columns = names.size();
    std::array<std::optional<std::size_t>, KeyCount> found{};
    for (std::size_t c = 0; c < names.size(); ++c) {
        if (names[c] == "Patm") {
            if (layout.colPatm)
                return "intestazione: colonna ripetuta Patm";
            layout.colPatm = c;
            continue;
        }
        bool known = false;
        for (std::size_t k = 0; k < KeyCount; ++k) {
            if (names[c] == KeyNames[k]) {
                if (found[k])
                    return "intestazione: colonna ripetuta " + testoVisibile(names[c]);
                found[k] = c;
                known = true;
            }
        }
        if (!known)
            return "intestazione: colonna sconosciuta \"" + testoVisibile(names[c]) +
                   "\" (ammesse: tbs, UR, tbu, x, h, v, rhoSecca, Patm)";
    }
    for (const PairColumns& p : Pairs) {
        std::size_t present = 0;
        for (const auto& f : found)
            present += f ? 1 : 0;
        if (present == 2 && found[p.first] && found[p.second]) {
            layout.pair = p;
            layout.colFirst = *found[p.first];
            layout.colSecond = *found[p.second];
            return {};
        }
    }
    return "intestazione: le colonne non formano una coppia ammessa (tbs con UR, tbu, x, h, v "
           "o rhoSecca; oppure x con h o UR)";
}

std::optional<double> cellNumber(std::string_view cell, char separator) {
    // With ',' as separator a decimal comma cannot occur inside a cell, so
    // one found there is an error rather than a decimal point.
    if (separator == ',' && cell.find(',') != std::string_view::npos)
        return std::nullopt;
    return parseNumber(cell);
}

} // namespace

BatchSummary runStatoBatch(std::istream& in, std::ostream& out, std::ostream& err,
                           double defaultPatm, int thread) {
    BatchSummary summary;
    RigheCsv reader(in);
    std::string_view line;
    const auto troppoLunga = [&] {
        err << reader.erroreTroppoLunga() << "\n";
        summary.fatal = true;
        return summary;
    };
    bool haveHeader = false;
    while (!haveHeader) {
        const RigheCsv::Esito e = reader.prossima(line);
        if (e == RigheCsv::Esito::Fine)
            return senzaIntestazione(in, err);
        if (e == RigheCsv::Esito::TroppoLunga)
            return troppoLunga();
        haveHeader = !trimField(line).empty();
    }
    Layout layout;
    if (const std::string problem = readHeader(line, layout); !problem.empty()) {
        err << "riga " << reader.numero() << ": " << problem << "\n";
        summary.fatal = true;
        return summary;
    }

    // Read in blocks (in order), computed in parallel, written in order.
    struct Blocco {
        std::string testo;                                      // the block's lines, end to end
        std::vector<std::pair<std::size_t, std::size_t>> righe; // offset and length in testo
        std::vector<long long> numeri;
        std::string uscita, messaggi;
        long long falliti = 0;
    };
    constexpr std::size_t RighePerBlocco = 2048;
    std::string buffer;
    buffer.reserve(ChunkSize + 4096);
    buffer += outputHeader();
    const auto calcola = [&layout, defaultPatm](Blocco& b) {
        std::vector<std::string_view> cells;
        for (std::size_t i = 0; i < b.righe.size(); ++i) {
            const std::string_view testo =
                std::string_view(b.testo).substr(b.righe[i].first, b.righe[i].second);
            splitFields(testo, layout.separator, cells);
            std::string problem;
            EsitoStato esito;
            if (cells.size() != layout.columns) {
                problem = "attese " + std::to_string(layout.columns) + " colonne, trovate " +
                          std::to_string(cells.size());
            } else {
                const auto a = cellNumber(cells[layout.colFirst], layout.separator);
                const auto bb = cellNumber(cells[layout.colSecond], layout.separator);
                std::optional<double> patm = defaultPatm;
                if (layout.colPatm && !cells[*layout.colPatm].empty())
                    patm = cellNumber(cells[*layout.colPatm], layout.separator);
                if (!a || !bb || !patm) {
                    const std::size_t bad =
                        !a ? layout.colFirst : (!bb ? layout.colSecond : *layout.colPatm);
                    const char* name = bad == layout.colPatm    ? "Patm"
                                       : bad == layout.colFirst ? KeyNames[layout.pair.first]
                                                                : KeyNames[layout.pair.second];
                    problem = std::string("valore non numerico in ") + name + ": \"" +
                              std::string(cells[bad]) + "\"";
                } else {
                    esito = calcolaStato(layout.pair.coppia, *a, *bb, *patm);
                    if (!esito.ok)
                        problem = esito.errore;
                }
            }
            const std::string riga = "riga " + std::to_string(b.numeri[i]) + ": ";
            if (problem.empty()) {
                appendState(b.uscita, esito.stato);
                for (const std::string& avviso : esito.avvisi)
                    b.messaggi += riga + "attenzione: " + avviso + "\n";
            } else {
                ++b.falliti;
                b.uscita.append(campiStato(StatoAria{}).size() - 1, ',');
                b.uscita.push_back('\n');
                b.messaggi += riga + problem + "\n";
            }
        }
    };
    bool lunga = false;
    lavoraInOrdine<Blocco>(
        thread,
        [&](Blocco& b) {
            b.testo.reserve(RighePerBlocco * 16);
            b.uscita.reserve(RighePerBlocco * 160);
            while (b.righe.size() < RighePerBlocco) {
                const RigheCsv::Esito e = reader.prossima(line);
                lunga = e == RigheCsv::Esito::TroppoLunga;
                if (e != RigheCsv::Esito::Riga)
                    return false;
                if (trimField(line).empty())
                    continue;
                b.righe.emplace_back(b.testo.size(), line.size());
                b.testo += line;
                b.numeri.push_back(reader.numero());
            }
            return true;
        },
        calcola,
        [&](Blocco& b) {
            summary.rows += static_cast<long long>(b.righe.size());
            summary.failed += b.falliti;
            err << b.messaggi;
            if (!buffer.empty()) { // the header
                out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                buffer.clear();
            }
            out.write(b.uscita.data(), static_cast<std::streamsize>(b.uscita.size()));
        });
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (lunga)
        return troppoLunga();
    if (in.bad()) {
        err << "errore di lettura del file CSV\n";
        summary.fatal = true;
        summary.readError = true;
    }
    return summary;
}

} // namespace tarvelo::cli
