#include "treatments/forms/form_calc_ute.h"

#include "ui/lista_verifiche.h"

#include "document/error_messages.h"
#include "engine/format_mask.h"
#include "engine/numeric.h"
#include "engine/text.h"
#include "treatments/process.h"
#include "treatments/treatment_defaults.h"
#include "ui/enter_key.h"
#include "ui/help_window.h"
#include "ui/locale_text.h"
#include "ui/masked_field.h"
#include "ui/message_box.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tarvelo {

namespace {

enum Pagina { PagMiscela = 0, PagRiscRaff = 1, PagUmid = 2, PagBatteria = 3 };

int paginaDelCodice(int codice) {
    switch (codice) {
    case 1:
        return PagMiscela;
    case 2:
    case 4:
        return PagRiscRaff;
    case 5:
    case 7:
        return PagUmid;
    default:
        return PagBatteria;
    }
}

QString q(const char* s) {
    return QString::fromUtf8(s);
}

const char* const ListaMiscela[] = {"port1 % ; totale", "port1    ; totale", "port1    ; port2"};
const char* const ListaMiscelaImposta[] = {"portata1 %", "portata1"};
const char* const ListaRiscRaff[] = {"punto1 ; potenza ; portata", "punto1 ; punto2  ; portata",
                                     "punto1 ; punto2  ; potenza"};
const char* const ListaRiscRaffImposta[] = {"punto1 ; potenza", "punto1 ; punto2"};
const char* const ListaBatteria[] = {"pto1 ; tbs2 ; S  ; T", "pto1 ; qimm ; S  ; T",
                                     "pto1 ; qimm ; ts ; fs", "pto1 ; pto2 ; qimm"};
const char* const ListaBatteriaImposta[] = {"pto1 ; S    ; T", "pto1 ; ts   ; fs", "pto1 ; pto2"};
const char* const ListaUnione[] = {"pto1 ; tbs2 ; S    ; T", "pto1 ; qimm ; S    ; T",
                                   "pto1 ; x2   ; S    ; T", "pto1 ; tbs2 ; qimm ; S ; L",
                                   "pto1 ; qimm ; S    ; L", "pto1 ; pto2 ; qimm"};
const char* const ListaUnioneImposta[] = {"pto1 ; S    ; T", "pto1 ; tbs2 ; S ; L",
                                          "pto1 ; S    ; L", "pto1 ; pto2"};
constexpr int UnioneDaBreve[] = {1, 3, 4, 5};

template <std::size_t N> void riempi(QComboBox* c, const char* const (&voci)[N]) {
    const QSignalBlocker blocco(c);
    c->clear();
    for (const char* v : voci)
        c->addItem(q(v));
}

ui::CampoMaschera* campo(QWidget* parent, const char* nome, const std::string& mask,
                         const QString& accessibile) {
    auto* f = new ui::CampoMaschera(mask, parent);
    f->setObjectName(q(nome));
    f->setAccessibleName(accessibile);
    f->setMaximumWidth(90);
    return f;
}

QComboBox* comboUnita(QWidget* parent, const char* nome) {
    auto* c = new QComboBox(parent);
    c->setObjectName(q(nome));
    c->setAccessibleName(QStringLiteral("Unità della portata"));
    for (int u = 0; u < 3; ++u)
        c->addItem(QString::fromStdString(UnitaPortata(u)));
    return c;
}

// The list position stored for a coil or a union, as the list shows it.
int posizioneLista(const TDatiTrattamento& d, bool batteria, bool imposta) {
    if (imposta)
        return d.posLista < (batteria ? 3 : 4) ? d.posLista : 0;
    return d.modoBatteria < (batteria ? 4 : 6) ? d.modoBatteria : 0;
}

} // namespace

TFormCalcUte::TFormCalcUte(TLavoro& lavoro, std::uint8_t umPortataDef, bool emulazioneDosInvio,
                           ServiziTrattamenti servizi, QWidget* parent)
    : QDialog(parent), lavoro_(lavoro), editor_(lavoro, umPortataDef), servizi_(std::move(servizi)),
      allApertura_(std::make_unique<TLavoro>(lavoro)) {
    setObjectName(QStringLiteral("FormCalcUte"));
    auto* layout = new QVBoxLayout(this);
    titolo_ = new QLabel(this);
    titolo_->setObjectName(QStringLiteral("lbTitolo"));
    QFont grassetto = titolo_->font();
    grassetto.setBold(true);
    titolo_->setFont(grassetto);
    layout->addWidget(titolo_);
    pagine_ = new QStackedWidget(this);
    layout->addWidget(pagine_);
    creaPagine();
    creaPannello();
    layout->addWidget(suggerimento_);
    verifiche_ = new ui::ListaVerifiche(this);
    verifiche_->quandoScelto([this](int punto) {
        if (servizi_.evidenzia)
            servizi_.evidenzia(punto);
    });
    layout->addWidget(verifiche_);
    // OK opens the menu of what comes next; it never closes the dialog.
    ui::applicaConvenzioneInvio(this, OKBtn, emulazioneDosInvio);
    // F1 opens the page of what the dialog shows, as its help button does.
    ui::tastoAiuto(this, [this] { HelpBtnClick(); });
}

TFormCalcUte::~TFormCalcUte() = default;

TFormCalcUte::CampiPunto TFormCalcUte::rigaPunto(QGridLayout* g, int riga, const QString& titolo,
                                                 int pagina, int punto, bool conTbs,
                                                 bool conSecondo, const QString& secondo) {
    QWidget* w = g->parentWidget();
    CampiPunto c;
    const QString n = QString::number(punto);
    const QString p = QString::number(pagina + 1);
    auto* lb = new QLabel(titolo, w);
    g->addWidget(lb, riga, 0);
    c.nome = new QLineEdit(w);
    c.nome->setObjectName(QStringLiteral("fldPunto%1_%2").arg(n, p));
    c.nome->setMaxLength(1);
    c.nome->setMaximumWidth(28);
    c.nome->setAccessibleName(titolo + QStringLiteral(": nome"));
    c.nome->setProperty("tag", 1);
    lb->setBuddy(c.nome);
    g->addWidget(c.nome, riga, 1);
    // The names follow the form's own spelling of each page.
    static const char* const tbsNomi[4][3] = {{"fldtbs1_1", "fldtbs2_1", ""},
                                              {"fldTbs1_2", "fldTbs2_2", ""},
                                              {"fldtbs1_3", "", ""},
                                              {"fldtbs1_4", "fldtbs2_4", ""}};
    static const char* const secondiNomi[4][3] = {{"fldUR1_1", "fldUR2_1", ""},
                                                  {"fldUR1_2", "", ""},
                                                  {"fldw1_3", "fldw2_3", ""},
                                                  {"fldUR1_4", "fldw2_4", ""}};
    static const char* const comboNomi[4][3] = {{"cmbPunto1_1", "cmbPunto2_1", "cmbPunto3_1"},
                                                {"cmbPunto1_2", "cmbPunto2_2", ""},
                                                {"cmbPunto1_3", "cmbPunto2_3", ""},
                                                {"cmbPunto1_4", "cmbPunto2_4", ""}};
    static const char* const bottoniNomi[4][2] = {{"btnPunto1_1", "btnPunto2_1"},
                                                  {"BtnPunto1_2", "BtnPunto2_2"},
                                                  {"btnPunto1_3", "btnPunto2_3"},
                                                  {"btnPunto1_4", "btnPunto2_4"}};
    const auto i = static_cast<std::size_t>(pagina);
    const auto k = static_cast<std::size_t>(punto - 1);
    if (conTbs) {
        c.tbs = campo(w, tbsNomi[i][k], "###.#", titolo + QStringLiteral(": tbs [°C]"));
        g->addWidget(c.tbs, riga, 2);
    }
    if (conSecondo) {
        const bool ur = secondo.startsWith(QStringLiteral("UR"));
        const std::string mask = ur ? "##.#" : (pagina == PagBatteria ? "###.##" : "###.#");
        c.secondo = campo(w, secondiNomi[i][k], mask, titolo + QStringLiteral(": ") + secondo);
        g->addWidget(c.secondo, riga, 3);
    }
    c.etichetta = new QComboBox(w);
    c.etichetta->setObjectName(q(comboNomi[i][k]));
    c.etichetta->addItems({QStringLiteral("etich. sopra"), QStringLiteral("etich. sotto")});
    c.etichetta->setAccessibleName(titolo + QStringLiteral(": posizione dell'etichetta"));
    c.etichetta->setProperty("tag", 1);
    g->addWidget(c.etichetta, riga, 4);
    if (punto <= 2) {
        c.collega = new QPushButton(QStringLiteral("Collega"), w);
        c.collega->setObjectName(q(bottoniNomi[i][k]));
        c.collega->setAccessibleName(titolo + QStringLiteral(": collega a un punto esistente"));
        c.collega->setProperty("tag", 1);
        c.collega->setAutoDefault(false);
        const int quale = punto - 1;
        connect(c.collega, &QPushButton::clicked, this, [this, quale] { collegaClick(quale); });
        g->addWidget(c.collega, riga, 5);
    }
    return c;
}

void TFormCalcUte::creaPagine() {
    auto intestazioni = [](QGridLayout* g, QWidget* w, const QString& secondo, bool conTbs = true) {
        g->addWidget(new QLabel(QStringLiteral("Nome"), w), 0, 1);
        if (conTbs)
            g->addWidget(new QLabel(QStringLiteral("tbs [°C]"), w), 0, 2);
        g->addWidget(new QLabel(secondo, w), 0, 3);
    };
    auto etichettato = [this](QGridLayout* g, int riga, int col, const QString& testo,
                              QWidget* campo) {
        auto* lb = new QLabel(testo, campo->parentWidget());
        lb->setBuddy(campo);
        g->addWidget(lb, riga, col);
        g->addWidget(campo, riga, col + 1);
        (void)this;
        return lb;
    };
    const auto fldChange = [this] { fld_Change(); };

    // "Miscela".
    {
        auto* w = new QWidget(pagine_);
        w->setObjectName(QStringLiteral("Miscela"));
        auto* v = new QVBoxLayout(w);
        auto* g = new QGridLayout;
        v->addLayout(g);
        intestazioni(g, w, QStringLiteral("UR [%]"));
        punti_[PagMiscela][0] =
            rigaPunto(g, 1, QStringLiteral("Punto 1"), PagMiscela, 1, true, true, "UR [%]");
        punti_[PagMiscela][1] =
            rigaPunto(g, 2, QStringLiteral("Punto 2"), PagMiscela, 2, true, true, "UR [%]");
        punti_[PagMiscela][2] =
            rigaPunto(g, 3, QStringLiteral("Punto Miscela"), PagMiscela, 3, false, false, {});
        auto* f = new QGridLayout;
        v->addLayout(f);
        cmbPortata_1 = new QComboBox(w);
        cmbPortata_1->setObjectName(QStringLiteral("cmbPortata_1"));
        etichettato(f, 0, 0, QStringLiteral("Input"), cmbPortata_1);
        cmbUmPort_1 = comboUnita(w, "cmbUmPort_1");
        f->addWidget(cmbUmPort_1, 0, 3);
        fldPort1_1 = campo(w, "fldPort1_1", "###.#", QStringLiteral("Portata 1"));
        fldPort2_1 = campo(w, "fldPort2_1", "###.#", QStringLiteral("Portata 2"));
        fldPort3_1 = campo(w, "fldPort3_1", "###.#", QStringLiteral("Portata miscela"));
        etichettato(f, 1, 0, QStringLiteral("Portata 1"), fldPort1_1);
        etichettato(f, 2, 0, QStringLiteral("Portata 2"), fldPort2_1);
        etichettato(f, 3, 0, QStringLiteral("Portata miscela"), fldPort3_1);
        lbCalcPort1_1 = new QLabel(w);
        lbCalcPort1_1->setObjectName(QStringLiteral("lbCalcPort1_1"));
        lbCalcPort2_1 = new QLabel(w);
        lbCalcPort2_1->setObjectName(QStringLiteral("lbCalcPort2_1"));
        f->addWidget(lbCalcPort1_1, 1, 2);
        f->addWidget(lbCalcPort2_1, 2, 2);
        connect(cmbPortata_1, &QComboBox::activated, this, [this] { cmbPortata_1Change(); });
        connect(cmbUmPort_1, &QComboBox::activated, this, [this] { cmbPortata_1Change(); });
        v->addStretch();
        pagine_->addWidget(w);
    }
    // "Risc/Raff".
    {
        auto* w = new QWidget(pagine_);
        w->setObjectName(QStringLiteral("RiscRaff"));
        auto* v = new QVBoxLayout(w);
        auto* g = new QGridLayout;
        v->addLayout(g);
        intestazioni(g, w, QStringLiteral("UR [%]"));
        punti_[PagRiscRaff][0] =
            rigaPunto(g, 1, QStringLiteral("Punto 1"), PagRiscRaff, 1, true, true, "UR [%]");
        punti_[PagRiscRaff][1] =
            rigaPunto(g, 2, QStringLiteral("Punto 2"), PagRiscRaff, 2, true, false, {});
        auto* h = new QHBoxLayout;
        v->addLayout(h);
        auto* box = new QGroupBox(QStringLiteral("Input"), w);
        box->setObjectName(QStringLiteral("radInput_2"));
        auto* bv = new QVBoxLayout(box);
        radInput_2 = new QButtonGroup(this);
        for (int i = 0; i < 3; ++i) {
            radioInput_[static_cast<std::size_t>(i)] = new QRadioButton(box);
            radioInput_[static_cast<std::size_t>(i)]->setObjectName(
                QStringLiteral("radInput_2_%1").arg(i));
            radInput_2->addButton(radioInput_[static_cast<std::size_t>(i)], i);
            bv->addWidget(radioInput_[static_cast<std::size_t>(i)]);
        }
        // Toggled, not clicked: a mode chosen from the keyboard or by an
        // assistive tool changes the fields the same way.
        connect(radInput_2, &QButtonGroup::idToggled, this, [this](int, bool acceso) {
            if (acceso && !mostrando_)
                radInput_2Click();
        });
        h->addWidget(box);
        auto* f = new QGridLayout;
        h->addLayout(f);
        fldPortata_2 = campo(w, "fldPortata_2", "#####.##", QStringLiteral("Portata"));
        fldPotenza_2 = campo(w, "fldPotenza_2", "####.###", QStringLiteral("Potenza [kW]"));
        cmbUmPort_2 = comboUnita(w, "cmbUmPort_2");
        etichettato(f, 0, 0, QStringLiteral("Portata"), fldPortata_2);
        f->addWidget(cmbUmPort_2, 0, 2);
        etichettato(f, 1, 0, QStringLiteral("Potenza [kW]"), fldPotenza_2);
        connect(cmbUmPort_2, &QComboBox::activated, this, [this] { cmbUmPortChange(); });
        v->addStretch();
        pagine_->addWidget(w);
    }
    // "Umidificazione".
    {
        auto* w = new QWidget(pagine_);
        w->setObjectName(QStringLiteral("Umidificazione"));
        auto* v = new QVBoxLayout(w);
        auto* g = new QGridLayout;
        v->addLayout(g);
        intestazioni(g, w, QStringLiteral("x [g/kg]"));
        punti_[PagUmid][0] =
            rigaPunto(g, 1, QStringLiteral("Punto 1"), PagUmid, 1, true, true, "x [g/kg]");
        punti_[PagUmid][1] =
            rigaPunto(g, 2, QStringLiteral("Punto 2"), PagUmid, 2, false, true, "x [g/kg]");
        auto* h = new QHBoxLayout;
        v->addLayout(h);
        auto* box = new QGroupBox(QStringLiteral("temperatura  [°C]"), w);
        box->setObjectName(QStringLiteral("radTempVapAcq_3"));
        auto* bh = new QHBoxLayout(box);
        radTempVapAcq_3 = new QButtonGroup(this);
        auto* acqua = new QRadioButton(QStringLiteral("acqua"), box);
        auto* vapore = new QRadioButton(QStringLiteral("vapore"), box);
        radTempVapAcq_3->addButton(acqua, 0);
        radTempVapAcq_3->addButton(vapore, 1);
        bh->addWidget(acqua);
        bh->addWidget(vapore);
        fldTempVapAcq_3 = campo(box, "fldTempVapAcq_3", "###.##",
                                QStringLiteral("Temperatura dell'acqua o del vapore [°C]"));
        bh->addWidget(fldTempVapAcq_3);
        connect(radTempVapAcq_3, &QButtonGroup::idToggled, this, [this](int, bool acceso) {
            if (acceso)
                fld_Change();
        });
        h->addWidget(box);
        auto* f = new QGridLayout;
        h->addLayout(f);
        fldPort_3 = campo(w, "fldPort_3", "#####.##", QStringLiteral("Portata"));
        cmbUmPort_3 = comboUnita(w, "cmbUmPort_3");
        etichettato(f, 0, 0, QStringLiteral("Portata"), fldPort_3);
        f->addWidget(cmbUmPort_3, 0, 2);
        connect(cmbUmPort_3, &QComboBox::activated, this, [this] { cmbUmPortChange(); });
        v->addStretch();
        pagine_->addWidget(w);
    }
    // "Raffreddamento con deumidificazione".
    {
        auto* w = new QWidget(pagine_);
        w->setObjectName(QStringLiteral("Batteria"));
        auto* v = new QVBoxLayout(w);
        auto* g = new QGridLayout;
        v->addLayout(g);
        intestazioni(g, w, QStringLiteral("UR [%] / x [g/kg]"));
        punti_[PagBatteria][0] =
            rigaPunto(g, 1, QStringLiteral("Punto 1"), PagBatteria, 1, true, true, "UR [%]");
        punti_[PagBatteria][1] =
            rigaPunto(g, 2, QStringLiteral("Punto 2"), PagBatteria, 2, true, true, "x [g/kg]");
        auto* f = new QGridLayout;
        v->addLayout(f);
        cmbInput_4 = new QComboBox(w);
        cmbInput_4->setObjectName(QStringLiteral("cmbInput_4"));
        cmbInput_5 = new QComboBox(w);
        cmbInput_5->setObjectName(QStringLiteral("cmbInput_5"));
        auto* lbInput = new QLabel(QStringLiteral("Input"), w);
        f->addWidget(lbInput, 0, 0);
        auto* scelte = new QHBoxLayout;
        scelte->addWidget(cmbInput_4);
        scelte->addWidget(cmbInput_5);
        f->addLayout(scelte, 0, 1, 1, 3);
        cmbInput_4->setAccessibleName(QStringLiteral("Input della batteria"));
        cmbInput_5->setAccessibleName(QStringLiteral("Input della retta dei carichi"));
        fldSens_4 = campo(w, "fldSens_4", "#####.###", QStringLiteral("Sensibile [kW]"));
        fldTot_4 = campo(w, "fldTot_4", "#####.###", QStringLiteral("Totale [kW]"));
        fldQimm_4 = campo(w, "fldQimm_4", "#####.##", QStringLiteral("Portata"));
        fldts_4 = campo(w, "fldts_4", "###.##", QStringLiteral("ts [°C]"));
        fldfs_4 = campo(w, "fldfs_4", "###.##", QStringLiteral("fs"));
        cmbUmPort_4 = comboUnita(w, "cmbUmPort_4");
        etichettato(f, 1, 0, QStringLiteral("Sensibile [kW]"), fldSens_4);
        lbTot_4 = etichettato(f, 2, 0, QStringLiteral("Totale"), fldTot_4);
        lbTot_4->setObjectName(QStringLiteral("lbTot_4"));
        etichettato(f, 3, 0, QStringLiteral("Portata"), fldQimm_4);
        f->addWidget(cmbUmPort_4, 3, 2);
        lbts_4 = etichettato(f, 1, 2, QStringLiteral("ts [°C]"), fldts_4);
        lbfs_4 = etichettato(f, 2, 2, QStringLiteral("fs"), fldfs_4);
        connect(cmbInput_4, &QComboBox::activated, this, [this] { cmbInput_4Change(); });
        connect(cmbInput_5, &QComboBox::activated, this, [this] { cmbInput_5Change(); });
        connect(cmbUmPort_4, &QComboBox::activated, this, [this] { cmbUmPortChange(); });
        v->addStretch();
        pagine_->addWidget(w);
    }
    // Every edit disables OK until the next computation; a right click on
    // a point's values opens the calculator.
    for (QLineEdit* e : pagine_->findChildren<QLineEdit*>()) {
        // Any change that is not the dialog's own showing of a value: typed,
        // pasted or set through the accessibility interface.
        auto* campo = dynamic_cast<ui::CampoMaschera*>(e);
        connect(e, &QLineEdit::textChanged, this, [this, campo] {
            if (!(campo && campo->impostando()))
                fld_Change();
        });
        e->installEventFilter(this);
    }
    for (QComboBox* c : pagine_->findChildren<QComboBox*>())
        connect(c, &QComboBox::activated, this, fldChange);
}

void TFormCalcUte::creaPannello() {
    auto* pannello = new QWidget(this);
    pannello->setObjectName(QStringLiteral("Panel1"));
    auto* h = new QHBoxLayout(pannello);
    h->setContentsMargins(0, 0, 0, 0);
    auto bottone = [&](QPushButton*& b, const char* nome, const QString& testo, const QString& hint,
                       void (TFormCalcUte::*azione)()) {
        b = new QPushButton(testo, pannello);
        b->setObjectName(q(nome));
        b->setToolTip(hint);
        b->setAccessibleName(hint.isEmpty() ? testo : hint);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, azione);
        h->addWidget(b);
    };
    bottone(BtnHome, "BtnHome", QStringLiteral("|<"), QStringLiteral("Primo tratto"),
            &TFormCalcUte::BtnHomeClick);
    bottone(btnIndietro, "btnIndietro", QStringLiteral("<"), QStringLiteral("Tratto prec."),
            &TFormCalcUte::btnIndietroClick);
    bottone(btnAvanti, "btnAvanti", QStringLiteral(">"), QStringLiteral("Tratto seguente"),
            &TFormCalcUte::btnAvantiClick);
    bottone(BtnFine, "BtnFine", QStringLiteral(">|"), QStringLiteral("Ultimo tratto"),
            &TFormCalcUte::BtnFineClick);
    for (QPushButton* b : {BtnHome, btnIndietro, btnAvanti, BtnFine})
        b->setMaximumWidth(32);
    h->addSpacing(8);
    bottone(BtnCalcola, "BtnCalcola", QStringLiteral("Calcola"), {},
            &TFormCalcUte::BtnCalcolaClick);
    bottone(OKBtn, "OKBtn", QStringLiteral("OK"), {}, &TFormCalcUte::OKBtnClick);
    bottone(CancelBtn, "CancelBtn", QStringLiteral("Annulla"), {}, &TFormCalcUte::CancelBtnClick);
    bottone(HelpBtn, "HelpBtn", QStringLiteral("&Aiuto"), {}, &TFormCalcUte::HelpBtnClick);
    bottone(BtnDettagli, "BtnDettagli", QStringLiteral("Dettagli"), {}, nullptr);
    bottone(BtnPunti, "BtnPunti", QStringLiteral("   Punti"), {}, nullptr);
    BtnPunti->setAccessibleName(QStringLiteral("Punti"));
    disconnect(BtnDettagli, nullptr, this, nullptr);
    disconnect(BtnPunti, nullptr, this, nullptr);
    connect(BtnDettagli, &QPushButton::clicked, this, [this] {
        if (servizi_.mostraDettaglio)
            servizi_.mostraDettaglio();
    });
    connect(BtnPunti, &QPushButton::clicked, this, [this] {
        if (servizi_.mostraPunti)
            servizi_.mostraPunti();
    });
    layout()->addWidget(pannello);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    const char* const voci[] = {
        "&1. Miscela",       "&2. Raffreddamento", "&3. Raffreddamento con deumidificazione",
        "&4. Riscaldamento", "&5. Umidificazione", "&6. Unione (retta dei carichi ambiente)"};
    for (int tag = 1; tag <= 6; ++tag)
        popup_->addAction(q(voci[tag - 1]), this, [this, tag] { Miscela1Click(tag); });
    popup_->addSeparator();
    popup_->addAction(QStringLiteral("&Fine trattamento"), this, [this] { Miscela1Click(7); });

    suggerimento_ = new QLabel(this);
    suggerimento_->setObjectName(QStringLiteral("lbSuggerimento"));
    suggerimento_->setWordWrap(true);
    suggerimento_->setText(QStringLiteral(
        "Tasto destro su temperatura, UR o x: calcolatrice psicrometrica per scegliere lo stato."));
}

int TFormCalcUte::pagina() const {
    return pagine_->currentIndex();
}

bool TFormCalcUte::cambiato() const {
    return !(lavoro_ == *allApertura_);
}

double TFormCalcUte::portataVista(double kgs, int um) const {
    return kgs * FattorePortata(um);
}

void TFormCalcUte::impostaPortata(ui::CampoMaschera* f, double kgs, int um) {
    std::string mask;
    MaskPortata(um, mask);
    f->setMask(mask);
    f->setValore(portataVista(kgs, um));
}

double TFormCalcUte::leggiPortata(const ui::CampoMaschera* f, double precedente, int um) const {
    if (!f->isModified())
        return precedente;
    double v = f->valoreOr(portataVista(precedente, um));
    return InKgS(um, v) ? v : precedente;
}

void TFormCalcUte::apri(int codice) {
    editor_.apri(codice);
    *allApertura_ = lavoro_;
    // The snapshot is the work as the user had it, before a new sequence
    // emptied it.
    if (servizi_.ridisegna)
        servizi_.ridisegna();
    if (servizi_.aggiornaFinestre)
        servizi_.aggiornaFinestre();
    MostraTratto(codice, true);
    // A revision starts from the checks of the sequence as it stands.
    verifiche_->mostra(servizi_.limiti ? verifiche(lavoro_, *servizi_.limiti)
                                       : std::vector<Verifica>{},
                       lavoro_.NumTrattamenti > 0);
}

void TFormCalcUte::MostraTratto(int codice, bool nuovo) {
    editor_.mostraTratto(codice, nuovo);
    mostraPagina();
}

void TFormCalcUte::mostraPagina() {
    const std::uint8_t tipo = editor_.tipo();
    const int kindCode = tipo == TipoUmidificazioneVapore ? 7 : tipo + 1;
    pagine_->setCurrentIndex(paginaDelCodice(kindCode));
    setWindowTitle(QString::fromStdString(cp1252ToUtf8(titoloTratto(editor_.k(), tipo))));
    titolo_->setText(windowTitle().mid(windowTitle().indexOf(QStringLiteral(": ")) + 2));
    errore_ = false;
    messaggio_.clear();
    mostraCampi();
    aggiornaNavigazione();
    OKBtn->setEnabled(false);
    if (QLineEdit* primo = punti_[static_cast<std::size_t>(pagina())][0].tbs)
        primo->setFocus();
}

void TFormCalcUte::mostraCampi() {
    mostrando_ = true;
    const TDatiTrattamento& d = editor_.trattamento().Dati;
    const bool imposta = editor_.portataImposta();
    const auto p = static_cast<std::size_t>(pagina());
    auto nome = [](QLineEdit* e, const StringaPascal<3>& n) {
        if (e)
            e->setText(QString::fromStdString(cp1252ToUtf8(n.testo())));
    };
    const StringaPascal<3>* nomi[3] = {&d.Nome1, &d.Nome2, &d.Nome3};
    for (std::size_t i = 0; i < 3; ++i) {
        CampiPunto& c = punti_[p][i];
        nome(c.nome, *nomi[i]);
        if (c.etichetta)
            c.etichetta->setCurrentIndex(std::clamp(std::abs(d.PosEtich[i]) - 1, 0, 1));
    }
    CampiPunto& a = punti_[p][0];
    CampiPunto& b = punti_[p][1];
    switch (p) {
    case PagMiscela: {
        a.tbs->setValore(d.tbs1);
        a.secondo->setValore(d.UR1);
        b.tbs->setValore(d.tbs2);
        b.secondo->setValore(d.UR2);
        if (imposta)
            riempi(cmbPortata_1, ListaMiscelaImposta);
        else
            riempi(cmbPortata_1, ListaMiscela);
        cmbPortata_1->setCurrentIndex(std::clamp<int>(d.modoMiscela, 0, cmbPortata_1->count() - 1));
        cmbUmPort_1->setCurrentIndex(std::clamp<int>(d.umPortata, 0, 2));
        break;
    }
    case PagRiscRaff: {
        a.tbs->setValore(d.tbs1);
        a.secondo->setValore(d.UR1);
        b.tbs->setValore(d.tbs2);
        for (std::size_t i = 0; i < 3; ++i) {
            radioInput_[i]->setText(
                q(imposta ? (i < 2 ? ListaRiscRaffImposta[i] : "") : ListaRiscRaff[i]));
            radioInput_[i]->setVisible(!imposta || i < 2);
        }
        const int modo = std::clamp<int>(d.modoPotenza, 0, imposta ? 1 : 2);
        radioInput_[static_cast<std::size_t>(modo)]->setChecked(true);
        fldPotenza_2->setValore(d.potenza);
        cmbUmPort_2->setCurrentIndex(std::clamp<int>(d.umPortata, 0, 2));
        break;
    }
    case PagUmid: {
        a.tbs->setValore(d.tbs1);
        a.secondo->setValore(d.UR1);
        b.secondo->setValore(d.tbs2);
        radTempVapAcq_3->button(d.vapore ? 1 : 0)->setChecked(true);
        fldTempVapAcq_3->setValore(d.tMezzo);
        cmbUmPort_3->setCurrentIndex(std::clamp<int>(d.umPortata, 0, 2));
        break;
    }
    default: {
        const bool batteria = editor_.tipo() == TipoBatteriaFredda;
        a.tbs->setValore(d.tbs1);
        a.secondo->setValore(d.UR1);
        b.tbs->setValore(d.tbs2);
        b.secondo->setValore(d.UR2);
        cmbInput_4->setVisible(batteria);
        cmbInput_5->setVisible(!batteria);
        if (batteria)
            imposta ? riempi(cmbInput_4, ListaBatteriaImposta) : riempi(cmbInput_4, ListaBatteria);
        else
            imposta ? riempi(cmbInput_5, ListaUnioneImposta) : riempi(cmbInput_5, ListaUnione);
        (batteria ? cmbInput_4 : cmbInput_5)->setCurrentIndex(posizioneLista(d, batteria, imposta));
        fldSens_4->setValore(d.S);
        fldts_4->setValore(d.ts);
        fldfs_4->setValore(d.fsDato);
        cmbUmPort_4->setCurrentIndex(std::clamp<int>(d.umPortata, 0, 2));
        break;
    }
    }
    umPagina_ = std::clamp<int>(d.umPortata, 0, 2);
    mostrando_ = false;
    aggiornaPortate();
    aggiornaCollegamenti();
}

void TFormCalcUte::aggiornaPortate() {
    const TDatiTrattamento& d = editor_.trattamento().Dati;
    const bool imposta = editor_.portataImposta();
    const int um = std::clamp<int>(d.umPortata, 0, 2);
    switch (pagina()) {
    case PagMiscela: {
        const int modo = cmbPortata_1->currentIndex();
        modoMiscela_ = modo;
        umMiscela_ = um;
        auto testo = [](double v, const char* mask) {
            return ui::testoNumero(FormatMask(mask, v)).trimmed();
        };
        std::string mask;
        MaskPortata(um, mask);
        if (modo == 0) {
            fldPort1_1->setMask("###.#");
            fldPort1_1->setValore(d.perc1);
            fldPort2_1->setMask("###.#");
            fldPort2_1->setValore(d.perc2);
            impostaPortata(fldPort3_1, d.port3, um);
            lbCalcPort1_1->setText(testo(portataVista(d.port1, um), mask.c_str()));
            lbCalcPort2_1->setText(testo(portataVista(d.port2, um), mask.c_str()));
        } else {
            impostaPortata(fldPort1_1, d.port1, um);
            impostaPortata(fldPort2_1, d.port2, um);
            impostaPortata(fldPort3_1, d.port3, um);
            lbCalcPort1_1->setText(testo(d.perc1, "##.#") + QStringLiteral(" %"));
            lbCalcPort2_1->setText(testo(d.perc2, "##.#") + QStringLiteral(" %"));
        }
        fldPort2_1->setEnabled(modo == 2);
        fldPort3_1->setEnabled(modo != 2 && !imposta);
        break;
    }
    case PagRiscRaff: {
        impostaPortata(fldPortata_2, d.portata, um);
        const int modo = radInput_2->checkedId();
        const bool collegato2 = d.Collega[1] != -1;
        // The short list's modes are the first two of the full one.
        fldPortata_2->setEnabled((modo == 0 || modo == 1) && !imposta);
        fldPotenza_2->setEnabled(modo == 0 || modo == 2 || (imposta && modo == 0));
        punti_[PagRiscRaff][1].tbs->setEnabled(modo != 0 && !collegato2);
        break;
    }
    case PagUmid:
        impostaPortata(fldPort_3, d.portata, um);
        fldPort_3->setEnabled(!imposta);
        break;
    default: {
        const bool batteria = editor_.tipo() == TipoBatteriaFredda;
        impostaPortata(fldQimm_4, d.qimm, um);
        const int pos = posizioneCompleta();
        bool st = true, qimm = false, tsfs = false, tbs2 = false, x2 = false;
        if (batteria) {
            st = pos == 0 || pos == 1;
            qimm = pos != 0;
            tsfs = pos == 2;
            tbs2 = pos == 0 || pos == 3;
            x2 = pos == 3;
        } else {
            st = pos != 5;
            qimm = pos == 1 || pos == 3 || pos == 4 || pos == 5;
            tbs2 = pos == 0 || pos == 3 || pos == 5;
            x2 = pos == 2 || pos == 5;
        }
        const bool latente = !batteria && (pos == 3 || pos == 4);
        lbTot_4->setText(latente ? QStringLiteral("Latente") : QStringLiteral("Totale"));
        fldTot_4->setAccessibleName(latente ? QStringLiteral("Latente [kW]")
                                            : QStringLiteral("Totale [kW]"));
        fldTot_4->setValore(latente ? d.L : d.T);
        for (QWidget* w : {static_cast<QWidget*>(fldts_4), static_cast<QWidget*>(fldfs_4),
                           static_cast<QWidget*>(lbts_4), static_cast<QWidget*>(lbfs_4)})
            w->setVisible(batteria);
        const bool collegato2 = d.Collega[1] != -1;
        fldSens_4->setEnabled(st);
        fldTot_4->setEnabled(st);
        fldQimm_4->setEnabled(qimm && !imposta);
        fldts_4->setEnabled(tsfs);
        fldfs_4->setEnabled(tsfs);
        punti_[PagBatteria][1].tbs->setEnabled(tbs2 && !collegato2);
        punti_[PagBatteria][1].secondo->setEnabled(x2 && !collegato2);
        break;
    }
    }
}

void TFormCalcUte::aggiornaCollegamenti() {
    const TDatiTrattamento& d = editor_.trattamento().Dati;
    const auto p = static_cast<std::size_t>(pagina());
    const int k = editor_.k();
    for (std::size_t i = 0; i < 2; ++i) {
        CampiPunto& c = punti_[p][i];
        const bool legato = d.Collega[i] != -1;
        c.collega->setText(legato ? QStringLiteral("Collegato") : QStringLiteral("Collega"));
        QPalette pal = c.collega->palette();
        pal.setColor(QPalette::ButtonText, legato ? Qt::red : Qt::black);
        c.collega->setPalette(pal);
        c.nome->setEnabled(!legato);
        c.etichetta->setVisible(!legato);
        if (legato) {
            if (c.tbs)
                c.tbs->setEnabled(false);
            if (c.secondo)
                c.secondo->setEnabled(false);
        } else if (i == 0) {
            if (c.tbs)
                c.tbs->setEnabled(true);
            if (c.secondo)
                c.secondo->setEnabled(true);
        } else if (p == PagMiscela || p == PagUmid) {
            if (c.tbs)
                c.tbs->setEnabled(true);
            if (c.secondo)
                c.secondo->setEnabled(true);
        }
        // On the coil page point 2 is linked only where the mode takes
        // both points as they are.
        bool visibile = k > 1;
        if (p == PagBatteria && i == 1)
            visibile =
                visibile && posizioneCompleta() == (editor_.tipo() == TipoBatteriaFredda ? 3 : 5);
        c.collega->setVisible(visibile);
    }
    if (p != PagMiscela && p != PagUmid)
        aggiornaPortate();
}

int TFormCalcUte::posizioneCompleta() const {
    const bool batteria = editor_.tipo() == TipoBatteriaFredda;
    const int pos = std::max(0, batteria ? cmbInput_4->currentIndex() : cmbInput_5->currentIndex());
    if (!editor_.portataImposta())
        return pos;
    return batteria ? pos + 1 : UnioneDaBreve[std::clamp(pos, 0, 3)];
}

void TFormCalcUte::aggiornaNavigazione() {
    const EditorSequenza::Navigazione n = editor_.navigazione();
    BtnHome->setEnabled(n.home);
    btnIndietro->setEnabled(n.indietro);
    btnAvanti->setEnabled(n.avanti);
    BtnFine->setEnabled(n.fine);
}

void TFormCalcUte::leggiPagina() {
    TDatiTrattamento& d = editor_.trattamento().Dati;
    const auto p = static_cast<std::size_t>(pagina());
    StringaPascal<3>* nomi[3] = {&d.Nome1, &d.Nome2, &d.Nome3};
    for (std::size_t i = 0; i < 3; ++i) {
        const CampiPunto& c = punti_[p][i];
        if (c.nome && c.nome->isEnabled())
            nomi[i]->assegna(utf8ToCp1252(c.nome->text().toStdString()));
        if (c.etichetta && c.etichetta->isVisible())
            d.PosEtich[i] = -(c.etichetta->currentIndex() + 1);
    }
    const CampiPunto& a = punti_[p][0];
    const CampiPunto& b = punti_[p][1];
    // A field the user did not touch keeps the stored value: the mask
    // shows it rounded, and reading the rounded text back would move the
    // point.
    auto leggi = [](const ui::CampoMaschera* f, double& v) {
        if (f && f->isModified())
            v = f->valoreOr(v);
    };
    switch (p) {
    case PagMiscela: {
        leggi(a.tbs, d.tbs1);
        leggi(a.secondo, d.UR1);
        leggi(b.tbs, d.tbs2);
        leggi(b.secondo, d.UR2);
        // The flows as the fields show them, under the mode and unit shown;
        // the shares and flows that the mode computes are completed.
        switch (modoMiscela_) {
        case 0:
            leggi(fldPort1_1, d.perc1);
            d.port3 = leggiPortata(fldPort3_1, d.port3, umMiscela_);
            break;
        case 1:
            d.port1 = leggiPortata(fldPort1_1, d.port1, umMiscela_);
            d.port3 = leggiPortata(fldPort3_1, d.port3, umMiscela_);
            break;
        default:
            d.port1 = leggiPortata(fldPort1_1, d.port1, umMiscela_);
            d.port2 = leggiPortata(fldPort2_1, d.port2, umMiscela_);
            break;
        }
        DividiPortate(modoMiscela_, d.perc1, d.perc2, d.port3, d.port2, d.port1);
        d.modoMiscela = static_cast<std::uint8_t>(std::max(0, cmbPortata_1->currentIndex()));
        d.umPortata = static_cast<std::uint8_t>(std::max(0, cmbUmPort_1->currentIndex()));
        break;
    }
    case PagRiscRaff:
        leggi(a.tbs, d.tbs1);
        leggi(a.secondo, d.UR1);
        leggi(b.tbs, d.tbs2);
        d.modoPotenza = static_cast<std::uint8_t>(std::max(0, radInput_2->checkedId()));
        d.portata = leggiPortata(fldPortata_2, d.portata, umPagina_);
        leggi(fldPotenza_2, d.potenza);
        d.umPortata = static_cast<std::uint8_t>(std::max(0, cmbUmPort_2->currentIndex()));
        break;
    case PagUmid:
        leggi(a.tbs, d.tbs1);
        leggi(a.secondo, d.UR1);
        leggi(b.secondo, d.tbs2);
        d.vapore = radTempVapAcq_3->checkedId() == 1 ? 1 : 0;
        leggi(fldTempVapAcq_3, d.tMezzo);
        d.portata = leggiPortata(fldPort_3, d.portata, umPagina_);
        d.umPortata = static_cast<std::uint8_t>(std::max(0, cmbUmPort_3->currentIndex()));
        break;
    default: {
        const bool batteria = editor_.tipo() == TipoBatteriaFredda;
        leggi(a.tbs, d.tbs1);
        leggi(a.secondo, d.UR1);
        leggi(b.tbs, d.tbs2);
        leggi(b.secondo, d.UR2);
        leggi(fldSens_4, d.S);
        leggi(fldTot_4, lbTot_4->text() == QStringLiteral("Latente") ? d.L : d.T);
        d.qimm = leggiPortata(fldQimm_4, d.qimm, umPagina_);
        leggi(fldts_4, d.ts);
        leggi(fldfs_4, d.fsDato);
        const int pos =
            std::max(0, batteria ? cmbInput_4->currentIndex() : cmbInput_5->currentIndex());
        if (editor_.portataImposta()) {
            d.posLista = static_cast<std::uint8_t>(pos);
            d.modoBatteria = static_cast<std::uint8_t>(posizioneCompleta());
        } else {
            d.modoBatteria = static_cast<std::uint8_t>(pos);
        }
        d.umPortata = static_cast<std::uint8_t>(std::max(0, cmbUmPort_4->currentIndex()));
        break;
    }
    }
    if (editor_.tipo() == TipoUmidificazione || editor_.tipo() == TipoUmidificazioneVapore)
        editor_.trattamento().Tipo = d.vapore ? TipoUmidificazioneVapore : TipoUmidificazione;
}

void TFormCalcUte::BtnCalcolaClick() {
    leggiPagina();
    const EsitoCalcolo e = editor_.calcola();
    errore_ = !e.messaggio.empty();
    messaggio_ = QString::fromStdString(e.messaggio); // UTF-8, as every message
    messaggio_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    messaggio_.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    mostraCampi();
    aggiornaNavigazione();
    verifiche_->mostra(servizi_.limiti ? verifiche(lavoro_, *servizi_.limiti)
                                       : std::vector<Verifica>{});
    if (lavoro_.CodiceErrore == 0 && servizi_.salvaValido)
        servizi_.salvaValido();
    if (servizi_.ridisegna)
        servizi_.ridisegna();
    if (servizi_.aggiornaFinestre)
        servizi_.aggiornaFinestre();
    // Nothing is chained after, and no sequence ended on, a failed
    // computation.
    OKBtn->setEnabled(!errore_);
    if (errore_)
        ui::errore(this, QStringLiteral("TARVELO"), messaggio_);
}

void TFormCalcUte::OKBtnClick() {
    popup_->popup(OKBtn->mapToGlobal(QPoint(OKBtn->width(), 0)));
}

void TFormCalcUte::Miscela1Click(int tag) {
    if (tag == 7) {
        risultato_ = 1;
        QDialog::done(QDialog::Accepted);
        return;
    }
    if (editor_.troppiPunti()) {
        ui::informa(this, QStringLiteral("TARVELO"),
                    QString::fromStdString(MessaggioTroppiPunti(editor_.lavoro())));
        return;
    }
    MostraTratto(tag, true);
}

void TFormCalcUte::CancelBtnClick() {
    editor_.annulla();
    risultato_ = 0;
    QDialog::done(QDialog::Rejected);
}

void TFormCalcUte::reject() {
    // Esc is Cancel; closing the window keeps the work as it stands.
    if (chiusuraFinestra_)
        QDialog::reject();
    else
        CancelBtnClick();
}

void TFormCalcUte::closeEvent(QCloseEvent* event) {
    chiusuraFinestra_ = true;
    QDialog::closeEvent(event);
    chiusuraFinestra_ = false;
}

void TFormCalcUte::BtnHomeClick() {
    editor_.vaiA(editor_.primo());
    mostraPagina();
}

void TFormCalcUte::btnIndietroClick() {
    editor_.vaiA(editor_.precedente());
    mostraPagina();
}

void TFormCalcUte::btnAvantiClick() {
    editor_.vaiA(editor_.successivo());
    mostraPagina();
}

void TFormCalcUte::BtnFineClick() {
    editor_.vaiA(editor_.ultimo());
    mostraPagina();
}

void TFormCalcUte::collegaClick(int quale) {
    if (!servizi_.scegliPunto)
        return;
    const std::optional<int> scelto = servizi_.scegliPunto();
    if (!scelto)
        return;
    leggiPagina();
    editor_.collega(quale, *scelto);
    mostraCampi();
    OKBtn->setEnabled(false);
}

void TFormCalcUte::cmbPortata_1Change() {
    leggiPagina();
    aggiornaPortate();
    OKBtn->setEnabled(false);
}

void TFormCalcUte::cmbInput_4Change() {
    leggiPagina();
    aggiornaPortate();
    aggiornaCollegamenti();
    OKBtn->setEnabled(false);
}

void TFormCalcUte::cmbInput_5Change() {
    cmbInput_4Change();
}

void TFormCalcUte::cmbUmPortChange() {
    leggiPagina();
    umPagina_ = editor_.trattamento().Dati.umPortata;
    aggiornaPortate();
    OKBtn->setEnabled(false);
}

void TFormCalcUte::radInput_2Click() {
    aggiornaPortate();
    OKBtn->setEnabled(false);
}

void TFormCalcUte::fld_Change() {
    if (!mostrando_)
        OKBtn->setEnabled(false);
}

void TFormCalcUte::HelpBtnClick() {
    switch (editor_.tipo()) {
    case TipoMiscela:
        ui::apriAiuto(5, this);
        break;
    case TipoRaffreddamento:
        ui::apriAiuto(6, this);
        break;
    case TipoBatteriaFredda:
        ui::apriAiuto(7, this);
        break;
    case TipoUnione:
        ui::apriAiuto(8, this);
        break;
    case TipoRiscaldamento:
        ui::apriAiuto(9, this);
        break;
    default:
        ui::apriAiuto(10, this);
        break;
    }
}

bool TFormCalcUte::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        scegliConCalcolatrice(watched);
        return true;
    }
    if (event->type() == QEvent::ContextMenu)
        return true; // the right button picks a state instead
    return QDialog::eventFilter(watched, event);
}

void TFormCalcUte::scegliConCalcolatrice(QObject* campo) {
    if (!servizi_.scegliStato)
        return;
    const auto p = static_cast<std::size_t>(pagina());
    for (std::size_t i = 0; i < 2; ++i) {
        CampiPunto& c = punti_[p][i];
        if (campo != c.tbs && campo != c.secondo)
            continue;
        if (!static_cast<QWidget*>(campo)->isEnabled())
            return;
        // Mixing points, heating/cooling and coil inlets: tbs with UR;
        // humidification inlet and coil outlet: tbs with x.
        const bool conX = p == PagUmid || (p == PagBatteria && i == 1);
        const double tbs = c.tbs ? c.tbs->valoreOr(25) : 25;
        double ur = 0.5, x = 0.01;
        if (c.secondo && conX)
            x = c.secondo->valoreOr(10) / 1000.0;
        else if (c.secondo)
            ur = c.secondo->valoreOr(50) / 100.0;
        const std::optional<StatoScelto> s = servizi_.scegliStato(conX ? 2 : 0, tbs, ur, x);
        if (!s)
            return;
        if (c.tbs) {
            c.tbs->setValore(s->tbs);
            c.tbs->setModified(true);
        }
        if (c.secondo) {
            c.secondo->setValore(conX ? s->x * 1000.0 : s->UR * 100.0);
            c.secondo->setModified(true);
        }
        fld_Change();
        return;
    }
}

} // namespace tarvelo
