// The main window: a small always-on-top window with the menus and the
// toolbar that reach every command; the work is done in the windows it
// opens, which it arranges once by screen size.
#pragma once

#include "app/forms/session.h"
#include "ui/qt_document_ui.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>

#include <memory>

class QAction;
class QLineEdit;
class QToolButton;

namespace tarvelo {

class TFormDiagramma;
class TFormDisplay;

inline constexpr const char* MsgNonDisponibile =
    "Questa funzione non è ancora disponibile in questa versione del programma.";

class TFormMain : public QMainWindow {
  public:
    explicit TFormMain(Sessione& sessione);
    ~TFormMain() override;

    TFormDiagramma* diagramma() const { return diagramma_; }
    TFormDisplay* coordinate() const { return display_; }
    QLineEdit* editChart() const { return editChart_; }
    QAction* azioneRevisione() const { return revisione_; }
    ui::QtDocumentUi& documentUi() { return docUi_; }

    // Window arrangement by screen width, done at the first activation.
    void disponiFinestre(const QRect& schermo);

    // Commands.
    void Nuovo();
    void Apri();
    void apriFile(const std::string& path);
    void Salva();
    void SalvaConNome();
    void Descrizione();
    void GeneraChart();
    void SelezionaChart();
    void Calcolatrice();
    void SalvaDefault();
    void Ridisegna();
    void Coordinate();
    void Annulla();
    void Ripeti();
    void aggiornaEditChart();

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void creaMenu();
    // A standard shortcut, also active in the diagram window.
    void scorciatoia(QAction* azione, const QKeySequence& tasto);
    void creaToolbar();
    void nonDisponibile();
    QToolButton* bottone(const char* nome, int x, int y, const QString& testo, const QString& hint,
                         void (TFormMain::*azione)(), int larghezza = 23);

    Sessione& s_;
    Documento& doc_;
    ui::QtDocumentUi docUi_;
    TFormDiagramma* diagramma_ = nullptr;
    TFormDisplay* display_ = nullptr;
    QLineEdit* editChart_ = nullptr;
    QAction* revisione_ = nullptr;
    bool primaAttivazione_ = true;
    QList<QAction*> scorciatoie_;
};

} // namespace tarvelo
