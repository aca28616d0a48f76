// "Anteprima di stampa": the pages of the page file TEMP.RPP, paged and
// zoomed, and sent to the printer page by page or all together.
#pragma once

#include "print/report_recording.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;

namespace tarvelo {

// The file dialog that asks where a PDF goes, starting from `proposto`; ""
// when the user gives up. A name without extension gets ".pdf".
std::string chiediNomePdf(QWidget* parent, const std::string& proposto);

class TFormAnteprima : public QDialog {
  public:
    TFormAnteprima(std::string rpp, QPrinter& printer, QWidget* parent = nullptr);

    // Reads the page file and shows page 1 at the page width; false (with
    // the reason in errore()) when the file cannot be read.
    bool Avvia();

    void vaiAPagina(int n); // 1-based
    int pagina() const { return pagina_; }
    int numeroPagine() const { return static_cast<int>(r_.pagine.size()); }
    double zoom() const { return zoom_; }
    void zoomLarghezza();
    void zoomPagina();
    void zoomPiu();
    void zoomMeno();
    void stampaPaginaCorrente();
    void stampaTutto();
    // "Esporta PDF": the pages shown, as a PDF on their own paper.
    void esportaPdf();
    const std::string& errore() const { return errore_; }
    // What a print sends (a test may replace it): first and last page.
    std::function<Esito(const Registrazione&, int, int)> stampa;
    // Asks where the PDF goes (a test may replace it); "" to give up.
    std::function<std::string(const std::string& proposto)> chiediFilePdf;

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void mostra();
    void imposta(double zoom);
    void stampaPagine(int da, int a);

    std::string rpp_;
    QPrinter& printer_;
    Registrazione r_;
    std::string errore_;
    int pagina_ = 1;
    double zoom_ = 100; // percent of the page at screen resolution
    bool avviata_ = false;
    QScrollArea* area_;
    QLabel* foglio_;
    QComboBox* cmbPagine;
    QLabel* lbTotPag;
    QLabel* lbStato; // the printer's status while a job goes to it
};

} // namespace tarvelo
