// The altitude and pressure frame: a vertical track bar from -500 to 3500 m,
// an altitude field and a drawn scale of altitude against pressure.
#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QLabel;
class QSlider;
class QPaintEvent;

namespace tarvelo {

// The travel of the track bar: a typed altitude outside it is refused.
inline constexpr int AltitudineMinima = -500, AltitudineMassima = 3500;
inline constexpr const char* MsgAltitudineFuoriCampo =
    "Altitudine fuori campo: scrivere un valore da -500 a 3500 m.";

namespace ui {
class CampoMaschera;
}

class TFrmInterpola : public QWidget {
  public:
    explicit TFrmInterpola(QWidget* parent = nullptr);

    // Sets the pressure (Pa); the shown altitude and the frame's pressure
    // follow the track bar's travel.
    void impostaPressione(double p);
    double pressione() const { return pressione_; }
    int altitudine() const;
    QSlider* trackBar() const { return track_; }
    ui::CampoMaschera* campoAltitudine() const { return campo_; }

    // Called after every change of the frame's pressure.
    std::function<void()> onCambio;

    void TrackBar1Change();
    // False when the text is not an altitude the frame can take.
    bool fldAltitudeChange();
    // The refusal shown under the field, empty when there is none.
    QString avviso() const;

  private:
    class Disegno;
    void ridisegna();

    QSlider* track_;
    ui::CampoMaschera* campo_;
    QWidget* paint_;
    QLabel* avviso_;
    QPixmap bitmap_;
    double pressione_ = 101325.0;
    bool rientro_ = false;
    std::optional<int> inizioModifica_;             // the altitude before the typing began
    std::vector<std::pair<QString, int>> digitate_; // texts taken while typing
};

} // namespace tarvelo
