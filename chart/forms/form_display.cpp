#include "chart/forms/form_display.h"

#include "ui/locale_text.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>

namespace tarvelo {

namespace {
const char* const Didascalie[11] = {"tbs", "tbu", "x",  "h",  "UR",  "tdp",
                                    "rd",  "rm",  "vd", "Pv", "Psat"};
const char* const Unita[11] = {"[°C]",    "[°C]",    "[g/kg]",  "[J/kg]", "[%]", "[°C]",
                               "[kg/m³]", "[kg/m³]", "[m³/kg]", "[Pa]",   "[Pa]"};
const char* const NomiValori[11] = {"TbsLbVal",  "TbuLbVal", "xLbVal",    "hLbVal",
                                    "UrLbVal",   "TdpLbVal", "RhoDLbVal", "RhoMLbVal",
                                    "VolDLbVal", "PvLbVal",  "PsLbVal"};

void colora(QLabel* l, const QColor& c) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}
} // namespace

TFormDisplay::TFormDisplay(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("Coordinate"));
    setMinimumWidth(220);
    setObjectName(QStringLiteral("FormDisplay"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 0, 255));
    setPalette(p);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < 11; ++i) {
        didascalie_[i] = new QLabel(QString::fromUtf8(Didascalie[i]), this);
        auto* unita = new QLabel(QString::fromUtf8(Unita[i]), this);
        valori_[i] = new QLabel(QStringLiteral("-"), this);
        valori_[i]->setObjectName(QString::fromUtf8(NomiValori[i]));
        valori_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        valori_[i]->setMinimumWidth(64);
        for (QLabel* l : {didascalie_[i], unita, valori_[i]})
            l->setFont(font);
        colora(didascalie_[i], Qt::yellow);
        colora(unita, QColor(192, 192, 192));
        colora(valori_[i], Qt::white);
        grid->addWidget(didascalie_[i], i, 0);
        grid->addWidget(unita, i, 1);
        grid->addWidget(valori_[i], i, 2);
    }
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Colore"), this, [this] { PopupColoreClick(); });
        menu.addAction(QStringLiteral("Font etichette"), this, [this] { PopupFontClick(); });
        menu.exec(mapToGlobal(at));
    });
}

void TFormDisplay::mostra(const LetturaStato& s) {
    const auto testi = s.testi();
    const QColor colore = s.soprassatura ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white);
    for (int i = 0; i < 11; ++i) {
        valori_[i]->setText(ui::testoNumero(testi[static_cast<std::size_t>(i)]));
        if (i != 10)
            colora(valori_[i], colore);
    }
}

QColor TFormDisplay::colore(int riga) const {
    return valori_[static_cast<std::size_t>(riga)]->palette().color(QPalette::WindowText);
}

QString TFormDisplay::valore(int riga) const {
    return valori_[static_cast<std::size_t>(riga)]->text();
}

void TFormDisplay::PopupColoreClick() {
    const QColor c = QColorDialog::getColor(palette().color(QPalette::Window), this);
    if (!c.isValid())
        return;
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
}

void TFormDisplay::PopupFontClick() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, didascalie_[0]->font(), this);
    if (!ok)
        return;
    for (QLabel* l : didascalie_)
        l->setFont(f);
}

} // namespace tarvelo
