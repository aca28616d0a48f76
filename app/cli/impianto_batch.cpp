#include "app/cli/impianto_batch.h"

#include "app/cli/input_file.h"
#include "treatments/verifiche.h"

#include "app/cli/csv_lines.h"
#include "app/cli/ordered_batch.h"
#include "document/error_messages.h"
#include "document/file_io.h"
#include "document/work_record_ops.h"
#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/suggerimenti.h"

#include <charconv>
#include <istream>
#include <memory>
#include <ostream>
#include <string_view>
#include <vector>

namespace tarvelo::cli {

namespace {

constexpr std::size_t RighePerBlocco = 64;

std::string_view senzaSpazi(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string> celle(std::string_view riga, char sep) {
    std::vector<std::string> v;
    std::size_t inizio = 0;
    for (;;) {
        const std::size_t p = riga.find(sep, inizio);
        v.emplace_back(
            senzaSpazi(riga.substr(inizio, p == std::string_view::npos ? p : p - inizio)));
        if (p == std::string_view::npos)
            return v;
        inizio = p + 1;
    }
}

// The shortest text that reads back as the same double.
void numero(std::string& out, double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

// A text cell, quoted when it holds the separator or a quote.
void testo(std::string& out, std::string_view t) {
    if (t.find_first_of(",\"\n") == std::string_view::npos) {
        out += t;
        return;
    }
    out += '"';
    for (const char c : t) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

struct Colonne {
    std::vector<std::string> ingressi;
    int punti = 0;
    std::vector<int> trattamenti; // the listed ones (Reale), 0-based
    bool suggerimento = false;
};

std::string intestazione(const Colonne& c) {
    std::string h;
    for (const std::string& n : c.ingressi)
        h += n + ",";
    h += "CodiceErrore,Messaggio,Ctot,Qimm,QvVol,fs";
    for (int p = 1; p <= c.punti; ++p) {
        const std::string n = "P" + std::to_string(p) + "_";
        h += "," + n + "nome," + n + "tbs," + n + "UR," + n + "x," + n + "h";
    }
    int k = 0;
    for (std::size_t i = 0; i < c.trattamenti.size(); ++i) {
        const std::string n = "T" + std::to_string(++k) + "_";
        h += "," + n + "Qs," + n + "Qt," + n + "qx";
    }
    return h + (c.suggerimento ? ",Verifiche,Suggerimento\n" : ",Verifiche\n");
}

struct Riga {
    long long numero = 0; // among the data rows, from 1
    long long linea = 0;  // in the file
    std::vector<std::string> valori;
};

struct Blocco {
    std::vector<Riga> righe;
    std::string uscita, messaggi;
    long long fallite = 0;
    long long tracceFallite = 0;
    std::string primaTracciaFallita; // its row and cause
};

} // namespace

BatchSummary runImpiantoBatch(std::istream& in, std::ostream& out, std::ostream& err,
                              const TLavoro& base, const ImpostaCampo& imposta, int thread,
                              const std::optional<std::string>& tracce,
                              const LimitiVerifiche& limiti, bool conSuggerimenti) {
    BatchSummary esito;
    RigheCsv righe(in);
    std::string_view linea;
    const auto troppoLunga = [&] {
        err << righe.erroreTroppoLunga() << "\n";
        esito.fatal = true;
        return esito;
    };
    while (true) {
        const RigheCsv::Esito e = righe.prossima(linea);
        if (e == RigheCsv::Esito::Fine)
            return senzaIntestazione(in, err);
        if (e == RigheCsv::Esito::TroppoLunga)
            return troppoLunga();
        if (righe.numero() == 1 && linea.substr(0, 3) == "\xEF\xBB\xBF")
            linea.remove_prefix(3);
        if (!senzaSpazi(linea).empty())
            break;
    }
    const long long lineNo = righe.numero();
    const char sep = linea.find(';') != std::string_view::npos    ? ';'
                     : linea.find('\t') != std::string_view::npos ? '\t'
                                                                  : ',';
    Colonne col;
    col.ingressi = celle(linea, sep);
    col.suggerimento = conSuggerimenti;
    for (std::size_t i = 0; i < col.ingressi.size(); ++i) {
        const std::string& n = col.ingressi[i];
        TLavoro prova = base;
        if (auto e = imposta(prova, n, "0"); e && e->rfind("campo sconosciuto", 0) == 0) {
            err << "riga " << lineNo << ": intestazione: " << testoVisibile(*e) << "\n";
            esito.fatal = true;
            return esito;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (col.ingressi[j] == n) {
                err << "riga " << lineNo << ": intestazione: colonna ripetuta " << testoVisibile(n)
                    << "\n";
                esito.fatal = true;
                return esito;
            }
        }
    }
    // The columns of the results: the points and listed treatments of the
    // configuration with its sample data.
    {
        TLavoro l = base;
        const double prima = Patm;
        Patm = l.TestataChart.pressure > 0 ? l.TestataChart.pressure : PatmStandard;
        TracciaDettagli t;
        CalcolaImpianto(l, t);
        Patm = prima;
        col.punti = std::min<int>(l.NumPunti, static_cast<int>(TLavoro::MaxPunti));
        const int nt = std::min<int>(l.NumTrattamenti, static_cast<int>(TLavoro::MaxTrattamenti));
        for (int k = 0; k < nt; ++k)
            if (l.Trattamenti[static_cast<std::size_t>(k)].Reale)
                col.trattamenti.push_back(k);
    }
    out << intestazione(col);

    const auto calcola = [&](Blocco& b) {
        for (const Riga& r : b.righe) {
            std::string problema;
            TLavoro l = base;
            if (r.valori.size() != col.ingressi.size()) {
                problema = "attese " + std::to_string(col.ingressi.size()) + " colonne, trovate " +
                           std::to_string(r.valori.size());
            } else {
                for (std::size_t i = 0; i < r.valori.size() && problema.empty(); ++i)
                    if (!r.valori[i].empty())
                        if (auto e = imposta(l, col.ingressi[i], r.valori[i]))
                            problema = *e;
            }
            int codice = 0;
            if (problema.empty()) {
                // At the work's chart pressure, on this thread only.
                const double prima = Patm;
                Patm = l.TestataChart.pressure > 0 ? l.TestataChart.pressure : PatmStandard;
                TracciaDettagli traccia;
                codice = CalcolaImpianto(l, traccia).codice;
                Patm = prima;
                if (tracce) {
                    const std::string& t = traccia.contenuto();
                    const std::string nome =
                        *tracce + "DETTAGLI_" + std::to_string(r.numero) + ".TXT";
                    if (Esito e = replaceFile(nome, std::vector<std::uint8_t>(t.begin(), t.end()),
                                              Scrittura::Rapporto);
                        !e.ok) {
                        // One cause is enough: a missing folder or a full
                        // disk fails every row the same way.
                        if (b.tracceFallite++ == 0)
                            b.primaTracciaFallita =
                                "riga " + std::to_string(r.linea) + ": " + e.errore;
                    }
                }
                if (codice == 0 && !valoriFiniti(l))
                    problema = "il calcolo dà valori non numerici (NaN o infiniti)";
            }
            // The inputs as given, then the outcome.
            for (std::size_t i = 0; i < col.ingressi.size(); ++i) {
                testo(b.uscita, i < r.valori.size() ? r.valori[i] : std::string());
                b.uscita += ',';
            }
            if (!problema.empty() || codice != 0) {
                ++b.fallite;
                const std::string m = problema.empty() ? MessaggioErrore(l) : problema;
                if (codice != 0)
                    b.uscita += std::to_string(codice);
                b.uscita += ',';
                testo(b.uscita, m);
                b.uscita.append(
                    5 + 5 * static_cast<std::size_t>(col.punti) + 3 * col.trattamenti.size(), ',');
                if (col.suggerimento) {
                    b.uscita += ',';
                    // A cell that could not be read has nothing to search.
                    if (problema.empty() && codice != 0)
                        if (const std::vector<Suggerimento> s = suggerimenti(l, 1); !s.empty())
                            testo(b.uscita, s.front().messaggio);
                }
                b.uscita += '\n';
                b.messaggi += "riga " + std::to_string(r.linea) + ": " +
                              (codice != 0 ? "errore " + std::to_string(codice) + ": " : "") + m +
                              "\n";
                continue;
            }
            b.uscita += "0,,";
            for (const double v : {l.Ctot, l.Qimm, l.QvVol, l.fs}) {
                numero(b.uscita, v);
                b.uscita += ',';
            }
            b.uscita.pop_back();
            for (int p = 0; p < col.punti; ++p) {
                const TPunto& pt = l.Punti[static_cast<std::size_t>(p)];
                b.uscita += ',';
                testo(b.uscita, pt.Nome.testo());
                // A point reserved but not computed: empty cells.
                const bool vuoto = statoNonCalcolato(l, pt);
                for (const double v : {pt.tbs, pt.UR, pt.x, pt.h}) {
                    b.uscita += ',';
                    if (!vuoto)
                        numero(b.uscita, v);
                }
            }
            for (const int k : col.trattamenti) {
                const TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k)];
                for (const double v : {t.Qsen, t.Qtot, t.qx}) {
                    b.uscita += ',';
                    numero(b.uscita, v);
                }
            }
            b.uscita += ',';
            const char* separatore = "";
            for (const Verifica& v : verifiche(l, limiti)) {
                b.uscita += separatore + std::to_string(v.codice);
                separatore = "|";
            }
            if (col.suggerimento)
                b.uscita += ',';
            b.uscita += '\n';
        }
    };

    long long numero = 0;
    bool lunga = false;
    std::string primaTraccia;
    lavoraInOrdine<Blocco>(
        thread,
        [&](Blocco& b) {
            while (b.righe.size() < RighePerBlocco) {
                const RigheCsv::Esito e = righe.prossima(linea);
                lunga = e == RigheCsv::Esito::TroppoLunga;
                if (e != RigheCsv::Esito::Riga)
                    return false;
                if (senzaSpazi(linea).empty())
                    continue;
                b.righe.push_back(Riga{++numero, righe.numero(), celle(linea, sep)});
            }
            return true;
        },
        calcola,
        [&](Blocco& b) {
            esito.rows += static_cast<long long>(b.righe.size());
            esito.failed += b.fallite;
            if (b.tracceFallite > 0 && esito.tracceFallite == 0)
                primaTraccia = b.primaTracciaFallita;
            esito.tracceFallite += b.tracceFallite;
            err << b.messaggi;
            out.write(b.uscita.data(), static_cast<std::streamsize>(b.uscita.size()));
        });
    if (esito.tracceFallite > 0)
        err << "errore: " << esito.tracceFallite << " file di traccia non scritti in " << *tracce
            << " (il primo alla " << primaTraccia << ")\n";
    if (lunga)
        return troppoLunga();
    if (in.bad()) {
        err << "errore di lettura del file CSV\n";
        esito.fatal = true;
        esito.readError = true;
    }
    return esito;
}

} // namespace tarvelo::cli
