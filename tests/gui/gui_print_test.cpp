// The print dialog and the preview, driven as a user drives them, on the
// off-screen platform.
#include "gui_support.h"
#include "plants/forms/form_calc_auto1.h"
#include "print/forms/form_anteprima.h"
#include "print/forms/form_stampa.h"
#include "print/report_recording.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include <filesystem>
#include <fstream>

using namespace tarvelo;

using test::senzaNome;

class GuiPrint : public QObject {
    Q_OBJECT

    test::Programma p_;
    TFormMain* main_ = nullptr;

    TTestataLavoro& testata() { return p_.s->documento->testata; }

  private slots:
    void init() {
        QVERIFY(p_.avvia());
        main_ = p_.main.get();
        main_->Impianto(0);
        main_->dialogoImpianto()->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        p_.s->documento->modificato = false;
    }

    void cleanup() {
        const QStringList inattesi = p_.inattesi;
        p_.chiudi();
        QVERIFY2(inattesi.isEmpty(), qPrintable(inattesi.join(QStringLiteral(" | "))));
    }

    void thePreviewWritesThePageFileWithTheChosenUnitAndColour() {
        testata().UmStampa = 1;
        std::string rpp;
        bool visto = false;
        QString stampante;
        QStringList mancanti;
        test::sulDialogo(QStringLiteral("DlgStampa"), [&](QWidget* w) {
            auto* d = static_cast<TDlgStampa*>(w);
            stampante = d->findChild<QLabel*>(QStringLiteral("LblStampanteAttiva"))->text();
            mancanti = senzaNome(d);
            QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("radUmPortata_ls"))->isChecked());
            QVERIFY(!d->findChild<QCheckBox*>(QStringLiteral("CkColore"))->isChecked());
            d->findChild<QRadioButton*>(QStringLiteral("radUmPortata_m3h"))->click();
            d->findChild<QCheckBox*>(QStringLiteral("CkColore"))->click();
            d->apriAnteprima = [&](const std::string& path, QPrinter&) {
                rpp = path;
                Registrazione r;
                visto = leggiRpp(path, r).ok && r.pagine.size() == 1;
                // The preview does not close the dialog.
                QVERIFY(d->isVisible());
            };
            d->findChild<QPushButton*>(QStringLiteral("btnAnteprima"))->click();
            QCOMPARE(d->findChild<QStackedWidget*>()->currentIndex(), 0);
            d->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
        });
        main_->Stampa();
        QVERIFY(visto);
        QCOMPARE(QString::fromStdString(rpp),
                 QString::fromStdString(p_.s->settings.DIR_LAVORI + "TEMP.RPP"));
        QCOMPARE(testata().UmStampa, std::uint8_t{2});
        QVERIFY(p_.s->documento->modificato);
        QVERIFY2(mancanti.isEmpty(), qPrintable(mancanti.join(' ')));
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            QCOMPARE(stampante, QStringLiteral("Nessuna stampante installata!"));
        else
            QVERIFY(stampante.contains(QStringLiteral(" su ")));

        // The next opening keeps the unit and the colour.
        bool riaperto = false;
        test::sulDialogo(QStringLiteral("DlgStampa"), [&](QWidget* w) {
            riaperto =
                w->findChild<QRadioButton*>(QStringLiteral("radUmPortata_m3h"))->isChecked() &&
                w->findChild<QCheckBox*>(QStringLiteral("CkColore"))->isChecked();
            static_cast<QDialog*>(w)->reject();
        });
        main_->Stampa();
        QVERIFY(riaperto);
    }

    void thePageHeaderIsEditedFromThePrintDialog() {
        test::sulDialogo(QStringLiteral("DlgStampa"), [&](QWidget* w) {
            test::sulDialogo(QStringLiteral("DlgIntestazionePag"), [](QWidget* h) {
                auto* f = h->findChild<QLineEdit*>(QStringLiteral("fldNumFoglio"));
                f->selectAll();
                QTest::keyClicks(f, QStringLiteral("12"));
                for (QPushButton* b : h->findChildren<QPushButton*>())
                    if (b->text() == QStringLiteral("OK"))
                        b->click();
            });
            w->findChild<QPushButton*>(QStringLiteral("BtnIntesta"))->click();
            static_cast<QDialog*>(w)->reject();
        });
        main_->Stampa();
        QCOMPARE(QString::fromStdString(testata().NumFoglio.testo()), QStringLiteral("12"));
        QVERIFY(p_.s->documento->modificato);
    }

    void printingWithoutAPrinterSaysSoAndStays() {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("this machine has printers");
        QString messaggio;
        bool aperto = false;
        test::sulDialogo(QStringLiteral("DlgStampa"), [&](QWidget* w) {
            test::rispondi(&messaggio);
            w->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
            aperto = w->isVisible();
            static_cast<QDialog*>(w)->reject();
        });
        main_->Stampa();
        QCOMPARE(messaggio, QStringLiteral("Nessuna stampante installata!"));
        QVERIFY(aperto);
    }

    // Runs where a printer is installed (the print test script gives it a
    // queue of its own): OK prints on it and closes the dialog.
    void okPrintsAndCloses() {
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("no printer on this machine");
        bool chiuso = false;
        std::string errore = "non aperto";
        test::sulDialogo(QStringLiteral("DlgStampa"), [&](QWidget* w) {
            auto* d = static_cast<TDlgStampa*>(w);
            d->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
            errore = d->errore();
            chiuso = !d->isVisible() && d->result() == QDialog::Accepted;
            if (!chiuso)
                d->reject();
        });
        main_->Stampa();
        QCOMPARE(QString::fromStdString(errore), QString());
        QVERIFY(chiuso);
    }

    void thePreviewPagesZoomsAndPrintsWhatIsAsked() {
        // Three pages, each with a line of its own.
        Registrazione r;
        for (int n = 0; n < 3; ++n) {
            OperazioneReport op;
            op.x1 = 100 * n, op.y1 = 100, op.x2 = 200, op.y2 = 300;
            r.pagine.push_back(PaginaRegistrata{{op}});
        }
        const std::string rpp = p_.s->settings.DIR_LAVORI + "TEMP.RPP";
        QVERIFY(salvaRpp(rpp, r).ok);
        QPrinter printer;
        TFormAnteprima a(rpp, printer, main_);
        std::vector<std::pair<int, int>> stampate;
        a.stampa = [&](const Registrazione& reg, int da, int al) {
            [&] { QCOMPARE(reg.pagine.size(), std::size_t{3}); }();
            stampate.emplace_back(da, al);
            return Esito{};
        };
        a.show();
        QVERIFY(a.Avvia());
        auto* cmb = a.findChild<QComboBox*>(QStringLiteral("cmbPagine"));
        QCOMPARE(cmb->count(), 3);
        QCOMPARE(a.findChild<QLabel*>(QStringLiteral("lbTotPag"))->text(), QStringLiteral("di 3"));
        QCOMPARE(a.pagina(), 1);
        // The menu's entries with their shortcuts.
        const auto azione = [&a](const char* testo, QKeySequence tasto) {
            for (QAction* x : a.actions())
                if (x->text() == QString::fromUtf8(testo) && x->shortcut() == tasto)
                    return x;
            qWarning("manca %s", testo);
            return static_cast<QAction*>(nullptr);
        };
        azione("pagina su&ccessiva", QKeySequence(Qt::Key_PageDown))->trigger();
        QCOMPARE(a.pagina(), 2);
        QCOMPARE(cmb->currentIndex(), 1);
        a.stampaPaginaCorrente();
        a.stampaTutto();
        QCOMPARE(stampate, (std::vector<std::pair<int, int>>{{2, 2}, {1, 3}}));
        azione("&ultima pagina", QKeySequence(Qt::CTRL | Qt::Key_End))->trigger();
        QCOMPARE(a.pagina(), 3);
        azione("pagina prece&dente", QKeySequence(Qt::Key_PageUp))->trigger();
        QCOMPARE(a.pagina(), 2);
        azione("&prima pagina", QKeySequence(Qt::CTRL | Qt::Key_Home))->trigger();
        QCOMPARE(a.pagina(), 1);
        QVERIFY(azione("&Esci dall'anteprima", QKeySequence(Qt::Key_Escape)));
        cmb->setCurrentIndex(2);
        emit cmb->activated(2);
        QCOMPARE(a.pagina(), 3);
        const double larghezza = a.zoom();
        a.zoomPiu();
        QVERIFY(a.zoom() > larghezza);
        a.zoomPagina();
        QVERIFY(a.zoom() < larghezza); // a whole A4 page is narrower than the area's width
        a.resize(a.width() + 300, a.height());
        QTRY_VERIFY(a.zoom() > larghezza); // a resize fits the page width again
        QVERIFY2(senzaNome(&a).isEmpty(), qPrintable(senzaNome(&a).join(' ')));
    }

    void aDamagedPageFileIsReported() {
        const std::string rpp = p_.s->settings.DIR_LAVORI + "TEMP.RPP";
        std::ofstream(rpp, std::ios::binary) << "TARVELO-RPP 1\nPAGINA 1 1 0 0 0 0\n";
        QPrinter printer;
        TFormAnteprima a(rpp, printer, main_);
        a.show();
        QString messaggio;
        test::rispondi(&messaggio);
        QVERIFY(!a.Avvia());
        QVERIFY(messaggio.contains(QStringLiteral("danneggiato")));
        QCOMPARE(a.findChild<QLabel*>(QStringLiteral("lbTotPag"))->text(), QStringLiteral("di 0"));
    }
};

int main(int argc, char** argv) {
    return tarvelo::test::eseguiTestGui<GuiPrint>(argc, argv);
}

#include "gui_print_test.moc"
