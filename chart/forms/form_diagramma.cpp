#include "chart/forms/form_diagramma.h"

#include "chart/chart_builder.h"
#include "chart/chart_replay.h"
#include "chart/forms/form_display.h"
#include "document/work_record_ops.h"
#include "engine/moist_air.h"
#include "ui/cursors.h"
#include "ui/qt_chart_canvas.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

namespace tarvelo {

// PaintASHRAE: the paint box filling the client area above the tabs.
class TFormDiagramma::Area : public QWidget {
  public:
    explicit Area(TFormDiagramma* owner) : QWidget(owner), owner_(owner) {
        setObjectName(QStringLiteral("PaintASHRAE"));
        setMouseTracking(true);
        setCursor(ui::croceCerchiato());
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        owner_->paintArea(p);
    }
    // The chart is not rescaled; a bigger area only gets a bigger bitmap,
    // with the chart replayed at the size it was generated for.
    void resizeEvent(QResizeEvent*) override {
        if (width() > owner_->chart_.width() || height() > owner_->chart_.height())
            owner_->replay(nullptr);
    }
    void mousePressEvent(QMouseEvent* e) override {
        owner_->PaintASHRAEMouseDown(e->button(), e->position().toPoint().x(),
                                     e->position().toPoint().y());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        owner_->PaintASHRAEMouseMove(e->buttons(), e->modifiers(), e->position().toPoint().x(),
                                     e->position().toPoint().y());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        owner_->PaintASHRAEMouseUp(e->button(), e->position().toPoint().x(),
                                   e->position().toPoint().y());
    }

  private:
    TFormDiagramma* owner_;
};

TFormDiagramma::TFormDiagramma(Documento& documento, const TDriveMdl& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(documento), settings_(settings) {
    setObjectName(QStringLiteral("FormDiagramma"));
    setWindowTitle(QStringLiteral("Diagramma psicrometrico (Foglio 01)"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    paint_ = new Area(this);
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("TabSet1"));
    tabs_->addTab(QStringLiteral("Foglio 01"));
    tabs_->setShape(QTabBar::RoundedSouth);
    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    status_->setSizeGripEnabled(false);
    statusLabel_ = new QLabel(status_);
    status_->addWidget(statusLabel_, 1);
    layout->addWidget(paint_, 1);
    layout->addWidget(tabs_, 0, Qt::AlignLeft);
    layout->addWidget(status_);
    resize(1000, 700 + 60);
}

QString TFormDiagramma::statoTesto() const {
    return statusLabel_->text();
}

QWidget* TFormDiagramma::paintASHRAE() const {
    return paint_;
}

bool TFormDiagramma::InitVirtualChart(int codice, std::string* errore) {
    TTestataChart h;
    const ArchivioDefault archivio = settings_.archivio();
    if (Esito e = archivio.leggiTestataChart(codice, h); !e.ok) {
        if (errore)
            *errore = e.errore;
        return false;
    }
    const TTestataChart previous = doc_.lavoro.TestataChart;
    const int previousCode = codiceInUso_;
    doc_.lavoro.TestataChart = h;
    codiceInUso_ = codice;
    if (!replay(errore)) {
        doc_.lavoro.TestataChart = previous;
        codiceInUso_ = previousCode;
        return false;
    }
    doc_.lavoro.CodiceChart = static_cast<std::int16_t>(codice);
    vista_ = VistaDiagramma::daTestata(h);
    Patm = h.pressure;
    marcato_ = QPoint(-1, -1);
    croce_ = QPoint(-1, -1);
    paint_->update();
    return true;
}

bool TFormDiagramma::replay(std::string* errore) {
    if (codiceInUso_ < 1)
        return false;
    const TTestataChart& h = doc_.lavoro.TestataChart;
    // At least the size the chart was generated for.
    QSize size =
        paint_->size().expandedTo(QSize(h.screen.leftMargin + h.screen.W + h.screen.rightMargin,
                                        h.screen.y0 + h.screen.bottomMargin));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        ui::QtChartCanvas canvas(p, 96.0 / 72.0);
        if (Esito e = replayVideo(settings_.DIR_ARCHIVI, codiceInUso_, h, canvas); !e.ok) {
            if (errore)
                *errore = e.errore;
            return false;
        }
    }
    chart_ = image;
    paint_->update();
    return true;
}

void TFormDiagramma::mostraChart(int codice, int precedente) {
    if (codice != precedente) {
        std::string errore;
        if (!InitVirtualChart(codice, &errore))
            statusLabel_->setText(QString::fromStdString(errore));
    }
    aggiorna();
}

Esito TFormDiagramma::rigenera(TextMeasurer& misura) {
    const AreaVideo area{paint_->width(), paint_->height()};
    const RisultatoGenerazione r =
        rigeneraChart(doc_.lavoro.CodiceChart, settings_.archivio(), misura, area);
    if (!r.esito.ok)
        return r.esito;
    std::string errore;
    if (!InitVirtualChart(doc_.lavoro.CodiceChart, &errore))
        return Esito::fallito(errore);
    return {};
}

void TFormDiagramma::aggiorna() {
    paint_->update();
}

void TFormDiagramma::paintArea(QPainter& p) {
    p.fillRect(paint_->rect(), Qt::white);
    p.drawImage(0, 0, chart_);
    p.setRenderHint(QPainter::Antialiasing);
    ui::QtChartCanvas canvas(p, 96.0 / 72.0);
    const EsitoDisegno e =
        DisegnaTrattamento(doc_.lavoro, vista_, canvas, codiceTrascinamento_, raggio_);
    raggio_ = e.raggioMarcatore;
    statusLabel_->setText(QString::fromStdString(e.stato));
    QPalette pal = statusLabel_->palette();
    pal.setColor(QPalette::WindowText, e.errore ? Qt::red : Qt::blue);
    statusLabel_->setPalette(pal);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (marcato_.x() >= 0) {
        p.setPen(QPen(Qt::red, 1));
        p.setBrush(QColor(0, 0, 128));
        p.drawEllipse(marcato_, raggio_, raggio_);
    }
    if (croce_.x() >= 0 && croce_.y() >= 0) {
        // The crosshair inverts what lies under it.
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(croce_, QPoint(croce_.x(), paint_->height()));
        p.drawLine(croce_, QPoint(paint_->width(), croce_.y()));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void TFormDiagramma::AggiornaCalcolo(int X, int Y) {
    // The last read-out position, for whoever looks at it. The file stays
    // open and is rewritten in place: a drag updates it at every move.
    if (!testGrave_.isOpen()) {
        testGrave_.setFileName(QStringLiteral("TestGrave.txt"));
        testGrave_.open(QIODevice::ReadWrite);
    }
    if (testGrave_.isOpen()) {
        const QByteArray text = QByteArray::fromStdString(testoTestGrave(X, Y));
        testGrave_.seek(0);
        testGrave_.write(text);
        testGrave_.resize(text.size());
        testGrave_.flush();
    }
    const LetturaStato s = leggiStato(vista_, X, Y);
    if (display_)
        display_->mostra(s);
    if (codiceTrascinamento_ != 6 && maniglie_.imposta)
        maniglie_.imposta(codiceTrascinamento_, s.tbs, s.UR, s.x);
}

void TFormDiagramma::PaintASHRAEMouseDown(Qt::MouseButton, int X, int Y) {
    if (FUORI_CAMPO(X, Y))
        return;
    codiceTrascinamento_ = hitTestHandle(doc_.lavoro, X, Y);
    AggiornaCalcolo(X, Y);
    paint_->update();
}

void TFormDiagramma::PaintASHRAEMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys,
                                          int X, int Y) {
    if (FUORI_CAMPO(X, Y))
        return;
    if (codiceTrascinamento_ == 6) {
        switch (hitTestHandle(doc_.lavoro, X, Y)) {
        case 0:
        case 1:
            paint_->setCursor(Qt::SizeAllCursor);
            break;
        case 2:
            paint_->setCursor(Qt::SizeHorCursor);
            break;
        case 3:
            paint_->setCursor(Qt::SizeFDiagCursor);
            break;
        case 4:
            paint_->setCursor(Qt::SizeBDiagCursor);
            break;
        case 5:
            paint_->setCursor(Qt::SizeVerCursor);
            break;
        default:
            paint_->setCursor(ui::croceCerchiato());
        }
    }
    if (buttons != Qt::LeftButton || keys != Qt::NoModifier)
        return;
    AggiornaCalcolo(X, Y);
    croce_ = codiceTrascinamento_ == 6 ? QPoint(X, Y) : QPoint(-1, -1);
    paint_->update();
}

void TFormDiagramma::PaintASHRAEMouseUp(Qt::MouseButton, int X, int Y) {
    if (FUORI_CAMPO(X, Y))
        return;
    codiceTrascinamento_ = 6;
    croce_ = QPoint(-1, -1);
    marcato_ = QPoint(X, Y);
    paint_->update();
}

} // namespace tarvelo
