#include "print/forms/form_anteprima.h"

#include "ui/qt_report_device.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tarvelo {

std::string chiediNomePdf(QWidget* parent, const std::string& proposto) {
    QString nome = QFileDialog::getSaveFileName(parent, QStringLiteral("Salva come PDF"),
                                                QString::fromStdString(nativePath(proposto)),
                                                QStringLiteral("Documenti PDF (*.pdf)"));
    if (nome.isEmpty())
        return {};
    if (QFileInfo(nome).suffix().isEmpty())
        nome += QStringLiteral(".pdf");
    return nome.toStdString();
}

namespace {
constexpr int Ombra = 5;
constexpr double ZoomMin = 10, ZoomMax = 400, PassoZoom = 1.25;
// Zoom 100 shows the page at its size on a screen of 96 dots per inch.
constexpr double DpiSchermo = 96;
} // namespace

TFormAnteprima::TFormAnteprima(std::string rpp, QPrinter& printer, QWidget* parent)
    : QDialog(parent), rpp_(std::move(rpp)), printer_(printer) {
    setObjectName(QStringLiteral("FormAnteprima"));
    setWindowTitle(QStringLiteral("Anteprima di stampa"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    stampa = [this](const Registrazione& r, int da, int a) {
        return ui::stampaPagine(r, printer_, da, a);
    };
    chiediFilePdf = [this](const std::string& proposto) { return chiediNomePdf(this, proposto); };

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    auto* menu = new QMenuBar(this);
    v->setMenuBar(menu);
    auto* barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("ToolBar"));
    v->addWidget(barra);
    area_ = new QScrollArea(this);
    area_->setObjectName(QStringLiteral("ScrollBox"));
    area_->setAccessibleName(QStringLiteral("Area della pagina"));
    area_->setAlignment(Qt::AlignCenter);
    area_->setBackgroundRole(QPalette::Dark);
    foglio_ = new QLabel(area_);
    foglio_->setObjectName(QStringLiteral("Pagina"));
    foglio_->setAccessibleName(QStringLiteral("Pagina di stampa"));
    area_->setWidget(foglio_);
    v->addWidget(area_, 1);
    lbStato = new QLabel(this);
    lbStato->setObjectName(QStringLiteral("lbStato"));
    lbStato->setContentsMargins(6, 2, 6, 2);
    lbStato->hide();
    v->addWidget(lbStato);

    struct Comando {
        const char* nome;
        const char* menu;
        const char* hint;
        const char* icona;
        QKeySequence tasto;
        std::function<void()> azione;
    };
    auto* file = menu->addMenu(QStringLiteral("&File"));
    auto* vista = menu->addMenu(QStringLiteral("&Visualizza"));
    auto* pagine = menu->addMenu(QStringLiteral("&Pagine"));
    const auto aggiungi = [&](QMenu* m, const Comando& c) {
        QAction* a = m->addAction(QString::fromUtf8(c.menu));
        a->setShortcut(c.tasto);
        addAction(a); // its shortcut works wherever the focus is in the window
        connect(a, &QAction::triggered, this, c.azione);
        if (c.nome) {
            auto* b = new QToolButton(barra);
            b->setObjectName(QString::fromUtf8(c.nome));
            b->setToolTip(QString::fromUtf8(c.hint));
            b->setAccessibleName(QString::fromUtf8(c.hint));
            b->setIcon(QIcon::fromTheme(QString::fromUtf8(c.icona)));
            if (b->icon().isNull())
                b->setText(QString(a->text()).remove(QLatin1Char('&')));
            connect(b, &QToolButton::clicked, this, c.azione);
            barra->addWidget(b);
        }
    };
    aggiungi(file, {"SpeedButton1", "&Esci dall'anteprima", "Esci dall'antemprima di stampa",
                    "window-close", QKeySequence(Qt::Key_Escape), [this] { close(); }});
    aggiungi(file, {"btnStampa",
                    "Stampa pagina &corrente",
                    "stampa pagina corrente",
                    "document-print",
                    {},
                    [this] { stampaPaginaCorrente(); }});
    aggiungi(file, {nullptr, "Stampa &tutto", "", "", {}, [this] { stampaTutto(); }});
    aggiungi(file, {"btnEsportaPdf", "Esporta &PDF", "Esporta PDF", "document-save-as", {}, [this] {
                        esportaPdf();
                    }});
    aggiungi(
        vista,
        {"SBZoomPageWidth", "pieno &schermo", "Zoom Mezza Pagina", "zoom-fit-width", {}, [this] {
             zoomLarghezza();
         }});
    aggiungi(vista,
             {"SBZoomPage", "pagina &intera", "Zoom Pagina intera", "zoom-fit-best", {}, [this] {
                  zoomPagina();
              }});
    aggiungi(vista, {"btnZommIn", "&zoom +", "Zoom+", "zoom-in", {}, [this] { zoomPiu(); }});
    aggiungi(vista, {"btnZommOut", "zoo&m -", "Zoom-", "zoom-out", {}, [this] { zoomMeno(); }});
    aggiungi(pagine, {"BtnHomeSchema", "&prima pagina", "Prima pagina", "go-first",
                      QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { vaiAPagina(1); }});
    aggiungi(pagine, {"BtnPrecAmb", "pagina prece&dente", "Pagina precedente", "go-previous",
                      QKeySequence(Qt::Key_PageUp), [this] { vaiAPagina(pagina_ - 1); }});
    aggiungi(pagine, {"BtnSuccAmb", "pagina su&ccessiva", "Pagina successiva", "go-next",
                      QKeySequence(Qt::Key_PageDown), [this] { vaiAPagina(pagina_ + 1); }});
    aggiungi(pagine,
             {"BtnFineSchema", "&ultima pagina", "Ultima pagina", "go-last",
              QKeySequence(Qt::CTRL | Qt::Key_End), [this] { vaiAPagina(numeroPagine()); }});
    auto* Label2 = new QLabel(QStringLiteral("Pagina #"), barra);
    Label2->setObjectName(QStringLiteral("Label2"));
    cmbPagine = new QComboBox(barra);
    cmbPagine->setObjectName(QStringLiteral("cmbPagine"));
    cmbPagine->setToolTip(QStringLiteral("Seleziona la pagina"));
    Label2->setBuddy(cmbPagine);
    lbTotPag = new QLabel(barra);
    lbTotPag->setObjectName(QStringLiteral("lbTotPag"));
    barra->addSeparator();
    barra->addWidget(Label2);
    barra->addWidget(cmbPagine);
    barra->addWidget(lbTotPag);
    QAction* vai = pagine->addAction(QStringLiteral("&vai alla pagina n."));
    connect(vai, &QAction::triggered, this, [this] { cmbPagine->setFocus(); });
    connect(cmbPagine, &QComboBox::activated, this, [this](int i) {
        if (i + 1 != pagina_)
            vaiAPagina(i + 1);
    });
    resize(900, 700);
}

bool TFormAnteprima::Avvia() {
    if (Esito e = leggiRpp(rpp_, r_); !e.ok) {
        errore_ = e.errore;
        r_ = {};
    }
    cmbPagine->clear();
    for (int n = 1; n <= numeroPagine(); ++n)
        cmbPagine->addItem(QString::number(n));
    lbTotPag->setText(QStringLiteral("di %1").arg(numeroPagine()));
    pagina_ = 1;
    cmbPagine->setCurrentIndex(numeroPagine() > 0 ? 0 : -1);
    avviata_ = true;
    zoomLarghezza();
    if (!errore_.empty()) {
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(errore_));
        return false;
    }
    return true;
}

void TFormAnteprima::mostra() {
    if (r_.pagine.empty()) {
        foglio_->clear();
        return;
    }
    const double dpi = DpiSchermo * zoom_ / 100.0 * devicePixelRatioF();
    const QImage pagina = ui::immaginePagina(r_, static_cast<std::size_t>(pagina_ - 1), dpi);
    // The page with its shadow on the grey of the page area.
    QImage foglio(pagina.width() + Ombra, pagina.height() + Ombra, QImage::Format_ARGB32);
    foglio.fill(Qt::transparent);
    QPainter p(&foglio);
    p.fillRect(Ombra, Ombra, pagina.width(), pagina.height(), Qt::darkGray);
    p.drawImage(0, 0, pagina);
    p.end();
    QPixmap pix = QPixmap::fromImage(foglio);
    pix.setDevicePixelRatio(devicePixelRatioF());
    foglio_->setPixmap(pix);
    foglio_->resize(pix.deviceIndependentSize().toSize());
}

void TFormAnteprima::imposta(double zoom) {
    zoom_ = std::clamp(zoom, ZoomMin, ZoomMax);
    mostra();
}

void TFormAnteprima::vaiAPagina(int n) {
    if (n < 1 || n > numeroPagine() || n == pagina_)
        return;
    pagina_ = n;
    cmbPagine->setCurrentIndex(n - 1);
    mostra();
}

void TFormAnteprima::zoomLarghezza() {
    const double larghezza = area_->viewport()->width() - 2 * Ombra;
    imposta(larghezza / (r_.pagina.larghezza / static_cast<double>(UnitaPerPollice) * DpiSchermo) *
            100.0);
}

void TFormAnteprima::zoomPagina() {
    const double w = area_->viewport()->width() - 2 * Ombra;
    const double h = area_->viewport()->height() - 2 * Ombra;
    const double pollici = DpiSchermo / UnitaPerPollice;
    imposta(std::min(w / (r_.pagina.larghezza * pollici), h / (r_.pagina.altezza * pollici)) *
            100.0);
}

void TFormAnteprima::zoomPiu() {
    imposta(zoom_ * PassoZoom);
}

void TFormAnteprima::zoomMeno() {
    imposta(zoom_ / PassoZoom);
}

void TFormAnteprima::stampaPagine(int da, int a) {
    if (r_.pagine.empty())
        return;
    // The printer's own status while the job goes to it.
    lbStato->setText(QStringLiteral("Attendere .... stampa in corso"));
    lbStato->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const Esito e = stampa(r_, da, a);
    lbStato->hide();
    if (!e.ok)
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(e.errore));
}

void TFormAnteprima::stampaPaginaCorrente() {
    stampaPagine(pagina_, pagina_);
}

void TFormAnteprima::stampaTutto() {
    stampaPagine(1, numeroPagine());
}

void TFormAnteprima::esportaPdf() {
    if (r_.pagine.empty())
        return;
    const std::string cartella = rpp_.substr(0, rpp_.find_last_of('/') + 1);
    const std::string pdf = chiediFilePdf ? chiediFilePdf(cartella + "Foglio.pdf") : std::string();
    if (pdf.empty())
        return;
    if (Esito e = ui::scriviPdf(r_, pdf); !e.ok)
        QMessageBox::critical(this, windowTitle(),
                              QString::fromStdString("Impossibile esportare il PDF: " + e.errore));
}

void TFormAnteprima::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    // Once the layout has given the page area its new size.
    if (avviata_)
        QTimer::singleShot(0, this, [this] { zoomLarghezza(); });
}

} // namespace tarvelo
