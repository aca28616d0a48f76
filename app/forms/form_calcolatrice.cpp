#include "app/forms/form_calcolatrice.h"

#include "chart/forms/frm_interpola.h"
#include "engine/air_state.h"
#include "engine/decimal_text.h"
#include "engine/moist_air.h"
#include "engine/state_solver.h"
#include "ui/enter_key.h"
#include "ui/help_window.h"
#include "ui/locale_text.h"
#include "ui/masked_field.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvelo {

namespace {
const char* const Nomi[11] = {"tbs", "tbu", "x", "h", "UR", "tdp", "rd", "rm", "vd", "Pv", "Psat"};
const char* const Unita[11] = {"[°C]",    "[°C]",    "[g/kg]",  "[kJ/kg]", "[%]", "[°C]",
                               "[kg/m³]", "[kg/m³]", "[m³/kg]", "[Pa]",    "[Pa]"};
const char* const NomiValori[11] = {"TbsLbVal",  "TbuLbVal", "xLbVal",    "hLbVal",
                                    "UrLbVal",   "TdpLbVal", "RhoDLbVal", "RhoMLbVal",
                                    "VolDLbVal", "PvLbVal",  "PsLbVal"};
QString f(double v, int precision, int digits) {
    return ui::testoNumero(FloatToStrFixed(v, precision, digits));
}
} // namespace

TFormCalcolatriceAria::TFormCalcolatriceAria(int modo, double tbs, double tbu, double x, double UR,
                                             QWidget* parent)
    : QDialog(parent), patmIniziale_(Patm), modo_(modo), tbs_(tbs), tbu_(tbu), x_(x * 1000.0),
      UR_(UR * 100.0) {
    setObjectName(QStringLiteral("FormCalcolatriceAria"));
    setWindowTitle(QStringLiteral("Calcolatrice  psicrometrica"));

    auto* input = new QGroupBox(QStringLiteral("Input:"), this);
    input->setObjectName(QStringLiteral("radInput"));
    auto* inputLayout = new QVBoxLayout(input);
    radInput_ = new QButtonGroup(this);
    const char* const modi[4] = {"tbs + UR", "tbs + tbu", "tbs + x", "tbs + entalpia"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(modi[i]), input);
        radInput_->addButton(b, i);
        inputLayout->addWidget(b);
    }
    fld1_ = new ui::CampoMaschera("####.##", this);
    fld1_->setObjectName(QStringLiteral("fld1"));
    fld2_ = new ui::CampoMaschera("######.###", this);
    fld2_->setObjectName(QStringLiteral("fld2"));
    lbIn2_ = new QLabel(this);
    lbUm2_ = new QLabel(this);
    auto* campi = new QGridLayout;
    auto* lbIn1 = new QLabel(QStringLiteral("tbs"), this);
    lbIn1->setBuddy(fld1_);
    lbIn2_->setBuddy(fld2_);
    campi->addWidget(lbIn1, 0, 0);
    campi->addWidget(fld1_, 0, 1);
    campi->addWidget(new QLabel(QStringLiteral("°C"), this), 0, 2);
    campi->addWidget(lbIn2_, 1, 0);
    campi->addWidget(fld2_, 1, 1);
    campi->addWidget(lbUm2_, 1, 2);
    auto* calcola = new QPushButton(QStringLiteral("Calcola"), this);
    calcola->setObjectName(QStringLiteral("BtnCalcola"));
    calcola->setAutoDefault(false);
    campi->addWidget(calcola, 2, 1);

    frame_ = new TFrmInterpola(this);
    frame_->impostaPressione(Patm);

    auto* risultati = new QGroupBox(this);
    auto* grid = new QGridLayout(risultati);
    for (int i = 0; i < 11; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(Nomi[i]), risultati), i, 0);
        valori_[i] = new QLabel(risultati);
        valori_[i]->setObjectName(QString::fromUtf8(NomiValori[i]));
        valori_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        valori_[i]->setMinimumWidth(70);
        grid->addWidget(valori_[i], i, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(Unita[i]), risultati), i, 2);
    }

    messaggio_ = new QLabel(risultati);
    messaggio_->setObjectName(QStringLiteral("lbMessaggio"));
    messaggio_->setWordWrap(true);
    messaggio_->setMinimumWidth(180);
    {
        QPalette p = messaggio_->palette();
        p.setColor(QPalette::WindowText, Qt::red);
        messaggio_->setPalette(p);
    }
    messaggio_->hide();
    grid->addWidget(messaggio_, 11, 0, 1, 3);

    ok_ = new QPushButton(QStringLiteral("Riporta"), this);
    ok_->setObjectName(QStringLiteral("OKBtn"));
    cancel_ = new QPushButton(QStringLiteral("Annulla"), this);
    cancel_->setObjectName(QStringLiteral("CancelBtn"));
    auto* help = new QPushButton(QStringLiteral("Aiuto"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));
    for (QPushButton* b : {ok_, cancel_, help})
        b->setProperty("tag", 1);
    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch();
    bottoni->addWidget(ok_);
    bottoni->addWidget(cancel_);
    bottoni->addWidget(help);

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(input);
    sinistra->addLayout(campi);
    sinistra->addWidget(frame_);
    sinistra->addStretch();
    auto* corpo = new QHBoxLayout;
    corpo->addLayout(sinistra);
    corpo->addWidget(risultati);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(corpo);
    tutto->addLayout(bottoni);

    connect(calcola, &QPushButton::clicked, this, [this] { BtnCalcolaClick(); });
    connect(radInput_, &QButtonGroup::idClicked, this, [this](int id) { radInputClick(id); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ui::apriAiuto(13, this); });
    frame_->onCambio = [this] {
        Patm = frame_->pressione();
        BtnCalcolaClick();
    };
    // Enter moves between the fields whatever the option says; "Riporta"
    // stays the default button.
    ui::applicaConvenzioneInvio(this, ok_, true);
    ok_->setDefault(true);

    if (QAbstractButton* b = radInput_->button(std::clamp(modo_, 0, 3)))
        b->setChecked(true);
    radInputClick(std::clamp(modo_, 0, 3));
}

TFormCalcolatriceAria::~TFormCalcolatriceAria() {
    Patm = patmIniziale_;
}

void TFormCalcolatriceAria::done(int result) {
    // "Riporta" hands back the state of the fields as they stand.
    if (result == QDialog::Accepted)
        BtnCalcolaClick();
    if (result == QDialog::Accepted && !valido_)
        return; // no state to hand back
    Patm = patmIniziale_;
    QDialog::done(result);
}

void TFormCalcolatriceAria::radInputClick(int modo) {
    modo_ = modo;
    fld1_->setValore(tbs_);
    static const char* const nomi[4] = {"UR", "tbu", "x", "h"};
    static const char* const unita[4] = {"%", "°C", "g/kg", "kJ/kg"};
    lbIn2_->setText(QString::fromUtf8(nomi[modo]));
    lbUm2_->setText(QString::fromUtf8(unita[modo]));
    const double valori[4] = {UR_, tbu_, x_, h_};
    fld2_->setValore(valori[modo]);
    BtnCalcolaClick();
}

void TFormCalcolatriceAria::BtnCalcolaClick() {
    tbs_ = fld1_->valoreOr(tbs_);
    const double v2 = fld2_->valoreOr(0);
    double x = 0, ur = 0, h = 0;
    switch (modo_) {
    case 0:
        UR_ = v2;
        StatoTbsUR(tbs_, UR_ / 100.0, x, h, tbu_, tdp_, rd_, rm_);
        x_ = x * 1000.0;
        h_ = h / 1000.0;
        break;
    case 1:
        tbu_ = v2;
        StatoTbsTbu(tbs_, tbu_, x, ur, h, tdp_, rd_, rm_);
        x_ = x * 1000.0;
        UR_ = ur * 100.0;
        h_ = h / 1000.0;
        break;
    case 2:
        x_ = v2;
        StatoTbsX(tbs_, x_ / 1000.0, ur, h, tbu_, tdp_, rd_, rm_);
        UR_ = ur * 100.0;
        h_ = h / 1000.0;
        break;
    default:
        h_ = v2;
        StatoTbsH(tbs_, h_ * 1000.0, x, ur, tbu_, tdp_, rd_, rm_);
        x_ = x * 1000.0;
        UR_ = ur * 100.0;
        break;
    }
    // The engine is silent on states that cannot exist (a negative humidity
    // from a low enthalpy, say): the checked calculation names them.
    static constexpr CoppiaNota coppie[4] = {CoppiaNota::TbsUR, CoppiaNota::TbsTbu,
                                             CoppiaNota::TbsX, CoppiaNota::TbsH};
    const double secondo[4] = {UR_, tbu_, x_ / 1000.0, h_ * 1000.0};
    const EsitoStato verifica = calcolaStato(coppie[modo_], tbs_, secondo[modo_], Patm);
    valido_ = verifica.ok;
    ok_->setEnabled(valido_);
    QStringList righe;
    if (!verifica.ok)
        righe << QString::fromStdString(verifica.errore);
    for (const std::string& a : verifica.avvisi)
        righe << QString::fromStdString(a);
    for (QString& r : righe)
        if (!r.isEmpty())
            r[0] = r[0].toUpper(); // a sentence of its own here
    messaggio_->setText(righe.join(QLatin1Char('\n')));
    messaggio_->setVisible(!righe.isEmpty());
    if (!valido_) {
        for (QLabel* l : valori_)
            l->clear();
        return;
    }
    double ps = 0;
    const double pv = PvdaUR(UR_ / 100.0, tbs_, ps);
    valori_[0]->setText(f(tbs_, 3, 1));
    valori_[1]->setText(f(tbu_, 3, 1));
    valori_[2]->setText(f(x_, 6, 1));
    valori_[3]->setText(f(h_, 7, 3));
    valori_[4]->setText(f(UR_, 3, 0));
    valori_[5]->setText(f(tdp_, 3, 1));
    valori_[6]->setText(f(rd_, 5, 3));
    valori_[7]->setText(f(rm_, 5, 3));
    valori_[8]->setText(rd_ != 0.0 ? f(1.0 / rd_, 5, 3) : QStringLiteral("Div-0?"));
    valori_[9]->setText(f(pv, 7, 0));
    valori_[10]->setText(f(ps, 7, 0));
}

StatoRiportato TFormCalcolatriceAria::stato() const {
    return {tbs_, UR_ / 100.0, x_ / 1000.0, h_ * 1000.0, tbu_, tdp_, rd_, rm_};
}

QString TFormCalcolatriceAria::messaggio() const {
    return messaggio_->isVisible() ? messaggio_->text() : QString();
}

QString TFormCalcolatriceAria::valore(int riga) const {
    return valori_[static_cast<std::size_t>(riga)]->text();
}

bool TFormCalcolatriceAria::apri(QWidget* parent, int modo, double tbs, double tbu, double x,
                                 double UR, StatoRiportato* out) {
    TFormCalcolatriceAria dialog(modo, tbs, tbu, x, UR, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok && out)
        *out = dialog.stato();
    return ok;
}

} // namespace tarvelo
