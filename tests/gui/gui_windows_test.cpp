// The desktop program's windows driven as a user drives them, on the
// off-screen platform.
#include "app/forms/form_calcolatrice.h"
#include "app/forms/frm_interpola.h"
#include "app/forms/main_window.h"
#include "chart/forms/form_chart_dialogs.h"
#include "chart/forms/form_diagramma.h"
#include "chart/forms/form_display.h"
#include "chart/initial_chart.h"
#include "engine/moist_air.h"
#include "ui/masked_field.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>

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

    std::string dati() const { return dir_.path().toStdString() + "/"; }

  private slots:
    void init() {
        Patm = 101325;
        std::vector<std::string> created;
        QVERIFY(preparaCartellaDati(dati(), created).ok);
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
        QCOMPARE(display->valore(0), QStringLiteral("25.0"));
        QCOMPARE(display->valore(2), QStringLiteral("9.9"));
        QCOMPARE(display->valore(4), QStringLiteral("50"));
        QVERIFY(std::abs(display->valore(3).toDouble() - 50310) < 100);
        QTest::mouseRelease(d->paintASHRAE(), Qt::LeftButton, Qt::NoModifier, at);
        std::ifstream trace("TestGrave.txt");
        std::string line;
        std::getline(trace, line);
        QCOMPARE(QString::fromStdString(line).trimmed(), QStringLiteral("X =%1").arg(at.x()));
        // Outside the field nothing changes.
        QTest::mousePress(d->paintASHRAE(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(v.X(25.0), v.Y(0.0) + 5));
        QCOMPARE(display->valore(0), QStringLiteral("25.0"));
    }

    void calculatorEdgeCases() {
        const double before = Patm;
        TFormCalcolatriceAria calc(0, 25, 23, 0.01, 0.5, true);
        QCOMPARE(calc.valore(2), QStringLiteral("9.9"));
        QCOMPARE(calc.valore(3), QStringLiteral("50.310"));
        QCOMPARE(calc.valore(1), QStringLiteral("17.9"));
        QCOMPARE(calc.valore(5), QStringLiteral("13.9"));
        QCOMPARE(calc.valore(6), QStringLiteral("1.165"));
        QCOMPARE(calc.valore(7), QStringLiteral("1.177"));
        QCOMPARE(calc.valore(8), QStringLiteral("0.858"));
        QCOMPARE(calc.valore(9), QStringLiteral("1585"));
        QCOMPARE(calc.valore(10), QStringLiteral("3169"));
        // Switching modes carries the values: back and forth, the same state.
        calc.radInputClick(2);
        calc.radInputClick(3);
        calc.radInputClick(0);
        QCOMPARE(calc.valore(2), QStringLiteral("9.9"));
        QCOMPARE(calc.valore(4), QStringLiteral("50"));
        // UR 0: x 0 and the dew point of dry air shown as it is.
        calc.fld2()->selectAll();
        QTest::keyClicks(calc.fld2(), QStringLiteral("0"));
        calc.BtnCalcolaClick();
        QCOMPARE(calc.valore(2), QStringLiteral("0.0"));
        QCOMPARE(calc.valore(5), QStringLiteral("-999.0"));
        // The altitude moves the pressure while open; Cancel puts it back.
        calc.frame()->trackBar()->setValue(2000); // 1000 m
        QCOMPARE(Patm, 89874.0);
        calc.reject();
        QCOMPARE(Patm, before);
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
        QTest::keyClicks(f.campoAltitudine(), QStringLiteral("-600"));
        QCOMPARE(f.altitudine(), -500);
        QCOMPARE(f.pressione(), 107478.0);
        f.campoAltitudine()->selectAll();
        QTest::keyClicks(f.campoAltitudine(), QStringLiteral("1500"));
        QCOMPARE(f.pressione(), 84684.5); // a typed altitude takes effect at once
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

        // Entering the code field switches to "sovrascrivi esistente";
        // an unknown code is refused with the Part's message.
        QString message;
        sulProssimoDialogo([&message](QWidget* w) {
            auto* dialog = dynamic_cast<TFormBldChart*>(w);
            dialog->fldCodice()->setFocus();
            QTest::keyClicks(dialog->fldCodice(), QStringLiteral("7"));
            sulProssimoDialogo([&message](QWidget* box) {
                message = qobject_cast<QMessageBox*>(box)->text();
                qobject_cast<QMessageBox*>(box)->accept();
            });
            dialog->accept();
        });
        main_->GeneraChart();
        QCOMPARE(message, QStringLiteral("Il codice non esiste"));
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
        QCOMPARE(dialog.testoPatm(), QStringLiteral("101325.00"));
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
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QApplication app(argc, argv);
    // Resources of the static library.
    extern int qInitResources_splash();
    qInitResources_splash();
    GuiWindows tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "gui_windows_test.moc"
