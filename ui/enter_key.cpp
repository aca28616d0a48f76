#include "ui/enter_key.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace tarvelo::ui {

InvioComeTab::InvioComeTab(QDialog* dialog) : QObject(dialog), dialog_(dialog) {}

bool InvioComeTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && w->property("tag").toInt() == 2)
        return false; // a memo keeps Enter
    QWidget* next = w ? w->nextInFocusChain() : nullptr;
    for (int guard = 0; next && guard < 200; ++guard, next = next->nextInFocusChain()) {
        if (next != w && next->isEnabled() && next->isVisible() &&
            (next->focusPolicy() & Qt::TabFocus) && next->property("tag").toInt() == 0 &&
            next->window() == dialog_)
            break;
    }
    if (next)
        next->setFocus(Qt::TabFocusReason);
    return true; // Enter is swallowed
}

void applicaConvenzioneInvio(QDialog* dialog, QPushButton* ok, bool emulazione) {
    if (ok) {
        ok->setAutoDefault(false);
        ok->setDefault(!emulazione);
    }
    if (!emulazione)
        return;
    auto* filter = new InvioComeTab(dialog);
    for (QWidget* w : dialog->findChildren<QWidget*>())
        w->installEventFilter(filter);
}

} // namespace tarvelo::ui
