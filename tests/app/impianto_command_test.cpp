#include "app/cli/command_line.h"
#include "app/cli/csv_lines.h"
#include "app/cli/impianto_batch.h"
#include "app/cli/stato_batch.h"
#include "app/cli/stato_command.h"
#include "document/file_io.h"
#include "document/settings.h"
#include "support/fake_chart_services.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <streambuf>

namespace tarvelo::cli {
namespace {

using test::TempDir;

class Impianto : public ::testing::Test {
  protected:
    void SetUp() override { context.chart = &services; }
    int run(const std::string& comando, std::vector<std::string> rest) {
        std::vector<std::string> args = {"--dati", dir.prefix() + "dati", comando};
        args.insert(args.end(), rest.begin(), rest.end());
        std::istringstream in;
        std::ostringstream o, e;
        const int code = runCommandLine(args, context, in, o, e);
        out = o.str();
        err = e.str();
        return code;
    }
    std::string testo(const std::string& nome) {
        const auto b = TempDir::read(dir.file(nome));
        return {b.begin(), b.end()};
    }
    TempDir dir;
    test::FakeServices services;
    CommandLineContext context;
    std::string out, err;
};

TEST_F(Impianto, EveryConfigurationCalculatesItsSample) {
    for (const char* schema : {"A", "B", "C", "D", "E", "F"}) {
        ASSERT_EQ(run("impianto", {schema, "--json", "--cartella", dir.prefix()}), ExitOk)
            << schema << err;
        EXPECT_NE(out.find("\"CodiceErrore\": 0"), std::string::npos) << schema;
        EXPECT_EQ(testo("DETTAGLI.TXT").rfind("Ctot= ", 0), 0u) << schema;
        EXPECT_FALSE(testo("RISULT.TXT").empty()) << schema;
    }
    // The last one written is F's.
    EXPECT_NE(testo("DETTAGLI.TXT").find("qimm= 2.5531\r\n"), std::string::npos);
}

TEST_F(Impianto, AMissingDefaultChartFallsBackToChartOne) {
    ASSERT_EQ(run("impianto", {"A", "--cartella", dir.prefix()}), ExitOk) << err;
    const ArchivioDefault archivio = TDriveMdl::crea(dir.prefix() + "dati/").archivio();
    TDefault d;
    ASSERT_TRUE(archivio.leggiDefault(d).ok);
    d.ChartDefault = 9; // of 1
    ASSERT_TRUE(archivio.scriviDefault(d).ok);
    ASSERT_EQ(
        run("impianto", {"A", "--json", "--cartella", dir.prefix(), "--salva", dir.file("a.TRV")}),
        ExitOk)
        << err;
    EXPECT_NE(out.find("\"CodiceChart\": 1"), std::string::npos) << out;
    EXPECT_EQ(run("ricalcola", {dir.file("a.TRV"), "--cartella", dir.prefix()}), ExitOk) << err;
    // A default chart in the catalogue whose header cannot be drawn from.
    d.ChartDefault = 2;
    d.NumChart = 2;
    ASSERT_TRUE(archivio.scriviDefault(d).ok);
    ASSERT_TRUE(archivio.scriviTestataChart(2, TTestataChart{}).ok);
    ASSERT_EQ(run("impianto", {"A", "--json", "--cartella", dir.prefix()}), ExitOk) << err;
    EXPECT_NE(out.find("\"CodiceChart\": 1"), std::string::npos) << out;
    // Chart 1 damaged as well: each is named with what is wrong with it.
    ASSERT_TRUE(archivio.scriviTestataChart(1, TTestataChart{}).ok);
    EXPECT_EQ(run("impianto", {"A", "--cartella", dir.prefix()}), ExitBadInput);
    EXPECT_NE(err.find("il diagramma 2 è danneggiato"), std::string::npos) << err;
    EXPECT_NE(err.find("il diagramma 1 è danneggiato"), std::string::npos) << err;
}

TEST_F(Impianto, HugeZoneDataAreNeverSavedAsNonNumbers) {
    // Finite but huge loads and temperatures: whatever the calculation says,
    // what is saved opens and calculates again.
    const std::vector<std::pair<std::string, std::string>> casi = {
        {"F", "Csens=6E8"}, {"A", "tbsImm=-1e96"}, {"A", "Csens=1e300"}};
    for (const auto& [schema, campo] : casi) {
        const std::string salvato = dir.file("enorme.TRV");
        std::filesystem::remove(salvato);
        const int codice = run(
            "impianto", {schema, "--set", campo, "--cartella", dir.prefix(), "--salva", salvato});
        if (fileExists(salvato)) {
            EXPECT_NE(codice, ExitBadInput) << campo;
            EXPECT_NE(run("ricalcola", {salvato, "--cartella", dir.prefix()}), ExitBadInput)
                << campo << err;
        } else {
            EXPECT_EQ(codice, ExitIo) << campo << err;
        }
    }
}

TEST_F(Impianto, OverridesCodesAndBadInput) {
    EXPECT_EQ(run("impianto", {"A", "--set", "Volume=0", "--cartella", dir.prefix()}), ExitIo);
    EXPECT_EQ(testo("DETTAGLI.TXT"), "Errore:4\r\n");
    EXPECT_NE(err.find("Errore 4: Il volume della zona (0,0 m3) deve essere maggiore di zero\n"),
              std::string::npos)
        << err;

    // A decimal comma, a unit choice, and the saved work reruns the same.
    ASSERT_EQ(run("impianto", {"A", "--set", "Qrinn=0,8", "--set", "umQrinn=2", "--cartella",
                               dir.prefix(), "--salva", dir.file("a.TRV")}),
              ExitOk)
        << err;
    const std::string dettagli = testo("DETTAGLI.TXT");
    EXPECT_NE(dettagli.find("QA= 0.80\r\n"), std::string::npos) << dettagli;
    std::filesystem::remove(dir.file("DETTAGLI.TXT"));
    ASSERT_EQ(run("ricalcola", {dir.file("a.TRV"), "--cartella", dir.prefix()}), ExitOk) << err;
    EXPECT_EQ(testo("DETTAGLI.TXT"), dettagli);

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"G"},
             {},
             {"A", "B"},
             {"A", "--set", "Volumex=1"},
             {"A", "--set", "Volume=abc"},
             {"A", "--set", "Volume"},
             {"A", "--set", "flgCx=2"},
             {"A", "--set", "umQimm=1.5"},
             {"A", "--set"},
             {"A", "--boh"},
             {"A", "--cartella", ""},
             {"A", "--salva", ""},
         })
        EXPECT_EQ(run("impianto", bad), ExitBadInput) << (bad.empty() ? "" : bad.back());
}

} // namespace
} // namespace tarvelo::cli

namespace tarvelo::cli {
namespace {

// A number of a one-line JSON document by its key (the first occurrence
// after `dopo`).
double numeroJson(const std::string& json, const std::string& chiave, std::size_t dopo = 0) {
    const std::size_t p = json.find("\"" + chiave + "\": ", dopo);
    EXPECT_NE(p, std::string::npos) << chiave;
    return std::stod(json.substr(p + chiave.size() + 4));
}

std::vector<std::string> celleCsv(const std::string& riga) {
    std::vector<std::string> v;
    std::string c;
    bool virgolette = false;
    for (const char ch : riga) {
        if (ch == '"')
            virgolette = !virgolette;
        else if (ch == ',' && !virgolette) {
            v.push_back(c);
            c.clear();
        } else
            c += ch;
    }
    v.push_back(c);
    return v;
}

TEST_F(Impianto, ACsvBatchGivesTheNumbersOfSingleRuns) {
    // Configuration C, with a row that fails in the middle.
    const std::string csv = "tbsEst;UREst;tSup;Csens\n"
                            "32;50;11.5;32\n"
                            "34;40;10;28\n"
                            "30;55;25;30\n"
                            "31;50;x;30\n"
                            "29;60;12;25\n";
    TempDir::writeText(dir.file("in.csv"), csv);
    for (const char* fili : {"1", "2"}) {
        ASSERT_EQ(run("impianto", {"C", "--csv", dir.file("in.csv"), "--out",
                                   dir.file(std::string("out") + fili + ".csv"), "--thread", fili,
                                   "--tracce", dir.prefix() + "tracce"}),
                  ExitBadInput)
            << err;
        EXPECT_NE(err.find("riga 5: il valore di tSup non è un numero: x"), std::string::npos)
            << err;
        EXPECT_NE(err.find("2 righe su 5 con un errore"), std::string::npos) << err;
    }
    EXPECT_EQ(testo("out1.csv"), testo("out2.csv"));
    std::istringstream righe(testo("out1.csv"));
    std::string riga;
    std::getline(righe, riga);
    const std::vector<std::string> titoli = celleCsv(riga);
    const auto colonna = [&](const std::string& nome) {
        const auto it = std::find(titoli.begin(), titoli.end(), nome);
        EXPECT_NE(it, titoli.end()) << nome;
        return static_cast<std::size_t>(it - titoli.begin());
    };
    const std::vector<std::vector<std::string>> set = {
        {"tbsEst=32", "UREst=50", "tSup=11.5", "Csens=32"},
        {"tbsEst=34", "UREst=40", "tSup=10", "Csens=28"},
        {},
        {},
        {"tbsEst=29", "UREst=60", "tSup=12", "Csens=25"},
    };
    for (std::size_t n = 0; n < set.size(); ++n) {
        ASSERT_TRUE(std::getline(righe, riga));
        const std::vector<std::string> c = celleCsv(riga);
        ASSERT_EQ(c.size(), titoli.size()) << riga;
        if (set[n].empty()) {
            EXPECT_FALSE(c[colonna("Messaggio")].empty()) << riga;
            EXPECT_TRUE(c[colonna("Ctot")].empty()) << riga;
            continue;
        }
        std::vector<std::string> args = {"C", "--json", "--cartella", dir.prefix()};
        for (const std::string& s : set[n]) {
            args.push_back("--set");
            args.push_back(s);
        }
        ASSERT_EQ(run("impianto", args), ExitOk) << err;
        EXPECT_EQ(c[colonna("CodiceErrore")], "0");
        for (const char* k : {"Ctot", "Qimm", "QvVol", "fs"})
            EXPECT_EQ(std::stod(c[colonna(k)]), numeroJson(out, k)) << k << " row " << n + 1;
        // Every point of the scheme, and the coil's powers.
        std::size_t da = out.find("\"Punti\"");
        for (int p = 1; p <= 5; ++p) {
            const std::string pre = "P" + std::to_string(p) + "_";
            for (const char* k : {"tbs", "UR", "x", "h"})
                EXPECT_EQ(std::stod(c[colonna(pre + k)]), numeroJson(out, k, da))
                    << pre << k << " row " << n + 1;
            da = out.find("\"Maniglia\"", da) + 1;
        }
        const std::size_t t1 = out.find("\"Trattamenti\"");
        EXPECT_EQ(std::stod(c[colonna("T1_Qs")]), numeroJson(out, "Qsen", t1));
        EXPECT_EQ(std::stod(c[colonna("T1_Qt")]), numeroJson(out, "Qtot", t1));
        // Its trace is the one a single run writes.
        EXPECT_EQ(testo("tracce/DETTAGLI_" + std::to_string(n + 1) + ".TXT"),
                  testo("DETTAGLI.TXT"));
    }
}

TEST_F(Impianto, TracesThatCannotBeWrittenAreAWriteErrorSaidOnce) {
    // A file where the trace folder should be: no trace can be written.
    TempDir::writeText(dir.file("in.csv"), "tbsEst\n30\n31\n32\n");
    TempDir::writeText(dir.file("occupato"), "x");
    EXPECT_EQ(run("impianto", {"A", "--csv", dir.file("in.csv"), "--out", dir.file("out.csv"),
                               "--tracce", dir.file("occupato")}),
              ExitIo);
    const std::string messaggio = "3 file di traccia non scritti in";
    const auto primo = err.find(messaggio);
    ASSERT_NE(primo, std::string::npos) << err;
    EXPECT_EQ(err.find(messaggio, primo + 1), std::string::npos) << err;
    EXPECT_NE(err.find("riga 2: "), std::string::npos) << err;
    // The results themselves are written.
    EXPECT_NE(testo("out.csv").find("\n"), std::string::npos);
}

TEST_F(Impianto, EngineeringChecksInJsonTextAndCsv) {
    // A coil that ices up with code 0: the check names the "ts" point and
    // the coil, in every output.
    const std::vector<std::string> gelo = {"--set", "tbsImm=14", "--set", "Clat=11",
                                           "--set", "tbsInt=21", "--set", "URInt=55"};
    std::vector<std::string> args = {"A", "--json", "--cartella", dir.prefix()};
    args.insert(args.end(), gelo.begin(), gelo.end());
    ASSERT_EQ(run("impianto", args), ExitOk) << err;
    const nlohmann::json j = nlohmann::json::parse(out);
    ASSERT_TRUE(j["Verifiche"].is_array());
    const auto brina = std::find_if(j["Verifiche"].begin(), j["Verifiche"].end(),
                                    [](const nlohmann::json& v) { return v["Codice"] == 501; });
    ASSERT_NE(brina, j["Verifiche"].end()) << j["Verifiche"].dump();
    EXPECT_EQ((*brina)["Livello"], "avviso");
    EXPECT_EQ((*brina)["Punto"], 5);
    EXPECT_EQ((*brina)["Trattamento"], 3);
    EXPECT_NE((*brina)["Messaggio"].get<std::string>().find("brina"), std::string::npos);
    EXPECT_DOUBLE_EQ(j["RicambiReali"].get<double>(),
                     j["QvReale"].get<double>() / j["Volume"].get<double>());
    // The JSON reads back as a work: what is derived is left aside.
    TempDir::writeText(dir.file("gelo.json"), out);
    EXPECT_EQ(run("lavoro", {"--da-json", dir.file("gelo.json"), "--salva", dir.file("g.TRV")}),
              ExitOk)
        << err;

    args.erase(args.begin() + 1); // the text
    ASSERT_EQ(run("impianto", args), ExitOk) << err;
    EXPECT_NE(out.find("\nVerifiche ("), std::string::npos) << out;
    EXPECT_NE(out.find("501 avviso: Rischio di brina/ghiaccio"), std::string::npos) << out;
    EXPECT_NE(out.find("Ricambi reali [1/h]"), std::string::npos) << out;

    TempDir::writeText(dir.file("in.csv"), "tbsImm,Clat,tbsInt,URInt\n14,11,21,55\n15.5,,,\n");
    ASSERT_EQ(run("impianto", {"A", "--csv", dir.file("in.csv")}), ExitOk) << err;
    std::istringstream righe(out);
    std::string titoli, primo, secondo;
    std::getline(righe, titoli);
    std::getline(righe, primo);
    std::getline(righe, secondo);
    EXPECT_EQ(celleCsv(titoli).back(), "Verifiche");
    EXPECT_EQ(celleCsv(primo).size(), celleCsv(titoli).size());
    EXPECT_EQ(celleCsv(primo).back(), "501|511|506");
    EXPECT_EQ(celleCsv(secondo).back(), "506");
}

TEST_F(Impianto, APointReservedButNotComputedShowsNoState) {
    // B whose line A-C meets no saturation: "ts" is only placed at the
    // chart's edge, with no state of its own.
    ASSERT_EQ(run("impianto", {"B", "--json", "--cartella", dir.prefix(), "--set", "tbsEst=33",
                               "--set", "UREst=80"}),
              ExitIo);
    const nlohmann::json j = nlohmann::json::parse(out);
    ASSERT_EQ(j["CodiceErrore"], 215);
    const nlohmann::json& ts = j["Punti"][3];
    for (const char* k : {"tbs", "UR", "x", "h", "v"})
        EXPECT_TRUE(ts[k].is_null()) << k << " " << ts.dump();
    EXPECT_FALSE(j["Punti"][2]["tbs"].is_null());
    // It reads back as the work it was.
    TempDir::writeText(dir.file("b.json"), out);
    EXPECT_EQ(run("lavoro", {"--da-json", dir.file("b.json"), "--salva", dir.file("b.TRV")}),
              ExitOk)
        << err;
    ASSERT_EQ(run("impianto",
                  {"B", "--cartella", dir.prefix(), "--set", "tbsEst=33", "--set", "UREst=80"}),
              ExitIo);
    EXPECT_NE(out.find("(non calcolato)"), std::string::npos) << out;
}

TEST_F(Impianto, ACsvBatchRefusesWhatItCannotRead) {
    TempDir::writeText(dir.file("in.csv"), "tbsEst,Pressione\n30,1\n");
    EXPECT_EQ(run("impianto", {"A", "--csv", dir.file("in.csv")}), ExitBadInput);
    EXPECT_NE(err.find("campo sconosciuto: Pressione"), std::string::npos) << err;
    EXPECT_EQ(out, "");
    // A binary file's header is shown escaped, never sent to the terminal.
    for (const char* comando : {"impianto", "stato"}) {
        TempDir::writeText(dir.file("bin.csv"), "tb\x01\x1b[31ms\xff,x\n1,2\n");
        EXPECT_EQ(run(comando, comando == std::string("stato")
                                   ? std::vector<std::string>{"--csv", dir.file("bin.csv")}
                                   : std::vector<std::string>{"A", "--csv", dir.file("bin.csv")}),
                  ExitBadInput);
        EXPECT_NE(err.find("tb\\x01\\x1b[31ms\\xff"), std::string::npos) << err;
        EXPECT_EQ(err.find('\x1b'), std::string::npos) << comando;
    }
    EXPECT_EQ(run("impianto", {"A", "--csv", dir.file("manca.csv")}), ExitIo);
    EXPECT_EQ(run("impianto", {"A", "--out", dir.file("x.csv")}), ExitBadInput);
    EXPECT_NE(err.find("valgono solo con --csv"), std::string::npos) << err;
    EXPECT_EQ(run("impianto", {"A", "--csv", dir.file("in.csv"), "--salva", dir.file("x.TRV")}),
              ExitBadInput);
}

// An input that fails, as a disk or a network share may, after `testo`
// (nothing at all, or a header and a row): both batches report a read error,
// never an empty file.
TEST(CsvBatches, AnInputThatFailsIsAReadError) {
    struct Guasto : std::streambuf {
        std::string testo;
        explicit Guasto(std::string t) : testo(std::move(t)) {}
        int_type underflow() override {
            if (testo.empty() || gptr() != nullptr)
                throw std::ios_base::failure("errore di I/O");
            setg(testo.data(), testo.data(), testo.data() + testo.size());
            return traits_type::to_int_type(testo[0]);
        }
    };
    const auto accetta = [](TLavoro&, const std::string&, const std::string&) {
        return std::optional<std::string>();
    };
    for (const std::string dopo : {"", "tbsEst;UREst\n30;50\n"}) {
        Guasto g1(dopo), g2(dopo);
        std::istream in1(&g1), in2(&g2);
        std::ostringstream out, err;
        EXPECT_TRUE(runImpiantoBatch(in1, out, err, TLavoro{}, accetta, 1, {}).readError) << dopo;
        EXPECT_TRUE(runStatoBatch(in2, out, err, 101325.0, 1).readError) << dopo;
        EXPECT_EQ(err.str().find("vuoto"), std::string::npos) << err.str();
    }
}

// A line longer than a batch reads is refused with its number, in either
// batch, whether header or data; one just within the bound is read.
TEST(CsvBatches, LinesHaveABoundedLength) {
    const auto accetta = [](TLavoro&, const std::string&, const std::string&) {
        return std::optional<std::string>();
    };
    using Batch = std::function<BatchSummary(std::istream&, std::ostream&, std::ostream&)>;
    const struct {
        const char* nome;
        Batch batch;
        std::string intestazione, riga;
    } batches[] = {
        {"stato",
         [](std::istream& in, std::ostream& out, std::ostream& err) {
             return runStatoBatch(in, out, err, 101325.0, 2);
         },
         "tbs,UR", "25,50"},
        {"impianto",
         [&](std::istream& in, std::ostream& out, std::ostream& err) {
             return runImpiantoBatch(in, out, err, TLavoro{}, accetta, 2, {});
         },
         "tbsEst;UREst", "30;50"},
    };
    // A line padded with blanks, which the cells do not keep, to `n` bytes.
    const auto lunga = [](const std::string& riga, std::size_t n) {
        return riga + std::string(n - riga.size(), ' ');
    };
    for (const auto& b : batches) {
        const std::string& h = b.intestazione;
        const std::string& r = b.riga;
        const struct {
            std::string csv, errore;
        } cases[] = {
            {lunga(h, MaxRigaCsv + 1) + "\n" + r + "\n", "riga 1: la riga è più lunga di 64 KB"},
            {"\n" + lunga(h, MaxRigaCsv + 1), "riga 2: la riga è più lunga di 64 KB"},
            {h + "\n" + r + "\n" + lunga(r, MaxRigaCsv + 1) + "\r\n" + r + "\n",
             "riga 3: la riga è più lunga di 64 KB"},
            {h + "\n\n" + r + "\n" + std::string(3 * MaxRigaCsv, ';'),
             "riga 4: la riga è più lunga di 64 KB"},
            {lunga(h, MaxRigaCsv) + "\r\n" + lunga(r, MaxRigaCsv) + "\n" + lunga(r, MaxRigaCsv),
             ""},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(b.nome) + ": " + c.errore);
            std::istringstream in(c.csv);
            std::ostringstream out, err;
            const BatchSummary s = b.batch(in, out, err);
            EXPECT_EQ(s.fatal, !c.errore.empty());
            EXPECT_FALSE(s.readError);
            if (c.errore.empty()) {
                EXPECT_EQ(s.rows, 2);
                EXPECT_EQ(err.str().find("più lunga"), std::string::npos) << err.str();
            } else {
                EXPECT_NE(err.str().find(c.errore), std::string::npos) << err.str();
            }
        }
    }
}

// A failed scheme says what to change: every suggestion, given back with
// --set as printed, computes.
TEST_F(Impianto, EverySuggestionComputesWhenSetOnTheCommandLine) {
    const struct {
        const char* schema;
        std::vector<std::string> campi;
    } casi[] = {
        {"A", {"tbsImm=12"}},
        {"A", {"tbsImm=26"}},
        {"A", {"Qrinn=4", "umQrinn=2"}},
        {"A", {"flgQimm=1", "Qimm=0.5"}},
        {"B", {"tbsImm=10"}},
        {"B", {"Qrinn=0.3", "umQrinn=1"}},
        {"C", {"tbsEst=28", "UREst=70"}},
        {"C", {"tbsEst=31", "UREst=65"}},
        {"C", {"tSup=20"}},
        {"C", {"tbsImm=26"}},
        {"D", {"Qimm=0.5"}},
        {"D", {"tbsEst=22"}},
        {"D", {"Csens=0.01"}},
        {"E", {"Qimm=0.4", "umQimm=2"}},
        {"E", {"tbsEst=21"}},
        {"F", {"URD=99.95"}},
        {"F", {"Qrinn=0"}},
        {"F", {"tbsEst=21"}},
    };
    for (const auto& c : casi) {
        std::vector<std::string> args = {c.schema, "--json", "--cartella", dir.prefix()};
        for (const std::string& campo : c.campi) {
            args.push_back("--set");
            args.push_back(campo);
        }
        const std::string caso = std::string(c.schema) + " " + c.campi.front();
        ASSERT_EQ(run("impianto", args), ExitIo) << caso << err;
        const nlohmann::json j = nlohmann::json::parse(out);
        ASSERT_NE(j["CodiceErrore"], 0) << caso;
        ASSERT_TRUE(j["Suggerimenti"].is_array()) << caso;
        ASSERT_FALSE(j["Suggerimenti"].empty()) << caso;
        for (const nlohmann::json& s : j["Suggerimenti"]) {
            const std::string campo = s["Campo"].get<std::string>();
            const std::string valore = s["Valore"].dump();
            SCOPED_TRACE(caso + ": --set " + campo + "=" + valore);
            std::vector<std::string> ancora = args;
            ancora.push_back("--set");
            ancora.push_back(campo + "=" + valore);
            EXPECT_EQ(run("impianto", ancora), ExitOk) << err;
            const nlohmann::json k = nlohmann::json::parse(out);
            EXPECT_EQ(k["CodiceErrore"], 0);
            EXPECT_FALSE(k.contains("Suggerimenti"));
        }
    }
}

TEST_F(Impianto, SuggestionsOnlyForAFailedRunInEveryOutput) {
    // A run that computes has none, in the JSON or the text.
    ASSERT_EQ(run("impianto", {"A", "--json", "--cartella", dir.prefix()}), ExitOk) << err;
    EXPECT_FALSE(nlohmann::json::parse(out).contains("Suggerimenti"));
    ASSERT_EQ(run("impianto", {"A", "--cartella", dir.prefix()}), ExitOk) << err;
    EXPECT_EQ(out.find("Suggerimenti"), std::string::npos);

    // Nothing a designer chooses gives the zone a volume: an empty list.
    EXPECT_EQ(run("impianto", {"A", "--set", "Volume=0", "--json", "--cartella", dir.prefix()}),
              ExitIo);
    const nlohmann::json vuoto = nlohmann::json::parse(out);
    ASSERT_TRUE(vuoto["Suggerimenti"].is_array());
    EXPECT_TRUE(vuoto["Suggerimenti"].empty());
    EXPECT_EQ(run("impianto", {"A", "--set", "Volume=0", "--cartella", dir.prefix()}), ExitIo);
    EXPECT_NE(out.find("\nSuggerimenti (0)\n  nessun dato di progetto"), std::string::npos) << out;

    // The text lists what the JSON lists, and the JSON reads back as a work.
    EXPECT_EQ(run("impianto", {"A", "--set", "tbsImm=12", "--json", "--cartella", dir.prefix()}),
              ExitIo);
    const nlohmann::json j = nlohmann::json::parse(out);
    TempDir::writeText(dir.file("fallito.json"), out);
    EXPECT_EQ(run("lavoro", {"--da-json", dir.file("fallito.json"), "--salva", dir.file("f.TRV")}),
              ExitOk)
        << err;
    EXPECT_EQ(run("impianto", {"A", "--set", "tbsImm=12", "--cartella", dir.prefix()}), ExitIo);
    ASSERT_FALSE(j["Suggerimenti"].empty());
    EXPECT_NE(out.find("\nSuggerimenti (" + std::to_string(j["Suggerimenti"].size()) + ")\n"),
              std::string::npos)
        << out;
    for (const nlohmann::json& s : j["Suggerimenti"])
        EXPECT_NE(out.find("  " + s["Campo"].get<std::string>() + ": " +
                           s["Messaggio"].get<std::string>() + "\n"),
                  std::string::npos)
            << out;

    // The CSV batch only when asked: the first suggestion of a failed row,
    // nothing for a row that computes.
    TempDir::writeText(dir.file("in.csv"), "tbsImm\n12\n15.5\n");
    ASSERT_EQ(run("impianto", {"A", "--csv", dir.file("in.csv"), "--suggerimenti"}), ExitBadInput)
        << err;
    std::istringstream righe(out);
    std::string titoli, fallita, riuscita;
    std::getline(righe, titoli);
    std::getline(righe, fallita);
    std::getline(righe, riuscita);
    const std::vector<std::string> t = celleCsv(titoli);
    EXPECT_EQ(t.back(), "Suggerimento");
    EXPECT_EQ(t[t.size() - 2], "Verifiche");
    ASSERT_EQ(celleCsv(fallita).size(), t.size()) << fallita;
    ASSERT_EQ(celleCsv(riuscita).size(), t.size()) << riuscita;
    EXPECT_EQ(celleCsv(fallita).back(), j["Suggerimenti"][0]["Messaggio"].get<std::string>());
    EXPECT_EQ(celleCsv(riuscita).back(), "");
    ASSERT_EQ(run("impianto", {"A", "--csv", dir.file("in.csv")}), ExitBadInput) << err;
    EXPECT_EQ(out.find("Suggerimento"), std::string::npos) << out;
    // A single run always says them: the option belongs to the batch.
    EXPECT_EQ(run("impianto", {"A", "--suggerimenti"}), ExitBadInput);
    EXPECT_NE(err.find("valgono solo con --csv"), std::string::npos) << err;
}

// An input without line ends, such as a device, once grew without limit.
TEST_F(Impianto, AnEndlessLineIsRefusedInBoundedTime) {
    const std::string uscita = dir.file("uscita.csv");
    TempDir::writeText(uscita, "di prima");
    for (const std::vector<std::string>& comando :
         {std::vector<std::string>{"impianto", "A", "--csv", "/dev/zero", "--out", uscita},
          {"stato", "--csv", "/dev/zero", "--out", uscita}}) {
        SCOPED_TRACE(comando[0]);
        EXPECT_EQ(run(comando[0], {comando.begin() + 1, comando.end()}), ExitBadInput);
        EXPECT_NE(err.find("riga 1: la riga è più lunga di 64 KB"), std::string::npos) << err;
        EXPECT_EQ(testo("uscita.csv"), "di prima");
    }
}

} // namespace
} // namespace tarvelo::cli
