// The diagram window: the chart in use replayed once into an off-screen
// image, the work's treatments and points over it, the live read-out under
// the mouse, the crosshair, the position marker and the drag handles.
#pragma once

#include "chart/diagram_view.h"
#include "document/document.h"

#include <QFile>
#include <QImage>
#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QStatusBar;
class QTabBar;

namespace tarvelo {

class TFormDisplay;

// What dragging a handle changes in a plant configuration (drag codes
// 0..5); the plant dialog fills it.
struct ImpostaManiglie {
    std::function<void(int codice, double tbs, double UR, double x)> imposta;
};

class TFormDiagramma : public QWidget {
  public:
    TFormDiagramma(Documento& documento, const TDriveMdl& settings, QWidget* parent = nullptr);

    // Makes `codice` the chart in use and replays it; false with a message
    // when the chart cannot be read.
    bool InitVirtualChart(int codice, std::string* errore = nullptr);
    // After generation (previous 0), the catalogue choice and "Ridisegna".
    void mostraChart(int codice, int codicePrecedente);
    // "Ridisegna": the chart in use rebuilt for the paint area's size.
    Esito rigenera(TextMeasurer& misura);

    void setDisplay(TFormDisplay* display) { display_ = display; }
    void setManiglie(ImpostaManiglie m) { maniglie_ = std::move(m); }
    const VistaDiagramma& vista() const { return vista_; }
    QWidget* paintASHRAE() const;
    QString statoTesto() const;
    void aggiorna();

    // Handlers, also driven by tests with positions in PaintASHRAE pixels.
    void PaintASHRAEMouseDown(Qt::MouseButton button, int X, int Y);
    void PaintASHRAEMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, int X, int Y);
    void PaintASHRAEMouseUp(Qt::MouseButton button, int X, int Y);
    void AggiornaCalcolo(int X, int Y);
    bool FUORI_CAMPO(int X, int Y) const { return vista_.FUORI_CAMPO(X, Y); }

  private:
    class Area;
    friend class Area;
    void paintArea(QPainter& painter);
    bool replay(std::string* errore);

    Documento& doc_;
    const TDriveMdl& settings_;
    Area* paint_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QStatusBar* status_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    TFormDisplay* display_ = nullptr;
    ImpostaManiglie maniglie_;
    QImage chart_;
    QFile testGrave_;
    int codiceInUso_ = 0;
    VistaDiagramma vista_;
    int codiceTrascinamento_ = 6;
    QPoint croce_{-1, -1};
    QPoint marcato_{-1, -1};
    int raggio_ = 3;
};

} // namespace tarvelo
