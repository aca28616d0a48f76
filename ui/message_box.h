// Message boxes sized to what they say: a box is at least as wide as its
// caption needs beside the frame's buttons, so a short message does not
// cut its title.
#pragma once

#include <QMessageBox>

namespace tarvelo::ui {

// Widens `box` for its caption; call before exec().
void adattaAlTitolo(QMessageBox& box);

// A box with one OK button, shown modally over `parent`.
void messaggio(QWidget* parent, QMessageBox::Icon icona, const QString& titolo,
               const QString& testo);

inline void informa(QWidget* parent, const QString& titolo, const QString& testo) {
    messaggio(parent, QMessageBox::Information, titolo, testo);
}
inline void avverte(QWidget* parent, const QString& titolo, const QString& testo) {
    messaggio(parent, QMessageBox::Warning, titolo, testo);
}
inline void errore(QWidget* parent, const QString& titolo, const QString& testo) {
    messaggio(parent, QMessageBox::Critical, titolo, testo);
}

} // namespace tarvelo::ui
