#include "chart/forms/form_chart_dialogs.h"

#include "chart/forms/frm_interpola.h"
#include "engine/decimal_text.h"
#include "engine/moist_air.h"
#include "engine/text.h"
#include "ui/enter_key.h"
#include "ui/help_window.h"
#include "ui/locale_text.h"
#include "ui/masked_field.h"
#include "ui/message_box.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

namespace tarvelo {

namespace {
const QString PromptDescrizione =
    QStringLiteral("1^ riga: titolo\n2^ riga: descrizione per la stampa");
}

TFormBldChart::TFormBldChart(bool emulazione, int numChart, const AreaVideo& area, QWidget* parent)
    : QDialog(parent), numChart_(numChart), area_(area) {
    setObjectName(QStringLiteral("FormBldChart"));
    setWindowTitle(QStringLiteral("Genera Chart"));
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("MemoDesc"));
    memo_->setProperty("tag", 2);
    memo_->setTabChangesFocus(true);
    memo_->setPlainText(PromptDescrizione);
    memo_->setFixedHeight(60);
    tbsMin_ = new ui::CampoMaschera("iiii", this);
    tbsMin_->setObjectName(QStringLiteral("fldTbsMin"));
    tbsMin_->setValore(-5);
    tbsMax_ = new ui::CampoMaschera("iiii", this);
    tbsMax_->setObjectName(QStringLiteral("fldTbsMax"));
    tbsMax_->setValore(36);
    wMax_ = new ui::CampoMaschera("iii", this);
    wMax_->setObjectName(QStringLiteral("fldWmax"));
    wMax_->setValore(26);
    frame_ = new TFrmInterpola(this);
    frame_->impostaPressione(Patm);

    auto* gruppo = new QGroupBox(QStringLiteral("CODICE"), this);
    gruppo->setObjectName(QStringLiteral("RadioGroupCodice"));
    radioCodice_ = new QButtonGroup(this);
    auto* nuovo = new QRadioButton(QStringLiteral("crea nuovo"), gruppo);
    auto* sovrascrivi = new QRadioButton(QStringLiteral("sovrascrivi esistente"), gruppo);
    radioCodice_->addButton(nuovo, 0);
    radioCodice_->addButton(sovrascrivi, 1);
    nuovo->setChecked(true);
    codice_ = new ui::CampoMaschera("999", gruppo);
    codice_->setObjectName(QStringLiteral("fldCodice"));
    codice_->installEventFilter(this);
    connect(codice_, &QLineEdit::textEdited, this,
            [this] { radioCodice_->button(1)->setChecked(true); });
    auto* g = new QVBoxLayout(gruppo);
    g->addWidget(nuovo);
    g->addWidget(sovrascrivi);
    g->addWidget(codice_);

    auto* campi = new QGridLayout;
    const std::pair<const char*, const char*> etichette[3] = {
        {"tbs-Min", "°C"}, {"tbs-Max", "°C"}, {"x-Max", "g/kg"}};
    ui::CampoMaschera* campo[3] = {tbsMin_, tbsMax_, wMax_};
    for (int i = 0; i < 3; ++i) {
        auto* etichetta = new QLabel(QString::fromUtf8(etichette[i].first), this);
        etichetta->setBuddy(campo[i]);
        campo[i]->setAccessibleName(QString::fromUtf8(etichette[i].first));
        campi->addWidget(etichetta, i, 0);
        campi->addWidget(campo[i], i, 1);
        campi->addWidget(new QLabel(QString::fromUtf8(etichette[i].second), this), i, 2);
    }
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelBtn"));
    auto* help = buttons->addButton(QStringLiteral("Aiuto"), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ui::apriAiuto(12, this); });

    auto* sinistra = new QVBoxLayout;
    auto* etichettaMemo = new QLabel(QStringLiteral("Descrizione del diagramma"), this);
    etichettaMemo->setBuddy(memo_);
    memo_->setAccessibleName(etichettaMemo->text());
    codice_->setAccessibleName(QStringLiteral("Codice da sovrascrivere"));
    frame_->setAccessibleName(QStringLiteral("Altitudine e pressione"));
    sinistra->addWidget(etichettaMemo);
    sinistra->addWidget(memo_);
    sinistra->addLayout(campi);
    sinistra->addWidget(gruppo);
    sinistra->addStretch();
    auto* corpo = new QHBoxLayout;
    corpo->addLayout(sinistra);
    corpo->addWidget(frame_, 0, Qt::AlignTop);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(corpo);
    tutto->addWidget(buttons);
    ui::applicaConvenzioneInvio(this, ok, emulazione);
}

QString TFormBldChart::verifica() const {
    const QString testo = memo_->toPlainText();
    const QString titolo = testo.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (titolo.isEmpty() || testo == PromptDescrizione ||
        titolo == PromptDescrizione.section(QLatin1Char('\n'), 0, 0))
        return QStringLiteral("Scrivere il titolo del diagramma nella prima riga della "
                              "descrizione: è il nome con cui il diagramma compare nel "
                              "catalogo.");
    const std::pair<ui::CampoMaschera*, const char*> campi[3] = {
        {tbsMin_, "tbs-Min"}, {tbsMax_, "tbs-Max"}, {wMax_, "x-Max"}};
    for (const auto& [campo, nome] : campi)
        if (!campo->valore())
            return QStringLiteral("Scrivere un numero intero in %1.").arg(QString::fromUtf8(nome));
    if (Esito e = verificaParametri(parametri(), area_); !e.ok) {
        QString m = QString::fromStdString(e.errore);
        if (!m.isEmpty())
            m[0] = m[0].toUpper();
        return m + QLatin1Char('.');
    }
    if (!nuovo() && (codice() < 1 || codice() > numChart_))
        return QString::fromUtf8(MsgCodiceNonEsiste);
    if (nuovo() && numChart_ >= static_cast<int>(ArchivioDefault::MaxVociCatalogo))
        return QString::fromUtf8(MsgCatalogoPieno) + QLatin1Char('.');
    return {};
}

void TFormBldChart::accept() {
    const QString errore = verifica();
    if (errore.isEmpty()) {
        QDialog::accept();
        return;
    }
    ui::informa(this, QStringLiteral("Genera Chart"), errore);
}

bool TFormBldChart::eventFilter(QObject* watched, QEvent* event) {
    // Entering the code switches to "sovrascrivi esistente".
    if (watched == codice_ && event->type() == QEvent::FocusIn)
        radioCodice_->button(1)->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

ParametriChart TFormBldChart::parametri() const {
    ParametriChart p;
    p.tbsMin = static_cast<int>(tbsMin_->valoreOr(0));
    p.tbsMax = static_cast<int>(tbsMax_->valoreOr(0));
    p.xMax = static_cast<int>(wMax_->valoreOr(0));
    p.Patm = frame_->pressione();
    QString text = memo_->toPlainText();
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    p.descrizione = utf8ToCp1252(text.toStdString()).substr(0, 255);
    return p;
}

bool TFormBldChart::nuovo() const {
    return radioCodice_->checkedId() == 0;
}
int TFormBldChart::codice() const {
    return static_cast<int>(codice_->valoreOr(0));
}

TFormSelectChart::TFormSelectChart(const ArchivioDefault& archivio, QWidget* parent)
    : QDialog(parent), archivio_(archivio) {
    setObjectName(QStringLiteral("FormSelectChart"));
    setWindowTitle(QStringLiteral("Seleziona Chart"));
    lista_ = new QListWidget(this);
    lista_->setObjectName(QStringLiteral("OvcVirtualListbox1"));
    QFont mono(QStringLiteral("Liberation Mono"));
    mono.setPixelSize(12);
    lista_->setFont(mono);
    lista_->setAccessibleName(QStringLiteral("Diagrammi del catalogo"));
    std::vector<ArchivioDefault::VoceCatalogo> voci;
    archivio.catalogo(voci);
    for (const auto& v : voci) {
        char code[8];
        std::snprintf(code, sizeof code, "%03d", v.code);
        lista_->addItem(QString::fromUtf8(code) + QStringLiteral("  ") +
                        QString::fromStdString(cp1252ToUtf8(v.descrizione)));
    }
    tbs_ = new QLabel(this);
    tbs_->setObjectName(QStringLiteral("LbValTbs"));
    x_ = new QLabel(this);
    x_->setObjectName(QStringLiteral("LbValW"));
    patm_ = new QLabel(this);
    patm_->setObjectName(QStringLiteral("LbValPatm"));
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setReadOnly(true);
    memo_->setFixedHeight(60);
    memo_->setAccessibleName(QStringLiteral("Descrizione del diagramma"));
    auto* dettagli = new QGridLayout;
    dettagli->addWidget(new QLabel(QStringLiteral("tbs"), this), 0, 0);
    dettagli->addWidget(tbs_, 0, 1);
    dettagli->addWidget(new QLabel(QStringLiteral("x"), this), 1, 0);
    dettagli->addWidget(x_, 1, 1);
    dettagli->addWidget(new QLabel(QStringLiteral("Patm"), this), 2, 0);
    dettagli->addWidget(patm_, 2, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lista_, &QListWidget::itemSelectionChanged, this,
            [this] { OvcVirtualListbox1Click(); });
    connect(lista_, &QListWidget::itemClicked, this, [this] { OvcVirtualListbox1Click(); });
    auto* destra = new QVBoxLayout;
    destra->addLayout(dettagli);
    destra->addWidget(memo_);
    destra->addStretch();
    auto* corpo = new QHBoxLayout;
    corpo->addWidget(lista_, 1);
    corpo->addLayout(destra, 1);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(corpo);
    tutto->addWidget(buttons);
    resize(560, 300);
}

void TFormSelectChart::OvcVirtualListbox1Click() {
    const int code = codiceScelto();
    TTestataChart h;
    if (code < 1 || !archivio_.leggiTestataChart(code, h).ok)
        return;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%+03d ... %+03d", h.tbsMin, h.tbsMax);
    tbs_->setText(QString::fromUtf8(buf));
    x_->setText(QStringLiteral("0 ... %1").arg(h.xMax));
    patm_->setText(ui::testoNumero(FloatToStrFixed(h.pressure, 15, 2)));
    QString d = QString::fromStdString(cp1252ToUtf8(h.description.testo()));
    d.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    memo_->setPlainText(d);
}

int TFormSelectChart::codiceScelto() const {
    return lista_->currentRow() + 1;
}
QString TFormSelectChart::testoTbs() const {
    return tbs_->text();
}
QString TFormSelectChart::testoX() const {
    return x_->text();
}
QString TFormSelectChart::testoPatm() const {
    return patm_->text();
}

} // namespace tarvelo
