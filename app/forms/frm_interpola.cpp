#include "app/forms/frm_interpola.h"

#include "engine/altitude.h"
#include "engine/format_mask.h"
#include "engine/text.h"
#include "ui/masked_field.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSlider>

#include <cmath>

namespace tarvelo {

namespace {
constexpr int PaintLeft = 32, PaintTop = 0, PaintW = 201, PaintH = 185;
constexpr int TrackLeft = 8, TrackTop = 15, TrackW = 25, TrackH = 169;

QString fmt(const char* mask, double v) {
    return QString::fromStdString(cp1252ToUtf8(FormatMask(mask, v)));
}
} // namespace

class TFrmInterpola::Disegno : public QWidget {
  public:
    explicit Disegno(TFrmInterpola* owner) : QWidget(owner), owner_(owner) {
        setObjectName(QStringLiteral("PaintBox1"));
    }

  protected:
    void paintEvent(QPaintEvent*) override { // PaintBox1Paint
        QPainter p(this);
        p.drawPixmap(0, 0, owner_->bitmap_);
    }

  private:
    TFrmInterpola* owner_;
};

TFrmInterpola::TFrmInterpola(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TFrmInterpola1"));
    setFixedSize(PaintLeft + PaintW + 4, PaintH + 30);
    track_ = new QSlider(Qt::Vertical, this);
    track_->setObjectName(QStringLiteral("TrackBar1"));
    track_->setGeometry(TrackLeft, TrackTop, TrackW, TrackH);
    track_->setRange(-500, 3500);
    track_->setPageStep(100);
    track_->setSingleStep(1);
    track_->setTickPosition(QSlider::NoTicks);
    track_->setInvertedAppearance(true); // the minimum at the top: 3500 m
    track_->setInvertedControls(true);
    track_->setValue(3000);
    paint_ = new Disegno(this);
    paint_->setGeometry(PaintLeft, PaintTop, PaintW, PaintH);
    campo_ = new ui::CampoMaschera("i", this);
    campo_->setObjectName(QStringLiteral("fldAltitude"));
    campo_->setMaxLength(11);
    campo_->setGeometry(PaintLeft, PaintH + 4, 80, 22);
    campo_->setValore(0);
    bitmap_ = QPixmap(PaintW, PaintH);
    connect(track_, &QSlider::valueChanged, this, [this] {
        TrackBar1Change();
        if (onCambio)
            onCambio();
    });
    // A typed altitude takes effect at once.
    connect(campo_, &QLineEdit::textEdited, this, [this] {
        fldAltitudeChange();
        if (onCambio)
            onCambio();
    });
    ridisegna();
}

int TFrmInterpola::altitudine() const {
    return 3000 - track_->value();
}

void TFrmInterpola::impostaPressione(double p) {
    pressione_ = p;
    const double alt = altitudeFromPressure(std::round(p));
    rientro_ = true;
    track_->setValue(3000 - static_cast<int>(std::lround(alt)));
    rientro_ = false;
    campo_->setValore(altitudine());
    ridisegna();
}

void TFrmInterpola::TrackBar1Change() {
    if (rientro_)
        return;
    ridisegna();
    campo_->setValore(altitudine());
}

void TFrmInterpola::fldAltitudeChange() {
    const auto v = campo_->valore();
    if (!v)
        return;
    rientro_ = true;
    track_->setValue(3000 - static_cast<int>(std::lround(*v)));
    ridisegna();
    rientro_ = false;
}

void TFrmInterpola::ridisegna() {
    const int H = PaintH;
    const int t = (TrackTop - PaintTop) + 10;
    const int b = (PaintTop + H) - (TrackTop + TrackH) + 12;
    const int s = static_cast<int>(std::lround((H - b - t) / 8.0));
    QPainter p(&bitmap_);
    p.fillRect(bitmap_.rect(), Qt::white);
    p.setPen(Qt::black);
    p.drawRect(0, 0, PaintW - 1, PaintH - 1);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(9);
    p.setFont(font);
    const QFontMetrics m(font);
    p.setPen(Qt::blue);
    const QString left = QStringLiteral("Altitudine [m]  ===>");
    p.drawText(10, 2 + m.ascent(), left);
    p.setPen(Qt::red);
    p.drawText(10 + m.horizontalAdvance(left), 2 + m.ascent(),
               QStringLiteral(" Pressione atm. [Pa]"));
    p.setPen(Qt::black);
    p.drawLine(60, H - b, 60, t);
    p.drawLine(150, H - b, 150, t);
    const int wAlt = m.horizontalAdvance(QStringLiteral("-1000"));
    const int wP = m.horizontalAdvance(QStringLiteral("100000"));
    for (int i = 0; i <= 8; ++i) {
        const int y = H - b - i * s;
        p.drawLine(60, y, 64, y);
        p.drawLine(150, y, 154, y);
        const int alt = -500 + 500 * i;
        const QString a = fmt("-####", alt);
        p.drawText(60 - wAlt - 2, y - m.height() / 2 + m.ascent(), a);
        if (alt == 0 || alt == 1000 || alt == 2000 || alt == 3000) {
            const QString pr = fmt("######", pressureFromAltitude(alt));
            p.drawText(150 - wP - 2, y - m.height() / 2 + m.ascent(), pr);
        }
    }
    const int pos = track_->value();
    const int y = H - b - static_cast<int>(std::lround(8.0 * s * (3500 - pos) / 4000.0));
    p.setPen(Qt::red);
    p.drawLine(0, y, PaintW, y);
    const int alt = 3000 - pos;
    pressione_ = pressureFromAltitude(alt);
    p.setPen(Qt::blue);
    p.drawText(5, y - 2,
               QStringLiteral(" ") + QString::fromStdString(TogliSpazi(FormatMask("-####", alt))));
    QFont bold = font;
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(Qt::red);
    p.drawText(160, y - 2,
               QStringLiteral(" ") +
                   QString::fromStdString(TogliSpazi(FormatMask("######", pressione_))));
    p.end();
    paint_->update();
}

} // namespace tarvelo
