#include "app/cli/command_line.h"
#include "app/cli/stato_batch.h"
#include "app/cli/stato_command.h"
#include "engine/moist_air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tarvelo::cli {
namespace {

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = runCommandLine(args, CommandLineContext{}, in, out, err);
    Patm = 101325.0;
    return {code, out.str(), err.str()};
}

double jsonNumber(const std::string& json, const std::string& key) {
    const auto at = json.find("\"" + key + "\": ");
    return at == std::string::npos ? std::nan("") : std::stod(json.substr(at + key.size() + 4));
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> result;
    std::istringstream s(line);
    for (std::string cell; std::getline(s, cell, ',');)
        result.push_back(cell);
    if (!line.empty() && line.back() == ',')
        result.emplace_back();
    return result;
}

TEST(StatoCommand, TableShowsTheCalculatorValues) {
    const Outcome r = run({"stato", "--tbs", "25", "--ur", "50"});
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string expected = "Stato dell'aria umida\n"
                                 "Pressione atmosferica 101325 Pa, quota 0 m (atmosfera standard)\n"
                                 "\n"
                                 "  tbs        25.0  [°C]     temperatura a bulbo secco\n"
                                 "  tbu        17.9  [°C]     temperatura a bulbo umido\n"
                                 "  x           9.9  [g/kg]   umidità specifica\n"
                                 "  h        50.310  [kJ/kg]  entalpia specifica\n"
                                 "  UR           50  [%]      umidità relativa\n"
                                 "  tdp        13.9  [°C]     temperatura di rugiada\n"
                                 "  rd        1.165  [kg/m³]  densità dell'aria secca\n"
                                 "  rm        1.177  [kg/m³]  densità dell'aria umida\n"
                                 "  vd        0.858  [m³/kg]  volume specifico dell'aria secca\n"
                                 "  Pv         1585  [Pa]     pressione parziale del vapore\n"
                                 "  Psat       3169  [Pa]     pressione di saturazione\n";
    EXPECT_EQ(r.out, expected);
}

TEST(StatoCommand, EveryPairAndUnitGivesTheSameState) {
    // 25 °C, 50 %: x 9.8816 g/kg, h 50.3098 kJ/kg, tbu 17.889, vd 0.85808.
    const std::vector<std::vector<std::string>> pairs = {
        {"--tbs", "25", "--ur", "50"},        {"--tbs", "25", "--tbu", "17.888898"},
        {"--tbs", "25", "--x", "9.8816"},     {"--tbs=25", "--h=50,3098"},
        {"--tbs", "25", "--vd", "0.8580821"}, {"--tbs", "25", "--rd", "1.1653896"},
        {"--x", "9.8816", "--h", "50.3098"},  {"--x", "9.8816", "--ur", "50"},
    };
    for (const auto& pair : pairs) {
        std::vector<std::string> args = {"stato", "--json"};
        args.insert(args.end(), pair.begin(), pair.end());
        const Outcome r = run(args);
        ASSERT_EQ(r.code, ExitOk) << pair[0] << " " << pair.back() << ": " << r.err;
        EXPECT_NEAR(jsonNumber(r.out, "tbs"), 25.0, 2e-5) << r.out;
        EXPECT_NEAR(jsonNumber(r.out, "x"), 0.0098816, 2e-7) << r.out;
        EXPECT_NEAR(jsonNumber(r.out, "UR"), 50.0, 2e-3) << r.out;
        EXPECT_NEAR(jsonNumber(r.out, "tbu"), 17.8889, 3e-4) << r.out;
    }
}

TEST(StatoCommand, JsonCarriesFullPrecisionInRecordUnits) {
    const Outcome r = run({"stato", "--tbs", "25", "--ur", "50", "--json"});
    ASSERT_EQ(r.code, ExitOk);
    for (const char* key : {"\"tbs\": 25.0,", "\"UR\": 50.0,", "\"tbu\": ", "\"x\": ", "\"h\": ",
                            "\"v\": ", "\"tdp\": ", "\"rhoSecca\": ", "\"rhoUmida\": ", "\"Pv\": ",
                            "\"Psat\": ", "\"Patm\": 101325.0}"})
        EXPECT_NE(r.out.find(key), std::string::npos) << key << " in " << r.out;
    // x in kg/kg and h in J/kg, read back to the same double.
    const auto xAt = r.out.find("\"x\": ") + 5;
    const double x = std::stod(r.out.substr(xAt));
    EXPECT_NEAR(x, 0.0098816, 5e-8);
    const auto hAt = r.out.find("\"h\": ") + 5;
    EXPECT_NEAR(std::stod(r.out.substr(hAt)), 50309.8, 0.05);
    EXPECT_GT(r.out.substr(xAt, r.out.find(',', xAt) - xAt).size(), 12u);
}

TEST(StatoCommand, PressureFromAltitudeOrGiven) {
    Outcome r = run({"stato", "--tbs", "25", "--ur", "50", "--quota", "1500", "--json"});
    ASSERT_EQ(r.code, ExitOk);
    EXPECT_NE(r.out.find("\"Patm\": 84684.5}"), std::string::npos) << r.out;
    r = run({"stato", "--tbs", "25", "--ur", "50", "--quota", "1500"});
    EXPECT_NE(r.out.find("Pressione atmosferica 84684.5 Pa, quota 1500 m\n"), std::string::npos)
        << r.out;
    r = run({"stato", "--tbs", "25", "--ur", "50", "--patm", "89874"});
    EXPECT_NE(r.out.find("89874 Pa, quota 1000 m (atmosfera standard)"), std::string::npos);
    // Lower pressure, same UR: more water per kg of dry air.
    EXPECT_NE(r.out.find("x          11.2"), std::string::npos) << r.out;
}

TEST(StatoCommand, AirAtOrAboveBoilingHasItsWetBulb) {
    const struct {
        std::vector<std::string> args;
        const char* riga;
    } casi[] = {
        {{"stato", "--tbs", "99.9", "--ur", "1"}, "  tbu        33.8  [°C]"}, // boils at 99.974
        {{"stato", "--tbs", "120", "--ur", "1", "--patm", "25000"}, "  tbu        25.9  [°C]"},
    };
    for (const auto& c : casi) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.code, ExitOk) << c.args[2] << ": " << r.err;
        EXPECT_NE(r.out.find(c.riga), std::string::npos) << r.out;
    }
}

TEST(StatoCommand, BadInputIsExplainedInItalian) {
    const struct {
        std::vector<std::string> args;
        const char* words;
    } cases[] = {
        {{"stato", "--tbs", "25", "--umido", "3"}, "opzione sconosciuta: --umido"},
        {{"stato", "--tbs", "25"}, "manca la seconda grandezza"},
        {{"stato"}, "nessuna grandezza"},
        {{"stato", "--tbs", "25", "--ur", "50", "--x", "9"}, "troppe grandezze"},
        {{"stato", "--ur", "50", "--h", "40"}, "non supportata"},
        {{"stato", "--x", "9", "--tbu", "20"}, "non supportata"},
        {{"stato", "--tbs", "venti", "--ur", "50"}, "valore non numerico per --tbs: \"venti\""},
        {{"stato", "--tbs", "25", "--ur"}, "manca il valore"},
        {{"stato", "--tbs", "25", "--ur", "50", "--ur", "40"}, "opzione ripetuta"},
        {{"stato", "--tbs", "25", "--ur", "-5"}, "umidità relativa non può essere negativa"},
        {{"stato", "--tbs", "25", "--x", "-1"}, "umidità specifica non può essere negativa"},
        {{"stato", "--tbs", "25", "--ur", "50", "--patm", "0"}, "tra 25000 e 115000 Pa"},
        {{"stato", "--tbs", "25", "--ur", "50", "--patm", "-5"}, "tra 25000 e 115000 Pa"},
        {{"stato", "--tbs", "25", "--ur", "50", "--patm", "1e300"}, "tra 25000 e 115000 Pa"},
        {{"stato", "--tbs", "25", "--ur", "50", "--quota", "40000"}, "quota"},
        {{"stato", "--tbs", "25", "--ur", "50", "--quota", "-1e6"}, "tra -500 e 10000 m"},
        {{"stato", "--tbs", "25", "--ur", "50", "--patm", "1e5", "--quota", "0"}, "entrambe"},
        {{"stato", "--tbs", "70", "--ur", "100", "--patm", "25000"}, "non è inferiore"},
        {{"stato", "--tbs", "1e300", "--ur", "50"}, "fuori dal campo di validità"},
        {{"stato", "--tbs", "-300", "--ur", "50"}, "fuori dal campo di validità"},
        {{"stato", "--tbs", "25", "--sat=1"}, "non vuole un valore"},
        {{"stato", "--csv", "x.csv", "--tbs", "3"}, "si leggono dal file"},
        {{"stato", "--tbs", "25", "--ur", "50", "--thread", "2"}, "--thread vale solo con --csv"},
        {{"stato", "--csv", "x.csv", "--thread", "0"}, "da 1 a 256"},
        {{"stato", "--csv", "x.csv", "--thread", "1.5"}, "da 1 a 256"},
        {{"frulla"}, "comando sconosciuto"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.code, ExitBadInput) << c.words;
        EXPECT_EQ(r.out, "") << c.words;
        EXPECT_NE(r.err.find(c.words), std::string::npos) << c.words << " not in: " << r.err;
    }
}

TEST(StatoCommand, SupersaturatedInputIsComputedWithAWarning) {
    const Outcome r = run({"stato", "--tbs", "20", "--ur", "110", "--json"});
    EXPECT_EQ(r.code, ExitOk);
    EXPECT_NE(r.err.find("attenzione: aria soprassatura"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("\"UR\": 110"), std::string::npos) << r.out;
}

TEST(StatoCommand, HelpAndVersion) {
    Outcome r = run({"--help"});
    EXPECT_EQ(r.code, ExitOk);
    EXPECT_NE(r.out.find("stato"), std::string::npos);
    r = run({"stato", "--help"});
    EXPECT_EQ(r.code, ExitOk);
    EXPECT_NE(r.out.find("--quota M"), std::string::npos);
    r = run({});
    EXPECT_EQ(r.code, -1); // no sub-command: the desktop program starts
}

TEST(StatoBatch, OneRowPerInputRowWithEveryKey) {
    const std::string csv = "tbs,UR\n25,50\n\n30,40\n-5,80\r\n";
    const Outcome r = run({"stato", "--csv", "-"}, csv);
    ASSERT_EQ(r.code, ExitOk) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], "tbs,UR,tbu,x,h,v,tdp,rhoSecca,rhoUmida,Pv,Psat,Patm");
    const auto row = cells(out[1]);
    ASSERT_EQ(row.size(), 12u);
    EXPECT_EQ(row[0], "25");
    EXPECT_EQ(row[1], "50");
    EXPECT_NEAR(std::stod(row[2]), 17.889, 5e-4);
    EXPECT_NEAR(std::stod(row[3]), 0.0098816, 5e-8);
    EXPECT_EQ(row[11], "101325");
    EXPECT_EQ(cells(out[3])[0], "-5");

    // Same numbers as the single-state JSON, digit for digit.
    const Outcome single = run({"stato", "--tbs", "25", "--ur", "50", "--json"});
    EXPECT_NE(single.out.find("\"tbu\": " + row[2] + ","), std::string::npos);
    EXPECT_NE(single.out.find("\"h\": " + row[4] + ","), std::string::npos);
}

TEST(StatoBatch, PressureColumnAndItalianSeparators) {
    const std::string csv = "\xEF\xBB\xBF"
                            "x;h;Patm\n0,01;50000;84684,5\n0,01;50000;\n";
    const Outcome r = run({"stato", "--csv", "-", "--quota", "1000"}, csv);
    ASSERT_EQ(r.code, ExitOk) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(cells(out[1])[11], "84684.5");
    EXPECT_EQ(cells(out[2])[11], "89874"); // empty cell: the pressure of --quota
}

TEST(StatoBatch, BadRowsAreNamedAndLeftEmptyTheRestIsComputed) {
    const std::string csv = "tbs,tbu\n25,18\n25,abc\n25\n40,5\n20,15\n";
    const Outcome r = run({"stato", "--csv", "-"}, csv);
    EXPECT_EQ(r.code, ExitBadInput);
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(cells(out[1])[0], "25");
    EXPECT_EQ(out[2], ",,,,,,,,,,,");
    EXPECT_EQ(out[3], ",,,,,,,,,,,");
    EXPECT_EQ(out[4], ",,,,,,,,,,,");
    EXPECT_EQ(cells(out[5])[0], "20");
    EXPECT_NE(r.err.find("riga 3: valore non numerico in tbu: \"abc\""), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("riga 4: attese 2 colonne, trovate 1"), std::string::npos);
    EXPECT_NE(r.err.find("riga 5: stato impossibile"), std::string::npos);
    EXPECT_NE(r.err.find("3 righe su 5 non calcolate"), std::string::npos);
}

TEST(StatoBatch, TheSameBytesOnAnyNumberOfThreads) {
    // Rows over several blocks, with bad rows, warnings and pressures of
    // their own scattered among them.
    std::string csv = "tbs;UR;Patm\n";
    for (int i = 0; i < 9000; ++i) {
        if (i % 997 == 0)
            csv += "25;x;\n";
        else if (i % 1301 == 0)
            csv += "25;150;\n";
        else
            csv += std::to_string(-10 + i % 55) + ";" + std::to_string(5 + i % 90) + ";" +
                   (i % 3 == 0 ? "80000" : "") + "\n";
    }
    std::string attesoOut, attesoErr;
    for (const int fili : {1, 2, 3, 8}) {
        std::istringstream in(csv);
        std::ostringstream out, err;
        const BatchSummary s = runStatoBatch(in, out, err, 101325.0, fili);
        EXPECT_EQ(s.rows, 9000);
        EXPECT_EQ(s.failed, 10);
        if (fili == 1) {
            attesoOut = out.str();
            attesoErr = err.str();
            EXPECT_NE(attesoErr.find("riga 1303: attenzione"), std::string::npos) << attesoErr;
            continue;
        }
        EXPECT_EQ(out.str(), attesoOut) << fili;
        EXPECT_EQ(err.str(), attesoErr) << fili;
    }
}

TEST(StatoBatch, HeaderMustNameASupportedPair) {
    const struct {
        const char* csv;
        const char* words;
    } cases[] = {
        {"", "vuoto"},
        {"tbs,UR,x\n25,50,0.01\n", "coppia ammessa"},
        {"UR,h\n50,40000\n", "coppia ammessa"},
        {"tbs,nome\n25,a\n", "colonna sconosciuta \"nome\""},
        {"tbs,tbs\n1,2\n", "colonna ripetuta tbs"},
    };
    for (const auto& c : cases) {
        const Outcome r = run({"stato", "--csv", "-"}, c.csv);
        EXPECT_EQ(r.code, ExitBadInput) << c.csv;
        EXPECT_NE(r.err.find(c.words), std::string::npos) << r.err;
    }
}

class StatoFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir =
            std::filesystem::temp_directory_path() /
            ("tarvelo-stato-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    static std::string read(const std::filesystem::path& p) {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    std::filesystem::path dir;
};

TEST_F(StatoFiles, WritesTheOutputFileWholeAndNeverOverTheInput) {
    const auto input = dir / "ingresso.csv";
    const auto output = dir / "uscita.csv";
    std::ofstream(input) << "tbs,x\n20,0.007\n";
    Outcome r = run({"stato", "--csv", input.string(), "--out", output.string()});
    ASSERT_EQ(r.code, ExitOk) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(lines(read(output)).size(), 2u);
    for (const auto& e : std::filesystem::directory_iterator(dir))
        EXPECT_TRUE(e.path() == input || e.path() == output) << e.path();

    r = run({"stato", "--csv", input.string(), "--out", input.string()});
    EXPECT_EQ(r.code, ExitBadInput);
    EXPECT_EQ(read(input), "tbs,x\n20,0.007\n");

    // A header that cannot be used leaves an existing output untouched.
    std::ofstream(input) << "tbs,zz\n1,2\n";
    r = run({"stato", "--csv", input.string(), "--out", output.string()});
    EXPECT_EQ(r.code, ExitBadInput);
    EXPECT_EQ(lines(read(output)).size(), 2u);

    r = run({"stato", "--csv", (dir / "manca.csv").string()});
    EXPECT_EQ(r.code, ExitIo);
    EXPECT_NE(r.err.find("impossibile aprire"), std::string::npos);
}

} // namespace
} // namespace tarvelo::cli
