// The work document and its commands: "Nuovo", "Apri", "Salva", undo
// ("Ripristina ultima condizione valida"), redo ("Mostra ultima condizione
// non valida") and "&Revisione". The questions, file dialogs and window
// updates they need come from the user interface through DocumentUi.
#pragma once

#include "document/defaults_archive.h"
#include "document/settings.h"
#include "document/work_file.h"
#include "document/work_records.h"

#include <memory>
#include <optional>
#include <string>

namespace tarvelo {

inline constexpr const char* SenzaNomeFile = "<senza nome>";
inline constexpr const char* EstensioneLavoro = ".TRV";
inline constexpr const char* FiltroFileLavoro = "Tarvex|*.TRV|Tutti i files|*.*";
inline constexpr const char* DomandaSalvaPrecedente = "Salvo il lavoro precedente?";
inline constexpr const char* TitoloDiagramma = "Diagramma psicrometrico: File: ";

class DocumentUi {
  public:
    virtual ~DocumentUi() = default;
    // "Salvo il lavoro precedente?": Yes saves, No drops the changes,
    // Annulla gives up the command that asked.
    enum class Risposta { Si, No, Annulla };
    virtual Risposta chiediSalvaPrecedente() = 0;
    // The open and save dialogs (filter FiltroFileLavoro); nullopt if cancelled.
    virtual std::optional<std::string> scegliFileDaAprire() = 0;
    virtual std::optional<std::string> scegliFileDaSalvare() = 0;
    // An information box with an OK button.
    virtual void informa(const std::string& messaggio) = 0;
    // The system's short date, for the footer of a new document.
    virtual std::string dataBreve() = 0;

    // Window updates; each is optional for a user interface without them.
    virtual void mostraChart(int /*codice*/, int /*codicePrecedente*/) {}
    virtual void aggiornaTitolo(const std::string& /*titolo*/) {}
    virtual void abilitaRevisione(bool /*abilitata*/) {}
    virtual void ridisegna() {}
    virtual void aggiornaDettaglio() {}
    virtual void aggiornaDialogoImpianto() {}
    // "&Revisione": the treatment dialog (kind 6) or the plant dialog.
    virtual void apriRevisione(std::uint8_t /*tipoImpianto*/) {}
};

class Documento {
  public:
    Documento(TDriveMdl& settings, const TDefault& defaults);

    TLavoro lavoro;
    TTestataLavoro testata;
    bool modificato = false;
    // Opening refuses a work whose values are not numbers or beyond any
    // real size (the window; the commands check for themselves).
    bool rifiutaValoriNonValidi = false;

    // The current file: works folder, name without extension, extension.
    const std::string& nome() const { return nome_; }
    const std::string& estensione() const { return estensione_; }
    std::string percorso() const;
    std::string titolo() const { return TitoloDiagramma + nome_; }

    // The header of a new document (at start-up and when "Apri" names a
    // missing file).
    void inizializzaTestata(const std::string& dataBreve);

    void nuovo(DocumentUi& ui);
    // True when a work was read (or a missing file named).
    bool apri(DocumentUi& ui);
    // Opens the given path as "Apri" does after its dialog; for the command
    // line and for files handed to the program.
    bool apriPercorso(DocumentUi& ui, const std::string& path, bool offriSalvataggio = true);
    enum class EsitoSalva { Salvato, NienteDaSalvare, Rifiutato, Annullato, Fallito };
    // With the question: asks before saving a modified work ("Nuovo", "Apri").
    // A failed write is reported through the user interface; the old file
    // and the modified flag stay as they were.
    EsitoSalva salva(DocumentUi& ui, bool conDomanda = false);
    // "Salva con nome ...": the save dialog, then the work takes the new
    // name and folder, as a first save does.
    EsitoSalva salvaConNome(DocumentUi& ui);
    // Saves to exactly the given path (the command line's --salva).
    Esito salvaCome(const std::string& path);

    // The last valid work, taken after every successful calculation.
    void salvaValido();
    void ripristinaValido(DocumentUi& ui);
    void mostraNonValido(DocumentUi& ui);
    bool haValido() const { return validoPresente_; }
    void revisione(DocumentUi& ui);

  private:
    void impostaPercorso(const PercorsoDiviso& p);
    // The previous work is kept unless it was saved or dropped on purpose.
    bool lasciaPrecedente(DocumentUi& ui);
    EsitoSalva scriviConNome(DocumentUi& ui, const std::string& path);
    Esito scrivi();

    TDriveMdl& settings_;
    const TDefault& defaults_;
    std::string nome_ = SenzaNomeFile;
    std::string estensione_ = EstensioneLavoro;
    std::unique_ptr<TLavoro> valido_ = std::make_unique<TLavoro>();
    std::unique_ptr<TLavoro> nonValido_ = std::make_unique<TLavoro>();
    bool validoPresente_ = false;
    bool nonValidoConservato_ = false;
};

} // namespace tarvelo
