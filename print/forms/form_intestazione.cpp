#include "print/forms/form_intestazione.h"

#include "engine/text.h"
#include "ui/enter_key.h"
#include "ui/help_window.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarvelo {

namespace {
QString daCp1252(const std::string& s) {
    QString t = QString::fromStdString(cp1252ToUtf8(s));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}
std::string aCp1252(QString s) {
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return utf8ToCp1252(s.toStdString());
}
} // namespace

TDlgIntestazionePag::TDlgIntestazionePag(TTestataLavoro& testata, TLavoro& lavoro, bool emulazione,
                                         QWidget* parent)
    : QDialog(parent), testata_(testata), lavoro_(lavoro) {
    setObjectName(QStringLiteral("DlgIntestazionePag"));
    setWindowTitle(QStringLiteral("Intestazione foglio di stampa"));
    progetto_ = new QPlainTextEdit(daCp1252(testata.Progetto.testo()), this);
    progetto_->setObjectName(QStringLiteral("MemoProgetto"));
    progetto_->setProperty("tag", 2);
    progetto_->setTabChangesFocus(true);
    progetto_->setFixedHeight(70);
    numFoglio_ = new QLineEdit(daCp1252(testata.NumFoglio.testo()), this);
    numFoglio_->setObjectName(QStringLiteral("fldNumFoglio"));
    numFoglio_->setMaxLength(3);
    descrizione_ = new QLineEdit(daCp1252(lavoro.Descrizione.testo()), this);
    descrizione_->setObjectName(QStringLiteral("fldDescriFoglio"));
    descrizione_->setMaxLength(255);
    piePagina_ = new QLineEdit(daCp1252(testata.PiePagina.testo()), this);
    piePagina_->setObjectName(QStringLiteral("fldPiePagina"));
    piePagina_->setMaxLength(255);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Progetto:"), progetto_);
    form->addRow(QStringLiteral("Foglio n."), numFoglio_);
    form->addRow(QStringLiteral("Descrizione foglio:"), descrizione_);
    form->addRow(QStringLiteral("Piè pagina:"), piePagina_);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    auto* help = buttons->addButton(QStringLiteral("Aiuto"), QDialogButtonBox::HelpRole);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        salva();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ui::apriAiuto(3, this); });
    ui::applicaConvenzioneInvio(this, ok, emulazione);
    resize(520, sizeHint().height());
}

void TDlgIntestazionePag::salva() {
    testata_.Progetto.assegna(aCp1252(progetto_->toPlainText()).substr(0, 255));
    testata_.NumFoglio.assegna(aCp1252(numFoglio_->text()).substr(0, 3));
    testata_.PiePagina.assegna(aCp1252(piePagina_->text()));
    lavoro_.Descrizione.assegna(aCp1252(descrizione_->text()));
}

} // namespace tarvelo
