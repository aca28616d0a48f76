// The desktop program's windows driven as a user drives them, on the
// off-screen platform.
#include "app/forms/form_calcolatrice.h"
#include "app/forms/main_window.h"
#include "app/forms/splash_about.h"
#include "app/forms/window_layout.h"
#include "chart/chart_file.h"
#include "chart/forms/form_chart_dialogs.h"
#include "chart/forms/form_diagramma.h"
#include "chart/forms/form_display.h"
#include "chart/forms/frm_interpola.h"
#include "chart/initial_chart.h"
#include "document/work_file.h"
#include "engine/moist_air.h"
#include "gui_support.h"
#include "plants/forms/form_calc_auto1.h"
#include "print/forms/form_intestazione.h"
#include "treatments/forms/form_tool_trattamenti.h"
#include "treatments/forms/form_vedi_file.h"
#include "ui/masked_field.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

using namespace tarvelo;

namespace {

// Runs `act` on the next modal dialog that opens, from the event loop.
void sulProssimoDialogo(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

} // namespace

class GuiWindows : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<Sessione> s_;
    std::unique_ptr<TFormMain> main_;

    int prova_ = 0; // each test starts on a data folder of its own
    std::string dati() const {
        return dir_.path().toStdString() + "/" + std::to_string(prova_) + "/";
    }

    // Start-up as the program does it, on the data folder of the test.
    void avvia() {
        s_ = std::make_unique<Sessione>();
        s_->settings = TDriveMdl::crea(dati());
        bool creato = false;
        QVERIFY(assicuraChartIniziale(s_->settings, s_->misura, creato).ok);
        QVERIFY(s_->settings.archivio().leggiDefault(s_->defaults).ok);
        s_->documento = std::make_unique<Documento>(s_->settings, s_->defaults);
        s_->documento->inizializzaTestata("10/12/2026");
        main_ = std::make_unique<TFormMain>(*s_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_->diagramma()));
    }

    void riavvia() {
        main_.reset();
        s_.reset();
        avvia();
    }

    // Answers the next message box and returns its text through `testo`.
    static void rispondi(QString* testo, QMessageBox::StandardButton bottone = QMessageBox::Ok) {
        sulProssimoDialogo([testo, bottone](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            if (testo)
                *testo = box->text();
            if (QAbstractButton* b = box->button(bottone))
                b->click();
            else
                box->accept();
        });
    }

  private slots:
    void init() {
        Patm = 101325;
        ++prova_;
        std::filesystem::create_directories(dati());
        std::vector<std::string> created;
        QVERIFY(preparaCartellaDati(dati(), created).ok);
        avvia();
    }

    void cleanup() {
        s_->documento->modificato = false;
        main_.reset();
        s_.reset();
    }

    void startUpShowsTheDefaultChart() {
        QCOMPARE(main_->windowTitle(), QStringLiteral("TARVELO"));
        QVERIFY(main_->diagramma()->isVisible());
        QCOMPARE(main_->diagramma()->windowTitle(),
                 QStringLiteral("Diagramma psicrometrico: File: <senza nome>"));
        QVERIFY(main_->editChart()->text().startsWith(QStringLiteral("Diagramma standard")));
        QCOMPARE(s_->documento->lavoro.CodiceChart, 1);
        QVERIFY(!main_->azioneRevisione()->isEnabled());
        QCOMPARE(main_->diagramma()->statoTesto(), QStringLiteral("Ok"));
    }

    void readOutFollowsTheMouse() {
        main_->Coordinate();
        TFormDisplay* display = main_->coordinate();
        QVERIFY(display);
        TFormDiagramma* d = main_->diagramma();
        const VistaDiagramma& v = d->vista();
        const QPoint at(v.X(25.0), v.Y(0.0098816));
        QTest::mousePress(d->paintASHRAE(), Qt::LeftButton, Qt::NoModifier, at);
        // The program's Italian locale: a decimal comma.
        QCOMPARE(display->valore(0), QStringLiteral("25,0"));
        QCOMPARE(display->valore(2), QStringLiteral("9,9"));
        QCOMPARE(display->valore(4), QStringLiteral("50"));
        QCOMPARE(display->valore(6), QStringLiteral("1,165"));
        QVERIFY(std::abs(display->valore(3).toDouble() - 50310) < 100);
        QTest::mouseRelease(d->paintASHRAE(), Qt::LeftButton, Qt::NoModifier, at);
        std::ifstream trace("TestGrave.txt");
        std::string line;
        std::getline(trace, line);
        QCOMPARE(QString::fromStdString(line).trimmed(), QStringLiteral("X =%1").arg(at.x()));
        // Outside the field nothing changes.
        QTest::mousePress(d->paintASHRAE(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(v.X(25.0), v.Y(0.0) + 5));
        QCOMPARE(display->valore(0), QStringLiteral("25,0"));
        // Above saturation the values turn gray (hexadecimal 80 80 80).
        QTest::mousePress(d->paintASHRAE(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(v.X(10.0), v.Y(0.02)));
        QCOMPARE(display->colore(0), QColor(0x80, 0x80, 0x80));
        QCOMPARE(display->colore(10), QColor(Qt::white)); // Psat keeps its colour
    }

    void theReadOutReadsTheChartOnScreen() {
        // After a resize the chart is fitted to the window at once, and
        // painted a moment later: a press in between reads the picture the
        // user pointed at, not the new scale.
        main_->Coordinate();
        TFormDisplay* display = main_->coordinate();
        TFormDiagramma* d = main_->diagramma();
        d->paintASHRAE()->repaint();
        const VistaDiagramma prima = d->vista();
        const QPoint at(prima.X(25.0), prima.Y(0.0107));
        d->resize(d->width() + 300, d->height() + 200);
        QVERIFY(d->adatta());
        QVERIFY(d->vista().sx != prima.sx);
        d->PaintASHRAEMouseDown(Qt::LeftButton, at.x(), at.y());
        QCOMPARE(display->valore(0), QStringLiteral("25,0"));
        QCOMPARE(display->valore(2), QStringLiteral("10,7"));
        d->PaintASHRAEMouseUp(Qt::LeftButton, at.x(), at.y());
        // Once painted, the new scale is the one read.
        d->paintASHRAE()->repaint();
        const VistaDiagramma& dopo = d->vista();
        d->PaintASHRAEMouseDown(Qt::LeftButton, dopo.X(30.0), dopo.Y(0.012));
        QCOMPARE(display->valore(0), QStringLiteral("30,0"));
        d->PaintASHRAEMouseUp(Qt::LeftButton, dopo.X(30.0), dopo.Y(0.012));
    }

    void calculatorEdgeCases() {
        const double before = Patm;
        TFormCalcolatriceAria calc(0, 25, 23, 0.01, 0.5);
        QCOMPARE(calc.valore(2), QStringLiteral("9,9"));
        QCOMPARE(calc.valore(3), QStringLiteral("50,310"));
        QCOMPARE(calc.valore(1), QStringLiteral("17,9"));
        QCOMPARE(calc.valore(5), QStringLiteral("13,9"));
        QCOMPARE(calc.valore(6), QStringLiteral("1,165"));
        QCOMPARE(calc.valore(7), QStringLiteral("1,177"));
        QCOMPARE(calc.valore(8), QStringLiteral("0,858"));
        QCOMPARE(calc.valore(9), QStringLiteral("1585"));
        QCOMPARE(calc.valore(10), QStringLiteral("3169"));
        // Switching modes carries the values: back and forth, the same state.
        calc.radInputClick(2);
        calc.radInputClick(3);
        calc.radInputClick(0);
        QCOMPARE(calc.valore(2), QStringLiteral("9,9"));
        QCOMPARE(calc.valore(4), QStringLiteral("50"));
        // UR 0: x 0 and the dew point of dry air shown as it is.
        calc.fld2()->selectAll();
        QTest::keyClicks(calc.fld2(), QStringLiteral("0"));
        calc.BtnCalcolaClick();
        QCOMPARE(calc.valore(2), QStringLiteral("0,0"));
        QCOMPARE(calc.valore(5), QStringLiteral("-999,0"));
        // The altitude moves the pressure while open; Cancel puts it back.
        calc.frame()->trackBar()->setValue(2000); // 1000 m
        QCOMPARE(Patm, 89874.0);
        calc.reject();
        QCOMPARE(Patm, before);
    }

    void calculatorEnterAndImpossibleStates() {
        // Enter moves to the next field whatever the option says.
        s_->settings.varie.EmulazioneDosInvio = false;
        TFormCalcolatriceAria calc(3, 25, 20, 0.01, 0.5);
        calc.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calc));
        calc.fld1()->setFocus();
        QTest::keyClick(calc.fld1(), Qt::Key_Return);
        QVERIFY(calc.isVisible());
        QCOMPARE(calc.focusWidget(), calc.fld2());

        // 25 °C with 10 kJ/kg: no such air. The message in red, no values,
        // nothing to hand back.
        calc.fld2()->selectAll();
        QTest::keyClicks(calc.fld2(), QStringLiteral("10"));
        calc.BtnCalcolaClick();
        QVERIFY2(calc.messaggio().contains(QStringLiteral("Stato impossibile")),
                 qPrintable(calc.messaggio()));
        for (int i = 0; i < 11; ++i)
            QVERIFY(calc.valore(i).isEmpty());
        QVERIFY(!calc.okBtn()->isEnabled());
        calc.accept();
        QVERIFY(calc.isVisible());
        // Supersaturated air (wet bulb above dry bulb) keeps its values,
        // with the warning beside them.
        calc.radInputClick(1);
        calc.fld1()->setText(QStringLiteral("20"));
        calc.fld2()->setText(QStringLiteral("25"));
        calc.BtnCalcolaClick();
        QVERIFY2(calc.messaggio().contains(QStringLiteral("Aria soprassatura")),
                 qPrintable(calc.messaggio()));
        QVERIFY(!calc.valore(2).isEmpty());
        QVERIFY(calc.okBtn()->isEnabled());
        // A plain state clears the message.
        calc.fld2()->setText(QStringLiteral("15"));
        calc.BtnCalcolaClick();
        QVERIFY(calc.messaggio().isEmpty());
        // "Riporta" takes the fields as they stand, not the last "Calcola".
        calc.fld2()->setText(QStringLiteral("-50"));
        calc.accept();
        QVERIFY(calc.isVisible());
        QVERIFY(!calc.messaggio().isEmpty());
        calc.reject();
    }

    void altitudeFrame() {
        TFrmInterpola f;
        f.impostaPressione(101325);
        QCOMPARE(f.altitudine(), 0);
        QCOMPARE(f.trackBar()->value(), 3000);
        QCOMPARE(f.pressione(), 101325.0);
        f.impostaPressione(50000);
        QCOMPARE(f.altitudine(), 3500); // the track bar stops at its top
        QCOMPARE(f.pressione(), 65874.0);
        f.campoAltitudine()->selectAll();
        QTest::keyClicks(f.campoAltitudine(), QStringLiteral("1500"));
        QCOMPARE(f.pressione(), 84684.5); // a typed altitude takes effect at once
        QVERIFY(f.avviso().isEmpty());
        // An altitude the track bar cannot take is refused, digits typed on
        // the way included; when the typing ends the field shows the one in use.
        for (const char* fuori : {"-600", "20000", "3501"}) {
            f.campoAltitudine()->selectAll();
            QTest::keyClicks(f.campoAltitudine(), QString::fromUtf8(fuori));
            QCOMPARE(f.avviso(), QString::fromUtf8(MsgAltitudineFuoriCampo));
            QCOMPARE(f.altitudine(), 1500);
            QCOMPARE(f.pressione(), 84684.5);
            QTest::keyClick(f.campoAltitudine(), Qt::Key_Return);
            QCOMPARE(f.campoAltitudine()->text(), QStringLiteral("1500"));
        }
        f.campoAltitudine()->selectAll();
        QTest::keyClicks(f.campoAltitudine(), QStringLiteral("-500"));
        QCOMPARE(f.pressione(), 107478.0);
        QVERIFY(f.avviso().isEmpty());
    }

    // The command line beside the window, on the same data folder.
    QStringList perLoScript(const QStringList& argomenti) const {
        return QStringList{QStringLiteral("--dati"), QString::fromStdString(dati())} + argomenti;
    }

    void theWindowsSaveAndAScriptsSaveOfOneWorkTakeTurns() {
        const std::string comune = dati() + "lavori/comune.TRV";
        const QStringList argomenti =
            perLoScript({QStringLiteral("impianto"), QStringLiteral("F"),
                         QStringLiteral("--cartella"), QString::fromStdString(dati() + "lavori"),
                         QStringLiteral("--salva"), QString::fromStdString(comune)});
        auto leggi = [&comune] {
            std::vector<std::uint8_t> b;
            readAll(comune, b);
            return b;
        };
        // Each one's work, saved alone.
        QProcess script;
        script.start(QStringLiteral(TARVELO_BIN), argomenti);
        QVERIFY(script.waitForFinished(20000) && script.exitCode() == 0);
        const auto delloScript = leggi();
        s_->documento->lavoro.Descrizione.assegna("dalla finestra");
        QVERIFY(s_->documento->salvaCome(comune).ok);
        const auto dellaFinestra = leggi();
        QVERIFY(delloScript != dellaFinestra);
        // Then at once, the window's save at a different moment of the
        // script's run each time: both succeed, and the file is one of the
        // two works, whole.
        for (int prova = 0; prova < 20; ++prova) {
            script.start(QStringLiteral(TARVELO_BIN), argomenti);
            QVERIFY(script.waitForStarted());
            std::this_thread::sleep_for(std::chrono::milliseconds(prova * 2));
            s_->documento->modificato = true;
            main_->Salva();
            QVERIFY(!s_->documento->modificato);
            QVERIFY(script.waitForFinished(20000));
            QCOMPARE(script.exitCode(), 0);
            const auto letto = leggi();
            QVERIFY2(letto == dellaFinestra || letto == delloScript,
                     qPrintable(QString::number(prova)));
        }
    }

    void aChartMadeInTheWindowWhileAScriptMakesOneBothStay() {
        for (int prova = 0; prova < 5; ++prova) {
            QProcess script;
            script.start(QStringLiteral(TARVELO_BIN),
                         perLoScript({QStringLiteral("chart"), QStringLiteral("genera"),
                                      QStringLiteral("--tbs-min"), QStringLiteral("0"),
                                      QStringLiteral("--tbs-max"), QStringLiteral("30"),
                                      QStringLiteral("--x-max"), QStringLiteral("20")}));
            QVERIFY(script.waitForStarted());
            sulProssimoDialogo([](QWidget* w) {
                auto* dialog = dynamic_cast<TFormBldChart*>(w);
                QVERIFY(dialog);
                dialog->memo()->setPlainText(QStringLiteral("Dalla finestra"));
                dialog->accept();
            });
            main_->GeneraChart();
            QVERIFY(script.waitForFinished(20000));
            QCOMPARE(script.exitCode(), 0);
            const int delloScript = script.readAllStandardOutput().trimmed().toInt();
            const int dellaFinestra = s_->documento->lavoro.CodiceChart;
            QVERIFY(delloScript > 1 && dellaFinestra > 1);
            QVERIFY(delloScript != dellaFinestra);
        }
        // Every chart made is in the archive, its header matching its file.
        TDefault d;
        QVERIFY(s_->settings.archivio().leggiDefault(d).ok);
        QCOMPARE(d.NumChart, 11);
        for (int codice = 1; codice <= 11; ++codice) {
            TTestataChart h;
            QVERIFY(s_->settings.archivio().leggiTestataChart(codice, h).ok);
            QVERIFY(verificaIntestazione(h, VersioneVideo).ok);
        }
        // "Salva default" after the script's charts keeps them counted.
        main_->SalvaDefault();
        QVERIFY(s_->settings.archivio().leggiDefault(d).ok);
        QCOMPARE(d.NumChart, 11);
    }

    void generatingAChartFromTheDialogShowsIt() {
        sulProssimoDialogo([](QWidget* w) {
            auto* dialog = dynamic_cast<TFormBldChart*>(w);
            QVERIFY(dialog);
            dialog->fldTbsMin()->selectAll();
            QTest::keyClicks(dialog->fldTbsMin(), QStringLiteral("10"));
            dialog->fldTbsMax()->selectAll();
            QTest::keyClicks(dialog->fldTbsMax(), QStringLiteral("30"));
            dialog->fldWmax()->selectAll();
            QTest::keyClicks(dialog->fldWmax(), QStringLiteral("15"));
            dialog->memo()->setPlainText(QStringLiteral("Stretto\nper la stampa"));
            dialog->accept();
        });
        main_->GeneraChart();
        QCOMPARE(s_->documento->lavoro.CodiceChart, 2);
        QCOMPARE(main_->editChart()->text(), QStringLiteral("Stretto"));
        TDefault d;
        QVERIFY(s_->settings.archivio().leggiDefault(d).ok);
        QCOMPARE(d.NumChart, 2);
        QCOMPARE(main_->diagramma()->vista().tbsMin, 10);

        // "Salva default" keeps the new chart: after a restart it is listed
        // and shown.
        main_->SalvaDefault();
        riavvia();
        QCOMPARE(s_->documento->lavoro.CodiceChart, 2);
        QCOMPARE(main_->editChart()->text(), QStringLiteral("Stretto"));
        QCOMPARE(TFormSelectChart(s_->settings.archivio()).lista()->count(), 2);
        QCOMPARE(s_->defaults.NumChart, 2);
    }

    void theGenerationDialogKeepsWhatWasTypedUntilItMakesAChart() {
        // Each refusal leaves the dialog open with the values; the table:
        // what is typed, and words of the message.
        struct Caso {
            const char *memo, *tbsMin, *tbsMax, *xMax, *codice, *parole;
        };
        const Caso casi[] = {
            {nullptr, "-5", "36", "26", nullptr, "titolo del diagramma"},
            {"", "-5", "36", "26", nullptr, "titolo del diagramma"},
            {"Prova", "30", "10", "26", nullptr, "inferiore alla massima"},
            {"Prova", "-5", "36", "0", nullptr, "x massima"},
            {"Prova", "-5", "", "26", nullptr, "tbs-Max"},
            {"Prova", "-5", "36", "26", "", "Il codice non esiste"},
            {"Prova", "-5", "36", "26", "7", "Il codice non esiste"},
        };
        int visti = 0;
        sulProssimoDialogo([&casi, &visti](QWidget* w) {
            auto* dialog = dynamic_cast<TFormBldChart*>(w);
            QVERIFY(dialog);
            for (const Caso& c : casi) {
                if (c.memo)
                    dialog->memo()->setPlainText(QString::fromUtf8(c.memo));
                const std::pair<ui::CampoMaschera*, const char*> campi[3] = {
                    {dialog->fldTbsMin(), c.tbsMin},
                    {dialog->fldTbsMax(), c.tbsMax},
                    {dialog->fldWmax(), c.xMax}};
                for (const auto& [campo, testo] : campi) {
                    campo->selectAll();
                    campo->del();
                    QTest::keyClicks(campo, QString::fromUtf8(testo));
                }
                if (c.codice) {
                    for (QRadioButton* r : dialog->findChildren<QRadioButton*>())
                        if (r->text() == QStringLiteral("sovrascrivi esistente"))
                            r->click();
                    dialog->fldCodice()->clear();
                    QTest::keyClicks(dialog->fldCodice(), QString::fromUtf8(c.codice));
                }
                QString messaggio;
                rispondi(&messaggio);
                dialog->accept();
                if (!messaggio.contains(QString::fromUtf8(c.parole)) || !dialog->isVisible()) {
                    qWarning() << "case" << visti << messaggio;
                    dialog->reject();
                    return;
                }
                QCOMPARE(dialog->fldTbsMin()->text(), QString::fromUtf8(c.tbsMin));
                ++visti;
            }
            dialog->reject();
        });
        main_->GeneraChart();
        QCOMPARE(visti, static_cast<int>(std::size(casi)));
        QCOMPARE(s_->defaults.NumChart, 1); // nothing generated
    }

    void aChartThatCannotBeLoadedIsReportedAndStaysNamed() {
        TFormDiagramma* d = main_->diagramma();
        QString messaggio;
        rispondi(&messaggio);
        d->mostraChart(9, 1); // no such chart
        QVERIFY(messaggio.contains(QStringLiteral("009")));
        QCOMPARE(s_->documento->lavoro.CodiceChart, 1); // the chart in use stays
        d->paintASHRAE()->repaint();
        QCOMPARE(d->statoTesto(), messaggio);
        QCOMPARE(d->statoColore(), QColor(Qt::red));
        // The next chart that loads clears it.
        d->mostraChart(1, 0);
        d->paintASHRAE()->repaint();
        QCOMPARE(d->statoTesto(), QStringLiteral("Ok"));
    }

    void crosshairAndActivation() {
        TFormDiagramma* d = main_->diagramma();
        const VistaDiagramma& v = d->vista();
        const int X = v.X(20), Y = v.Y(0.008);
        d->PaintASHRAEMouseDown(Qt::LeftButton, X, Y);
        d->PaintASHRAEMouseMove(Qt::LeftButton, Qt::NoModifier, X + 10, Y);
        QCOMPARE(d->croce(), QPoint(X + 10, Y));
        d->PaintASHRAEMouseUp(Qt::LeftButton, X, v.Y(0) + 5); // released outside
        QCOMPARE(d->croce(), QPoint(X + 10, Y));
        d->PaintASHRAEMouseDown(Qt::LeftButton, X, Y); // erases the one left over
        QCOMPARE(d->croce(), QPoint(-1, -1));
        d->PaintASHRAEMouseUp(Qt::LeftButton, X, Y);

        // The first activation brings the read-out to the front, later ones
        // do not.
        TFormDiagramma nuovo(*s_->documento, s_->settings, s_->misura);
        TFormDisplay display;
        nuovo.setDisplay(&display);
        nuovo.FormActivate();
        QVERIFY(display.isVisible());
        display.hide();
        nuovo.FormActivate();
        QVERIFY(!display.isVisible());
    }

    void windowArrangementByScreenWidth() {
        FinestreAperte f;
        f.main = {0, 0, 270, 160};
        f.diagramma = {50, 50, 1000, 760};
        f.coordinate = Rettangolo{900, 40, 230, 300};
        f.schermoH = 1024;
        struct Caso {
            int schermoW;
            std::optional<Rettangolo> palette;
            Rettangolo diagramma, coordinate;
            std::optional<Rettangolo> paletteAttesa;
        };
        const Caso casi[] = {
            {800, std::nullopt, {0, 160, 1000, 864}, {0, 180, 230, 300}, std::nullopt},
            {640, std::nullopt, {0, 160, 1000, 864}, {0, 160, 230, 281}, std::nullopt},
            {1280, std::nullopt, {0, 160, 1000, 864}, {0, 180, 230, 270}, std::nullopt},
            {1280,
             Rettangolo{5, 5, 600, 100},
             {0, 260, 1000, 764},
             {0, 280, 230, 270},
             Rettangolo{0, 160, 1000, 100}},
            {800,
             Rettangolo{5, 5, 600, 100},
             {0, 160, 1000, 864},
             {0, 180, 230, 300},
             Rettangolo{270, 0, 600, 100}},
        };
        for (const Caso& c : casi) {
            f.schermoW = c.schermoW;
            f.palette = c.palette;
            const Disposizione d = disponiFinestre(f);
            QCOMPARE(d.diagramma, c.diagramma);
            QCOMPARE(*d.coordinate, c.coordinate);
            QCOMPARE(d.palette, c.paletteAttesa);
            QVERIFY(!d.tabellaPunti && !d.dettaglio);
        }
        // With the points table and the detail: beside the main window and
        // beside the palette on a wide screen, cascaded on a small one.
        f.palette = Rettangolo{5, 5, 600, 100};
        f.tabellaPunti = Rettangolo{0, 0, 500, 200};
        f.dettaglio = Rettangolo{0, 0, 260, 400};
        f.schermoW = 1280;
        Disposizione d = disponiFinestre(f);
        QCOMPARE(*d.tabellaPunti, (Rettangolo{270, 0, 1010, 160}));
        QCOMPARE(*d.dettaglio, (Rettangolo{1000, 160, 280, 864}));
        f.schermoW = 640;
        d = disponiFinestre(f);
        QCOMPARE(*d.tabellaPunti, (Rettangolo{100, 100, 500, 200}));
        QCOMPARE(*d.dettaglio, (Rettangolo{50, 50, 590, 974}));
        f.schermoW = 800;
        f.diagramma.width = 600;
        d = disponiFinestre(f);
        QCOMPARE(*d.tabellaPunti, (Rettangolo{0, 180, 500, 200}));
        QCOMPARE(*d.coordinate, (Rettangolo{0, 380, 230, 300}));
        QCOMPARE(*d.dettaglio, (Rettangolo{600, 100, 200, 924}));
    }

    void theDiagramFitsItsWindow() {
        TFormDiagramma* d = main_->diagramma();
        const std::string file = s_->settings.DIR_ARCHIVI + chartFileName(1);
        const auto leggi = [](const std::string& f) {
            std::ifstream in(f, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        const std::string prima = leggi(file);
        auto adatto = [&d] {
            const VistaDiagramma& v = d->vista();
            const AreaVideo a = d->areaVideo();
            // The field as wide as the area allows (within a degree) and as
            // tall, with no scroll bar, and the chart drawn in it.
            const QImage chart = d->immagineChart();
            return v.W + 35 > a.width - v.sx && v.W + 35 <= a.width + 2 && v.y0 + 25 == a.height &&
                   d->paintASHRAE()->size() == QSize(a.width, a.height) && !chart.isNull() &&
                   chart.pixelColor(v.X(20), v.Y(0.005)) != QColor(Qt::white) &&
                   chart.pixelColor(v.X(20), v.Y(0.0)) != QColor(Qt::white);
        };
        QTRY_VERIFY(adatto());
        // Smaller: scroll bars until the resize settles, then the chart fits.
        d->resize(700, 500);
        QCoreApplication::processEvents();
        QVERIFY(d->paintASHRAE()->width() > d->areaVideo().width);
        QTRY_VERIFY(adatto());
        QCOMPARE(d->paintASHRAE()->width(), d->areaVideo().width);
        // Larger: the read-out and the points follow the new scale.
        const int sxPrima = d->vista().sx;
        d->resize(1500, 1000);
        QTRY_VERIFY(adatto());
        QVERIFY(d->vista().sx > sxPrima);
        main_->Coordinate();
        d->paintASHRAE()->repaint(); // the new scale on screen
        const QPoint at(d->vista().X(25.0), d->vista().Y(0.0098816));
        QTest::mousePress(d->paintASHRAE(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(main_->coordinate()->valore(0), QStringLiteral("25,0"));
        QCOMPARE(main_->coordinate()->valore(2), QStringLiteral("9,9"));
        QTest::mouseRelease(d->paintASHRAE(), Qt::LeftButton, Qt::NoModifier, at);
        // The chart file is rewritten only by "Ridisegna".
        QCOMPARE(leggi(file), prima);
        main_->Ridisegna();
        QVERIFY(leggi(file) != prima);
        QVERIFY(adatto());
        // After a restart at another size the chart still fits.
        riavvia();
        d = main_->diagramma();
        QTRY_VERIFY(adatto());
    }

    void aClosedDiagramComesBackWithTheCommandsThatShowIt() {
        TFormDiagramma* d = main_->diagramma();
        const std::pair<const char*, std::function<void()>> comandi[] = {
            {"Ridisegna", [this] { main_->Ridisegna(); }},
            {"Nuovo", [this] { main_->Nuovo(); }},
            {"Annulla", [this] { main_->Annulla(); }},
            {"F&inestra",
             [this] {
                 for (QAction* a : main_->findChildren<QAction*>())
                     if (a->text() == QStringLiteral("Diagramma psicrometrico"))
                         a->trigger();
             }},
        };
        for (const auto& [nome, comando] : comandi) {
            d->close();
            QVERIFY(!d->isVisible());
            comando();
            QVERIFY2(d->isVisible(), nome);
        }
    }

    void statusBarsShowALineOfText() {
        for (QStatusBar* bar : {main_->diagramma()->findChild<QStatusBar*>(), main_->statusBar()}) {
            QVERIFY(bar);
            QVERIFY2(bar->height() >= bar->fontMetrics().height() + 4,
                     qPrintable(QString::number(bar->height())));
        }
    }

    void shortcutsAndTheSplash() {
        Documento& doc = *s_->documento;
        doc.lavoro.NumPunti = 2;
        doc.salvaValido();
        doc.lavoro.NumPunti = 5;
        QApplication::setActiveWindow(main_->diagramma());
        QVERIFY(QTest::qWaitForWindowActive(main_->diagramma()));
        QTest::keyClick(main_->diagramma(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(doc.lavoro.NumPunti, 2);
        QTest::keyClick(main_->diagramma(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(doc.lavoro.NumPunti, 5);
        QStringList tasti;
        for (QAction* a : main_->findChildren<QAction*>())
            if (!a->shortcut().isEmpty())
                tasti << a->text() + QLatin1Char('=') + a->shortcut().toString();
        for (const char* atteso : {"Nuovo=Ctrl+N", "Apri=Ctrl+O", "Salva=Ctrl+S",
                                   "Salva con nome ...=Ctrl+Shift+S", "Aiuto=F1"})
            QVERIFY2(tasti.contains(QString::fromUtf8(atteso)), qPrintable(tasti.join(' ')));

        TFormSplash splash(nullptr, 60000);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QTest::keyClick(&splash, Qt::Key_Space);
        QVERIFY(!splash.isVisible());
    }

    void theSaveQuestionCanCancelTheCommand() {
        Documento& doc = *s_->documento;
        doc.lavoro.NumTrattamenti = 2;
        doc.modificato = true;
        QStringList bottoni;
        sulProssimoDialogo([&bottoni](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            for (QAbstractButton* b : box->buttons())
                bottoni << b->text();
            box->button(QMessageBox::Cancel)->click();
        });
        main_->Nuovo();
        bottoni.sort();
        QCOMPARE(bottoni, (QStringList{QStringLiteral("Annulla"), QStringLiteral("No"),
                                       QStringLiteral("Sì")}));
        QCOMPARE(doc.lavoro.NumTrattamenti, 2);
        QVERIFY(doc.modificato);
        // "Esci" too stays.
        rispondi(nullptr, QMessageBox::Cancel);
        main_->close();
        QVERIFY(main_->isVisible());
    }

    void salvaConNomeGivesTheWorkItsNewName() {
        QAction* azione = nullptr;
        for (QAction* a : main_->findChildren<QAction*>())
            if (a->text() == QStringLiteral("Salva con nome ..."))
                azione = a;
        QVERIFY(azione && azione->isVisible());
        const QString percorso = QString::fromStdString(dati() + "lavori/copia.TRV");
        sulProssimoDialogo([percorso](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            auto* nome = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(nome);
            nome->setText(percorso);
            QTest::keyClick(nome, Qt::Key_Return);
        });
        azione->trigger();
        QVERIFY(QFile::exists(percorso));
        QCOMPARE(main_->diagramma()->windowTitle(),
                 QStringLiteral("Diagramma psicrometrico: File: copia"));
        QCOMPARE(s_->documento->testata.SenzaNome, 0);
    }

    void everyControlHasAnAccessibleName() {
        main_->Coordinate();
        TFormCalcolatriceAria calc(0, 25, 23, 0.01, 0.5);
        TFormBldChart genera(true, 1, AreaVideo{});
        TFormSelectChart seleziona(s_->settings.archivio());
        TDlgIntestazionePag intestazione(s_->documento->testata, s_->documento->lavoro, true);
        TFormInfo info;
        for (QWidget* w :
             std::initializer_list<QWidget*>{main_.get(), main_->diagramma(), main_->coordinate(),
                                             &calc, &genera, &seleziona, &intestazione, &info}) {
            const QStringList mancanti = test::senzaNome(w);
            QVERIFY2(mancanti.isEmpty(),
                     qPrintable(w->objectName() + QStringLiteral(": ") + mancanti.join(' ')));
        }
        // The about box names this build's version beside the classic line.
        const QString versione = info.findChild<QLabel*>(QStringLiteral("LabelVersione"))->text();
        QVERIFY(versione.startsWith(QString::fromUtf8(RigaVersione)));
        QVERIFY(versione.endsWith(QStringLiteral("versione " TARVELO_VERSION)));
    }

    void openingOlderAndUnrecognisedFiles() {
        // An older-layout work: the current layout less the 16 bytes at 408.
        TTestataLavoro h;
        h.Firma.assegna("TRV~201");
        TLavoro l;
        l.NumPunti = 3;
        l.tbsInt = 26;
        l.CodiceChart = 1;
        std::vector<std::uint8_t> bytes(TTestataLavoro::Size + TLavoro::Size);
        encode(h, bytes::Image(bytes).subspan(0, TTestataLavoro::Size));
        encode(l, bytes::Image(bytes).subspan(TTestataLavoro::Size, TLavoro::Size));
        bytes.erase(bytes.begin() + 2098 + 408, bytes.begin() + 2098 + 424);
        const std::string old = dati() + "vecchio.TRV";
        std::ofstream(old, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
        main_->apriFile(old);
        QCOMPARE(s_->documento->lavoro.NumPunti, 3);
        QCOMPARE(s_->documento->lavoro.tbsInt, 26.0);
        QCOMPARE(s_->documento->testata.Firma.testo(), std::string("TRV~202"));
        QCOMPARE(main_->diagramma()->windowTitle(),
                 QStringLiteral("Diagramma psicrometrico: File: vecchio"));

        // A plant work opens in its dialog for review, recalculated (and so
        // marked as modified).
        QVERIFY(main_->dialogoImpianto() && main_->dialogoImpianto()->isVisible());
        QVERIFY(s_->documento->modificato);
        s_->documento->modificato = false;

        const std::string foreign = dati() + "foto.TRV";
        std::ofstream(foreign) << "not a work file";
        QString message;
        sulProssimoDialogo([&message](QWidget* box) {
            message = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->accept();
        });
        main_->apriFile(foreign);
        QVERIFY(message.contains(QStringLiteral("non è riconosciuto!")));
        QCOMPARE(s_->documento->lavoro.NumPunti, 3); // the work stays

        // Values no chart can show are refused with the place they are in,
        // as the commands that print or calculate refuse them.
        for (const double cattivo : {std::nan(""), 1e300, -HUGE_VAL}) {
            TLavoro sequenza;
            sequenza.TipoImpianto = 6;
            sequenza.CodiceChart = 1;
            sequenza.NumPunti = 2;
            sequenza.Punti[0].InUso = sequenza.Punti[1].InUso = 1;
            sequenza.Punti[1].tbs = cattivo;
            const std::string rotto = dati() + "rotto.TRV";
            QVERIFY(scriviFileLavoro(rotto, s_->documento->testata, sequenza).ok);
            message.clear();
            sulProssimoDialogo([&message](QWidget* box) {
                message = qobject_cast<QMessageBox*>(box)->text();
                qobject_cast<QMessageBox*>(box)->accept();
            });
            main_->apriFile(rotto);
            QVERIFY2(message.contains(QStringLiteral("non è stato aperto")), qPrintable(message));
            QVERIFY2(message.contains(QStringLiteral("punto 2, tbs")), qPrintable(message));
            QCOMPARE(s_->documento->lavoro.NumPunti, 3);
        }
    }

    void aWorkNamedAtStartUpOpensOnceTheWindowsArePlaced() {
        // A manual sequence saved, then the program started with it.
        TLavoro l;
        l.TipoImpianto = 6;
        l.CodiceChart = 1;
        l.NumTrattamenti = 1;
        l.NumPunti = 2;
        l.Trattamenti[0].Tipo = 3;
        l.Trattamenti[0].Punto1 = 1;
        l.Trattamenti[0].Punto2 = 2;
        l.Trattamenti[0].Dati.Collega = {-1, -1, -1};
        l.Trattamenti[0].Dati.PuntoPortata = -1;
        const std::string lavoro = dati() + "avvio.TRV";
        QVERIFY(scriviFileLavoro(lavoro, s_->documento->testata, l).ok);
        main_.reset();
        s_.reset();
        s_ = std::make_unique<Sessione>();
        s_->settings = TDriveMdl::crea(dati());
        QVERIFY(s_->settings.archivio().leggiDefault(s_->defaults).ok);
        s_->documento = std::make_unique<Documento>(s_->settings, s_->defaults);
        s_->documento->inizializzaTestata("10/12/2026");
        main_ = std::make_unique<TFormMain>(*s_);
        main_->show();
        bool paletteVisibile = false, dettaglioVisibile = false, aperto = false;
        QRect dialogo;
        sulProssimoDialogo([&](QWidget* w) {
            aperto = true;
            paletteVisibile = main_->palette()->isVisible();
            dettaglioVisibile = main_->dettaglio()->isVisible();
            dialogo = w->frameGeometry();
            static_cast<QDialog*>(w)->reject();
        });
        main_->apriAllAvvio(lavoro);
        QTRY_VERIFY_WITH_TIMEOUT(aperto, 5000);
        QVERIFY(paletteVisibile);
        QVERIFY(dettaglioVisibile);
        // Where "Revisione" places it: beside the diagram as it now stands,
        // or over its left edge when the screen has no room beside it.
        const QRect d = main_->diagramma()->frameGeometry();
        QVERIFY2(dialogo.left() == d.right() + 1 || dialogo.left() == d.left(),
                 qPrintable(
                     QStringLiteral("%1 %2 %3").arg(dialogo.left()).arg(d.left()).arg(d.right())));
    }

    void selectingAChartShowsItsDetails() {
        TFormSelectChart dialog(s_->settings.archivio());
        QVERIFY(dialog.lista()->count() >= 1);
        QVERIFY(
            dialog.lista()->item(0)->text().startsWith(QStringLiteral("001  Diagramma standard")));
        QCOMPARE(dialog.codiceScelto(), 0); // no row: taken as a cancel
        dialog.lista()->setCurrentRow(0);
        QCOMPARE(dialog.testoTbs(), QStringLiteral("-05 ... +36"));
        QCOMPARE(dialog.testoX(), QStringLiteral("0 ... 26"));
        QCOMPARE(dialog.testoPatm(), QStringLiteral("101325,00"));
        QCOMPARE(dialog.codiceScelto(), 1);
    }

    void undoAndRedo() {
        Documento& doc = *s_->documento;
        doc.lavoro.NumPunti = 2;
        doc.salvaValido();
        doc.lavoro.NumPunti = 5;
        main_->Annulla();
        QCOMPARE(doc.lavoro.NumPunti, 2);
        main_->Ripeti();
        QCOMPARE(doc.lavoro.NumPunti, 5);
    }
};

int main(int argc, char** argv) {
    return tarvelo::test::eseguiTestGui<GuiWindows>(argc, argv);
}

#include "gui_windows_test.moc"
