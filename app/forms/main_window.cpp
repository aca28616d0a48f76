#include "app/forms/main_window.h"

#include "app/forms/form_calcolatrice.h"
#include "app/forms/splash_about.h"
#include "app/forms/window_layout.h"
#include "chart/forms/form_chart_dialogs.h"
#include "chart/forms/form_diagramma.h"
#include "chart/forms/form_display.h"
#include "document/error_messages.h"
#include "engine/moist_air.h"
#include "engine/text.h"
#include "plants/forms/form_calc_auto1.h"
#include "plants/work_recalc.h"
#include "print/forms/form_intestazione.h"
#include "print/forms/form_stampa.h"
#include "treatments/forms/form_calc_ute.h"
#include "treatments/forms/form_condizioni_punti.h"
#include "treatments/forms/form_tool_trattamenti.h"
#include "treatments/forms/form_vedi_file.h"
#include "treatments/verifiche.h"
#include "ui/help_window.h"
#include "ui/message_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarvelo {

TFormMain::TFormMain(Sessione& sessione)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      s_(sessione), doc_(*sessione.documento), docUi_(this) {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("TARVELO"));
    // Creation: read the defaults again, then the diagram window.
    s_.settings.archivio().leggiDefault(s_.defaults);
    // A work that would draw off the chart is refused at the door, as the
    // commands that print or calculate it refuse it.
    doc_.rifiutaValoriNonValidi = true;
    creaMenu();
    creaToolbar();
    diagramma_ = new TFormDiagramma(doc_, s_.settings, s_.misura, this);
    std::string errore;
    if (!diagramma_->InitVirtualChart(s_.defaults.ChartDefault, &errore) &&
        !diagramma_->InitVirtualChart(1, &errore))
        ui::avverte(this, QStringLiteral("TARVELO"), QString::fromStdString(errore));
    docUi_.cartellaIniziale = s_.settings.DIR_LAVORI;
    docUi_.onMostraChart = [this](int c, int p) {
        diagramma_->mostraChart(c, p);
        aggiornaEditChart();
    };
    docUi_.onTitolo = [this](const std::string& t) {
        diagramma_->setWindowTitle(QString::fromStdString(cp1252ToUtf8(t)));
    };
    docUi_.onRevisione = [this](bool on) { revisione_->setEnabled(on); };
    docUi_.onRidisegna = [this] { diagramma_->aggiorna(); };
    docUi_.onDettaglio = [this] { aggiornaFinestre(); };
    docUi_.onApriRevisione = [this](std::uint8_t tipo) {
        // Opening a work shows its calculation for review.
        if (tipo == 6 && doc_.lavoro.NumTrattamenti > 0)
            ApriTrattamenti(0);
        else if (tipo < 6)
            ApriImpianto(true);
    };
    palette_ = new TFormToolTrattamenti(this);
    palette_->onTrattamento = [this](int tag) { Trattamento(tag); };
    palette_->onImpianto = [this](int tag) { Impianto(tag); };
    // A handle dragged on the chart changes the plant dialog's inputs.
    diagramma_->setManiglie({[this](int codice, double tbs, double UR, double x) {
        if (impianto_ && impianto_->isVisible())
            impianto_->trascina(codice, tbs, UR, x);
    }});
    // The points the engineering checks warn about are ringed on the chart.
    diagramma_->setPuntiSegnalati([this](const TLavoro& l) {
        std::vector<int> punti;
        for (const Verifica& v : verifiche(l, s_.settings.verifiche))
            if (v.livello == LivelloVerifica::Avviso && v.punto > 0 &&
                std::find(punti.begin(), punti.end(), v.punto) == punti.end())
                punti.push_back(v.punto);
        return punti;
    });
    diagramma_->setSovrapposizione([this](QPainter& p, int raggio) {
        if (impianto_ && impianto_->isVisible())
            impianto_->costruzione().disegna(p, diagramma_->vista(), raggio);
    });
    dettaglio_ = new TFormVediFile(this);
    dettaglio_->AggiornaDettaglio(doc_.lavoro, s_.settings.DIR_LAVORI);
    // The commands also work from the diagram window.
    diagramma_->addActions(scorciatoie_);
    aggiornaEditChart();
    diagramma_->setWindowTitle(QString::fromStdString(cp1252ToUtf8(doc_.titolo())));
    // 235 × 138 as designed, wide enough for the whole menu bar and tall
    // enough for the status bar under the toolbar.
    statusBar()->setObjectName(QStringLiteral("StatusBarMain"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setMinimumHeight(statusBar()->fontMetrics().height() + 8);
    resize(std::max(235, menuBar()->sizeHint().width() + 8),
           std::max(138, menuBar()->sizeHint().height() + 89 + statusBar()->minimumHeight()));
    move(0, 0);
}

TFormMain::~TFormMain() = default;

void TFormMain::creaMenu() {
    // Undo and redo have no menu entry: their keys work in the main window
    // and in the diagram.
    auto* annulla = new QAction(QStringLiteral("Ripristina ultima condizione valida"), this);
    connect(annulla, &QAction::triggered, this, &TFormMain::Annulla);
    addAction(annulla);
    scorciatoia(annulla, QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto* ripeti = new QAction(QStringLiteral("Mostra ultima condizione non valida"), this);
    connect(ripeti, &QAction::triggered, this, &TFormMain::Ripeti);
    addAction(ripeti);
    scorciatoia(ripeti, QKeySequence(Qt::CTRL | Qt::Key_Y));

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    scorciatoia(file->addAction(QStringLiteral("Nuovo"), this, &TFormMain::Nuovo),
                QKeySequence::New);
    scorciatoia(file->addAction(QStringLiteral("Apri"), this, &TFormMain::Apri),
                QKeySequence::Open);
    scorciatoia(file->addAction(QStringLiteral("Salva"), this, &TFormMain::Salva),
                QKeySequence::Save);
    scorciatoia(
        file->addAction(QStringLiteral("Salva con nome ..."), this, &TFormMain::SalvaConNome),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    for (const char* hidden : {"Nuovo Foglio", "Seleziona Foglio n...", "Cancella Foglio",
                               "Copia Foglio", "Incolla Foglio"})
        file->addAction(QString::fromUtf8(hidden))->setVisible(false);
    file->addSeparator();
    file->addAction(QStringLiteral("Descrizione"), this, &TFormMain::Descrizione);
    file->addAction(QStringLiteral("Stampa"), this, &TFormMain::Stampa);
    file->addSeparator();
    file->addAction(QStringLiteral("Esci"), this, &QWidget::close);

    QMenu* tratt = menuBar()->addMenu(QStringLiteral("&Trattamenti"));
    for (const char* voce :
         {"&1. Miscela", "&2. Raffreddamento", "&3. Raffreddamento con deumidificazione",
          "&4. Riscaldamento", "&5. Umidificazione", "&6. Unione  (retta carichi ambiente)"}) {
        const int tag = static_cast<int>(tratt->actions().size()) + 1;
        tratt->addAction(QString::fromUtf8(voce), this, [this, tag] { Trattamento(tag); });
    }
    tratt->addSeparator();
    for (const char* voce : {"&A. Miscela+Raffreddamento con deumidificazione",
                             "&B. Raffreddamento con deumidificazione",
                             "&C. Raffreddamento con deumidificazione+Postriscaldamento",
                             "&D. Miscela+Riscaldamento e umidificazione adiabatica",
                             "&E. Miscela+Riscaldamento+Umidificazione con vapore",
                             "&F. Preriscaldamento+Umidificazione adiabatica+Postriscaldamento"}) {
        const int tag = static_cast<int>(tratt->actions().size()) - 7;
        tratt->addAction(QString::fromUtf8(voce), this, [this, tag] { Impianto(tag); });
    }
    tratt->addSeparator();
    revisione_ = tratt->addAction(QStringLiteral("&Revisione"), this, &TFormMain::Revisione);
    revisione_->setEnabled(false);

    QMenu* fin = menuBar()->addMenu(QStringLiteral("F&inestra"));
    fin->addAction(QStringLiteral("Trattamenti"), this, [this] {
        if (impianto_ && impianto_->isVisible())
            impianto_->raise();
        else
            GalleriaTrattamenti();
    });
    fin->addAction(QStringLiteral("Condizioni fisiche punti"), this, &TFormMain::CondizioniPunti);
    fin->addAction(QStringLiteral("Dettaglio di calcolo"), this, &TFormMain::DettaglioCalcolo);
    fin->addAction(QStringLiteral("Coordinate mouse premuto"), this, &TFormMain::Coordinate);
    fin->addAction(QStringLiteral("Diagramma psicrometrico"), this,
                   [this] { diagramma_->mostra(); });
    fin->addAction(QStringLiteral("Galleria trattamenti"), this, &TFormMain::GalleriaTrattamenti);
    for (const char* hidden :
         {"Editor Presentazione Relazione tecnica", "Salva disposizioni finestre",
          "Ripristina disposizioni finestre", "Ripristina disposizione default"})
        fin->addAction(QString::fromUtf8(hidden))->setVisible(false);

    QMenu* opz = menuBar()->addMenu(QStringLiteral("&Opzioni"));
    opz->addAction(QStringLiteral("Genera Chart"), this, &TFormMain::GeneraChart);
    opz->addAction(QStringLiteral("Seleziona Chart"), this, &TFormMain::SelezionaChart);
    opz->addAction(QStringLiteral("Calcolatrice"), this, &TFormMain::Calcolatrice);
    opz->addAction(QStringLiteral("Salva default"), this, &TFormMain::SalvaDefault);
    opz->addAction(QStringLiteral("Didattica"))->setVisible(false);

    QMenu* aiuto = menuBar()->addMenu(QStringLiteral("?"));
    scorciatoia(aiuto->addAction(QStringLiteral("Aiuto"), this, [this] { ui::apriAiuto(1, this); }),
                QKeySequence::HelpContents);
    aiuto->addAction(QStringLiteral("Info"), this, [this] {
        TFormInfo info(this);
        info.exec();
    });
}

QToolButton* TFormMain::bottone(const char* nome, int x, int y, const QString& testo,
                                const QString& hint, void (TFormMain::*azione)(), int larghezza) {
    auto* b = new QToolButton(centralWidget());
    b->setObjectName(QString::fromUtf8(nome));
    b->setGeometry(x, y, larghezza, 22);
    b->setText(testo);
    const int bar = hint.indexOf('|');
    b->setToolTip(bar < 0 ? hint : hint.left(bar));
    b->setAccessibleName(testo.isEmpty() || bar >= 0 ? b->toolTip() : hint);
    b->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    b->setAutoRaise(true);
    if (azione)
        connect(b, &QToolButton::clicked, this, azione);
    return b;
}

void TFormMain::creaToolbar() {
    auto* pannello = new QWidget(this);
    pannello->setFixedSize(227, 89);
    setCentralWidget(pannello);
    auto figura = [](const char* nome) {
        return QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(nome)));
    };
    bottone("btnNuovo", 2, 5, {}, QStringLiteral("nuovo|creazione nuovo file"), &TFormMain::Nuovo)
        ->setIcon(figura("nuovo"));
    bottone("btnApri", 24, 5, {}, QStringLiteral("apri|apertura file esistente"), &TFormMain::Apri)
        ->setIcon(figura("apri"));
    bottone("btnSalva", 46, 5, {}, QStringLiteral("salva|salvataggio dei dati modificati"),
            &TFormMain::Salva)
        ->setIcon(figura("salva"));
    bottone("btnStampa", 68, 5, {}, QStringLiteral("stampa|menù di stampa"), &TFormMain::Stampa)
        ->setIcon(figura("stampa"));
    bottone("btnCalcolatrice", 90, 5, {}, QStringLiteral("calcolatrice"), &TFormMain::Calcolatrice)
        ->setIcon(figura("calcolatrice"));
    bottone("btnTabellaPunti", 112, 5, {}, QStringLiteral("Condizioni fisiche punti"),
            &TFormMain::CondizioniPunti)
        ->setIcon(figura("tabella_punti"));
    bottone("btnDettaglio", 134, 5, {}, QStringLiteral("dettaglio"), &TFormMain::DettaglioCalcolo)
        ->setIcon(figura("dettaglio"));
    bottone("btnCoordinate", 156, 5, {}, QStringLiteral("Coordinate mouse premuto"),
            &TFormMain::Coordinate)
        ->setIcon(figura("coordinate"));
    bottone("btnEsci", 198, 5, {}, QStringLiteral("Esci"), nullptr)->setIcon(figura("esci"));
    bottone("SpeedButton1", 90, 34, QStringLiteral("G"), QStringLiteral("galleria trattamenti"),
            &TFormMain::GalleriaTrattamenti);
    bottone("btnUndo", 134, 34, {}, QStringLiteral("Ripristina ultima condizione valida"),
            &TFormMain::Annulla)
        ->setIcon(figura("annulla"));
    bottone("btnRedo", 156, 34, {}, QStringLiteral("Mostra ultima condizione non valida"),
            &TFormMain::Ripeti)
        ->setIcon(figura("ripeti"));
    bottone("btnRigenera", 2, 64, QStringLiteral("Ridisegna"),
            QStringLiteral("ridisegna diagramma"), &TFormMain::Ridisegna, 71);
    editChart_ = new QLineEdit(QStringLiteral("CHART 01"), pannello);
    editChart_->setObjectName(QStringLiteral("EditChart"));
    editChart_->setReadOnly(true);
    editChart_->setAccessibleName(QStringLiteral("Diagramma in uso"));
    editChart_->setGeometry(72, 64, 126, 22);
    bottone("btnChangeChart", 200, 64, QStringLiteral("···"), QStringLiteral("Seleziona diagramma"),
            &TFormMain::SelezionaChart);
    // "Esci" closes the window, which ends the program.
    auto* esci = pannello->findChild<QToolButton*>(QStringLiteral("btnEsci"));
    connect(esci, &QToolButton::clicked, this, &QWidget::close);
}

void TFormMain::aggiornaEditChart() {
    const std::string d = doc_.lavoro.TestataChart.description.testo();
    editChart_->setText(QString::fromStdString(cp1252ToUtf8(d.substr(0, d.find('\r')))));
    editChart_->setCursorPosition(0);
}

void TFormMain::scorciatoia(QAction* azione, const QKeySequence& tasto) {
    azione->setShortcut(tasto);
    scorciatoie_.append(azione);
}

namespace {
Rettangolo esterno(const QWidget* w) {
    const QRect r = w->frameGeometry();
    return {r.left(), r.top(), r.width(), r.height()};
}
// Places a window by its outer rectangle. A window not framed yet is
// framed as the main window is.
void colloca(QWidget* w, const Rettangolo& r, QSize cornice) {
    if (w->isVisible() && w->frameGeometry().size() != w->size())
        cornice = w->frameGeometry().size() - w->size();
    w->move(r.left, r.top);
    w->resize(std::max(100, r.width - cornice.width()), std::max(100, r.height - cornice.height()));
    w->show();
}
} // namespace

void TFormMain::disponiFinestre(const QRect& schermo) {
    // The table works in the screen's usable area; panels of the desktop
    // move its origin.
    const QPoint o = schermo.topLeft();
    auto relativo = [o](const QWidget* w) {
        Rettangolo r = esterno(w);
        r.left -= o.x();
        r.top -= o.y();
        return r;
    };
    FinestreAperte f;
    f.schermoW = schermo.width();
    f.schermoH = schermo.height();
    f.main = relativo(this);
    f.diagramma = relativo(diagramma_);
    if (display_)
        f.coordinate = relativo(display_);
    f.palette = relativo(palette_);
    f.dettaglio = relativo(dettaglio_);
    if (tabellaPunti_)
        f.tabellaPunti = relativo(tabellaPunti_);
    Disposizione d = tarvelo::disponiFinestre(f);
    d.diagramma.left += o.x();
    d.diagramma.top += o.y();
    const QSize cornice = frameGeometry().size() - size();
    if (tabellaPunti_ && d.tabellaPunti)
        colloca(tabellaPunti_,
                {d.tabellaPunti->left + o.x(), d.tabellaPunti->top + o.y(), d.tabellaPunti->width,
                 d.tabellaPunti->height},
                cornice);
    // The palette keeps the height of its buttons.
    colloca(palette_,
            {d.palette->left + o.x(), d.palette->top + o.y(), d.palette->width, d.palette->height},
            cornice);
    colloca(diagramma_, d.diagramma, cornice);
    if (display_ && d.coordinate) {
        display_->move(d.coordinate->left + o.x(), d.coordinate->top + o.y());
        display_->resize(display_->width(),
                         std::max(display_->minimumSizeHint().height(),
                                  d.coordinate->height -
                                      (display_->frameGeometry().height() - display_->height())));
        display_->show();
    }
    colloca(dettaglio_,
            {d.dettaglio->left + o.x(), d.dettaglio->top + o.y(), d.dettaglio->width,
             std::max(100, d.dettaglio->height)},
            cornice);
    // A plant work opened at start-up showed its dialog before the diagram
    // had its place: it follows the diagram now.
    if (impianto_ && impianto_->isVisible())
        collocaDialogo(impianto_);
}

void TFormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The diagram comes up with the main window; it is placed at the first
    // activation, when the window manager has framed the windows and their
    // outer sizes are known.
    if (primaAttivazione_)
        diagramma_->show();
}

void TFormMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && primaAttivazione_) {
        primaDisposizione();
    }
}

void TFormMain::primaDisposizione() {
    if (!primaAttivazione_)
        return;
    primaAttivazione_ = false;
    const QScreen* screen = QApplication::primaryScreen();
    disponiFinestre(screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024));
    // A work named at start-up opens once the windows have their places:
    // its revision dialog then sits beside the diagram, with the palette
    // and the detail already shown, as "Revisione" from the menu.
    if (!fileAvvio_.empty())
        QTimer::singleShot(0, this, [this] {
            const std::string path = std::exchange(fileAvvio_, {});
            if (!path.empty())
                apriFile(path);
        });
}

void TFormMain::apriAllAvvio(const std::string& path) {
    fileAvvio_ = path;
    if (!primaAttivazione_) {
        fileAvvio_.clear();
        apriFile(path);
        return;
    }
    // A window manager that never activates the window must not keep the
    // work from opening.
    QTimer::singleShot(1500, this, [this] { primaDisposizione(); });
}

void TFormMain::closeEvent(QCloseEvent* event) {
    // A modified work is offered for saving; a failed or cancelled save
    // keeps the program open.
    docUi_.cartellaIniziale = s_.settings.DIR_LAVORI;
    const Documento::EsitoSalva e = doc_.salva(docUi_, true);
    if (e == Documento::EsitoSalva::Fallito || e == Documento::EsitoSalva::Annullato) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}

void TFormMain::Nuovo() {
    docUi_.cartellaIniziale = s_.settings.DIR_LAVORI;
    doc_.nuovo(docUi_);
    diagramma_->mostra();
    diagramma_->aggiorna();
}

void TFormMain::Apri() {
    docUi_.cartellaIniziale = s_.settings.DIR_LAVORI;
    if (doc_.apri(docUi_))
        aggiornaEditChart();
    diagramma_->mostra();
    diagramma_->aggiorna();
}

void TFormMain::apriFile(const std::string& path) {
    if (doc_.apriPercorso(docUi_, path))
        aggiornaEditChart();
    diagramma_->mostra();
    diagramma_->aggiorna();
}

void TFormMain::Salva() {
    docUi_.cartellaIniziale = s_.settings.DIR_LAVORI;
    doc_.salva(docUi_);
}

void TFormMain::SalvaConNome() {
    docUi_.cartellaIniziale = s_.settings.DIR_LAVORI;
    doc_.salvaConNome(docUi_);
}

void TFormMain::Descrizione() {
    TDlgIntestazionePag dialog(doc_.testata, doc_.lavoro, s_.settings.varie.EmulazioneDosInvio,
                               this);
    if (dialog.exec() == QDialog::Accepted)
        doc_.modificato = true;
}

void TFormMain::Stampa() {
    const std::string nome =
        doc_.testata.SenzaNome == 0 ? doc_.nome() + doc_.estensione() : std::string();
    TDlgStampa dialog(ContestoStampa{doc_.lavoro, doc_.testata, s_.settings.DIR_ARCHIVI,
                                     s_.settings.DIR_LAVORI, nome, monocromatico_,
                                     s_.settings.varie.EmulazioneDosInvio,
                                     [this] { doc_.modificato = true; }, &s_.settings.verifiche},
                      this);
    const std::uint8_t unita = doc_.testata.UmStampa;
    dialog.exec();
    // The sheet's flow unit is part of the work.
    if (doc_.testata.UmStampa != unita)
        doc_.modificato = true;
}

void TFormMain::GeneraChart() {
    const double pressione = doc_.lavoro.TestataChart.pressure;
    TFormBldChart dialog(s_.settings.varie.EmulazioneDosInvio, s_.defaults.NumChart,
                         diagramma_->areaVideo(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    diagramma_->mostra();
    RisultatoGenerazione r;
    {
        // The screen pass is drawn on the diagram as it is built.
        const std::unique_ptr<ChartCanvas> anteprima = diagramma_->anteprima();
        r = generaChart(dialog.parametri(), dialog.codice(), dialog.nuovo(), s_.settings.archivio(),
                        s_.defaults, s_.misura, diagramma_->areaVideo(), anteprima.get());
    }
    if (!r.esito.ok) {
        ui::informa(this, QStringLiteral("Genera Chart"), QString::fromStdString(r.esito.errore));
        return;
    }
    diagramma_->mostraChart(r.codice, 0);
    aggiornaEditChart();
    controllaPressione(pressione);
}

void TFormMain::SelezionaChart() {
    TFormSelectChart dialog(s_.settings.archivio(), this);
    if (dialog.exec() != QDialog::Accepted || dialog.codiceScelto() < 1)
        return;
    const double pressione = doc_.lavoro.TestataChart.pressure;
    diagramma_->mostraChart(dialog.codiceScelto(), diagramma_->codiceInUso());
    aggiornaEditChart();
    controllaPressione(pressione);
}

void TFormMain::controllaPressione(double calcolata) {
    TLavoro& l = doc_.lavoro;
    const double ora = l.TestataChart.pressure;
    const bool calcoli = l.TipoImpianto <= 5 ? l.NumPunti > 0 : l.NumTrattamenti > 0;
    if (!calcoli || calcolata <= 0 || std::fabs(ora - calcolata) < 0.5)
        return;
    // Every state, flow and power of the work holds at the pressure it was
    // calculated at: on this chart its points lie where other air would be.
    // Pascal as the chart catalogue writes them: whole, without grouping.
    const QString prima = QString::number(std::lround(calcolata));
    const QString dopo = QString::number(std::lround(ora));
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Diagramma psicrometrico"),
                    QStringLiteral("Il lavoro è stato calcolato alla pressione di %1 Pa; il "
                                   "diagramma scelto è a %2 Pa.\nI suoi punti, le portate e le "
                                   "potenze valgono alla pressione di prima.\n\nRicalcolare il "
                                   "lavoro alla pressione del nuovo diagramma?")
                        .arg(prima, dopo),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("boxPressione"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Ricalcola"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Lascia com'è"));
    box.setDefaultButton(QMessageBox::Yes);
    ui::adattaAlTitolo(box);
    if (box.exec() != QMessageBox::Yes) {
        statusBar()->showMessage(
            QStringLiteral("Attenzione: il lavoro è calcolato a %1 Pa, il diagramma è a %2 Pa.")
                .arg(prima, dopo));
        return;
    }
    statusBar()->clearMessage();
    // The engine is at the new chart's pressure since it was shown.
    if (l.TipoImpianto <= 5 && impianto_ && impianto_->isVisible()) {
        impianto_->RiprendiLavoro();
    } else {
        const EsitoRicalcolo r = ricalcolaLavoro(l, s_.settings.DIR_LAVORI);
        QStringList messaggi;
        for (const std::string& m : r.messaggi)
            messaggi << QString::fromStdString(m).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (l.TipoImpianto <= 5 && r.errori)
            messaggi << QString::fromStdString(MessaggioErrore(l));
        if (!r.file.ok)
            messaggi << QString::fromStdString(r.file.errore);
        if (!r.errori)
            doc_.salvaValido();
        if (!messaggi.isEmpty())
            ui::avverte(this, QStringLiteral("Diagramma psicrometrico"),
                        messaggi.join(QStringLiteral("\n\n")));
    }
    doc_.modificato = true;
    diagramma_->aggiorna();
    aggiornaFinestre();
}

void TFormMain::Calcolatrice() {
    // The results are not used: the work is not touched.
    TFormCalcolatriceAria::apri(this, 0, 25, 23, 0.01, 0.5, nullptr);
}

void TFormMain::SalvaDefault() {
    salvaDefault(doc_.testata, doc_.lavoro, s_.defaults);
    if (Esito e = s_.settings.archivio().salvaScelte(s_.defaults); !e.ok)
        ui::avverte(this, QStringLiteral("TARVELO"), QString::fromStdString(e.errore));
}

void TFormMain::Ridisegna() {
    if (Esito e = diagramma_->rigenera(); !e.ok)
        ui::avverte(this, QStringLiteral("Ridisegna"), QString::fromStdString(e.errore));
    aggiornaEditChart();
}

void TFormMain::Coordinate() {
    if (!display_) {
        display_ = new TFormDisplay(this);
        diagramma_->setDisplay(display_);
        display_->move(diagramma_->x() + diagramma_->width() - 230, diagramma_->y());
    }
    display_->show();
    display_->raise();
}

void TFormMain::Annulla() {
    doc_.ripristinaValido(docUi_);
    dopoAnnullaRipeti();
}

void TFormMain::Ripeti() {
    doc_.mostraNonValido(docUi_);
    dopoAnnullaRipeti();
}

void TFormMain::dopoAnnullaRipeti() {
    diagramma_->mostra();
    // The plant dialog follows a plant work only: a manual sequence has no
    // zone data and no handles of its own.
    if (impianto_) {
        if (doc_.lavoro.TipoImpianto <= 5)
            impianto_->RiprendiLavoro();
        else
            impianto_->hide();
    }
    diagramma_->aggiorna();
    aggiornaFinestre();
}

void TFormMain::Trattamento(int tag) {
    // The dialog makes the work a manual sequence itself, after taking the
    // copy that Cancel puts back: a plant work cancelled stays a plant work.
    ApriTrattamenti(tag);
    diagramma_->aggiorna();
}

bool TFormMain::ApriTrattamenti(int codice) {
    // The plant dialog gives way to the sequence's own, and goes: nothing
    // of it may act on the sequence afterwards.
    chiudiImpianto();
    ServiziTrattamenti servizi;
    servizi.ridisegna = [this] { diagramma_->aggiorna(); };
    servizi.aggiornaFinestre = [this] { aggiornaFinestre(); };
    servizi.mostraDettaglio = [this] { DettaglioCalcolo(); };
    servizi.mostraPunti = [this] { CondizioniPunti(); };
    servizi.salvaValido = [this] { doc_.salvaValido(); };
    servizi.scegliStato = [this](int modo, double tbs, double UR,
                                 double x) -> std::optional<StatoScelto> {
        StatoRiportato r;
        if (!TFormCalcolatriceAria::apri(dialogoTrattamenti_, modo, tbs, 0, x, UR, &r))
            return std::nullopt;
        return StatoScelto{r.tbs, r.UR, r.x};
    };
    servizi.scegliPunto = [this] { return ScegliPunto(doc_.lavoro, dialogoTrattamenti_); };
    servizi.limiti = &s_.settings.verifiche;
    servizi.evidenzia = [this](int punto) { diagramma_->evidenzia(punto); };
    TFormCalcUte dialogo(doc_.lavoro, s_.defaults.UmPortataDef,
                         s_.settings.varie.EmulazioneDosInvio, std::move(servizi), this);
    dialogoTrattamenti_ = &dialogo;
    dialogo.adjustSize();
    collocaDialogo(&dialogo);
    dialogo.apri(codice);
    dialogo.exec();
    dialogoTrattamenti_ = nullptr;
    const bool fine = dialogo.risultato() == 1;
    if (fine) {
        doc_.testata.CalcoliValidi = 1;
        doc_.modificato = true;
        revisione_->setEnabled(true);
    } else if (dialogo.cambiato()) {
        // Closed with its window's button: the changes stay, and saving
        // is offered for them.
        doc_.modificato = true;
    }
    diagramma_->aggiorna();
    aggiornaFinestre();
    return fine;
}

void TFormMain::Revisione() {
    if (doc_.lavoro.TipoImpianto != 6)
        ApriImpianto(true);
    else
        ApriTrattamenti(0);
    diagramma_->aggiorna();
}

void TFormMain::Impianto(int tag) {
    ApriImpianto(false, tag);
}

void TFormMain::ApriImpianto(bool revisione, int tipo) {
    if (!impianto_) {
        ServiziImpianto servizi;
        servizi.ridisegna = [this] { diagramma_->aggiorna(); };
        servizi.aggiornaFinestre = [this] { aggiornaFinestre(); };
        servizi.mostraDettaglio = [this] { DettaglioCalcolo(); };
        servizi.mostraPunti = [this] { CondizioniPunti(); };
        servizi.salvaValido = [this] { doc_.salvaValido(); };
        servizi.stato = [this](const std::string& m) { diagramma_->setAvviso(m); };
        servizi.scegliStato = [this](double tbs,
                                     double UR) -> std::optional<std::pair<double, double>> {
            StatoRiportato r;
            if (!TFormCalcolatriceAria::apri(impianto_, 0, tbs, 0, 0.01, UR, &r))
                return std::nullopt;
            return std::make_pair(r.tbs, r.UR);
        };
        servizi.cartellaLog = [this] { return s_.settings.DIR_LAVORI; };
        servizi.limiti = &s_.settings.verifiche;
        servizi.evidenzia = [this](int punto) { diagramma_->evidenzia(punto); };
        impianto_ =
            new TFormCalcAuto1(doc_.lavoro, doc_.testata, s_.defaults,
                               s_.settings.varie.EmulazioneDosInvio, std::move(servizi), this);
        connect(impianto_, &QDialog::finished, this, [this] {
            revisione_->setEnabled(doc_.testata.CalcoliValidi != 0);
            diagramma_->aggiorna();
        });
    }
    impianto_->Prepara(revisione, tipo);
    doc_.testata.CalcoliValidi = 1;
    doc_.modificato = true;
    revisione_->setEnabled(true);
    if (!impianto_->isVisible()) {
        impianto_->adjustSize();
        collocaDialogo(impianto_);
    }
    impianto_->show();
    impianto_->raise();
}

void TFormMain::chiudiImpianto() {
    if (!impianto_)
        return;
    impianto_->hide();
    // Deleted later: this may run inside one of the dialog's own handlers.
    impianto_->deleteLater();
    impianto_ = nullptr;
}

void TFormMain::collocaDialogo(QWidget* dialogo) {
    const QRect d = diagramma_->frameGeometry();
    const QRect schermo = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
    if (d.right() + dialogo->frameGeometry().width() <= schermo.right())
        dialogo->move(d.right() + 1, std::max(schermo.top(), d.top()));
    else
        dialogo->move(std::max(schermo.left(), d.left()), std::max(schermo.top(), d.top()));
}

void TFormMain::GalleriaTrattamenti() {
    palette_->show();
    palette_->raise();
}

void TFormMain::CondizioniPunti() {
    if (!tabellaPunti_) {
        tabellaPunti_ = new TFormCondizioniPunti(doc_.lavoro, this);
        // Under the treatment dialog when it is open, at the left edge.
        if (dialogoTrattamenti_)
            tabellaPunti_->move(0, dialogoTrattamenti_->frameGeometry().bottom() + 1);
        else
            tabellaPunti_->move(frameGeometry().right() + 1, y());
    }
    tabellaPunti_->AggiornaTabellaPunti();
    tabellaPunti_->show();
    tabellaPunti_->raise();
}

void TFormMain::DettaglioCalcolo() {
    dettaglio_->show();
    dettaglio_->raise();
}

void TFormMain::aggiornaFinestre() {
    if (tabellaPunti_)
        tabellaPunti_->AggiornaTabellaPunti();
    // The main window is a narrow strip: its status line holds only the
    // fact; the reason heads the detail, and is the line's tooltip.
    const QString avviso = QStringLiteral("RISULT.TXT non scritto");
    const std::string e = dettaglio_->AggiornaDettaglio(doc_.lavoro, s_.settings.DIR_LAVORI);
    if (!e.empty()) {
        // The detail comes forward the first time.
        if (statusBar()->currentMessage() != avviso)
            DettaglioCalcolo();
        statusBar()->showMessage(avviso);
        statusBar()->setToolTip(QString::fromStdString(e));
    } else if (statusBar()->currentMessage() == avviso) {
        statusBar()->clearMessage();
        statusBar()->setToolTip({});
    }
}

} // namespace tarvelo
