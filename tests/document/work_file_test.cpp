#include "document/work_file.h"
#include "support/file_size_limit.h"
#include "support/record_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace tarvelo {
namespace {

using test::TempDir;

class WorkFile : public ::testing::Test {
  protected:
    void SetUp() override {
        TDefault d;
        d.NumChart = 2;
        ASSERT_TRUE(archivio.creaSeManca(d).ok);
        catalogued.description.assegna("Diagramma del catalogo");
        catalogued.pressure = 101325;
        ASSERT_TRUE(archivio.scriviTestataChart(2, catalogued).ok);

        testata.Firma.assegna(FirmaCorrente);
        testata.Progetto.assegna("Uffici\r\nSecondo piano");
        testata.NumFoglio.assegna("001");
        lavoro.Descrizione.assegna("Prova");
        lavoro.NumPunti = 2;
        lavoro.Punti[0].tbs = 25;
        lavoro.Punti[0].Nome.assegna("A");
        lavoro.Punti[19].h = 50309.8;
        lavoro.NumTrattamenti = 1;
        lavoro.Trattamenti[10].Dati.tbs1 = 26.75;
        lavoro.xPick = 0.0125;
        lavoro.CodiceChart = 2;
        lavoro.TestataChart = catalogued;
    }

    std::vector<std::uint8_t> expectedImage() const {
        std::vector<std::uint8_t> image = test::encoded(testata);
        const auto sheet = test::encoded(lavoro);
        image.insert(image.end(), sheet.begin(), sheet.end());
        return image;
    }

    TempDir dir;
    ArchivioDefault archivio{dir.prefix()};
    TTestataChart catalogued;
    TTestataLavoro testata;
    TLavoro lavoro;
};

TEST_F(WorkFile, WritesHeaderAndSheetOneByteForByteAndReadsThemBack) {
    const std::string path = dir.file("uffici.TRV");
    ASSERT_TRUE(scriviFileLavoro(path, testata, lavoro).ok);
    const auto bytes = TempDir::read(path);
    ASSERT_EQ(bytes.size(), 14162u);
    EXPECT_EQ(bytes, expectedImage());
    EXPECT_EQ(bytes[0], 7);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 8), "TRV~202");

    const TestataLetta t = leggiTestata(path);
    ASSERT_EQ(t.esito, Riconoscimento::Riconosciuto);
    EXPECT_EQ(t.versione, 202);
    EXPECT_EQ(t.testata, testata);
    FoglioLetto f;
    ASSERT_TRUE(leggiFoglio(path, archivio, f).ok);
    EXPECT_FALSE(f.vecchioFormato);
    EXPECT_EQ(f.lavoro, lavoro);
}

TEST_F(WorkFile, TheChartHeaderComesFromTheCatalogue) {
    lavoro.TestataChart.description.assegna("copia nel file, superata");
    const std::string path = dir.file("a.TRV");
    ASSERT_TRUE(scriviFileLavoro(path, testata, lavoro).ok);
    FoglioLetto f;
    ASSERT_TRUE(leggiFoglio(path, archivio, f).ok);
    EXPECT_EQ(f.lavoro.TestataChart, catalogued);

    lavoro.CodiceChart = 5; // not in the catalogue
    ASSERT_TRUE(scriviFileLavoro(path, testata, lavoro).ok);
    FoglioLetto g;
    g.lavoro.Descrizione.assegna("intatto");
    const Esito e = leggiFoglio(path, archivio, g);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("diagramma 5"), std::string::npos);
    EXPECT_EQ(g.lavoro.Descrizione.testo(), "intatto");
}

TEST_F(WorkFile, Recognition) {
    const std::string path = dir.file("x.TRV");
    EXPECT_EQ(leggiTestata(dir.file("manca.TRV")).esito, Riconoscimento::Mancante);

    auto image = expectedImage();
    const std::vector<std::vector<std::uint8_t>> rejected = {
        {7, 'T', 'R', 'V', '~', '2', '0', '2', 0}, // 9 bytes
        [&] {
            auto v = image;
            v[0] = 6;
            return v;
        }(), // length byte
        [&] {
            auto v = image;
            v[3] = 'W';
            return v;
        }(), // "TRW~"
        {},  // empty
    };
    for (const auto& bytes : rejected) {
        TempDir::write(path, bytes);
        EXPECT_EQ(leggiTestata(path).esito, Riconoscimento::NonRiconosciuto) << bytes.size();
    }
    // The version digits are kept but decide nothing.
    auto other = image;
    std::memcpy(other.data() + 5, "117", 3);
    TempDir::write(path, other);
    const TestataLetta t = leggiTestata(path);
    EXPECT_EQ(t.esito, Riconoscimento::Riconosciuto);
    EXPECT_EQ(t.versione, 117);

    // A signature with a header cut short is refused with its own message.
    TempDir::write(path, std::vector<std::uint8_t>(image.begin(), image.begin() + 100));
    const TestataLetta cut = leggiTestata(path);
    EXPECT_EQ(cut.esito, Riconoscimento::NonRiconosciuto);
    EXPECT_NE(cut.io.errore.find("troncato"), std::string::npos);
}

TEST_F(WorkFile, AnyOtherSizeIsTheOlderLayout) {
    const std::string path = dir.file("x.TRV");
    // Bytes 12040..12041 of a current sheet, inside its chart header, are
    // where an older sheet keeps its chart code.
    lavoro.TestataChart.dx2Screen = 2;
    auto image = expectedImage();
    image.push_back(0);
    TempDir::write(path, image);
    FoglioLetto f;
    ASSERT_TRUE(leggiFoglio(path, archivio, f).ok);
    EXPECT_TRUE(f.vecchioFormato);
    // The older NumPunti lies where the current xPick begins.
    EXPECT_EQ(f.lavoro.NumPunti, test::encoded(lavoro)[408]);
    EXPECT_EQ(f.lavoro.CodiceChart, 2);
}

// An older file built at the older offsets, converted to the current ones.
TEST_F(WorkFile, OlderLayoutIsConvertedFieldByField) {
    std::vector<std::uint8_t> old(TTestataLavoro::Size + DimFoglioVecchio, 0);
    const auto head = test::encoded(testata);
    std::copy(head.begin(), head.end(), old.begin());
    bytes::Image sheet(old.data() + TTestataLavoro::Size, DimFoglioVecchio);
    sheet[0] = 5;
    std::memcpy(&sheet[1], "Prova", 5);
    sheet[200] = 0x55;                  // beyond the description's length: not carried
    bytes::putDouble(sheet, 256, 25.0); // tbsInt
    bytes::putDouble(sheet, 392, 85.0); // URD
    sheet[402] = 2;                     // umQrinn
    bytes::putInt<std::int16_t>(sheet, 404, 0x0102);
    sheet[406] = 0x77;                  // reserved, not carried
    sheet[408] = 3;                     // NumPunti
    bytes::putDouble(sheet, 416, 31.5); // point 1 tbs
    sheet[416 + 112] = 1;               // point 1 name "B"
    sheet[416 + 113] = 'B';
    bytes::putDouble(sheet, 408 + 8 + 128 * 19 + 32, 777.0); // point 20 h
    sheet[2976] = 4;                                         // NumTrattamenti
    sheet[2977] = 6;                                         // TipoImpianto
    bytes::putInt<std::int32_t>(sheet, 2984 + 728 * 10, 9);  // treatment 11 Punto1
    sheet[11248] = 3;                                        // TitoloSequenza
    std::memcpy(&sheet[11249], "ABC", 3);
    bytes::putDouble(sheet, 11512, 9999.0);         // Qv
    bytes::putDouble(sheet, 11544, 2.5);            // DtRiscaldamento
    bytes::putInt<std::int16_t>(sheet, 12040, 2);   // CodiceChart
    bytes::putInt<std::uint16_t>(sheet, 12042, 14); // CodiceErrore
    const std::string path = dir.file("vecchio.TRV");
    TempDir::write(path, old);
    ASSERT_EQ(old.size(), 14146u);

    FoglioLetto f;
    ASSERT_TRUE(leggiFoglio(path, archivio, f).ok);
    const TLavoro& l = f.lavoro;
    EXPECT_TRUE(f.vecchioFormato);
    EXPECT_EQ(l.Descrizione.testo(), "Prova");
    EXPECT_EQ(l.Descrizione.raw[200], 0);
    EXPECT_EQ(l.tbsInt, 25.0);
    EXPECT_EQ(l.URD, 85.0);
    EXPECT_EQ(l.umQrinn, 2);
    EXPECT_EQ(l.riservato404, 0x0102);
    EXPECT_EQ(l.riservato406[0], 0);
    EXPECT_EQ(l.xPick, 0.0);
    EXPECT_EQ(l.flgXPick, 0);
    EXPECT_EQ(l.NumPunti, 3);
    EXPECT_EQ(l.Punti[0].tbs, 31.5);
    EXPECT_EQ(l.Punti[0].Nome.testo(), "B");
    EXPECT_EQ(l.Punti[19].h, 777.0);
    EXPECT_EQ(l.NumTrattamenti, 4);
    EXPECT_EQ(l.TipoImpianto, 6);
    EXPECT_EQ(l.Trattamenti[10].Punto1, 9);
    EXPECT_EQ(l.TitoloSequenza.testo(), "ABC");
    EXPECT_EQ(l.Qv, 9999.0);
    EXPECT_EQ(l.DtRiscaldamento, 2.5);
    EXPECT_EQ(l.CodiceChart, 2);
    EXPECT_EQ(l.CodiceErrore, 14);
    EXPECT_EQ(l.TestataChart, catalogued);

    // Saved again, it becomes a current file of 14162 bytes.
    ASSERT_TRUE(scriviFileLavoro(path, testata, l).ok);
    EXPECT_EQ(TempDir::read(path).size(), 14162u);
    FoglioLetto again;
    ASSERT_TRUE(leggiFoglio(path, archivio, again).ok);
    EXPECT_FALSE(again.vecchioFormato);
    EXPECT_EQ(again.lavoro, l);
}

TEST_F(WorkFile, TruncatedSheetFailsWithAMessage) {
    const std::string path = dir.file("corto.TRV");
    auto image = expectedImage();
    image.resize(TTestataLavoro::Size + 100);
    TempDir::write(path, image);
    EXPECT_EQ(leggiTestata(path).esito, Riconoscimento::Riconosciuto);
    FoglioLetto f;
    const Esito e = leggiFoglio(path, archivio, f);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("troncato"), std::string::npos);
}

TEST_F(WorkFile, AFailedWriteLeavesThePreviousFile) {
    const std::string path = dir.file("lavoro.TRV");
    ASSERT_TRUE(scriviFileLavoro(path, testata, lavoro).ok);
    const auto before = TempDir::read(path);
    lavoro.Descrizione.assegna("cambiata");
    Esito e;
    {
        const test::LimiteDimensioneFile discoPieno(512);
        e = scriviFileLavoro(path, testata, lavoro);
    }
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("lavoro.TRV"), std::string::npos) << e.errore;
    EXPECT_EQ(TempDir::read(path), before);
    for (const std::string& n : dir.names()) // no temporary file left
        EXPECT_TRUE(n == "lavoro.TRV" || n.find("lavoro") == std::string::npos) << n;

    EXPECT_FALSE(scriviFileLavoro(dir.file("manca/lavoro.TRV"), testata, lavoro).ok);
}

TEST_F(WorkFile, ALongerFileIsKeptAsBackupBeforeItIsReplaced) {
    const std::string path = dir.file("lungo.TRV");
    auto longer = expectedImage();
    longer.resize(20000, 0x5A);
    TempDir::write(path, longer);
    ASSERT_TRUE(scriviFileLavoro(path, testata, lavoro).ok);
    EXPECT_EQ(TempDir::read(path), expectedImage());
    EXPECT_EQ(TempDir::read(path + ".bak"), longer);
    FoglioLetto f;
    ASSERT_TRUE(leggiFoglio(path, archivio, f).ok);
    EXPECT_EQ(f.lavoro, lavoro); // read back as written
}

TEST_F(WorkFile, ALinkIsFollowedAndEarlierBackupsAreKept) {
    const std::string real = dir.file("vero.TRV");
    ASSERT_TRUE(scriviFileLavoro(real, testata, lavoro).ok);
    std::filesystem::create_symlink(real, dir.file("collegamento.TRV"));
    lavoro.Descrizione.assegna("attraverso il collegamento");
    ASSERT_TRUE(scriviFileLavoro(dir.file("collegamento.TRV"), testata, lavoro).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("collegamento.TRV")));
    EXPECT_EQ(TempDir::read(real), expectedImage());

    const std::string path = dir.file("lungo.TRV");
    TempDir::writeText(path + ".bak", "copia dell'utente");
    auto longer = expectedImage();
    longer.resize(15000, 1);
    TempDir::write(path, longer);
    ASSERT_TRUE(scriviFileLavoro(path, testata, lavoro).ok);
    EXPECT_EQ(TempDir::read(path + ".bak"),
              (std::vector<std::uint8_t>{'c', 'o', 'p', 'i', 'a', ' ', 'd', 'e', 'l', 'l', '\'',
                                         'u', 't', 'e', 'n', 't', 'e'}));
    EXPECT_EQ(TempDir::read(path + ".1.bak"), longer);
}

TEST(PathSplit, NameExtensionAndFolder) {
    struct Case {
        const char* path;
        const char* nome;
        const char* estensione;
        const char* cartella;
    };
    const Case cases[] = {
        {"/home/u/lavori/uffici.TRV", "uffici", ".TRV", "/home/u/lavori/"},
        {"C:\\LAVORI\\UFFICI.TRV", "UFFICI", ".TRV", "C:\\LAVORI\\"},
        {"c:d.TRV", "c:d", ".TRV", ""}, // a colon is part of the name here
        {"dati\\v2/uffici.TRV", "uffici", ".TRV", "dati\\v2/"},
        {"uffici", "uffici", ".", ""},
        {"uffici.dati", "uffici", ".dat", ""},
        {"/srv/v1.2/uffici", "uffici", ".", "/srv/v1.2/"},
        {"a.b.TRV", "a.b", ".TRV", ""},
        {"cartella/", "", ".", "cartella/"},
    };
    for (const Case& c : cases) {
        const PercorsoDiviso p = dividiPercorso(c.path);
        EXPECT_EQ(p.nome, c.nome) << c.path;
        EXPECT_EQ(p.estensione, c.estensione) << c.path;
        EXPECT_EQ(p.cartella, c.cartella) << c.path;
    }
    EXPECT_EQ(dividiPercorso("/x/" + std::string(300, 'n')).nome.size(), 255u);
}

} // namespace
} // namespace tarvelo
