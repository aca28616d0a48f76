// The points of the work in a read-only table: "Tabella condizioni
// termofisiche dei punti" beside the diagram, and the same table in the
// modal picker "Seleziona il punto da collegare" of the treatment dialog.
// Only points in use are listed; each row keeps its point's number.
#pragma once

#include "document/work_records.h"

#include <QDialog>
#include <QWidget>

#include <optional>

class QTableWidget;

namespace tarvelo {

// Fills a table with the points in use of `lavoro` (x in g/kg, h in
// kJ/kg); the point number of a row is its item's user data.
void riempiTabellaPunti(QTableWidget* tabella, const TLavoro& lavoro);
// The point number shown in `riga`, 0 when there is none.
int puntoDellaRiga(const QTableWidget* tabella, int riga);

class TFormCondizioniPunti : public QWidget {
  public:
    explicit TFormCondizioniPunti(const TLavoro& lavoro, QWidget* parent = nullptr);

    // Takes the points again and repaints once.
    void AggiornaTabellaPunti();
    QTableWidget* tabella() const { return tabella_; }

  private:
    const TLavoro& lavoro_;
    QTableWidget* tabella_;
};

class TFormSelPunto : public QDialog {
  public:
    explicit TFormSelPunto(const TLavoro& lavoro, QWidget* parent = nullptr);
    QTableWidget* tabella() const { return tabella_; }
    // The number of the point on the active row (0 when none).
    int scelto() const;

  private:
    QTableWidget* tabella_;
};

// Shows the picker modally: the number of the chosen point, or nothing
// when it was cancelled or the work has no point.
std::optional<int> ScegliPunto(const TLavoro& lavoro, QWidget* parent);

} // namespace tarvelo
