#include "app/cli/command_line.h"
#include "app/cli/stato_command.h"
#include "document/settings.h"
#include "support/fake_chart_services.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include <sys/stat.h>

namespace tarvelo::cli {
namespace {

using test::TempDir;

const std::string Golden = TARVELO_GOLDEN_DIR;

struct Outcome {
    int code;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int code = runCommandLine(args, CommandLineContext{}, in, out, err);
    return {code, out.str(), err.str()};
}

std::string text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// A data folder whose catalogue holds the chart the golden work uses.
class LavoroCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<std::string> created;
        ASSERT_TRUE(preparaCartellaDati(dir.prefix(), created).ok);
        const ArchivioDefault archivio = TDriveMdl::crea(dir.prefix()).archivio();
        TDefault d;
        ASSERT_TRUE(archivio.leggiDefault(d).ok);
        d.NumChart = 1;
        d.ChartDefault = 1;
        ASSERT_TRUE(archivio.scriviDefault(d).ok);
        TTestataChart chart;
        chart.description.assegna("Diagramma standard\r\n-10..45 \xB0"
                                  "C");
        chart.pressure = 101325;
        chart.tbsMin = -10;
        chart.tbsMax = 45;
        chart.xMax = 30;
        ASSERT_TRUE(archivio.scriviTestataChart(1, chart).ok);
    }
    std::vector<std::string> lavoro(std::vector<std::string> rest) const {
        std::vector<std::string> args = {"--dati", dir.prefix(), "lavoro"};
        args.insert(args.end(), rest.begin(), rest.end());
        return args;
    }
    TempDir dir;
};

TEST_F(LavoroCommand, PrintsTheGoldenWorkAsTextAndJson) {
    Outcome r = run(lavoro({Golden + "/esempio.TRV"}));
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(r.out, text(TempDir::read(Golden + "/esempio.txt")));
    r = run(lavoro({Golden + "/esempio.TRV", "--json"}));
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(r.out, text(TempDir::read(Golden + "/esempio.json")));
    EXPECT_NE(r.out.find("\"Progetto\": \"Uffici via Roma\\r\\n2° piano\""), std::string::npos);
}

TEST_F(LavoroCommand, RewritesTheWorkByteForByte) {
    const std::string copy = dir.file("copia.TRV");
    const Outcome r = run(lavoro({Golden + "/esempio.TRV", "--salva", copy}));
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(TempDir::read(copy), TempDir::read(Golden + "/esempio.TRV"));
}

// The golden work in the older layout (16 bytes fewer at 408..423 of the
// sheet) converts back to exactly the golden file.
TEST_F(LavoroCommand, ConvertsTheOlderLayout) {
    auto bytes = TempDir::read(Golden + "/esempio.TRV");
    bytes.erase(bytes.begin() + 2098 + 408, bytes.begin() + 2098 + 424);
    ASSERT_EQ(bytes.size(), 14146u);
    const std::string old = dir.file("vecchio.TRV");
    TempDir::write(old, bytes);
    Outcome r = run(lavoro({old, "--json"}));
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(r.out, text(TempDir::read(Golden + "/esempio.json")));
    r = run(lavoro({old, "--salva", old}));
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(TempDir::read(old), TempDir::read(Golden + "/esempio.TRV"));
}

TEST_F(LavoroCommand, BadFilesAreRefusedWithExitCodeTwo) {
    auto golden = TempDir::read(Golden + "/esempio.TRV");
    const std::string path = dir.file("x.TRV");
    struct Case {
        std::vector<std::uint8_t> bytes;
        const char* words;
    };
    const Case cases[] = {
        {{1, 2, 3}, "non è riconosciuto!"},
        {std::vector<std::uint8_t>(golden.begin(), golden.begin() + 500), "troncato"},
        {std::vector<std::uint8_t>(golden.begin(), golden.begin() + 9000), "troncato"},
        {[&] {
             auto v = golden;
             v[2098 + 12056] = 7; // chart 7 is not in the catalogue
             return v;
         }(),
         "diagramma 7"},
    };
    for (const Case& c : cases) {
        TempDir::write(path, c.bytes);
        const Outcome r = run(lavoro({path}));
        EXPECT_EQ(r.code, ExitBadInput) << c.words;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.words), std::string::npos) << r.err;
    }
    Outcome r = run(lavoro({dir.file("manca.TRV")}));
    EXPECT_EQ(r.code, ExitBadInput);
    EXPECT_NE(r.err.find("non esiste"), std::string::npos);
    // A folder or a pipe given as the work is named for what it is, by
    // every command that reads a work.
    std::filesystem::create_directories(dir.file("cartella.TRV"));
    ASSERT_EQ(::mkfifo(dir.file("tubo.TRV").c_str(), 0600), 0);
    for (const char* comando : {"lavoro", "ricalcola", "stampa"}) {
        for (const auto& [nome, parole] :
             {std::pair{"cartella.TRV", "è una cartella"}, std::pair{"tubo.TRV", "è una pipe"}}) {
            std::vector<std::string> args = {"--dati", dir.prefix(), comando, dir.file(nome)};
            if (comando == std::string("stampa"))
                args.insert(args.end(), {"--pdf", dir.file("x.pdf")});
            r = run(args);
            EXPECT_EQ(r.code, ExitBadInput) << comando << " " << nome;
            EXPECT_NE(r.err.find(parole), std::string::npos) << r.err;
        }
    }
    r = run(lavoro({}));
    EXPECT_EQ(r.code, ExitBadInput);
    r = run(lavoro({path, "--boh"}));
    EXPECT_EQ(r.code, ExitBadInput);
    r = run({"--dati"});
    EXPECT_EQ(r.code, ExitBadInput);
}

TEST(LavoroFirstRun, AnEmptyDataFolderGetsItsLayout) {
    TempDir dir;
    const std::string data = dir.prefix() + "vuota";
    const Outcome r =
        run({"--dati", data, "lavoro", Golden + "/esempio.TRV"}); // chart 1 is not there yet
    EXPECT_EQ(r.code, ExitBadInput);
    EXPECT_NE(r.err.find("creato"), std::string::npos);
    EXPECT_TRUE(fileExists(data + "/TARVEX.INI"));
    EXPECT_TRUE(fileExists(data + "/archivi/TRV.INI"));
    EXPECT_TRUE(fileExists(data + "/archivi/ARCTRV.TVX"));
    EXPECT_NE(r.err.find("diagramma 1"), std::string::npos);
}

TEST(LavoroFirstRun, WithDrawingTheFolderGetsItsDefaultChartAndOpensWorks) {
    TempDir dir;
    test::FakeServices services;
    CommandLineContext context;
    context.chart = &services;
    std::istringstream in;
    std::ostringstream out, err;
    const std::vector<std::string> args = {"--dati", dir.prefix() + "vuota", "lavoro",
                                           Golden + "/esempio.TRV", "--json"};
    ASSERT_EQ(runCommandLine(args, context, in, out, err), ExitOk) << err.str();
    EXPECT_NE(err.str().find("creato il diagramma iniziale 1"), std::string::npos);
    EXPECT_NE(out.str().find("\"CodiceChart\": 1"), std::string::npos);
}

TEST(CommandLine, NoSubCommandHandsTheDataFolderToTheDesktopProgram) {
    std::istringstream in;
    std::ostringstream out, err;
    AvvioGrafico avvio;
    std::vector<std::string> args = {"--dati", "/srv/tarvelo", "--senza-splash", "uffici.TRV"};
    EXPECT_EQ(runCommandLine(args, CommandLineContext{}, in, out, err, &avvio), -1);
    EXPECT_EQ(avvio.dati, "/srv/tarvelo");
    EXPECT_EQ(avvio.file, "uffici.TRV");
    EXPECT_TRUE(avvio.senzaSplash);
    EXPECT_FALSE(avvio.esciDopoDisegno);
    args = {"--esci-dopo-disegno"};
    EXPECT_EQ(runCommandLine(args, CommandLineContext{}, in, out, err, &avvio), -1);
    EXPECT_TRUE(avvio.esciDopoDisegno);
    EXPECT_EQ(avvio.file, "");
}

} // namespace
} // namespace tarvelo::cli
