// The program's help: a window of short Italian pages, opened at the
// context numbers the dialogs give.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tarvelo::ui {

// Opens (or brings forward) the help window at a context.
void apriAiuto(int contesto, QWidget* parent = nullptr);
// The page of a context, as HTML; a context without a page of its own gets
// the general page with a note.
QString paginaAiuto(int contesto);

// F1 anywhere in `finestra` runs `apri` (the window's own page), ahead of
// the program's F1, which is a shortcut of the whole application.
void tastoAiuto(QWidget* finestra, std::function<void()> apri);

} // namespace tarvelo::ui
