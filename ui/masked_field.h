// A numeric entry field with a picture mask: it accepts what the mask
// accepts (digits, a sign where the mask has a sign or the field is free,
// the decimal point where the mask has decimals; "," is taken as the point)
// and shows values laid out by FormatMask, blanks trimmed, with the
// locale's decimal separator. Any change of its text that is not the
// program's (typing, pasting, an assistive tool setting its value) marks it
// as edited (isModified).
#pragma once

#include <QLineEdit>

#include <optional>
#include <string>

namespace tarvelo::ui {

class CampoMaschera : public QLineEdit {
  public:
    // Masks: "###.##", "-####" and the like; "i", "iiii" for integers;
    // "9999999999" or "999" for unsigned integers.
    explicit CampoMaschera(const std::string& mask, QWidget* parent = nullptr);

    void setMask(const std::string& mask);
    const std::string& mask() const { return mask_; }

    // The value typed, or nothing when the text is not a number.
    std::optional<double> valore() const;
    double valoreOr(double fallback) const { return valore().value_or(fallback); }
    // Shows a value; the field does not count as edited.
    void setValore(double v);
    // True while setValore puts its text in: a change then is the
    // program's, not the user's.
    bool impostando() const { return impostando_; }

  private:
    std::string mask_;
    int decimals_ = 0;
    bool integer_ = false;
    bool negative_ = true;
    bool impostando_ = false;
};

} // namespace tarvelo::ui
