// The document's questions and file dialogs as the user meets them.
#pragma once

#include "document/document.h"

#include <functional>

class QWidget;

namespace tarvelo::ui {

class QtDocumentUi : public DocumentUi {
  public:
    explicit QtDocumentUi(QWidget* parent) : parent_(parent) {}

    Risposta chiediSalvaPrecedente() override;
    std::optional<std::string> scegliFileDaAprire() override;
    std::optional<std::string> scegliFileDaSalvare() override;
    void informa(const std::string& messaggio) override;
    std::string dataBreve() override;

    void mostraChart(int codice, int codicePrecedente) override;
    void aggiornaTitolo(const std::string& titolo) override;
    void abilitaRevisione(bool abilitata) override;
    void ridisegna() override;
    void aggiornaDettaglio() override;
    void aggiornaDialogoImpianto() override {}
    void apriRevisione(std::uint8_t tipoImpianto) override;

    // The windows that react, set by the main window.
    std::function<void(int, int)> onMostraChart;
    std::function<void(const std::string&)> onTitolo;
    std::function<void(bool)> onRevisione;
    std::function<void()> onRidisegna;
    std::function<void()> onDettaglio;
    std::function<void(std::uint8_t)> onApriRevisione;
    std::string cartellaIniziale;

  private:
    QWidget* parent_;
};

} // namespace tarvelo::ui
