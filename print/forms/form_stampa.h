// "Stampa": prints the drawing sheet of the work, or previews it, with the
// flow unit of the tables, colour or black and white, the page header and
// the printer's setup; a waiting page shows the chart in small and the
// section being composed.
#pragma once

#include "document/file_io.h"
#include "document/work_records.h"

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
};

class TDlgStampa : public QDialog {
  public:
    explicit TDlgStampa(ContestoStampa contesto, QWidget* parent = nullptr);
    ~TDlgStampa() override;

    void OKBtnClick();
    void btnAnteprimaClick();
    void BtnIntestaClick();
    void BtnImpostaStampanteClick();

    QPrinter& printer() { return *printer_; }
    // The last failure of a print or a preview ("" when none).
    const std::string& errore() const { return errore_; }
    // Opens the preview on the page file (a test may replace it).
    std::function<void(const std::string& rpp, QPrinter& printer)> apriAnteprima;

  private:
    void FormCreate();
    void aggiornaStampante();
    bool componi(bool anteprima, Registrazione& r);
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
    QLabel* LblStampanteAttiva;
    QLabel* PbAttesa;
    QLabel* lbEvoluzioneStampa;
    QLabel* Label2;
    QPushButton* OKBtn;
};

} // namespace tarvelo
