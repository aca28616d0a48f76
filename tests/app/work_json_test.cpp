#include "app/cli/base64.h"
#include "app/cli/command_line.h"
#include "app/cli/json_writer.h"
#include "app/cli/stato_command.h"
#include "app/cli/work_json.h"
#include "document/work_file.h"
#include "support/fake_chart_services.h"
#include "support/record_bytes.h"
#include "support/temp_dir.h"
#include "treatments/treatment_defaults.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <sstream>
#include <thread>

#include <sys/stat.h>

namespace tarvelo::cli {
namespace {

using test::TempDir;

template <class R> std::vector<std::uint8_t> bytesOf(const R& r) {
    std::vector<std::uint8_t> b(R::Size);
    encode(r, b);
    return b;
}

// Records made of arbitrary bytes, with a signature the program recognises.
void arbitrary(std::uint64_t seed, TTestataLavoro& h, TLavoro& l) {
    decode(test::pseudoRandomBytes(TTestataLavoro::Size, seed), h);
    decode(test::pseudoRandomBytes(TLavoro::Size, seed * 7 + 1), l);
    h.Firma.raw[0] = 7;
    std::copy_n("TRV~", 4, h.Firma.raw.begin() + 1);
}

TEST(WorkJson, AnyWorkComesBackByteForByte) {
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        TTestataLavoro h;
        TLavoro l;
        arbitrary(seed, h, l);
        if (seed % 2 == 0) {
            // Counts within the slots, and numbers JSON cannot hold in them.
            l.NumPunti = static_cast<std::uint8_t>(seed % 21);
            l.NumTrattamenti = static_cast<std::uint8_t>(seed % 12);
            l.Punti[0].tbs = std::bit_cast<double>(0x7FF8000000ABCDEFull); // a NaN payload
            l.Punti[0].UR = -0.0;
            l.tbsInt = -INFINITY;
            l.Trattamenti[0].Dati.S = 4.9e-324;
            l.Trattamenti[0].PuntoAux2.Nome.raw[0] = 200; // a length beyond the capacity
        }
        const std::string json = lavoroJson(h, l);
        TTestataLavoro h2;
        TLavoro l2;
        ASSERT_EQ(lavoroDaJson(json, h2, l2), "") << seed;
        EXPECT_EQ(bytesOf(h2), bytesOf(h)) << seed;
        EXPECT_EQ(bytesOf(l2), bytesOf(l)) << seed;
        // And the JSON of what was read is the same text.
        EXPECT_EQ(lavoroJson(h2, l2), json) << seed;
    }
}

TEST(WorkJson, NamedMembersAloneMakeAWorkAndMissingOnesKeepTheBase) {
    TTestataLavoro h;
    h.Firma.assegna(FirmaCorrente);
    h.NumFoglio.assegna("001");
    TLavoro l;
    l.Volume = 300;
    const std::string json = R"({"Progetto": "Uffici, 2° piano", "tbsInt": 26, "URInt": 50.5,
        "NumPunti": 2, "CodiceChart": 3,
        "Punti": [{"tbs": 20, "Nome": "A", "InUso": 1}, {"X": -4}],
        "Trattamenti": [{"Tipo": 3, "Dati": {"PosEtich": [-1, -2], "portata": 1.25}}]})";
    ASSERT_EQ(lavoroDaJson(json, h, l), "");
    EXPECT_EQ(h.Progetto.testo(), "Uffici, 2\xB0 piano"); // stored in Windows-1252
    EXPECT_EQ(h.NumFoglio.testo(), "001");
    EXPECT_EQ(l.tbsInt, 26.0);
    EXPECT_EQ(l.URInt, 50.5);
    EXPECT_EQ(l.Volume, 300.0);
    EXPECT_EQ(l.NumPunti, 2);
    EXPECT_EQ(l.CodiceChart, 3);
    EXPECT_EQ(l.Punti[0].tbs, 20.0);
    EXPECT_EQ(l.Punti[0].Nome.testo(), "A");
    EXPECT_EQ(l.Punti[1].X, -4);
    EXPECT_EQ(l.Trattamenti[0].Tipo, 3);
    EXPECT_EQ(l.Trattamenti[0].Dati.PosEtich, (std::array<std::int32_t, 3>{-1, -2, 0}));
    EXPECT_EQ(l.Trattamenti[0].Dati.portata, 1.25);
}

// A script edits the JSON of a work: only the edited fields change, and an
// unchanged text keeps the bytes stored beyond its length.
TEST(WorkJson, EditedMembersChangeOnlyTheirBytes) {
    TTestataLavoro h;
    TLavoro l;
    arbitrary(99, h, l);
    l.NumPunti = 3;
    l.Descrizione.raw[0] = 10;
    Json j = Json::parse(lavoroJson(h, l));
    j["tbsInt"] = 30.5;
    j["Punti"][2]["Nome"] = "Z";
    TTestataLavoro h2;
    TLavoro l2;
    ASSERT_EQ(lavoroDaJson(j.dump(), h2, l2), "");
    EXPECT_EQ(bytesOf(h2), bytesOf(h));
    TLavoro atteso = l;
    atteso.tbsInt = 30.5;
    atteso.Punti[2].Nome.raw[0] = 1;
    atteso.Punti[2].Nome.raw[1] = 'Z';
    EXPECT_EQ(bytesOf(l2), bytesOf(atteso));
}

TEST(WorkJson, BadInputIsRefusedWithThePathAndTouchesNothing) {
    TTestataLavoro h;
    h.Firma.assegna(FirmaCorrente);
    TLavoro l;
    l.tbsInt = 20;
    const std::string image = base64(bytesOf(l));
    struct Case {
        std::string json, message;
    };
    const Case cases[] = {
        {R"({"tbsInt": 26, "tbsInterna": 1})", "tbsInterna: chiave sconosciuta"},
        {R"({"Punti": [{"tbs": 1}, {"Nom": "A"}]})", "Punti[1].Nom: chiave sconosciuta"},
        {R"({"Trattamenti": [{"Dati": {"x": 1}}]})", "Trattamenti[0].Dati.x: chiave sconosciuta"},
        {R"({"tbsInt": "26"})", "tbsInt: deve essere un numero"},
        {R"({"NumPunti": 2.0})", "NumPunti: deve essere un intero da 0 a 255"},
        {R"({"NumPunti": 256})", "NumPunti: deve essere un intero da 0 a 255"},
        {R"({"CodiceChart": -40000})", "CodiceChart: deve essere un intero da -32768 a 32767"},
        {R"({"Trattamenti": [{"Dati": {"Collega": [1, 2, 3, 4]}}]})",
         "Trattamenti[0].Dati.Collega: deve essere una lista di al massimo 3 interi"},
        {R"({"Trattamenti": [{"Dati": {"PosEtich": [0, true]}}]})",
         "Trattamenti[0].Dati.PosEtich[1]: deve essere un intero"},
        {R"({"Punti": {"tbs": 1}})", "Punti: deve essere una lista"},
        {R"({"Punti": [1]})", "Punti[0]: deve essere un oggetto"},
        {R"({"Trattamenti": [{"PuntoAux1": []}]})",
         "Trattamenti[0].PuntoAux1: deve essere un oggetto"},
        {[] {
             std::string s = R"({"Punti": [{})";
             for (int i = 0; i < 20; ++i)
                 s += ", {}";
             return s + "]}";
         }(),
         "Punti: al massimo 20 punti"},
        {R"({"Descrizione": 7})", "Descrizione: deve essere un testo"},
        {R"({"NumFoglio": "1234"})", "NumFoglio: al massimo 3 caratteri"},
        {R"({"Progetto": "aria 😀"})", "Progetto: contiene caratteri"},
        {R"({"tbsInt": NaN})", "il JSON non è valido alla riga 1, colonna 12 (in tbsInt)"},
        {R"({"Punti": [{"h": 1e999}]})", "Punti[0].h: il numero non è finito"},
        {R"({"tbsInt": null})", "tbsInt: serve un numero finito, non null"},
        {R"({"Punti": [{"tbs": 1}, {"tbs": 2)",
         "il JSON è troncato: finisce prima di chiudersi (in Punti[1]"},
        {"", "il JSON è troncato"},
        {"{\"tbsInt\": 1,\n \"URInt\" 2}",
         "il JSON non è valido alla riga 2, colonna 10 (in URInt)"},
        {R"({"tbsInt": 1, "tbsInt": 2})", "tbsInt: chiave ripetuta"},
        {R"({"Trattamenti": [{"Dati": {"PosEtich": [[[[[[1]]]]]]}}]})", "troppi livelli annidati"},
        {R"([1, 2])", "il JSON deve essere un oggetto"},
        {R"({"Firma": "TRV202"})", "Firma: deve essere di 7 caratteri e cominciare con \"TRV~\""},
        {R"({"Punti": [{"a\nb": 1}]})", "Punti[0].\"a\\nb\": chiave sconosciuta"},
        {[] {
             std::string s = "{";
             for (int i = 0; i < 65; ++i)
                 s += "\"k" + std::to_string(i) + "\": 0, ";
             return s + "\"z\": 0}";
         }(),
         "k64: troppe chiavi in un oggetto (più di 64)"},
        {R"({"_byteLavoro": "AAAA"})", "_byteLavoro: deve essere il base64 di 12064 byte"},
        {R"({"_byteTestata": "%%%%"})", "_byteTestata: deve essere il base64 di 2098 byte"},
        {R"({"_byteLavoro": 3})", "_byteLavoro: deve essere il base64 di 12064 byte"},
        {std::string(MaxTestoJson + 1, ' '), "troppo lungo"},
    };
    for (const Case& c : cases) {
        TTestataLavoro h2 = h;
        TLavoro l2 = l;
        const std::string e = lavoroDaJson(c.json, h2, l2);
        EXPECT_NE(e.find(c.message), std::string::npos) << c.json.substr(0, 80) << "\n -> " << e;
        EXPECT_EQ(bytesOf(h2), bytesOf(h));
        EXPECT_EQ(bytesOf(l2), bytesOf(l));
    }
    // With the work's image, null keeps the image's number.
    TTestataLavoro h2 = h;
    TLavoro l2;
    ASSERT_EQ(lavoroDaJson(R"({"tbsInt": null, "_byteLavoro": ")" + image + "\"}", h2, l2), "");
    EXPECT_EQ(l2.tbsInt, 20.0);
}

// Through the command: a work written as JSON and read back is saved with
// the bytes "lavoro FILE --salva" writes.
class LavoroJson : public ::testing::Test {
  protected:
    void SetUp() override { context.chart = &services; }
    int run(const std::string& comando, std::vector<std::string> rest,
            const std::string& input = {}) {
        std::vector<std::string> args = {"--dati", dir.prefix() + "dati", comando};
        args.insert(args.end(), rest.begin(), rest.end());
        std::istringstream in(input);
        std::ostringstream o, e;
        const int code = runCommandLine(args, context, in, o, e);
        out = o.str();
        err = e.str();
        return code;
    }
    void roundTrip(const std::string& work, bool fromStandardInput = false) {
        SCOPED_TRACE(work);
        const std::string saved = dir.file("salvato.TRV"), fromJson = dir.file("da_json.TRV");
        std::filesystem::remove(saved);
        std::filesystem::remove(fromJson);
        ASSERT_EQ(run("lavoro", {work, "--salva", saved}), ExitOk) << err;
        ASSERT_EQ(run("lavoro", {work, "--json"}), ExitOk) << err;
        const std::string json = out;
        if (fromStandardInput) {
            ASSERT_EQ(run("lavoro", {"--da-json", "-", "--salva", fromJson}, json), ExitOk) << err;
        } else {
            TempDir::writeText(dir.file("lavoro.json"), json);
            ASSERT_EQ(run("lavoro", {"--da-json", dir.file("lavoro.json"), "--salva", fromJson}),
                      ExitOk)
                << err;
        }
        EXPECT_EQ(TempDir::read(fromJson), TempDir::read(saved));
    }
    TempDir dir;
    test::FakeServices services;
    CommandLineContext context;
    std::string out, err;
};

// A manual sequence of every kind of treatment, calculated.
std::string sequenzaDiOgniTipo(const TempDir& dir) {
    TLavoro l;
    l.TipoImpianto = 6;
    l.CodiceChart = 1;
    l.NumTrattamenti = 7;
    l.NumPunti = 15;
    const std::uint8_t tipi[7] = {
        TipoMiscela,        TipoRaffreddamento, TipoBatteriaFredda,      TipoRiscaldamento,
        TipoUmidificazione, TipoUnione,         TipoUmidificazioneVapore};
    int punto = 1;
    for (std::size_t k = 0; k < 7; ++k) {
        TTrattamento& t = l.Trattamenti[k];
        t.Tipo = tipi[k];
        impostaDatiDefault(tipi[k], t.Dati, 1);
        t.Dati.PuntoPortata = -1;
        t.Dati.L = 3.4;
        t.Punto1 = punto++;
        t.Punto2 = punto++;
        if (tipi[k] == TipoMiscela || tipi[k] == TipoBatteriaFredda)
            t.Punto3 = punto++;
    }
    TTestataLavoro h;
    h.Firma.assegna(FirmaCorrente);
    h.Progetto.assegna("Sequenza di prova \xE8");
    const std::string work = dir.file("sequenza.TRV");
    EXPECT_TRUE(scriviFileLavoro(work, h, l).ok);
    return work;
}

TEST_F(LavoroJson, EveryKindOfWorkComesBackWithTheSameBytes) {
    // The six plant samples, as the program calculates them.
    for (const char* schema : {"A", "B", "C", "D", "E", "F"}) {
        const std::string work = dir.file(std::string("impianto_") + schema + ".TRV");
        ASSERT_EQ(run("impianto", {schema, "--cartella", dir.prefix(), "--salva", work}), ExitOk)
            << err;
        roundTrip(work);
    }
    // A manual sequence of every kind, calculated.
    const std::string sequenza = sequenzaDiOgniTipo(dir);
    ASSERT_EQ(run("ricalcola", {sequenza, "--cartella", dir.prefix(), "--salva", sequenza}), ExitOk)
        << err;
    roundTrip(sequenza, true);
    // The golden work, and works with data past their counts, non-numbers
    // and huge numbers in their records.
    roundTrip(std::string(TARVELO_GOLDEN_DIR) + "/esempio.TRV");
    for (const char* corpus :
         {"nan_fuori_conteggio.TRV", "tbs_1e85.TRV", "etichdx_int_max.TRV", "tipo_impianto_7.TRV"})
        roundTrip(std::string(TARVELO_CORPUS_DIR) + "/lavoro/" + corpus);
}

TEST_F(LavoroJson, AScriptCreatesAWorkFromAFewMembers) {
    const std::string work = dir.file("nuovo.TRV");
    const std::string json = R"({"Descrizione": "Sala riunioni", "tbsInt": 24, "URInt": 50,
        "tbsEst": 32, "UREst": 45, "TipoImpianto": 6})";
    ASSERT_EQ(run("lavoro", {"--da-json", "-", "--salva", work}, json), ExitOk) << err;
    ASSERT_EQ(run("lavoro", {work, "--json"}), ExitOk) << err;
    const Json j = Json::parse(out);
    EXPECT_EQ(j["Descrizione"], "Sala riunioni");
    EXPECT_EQ(j["tbsEst"], 32.0);
    EXPECT_EQ(j["CodiceChart"], 1); // a new work's chart
    EXPECT_EQ(j["Firma"], FirmaCorrente);
    // Without --salva the work read is printed.
    ASSERT_EQ(run("lavoro", {"--da-json", "-"}, json), ExitOk) << err;
    EXPECT_NE(out.find("Sala riunioni"), std::string::npos);
    // A pipe named as the file, as a shell's <(jq ...) hands it on.
    const std::string fifo = dir.file("pipe.json");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread scrittore([&] { std::ofstream(fifo) << json; });
    const int codice = run("lavoro", {"--da-json", fifo});
    scrittore.join();
    ASSERT_EQ(codice, ExitOk) << err;
    EXPECT_NE(out.find("Sala riunioni"), std::string::npos);
}

TEST_F(LavoroJson, NothingIsWrittenWhenTheJsonIsRefused) {
    const std::string work = dir.file("esistente.TRV");
    TempDir::writeText(work, "contenuto di prima");
    const struct {
        std::vector<std::string> args;
        std::string input, words;
    } cases[] = {
        {{"--da-json", "-", "--salva", work},
         R"({"tbsInt": "x"})",
         "standard input: tbsInt: deve essere"},
        {{"--da-json", "-", "--salva", work}, R"({"CodiceChart": 9})", "CodiceChart: "},
        {{"--da-json", "-", "--salva", work}, "{", "troncato"},
        {{"--da-json", dir.file("manca.json"), "--salva", work}, "", "non esiste"},
        {{"--da-json", dir.prefix(), "--salva", work}, "", "è una cartella"},
        {{"--da-json", "-", work}, "{}", "con --da-json il lavoro viene dal JSON"},
        {{"--da-json"}, "", "manca il file di --da-json"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run("lavoro", c.args, c.input), ExitBadInput) << c.words;
        EXPECT_NE(err.find(c.words), std::string::npos) << err;
        const auto b = TempDir::read(work);
        EXPECT_EQ(std::string(b.begin(), b.end()), "contenuto di prima");
    }
}

// The parser looks over the whole list after each object read into it: a
// list as long as 4 MB allow took minutes. Every list is refused as soon as
// it is longer than its place in a work allows.
TEST_F(LavoroJson, LongListsAreRefusedInBoundedTime) {
    const std::string work = dir.file("esistente.TRV");
    TempDir::writeText(work, "contenuto di prima");
    const auto lista = [](const char* elemento) {
        std::string s = "[";
        for (int i = 0; i < 1'000'000; ++i)
            s += std::string(i == 0 ? "" : ",") + elemento;
        return s + "]";
    };
    const std::string oggetti = lista("{}"), numeri = lista("1");
    const struct {
        std::string json, words;
    } cases[] = {
        {R"({"Punti": )" + oggetti + "}", "Punti: al massimo 20 punti"},
        {R"({"Punti": )" + numeri + "}", "Punti: al massimo 20 punti"},
        {R"({"Trattamenti": )" + oggetti + "}", "Trattamenti: al massimo 11 trattamenti"},
        {R"({"Trattamenti": [{"Dati": {"Collega": )" + numeri + "}}]}",
         "Trattamenti[0].Dati.Collega: deve essere una lista di al massimo 3 interi"},
        {R"({"Descrizione": )" + oggetti + "}", "Descrizione: qui non è ammessa una lista"},
        {R"({"Punti": [{}, {"tbs": )" + numeri + "}]}",
         "Punti[1].tbs: qui non è ammessa una lista"},
        {R"({"Trattamenti": [{"PosEtich": )" + numeri + "}]}",
         "Trattamenti[0].PosEtich: qui non è ammessa una lista"},
        {R"({"altro": {"x": )" + oggetti + "}}", "altro.x: qui non è ammessa una lista"},
        {R"({"Punti": [)" + oggetti + "]}", "troppi livelli annidati (in Punti[0])"},
        {oggetti, "il JSON deve essere un oggetto"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run("lavoro", {"--da-json", "-", "--salva", work}, c.json), ExitBadInput)
            << c.words;
        EXPECT_NE(err.find(c.words), std::string::npos) << err;
        const auto b = TempDir::read(work);
        EXPECT_EQ(std::string(b.begin(), b.end()), "contenuto di prima");
    }
}

} // namespace
} // namespace tarvelo::cli
