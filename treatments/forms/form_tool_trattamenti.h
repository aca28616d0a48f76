// "SELEZIONA UN TRATTAMENTO": the palette of twelve picture buttons, six
// plant configurations (A..F, Tags 0..5) and six elementary treatments that
// start a new sequence (Tags 1..6).
#pragma once

#include <QWidget>

#include <functional>

class QToolButton;

namespace tarvelo {

class TFormToolTrattamenti : public QWidget {
  public:
    explicit TFormToolTrattamenti(QWidget* parent = nullptr);

    // What the main window does with a button's Tag; the palette has been
    // closed by then.
    std::function<void(int)> onImpianto;
    std::function<void(int)> onTrattamento;

    QToolButton* bottone(const char* nome) const;

  private:
    void SpeedButton1Click(int tag);
    void btnMiscelaClick(int tag);
};

} // namespace tarvelo
