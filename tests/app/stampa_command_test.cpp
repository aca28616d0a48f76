#include "app/cli/command_line.h"
#include "app/cli/stato_command.h"
#include "support/fake_chart_services.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tarvelo::cli {
namespace {

using test::TempDir;

// Keeps what it was asked to print, and fails when told to.
struct FakePrint : PrintServices {
    std::optional<DestinazioneStampa> dove;
    TTestataLavoro testata;
    TLavoro lavoro;
    std::string nomeFile, dirArchivi;
    bool monocromatico = true;
    std::string errore;
    Esito stampa(const DatiStampa& d, const DestinazioneStampa& w) override {
        dove = w;
        testata = d.testata;
        lavoro = d.lavoro;
        nomeFile = d.nomeFile;
        dirArchivi = d.dirArchivi;
        monocromatico = d.monocromatico;
        return errore.empty() ? Esito{} : Esito::fallito(errore);
    }
};

class Stampa : public ::testing::Test {
  protected:
    void SetUp() override {
        context.chart = &services;
        context.print = &print;
        work = dir.file("a.TRV");
        std::string out, err;
        std::istringstream in;
        std::ostringstream o, e;
        ASSERT_EQ(runCommandLine(std::vector<std::string>{"--dati", dir.prefix() + "dati",
                                                          "impianto", "A", "--salva", work},
                                 context, in, o, e),
                  ExitOk)
            << e.str();
    }
    int run(std::vector<std::string> rest, std::string& err) {
        std::vector<std::string> args = {"--dati", dir.prefix() + "dati", "stampa"};
        args.insert(args.end(), rest.begin(), rest.end());
        std::istringstream in;
        std::ostringstream o, e;
        const int code = runCommandLine(args, context, in, o, e);
        err = e.str();
        return code;
    }
    TempDir dir;
    test::FakeServices services;
    FakePrint print;
    CommandLineContext context;
    std::string work;
};

TEST_F(Stampa, ComposesTheSavedWorkAsAsked) {
    std::string err;
    ASSERT_EQ(run({work, "--pdf", dir.file("f.pdf"), "--colore", "--portata", "m3/h"}, err), ExitOk)
        << err;
    ASSERT_TRUE(print.dove);
    EXPECT_EQ(print.dove->tipo, DestinazioneStampa::Tipo::Pdf);
    EXPECT_EQ(print.dove->percorso, dir.file("f.pdf"));
    EXPECT_FALSE(print.monocromatico);
    EXPECT_EQ(print.testata.UmStampa, 2);
    // impianto marks a calculation without errors valid: the sheet is whole.
    EXPECT_EQ(print.testata.CalcoliValidi, 1);
    EXPECT_EQ(print.lavoro.TipoImpianto, 0);
    EXPECT_EQ(print.nomeFile, "a.TRV");
    EXPECT_EQ(print.dirArchivi, dir.prefix() + "dati/archivi/");

    ASSERT_EQ(run({work, "--png", dir.file("f.png"), "--dpi", "150"}, err), ExitOk) << err;
    EXPECT_EQ(print.dove->tipo, DestinazioneStampa::Tipo::Png);
    EXPECT_EQ(print.dove->dpi, 150);
    EXPECT_TRUE(print.monocromatico);
    EXPECT_EQ(print.testata.UmStampa, 1); // as the work holds it

    ASSERT_EQ(run({"--stampante", "Ufficio", work}, err), ExitOk) << err;
    EXPECT_EQ(print.dove->tipo, DestinazioneStampa::Tipo::Stampante);
    EXPECT_EQ(print.dove->stampante, "Ufficio");
    ASSERT_EQ(run({work, "--stampante"}, err), ExitOk) << err;
    EXPECT_EQ(print.dove->stampante, ""); // the default printer
}

TEST_F(Stampa, BadRequestsAreRefusedBeforePrinting) {
    struct Caso {
        std::vector<std::string> args;
        const char* messaggio;
    };
    const Caso casi[] = {
        {{work}, "indicare dove stampare"},
        {{work, "--pdf", "x.pdf", "--png", "x.png"}, "una sola destinazione"},
        {{work, "--pdf", "x.png"}, "--pdf vuole un file .pdf"},
        {{work, "--pdf", "x.pdf", "--dpi", "100"}, "--dpi vale solo con --png"},
        {{work, "--png", "x.png", "--dpi", "5"}, "da 10 a 800"},
        {{work, "--png", "x.png", "--dpi", "72.5"}, "da 10 a 800"},
        {{work, "--png", "x.png", "--dpi", "1200"}, "da 10 a 800"},
        {{work, "--pdf", "x.pdf", "--portata", "kg/s"}, "l/s o m3/h"},
        {{dir.file("manca.TRV"), "--pdf", "x.pdf"}, "non esiste"},
        {{work, "--pdf"}, "manca il valore di --pdf"},
        {{work, "--pdf", "x.pdf", "--fronte-retro"}, "opzione sconosciuta"},
        {{work, work, "--pdf", "x.pdf"}, "un solo file"},
    };
    for (const Caso& c : casi) {
        print.dove.reset();
        std::string err;
        EXPECT_EQ(run(c.args, err), ExitBadInput) << c.messaggio;
        EXPECT_NE(err.find(c.messaggio), std::string::npos) << err;
        EXPECT_FALSE(print.dove) << c.messaggio;
    }
}

TEST_F(Stampa, AFailedPrintIsAnInputOutputError) {
    print.errore = "Nessuna stampante installata!";
    std::string err;
    EXPECT_EQ(run({work, "--stampante"}, err), ExitIo);
    EXPECT_NE(err.find("Nessuna stampante installata!"), std::string::npos) << err;
}

} // namespace
} // namespace tarvelo::cli
