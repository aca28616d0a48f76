// The report object and the page file: table cells, memo and footer laid
// out in report units, and recorded pages that read back equal.
#include "print/base_report.h"
#include "print/report_recording.h"
#include "support/fixed_report_device.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tarvelo {
namespace {

using test::TempDir;

struct Report : ::testing::Test {
    test::MisuraReportFissa misura{4, 5, 3};
    RegistratoreReport registro{misura};
    TBaseReport r{registro};
    const std::vector<OperazioneReport>& ops() {
        return registro.registrazione().pagine.at(0).operazioni;
    }
    std::vector<const OperazioneReport*> testi() {
        std::vector<const OperazioneReport*> v;
        for (const auto& op : ops())
            if (op.tipo == OperazioneReport::Tipo::Testo)
                v.push_back(&op);
        return v;
    }
    void SetUp() override { registro.nuovaPagina(); }
};

TEST_F(Report, TableCellsJustifyTheirTextAndDrawTheirBoxesAndShade) {
    r.setFont("Arial", 10);
    r.vaiA(100, 500);
    r.impostaTab(100, Giustifica::Sinistra, 400, 10, bordo::Tutti, 10);
    r.impostaTab(-1, Giustifica::Destra, 200, 5, bordo::Basso, 0);
    r.impostaTab(-1, Giustifica::Centro, 300, 0, bordo::Tutti, 0);
    r.stampa("\tab\tcd\tef");
    const auto t = testi();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0]->x1, 110);                // left, after the margin
    EXPECT_EQ(t[1]->x1, 500 + 200 - 5 - 80); // right, before the margin
    EXPECT_EQ(t[2]->x1, 700 + (300 - 80) / 2);
    for (const auto* op : t)
        EXPECT_EQ(op->y1, 500);
    // The shade of the first cell, grey of 10 %, over the line's height
    // from its ascent above the baseline.
    const OperazioneReport& ombra = ops().at(0);
    EXPECT_EQ(ombra.tipo, OperazioneReport::Tipo::Rettangolo);
    EXPECT_FALSE(ombra.conPenna);
    EXPECT_EQ(ombra.pennello.colore, (Rgb{229, 229, 229}));
    EXPECT_EQ(ombra.y1, 470);
    EXPECT_EQ(ombra.y2, 520);
    // Four box lines, then one (bottom) for the second cell, four for the third.
    int linee = 0;
    for (const auto& op : ops())
        linee += op.tipo == OperazioneReport::Tipo::Linea;
    EXPECT_EQ(linee, 9);
    r.aCapo();
    EXPECT_EQ(r.Y(), 550);
    EXPECT_EQ(r.X(), r.sezioneSx());
}

TEST_F(Report, ACellCanLeaveOutSomeOfItsBoxLines) {
    r.setFont("Arial", 10);
    r.impostaTab(0, Giustifica::Sinistra, 100, 0, bordo::Tutti, 0);
    r.tab(bordo::Alto | bordo::Basso);
    int linee = 0;
    for (const auto& op : ops()) {
        ASSERT_EQ(op.tipo, OperazioneReport::Tipo::Linea);
        EXPECT_EQ(op.x1, op.x2); // only the two sides
        ++linee;
    }
    EXPECT_EQ(linee, 2);
}

TEST_F(Report, SubscriptsGoDownAndSuperscriptsUp) {
    r.setFont("Arial", 9);
    r.vaiA(0, 1000);
    r.stampa("tbs");
    r.setFont("Arial", 6);
    r.setPedice(true);
    r.stampa("amb");
    r.setApice(true);
    r.stampa("3");
    const auto t = testi();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0]->y1, 1000);
    EXPECT_GT(t[1]->y1, 1000);
    EXPECT_LT(t[2]->y1, 1000);
    EXPECT_EQ(t[1]->x1, 3 * 36); // right after "tbs"
}

TEST_F(Report, MemoWrapsWordsKeepsLineBreaksAndStopsAtItsLines) {
    r.setFont("Arial", 10);
    r.vaiA(0, 100);
    // 40 units a character: six characters to a line of 240.
    r.stampaMemo("aa bb cc dd\r\nee\r\nff gg\r\nhh", 4, 0, 240);
    std::vector<std::string> righe;
    for (const auto* op : testi())
        righe.push_back(op->testo);
    EXPECT_EQ(righe, (std::vector<std::string>{"aa bb", "cc dd", "ee", "ff gg"}));
    EXPECT_EQ(testi()[3]->y1, 100 + 3 * 50);
}

TEST_F(Report, FooterSitsOnTheLastLineOfTheSection) {
    r.setSezione(150, 50, 2000, 3000);
    r.setFont("Arial", 8);
    r.stampaUltimaRiga("File: X.TRV", Giustifica::Sinistra);
    r.stampaUltimaRiga("11/12/2026", Giustifica::Destra);
    const auto t = testi();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0]->x1, 150);
    EXPECT_EQ(t[1]->x1, 2000 - 10 * 32);
    EXPECT_EQ(t[0]->y1, 3000 - (40 - 24)); // the descent above the bottom
}

// A recording with every kind of operation, odd texts included.
Registrazione campione() {
    Registrazione r;
    r.pagina = Pagina{2480, 3508, 40, 45, 30, 60};
    PaginaRegistrata p;
    OperazioneReport l;
    l.x1 = -5, l.y1 = 7, l.x2 = 3000, l.y2 = 12;
    l.penna = PennaReport{{1, 2, 3}, 2, 4};
    p.operazioni.push_back(l);
    OperazioneReport rect = l;
    rect.tipo = OperazioneReport::Tipo::Rettangolo;
    rect.conPenna = false;
    rect.pennello = PennelloReport{{230, 230, 230}, true};
    p.operazioni.push_back(rect);
    OperazioneReport e = rect;
    e.tipo = OperazioneReport::Tipo::Ellisse;
    e.conPenna = true;
    p.operazioni.push_back(e);
    OperazioneReport t;
    t.tipo = OperazioneReport::Tipo::Testo;
    t.x1 = 10, t.y1 = 20;
    t.font = FontReport{"Arial", 7.5, true, true, {0, 0x80, 0}, 33};
    t.testo = "Umidit\xE0 \t a=b \r\n 100%";
    p.operazioni.push_back(t);
    r.pagine.push_back(p);
    r.pagine.push_back({});
    r.pagine.push_back(p);
    return r;
}

TEST(PaginaAnteprima, ReadsBackWhatWasWrittenByteForByte) {
    TempDir dir;
    const Registrazione r = campione();
    const std::string path = dir.file("TEMP.RPP");
    ASSERT_TRUE(salvaRpp(path, r).ok);
    Registrazione letta;
    ASSERT_TRUE(leggiRpp(path, letta).ok);
    EXPECT_EQ(letta, r);
    EXPECT_EQ(testoRpp(letta), testoRpp(r));
}

TEST(PaginaAnteprima, AFileTooBigIsRefusedUnread) {
    TempDir dir;
    const std::string path = dir.file("TEMP.RPP");
    TempDir::writeText(path, testoRpp(campione()));
    std::filesystem::resize_file(path, 65u << 20); // sparse: nothing is written
    Registrazione r;
    const Esito e = leggiRpp(path, r);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("troppo grande"), std::string::npos) << e.errore;
}

TEST(PaginaAnteprima, DamagedFilesAreRefusedWithTheirLine) {
    const std::string buono = testoRpp(campione());
    const auto sostituisci = [&](const std::string& da, const std::string& a) {
        std::string s = buono;
        s.replace(s.find(da), da.size(), a);
        return s;
    };
    struct Caso {
        const char* nome;
        std::string testo;
        int riga;
    };
    const Caso casi[] = {
        {"firma", sostituisci("TARVELO-RPP 1", "TARVELO-RPP 2"), 1},
        {"troncato", buono.substr(0, buono.size() / 2), 0},
        {"senza fine", sostituisci("FINE\n", ""), 0},
        {"dopo la fine", buono + "L 1 1 1 1 0 0 0 0 1\n", 0},
        {"operazione ignota", sostituisci("L -5", "X -5"), 5},
        {"coordinata enorme", sostituisci("L -5", "L -5000000"), 5},
        {"colore fuori scala", sostituisci(" 1 2 3 2 4", " 1 2 300 2 4"), 5},
        {"testo non esadecimale", sostituisci("=41726961", "=4172696z"), 0},
        {"pagine in piu", sostituisci("PAGINE 3", "PAGINE 4"), 0},
        {"troppe pagine", sostituisci("PAGINE 3", "PAGINE 100000"), 3},
        {"punti non finiti", sostituisci(" 7.5 ", " nan "), 0},
        {"campo mancante", sostituisci("L -5 7 3000 12 1 2 3 2 4", "L -5 7 3000 12 1 2 3 2"), 5},
        {"campo in piu", sostituisci("L -5 7 3000 12 1 2 3 2 4", "L -5 7 3000 12 1 2 3 2 4 9"), 5},
    };
    for (const Caso& c : casi) {
        Registrazione r;
        r.pagina.larghezza = 123;
        const Esito e = leggiTestoRpp(c.testo, r);
        EXPECT_FALSE(e.ok) << c.nome;
        EXPECT_NE(e.errore.find("TEMP.RPP"), std::string::npos) << c.nome;
        if (c.riga > 0) {
            EXPECT_NE(e.errore.find("(riga " + std::to_string(c.riga) + ")"), std::string::npos)
                << c.nome << ": " << e.errore;
        }
        EXPECT_EQ(r.pagina.larghezza, 123) << c.nome; // nothing taken from a damaged file
    }
}

} // namespace
} // namespace tarvelo
