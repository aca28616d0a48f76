#include "document/document.h"

#include "document/work_record_ops.h"

namespace tarvelo {

Documento::Documento(TDriveMdl& settings, const TDefault& defaults)
    : settings_(settings), defaults_(defaults) {}

std::string Documento::percorso() const {
    // A name without extension is the name itself, not "name.".
    return settings_.DIR_LAVORI + nome_ + (estensione_ == "." ? "" : estensione_);
}

void Documento::inizializzaTestata(const std::string& dataBreve) {
    testata = TTestataLavoro{};
    testata.Firma.assegna(FirmaCorrente);
    testata.PiePagina.assegna(dataBreve);
    testata.NumFoglio.assegna("001");
    testata.UmStampa = defaults_.UmPortataDef;
    testata.SenzaNome = 1;
    testata.CalcoliValidi = 0;
    estensione_ = EstensioneLavoro;
}

void Documento::impostaPercorso(const PercorsoDiviso& p) {
    nome_ = p.nome;
    estensione_ = p.estensione;
    settings_.DIR_LAVORI = p.cartella;
}

bool Documento::lasciaPrecedente(DocumentUi& ui) {
    // A work that should have been saved and was not (a failed write, a
    // cancelled question or save dialog) is not dropped.
    const EsitoSalva e = salva(ui, true);
    return e != EsitoSalva::Fallito && e != EsitoSalva::Annullato;
}

void Documento::nuovo(DocumentUi& ui) {
    if (!lasciaPrecedente(ui))
        return;
    testata.SenzaNome = 1;
    testata.CalcoliValidi = 0;
    nome_ = SenzaNomeFile;
    ui.aggiornaTitolo(titolo());
    ui.abilitaRevisione(false);
    lavoro.NumTrattamenti = 0;
    ui.ridisegna();
    ui.aggiornaDettaglio();
}

bool Documento::apri(DocumentUi& ui) {
    const auto chosen = ui.scegliFileDaAprire();
    if (!chosen)
        return false;
    return apriPercorso(ui, *chosen);
}

bool Documento::apriPercorso(DocumentUi& ui, const std::string& path, bool offriSalvataggio) {
    if (offriSalvataggio && !lasciaPrecedente(ui))
        return false;
    const int chartPrecedente = lavoro.CodiceChart;
    const TestataLetta t = leggiTestata(path);
    if (t.esito == Riconoscimento::NonRiconosciuto) {
        ui.informa(t.io.ok ? "Il file " + path + "\rnon è riconosciuto!" : t.io.errore);
        return false;
    }
    if (t.esito == Riconoscimento::Riconosciuto) {
        // Everything is read into scratch records first: a failed read
        // leaves the work in memory as it was.
        FoglioLetto foglio;
        if (Esito e = leggiFoglio(path, settings_.archivio(), foglio); !e.ok) {
            ui.informa("Impossibile aprire il lavoro: " + e.errore);
            return false;
        }
        if (rifiutaValoriNonValidi) {
            if (const std::string v = valoreNonValido(foglio.lavoro); !v.empty()) {
                ui.informa("Il lavoro " + path +
                           "\rnon è stato aperto: contiene un valore non valido (" + v +
                           "): un numero mancante o fuori da ogni grandezza reale.");
                return false;
            }
        }
        testata = t.testata;
        lavoro = foglio.lavoro;
        if (foglio.vecchioFormato)
            testata.Firma.assegna(FirmaCorrente);
    } else {
        inizializzaTestata(ui.dataBreve());
    }
    impostaPercorso(dividiPercorso(path));
    if (t.esito == Riconoscimento::Mancante)
        estensione_ = EstensioneLavoro; // as for every new document
    ui.mostraChart(lavoro.CodiceChart, chartPrecedente);
    ui.aggiornaTitolo(titolo());
    ui.aggiornaDettaglio();
    ui.abilitaRevisione(testata.CalcoliValidi != 0);
    revisione(ui);
    return true;
}

Esito Documento::scrivi() {
    return scriviFileLavoro(percorso(), testata, lavoro);
}

Documento::EsitoSalva Documento::salva(DocumentUi& ui, bool conDomanda) {
    if (!modificato)
        return EsitoSalva::NienteDaSalvare;
    if (conDomanda) {
        switch (ui.chiediSalvaPrecedente()) {
        case DocumentUi::Risposta::No:
            return EsitoSalva::Rifiutato;
        case DocumentUi::Risposta::Annulla:
            return EsitoSalva::Annullato;
        case DocumentUi::Risposta::Si:
            break;
        }
    }
    if (testata.SenzaNome == 1) {
        const auto chosen = ui.scegliFileDaSalvare();
        if (!chosen)
            return EsitoSalva::Annullato;
        return scriviConNome(ui, *chosen);
    }
    if (Esito e = scrivi(); !e.ok) {
        ui.informa("Lavoro non salvato: " + e.errore);
        return EsitoSalva::Fallito;
    }
    modificato = false;
    return EsitoSalva::Salvato;
}

Documento::EsitoSalva Documento::salvaConNome(DocumentUi& ui) {
    const auto chosen = ui.scegliFileDaSalvare();
    if (!chosen)
        return EsitoSalva::Annullato;
    return scriviConNome(ui, *chosen);
}

Documento::EsitoSalva Documento::scriviConNome(DocumentUi& ui, const std::string& path) {
    const std::string previousName = nome_, previousExt = estensione_,
                      previousDir = settings_.DIR_LAVORI;
    const std::uint8_t senzaNome = testata.SenzaNome;
    PercorsoDiviso p = dividiPercorso(path);
    if (p.estensione == ".")
        p.estensione = EstensioneLavoro;
    impostaPercorso(p);
    testata.SenzaNome = 0;
    if (Esito e = scrivi(); !e.ok) {
        // Nothing was written: the document keeps its name and stays modified.
        testata.SenzaNome = senzaNome;
        nome_ = previousName;
        estensione_ = previousExt;
        settings_.DIR_LAVORI = previousDir;
        ui.informa("Lavoro non salvato: " + e.errore);
        return EsitoSalva::Fallito;
    }
    ui.aggiornaTitolo(titolo());
    modificato = false;
    return EsitoSalva::Salvato;
}

Esito Documento::salvaCome(const std::string& path) {
    const PercorsoDiviso p = dividiPercorso(path);
    const bool senzaNome = testata.SenzaNome;
    testata.SenzaNome = 0;
    // A path given in full is written as it stands.
    if (Esito e = scriviFileLavoro(path, testata, lavoro); !e.ok) {
        testata.SenzaNome = senzaNome;
        return e;
    }
    impostaPercorso(p);
    modificato = false;
    return {};
}

void Documento::salvaValido() {
    *valido_ = lavoro;
    validoPresente_ = true;
}

void Documento::ripristinaValido(DocumentUi& ui) {
    // Before any calculation there is no valid work to go back to.
    if (!validoPresente_)
        return;
    *nonValido_ = lavoro;
    nonValidoConservato_ = true;
    lavoro = *valido_;
    ui.aggiornaDialogoImpianto();
}

void Documento::mostraNonValido(DocumentUi& ui) {
    if (!nonValidoConservato_)
        return;
    lavoro = *nonValido_;
    ui.aggiornaDialogoImpianto();
}

void Documento::revisione(DocumentUi& ui) {
    ui.apriRevisione(lavoro.TipoImpianto);
    ui.ridisegna();
}

} // namespace tarvelo
