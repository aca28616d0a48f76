#include "ui/masked_field.h"

#include "engine/decimal_text.h"
#include "engine/format_mask.h"
#include "engine/number_parse.h"
#include "engine/text.h"
#include "ui/locale_text.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace tarvelo::ui {

CampoMaschera::CampoMaschera(const std::string& mask, QWidget* parent) : QLineEdit(parent) {
    setMask(mask);
    // setText clears the edited flag before it signals the change, so a
    // text set from outside (the accessibility interface) is marked here.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!impostando_)
            setModified(true);
    });
}

void CampoMaschera::setMask(const std::string& mask) {
    mask_ = mask;
    const bool onlyI = !mask.empty() && mask.find_first_not_of('i') == std::string::npos;
    const bool onlyNine = !mask.empty() && mask.find_first_not_of('9') == std::string::npos;
    integer_ = onlyI || onlyNine;
    negative_ = !onlyNine;
    decimals_ = 0;
    if (!integer_) {
        const auto point = mask.find_last_of(".,");
        if (point != std::string::npos)
            decimals_ = static_cast<int>(mask.size() - point - 1);
    }
    // A lone "i" is an integer of any length (the field's own limit applies).
    const int digits = mask == "i" ? 10 : static_cast<int>(mask.size());
    QString pattern = negative_ ? QStringLiteral("[-+]?") : QString();
    pattern += QStringLiteral("\\d{0,%1}").arg(std::max(1, digits));
    if (decimals_ > 0)
        pattern += QStringLiteral("([.,]\\d{0,%1})?").arg(decimals_);
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    setMaxLength(digits + 2);
}

std::optional<double> CampoMaschera::valore() const {
    return parseNumber(text().toStdString());
}

void CampoMaschera::setValore(double v) {
    std::string t;
    if (integer_)
        t = FloatToStrFixed(v, 15, 0);
    else
        t = TogliSpazi(FormatMask(mask_, v));
    impostando_ = true;
    setText(testoNumero(cp1252ToUtf8(t)));
    impostando_ = false;
}

} // namespace tarvelo::ui
