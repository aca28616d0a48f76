// "Dettaglio di calcolo": the lines of RISULT.TXT, read-only, reloaded
// after every calculation.
#pragma once

#include "document/work_records.h"

#include <QWidget>

#include <string>

class QListWidget;

namespace tarvelo {

class TFormVediFile : public QWidget {
  public:
    explicit TFormVediFile(QWidget* parent = nullptr);

    // Rewrites the log of `lavoro` into `cartella` and shows its lines, in
    // one update of the list. A log that cannot be written leaves the list
    // as it was and returns the reason.
    std::string AggiornaDettaglio(const TLavoro& lavoro, const std::string& cartella);

    QListWidget* lista() const { return lista_; }
    QStringList righe() const;

  private:
    QListWidget* lista_;
};

} // namespace tarvelo
