// The diagram window: the chart in use replayed once into an off-screen
// image, the work's treatments and points over it, the live read-out under
// the mouse, the crosshair, the position marker and the drag handles.
//
// The chart fits its window: when a resize has settled, the screen version
// is rebuilt in memory for the new paint area and replayed (the chart file
// is rewritten only by "Ridisegna"); until then a chart larger than the
// window can be scrolled.
#pragma once

#include "chart/chart_builder.h"
#include "chart/diagram_view.h"
#include "document/document.h"

#include <QFile>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QScrollArea;
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
    TFormDiagramma(Documento& documento, const TDriveMdl& settings, TextMeasurer& misura,
                   QWidget* parent = nullptr);
    ~TFormDiagramma() override;

    // Makes `codice` the chart in use and replays it; false with a message
    // when the chart cannot be read (the chart in use stays).
    bool InitVirtualChart(int codice, std::string* errore = nullptr);
    // After generation (previous 0), the catalogue choice, "Apri" and
    // "Ridisegna". A chart that cannot be loaded is reported in a message
    // box, and its message stays in the status bar until a chart loads.
    void mostraChart(int codice, int codicePrecedente);
    // "Ridisegna": the chart in use rebuilt for the paint area's size and
    // written to its file.
    Esito rigenera();
    // Shows the window again (it is hidden, never destroyed, when closed).
    void mostra();

    void setDisplay(TFormDisplay* display) { display_ = display; }
    void setManiglie(ImpostaManiglie m) { maniglie_ = std::move(m); }
    // Drawn over the sequence at every repaint (a plant calculation's
    // construction lines); the marker radius comes with it.
    // A message of our own in the status line, in red, until it is set
    // empty (a calculation that broke off).
    void setAvviso(const std::string& testo);
    void setSovrapposizione(std::function<void(QPainter&, int)> f) {
        sovrapposizione_ = std::move(f);
    }
    // The points the engineering checks of the work warn about, ringed at
    // every repaint; and the point of the check chosen in a dialog's list
    // (0: none).
    void setPuntiSegnalati(std::function<std::vector<int>(const TLavoro&)> f) {
        puntiSegnalati_ = std::move(f);
    }
    void evidenzia(int punto);
    int evidenziato() const { return evidenziato_; }
    const VistaDiagramma& vista() const { return vista_; }
    QWidget* paintASHRAE() const;
    // The paint area a chart is built for: the window's client area less the
    // tabs and the status bar.
    AreaVideo areaVideo() const;
    QString statoTesto() const;
    QColor statoColore() const;
    QPoint croce() const { return croce_; }
    // The chart on show (it may differ from the work's when that one could
    // not be loaded).
    int codiceInUso() const { return codiceInUso_; }
    QImage immagineChart() const { return chart_; }
    // Draws the work again (after a calculation, an opening, an undo), with
    // no mark of an earlier released position.
    void aggiorna();
    // Rebuilds the screen version in memory when the paint area no longer
    // matches it; true when it was rebuilt.
    bool adatta();

    // The builder's preview while a chart is generated: the screen pass is
    // drawn on the paint area as it is built.
    std::unique_ptr<ChartCanvas> anteprima();

    // Handlers, also driven by tests with positions in PaintASHRAE pixels.
    void FormActivate();
    void PaintASHRAEMouseDown(Qt::MouseButton button, int X, int Y);
    void PaintASHRAEMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, int X, int Y);
    void PaintASHRAEMouseUp(Qt::MouseButton button, int X, int Y);
    void AggiornaCalcolo(int X, int Y);
    // The mouse acts on the chart as it was last painted: a scale changed
    // by a resize is not on screen until the next paint.
    bool FUORI_CAMPO(int X, int Y) const { return vistaDipinta_.FUORI_CAMPO(X, Y); }

  protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    class Area;
    class Anteprima;
    friend class Area;
    friend class Anteprima;
    void paintArea(QPainter& painter);
    void dimensionaArea();

    Documento& doc_;
    const TDriveMdl& settings_;
    TextMeasurer& misura_;
    QScrollArea* scroll_ = nullptr;
    Area* paint_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QStatusBar* status_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    TFormDisplay* display_ = nullptr;
    ImpostaManiglie maniglie_;
    std::function<void(QPainter&, int)> sovrapposizione_;
    std::function<std::vector<int>(const TLavoro&)> puntiSegnalati_;
    int evidenziato_ = 0;
    QImage chart_;
    std::vector<Riquadro> etichetteChart_; // where the chart's labels lie on it
    QImage anteprima_;                     // shown instead of the chart while a chart is built
    QFile testGrave_;
    QTimer assestamento_; // a resize has settled
    int codiceInUso_ = 0;
    // The header whose screen section is on show: the file's, or one
    // rebuilt in memory for the window's size.
    TTestataChart testataVista_;
    std::optional<VersioneConvertita> videoInMemoria_;
    std::string erroreChart_;
    std::string avviso_;
    VistaDiagramma vista_;
    VistaDiagramma vistaDipinta_; // the scale of the picture on screen
    bool dipinto_ = false;
    int codiceTrascinamento_ = 6;
    QPoint croce_{-1, -1};
    QPoint marcato_{-1, -1};
    int raggio_ = 3;
    int tag_ = 0; // 1 after the first activation
};

} // namespace tarvelo
