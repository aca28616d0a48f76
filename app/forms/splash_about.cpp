#include "app/forms/splash_about.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvelo {

TFormSplash::TFormSplash(QWidget* parent, int millisecondi)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::SplashScreen) {
    setObjectName(QStringLiteral("FormSplash"));
    setFixedSize(780, 306);
    // The picture is a JPEG, decoded by libjpeg through Qt's plug-in.
    QImageReader reader(QStringLiteral(":/splash.jpg"), "jpeg");
    picture_ = reader.read();
    QTimer::singleShot(millisecondi, this, &QDialog::accept);
}

void TFormSplash::mousePressEvent(QMouseEvent*) {
    accept();
}

void TFormSplash::keyPressEvent(QKeyEvent*) {
    accept(); // any key, Escape included, just closes it
}

void TFormSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(rect(), picture_);
    QFont titolo(QStringLiteral("Arial"));
    titolo.setPixelSize(56);
    titolo.setBold(true);
    p.setFont(titolo);
    p.setPen(Qt::white);
    p.drawText(QRect(30, 60, 330, 80), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(NomeProdotto));
    QFont riga(QStringLiteral("Arial"));
    riga.setPixelSize(16);
    p.setFont(riga);
    p.drawText(QRect(34, 140, 330, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(RigaVersione));
    riga.setPixelSize(13);
    p.setFont(riga);
    p.setPen(QColor(200, 215, 240));
    p.drawText(QRect(34, 230, 300, 50), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Diagramma psicrometrico e trattamenti dell'aria"));
}

TFormInfo::TFormInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormInfo"));
    setWindowTitle(QStringLiteral("Informazioni"));
    auto* nome = new QLabel(QString::fromUtf8(NomeProdotto), this);
    QFont f = nome->font();
    f.setPointSize(f.pointSize() * 2);
    f.setBold(true);
    nome->setFont(f);
    nome->setAlignment(Qt::AlignCenter);
    auto* testo = new QLabel(QStringLiteral("Foglio elettronico per il calcolo e la "
                                            "visualizzazione dei trattamenti d'aria sul "
                                            "diagramma psicrometrico (ASHRAE)"),
                             this);
    testo->setWordWrap(true);
    testo->setAlignment(Qt::AlignCenter);
    // The classic version line, and beside it the version of this build.
    auto* versione = new QLabel(QString::fromUtf8(RigaVersione) +
                                    QStringLiteral("   \u2014   versione " TARVELO_VERSION),
                                this);
    versione->setObjectName(QStringLiteral("LabelVersione"));
    versione->setAlignment(Qt::AlignCenter);
    auto* calendario = new QCalendarWidget(this);
    calendario->setAccessibleName(QStringLiteral("Calendario"));
    // Its day grid is the part that takes the focus.
    if (auto* giorni = calendario->findChild<QWidget*>(QStringLiteral("qt_calendar_calendarview")))
        giorni->setAccessibleName(QStringLiteral("Calendario"));
    calendario->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    auto* mese = new QLabel(this);
    mese->setObjectName(QStringLiteral("LabelMese"));
    auto aggiornaMese = [mese, calendario] {
        const QDate d = calendario->selectedDate();
        mese->setText(QLocale(QLocale::Italian).standaloneMonthName(d.month()) +
                      QStringLiteral(",") + QString::number(d.year()));
    };
    connect(calendario, &QCalendarWidget::selectionChanged, this, aggiornaMese);
    aggiornaMese();
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    ok->button(QDialogButtonBox::Ok)->setDefault(true);
    ok->button(QDialogButtonBox::Ok)->setFocus();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nome);
    layout->addWidget(testo);
    layout->addWidget(versione);
    layout->addWidget(mese);
    layout->addWidget(calendario);
    layout->addWidget(ok);
    setFixedWidth(380);
}

} // namespace tarvelo
