#include "app/cli/command_line.h"
#include "app/cli/stato_command.h"
#include "app/cli/work_report.h"
#include "document/le_bytes.h"
#include "document/settings.h"
#include "support/fake_chart_services.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tarvelo::cli {
namespace {

using test::TempDir;

class ChartCommand : public ::testing::Test {
  protected:
    struct Outcome {
        int code;
        std::string out, err;
    };
    Outcome run(std::vector<std::string> rest) {
        std::vector<std::string> args = {"--dati", dir.prefix(), "chart"};
        args.insert(args.end(), rest.begin(), rest.end());
        std::istringstream in;
        std::ostringstream out, err;
        CommandLineContext context;
        context.chart = &services;
        const int code = runCommandLine(args, context, in, out, err);
        return {code, out.str(), err.str()};
    }
    TempDir dir;
    test::FakeServices services;
};

TEST_F(ChartCommand, AFreshFolderStartsWithTheDefaultChart) {
    const Outcome r = run({"elenco"});
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_NE(r.err.find("creato il diagramma iniziale 1"), std::string::npos);
    EXPECT_NE(r.out.find("  1*     -5 ...  +36  0 ... 26      101325  Diagramma standard"),
              std::string::npos)
        << r.out;
}

TEST_F(ChartCommand, ExportsAChartWithAWorkDrawnOnIt) {
    ASSERT_EQ(run({"elenco"}).code, ExitOk);
    const std::string work = dir.file("estivo.TRV");
    {
        CommandLineContext context;
        context.chart = &services;
        std::istringstream in;
        std::ostringstream o, e;
        ASSERT_EQ(runCommandLine(std::vector<std::string>{"--dati", dir.prefix(), "impianto", "A",
                                                          "--salva", work},
                                 context, in, o, e),
                  ExitOk)
            << e.str();
    }
    Outcome r = run({"esporta", "1", dir.file("c.png"), "--versione", "video", "--lavoro", work});
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(services.exported, "1 " + dir.file("c.png") + " video 300 36 lavoro 5");
    // A work that is missing or is not a work: nothing exported.
    TempDir::writeText(dir.file("testo.TRV"), "non un lavoro");
    for (const std::string& bad : {dir.file("manca.TRV"), dir.file("testo.TRV")}) {
        services.exported.clear();
        r = run({"esporta", "1", dir.file("c.png"), "--lavoro", bad});
        EXPECT_EQ(r.code, ExitBadInput) << bad;
        EXPECT_NE(r.err.find(bad), std::string::npos) << r.err;
        EXPECT_TRUE(services.exported.empty());
    }
}

TEST_F(ChartCommand, GeneratesListsAndExports) {
    Outcome r =
        run({"genera", "--tbs-min", "10", "--tbs-max", "30", "--x-max", "15", "--descrizione",
             "Stretto\\nper la stampa", "--larghezza", "800", "--altezza", "600"});
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(r.out, "2\n");
    r = run({"genera", "--tbs-min=-10", "--tbs-max=40", "--x-max=30", "--quota=1500"});
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(r.out, "3\n");
    r = run({"genera", "--tbs-min", "0", "--tbs-max", "40", "--x-max", "20", "--sovrascrivi", "2"});
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(r.out, "2\n");

    r = run({"elenco", "--json"});
    ASSERT_EQ(r.code, ExitOk);
    EXPECT_NE(r.out.find("\"ChartDefault\": 1"), std::string::npos);
    EXPECT_NE(
        r.out.find("{\"codice\": 3, \"descrizione\": \"Diagramma -10...40 °C, 84685 Pa\\r\\n"
                   "Diagramma psicrometrico\", \"tbsMin\": -10, \"tbsMax\": 40, \"xMax\": 30, "
                   "\"Patm\": 84685.0}"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"tbsMin\": 0, \"tbsMax\": 40, \"xMax\": 20"), std::string::npos);

    r = run({"esporta", "3", "c3.pdf"});
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(services.exported, "3 c3.pdf stampa 300 40");
    r = run({"esporta", "1", "c1.png", "--versione", "video", "--dpi", "150"});
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(services.exported, "1 c1.png video 150 36");
}

TEST_F(ChartCommand, ADamagedHeaderIsListedAsDamaged) {
    ASSERT_EQ(run({"elenco"}).code, ExitOk);
    ASSERT_EQ(run({"genera", "--tbs-min", "0", "--tbs-max", "40", "--x-max", "20"}).code, ExitOk);
    // Chart 2's header in the catalogue: garbage where tbs and the pressure lie.
    const std::string catalogo = dir.prefix() + "archivi/ARCTRV.TVX";
    auto bytes = TempDir::read(catalogo);
    const std::size_t testata = 8 + 488;
    bytes::putDouble(bytes::Image(bytes), testata + 448, 3.09e262);
    TempDir::write(catalogo, bytes);
    for (const bool json : {false, true}) {
        const Outcome r = json ? run({"elenco", "--json"}) : run({"elenco"});
        EXPECT_EQ(r.code, ExitIo) << r.err;
        EXPECT_NE(r.out.find("non è valida (pressione)"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("e+262"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("3090"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("101325"), std::string::npos) << r.out; // chart 1 as before
        EXPECT_NE(r.err.find("intestazione non valida"), std::string::npos) << r.err;
    }
    // A work that carries such a header shows it as damaged too.
    TLavoro l;
    l.CodiceChart = 2;
    l.TestataChart.pressure = 3.09e262;
    l.TestataChart.tbsMin = -2147483647 - 1;
    const std::string testo = lavoroTesto(TTestataLavoro{}, l);
    EXPECT_NE(testo.find("2 - intestazione non valida"), std::string::npos) << testo;
    EXPECT_EQ(testo.find("e+262"), std::string::npos) << testo;
}

TEST_F(ChartCommand, BadInputTouchesNothing) {
    ASSERT_EQ(run({"elenco"}).code, ExitOk);
    const auto archive = TempDir::read(dir.prefix() + "archivi/ARCTRV.TVX");
    const struct {
        std::vector<std::string> args;
        const char* words;
    } cases[] = {
        {{"genera", "--tbs-min", "30", "--tbs-max", "10", "--x-max", "15"}, "inferiore"},
        {{"genera", "--tbs-min", "0", "--tbs-max", "10", "--x-max", "0"}, "x massima"},
        {{"genera", "--tbs-min", "0", "--tbs-max", "10", "--x-max", "5", "--patm", "0"},
         "pressione"},
        // A pressure where the chart would need lines without end, or none at all.
        {{"genera", "--tbs-min", "0", "--tbs-max", "40", "--x-max", "20", "--patm", "1"},
         "tra 25000 e 115000 Pa"},
        {{"genera", "--tbs-min", "0", "--tbs-max", "40", "--x-max", "20", "--patm", "1e308"},
         "tra 25000 e 115000 Pa"},
        {{"genera", "--tbs-min", "0", "--tbs-max", "40", "--x-max", "20", "--quota", "-1e6"},
         "tra -500 e 10000 m"},
        {{"genera", "--tbs-min", "0", "--tbs-max", "10"}, "manca l'opzione --x-max"},
        {{"genera", "--tbs-min", "0.5", "--tbs-max", "10", "--x-max", "5"}, "intero"},
        {{"genera", "--tbs-min", "0", "--tbs-max", "10", "--x-max", "5", "--sovrascrivi", "9"},
         "Il codice non esiste"},
        {{"genera", "--tbs-min", "0", "--tbs-max", "10", "--x-max", "5", "--boh", "1"},
         "opzione sconosciuta"},
        {{"esporta", "9", "x.png"}, "non è nell'archivio"},
        {{"esporta", "1"}, "indicare il codice"},
        {{"esporta", "1", "x.png", "--versione", "schermo"}, "stampa"},
        {{"esporta", "uno", "x.png"}, "codice di diagramma non valido"},
        {{"ridisegna"}, "sotto-comando sconosciuto"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.code, ExitBadInput) << c.words;
        EXPECT_NE(r.err.find(c.words), std::string::npos) << c.words << " not in " << r.err;
    }
    EXPECT_EQ(TempDir::read(dir.prefix() + "archivi/ARCTRV.TVX"), archive);
    EXPECT_FALSE(fileExists(dir.prefix() + "archivi/CHART.002"));
}

} // namespace
} // namespace tarvelo::cli
