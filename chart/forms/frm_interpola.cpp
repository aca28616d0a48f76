#include "chart/forms/frm_interpola.h"

#include "engine/altitude.h"
#include "engine/format_mask.h"
#include "engine/text.h"
#include "ui/masked_field.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QSlider>

#include <algorithm>
#include <cmath>
#include <optional>

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
    setFixedSize(PaintLeft + PaintW + 4, PaintH + 58);
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
    campo_->setAccessibleName(QStringLiteral("Altitudine [m]"));
    track_->setAccessibleName(QStringLiteral("Altitudine [m]"));
    auto* unita = new QLabel(QStringLiteral("m"), this);
    unita->setGeometry(PaintLeft + 84, PaintH + 4, 20, 22);
    unita->setBuddy(campo_);
    avviso_ = new QLabel(this);
    avviso_->setObjectName(QStringLiteral("lbAvvisoAltitudine"));
    avviso_->setGeometry(TrackLeft, PaintH + 28, PaintLeft + PaintW - TrackLeft, 28);
    avviso_->setWordWrap(true);
    QPalette rosso = avviso_->palette();
    rosso.setColor(QPalette::WindowText, Qt::red);
    avviso_->setPalette(rosso);
    bitmap_ = QPixmap(PaintW, PaintH);
    connect(track_, &QSlider::valueChanged, this, [this] {
        if (rientro_)
            return; // moved by the field or by a new pressure: they report
        TrackBar1Change();
        if (onCambio)
            onCambio();
    });
    // A typed altitude takes effect at once; one the track bar cannot take
    // is refused, and when the typing ends the field shows the altitude in
    // use.
    connect(campo_, &QLineEdit::textEdited, this, [this] {
        if (fldAltitudeChange() && onCambio)
            onCambio();
    });
    connect(campo_, &QLineEdit::editingFinished, this, [this] {
        inizioModifica_.reset();
        digitate_.clear();
        if (campo_->valore() != std::optional<double>(altitudine()))
            campo_->setValore(altitudine());
    });
    ridisegna();
}

int TFrmInterpola::altitudine() const {
    return 3000 - track_->value();
}

void TFrmInterpola::impostaPressione(double p) {
    avviso_->clear();
    inizioModifica_.reset();
    digitate_.clear();
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
    // Moved by hand: what was typed before is no longer the way back.
    avviso_->clear();
    inizioModifica_.reset();
    digitate_.clear();
    ridisegna();
    campo_->setValore(altitudine());
}

bool TFrmInterpola::fldAltitudeChange() {
    if (!inizioModifica_)
        inizioModifica_ = altitudine();
    const QString testo = campo_->text().trimmed();
    const auto v = campo_->valore();
    if (!v)
        return false; // nothing typed yet, or a lone sign
    int nuova = 0;
    if (!(*v >= AltitudineMinima && *v <= AltitudineMassima)) {
        // Refused: the digits typed on the way ("-6", "-60" of "-600") do
        // not stay in force either.
        avviso_->setText(QString::fromUtf8(MsgAltitudineFuoriCampo));
        while (!digitate_.empty() && testo.startsWith(digitate_.back().first))
            digitate_.pop_back();
        nuova = digitate_.empty() ? *inizioModifica_ : digitate_.back().second;
    } else {
        avviso_->clear();
        nuova = static_cast<int>(std::lround(*v));
        digitate_.emplace_back(testo, nuova);
    }
    if (nuova == altitudine())
        return false;
    rientro_ = true;
    track_->setValue(3000 - nuova);
    ridisegna();
    rientro_ = false;
    return true;
}

QString TFrmInterpola::avviso() const {
    return avviso_->text();
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
