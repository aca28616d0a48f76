#include "chart/forms/form_diagramma.h"

#include "chart/chart_replay.h"
#include "chart/forms/form_display.h"
#include "document/work_record_ops.h"
#include "engine/moist_air.h"
#include "ui/chart_export.h"
#include "ui/cursors.h"
#include "ui/message_box.h"
#include "ui/qt_chart_canvas.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

#include <cstdio>

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

// The builder's screen pass drawn on the paint area while it is built; the
// window is repainted every few milliseconds so that the lines appear.
class TFormDiagramma::Anteprima : public ChartCanvas {
  public:
    explicit Anteprima(TFormDiagramma* owner) : owner_(owner) {
        owner_->anteprima_ =
            QImage(owner_->paint_->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        owner_->anteprima_.fill(Qt::white);
        painter_.begin(&owner_->anteprima_);
        painter_.setRenderHint(QPainter::Antialiasing);
        canvas_ = std::make_unique<ui::QtChartCanvas>(painter_, 96.0 / 72.0);
        clock_.start();
    }
    ~Anteprima() override {
        canvas_.reset();
        painter_.end();
        owner_->anteprima_ = QImage();
        owner_->paint_->update();
    }
    void setPen(const PenState& pen) override { canvas_->setPen(pen); }
    void setFont(const FontState& font) override { canvas_->setFont(font); }
    void moveTo(int x, int y) override { canvas_->moveTo(x, y); }
    void lineTo(int x, int y) override {
        canvas_->lineTo(x, y);
        mostra();
    }
    TextSize measure(std::string_view text) override { return canvas_->measure(text); }
    void fillWhite(int l, int t, int r, int b) override { canvas_->fillWhite(l, t, r, b); }
    void textTopLeft(int x, int y, std::string_view text) override {
        canvas_->textTopLeft(x, y, text);
        mostra();
    }
    void textBaseline(int x, int y, std::string_view text, double degrees) override {
        canvas_->textBaseline(x, y, text, degrees);
    }
    void circle(int x, int y, int r, Rgb fill) override { canvas_->circle(x, y, r, fill); }

  private:
    void mostra() {
        if (clock_.elapsed() < 30)
            return;
        owner_->paint_->repaint();
        clock_.restart();
    }
    TFormDiagramma* owner_;
    QPainter painter_;
    std::unique_ptr<ui::QtChartCanvas> canvas_;
    QElapsedTimer clock_;
};

namespace {

// The paint area a screen version needs: the builder takes the field as
// the area's width less the right margin, and the labels at the right fit
// in a few pixels less than that margin (the rounding of the scale can
// widen the field by a pixel or two).
QSize areaNecessaria(const VistaDiagramma& v) {
    return QSize(v.W + 30, v.y0 + 25);
}

// The screen version (from the chart file, or from memory) replayed into a
// white image of its own size.
bool disegna(const std::string& dirArchivi, const TTestataChart& h, int codice,
             const VersioneConvertita* memoria, QImage& out, std::vector<Riquadro>& etichette,
             std::string* errore) {
    // The image's size comes from the header: checked before it is made.
    if (Esito e = verificaIntestazione(h, VersioneVideo); !e.ok) {
        if (errore)
            *errore = e.errore;
        return false;
    }
    // 64 million pixels at the most (about 8000 a side).
    const QSize dimensione = ui::areaVideo(h);
    if (static_cast<double>(dimensione.width()) * dimensione.height() > 64e6) {
        if (errore)
            *errore = "il diagramma è troppo grande per lo schermo: rigenerarlo più piccolo";
        return false;
    }
    QImage image(dimensione.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    ui::QtChartCanvas canvas(p, 96.0 / 72.0);
    std::vector<Riquadro> rettangoli;
    if (memoria) {
        replayVideo(*memoria, h, canvas, &rettangoli);
    } else if (Esito e = replayVideo(dirArchivi, codice, h, canvas, &rettangoli); !e.ok) {
        if (errore)
            *errore = e.errore;
        return false;
    }
    p.end();
    out = image;
    etichette = std::move(rettangoli);
    return true;
}

} // namespace

TFormDiagramma::TFormDiagramma(Documento& documento, const TDriveMdl& settings,
                               TextMeasurer& misura, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(documento), settings_(settings), misura_(misura) {
    setObjectName(QStringLiteral("FormDiagramma"));
    setWindowTitle(QStringLiteral("Diagramma psicrometrico (Foglio 01)"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ScrollASHRAE"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(false);
    scroll_->setBackgroundRole(QPalette::Base);
    scroll_->setAccessibleName(QStringLiteral("Diagramma psicrometrico"));
    paint_ = new Area(this);
    paint_->setAccessibleName(QStringLiteral("Diagramma psicrometrico"));
    scroll_->setWidget(paint_);
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("TabSet1"));
    tabs_->addTab(QStringLiteral("Foglio 01"));
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->setAccessibleName(QStringLiteral("Fogli"));
    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    status_->setSizeGripEnabled(false);
    statusLabel_ = new QLabel(status_);
    statusLabel_->setObjectName(QStringLiteral("StatusText"));
    // A status bar always tall enough for a line of its text.
    status_->setMinimumHeight(statusLabel_->fontMetrics().height() + 8);
    status_->addWidget(statusLabel_, 1);
    layout->addWidget(scroll_, 1);
    layout->addWidget(tabs_, 0, Qt::AlignLeft);
    layout->addWidget(status_);
    assestamento_.setSingleShot(true);
    assestamento_.setInterval(150);
    connect(&assestamento_, &QTimer::timeout, this, [this] { adatta(); });
    resize(1000, 700 + 60);
}

TFormDiagramma::~TFormDiagramma() = default;

QString TFormDiagramma::statoTesto() const {
    return statusLabel_->text();
}

QColor TFormDiagramma::statoColore() const {
    return statusLabel_->palette().color(QPalette::WindowText);
}

QWidget* TFormDiagramma::paintASHRAE() const {
    return paint_;
}

AreaVideo TFormDiagramma::areaVideo() const {
    const QSize s = scroll_->maximumViewportSize();
    return AreaVideo{s.width(), s.height()};
}

void TFormDiagramma::dimensionaArea() {
    paint_->resize(areaNecessaria(vista_).expandedTo(scroll_->maximumViewportSize()));
}

bool TFormDiagramma::InitVirtualChart(int codice, std::string* errore) {
    TTestataChart h;
    if (Esito e = settings_.archivio().leggiTestataChart(codice, h); !e.ok) {
        if (errore)
            *errore = e.errore;
        return false;
    }
    QImage image;
    std::vector<Riquadro> etichette;
    if (!disegna(settings_.DIR_ARCHIVI, h, codice, nullptr, image, etichette, errore))
        return false;
    doc_.lavoro.TestataChart = h;
    doc_.lavoro.CodiceChart = static_cast<std::int16_t>(codice);
    codiceInUso_ = codice;
    testataVista_ = h;
    videoInMemoria_.reset();
    chart_ = image;
    etichetteChart_ = std::move(etichette);
    vista_ = VistaDiagramma::daTestata(h);
    if (!dipinto_)
        vistaDipinta_ = vista_;
    Patm = h.pressure;
    erroreChart_.clear();
    marcato_ = QPoint(-1, -1);
    croce_ = QPoint(-1, -1);
    if (isVisible())
        adatta();
    dimensionaArea();
    paint_->update();
    return true;
}

bool TFormDiagramma::adatta() {
    if (codiceInUso_ < 1)
        return false;
    const AreaVideo area = areaVideo();
    if (videoAdatto(testataVista_, area))
        return false;
    VideoInMemoria v = costruisciVideo(testataVista_, misura_, area);
    if (!v.esito.ok)
        return false; // too small for a chart: the one on show can be scrolled
    QImage image;
    std::vector<Riquadro> etichette;
    if (!disegna(settings_.DIR_ARCHIVI, v.testata, codiceInUso_, &v.versione, image, etichette,
                 nullptr))
        return false; // the version on show stays, and can be scrolled
    testataVista_ = v.testata;
    videoInMemoria_ = std::move(v.versione);
    chart_ = image;
    etichetteChart_ = std::move(etichette);
    vista_ = VistaDiagramma::daTestata(testataVista_);
    // Marks made at the old scale would point elsewhere now.
    marcato_ = QPoint(-1, -1);
    croce_ = QPoint(-1, -1);
    dimensionaArea();
    paint_->update();
    return true;
}

void TFormDiagramma::mostraChart(int codice, int precedente) {
    if (codice != precedente) {
        std::string errore;
        if (!InitVirtualChart(codice, &errore)) {
            char code[8];
            std::snprintf(code, sizeof code, "%03d", codice);
            erroreChart_ = "Il diagramma " + std::string(code) +
                           " non si può caricare; resta quello di prima. " + errore;
            aggiorna();
            ui::avverte(this, QStringLiteral("Diagramma psicrometrico"),
                        QString::fromStdString(erroreChart_));
        }
    }
    mostra();
    aggiorna();
}

void TFormDiagramma::mostra() {
    show();
    raise();
}

Esito TFormDiagramma::rigenera() {
    // The chart on show, at its own pressure (the engine's is that chart's):
    // the work may name a chart that could not be loaded.
    if (codiceInUso_ < 1)
        return Esito::fallito("nessun diagramma in uso da ridisegnare");
    const RisultatoGenerazione r =
        rigeneraChart(codiceInUso_, settings_.archivio(), misura_, areaVideo());
    if (!r.esito.ok)
        return r.esito;
    std::string errore;
    if (!InitVirtualChart(codiceInUso_, &errore))
        return Esito::fallito(errore);
    mostra();
    return {};
}

std::unique_ptr<ChartCanvas> TFormDiagramma::anteprima() {
    return std::make_unique<Anteprima>(this);
}

void TFormDiagramma::aggiorna() {
    // The mark of a released position belongs to the drawing it was made
    // on: left over a new one, it would look like a point without a name.
    marcato_ = QPoint(-1, -1);
    paint_->update();
}

bool TFormDiagramma::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

void TFormDiagramma::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    dimensionaArea();
    assestamento_.start(); // rebuilt once the size stops changing
}

void TFormDiagramma::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    dimensionaArea();
    adatta();
}

void TFormDiagramma::FormActivate() {
    // The first time only: the pointer goes to screen position (350, 280)
    // and the read-out comes to the front.
    if (tag_ != 0)
        return;
    tag_ = 1;
    QCursor::setPos(350, 280);
    if (display_) {
        display_->show();
        display_->raise();
    }
}

void TFormDiagramma::evidenzia(int punto) {
    evidenziato_ = punto;
    paint_->update();
}

void TFormDiagramma::setAvviso(const std::string& testo) {
    avviso_ = testo;
    paint_->update();
}

void TFormDiagramma::paintArea(QPainter& p) {
    p.fillRect(paint_->rect(), Qt::white);
    if (!anteprima_.isNull()) {
        p.drawImage(0, 0, anteprima_);
        return;
    }
    p.drawImage(0, 0, chart_);
    vistaDipinta_ = vista_;
    dipinto_ = true;
    p.setRenderHint(QPainter::Antialiasing);
    ui::QtChartCanvas canvas(p, 96.0 / 72.0);
    const EsitoDisegno e = DisegnaTrattamento(doc_.lavoro, vista_, canvas, codiceTrascinamento_,
                                              raggio_, etichetteChart_);
    raggio_ = e.raggioMarcatore;
    if (puntiSegnalati_ || evidenziato_ > 0)
        DisegnaSegniVerifiche(doc_.lavoro, vista_, canvas,
                              puntiSegnalati_ ? puntiSegnalati_(doc_.lavoro) : std::vector<int>{},
                              evidenziato_, raggio_);
    // A chart that could not be loaded is named until one loads.
    const std::string& proprio = !erroreChart_.empty() ? erroreChart_ : avviso_;
    const bool errore = e.errore || !proprio.empty();
    statusLabel_->setText(QString::fromStdString(proprio.empty() ? e.stato : proprio));
    statusLabel_->setToolTip(statusLabel_->text());
    QPalette pal = statusLabel_->palette();
    pal.setColor(QPalette::WindowText, errore ? Qt::red : Qt::blue);
    statusLabel_->setPalette(pal);
    if (sovrapposizione_)
        sovrapposizione_(p, raggio_);
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
    // Read on the scale of what the user sees and points at.
    const LetturaStato s = leggiStato(vistaDipinta_, X, Y);
    if (display_)
        display_->mostra(s);
    if (codiceTrascinamento_ != 6 && maniglie_.imposta)
        maniglie_.imposta(codiceTrascinamento_, s.tbs, s.UR, s.x);
}

void TFormDiagramma::PaintASHRAEMouseDown(Qt::MouseButton, int X, int Y) {
    if (FUORI_CAMPO(X, Y))
        return;
    codiceTrascinamento_ = hitTestHandle(doc_.lavoro, X, Y);
    if (codiceTrascinamento_ == 6)
        croce_ = QPoint(-1, -1); // one left over by a release outside the field
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
