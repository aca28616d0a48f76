// The Enter-key convention of the dialogs: when "EmulazioneDosInvio" is on,
// Enter moves the focus to the next control, skipping controls whose "tag"
// property is not 0 (a memo with tag 2 keeps Enter for itself), and the
// OK button is not the default button.
#pragma once

#include <QObject>

class QDialog;
class QPushButton;

namespace tarvelo::ui {

class InvioComeTab : public QObject {
  public:
    explicit InvioComeTab(QDialog* dialog);
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QDialog* dialog_;
};

// Applies the convention to a dialog and its OK button.
void applicaConvenzioneInvio(QDialog* dialog, QPushButton* ok, bool emulazioneDosInvio);

} // namespace tarvelo::ui
