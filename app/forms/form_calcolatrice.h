// "Calcolatrice  psicrometrica": an air state from dry bulb and one other
// property at the pressure of the altitude frame. It never changes the work;
// the engine's pressure is put back when it closes.
#pragma once

#include <QDialog>

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;

namespace tarvelo {

namespace ui {
class CampoMaschera;
}
class TFrmInterpola;

// What the calculator hands back with "Riporta" (UR fraction, x kg/kg,
// h J/kg).
struct StatoRiportato {
    double tbs = 0, UR = 0, x = 0, h = 0, tbu = 0, tdp = 0, rd = 0, rm = 0;
};

class TFormCalcolatriceAria : public QDialog {
  public:
    // Enter always moves to the next field here, whatever the option says.
    TFormCalcolatriceAria(int modo, double tbs, double tbu, double x, double UR,
                          QWidget* parent = nullptr);
    ~TFormCalcolatriceAria() override;

    // Opens the calculator modally; true with the state when closed with
    // "Riporta".
    static bool apri(QWidget* parent, int modo, double tbs, double tbu, double x, double UR,
                     StatoRiportato* out);

    void BtnCalcolaClick();
    void radInputClick(int modo);
    StatoRiportato stato() const;
    QString valore(int riga) const;
    // The message beside the results: why there is no state, or a warning.
    QString messaggio() const;
    ui::CampoMaschera* fld1() const { return fld1_; }
    ui::CampoMaschera* fld2() const { return fld2_; }
    TFrmInterpola* frame() const { return frame_; }
    QPushButton* okBtn() const { return ok_; }
    QPushButton* cancelBtn() const { return cancel_; }

  protected:
    void done(int result) override;

  private:
    double patmIniziale_;
    int modo_;
    // Working values in display units: x g/kg, h kJ/kg, UR %.
    double tbs_, tbu_, x_, h_ = 0, UR_, tdp_ = 0, rd_ = 0, rm_ = 0;
    bool valido_ = true; // the state exists: "Riporta" can hand it back
    QButtonGroup* radInput_;
    ui::CampoMaschera* fld1_;
    ui::CampoMaschera* fld2_;
    QLabel* lbIn2_;
    QLabel* lbUm2_;
    TFrmInterpola* frame_;
    std::array<QLabel*, 11> valori_{};
    QLabel* messaggio_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace tarvelo
