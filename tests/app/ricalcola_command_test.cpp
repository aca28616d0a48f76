#include "app/cli/command_line.h"
#include "app/cli/stato_command.h"
#include "document/settings.h"
#include "document/work_file.h"
#include "plants/plant_samples.h"
#include "support/fake_chart_services.h"
#include "support/temp_dir.h"
#include "treatments/treatment_defaults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace tarvelo::cli {
namespace {

using test::TempDir;

// A hand-made manual sequence: a coil (1 -> 2, "ts" 3) with its extension
// line, then a heating of point 2 (linked) to point 4, as the dialog would
// have stored them before "Calcola".
class Ricalcola : public ::testing::Test {
  protected:
    void SetUp() override {
        context.chart = &services;
        TLavoro l;
        l.TipoImpianto = 6;
        l.CodiceChart = 1;
        l.NumTrattamenti = 6;
        l.NumPunti = 11;
        TTrattamento& coil = l.Trattamenti[0];
        coil.Tipo = TipoBatteriaFredda;
        impostaDatiDefault(TipoBatteriaFredda, coil.Dati, 1);
        coil.Dati.PuntoPortata = -1;
        coil.Punto1 = 1;
        coil.Punto2 = 2;
        coil.Punto3 = 3;
        l.Trattamenti[1].Tipo = TipoUnione; // extension line, Estensione 0
        TTrattamento& heat = l.Trattamenti[2];
        heat.Tipo = TipoRiscaldamento;
        impostaDatiDefault(TipoRiscaldamento, heat.Dati, 1);
        heat.Dati.PuntoPortata = 2; // the coil's flow
        heat.Dati.Collega[0] = 2;
        heat.Dati.Nome2.assegna("C");
        heat.Punto1 = 2;
        heat.Punto2 = 4;
        // Then every other kind in points of its own.
        const std::uint8_t altri[3] = {TipoUmidificazione, TipoMiscela, TipoUnione};
        const int punti[3][3] = {{5, 6, 0}, {7, 8, 9}, {10, 11, 0}};
        for (int i = 0; i < 3; ++i) {
            TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(3 + i)];
            t.Tipo = altri[i];
            impostaDatiDefault(altri[i], t.Dati, 1);
            t.Dati.PuntoPortata = -1;
            t.Dati.L = 3.4;
            t.Punto1 = punti[i][0];
            t.Punto2 = punti[i][1];
            t.Punto3 = punti[i][2];
        }
        TTestataLavoro h;
        h.Firma.assegna(FirmaCorrente);
        work = dir.file("sequenza.TRV");
        sequenza = l;
        ASSERT_TRUE(scriviFileLavoro(work, h, l).ok);
    }
    int run(std::vector<std::string> rest, std::string& out, std::string& err) {
        std::vector<std::string> args = {"--dati", dir.prefix() + "dati", "ricalcola"};
        args.insert(args.end(), rest.begin(), rest.end());
        std::istringstream in;
        std::ostringstream o, e;
        const int code = runCommandLine(args, context, in, o, e);
        out = o.str();
        err = e.str();
        return code;
    }
    TempDir dir;
    test::FakeServices services;
    CommandLineContext context;
    std::string work;
    TLavoro sequenza;
};

TEST_F(Ricalcola, CalculatesTheSequenceWritesTheLogAndTheWork) {
    std::string out, err;
    ASSERT_EQ(run({work, "--json", "--salva", dir.file("calcolato.TRV")}, out, err), ExitOk) << err;
    const auto log = TempDir::read(dir.file("RISULT.TXT")); // the work's folder
    const std::string text(log.begin(), log.end());
    EXPECT_EQ(text.rfind("--RAFF. CON DEUMIDIFICAZIONE--\r\nQs = 32.000 kW\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("--RISCALDAMENTO--\r\nQs = 10.000 kW\r\n"), std::string::npos);
    // The heating takes the coil's flow (imposed) and starts from its outlet.
    EXPECT_NE(text.find("qmC  =2.7782 kg/s"), std::string::npos) << text;
    EXPECT_NE(text.find("--UMIDIFICAZIONE--\r\nqx = 5.861 g/s\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("--MISCELA--\r\nqmA  =1.2000 kg/s"), std::string::npos);
    EXPECT_EQ(text.find("RETTA CARICHI"), std::string::npos); // a user's union: no block
    EXPECT_NE(out.find("\"NumTrattamenti\": 6"), std::string::npos);
    EXPECT_TRUE(fileExists(dir.file("calcolato.TRV")));

    // The log can go elsewhere; a folder that is not there is an error, not
    // a silent loss.
    std::filesystem::create_directories(dir.prefix() + "log");
    ASSERT_EQ(run({dir.file("calcolato.TRV"), "--cartella", dir.prefix() + "log"}, out, err),
              ExitOk)
        << err;
    EXPECT_EQ(TempDir::read(dir.prefix() + "log/RISULT.TXT"), log);
    EXPECT_EQ(run({work, "--cartella", dir.prefix() + "manca"}, out, err), ExitIo);
    EXPECT_NE(err.find("RISULT.TXT"), std::string::npos) << err;
}

TEST_F(Ricalcola, ACalculationErrorGivesExitCodeOne) {
    std::string out, err;
    // Break the coil: total power 0.
    TestataLetta t = leggiTestata(work);
    ASSERT_EQ(t.esito, Riconoscimento::Riconosciuto);
    std::vector<std::uint8_t> bytes = TempDir::read(work);
    bytes::putDouble(bytes::Image(bytes), 2098 + 3000 + 24 + 184, 0.0); // Dati.T of treatment 1
    TempDir::write(work, bytes);
    EXPECT_EQ(run({work}, out, err), ExitIo);
    EXPECT_NE(err.find("Tratto  1: La potenza totale T (0,000 kW) deve essere maggiore di zero"),
              std::string::npos)
        << err;
    EXPECT_EQ(run({dir.file("manca.TRV")}, out, err), ExitBadInput);
    // A NaN typed into a file by hand is refused before any calculation.
    bytes::putDouble(bytes::Image(bytes), 2098 + 3000 + 24 + 176, std::nan("")); // Dati.S
    TempDir::write(work, bytes);
    EXPECT_EQ(run({work, "--salva", dir.file("nan.TRV")}, out, err), ExitBadInput);
    EXPECT_NE(err.find("valore non valido (tratto 1, S = nan)"), std::string::npos) << err;
    EXPECT_FALSE(fileExists(dir.file("nan.TRV")));
    EXPECT_EQ(run({work, "--boh"}, out, err), ExitBadInput);
}

// A coil whose inputs lie out of range, the first of them the work that
// ran for ever (an outlet at 1e9 °C with S above T): each is refused
// promptly, with exit code 2 and nothing written.
TEST_F(Ricalcola, ATreatmentOutOfRangeGivesExitCodeTwoAndWritesNothing) {
    struct Dato {
        std::size_t offset; // in the coil's input block
        double valore;
    };
    struct Caso {
        std::vector<Dato> dati;
        std::uint8_t modo;
        const char* testo;
    };
    const Caso casi[] = {
        {{{24, 1e9}, {176, 50.0}},
         0,
         "Tratto  1: Dato fuori dal campo di validità: tbs2 = 1000000000.00 °C (da -100 a 200 "
         "°C)"},
        {{{0, -1e9}}, 0, "Tratto  1: Dato fuori dal campo di validità: tbs1 = -1000000000.00 °C"},
        {{{8, 1e6}}, 0, "Tratto  1: Dato fuori dal campo di validità: UR1 = 1000000.00 %"},
        {{{192, 1e300}}, 3, "qimm = 1e+300"}, // refused as the file is read
    };
    const std::vector<std::uint8_t> originale = TempDir::read(work);
    const std::size_t dati = 2098 + 3000 + 24; // treatment 1's input block
    for (const Caso& c : casi) {
        std::vector<std::uint8_t> bytes = originale;
        for (const Dato& d : c.dati)
            bytes::putDouble(bytes::Image(bytes), dati + d.offset, d.valore);
        bytes[dati + 168] = c.modo; // modoBatteria
        TempDir::write(work, bytes);
        std::string out, err;
        EXPECT_EQ(run({work, "--salva", dir.file("fuori.TRV")}, out, err), ExitBadInput) << err;
        EXPECT_NE(err.find(c.testo), std::string::npos) << err;
        EXPECT_FALSE(fileExists(dir.file("fuori.TRV")));
        EXPECT_FALSE(fileExists(dir.file("RISULT.TXT")));
        EXPECT_EQ(out, "");
    }
}

TEST_F(Ricalcola, KindsAndPointNumbersBeyondTheRecordsAreRefused) {
    struct Caso {
        const char* atteso;
        void (*guasta)(TLavoro&);
    };
    const Caso casi[] = {
        {"tratto 3, Tipo = 255", [](TLavoro& l) { l.Trattamenti[2].Tipo = 255; }},
        {"tratto 1, Punto1 = 21", [](TLavoro& l) { l.Trattamenti[0].Punto1 = 21; }},
        {"tratto 3, Punto2 = -1", [](TLavoro& l) { l.Trattamenti[2].Punto2 = -1; }},
        {"tratto 3, Collega[1] = 2147483647",
         [](TLavoro& l) { l.Trattamenti[2].Dati.Collega[0] = 2147483647; }},
        {"tratto 3, PuntoPortata = 21",
         [](TLavoro& l) { l.Trattamenti[2].Dati.PuntoPortata = 21; }},
        {"NumPunti = 25", [](TLavoro& l) { l.NumPunti = 25; }},
    };
    TTestataLavoro h;
    h.Firma.assegna(FirmaCorrente);
    for (const Caso& c : casi) {
        TLavoro l = sequenza;
        c.guasta(l);
        ASSERT_TRUE(scriviFileLavoro(work, h, l).ok);
        std::string out, err;
        const std::string salvato = dir.file("guasto.TRV");
        EXPECT_EQ(run({work, "--salva", salvato}, out, err), ExitBadInput) << c.atteso;
        EXPECT_NE(err.find(c.atteso), std::string::npos) << err;
        EXPECT_FALSE(fileExists(salvato)) << c.atteso;
    }
}

TEST_F(Ricalcola, WorksItCannotCalculateWholeAreRefused) {
    std::string out, err;
    // A kind of work that is neither a sequence nor a plant.
    TestataLetta t = leggiTestata(work);
    TLavoro l;
    l.TipoImpianto = 7;
    l.CodiceChart = 1;
    ASSERT_TRUE(scriviFileLavoro(work, t.testata, l).ok);
    EXPECT_EQ(run({work, "--salva", dir.file("sette.TRV")}, out, err), ExitBadInput);
    EXPECT_NE(err.find("TipoImpianto 7"), std::string::npos) << err;
    EXPECT_FALSE(fileExists(dir.file("sette.TRV")));

    // A plant work counting no treatments, with NaN in the records the
    // calculation brings into use: nothing non-finite is saved.
    l = TLavoro{};
    l.TipoImpianto = 0;
    l.CodiceChart = 1;
    ASSERT_EQ(run({"--help"}, out, err), ExitOk); // lays out the data folder
    for (std::size_t k = 0; k < 4; ++k) {
        TDatiTrattamento& d = l.Trattamenti[k].Dati;
        for (double* v :
             {&d.tbs1, &d.UR1, &d.tbs2, &d.UR2, &d.perc1, &d.perc2, &d.port1, &d.port2, &d.port3,
              &d.portata, &d.potenza, &d.tMezzo, &d.S, &d.T, &d.qimm, &d.ts, &d.fsDato, &d.L})
            *v = std::nan("");
    }
    TLavoro campione;
    preparaImpianto(0, campione, TDefault{});
    l.tbsInt = campione.tbsInt;
    l.URInt = campione.URInt;
    l.tbsEst = campione.tbsEst;
    l.UREst = campione.UREst;
    l.tbsImm = campione.tbsImm;
    l.Csens = campione.Csens;
    l.Clat = campione.Clat;
    l.Volume = campione.Volume;
    l.Qrinn = campione.Qrinn;
    l.Cx = campione.Cx;
    ASSERT_TRUE(scriviFileLavoro(work, t.testata, l).ok);
    const int codice = run({work, "--salva", dir.file("impianto.TRV")}, out, err);
    if (fileExists(dir.file("impianto.TRV"))) {
        // Saved: then it reads back and calculates again.
        EXPECT_EQ(codice, ExitOk) << err;
        EXPECT_EQ(run({dir.file("impianto.TRV")}, out, err), ExitOk) << err;
    } else {
        EXPECT_EQ(codice, ExitIo);
        EXPECT_NE(err.find("non numerici"), std::string::npos) << err;
    }
}

} // namespace
} // namespace tarvelo::cli
