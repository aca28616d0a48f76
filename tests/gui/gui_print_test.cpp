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
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QToolButton>

#include <filesystem>
#include <fstream>

using namespace tarvelo;

using test::senzaNome;

namespace {

// A PDF file of `pagine` A4 pages, as pdfinfo (poppler) reads it when it is
// installed; "" when it is, else what is wrong.
QString pdfA4(const std::string& path, int pagine) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly) || !f.read(5).startsWith("%PDF-"))
        return QStringLiteral("nessun PDF in ") + QString::fromStdString(path);
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        return {};
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {QString::fromStdString(path)});
    pdfinfo.waitForFinished();
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    if (!info.contains(QStringLiteral("Pages:           %1\n").arg(pagine)) ||
        !info.contains(QStringLiteral("(A4)")))
        return info;
    return {};
}

// What is left in a folder besides `attesi`: a half-written file would be.
QStringList avanzi(const std::string& cartella, const QStringList& attesi) {
    QStringList v;
    for (const auto& e : std::filesystem::directory_iterator(cartella)) {
        const QString nome = QString::fromStdString(e.path().filename().string());
        if (!attesi.contains(nome))
            v << nome;
    }
    return v;
}

} // namespace

class GuiPrint : public QObject {
    Q_OBJECT

    test::Programma p_;
    TFormMain* main_ = nullptr;

    TTestataLavoro& testata() { return p_.s->documento->testata; }

    // A page file of three pages, each with a line of its own, in the
    // works folder; false when it cannot be written.
    bool trePagine(std::string& rpp) {
        Registrazione r;
        for (int n = 0; n < 3; ++n) {
            OperazioneReport op;
            op.x1 = 100 * n, op.y1 = 100, op.x2 = 200, op.y2 = 300;
            r.pagine.push_back(PaginaRegistrata{{op}});
        }
        rpp = p_.s->settings.DIR_LAVORI + "TEMP.RPP";
        return salvaRpp(rpp, r).ok;
    }

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

    void aPdfIsSavedWithOrWithoutAPrinter() {
        const std::string cartella = p_.s->settings.DIR_LAVORI + "pdf/";
        std::filesystem::create_directories(cartella);
        const std::string pdf = cartella + "foglio.pdf";
        std::string proposto;
        QString testo;
        bool chiuso = false;
        test::sulDialogo(QStringLiteral("DlgStampa"), [&](QWidget* w) {
            auto* d = static_cast<TDlgStampa*>(w);
            auto* b = d->findChild<QPushButton*>(QStringLiteral("btnSalvaPdf"));
            testo = b->text();
            d->chiediFilePdf = [&](const std::string& p) {
                proposto = p;
                return pdf;
            };
            b->click();
            chiuso = !d->isVisible() && d->result() == QDialog::Accepted;
            if (!chiuso)
                d->reject();
        });
        main_->Stampa();
        QCOMPARE(testo, QStringLiteral("Salva come PDF …"));
        QVERIFY(chiuso);
        // A work never saved: named after the sheet, in the works folder.
        QCOMPARE(QString::fromStdString(proposto),
                 QString::fromStdString(p_.s->settings.DIR_LAVORI + "Foglio.pdf"));
        const QString pdfOk = pdfA4(pdf, 1);
        QVERIFY2(pdfOk.isEmpty(), qPrintable(pdfOk));
        QCOMPARE(avanzi(cartella, {QStringLiteral("foglio.pdf")}), QStringList());
    }

    void aPdfNotWrittenLeavesTheDialogOpen() {
        struct Caso {
            const char* nome;
            std::string pdf;
            const char* messaggio; // "" for none
        };
        const Caso casi[] = {
            {"the file dialog given up", "", ""},
            {"a folder that is not there", p_.s->settings.DIR_LAVORI + "manca/foglio.pdf",
             "Impossibile salvare il foglio in PDF: "},
        };
        for (const Caso& c : casi) {
            QString messaggio;
            bool aperto = false;
            test::sulDialogo(QStringLiteral("DlgStampa"), [&](QWidget* w) {
                auto* d = static_cast<TDlgStampa*>(w);
                d->chiediFilePdf = [&](const std::string&) { return c.pdf; };
                if (*c.messaggio)
                    test::rispondi(&messaggio);
                d->findChild<QPushButton*>(QStringLiteral("btnSalvaPdf"))->click();
                aperto = d->isVisible() && d->findChild<QStackedWidget*>()->currentIndex() == 0;
                d->reject();
            });
            main_->Stampa();
            QVERIFY2(aperto, c.nome);
            if (*c.messaggio)
                QVERIFY2(messaggio.startsWith(QString::fromUtf8(c.messaggio)), c.nome);
            else
                QVERIFY2(messaggio.isEmpty(), c.nome);
        }
        QVERIFY(!std::filesystem::exists(p_.s->settings.DIR_LAVORI + "manca"));
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
        QString stato;
        test::sulDialogo(QStringLiteral("DlgStampa"), [&](QWidget* w) {
            auto* d = static_cast<TDlgStampa*>(w);
            // What the waiting page says while the job goes to the printer.
            const auto invia = d->invia;
            d->invia = [&, invia](const Registrazione& r, QPrinter& printer) {
                stato = d->findChild<QLabel*>(QStringLiteral("Label2"))->text();
                return invia(r, printer);
            };
            d->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
            errore = d->errore();
            chiuso = !d->isVisible() && d->result() == QDialog::Accepted;
            if (!chiuso)
                d->reject();
        });
        main_->Stampa();
        QCOMPARE(QString::fromStdString(errore), QString());
        QVERIFY(chiuso);
        QCOMPARE(stato, QStringLiteral("Attendere .... stampa in corso"));
    }

    void thePreviewPagesZoomsAndPrintsWhatIsAsked() {
        std::string rpp;
        QVERIFY(trePagine(rpp));
        QPrinter printer;
        TFormAnteprima a(rpp, printer, main_);
        std::vector<std::pair<int, int>> stampate;
        auto* stato = a.findChild<QLabel*>(QStringLiteral("lbStato"));
        QStringList stati;
        a.stampa = [&](const Registrazione& reg, int da, int al) {
            [&] { QCOMPARE(reg.pagine.size(), std::size_t{3}); }();
            stampate.emplace_back(da, al);
            stati << (stato->isVisible() ? stato->text() : QString());
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
        // The printer's status while each job goes, and only then.
        QCOMPARE(stati, QStringList(2, QStringLiteral("Attendere .... stampa in corso")));
        QVERIFY(!stato->isVisible());
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

    void thePreviewExportsItsPagesAsAPdf() {
        std::string rpp;
        QVERIFY(trePagine(rpp));
        QPrinter printer;
        TFormAnteprima a(rpp, printer, main_);
        const std::string pdf = p_.s->settings.DIR_LAVORI + "anteprima.pdf";
        std::string proposto;
        a.chiediFilePdf = [&](const std::string& p) {
            proposto = p;
            return pdf;
        };
        a.show();
        QVERIFY(a.Avvia());
        auto* b = a.findChild<QToolButton*>(QStringLiteral("btnEsportaPdf"));
        QVERIFY(b);
        QCOMPARE(b->accessibleName(), QStringLiteral("Esporta PDF"));
        b->click();
        QCOMPARE(QString::fromStdString(proposto),
                 QString::fromStdString(p_.s->settings.DIR_LAVORI + "Foglio.pdf"));
        const QString pdfOk = pdfA4(pdf, 3);
        QVERIFY2(pdfOk.isEmpty(), qPrintable(pdfOk));

        // A file that cannot be written is reported.
        QString messaggio;
        a.chiediFilePdf = [&](const std::string&) {
            return p_.s->settings.DIR_LAVORI + "manca/anteprima.pdf";
        };
        test::rispondi(&messaggio);
        b->click();
        QVERIFY2(messaggio.startsWith(QStringLiteral("Impossibile esportare il PDF: ")),
                 qPrintable(messaggio));
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
