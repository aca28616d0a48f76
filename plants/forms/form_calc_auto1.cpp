#include "plants/forms/form_calc_auto1.h"

#include "ui/lista_verifiche.h"

#include "engine/format_mask.h"
#include "engine/numeric.h"
#include "plants/plant_samples.h"
#include "ui/enter_key.h"
#include "ui/help_window.h"
#include "ui/masked_field.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <cmath>
#include <cstdlib>
#include <exception>

namespace tarvelo {

namespace {

QString q(const char* s) {
    return QString::fromUtf8(s);
}

constexpr const char* Titoli[6] = {
    "COND. ESTIVO TUTTA ARIA - MISCELA+RAFFREDDAMENTO CON DEUMIDIFICAZIONE",
    "COND. ESTIVO ARIA PRIMARIA + FC - RAFFREDDAMENTO CON DEUMIDIFICAZIONE",
    "COND. ESTIVO TUTTA ARIA - RAFFREDDAMENTO CON DEUMIDIFICAZIONE+POSTRISCALDAMENTO",
    "COND. INVERNALE TUTTA ARIA - MISCELA+RISCALDAMENTO E UMID. ADIABATICA",
    "COND. INVERNALE TUTTA ARIA - MISCELA+RISCALDAMENTO E UMID. CON VAPORE",
    "COND. INVERNALE TUTTA ARIA ESTERNA- PRERISCALD. + UMIDIF. ADIAB. + POSTRISC.",
};

std::string maschera(int um) {
    std::string m;
    MaskPortata(um, m);
    return m;
}

} // namespace

const char* titoloImpianto(int tipo) {
    return tipo >= 0 && tipo < 6 ? Titoli[tipo] : "";
}

void LineeCostruzione::linea(const TPunto& da, const TPunto& a) {
    linee_.push_back({{da.tbs, da.x}, {a.tbs, a.x}});
}

void LineeCostruzione::cerchio(const TPunto& p) {
    cerchi_.push_back({p.tbs, p.x});
}

void LineeCostruzione::cancella() {
    linee_.clear();
    cerchi_.clear();
}

namespace {
// The view's coordinates are bounded for any state, NaN included.
QPoint punto(const VistaDiagramma& vista, double tbs, double x) {
    return {vista.X(tbs), vista.Y(x)};
}
} // namespace

std::vector<QLine> LineeCostruzione::linee(const VistaDiagramma& vista) const {
    std::vector<QLine> v;
    v.reserve(linee_.size());
    for (const auto& [da, a] : linee_)
        v.emplace_back(punto(vista, da.tbs, da.x), punto(vista, a.tbs, a.x));
    return v;
}

void LineeCostruzione::disegna(QPainter& p, const VistaDiagramma& vista, int raggio) const {
    p.setPen(QPen(Qt::darkGray, 2));
    p.setBrush(Qt::NoBrush);
    // Cut at the field's edges, as the treatments are.
    const Riquadro campo = vista.campo();
    for (const QLine& l : linee(vista)) {
        int x1 = l.x1(), y1 = l.y1(), x2 = l.x2(), y2 = l.y2();
        if (ritagliaSegmento(campo, x1, y1, x2, y2))
            p.drawLine(x1, y1, x2, y2);
    }
    for (const Stato& c : cerchi_) {
        const QPoint centro = punto(vista, c.tbs, c.x);
        if (campo.contienePunto(centro.x(), centro.y()))
            p.drawEllipse(centro, raggio, raggio);
    }
}

TFormCalcAuto1::TFormCalcAuto1(TLavoro& lavoro, TTestataLavoro& testata, const TDefault& defaults,
                               bool emulazioneDosInvio, ServiziImpianto servizi, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), lavoro_(lavoro), testata_(testata),
      defaults_(defaults), servizi_(std::move(servizi)), copia_(std::make_unique<TLavoro>()) {
    setObjectName(QStringLiteral("FormCalcAuto1"));
    setModal(false);
    creaControlli();
    ui::applicaConvenzioneInvio(this, OKBtn, emulazioneDosInvio);
    // F1 opens the page of what the dialog shows, as its help button does.
    ui::tastoAiuto(this, [this] { HelpBtnClick(); });
}

TFormCalcAuto1::~TFormCalcAuto1() = default;

void TFormCalcAuto1::creaControlli() {
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    // A window widened for a long caption keeps its fields beside their
    // labels: the spare width goes after the last column.
    g->setColumnStretch(5, 1);
    v->addLayout(g);
    auto campo = [this](const char* nome, const std::string& mask, const QString& accessibile) {
        auto* f = new ui::CampoMaschera(mask, this);
        f->setObjectName(q(nome));
        f->setAccessibleName(accessibile);
        f->setMaximumWidth(100);
        f->installEventFilter(this);
        // Typed, pasted or set by an assistive tool: any change that is not
        // the dialog showing a value needs a new calculation.
        connect(f, &QLineEdit::textChanged, this, [this, f] {
            if (!f->impostando())
                fldInterne1Change();
        });
        return f;
    };
    auto etichetta = [this](const char* nome, const QString& testo) {
        auto* l = new QLabel(testo, this);
        l->setObjectName(q(nome));
        return l;
    };
    auto unita = [this](const char* nome) {
        auto* c = new QComboBox(this);
        c->setObjectName(q(nome));
        for (int u = 0; u < 3; ++u)
            c->addItem(QString::fromStdString(UnitaPortata(u)));
        c->setProperty("tag", 1);
        return c;
    };
    auto interruttore = [this](const char* nome) {
        auto* b = new QPushButton(QStringLiteral("↔"), this);
        b->setObjectName(q(nome));
        b->setMaximumWidth(28);
        b->setAutoDefault(false);
        b->setProperty("tag", 1);
        return b;
    };

    fldInterne1 = campo("fldInterne1", "###.#", QStringLiteral("Condizioni interne: tbs [°C]"));
    fldInterne2 = campo("fldInterne2", "##.#", QStringLiteral("Condizioni interne: UR [%]"));
    fldEsterne1 = campo("fldEsterne1", "###.#", QStringLiteral("Condizioni esterne: tbs [°C]"));
    fldEsterne2 = campo("fldEsterne2", "##.#", QStringLiteral("Condizioni esterne: UR [%]"));
    g->addWidget(new QLabel(QStringLiteral("tbs [°C]"), this), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("UR [%]"), this), 0, 2);
    auto* lbInt = etichetta("LbInterne", QStringLiteral("Condizioni int.(B):"));
    lbInt->setBuddy(fldInterne1);
    g->addWidget(lbInt, 1, 0);
    g->addWidget(fldInterne1, 1, 1);
    g->addWidget(fldInterne2, 1, 2);
    auto* lbEst = etichetta("LbEsterne", QStringLiteral("Condizioni est.(A):"));
    lbEst->setBuddy(fldEsterne1);
    g->addWidget(lbEst, 2, 0);
    g->addWidget(fldEsterne1, 2, 1);
    g->addWidget(fldEsterne2, 2, 2);

    fldVolume = campo("fldVolume", "9999999999", QStringLiteral("Volume [m3]"));
    g->addWidget(etichetta("LbVolume", QStringLiteral("Volume")), 3, 0);
    g->addWidget(fldVolume, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("m3"), this), 3, 2);

    fldCsens = campo("fldCsens", "####.###", {});
    LbCsens = etichetta("LbCsens", {});
    LbCsens->setBuddy(fldCsens);
    g->addWidget(LbCsens, 4, 0);
    g->addWidget(fldCsens, 4, 1);
    g->addWidget(new QLabel(QStringLiteral("kW"), this), 4, 2);

    fldClat_Cx = campo("fldClat_Cx", "####.###", {});
    LbClatCx = etichetta("LbClatCx", {});
    LbClatCx->setBuddy(fldClat_Cx);
    LbUmClatCx = etichetta("LbUmClatCx", {});
    BtnTglCLatCx = interruttore("BtnTglCLatCx");
    Lb2ClatCx = etichetta("Lb2ClatCx", {});
    g->addWidget(LbClatCx, 5, 0);
    g->addWidget(fldClat_Cx, 5, 1);
    g->addWidget(LbUmClatCx, 5, 2);
    g->addWidget(BtnTglCLatCx, 5, 3);
    g->addWidget(Lb2ClatCx, 5, 4);
    connect(BtnTglCLatCx, &QPushButton::clicked, this, [this] { BtnTglCLatCxClick(); });

    fldQrinn = campo("fldQrinn", "#####.####", {});
    LbQrinn = etichetta("LbQrinn", {});
    LbQrinn->setBuddy(fldQrinn);
    cmbUmQrinn = unita("cmbUmQrinn");
    cmbUmQrinn->setAccessibleName(QStringLiteral("Unità della portata di rinnovo"));
    lbUmQrinn = etichetta("lbUmQrinn", {});
    auto* uq = new QHBoxLayout;
    uq->addWidget(cmbUmQrinn);
    uq->addWidget(lbUmQrinn);
    g->addWidget(LbQrinn, 6, 0);
    g->addWidget(fldQrinn, 6, 1);
    g->addLayout(uq, 6, 2);
    connect(cmbUmQrinn, &QComboBox::activated, this, [this] { cmbUmQrinnChange(); });

    fldtb_Qimm = campo("fldtb_Qimm", "###.#", {});
    LbtbsQimm = etichetta("LbtbsQimm", {});
    LbtbsQimm->setBuddy(fldtb_Qimm);
    cmbUmQimm = unita("cmbUmQimm");
    cmbUmQimm->setAccessibleName(QStringLiteral("Unità della portata di immissione"));
    lbUmtbsQimm = etichetta("lbUmtbsQimm", {});
    BtnTglTbsQimm = interruttore("BtnTglTbsQimm");
    Lb2tbsQimm = etichetta("Lb2tbsQimm", {});
    auto* ui = new QHBoxLayout;
    ui->addWidget(cmbUmQimm);
    ui->addWidget(lbUmtbsQimm);
    g->addWidget(LbtbsQimm, 7, 0);
    g->addWidget(fldtb_Qimm, 7, 1);
    g->addLayout(ui, 7, 2);
    g->addWidget(BtnTglTbsQimm, 7, 3);
    g->addWidget(Lb2tbsQimm, 7, 4);
    connect(cmbUmQimm, &QComboBox::activated, this, [this] { cmbUmQimmChange(); });
    connect(BtnTglTbsQimm, &QPushButton::clicked, this, [this] { BtnTglTbsQimmClick(); });

    fldtH2O = campo("fldtH2O", "###.#", {});
    LbtH2O = etichetta("LbtH2O", QStringLiteral("tH2O"));
    LbtH2O->setBuddy(fldtH2O);
    LbUmtH2O = etichetta("LbUmtH2O", QStringLiteral("°C"));
    g->addWidget(LbtH2O, 8, 0);
    g->addWidget(fldtH2O, 8, 1);
    g->addWidget(LbUmtH2O, 8, 2);

    verifiche_ = new ui::ListaVerifiche(this);
    verifiche_->quandoScelto([this](int punto) {
        if (servizi_.evidenzia)
            servizi_.evidenzia(punto);
    });
    v->addWidget(verifiche_);

    auto* bottoni = new QHBoxLayout;
    v->addLayout(bottoni);
    auto bottone = [&](QPushButton*& b, const char* nome, const QString& testo) {
        b = new QPushButton(testo, this);
        b->setObjectName(q(nome));
        b->setAutoDefault(false);
        bottoni->addWidget(b);
    };
    bottone(BtnCalcola, "BtnCalcola", QStringLiteral("Calcola"));
    bottone(BtnPunti, "BtnPunti", QStringLiteral("   Punti"));
    BtnPunti->setAccessibleName(QStringLiteral("Punti"));
    bottone(btnDettaglio, "btnDettaglio", QStringLiteral("Dettagli"));
    bottone(OKBtn, "OKBtn", QStringLiteral("OK"));
    bottone(CancelBtn, "CancelBtn", QStringLiteral("Annulla"));
    bottone(HelpBtn, "HelpBtn", QStringLiteral("&Aiuto"));
    OKBtn->setEnabled(false);
    connect(BtnCalcola, &QPushButton::clicked, this, [this] { BtnCalcolaClick(); });
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
    connect(BtnPunti, &QPushButton::clicked, this, [this] {
        if (servizi_.mostraPunti)
            servizi_.mostraPunti();
    });
    connect(btnDettaglio, &QPushButton::clicked, this, [this] {
        if (servizi_.mostraDettaglio)
            servizi_.mostraDettaglio();
    });
}

void TFormCalcAuto1::mostraValore(ui::CampoMaschera* f, double v) {
    f->setValore(v); // shown rounded; the work keeps the exact value
}

void TFormCalcAuto1::Prepara(bool revisione, int nuovo) {
    // Cancel puts back the work as it was before the opening: its
    // configuration, points and sequence, not the sample data.
    *copia_ = lavoro_;
    calcoliValidiSalvati_ = testata_.CalcoliValidi;
    if (!revisione) {
        if (nuovo >= 0 && nuovo <= 5)
            lavoro_.TipoImpianto = static_cast<std::uint8_t>(nuovo);
        preparaImpianto(lavoro_.TipoImpianto, lavoro_, defaults_);
        testata_.CalcoliValidi = 0;
        if (servizi_.ridisegna)
            servizi_.ridisegna();
    }
    tag_ = 0;
    caricaCampi();
}

void TFormCalcAuto1::RiprendiLavoro() {
    caricaCampi();
}

void TFormCalcAuto1::caricaCampi() {
    caricamento_ = true;
    const int tipo = lavoro_.TipoImpianto;
    setWindowTitle(q(titoloImpianto(tipo)));
    // Wide enough for the whole caption beside the frame's buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 140);
    const bool inverno = tipo >= 3 && tipo <= 5;
    const bool c = tipo == 2;
    LbCsens->setText(inverno ? QStringLiteral("Fabbisogno sensibile")
                             : QStringLiteral("Carico sensibile amb."));
    fldCsens->setAccessibleName(LbCsens->text() + QStringLiteral(" [kW]"));
    LbQrinn->setText(c ? QStringLiteral("t superficiale") : QStringLiteral("q rinnovo"));
    cmbUmQrinn->setVisible(!c);
    lbUmQrinn->setVisible(c);
    lbUmQrinn->setText(QStringLiteral("°C"));
    BtnTglTbsQimm->setVisible(tipo == 0);
    Lb2tbsQimm->setVisible(tipo == 0);
    for (QWidget* w : {static_cast<QWidget*>(BtnTglCLatCx), static_cast<QWidget*>(Lb2ClatCx)})
        w->setVisible(!inverno);
    for (QWidget* w : {static_cast<QWidget*>(fldtH2O), static_cast<QWidget*>(LbtH2O),
                       static_cast<QWidget*>(LbUmtH2O)})
        w->setVisible(inverno);
    LbtH2O->setText(tipo == 4 ? QStringLiteral("tvap") : QStringLiteral("tH2O"));
    fldtH2O->setAccessibleName(LbtH2O->text() + QStringLiteral(" [°C]"));

    mostraValore(fldInterne1, lavoro_.tbsInt);
    mostraValore(fldInterne2, lavoro_.URInt);
    mostraValore(fldEsterne1, lavoro_.tbsEst);
    mostraValore(fldEsterne2, lavoro_.UREst);
    mostraValore(fldVolume, lavoro_.Volume);
    mostraValore(fldCsens, lavoro_.Csens);
    cmbUmQrinn->setCurrentIndex(std::clamp<int>(lavoro_.umQrinn, 0, 2));
    cmbUmQimm->setCurrentIndex(std::clamp<int>(lavoro_.umQimm, 0, 2));
    SettaTbsQimm();
    SettaClatCx();
    if (c) {
        fldQrinn->setMask("###.##");
        mostraValore(fldQrinn, lavoro_.tSup);
    } else {
        SettaQrinn();
    }
    if (inverno)
        mostraValore(fldtH2O, lavoro_.tH2O);
    fldCsensExit();
    caricamento_ = false;
    BtnCalcolaClick();
}

void TFormCalcAuto1::SettaClatCx() {
    const bool cx = lavoro_.flgCx == 1;
    LbClatCx->setText(cx ? QStringLiteral("Qx") : QStringLiteral("Carico latente amb."));
    Lb2ClatCx->setText(cx ? QStringLiteral("Qlat") : QStringLiteral("Qx"));
    LbUmClatCx->setText(cx ? QStringLiteral("g/s") : QStringLiteral("kW"));
    mostraValore(fldClat_Cx, cx ? lavoro_.Cx : lavoro_.Clat);
    fldClat_Cx->setAccessibleName(LbClatCx->text() + QStringLiteral(" [") + LbUmClatCx->text() +
                                  QStringLiteral("]"));
    BtnTglCLatCx->setAccessibleName(QStringLiteral("Passa a ") + Lb2ClatCx->text());
}

void TFormCalcAuto1::SettaTbsQimm() {
    TPunto& d = lavoro_.Punti[3];
    if (lavoro_.TipoImpianto == 5) {
        LbtbsQimm->setText(QStringLiteral("UR punto D"));
        fldtb_Qimm->setMask("###.##");
        lbUmtbsQimm->setText(QStringLiteral("%"));
        mostraValore(fldtb_Qimm, lavoro_.URD);
        cmbUmQimm->hide();
        lbUmtbsQimm->show();
    } else if (lavoro_.flgQimm == 1) {
        LbtbsQimm->setText(QStringLiteral("q immissione"));
        Lb2tbsQimm->setText(QStringLiteral("tbs"));
        lavoro_.umQimm = static_cast<std::uint8_t>(std::max(0, cmbUmQimm->currentIndex()));
        fldtb_Qimm->setMask(maschera(lavoro_.umQimm));
        mostraValore(fldtb_Qimm, lavoro_.Qimm * FattorePortata(lavoro_.umQimm));
        cmbUmQimm->show();
        lbUmtbsQimm->hide();
        d.Maniglia = 6;
    } else {
        LbtbsQimm->setText(QStringLiteral("tbs immissione"));
        Lb2tbsQimm->setText(QStringLiteral("q"));
        fldtb_Qimm->setMask("###.#");
        lbUmtbsQimm->setText(QStringLiteral("°C"));
        mostraValore(fldtb_Qimm, lavoro_.tbsImm);
        cmbUmQimm->hide();
        lbUmtbsQimm->show();
        d.Maniglia = 2;
    }
    fldtb_Qimm->setAccessibleName(LbtbsQimm->text());
    BtnTglTbsQimm->setAccessibleName(QStringLiteral("Passa a ") + Lb2tbsQimm->text());
}

void TFormCalcAuto1::SettaQrinn() {
    lavoro_.umQrinn = static_cast<std::uint8_t>(std::max(0, cmbUmQrinn->currentIndex()));
    fldQrinn->setMask(maschera(lavoro_.umQrinn));
    mostraValore(fldQrinn, lavoro_.Qrinn * FattorePortata(lavoro_.umQrinn));
    fldQrinn->setAccessibleName(QStringLiteral("q rinnovo [") +
                                QString::fromStdString(UnitaPortata(lavoro_.umQrinn)) +
                                QStringLiteral("]"));
}

void TFormCalcAuto1::leggiCampi() {
    // Only what the user typed: a field shows its value rounded to its
    // mask, and reading that back would move the point.
    auto leggi = [](ui::CampoMaschera* f, double& v) {
        if (f->isModified()) {
            v = f->valoreOr(v);
            f->setModified(false);
        }
    };
    leggi(fldInterne1, lavoro_.tbsInt);
    leggi(fldInterne2, lavoro_.URInt);
    leggi(fldEsterne1, lavoro_.tbsEst);
    leggi(fldEsterne2, lavoro_.UREst);
    leggi(fldVolume, lavoro_.Volume);
    leggi(fldCsens, lavoro_.Csens);
    leggi(fldClat_Cx, lavoro_.flgCx == 1 ? lavoro_.Cx : lavoro_.Clat);
    if (lavoro_.TipoImpianto == 2) {
        leggi(fldQrinn, lavoro_.tSup);
    } else if (fldQrinn->isModified()) {
        double v = fldQrinn->valoreOr(lavoro_.Qrinn * FattorePortata(lavoro_.umQrinn));
        if (InKgS(lavoro_.umQrinn, v))
            lavoro_.Qrinn = v;
        fldQrinn->setModified(false);
    }
    if (lavoro_.TipoImpianto == 5) {
        leggi(fldtb_Qimm, lavoro_.URD);
    } else if (lavoro_.flgQimm == 1) {
        if (fldtb_Qimm->isModified()) {
            double v = fldtb_Qimm->valoreOr(lavoro_.Qimm * FattorePortata(lavoro_.umQimm));
            if (InKgS(lavoro_.umQimm, v))
                lavoro_.Qimm = v;
            fldtb_Qimm->setModified(false);
        }
    } else {
        leggi(fldtb_Qimm, lavoro_.tbsImm);
    }
    if (fldtH2O->isVisible() || fldtH2O->isModified())
        leggi(fldtH2O, lavoro_.tH2O);
}

void TFormCalcAuto1::Ricalcola() {
    leggiCampi();
    costruzione_.cancella();
    if (servizi_.stato)
        servizi_.stato({});
    const TLavoro prima = lavoro_;
    try {
        const std::string cartella = servizi_.cartellaLog ? servizi_.cartellaLog() : std::string();
        const EsitoImpianto e = CalcolaImpianto(lavoro_, cartella, &costruzione_);
        if (!e.file.ok && servizi_.stato)
            servizi_.stato(e.file.errore);
    } catch (const std::exception& ex) {
        // Nothing of a run that broke off is kept.
        lavoro_ = prima;
        OKBtn->setEnabled(false);
        if (servizi_.stato)
            servizi_.stato(std::string("Calcolo della configurazione ") +
                           letteraImpianto(lavoro_.TipoImpianto) + " interrotto: " + ex.what());
        return;
    }
    if (lavoro_.CodiceErrore != 0) {
        OKBtn->setEnabled(false);
    } else {
        OKBtn->setEnabled(true);
        costruzione_.cancella();
        if (servizi_.salvaValido)
            servizi_.salvaValido();
    }
    verifiche_->mostra(servizi_.limiti ? tarvelo::verifiche(lavoro_, *servizi_.limiti)
                                       : std::vector<Verifica>{},
                       lavoro_.CodiceErrore == 0);
    if (servizi_.aggiornaFinestre)
        servizi_.aggiornaFinestre();
    if (servizi_.ridisegna)
        servizi_.ridisegna();
}

void TFormCalcAuto1::BtnCalcolaClick() {
    Ricalcola();
}

double TFormCalcAuto1::comeNelCampo(ui::CampoMaschera* f, double v) {
    // The mask's own layout of the value, read back (it writes a point).
    const std::string testo = FormatMask(f->mask(), v);
    char* fine = nullptr;
    const double r = std::strtod(testo.c_str(), &fine);
    return fine != testo.c_str() && std::isfinite(r) ? r : v;
}

void TFormCalcAuto1::AggiornaInterne(double UR, double tbs) {
    UR = comeNelCampo(fldInterne2, UR);
    tbs = comeNelCampo(fldInterne1, tbs);
    if (tbs == lavoro_.tbsInt && UR == lavoro_.URInt)
        return;
    lavoro_.tbsInt = tbs;
    lavoro_.URInt = UR;
    mostraValore(fldInterne1, tbs);
    mostraValore(fldInterne2, UR);
    Ricalcola();
}

void TFormCalcAuto1::AggiornaEsterne(double UR, double tbs) {
    UR = comeNelCampo(fldEsterne2, UR);
    tbs = comeNelCampo(fldEsterne1, tbs);
    if (tbs == lavoro_.tbsEst && UR == lavoro_.UREst)
        return;
    lavoro_.tbsEst = tbs;
    lavoro_.UREst = UR;
    mostraValore(fldEsterne1, tbs);
    mostraValore(fldEsterne2, UR);
    Ricalcola();
}

void TFormCalcAuto1::AggiornaTbsImm(double tbs) {
    tbs = comeNelCampo(fldtb_Qimm, tbs);
    if (lavoro_.flgQimm != 0 || tbs == lavoro_.tbsImm)
        return;
    lavoro_.tbsImm = tbs;
    mostraValore(fldtb_Qimm, tbs);
    Ricalcola();
}

void TFormCalcAuto1::AggiornaURD(double UR) {
    UR = comeNelCampo(fldtb_Qimm, UR);
    if (UR == lavoro_.URD)
        return;
    lavoro_.URD = UR;
    mostraValore(fldtb_Qimm, UR);
    Ricalcola();
}

void TFormCalcAuto1::AggiornaTSup(double tbs) {
    tbs = comeNelCampo(fldQrinn, tbs);
    if (tbs == lavoro_.tSup)
        return;
    lavoro_.tSup = tbs;
    mostraValore(fldQrinn, tbs);
    Ricalcola();
}

void TFormCalcAuto1::AggiornaXPick(double x) {
    lavoro_.xPick = x;
    lavoro_.flgXPick = 1;
    Ricalcola();
}

void TFormCalcAuto1::trascina(int codice, double tbs, double UR, double x) {
    switch (codice) {
    case 0:
        AggiornaInterne(UR * 100.0, tbs);
        break;
    case 1:
        AggiornaEsterne(UR * 100.0, tbs);
        break;
    case 2:
        AggiornaTbsImm(tbs);
        break;
    case 3:
        AggiornaURD(UR * 100.0);
        break;
    case 4:
        AggiornaTSup(tbs);
        break;
    case 5:
        AggiornaXPick(x);
        break;
    default:
        break;
    }
}

void TFormCalcAuto1::OKBtnClick() {
    tag_ = 1;
    QDialog::done(QDialog::Accepted);
}

void TFormCalcAuto1::CancelBtnClick() {
    lavoro_ = *copia_;
    testata_.CalcoliValidi = calcoliValidiSalvati_;
    costruzione_.cancella();
    // Nothing of the cancelled calculation stays in sight: the message of a
    // failed run, the chart, the points table and the log.
    if (servizi_.stato)
        servizi_.stato({});
    QDialog::done(QDialog::Rejected);
    if (servizi_.aggiornaFinestre)
        servizi_.aggiornaFinestre();
    if (servizi_.ridisegna)
        servizi_.ridisegna();
}

void TFormCalcAuto1::reject() {
    // Esc is Cancel; the window's close button only hides the window and
    // the work keeps the calculation shown.
    if (chiusuraFinestra_)
        QDialog::reject();
    else
        CancelBtnClick();
}

void TFormCalcAuto1::closeEvent(QCloseEvent* event) {
    chiusuraFinestra_ = true;
    QDialog::closeEvent(event);
    chiusuraFinestra_ = false;
}

void TFormCalcAuto1::HelpBtnClick() {
    const int tipo = lavoro_.TipoImpianto;
    ui::apriAiuto(tipo <= 5 ? 14 + tipo : 0, this);
}

void TFormCalcAuto1::BtnTglCLatCxClick() {
    leggiCampi();
    lavoro_.flgCx = lavoro_.flgCx == 1 ? 0 : 1;
    if (lavoro_.flgCx == 1)
        lavoro_.Cx = lavoro_.Clat / CaloreLatenteCx;
    else
        lavoro_.Clat = CaloreLatenteCx * lavoro_.Cx;
    SettaClatCx();
    OKBtn->setEnabled(false);
}

void TFormCalcAuto1::BtnTglTbsQimmClick() {
    leggiCampi();
    lavoro_.flgQimm = lavoro_.flgQimm == 1 ? 0 : 1;
    SettaTbsQimm();
    OKBtn->setEnabled(false);
}

void TFormCalcAuto1::cmbUmQrinnChange() {
    // A value typed is taken in the unit it was typed in.
    leggiCampi();
    SettaQrinn();
}

void TFormCalcAuto1::cmbUmQimmChange() {
    leggiCampi();
    SettaTbsQimm();
}

void TFormCalcAuto1::fldInterne1Change() {
    if (!caricamento_)
        OKBtn->setEnabled(false);
}

void TFormCalcAuto1::fldCsensExit() {
    // In C a sensible load of 0 makes the room temperature the supply one.
    const bool zero = fldCsens->valoreOr(lavoro_.Csens) == 0.0;
    fldtb_Qimm->setEnabled(!(lavoro_.TipoImpianto == 2 && zero));
}

bool TFormCalcAuto1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fldCsens && event->type() == QEvent::FocusOut)
        fldCsensExit();
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        const bool interne = watched == fldInterne1 || watched == fldInterne2;
        const bool esterne = watched == fldEsterne1 || watched == fldEsterne2;
        if ((interne || esterne) && servizi_.scegliStato) {
            ui::CampoMaschera* t = interne ? fldInterne1 : fldEsterne1;
            ui::CampoMaschera* u = interne ? fldInterne2 : fldEsterne2;
            const auto s = servizi_.scegliStato(t->valoreOr(25), u->valoreOr(50) / 100.0);
            if (s) {
                t->setValore(s->first);
                u->setValore(s->second * 100.0);
                t->setModified(true);
                u->setModified(true);
                fldInterne1Change();
            }
            return true;
        }
    }
    if (event->type() == QEvent::ContextMenu && (watched == fldInterne1 || watched == fldInterne2 ||
                                                 watched == fldEsterne1 || watched == fldEsterne2))
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace tarvelo
