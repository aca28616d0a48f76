// "Stampa": prints the drawing sheet of the work, or previews it, with the
// flow unit of the tables, colour or black and white, the page header and
// the printer's setup; a waiting page shows the chart in small and the
// section being composed.
#pragma once

#include "document/file_io.h"
#include "document/work_records.h"
#include "print/stampa_foglio.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace tarvelo {

struct Registrazione;

struct ContestoStampa {
    TLavoro& lavoro;
    TTestataLavoro& testata;
    std::string dirArchivi;
    std::string cartellaAnteprima; // where TEMP.RPP is written
    std::string nomeFile;          // empty for a work never saved
    bool& monocromatico;           // shared by every print of the session
    bool emulazioneDosInvio = false;
    std::function<void()> modificato; // the page header changed the work
    // The limits of the engineering checks: with them the dialog offers the
    // "VERIFICHE" box of the warnings, on by default.
    const LimitiVerifiche* limiti = nullptr;
};

class TDlgStampa : public QDialog {
  public:
    explicit TDlgStampa(ContestoStampa contesto, QWidget* parent = nullptr);
    ~TDlgStampa() override;

    void OKBtnClick();
    void btnAnteprimaClick();
    void btnSalvaPdfClick();
    void BtnIntestaClick();
    void BtnImpostaStampanteClick();

    QPrinter& printer() { return *printer_; }
    // The last failure of a print, a preview or a PDF ("" when none).
    const std::string& errore() const { return errore_; }
    // Opens the preview on the page file (a test may replace it).
    std::function<void(const std::string& rpp, QPrinter& printer)> apriAnteprima;
    // Asks where the PDF goes, proposing a name; "" when the user gives up
    // (a test may replace it).
    std::function<std::string(const std::string& proposto)> chiediFilePdf;
    // Sends the pages to the printer (a test may replace it).
    std::function<Esito(const Registrazione& r, QPrinter& printer)> invia;

  private:
    void FormCreate();
    void aggiornaStampante();
    // Shows the waiting page while `lavoro` composes with the progress it
    // reports; `file` when the pages go to a file rather than a printer.
    Esito inAttesa(bool file, const std::function<Esito(const AvanzamentoStampa&)>& lavoro);
    bool componi(bool anteprima, Registrazione& r);
    DatiStampa dati() const;
    void memorizzaUnita();
    void fallito(const std::string& messaggio);

    ContestoStampa c_;
    std::unique_ptr<QPrinter> printer_;
    bool haStampante_ = false;
    std::string errore_;
    QStackedWidget* pagine_;
    QRadioButton* radLs_;
    QRadioButton* radM3h_;
    QCheckBox* CkColore;
    QCheckBox* CkVerifiche;
    QLabel* LblStampanteAttiva;
    QLabel* PbAttesa;
    QLabel* lbEvoluzioneStampa;
    QLabel* Label2;
    QPushButton* OKBtn;
};

} // namespace tarvelo
