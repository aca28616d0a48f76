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

class TFormCalcAuto1;
class TFormCalcUte;
class TFormCondizioniPunti;
class TFormDiagramma;
class TFormDisplay;
class TFormToolTrattamenti;
class TFormVediFile;

class TFormMain : public QMainWindow {
  public:
    explicit TFormMain(Sessione& sessione);
    ~TFormMain() override;

    TFormDiagramma* diagramma() const { return diagramma_; }
    TFormDisplay* coordinate() const { return display_; }
    TFormToolTrattamenti* palette() const { return palette_; }
    TFormCondizioniPunti* tabellaPunti() const { return tabellaPunti_; }
    TFormVediFile* dettaglio() const { return dettaglio_; }
    TFormCalcAuto1* dialogoImpianto() const { return impianto_; }
    QLineEdit* editChart() const { return editChart_; }
    QAction* azioneRevisione() const { return revisione_; }
    ui::QtDocumentUi& documentUi() { return docUi_; }

    // Window arrangement by screen width, done at the first activation.
    void disponiFinestre(const QRect& schermo);

    // Commands.
    void Nuovo();
    void Apri();
    void apriFile(const std::string& path);
    // The work named on the command line: opened once the windows have
    // been arranged at the first activation.
    void apriAllAvvio(const std::string& path);
    void Salva();
    void SalvaConNome();
    void Descrizione();
    void Stampa();
    void GeneraChart();
    void SelezionaChart();
    void Calcolatrice();
    void SalvaDefault();
    void Ridisegna();
    void Coordinate();
    // "&1. Miscela" ... "&6. Unione": a new sequence of manual treatments.
    void Trattamento(int tag);
    // The treatment dialog on kind code 1..6 or 0 (revision); true when the
    // user ended the sequence.
    bool ApriTrattamenti(int codice);
    void Revisione();
    // "&A." ... "&F." and the palette's plant buttons: a Tag 0..5 becomes
    // TipoImpianto; any other opens the dialog on the configuration stored.
    void Impianto(int tag);
    void ApriImpianto(bool revisione, int tipo = -1);
    void GalleriaTrattamenti();
    void CondizioniPunti();
    void DettaglioCalcolo();
    // The points table and the detail, when they exist, from the work.
    void aggiornaFinestre();

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
    QToolButton* bottone(const char* nome, int x, int y, const QString& testo, const QString& hint,
                         void (TFormMain::*azione)(), int larghezza = 23);

    Sessione& s_;
    Documento& doc_;
    ui::QtDocumentUi docUi_;
    TFormDiagramma* diagramma_ = nullptr;
    TFormDisplay* display_ = nullptr;
    TFormToolTrattamenti* palette_ = nullptr;
    TFormCondizioniPunti* tabellaPunti_ = nullptr;
    TFormVediFile* dettaglio_ = nullptr;
    TFormCalcUte* dialogoTrattamenti_ = nullptr;
    TFormCalcAuto1* impianto_ = nullptr;
    // Beside the diagram when there is room, else over its upper-left
    // corner, which lies above the saturation curve on every chart.
    void collocaDialogo(QWidget* dialogo);
    // After undo or redo: the views and the plant dialog follow the work.
    void dopoAnnullaRipeti();
    // The plant dialog hidden and freed.
    void chiudiImpianto();
    // After a chart change: a work calculated at another pressure is
    // pointed out, and recalculated at the new one if the user wants.
    void controllaPressione(double calcolata);
    QLineEdit* editChart_ = nullptr;
    QAction* revisione_ = nullptr;
    bool primaAttivazione_ = true;
    std::string fileAvvio_;
    // The windows placed around the diagram, once.
    void primaDisposizione();
    bool monocromatico_ = true; // the sheet in black and white until "Colore" is ticked
    QList<QAction*> scorciatoie_;
};

} // namespace tarvelo
