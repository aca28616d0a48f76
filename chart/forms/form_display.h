// "Coordinate": the floating read-out of the air state under the mouse.
#pragma once

#include "chart/diagram_view.h"

#include <QWidget>

#include <array>

class QLabel;

namespace tarvelo {

class TFormDisplay : public QWidget {
  public:
    explicit TFormDisplay(QWidget* parent = nullptr);

    // Fills the eleven values; gray above saturation (Psat keeps its colour).
    void mostra(const LetturaStato& s);
    QString valore(int riga) const;
    QColor colore(int riga) const;

  private:
    void PopupColoreClick();
    void PopupFontClick();

    std::array<QLabel*, 11> didascalie_{};
    std::array<QLabel*, 11> valori_{};
};

} // namespace tarvelo
