// The splash window shown at start-up and the "Informazioni" box.
#pragma once

#include <QDialog>

namespace tarvelo {

// Borderless, centred, 780 × 306: the picture, "TARVELO" and the version
// line; closes after 10 s, on a click or on a key.
class TFormSplash : public QDialog {
  public:
    explicit TFormSplash(QWidget* parent = nullptr, int millisecondi = 10000);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

class TFormInfo : public QDialog {
  public:
    explicit TFormInfo(QWidget* parent = nullptr);
};

inline constexpr const char* NomeProdotto = "TARVELO";
inline constexpr const char* RigaVersione = "ver. 2.0  1996 - 2006";

} // namespace tarvelo
