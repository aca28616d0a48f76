#include "document/document.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <deque>

namespace tarvelo {
namespace {

using test::TempDir;

// Answers the document's questions from a script and records what it shows.
struct FakeUi : DocumentUi {
    std::deque<Risposta> answers;
    std::deque<std::optional<std::string>> openChoices, saveChoices;
    std::vector<std::string> messages, titles;
    std::vector<std::uint8_t> reviews;
    int questions = 0, plantRefreshes = 0;
    std::optional<bool> revisioneEnabled;

    Risposta chiediSalvaPrecedente() override {
        ++questions;
        const Risposta a = answers.empty() ? Risposta::No : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
    std::optional<std::string> scegliFileDaAprire() override { return next(openChoices); }
    std::optional<std::string> scegliFileDaSalvare() override { return next(saveChoices); }
    void informa(const std::string& m) override { messages.push_back(m); }
    std::string dataBreve() override { return "10/12/2026"; }
    void aggiornaTitolo(const std::string& t) override { titles.push_back(t); }
    void abilitaRevisione(bool on) override { revisioneEnabled = on; }
    void apriRevisione(std::uint8_t tipo) override { reviews.push_back(tipo); }
    void aggiornaDialogoImpianto() override { ++plantRefreshes; }

    static std::optional<std::string> next(std::deque<std::optional<std::string>>& q) {
        if (q.empty())
            return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

class DocumentCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        settings = TDriveMdl::crea(dir.prefix());
        settings.DIR_ARCHIVI = dir.prefix();
        settings.DIR_LAVORI = dir.prefix();
        defaults.NumChart = 1;
        defaults.UmPortataDef = 2;
        ASSERT_TRUE(settings.archivio().creaSeManca(defaults).ok);
        TTestataChart chart;
        chart.description.assegna("Standard");
        ASSERT_TRUE(settings.archivio().scriviTestataChart(1, chart).ok);
        doc.inizializzaTestata(ui.dataBreve());
        doc.lavoro.CodiceChart = 1;
    }

    TempDir dir;
    TDriveMdl settings;
    TDefault defaults;
    Documento doc{settings, defaults};
    FakeUi ui;
};

TEST_F(DocumentCommands, ANewDocumentHeader) {
    EXPECT_EQ(doc.testata.Firma.testo(), "TRV~202");
    EXPECT_EQ(doc.testata.PiePagina.testo(), "10/12/2026");
    EXPECT_EQ(doc.testata.NumFoglio.testo(), "001");
    EXPECT_EQ(doc.testata.UmStampa, 2);
    EXPECT_EQ(doc.testata.SenzaNome, 1);
    EXPECT_EQ(doc.nome(), "<senza nome>");
    EXPECT_EQ(doc.titolo(), "Diagramma psicrometrico: File: <senza nome>");
}

TEST_F(DocumentCommands, SaveFollowsTheStateTable) {
    // new, untouched: nothing
    EXPECT_EQ(doc.salva(ui), Documento::EsitoSalva::NienteDaSalvare);
    EXPECT_TRUE(ui.messages.empty());
    // new, changed: asks for a name (no extension: ".TRV"), writes
    doc.modificato = true;
    ui.saveChoices.push_back(dir.file("uffici"));
    EXPECT_EQ(doc.salva(ui), Documento::EsitoSalva::Salvato);
    EXPECT_TRUE(fileExists(dir.file("uffici.TRV")));
    EXPECT_FALSE(doc.modificato);
    EXPECT_EQ(doc.testata.SenzaNome, 0);
    EXPECT_EQ(ui.titles.back(), "Diagramma psicrometrico: File: uffici");
    // named, unchanged: nothing
    const auto written = TempDir::read(dir.file("uffici.TRV"));
    EXPECT_EQ(doc.salva(ui), Documento::EsitoSalva::NienteDaSalvare);
    // named, changed: writes to the current path without asking
    doc.lavoro.Descrizione.assegna("cambiata");
    doc.modificato = true;
    EXPECT_EQ(doc.salva(ui), Documento::EsitoSalva::Salvato);
    EXPECT_NE(TempDir::read(dir.file("uffici.TRV")), written);
    EXPECT_TRUE(ui.saveChoices.empty());
}

TEST_F(DocumentCommands, SaveAsksAndKeepsOtherExtensionsCut) {
    doc.modificato = true;
    ui.answers.push_back(DocumentUi::Risposta::No);
    EXPECT_EQ(doc.salva(ui, true), Documento::EsitoSalva::Rifiutato);
    EXPECT_TRUE(doc.modificato);
    ui.answers.push_back(DocumentUi::Risposta::Si);
    ui.saveChoices.push_back(std::nullopt);
    EXPECT_EQ(doc.salva(ui, true), Documento::EsitoSalva::Annullato);
    EXPECT_EQ(doc.testata.SenzaNome, 1);
    ui.answers.push_back(DocumentUi::Risposta::Si);
    ui.saveChoices.push_back(dir.file("prova.dati"));
    EXPECT_EQ(doc.salva(ui, true), Documento::EsitoSalva::Salvato);
    EXPECT_TRUE(fileExists(dir.file("prova.dat")));
    EXPECT_EQ(ui.questions, 3);
}

TEST_F(DocumentCommands, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    doc.modificato = true;
    ui.saveChoices.push_back(dir.file("uffici.TRV"));
    ASSERT_EQ(doc.salva(ui), Documento::EsitoSalva::Salvato);
    const auto before = TempDir::read(dir.file("uffici.TRV"));
    doc.lavoro.Descrizione.assegna("non salvata");
    doc.modificato = true;
    const test::LimiteDimensioneFile discoPieno(512);
    EXPECT_EQ(doc.salva(ui), Documento::EsitoSalva::Fallito);
    EXPECT_TRUE(doc.modificato);
    EXPECT_EQ(TempDir::read(dir.file("uffici.TRV")), before);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_NE(ui.messages.back().find("Lavoro non salvato"), std::string::npos);

    // "Nuovo" does not drop a work it could not save.
    doc.lavoro.NumTrattamenti = 3;
    ui.answers.push_back(DocumentUi::Risposta::Si);
    doc.nuovo(ui);
    EXPECT_EQ(doc.lavoro.NumTrattamenti, 3);
}

TEST_F(DocumentCommands, AnnullaOrACancelledSaveDialogKeepsTheWork) {
    // The question's third answer, or no name in the save dialog, gives up
    // "Nuovo" and "Apri": the modified work stays as it is.
    const std::string other = dir.file("altro.TRV");
    ASSERT_TRUE(doc.salvaCome(other).ok);
    struct Caso {
        DocumentUi::Risposta risposta;
        bool conNome; // a name chosen in the save dialog
    };
    for (const Caso c :
         {Caso{DocumentUi::Risposta::Annulla, true}, Caso{DocumentUi::Risposta::Si, false}}) {
        for (const bool apri : {false, true}) {
            doc.testata.SenzaNome = 1;
            doc.lavoro.NumTrattamenti = 3;
            doc.modificato = true;
            ui.answers.push_back(c.risposta);
            ui.saveChoices.push_back(c.conNome ? std::optional(dir.file("nuovo.TRV"))
                                               : std::nullopt);
            if (apri)
                EXPECT_FALSE(doc.apriPercorso(ui, other));
            else
                doc.nuovo(ui);
            EXPECT_EQ(doc.lavoro.NumTrattamenti, 3);
            EXPECT_TRUE(doc.modificato);
            ui.saveChoices.clear();
        }
    }
    EXPECT_FALSE(fileExists(dir.file("nuovo.TRV")));
}

TEST_F(DocumentCommands, SalvaConNomeRenamesTheWork) {
    doc.modificato = true;
    ui.saveChoices.push_back(dir.file("primo.TRV"));
    ASSERT_EQ(doc.salva(ui), Documento::EsitoSalva::Salvato);
    std::filesystem::create_directories(dir.file("copie"));
    // Cancelled: nothing changes.
    EXPECT_EQ(doc.salvaConNome(ui), Documento::EsitoSalva::Annullato);
    EXPECT_EQ(doc.nome(), "primo");
    // Named: written there, and the work now lives there, unchanged or not.
    ui.saveChoices.push_back(dir.file("copie/secondo"));
    EXPECT_EQ(doc.salvaConNome(ui), Documento::EsitoSalva::Salvato);
    EXPECT_EQ(TempDir::read(dir.file("copie/secondo.TRV")), TempDir::read(dir.file("primo.TRV")));
    EXPECT_EQ(doc.nome(), "secondo");
    EXPECT_EQ(settings.DIR_LAVORI, dir.file("copie/"));
    EXPECT_EQ(ui.titles.back(), "Diagramma psicrometrico: File: secondo");
    doc.lavoro.Descrizione.assegna("dopo");
    doc.modificato = true;
    ASSERT_EQ(doc.salva(ui), Documento::EsitoSalva::Salvato);
    EXPECT_NE(TempDir::read(dir.file("copie/secondo.TRV")), TempDir::read(dir.file("primo.TRV")));
    // A folder that does not exist: reported, the name stays.
    ui.saveChoices.push_back(dir.file("manca/terzo.TRV"));
    EXPECT_EQ(doc.salvaConNome(ui), Documento::EsitoSalva::Fallito);
    EXPECT_EQ(doc.nome(), "secondo");
    EXPECT_EQ(settings.DIR_LAVORI, dir.file("copie/"));
}

TEST_F(DocumentCommands, NuovoEmptiesOnlyTheTreatmentList) {
    doc.lavoro.NumPunti = 5;
    doc.lavoro.tbsInt = 26;
    doc.lavoro.NumTrattamenti = 4;
    doc.testata.CalcoliValidi = 1;
    doc.testata.SenzaNome = 0;
    doc.testata.Progetto.assegna("Uffici");
    doc.nuovo(ui);
    EXPECT_EQ(doc.lavoro.NumTrattamenti, 0);
    EXPECT_EQ(doc.lavoro.NumPunti, 5);
    EXPECT_EQ(doc.lavoro.tbsInt, 26);
    EXPECT_EQ(doc.testata.CalcoliValidi, 0);
    EXPECT_EQ(doc.testata.SenzaNome, 1);
    EXPECT_EQ(doc.testata.Progetto.testo(), "Uffici");
    EXPECT_EQ(doc.nome(), "<senza nome>");
    EXPECT_EQ(ui.revisioneEnabled, false);
}

TEST_F(DocumentCommands, OpenReadsTheWorkAndShowsItForReview) {
    doc.lavoro.TipoImpianto = 3;
    doc.lavoro.NumPunti = 5;
    doc.testata.CalcoliValidi = 1;
    doc.modificato = true;
    ui.saveChoices.push_back(dir.file("inverno.TRV"));
    ASSERT_EQ(doc.salva(ui), Documento::EsitoSalva::Salvato);

    Documento other(settings, defaults);
    ui.openChoices.push_back(dir.file("inverno.TRV"));
    ASSERT_TRUE(other.apri(ui));
    EXPECT_EQ(other.lavoro.NumPunti, 5);
    EXPECT_EQ(other.nome(), "inverno");
    EXPECT_EQ(settings.DIR_LAVORI, dir.prefix());
    EXPECT_EQ(ui.revisioneEnabled, true);
    ASSERT_FALSE(ui.reviews.empty());
    EXPECT_EQ(ui.reviews.back(), 3);
    EXPECT_FALSE(other.modificato);
}

TEST_F(DocumentCommands, AnUnrecognisedFileChangesNothing) {
    TempDir::writeText(dir.file("foto.jpg"), "\xFF\xD8\xFF\xE0 not a work file at all");
    doc.lavoro.NumPunti = 7;
    ui.openChoices.push_back(dir.file("foto.jpg"));
    EXPECT_FALSE(doc.apri(ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Il file " + dir.file("foto.jpg") + "\rnon è riconosciuto!");
    EXPECT_EQ(doc.lavoro.NumPunti, 7);
    // The rejected file does not become the current one: a later save
    // cannot overwrite it.
    EXPECT_EQ(doc.nome(), "<senza nome>");
}

TEST_F(DocumentCommands, AFailedReadLeavesTheWorkInMemory) {
    doc.modificato = true;
    doc.lavoro.CodiceChart = 9; // not in the catalogue
    ui.saveChoices.push_back(dir.file("orfano.TRV"));
    ASSERT_EQ(doc.salva(ui), Documento::EsitoSalva::Salvato);

    Documento other(settings, defaults);
    other.lavoro.NumPunti = 2;
    other.lavoro.CodiceChart = 1;
    ui.openChoices.push_back(dir.file("orfano.TRV"));
    EXPECT_FALSE(other.apri(ui));
    EXPECT_EQ(other.lavoro.NumPunti, 2);
    EXPECT_EQ(other.lavoro.CodiceChart, 1);
    EXPECT_NE(ui.messages.back().find("diagramma 9"), std::string::npos);
}

TEST_F(DocumentCommands, OpeningAMissingFileStartsItWithTheWorkInMemory) {
    doc.lavoro.NumPunti = 4;
    doc.testata.Progetto.assegna("vecchio");
    ASSERT_TRUE(doc.apriPercorso(ui, dir.file("nuovo")));
    EXPECT_EQ(doc.lavoro.NumPunti, 4);
    EXPECT_EQ(doc.testata.Progetto.testo(), "");
    EXPECT_EQ(doc.nome(), "nuovo");
    EXPECT_EQ(doc.estensione(), ".TRV");
    EXPECT_EQ(doc.percorso(), dir.file("nuovo.TRV"));
}

TEST_F(DocumentCommands, SaveAsWritesExactlyThePathGiven) {
    ASSERT_TRUE(doc.salvaCome(dir.file("copia.json")).ok);
    EXPECT_TRUE(fileExists(dir.file("copia.json")));
    ASSERT_TRUE(doc.salvaCome(dir.file("senza")).ok);
    EXPECT_TRUE(fileExists(dir.file("senza")));
    EXPECT_FALSE(doc.salvaCome(dir.file("manca/x.TRV")).ok);
}

TEST_F(DocumentCommands, UndoAndRedo) {
    doc.ripristinaValido(ui); // nothing valid yet: nothing happens
    EXPECT_EQ(ui.plantRefreshes, 0);

    doc.lavoro.NumPunti = 5;
    doc.salvaValido();
    doc.lavoro.NumPunti = 9;
    doc.lavoro.CodiceErrore = 4;
    doc.mostraNonValido(ui); // nothing kept yet
    EXPECT_EQ(doc.lavoro.NumPunti, 9);

    doc.ripristinaValido(ui);
    EXPECT_EQ(doc.lavoro.NumPunti, 5);
    EXPECT_EQ(doc.lavoro.CodiceErrore, 0);
    doc.mostraNonValido(ui);
    EXPECT_EQ(doc.lavoro.CodiceErrore, 4);
    doc.lavoro.NumPunti = 1;
    doc.mostraNonValido(ui); // can be repeated
    EXPECT_EQ(doc.lavoro.NumPunti, 9);
    EXPECT_EQ(ui.plantRefreshes, 3);
}

TEST_F(DocumentCommands, SavingAnOlderFileRewritesItInTheCurrentLayout) {
    std::vector<std::uint8_t> old(14146, 0);
    TTestataLavoro h;
    h.Firma.assegna("TRV~201");
    std::vector<std::uint8_t> head(TTestataLavoro::Size);
    encode(h, head);
    std::copy(head.begin(), head.end(), old.begin());
    bytes::putInt<std::int16_t>(bytes::Image(old), 2098 + 12040, 1);
    TempDir::write(dir.file("vecchio.TRV"), old);

    ASSERT_TRUE(doc.apriPercorso(ui, dir.file("vecchio.TRV")));
    EXPECT_EQ(doc.testata.Firma.testo(), "TRV~202");
    doc.modificato = true;
    ASSERT_EQ(doc.salva(ui), Documento::EsitoSalva::Salvato);
    EXPECT_EQ(TempDir::read(dir.file("vecchio.TRV")).size(), 14162u);
}

} // namespace
} // namespace tarvelo
