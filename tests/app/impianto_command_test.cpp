#include "app/cli/command_line.h"
#include "app/cli/stato_command.h"
#include "document/file_io.h"
#include "document/settings.h"
#include "support/fake_chart_services.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

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
    EXPECT_NE(err.find("Volume <=0"), std::string::npos) << err;

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
