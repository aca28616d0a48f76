// Numbers as the user reads them: the core lays decimals out with ".",
// the windows show the separator of the locale the program runs in.
#pragma once

#include <QString>

#include <string>

namespace tarvelo::ui {

// A number laid out by the core (ASCII) with the locale's decimal separator.
QString testoNumero(const std::string& testo);

} // namespace tarvelo::ui
