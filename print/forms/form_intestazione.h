// "Intestazione foglio di stampa": the texts of the sheet's title block and
// footer, kept in the work document.
#pragma once

#include "document/work_records.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace tarvelo {

class TDlgIntestazionePag : public QDialog {
  public:
    TDlgIntestazionePag(TTestataLavoro& testata, TLavoro& lavoro, bool emulazioneDosInvio,
                        QWidget* parent = nullptr);

    // Stores the four fields back (OK); the caller marks the work modified.
    void salva();

    QPlainTextEdit* memoProgetto() const { return progetto_; }
    QLineEdit* fldNumFoglio() const { return numFoglio_; }
    QLineEdit* fldDescriFoglio() const { return descrizione_; }
    QLineEdit* fldPiePagina() const { return piePagina_; }

  private:
    TTestataLavoro& testata_;
    TLavoro& lavoro_;
    QPlainTextEdit* progetto_;
    QLineEdit* numFoglio_;
    QLineEdit* descrizione_;
    QLineEdit* piePagina_;
};

} // namespace tarvelo
