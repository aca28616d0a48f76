// The altitude and pressure frame: a vertical track bar from -500 to 3500 m,
// an altitude field and a drawn scale of altitude against pressure.
#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>

class QSlider;
class QPaintEvent;

namespace tarvelo {

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
    void fldAltitudeChange();

  private:
    class Disegno;
    void ridisegna();

    QSlider* track_;
    ui::CampoMaschera* campo_;
    QWidget* paint_;
    QPixmap bitmap_;
    double pressione_ = 101325.0;
    bool rientro_ = false;
};

} // namespace tarvelo
