// The program's help: a window of short Italian pages, opened at the
// context numbers the dialogs give.
#pragma once

#include <QString>

class QWidget;

namespace tarvelo::ui {

// Opens (or brings forward) the help window at a context.
void apriAiuto(int contesto, QWidget* parent = nullptr);
// The page of a context, as HTML; a context without a page of its own gets
// the general page with a note.
QString paginaAiuto(int contesto);

} // namespace tarvelo::ui
