#include "ui/locale_text.h"

#include <QLocale>

namespace tarvelo::ui {

QString testoNumero(const std::string& testo) {
    QString t = QString::fromStdString(testo);
    t.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return t;
}

} // namespace tarvelo::ui
