#include "print/forms/form_stampa.h"

#include "engine/numeric.h"
#include "print/forms/form_anteprima.h"
#include "print/forms/form_intestazione.h"
#include "print/report_recording.h"
#include "print/stampa_foglio.h"
#include "ui/enter_key.h"
#include "ui/help_window.h"
#include "ui/qt_chart_canvas.h"
#include "ui/qt_print_services.h"
#include "ui/qt_report_device.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tarvelo {

namespace {

constexpr int LarghezzaMiniatura = 288, AltezzaMiniatura = 204;

// The miniature of the waiting page: the chart's lines on an image, shown
// every so many lines while the chart is replayed.
class CanvasMiniatura : public ui::QtChartCanvas {
  public:
    CanvasMiniatura(QPainter& p, QImage& image, QLabel* label)
        : QtChartCanvas(p, 1.0), image_(image), label_(label) {}
    void lineTo(int x, int y) override {
        QtChartCanvas::lineTo(x, y);
        if (++linee_ % 1500 == 0)
            mostra();
    }
    void mostra() {
        label_->setPixmap(QPixmap::fromImage(image_));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

  private:
    QImage& image_;
    QLabel* label_;
    int linee_ = 0;
};

QString testoStampante(QPrinter& printer, bool c) {
    if (!c)
        return QStringLiteral("Nessuna stampante installata!");
    const QPrinterInfo info(printer);
    QString porta = info.location();
    if (porta.isEmpty())
        porta = QStringLiteral("CUPS");
    return QStringLiteral("%1 su %2").arg(printer.printerName(), porta);
}

} // namespace

TDlgStampa::TDlgStampa(ContestoStampa contesto, QWidget* parent)
    : QDialog(parent), c_(std::move(contesto)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("DlgStampa"));
    setWindowTitle(QStringLiteral("Stampa"));
    pagine_ = new QStackedWidget(this);
    auto* v = new QVBoxLayout(this);
    v->addWidget(pagine_);

    // "Default"
    auto* principale = new QWidget(pagine_);
    principale->setObjectName(QStringLiteral("Default"));
    auto* pv = new QVBoxLayout(principale);
    auto* radUmPortata = new QGroupBox(QStringLiteral("Portata:"), principale);
    radUmPortata->setObjectName(QStringLiteral("radUmPortata"));
    radLs_ = new QRadioButton(QStringLiteral("l/s"), radUmPortata);
    radLs_->setObjectName(QStringLiteral("radUmPortata_ls"));
    radM3h_ = new QRadioButton(QStringLiteral("m3/h"), radUmPortata);
    radM3h_->setObjectName(QStringLiteral("radUmPortata_m3h"));
    auto* gl = new QHBoxLayout(radUmPortata);
    gl->addWidget(radLs_);
    gl->addWidget(radM3h_);
    CkColore = new QCheckBox(QStringLiteral("Colore"), principale);
    CkColore->setObjectName(QStringLiteral("CkColore"));
    CkVerifiche = new QCheckBox(QStringLiteral("Verifiche"), principale);
    CkVerifiche->setObjectName(QStringLiteral("CkVerifiche"));
    CkVerifiche->setToolTip(
        QStringLiteral("Stampa il riquadro VERIFICHE con gli avvisi dei controlli tecnici"));
    CkVerifiche->setChecked(c_.limiti != nullptr);
    CkVerifiche->setEnabled(c_.limiti != nullptr);
    auto* riga = new QHBoxLayout;
    riga->addWidget(radUmPortata);
    riga->addWidget(CkColore);
    riga->addWidget(CkVerifiche);
    pv->addLayout(riga);
    auto* Label1 = new QLabel(QStringLiteral("Stampante correntemente attiva"), principale);
    Label1->setObjectName(QStringLiteral("Label1"));
    LblStampanteAttiva = new QLabel(principale);
    LblStampanteAttiva->setObjectName(QStringLiteral("LblStampanteAttiva"));
    LblStampanteAttiva->setFrameShape(QFrame::StyledPanel);
    LblStampanteAttiva->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
    LblStampanteAttiva->setFocusPolicy(Qt::NoFocus);
    Label1->setBuddy(LblStampanteAttiva);
    pv->addWidget(Label1);
    pv->addWidget(LblStampanteAttiva);
    auto* servizi = new QHBoxLayout;
    auto* BtnIntesta = new QPushButton(QStringLiteral("Intestazione"), principale);
    BtnIntesta->setObjectName(QStringLiteral("BtnIntesta"));
    auto* BtnImpostaStampante = new QPushButton(QStringLiteral("Impostazione"), principale);
    BtnImpostaStampante->setObjectName(QStringLiteral("BtnImpostaStampante"));
    BtnImpostaStampante->setAccessibleName(QStringLiteral("Impostazione stampante"));
    auto* btnAnteprima = new QPushButton(QStringLiteral("Anteprima"), principale);
    btnAnteprima->setObjectName(QStringLiteral("btnAnteprima"));
    // A PDF needs no printer: it is always offered.
    auto* btnSalvaPdf = new QPushButton(QStringLiteral("Salva come PDF …"), principale);
    btnSalvaPdf->setObjectName(QStringLiteral("btnSalvaPdf"));
    servizi->addWidget(BtnIntesta);
    servizi->addWidget(BtnImpostaStampante);
    servizi->addWidget(btnAnteprima);
    servizi->addWidget(btnSalvaPdf);
    pv->addLayout(servizi);
    auto* bottoni = new QHBoxLayout;
    OKBtn = new QPushButton(QStringLiteral("OK"), principale);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    auto* CancelBtn = new QPushButton(QStringLiteral("Annulla"), principale);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto* HelpBtn = new QPushButton(QStringLiteral("Aiuto"), principale);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    bottoni->addStretch(1);
    bottoni->addWidget(OKBtn);
    bottoni->addWidget(CancelBtn);
    bottoni->addWidget(HelpBtn);
    pv->addLayout(bottoni);
    pagine_->addWidget(principale);

    // "AttesaStampa"
    auto* attesa = new QWidget(pagine_);
    attesa->setObjectName(QStringLiteral("AttesaStampa"));
    auto* av = new QVBoxLayout(attesa);
    auto* Label3 = new QLabel(QStringLiteral("ATTENDERE - STAMPA IN CORSO"), attesa);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignCenter);
    QFont grassetto = Label3->font();
    grassetto.setBold(true);
    Label3->setFont(grassetto);
    PbAttesa = new QLabel(attesa);
    PbAttesa->setObjectName(QStringLiteral("PbAttesa"));
    PbAttesa->setFixedSize(LarghezzaMiniatura, AltezzaMiniatura);
    PbAttesa->setFrameShape(QFrame::Box);
    PbAttesa->setAccessibleName(QStringLiteral("Miniatura del diagramma"));
    lbEvoluzioneStampa = new QLabel(attesa);
    lbEvoluzioneStampa->setObjectName(QStringLiteral("lbEvoluzioneStampa"));
    lbEvoluzioneStampa->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel(attesa);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    av->addWidget(Label3);
    av->addWidget(PbAttesa, 0, Qt::AlignHCenter);
    av->addWidget(lbEvoluzioneStampa);
    av->addWidget(Label2);
    pagine_->addWidget(attesa);

    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { ui::apriAiuto(4, this); });
    connect(btnAnteprima, &QPushButton::clicked, this, [this] { btnAnteprimaClick(); });
    connect(btnSalvaPdf, &QPushButton::clicked, this, [this] { btnSalvaPdfClick(); });
    connect(BtnIntesta, &QPushButton::clicked, this, [this] { BtnIntestaClick(); });
    connect(BtnImpostaStampante, &QPushButton::clicked, this,
            [this] { BtnImpostaStampanteClick(); });
    chiediFilePdf = [this](const std::string& proposto) { return chiediNomePdf(this, proposto); };
    invia = [](const Registrazione& r, QPrinter& printer) {
        return ui::stampaPagine(r, printer, 1, static_cast<int>(r.pagine.size()));
    };
    apriAnteprima = [this](const std::string& rpp, QPrinter& printer) {
        TFormAnteprima anteprima(rpp, printer, this);
        anteprima.chiediFilePdf = [this](const std::string& proposto) {
            return chiediFilePdf(proposto);
        };
        anteprima.setWindowState(Qt::WindowMaximized);
        anteprima.show();
        if (anteprima.Avvia())
            anteprima.exec();
        else
            errore_ = anteprima.errore();
    };
    FormCreate();
}

TDlgStampa::~TDlgStampa() = default;

void TDlgStampa::FormCreate() {
    ui::applicaConvenzioneInvio(this, OKBtn, c_.emulazioneDosInvio);
    const QString predefinita = QPrinterInfo::defaultPrinterName();
    const QStringList tutte = QPrinterInfo::availablePrinterNames();
    haStampante_ = !tutte.isEmpty();
    if (haStampante_)
        printer_->setPrinterName(predefinita.isEmpty() ? tutte.front() : predefinita);
    aggiornaStampante();
    (c_.testata.UmStampa == UmM3H ? radM3h_ : radLs_)->setChecked(true);
    CkColore->setChecked(!c_.monocromatico);
}

void TDlgStampa::aggiornaStampante() {
    LblStampanteAttiva->setText(testoStampante(*printer_, haStampante_));
}

void TDlgStampa::memorizzaUnita() {
    c_.testata.UmStampa = static_cast<std::uint8_t>(radM3h_->isChecked() ? UmM3H : UmLS);
    c_.monocromatico = !CkColore->isChecked();
}

void TDlgStampa::fallito(const std::string& messaggio) {
    errore_ = messaggio;
    pagine_->setCurrentIndex(0);
    QMessageBox::critical(this, QStringLiteral("Stampa"), QString::fromStdString(messaggio));
}

DatiStampa TDlgStampa::dati() const {
    return DatiStampa{c_.lavoro,        c_.testata,
                      c_.dirArchivi,    c_.nomeFile,
                      c_.monocromatico, CkVerifiche->isChecked() ? c_.limiti : nullptr};
}

Esito TDlgStampa::inAttesa(bool file,
                           const std::function<Esito(const AvanzamentoStampa&)>& lavoro) {
    errore_.clear();
    memorizzaUnita();
    pagine_->setCurrentIndex(1);
    Label2->setText(file ? QStringLiteral("Stampa della pagina 1")
                         : QStringLiteral("Stampa della pag. 1"));
    QImage miniatura(LarghezzaMiniatura, AltezzaMiniatura, QImage::Format_RGB32);
    miniatura.fill(Qt::white);
    QPainter p(&miniatura);
    CanvasMiniatura canvas(p, miniatura, PbAttesa);
    AvanzamentoStampa a;
    a.sezione = [this](const std::string& s) {
        lbEvoluzioneStampa->setText(QString::fromStdString(s));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    a.miniatura = &canvas;
    a.larghezzaMiniatura = LarghezzaMiniatura;
    a.altezzaMiniatura = AltezzaMiniatura;
    const Esito e = lavoro(a);
    canvas.mostra();
    p.end();
    return e;
}

// The sheet for the active printer's paper (A4 when there is no printer),
// with the waiting page showing how far it has got.
bool TDlgStampa::componi(bool anteprima, Registrazione& r) {
    const Esito e = inAttesa(anteprima, [&](const AvanzamentoStampa& a) {
        ui::QtMisuraReport misura(haStampante_ ? ui::paginaStampante(*printer_) : Pagina{});
        return ComponiFoglio(dati(), misura, r, a);
    });
    if (!e.ok) {
        fallito("Impossibile comporre il foglio di stampa: " + e.errore);
        return false;
    }
    lbEvoluzioneStampa->setText(anteprima ? QStringLiteral("Caricamento anteprima ...")
                                          : QStringLiteral("Attivazione Driver ..."));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}

void TDlgStampa::OKBtnClick() {
    if (!haStampante_) {
        fallito("Nessuna stampante installata!");
        return;
    }
    // The sheet is portrait: the page is set before it is measured.
    printer_->setDocName(QStringLiteral("Applicazione psicrometria"));
    printer_->setPageOrientation(QPageLayout::Portrait);
    Registrazione r;
    if (!componi(false, r))
        return;
    // The printer's own status while the job goes to it.
    Label2->setText(QStringLiteral("Attendere .... stampa in corso"));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (Esito e = invia(r, *printer_); !e.ok) {
        fallito(e.errore);
        return;
    }
    accept();
}

void TDlgStampa::btnAnteprimaClick() {
    printer_->setPageOrientation(QPageLayout::Portrait);
    Registrazione r;
    if (!componi(true, r))
        return;
    const std::string rpp = c_.cartellaAnteprima + NomePaginaAnteprima;
    if (Esito e = salvaRpp(rpp, r); !e.ok) {
        fallito(e.errore);
        return;
    }
    if (apriAnteprima)
        apriAnteprima(rpp, *printer_);
    pagine_->setCurrentIndex(0);
}

void TDlgStampa::btnSalvaPdfClick() {
    // Named after the work, in the works folder.
    const std::string nome = c_.nomeFile.empty()
                                 ? std::string("Foglio")
                                 : c_.nomeFile.substr(0, c_.nomeFile.find_last_of('.'));
    const std::string pdf =
        chiediFilePdf ? chiediFilePdf(c_.cartellaAnteprima + nome + ".pdf") : std::string();
    if (pdf.empty())
        return;
    // On A4, as the command line writes it, whatever the printer's paper.
    const Esito e = inAttesa(
        true, [&](const AvanzamentoStampa& a) { return ui::salvaFoglioPdf(dati(), pdf, a); });
    if (!e.ok) {
        fallito("Impossibile salvare il foglio in PDF: " + e.errore);
        return;
    }
    accept();
}

void TDlgStampa::BtnIntestaClick() {
    TDlgIntestazionePag dialog(c_.testata, c_.lavoro, c_.emulazioneDosInvio, this);
    if (dialog.exec() == QDialog::Accepted && c_.modificato)
        c_.modificato();
}

void TDlgStampa::BtnImpostaStampanteClick() {
    if (!haStampante_) {
        fallito("Nessuna stampante installata!");
        return;
    }
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("Impostazione stampante"));
    dialog.exec();
    aggiornaStampante();
}

} // namespace tarvelo
