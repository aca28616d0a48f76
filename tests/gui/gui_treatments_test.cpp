// The treatment dialog and the windows around it, driven through the main
// window as a user drives them, on the off-screen platform.
#include "app/cli/ricalcola_command.h"
#include "app/forms/form_calcolatrice.h"
#include "app/forms/main_window.h"
#include "chart/forms/form_diagramma.h"
#include "chart/initial_chart.h"
#include "engine/moist_air.h"
#include "gui_support.h"
#include "plants/forms/form_calc_auto1.h"
#include "support/fake_chart_services.h"
#include "treatments/forms/form_calc_ute.h"
#include "treatments/forms/form_condizioni_punti.h"
#include "treatments/forms/form_tool_trattamenti.h"
#include "treatments/forms/form_vedi_file.h"
#include "treatments/risult_log.h"
#include "treatments/treatment_defaults.h"
#include "ui/help_window.h"
#include "ui/masked_field.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

using namespace tarvelo;
using test::rispondi;
using test::sulDialogo;

namespace {

std::string leggi(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

} // namespace

class GuiTreatments : public QObject {
    Q_OBJECT

    test::Programma p_;
    TFormMain* main_ = nullptr;
    Sessione* s_ = nullptr;

    std::string dati() const { return p_.dati(); }
    Documento& doc() { return *s_->documento; }
    TLavoro& lavoro() { return s_->documento->lavoro; }

    // From a menu entry of "&Trattamenti" (1..6), the dialog driven by
    // `act`; a dialog that `act` left open is closed with Cancel.
    void conDialogo(int tag, const std::function<void(TFormCalcUte&)>& act) {
        sulDialogo(QStringLiteral("FormCalcUte"), [act](QWidget* w) {
            auto& d = *static_cast<TFormCalcUte*>(w);
            act(d);
            if (d.isVisible())
                d.CancelBtnClick();
        });
        main_->Trattamento(tag);
    }

    template <typename T> static T* f(QWidget& d, const char* nome) {
        T* w = d.findChild<T*>(QString::fromUtf8(nome));
        if (!w)
            qWarning("manca %s", nome);
        return w;
    }
    static void scrivi(QWidget& d, const char* nome, const QString& testo) {
        auto* e = f<ui::CampoMaschera>(d, nome);
        e->selectAll();
        QTest::keyClicks(e, testo);
    }
    static void clic(QWidget& d, const char* nome) { f<QPushButton>(d, nome)->click(); }

    // The work saved as `nome` and recalculated by `ricalcola` into a folder
    // of its own: the log it writes and its messages (`err`); a command that
    // fails gives its failure in place of the log, so the comparison shows it.
    std::string logDiRicalcola(const std::string& nome, std::string& err) {
        const std::string lavoro = dati() + nome;
        if (!doc().salvaCome(lavoro).ok)
            return "non salvato";
        std::filesystem::create_directories(dati() + "cli");
        test::FakeServices servizi;
        std::ostringstream out, e;
        const std::vector<std::string> args = {lavoro, "--cartella", dati() + "cli"};
        if (cli::runRicalcola(args, dati(), &servizi, out, e) != 0)
            return "ricalcola non riuscito: " + e.str();
        err = e.str();
        return leggi(dati() + "cli/" + NomeRisult);
    }

  private slots:
    void init() {
        QVERIFY(p_.avvia());
        main_ = p_.main.get();
        s_ = p_.s.get();
    }

    void cleanup() {
        const QStringList inattesi = p_.inattesi;
        p_.chiudi();
        QVERIFY2(inattesi.isEmpty(), qPrintable(inattesi.join(QStringLiteral(" | "))));
    }

    void aNewSequenceEmptiesTheWorkAndCancelBringsItBack() {
        conDialogo(4, [](TFormCalcUte& d) {
            clic(d, "BtnCalcola");
            d.Miscela1Click(7);
        });
        QCOMPARE(doc().testata.CalcoliValidi, std::uint16_t{1});
        QVERIFY(main_->azioneRevisione()->isEnabled());
        const TLavoro prima = lavoro();
        int puntiDentro = -1;
        conDialogo(1, [&](TFormCalcUte& d) {
            puntiDentro = d.editor().lavoro().NumPunti;
            QCOMPARE(d.windowTitle(), QStringLiteral("Tratto  1 : MISCELA"));
            clic(d, "BtnCalcola");
            clic(d, "CancelBtn");
        });
        QCOMPARE(puntiDentro, 3); // the heating's points were gone
        QVERIFY(lavoro() == prima);

        // "&Revisione" shows the stored sequence from its first treatment.
        sulDialogo(QStringLiteral("FormCalcUte"), [](QWidget* w) {
            auto& d = *static_cast<TFormCalcUte*>(w);
            QCOMPARE(d.windowTitle(), QStringLiteral("Tratto  1 : RISCALDAMENTO"));
            QVERIFY(!d.editor().inserimento());
            QCOMPARE(f<ui::CampoMaschera>(d, "fldPotenza_2")->valore(), 10.0);
            scrivi(d, "fldPotenza_2", QStringLiteral("20"));
            clic(d, "BtnCalcola");
            d.Miscela1Click(7);
        });
        main_->azioneRevisione()->trigger();
        QCOMPARE(lavoro().NumTrattamenti, 1);
        QCOMPARE(lavoro().Trattamenti[0].Qsen, 20000.0);
        QVERIFY(doc().modificato);
    }

    void theFlowIsHandedOnAndFollowsTheFirstTreatment() {
        conDialogo(4, [this](TFormCalcUte& d) {
            scrivi(d, "fldPortata_2", QStringLiteral("2,5"));
            clic(d, "BtnCalcola");
            QVERIFY(f<QPushButton>(d, "OKBtn")->isEnabled());
            d.Miscela1Click(2); // a cooling after it
            QVERIFY(!f<ui::CampoMaschera>(d, "fldPortata_2")->isEnabled());
            QVERIFY(!f<QRadioButton>(d, "radInput_2_2")->isVisibleTo(&d)); // the short list
            QCOMPARE(f<QRadioButton>(d, "radInput_2_0")->text(),
                     QStringLiteral("punto1 ; potenza"));
            QVERIFY(!f<QPushButton>(d, "BtnHome")->isEnabled()); // entering
            scrivi(d, "fldPotenza_2", QStringLiteral("5"));
            clic(d, "BtnCalcola");
            const TTrattamento& raff = lavoro().Trattamenti[1];
            QCOMPARE(lavoro().Punti[static_cast<std::size_t>(raff.Punto2 - 1)].qm, 2.5);
            // A new flow on the heating reaches the cooling.
            clic(d, "BtnHome");
            QCOMPARE(d.editor().k(), 1);
            scrivi(d, "fldPortata_2", QStringLiteral("3"));
            clic(d, "BtnCalcola");
            QCOMPARE(lavoro().Punti[static_cast<std::size_t>(raff.Punto2 - 1)].qm, 3.0);
            d.Miscela1Click(7);
        });
        // After a coil the next flow comes from the coil's outlet.
        conDialogo(3, [this](TFormCalcUte& d) {
            clic(d, "BtnCalcola");
            const int uscita = lavoro().Trattamenti[0].Punto2;
            d.Miscela1Click(5);
            QCOMPARE(d.editor().trattamento().Dati.PuntoPortata, uscita);
            QVERIFY(!f<ui::CampoMaschera>(d, "fldPort_3")->isEnabled());
            d.Miscela1Click(7);
        });
    }

    void linkingAPointGivesItsSlotBack() {
        conDialogo(4, [this](TFormCalcUte& d) {
            clic(d, "BtnCalcola");
            d.Miscela1Click(3);
            QCOMPARE(lavoro().NumPunti, 5);
            auto* collega = f<QPushButton>(d, "btnPunto1_4");
            QVERIFY(collega->isVisibleTo(&d));
            sulDialogo(QStringLiteral("FormSelPunto"), [](QWidget* w) {
                auto* picker = static_cast<TFormSelPunto*>(w);
                QCOMPARE(picker->tabella()->rowCount(), 2); // the heating's points
                picker->tabella()->selectRow(1);
                f<QPushButton>(*picker, "OKBtn")->click();
            });
            collega->click();
            QCOMPARE(lavoro().NumPunti, 4);
            QCOMPARE(collega->text(), QStringLiteral("Collegato"));
            QVERIFY(!f<ui::CampoMaschera>(d, "fldtbs1_4")->isEnabled());
            clic(d, "BtnCalcola");
            QCOMPARE(lavoro().Trattamenti[1].Punto1, 2);
            d.Miscela1Click(7);
        });
    }

    void mixingModesKeepTheFlows() {
        conDialogo(1, [](TFormCalcUte& d) {
            auto* modo = f<QComboBox>(d, "cmbPortata_1");
            QCOMPARE(modo->currentText(), QStringLiteral("port1    ; port2"));
            scrivi(d, "fldPort1_1", QStringLiteral("1"));
            scrivi(d, "fldPort2_1", QStringLiteral("3"));
            modo->setCurrentIndex(0);
            d.cmbPortata_1Change();
            QCOMPARE(f<ui::CampoMaschera>(d, "fldPort1_1")->valore(), 25.0); // %
            QCOMPARE(f<ui::CampoMaschera>(d, "fldPort3_1")->valore(), 4.0);
            QVERIFY(!f<ui::CampoMaschera>(d, "fldPort2_1")->isEnabled());
            // In l/s the total is the same flow.
            auto* unita = f<QComboBox>(d, "cmbUmPort_1");
            unita->setCurrentIndex(1);
            d.cmbPortata_1Change();
            QCOMPARE(f<ui::CampoMaschera>(d, "fldPort3_1")->text(), QStringLiteral("3264,00"));
            clic(d, "BtnCalcola");
            QCOMPARE(d.editor().lavoro().Punti[2].qm, 4.0);
        });
    }

    void noRoomForAnotherTreatment() {
        QString testo;
        conDialogo(1, [&](TFormCalcUte& d) {
            for (int i = 0; i < 5; ++i) {
                clic(d, "BtnCalcola");
                d.Miscela1Click(1);
            }
            clic(d, "BtnCalcola");
            QCOMPARE(d.editor().lavoro().NumPunti, 18);
            rispondi(&testo);
            d.Miscela1Click(4);
            QCOMPARE(d.editor().lavoro().NumTrattamenti, 6);
        });
        QCOMPARE(testo,
                 QStringLiteral("Troppi punti: il lavoro ne ha già 18 su 20 e un nuovo trattamento "
                                "ne richiede fino a 3; collegando i punti di un trattamento "
                                "a punti già presenti se ne liberano"));
    }

    void browsingStepsOverTheExtensionLine() {
        conDialogo(3, [](TFormCalcUte& d) {
            clic(d, "BtnCalcola");
            // The fields show 26,8 and 50,8; untouched, they keep 26.75 and 50.76.
            QCOMPARE(d.editor().lavoro().Punti[0].tbs, 26.75);
            QCOMPARE(d.editor().trattamento().Dati.UR1, 50.76);
            d.Miscela1Click(4);
            clic(d, "BtnCalcola");
            QCOMPARE(d.editor().k(), 3);
            clic(d, "btnIndietro");
            QCOMPARE(d.editor().k(), 1);
            QCOMPARE(d.pagina(), 3);
            QVERIFY(!f<QPushButton>(d, "btnIndietro")->isEnabled());
            clic(d, "btnAvanti");
            QCOMPARE(d.editor().k(), 3);
            QVERIFY(!f<QPushButton>(d, "BtnFine")->isEnabled());
            d.Miscela1Click(7);
        });
    }

    void theCalculatorFillsTheFieldsItWasOpenedOn() {
        conDialogo(4, [](TFormCalcUte& d) {
            auto* tbs = f<ui::CampoMaschera>(d, "fldTbs1_2");
            sulDialogo(QStringLiteral("FormCalcolatriceAria"), [](QWidget* w) {
                auto* calc = static_cast<TFormCalcolatriceAria*>(w);
                QCOMPARE(calc->fld1()->valore(), 14.0);
                calc->fld1()->setValore(20);
                calc->fld2()->setValore(40);
                calc->okBtn()->click();
            });
            QTest::mousePress(tbs, Qt::RightButton);
            QCOMPARE(tbs->valore(), 20.0);
            QCOMPARE(f<ui::CampoMaschera>(d, "fldUR1_2")->valore(), 40.0);
            clic(d, "BtnCalcola");
            QCOMPARE(d.editor().lavoro().Punti[0].tbs, 20.0);
            QCOMPARE(d.editor().lavoro().Punti[0].UR, 40.0);
        });
    }

    void thePointsTableAndTheDetailFollowEachComputation() {
        main_->CondizioniPunti();
        main_->DettaglioCalcolo();
        QCOMPARE(main_->tabellaPunti()->tabella()->rowCount(), 0);
        QVERIFY(!main_->tabellaPunti()->tabella()->isVisibleTo(main_->tabellaPunti()));
        conDialogo(4, [this](TFormCalcUte& d) {
            clic(d, "BtnCalcola");
            QCOMPARE(main_->tabellaPunti()->tabella()->rowCount(), 2);
            QCOMPARE(main_->dettaglio()->righe().value(0), QStringLiteral("--RISCALDAMENTO--"));
            d.Miscela1Click(7);
        });
        // The picture buttons and the palette's own commands.
        QVERIFY(!main_->palette()->bottone("SpeedButton9")->icon().isNull());
        conDialogo(6, [](TFormCalcUte& d) {
            QCOMPARE(d.windowTitle(),
                     QStringLiteral("Tratto  1 : UNIONE - (RETTA CARICHI AMBIENTE)"));
        });
    }

    void everyControlHasAnAccessibleNameAndEachKindItsHelpPage() {
        // Each page of the dialog, the palette, the points table and the
        // picker, the detail: what a screen reader announces for each
        // control that takes the focus.
        using test::senzaNome;
        QStringList mancanti;
        for (const int tag : {1, 2, 3, 4, 5, 6}) {
            conDialogo(tag, [&](TFormCalcUte& d) {
                clic(d, "BtnCalcola");
                d.Miscela1Click(tag); // the second of a kind shows its link buttons
                mancanti << senzaNome(&d);
            });
        }
        main_->CondizioniPunti();
        TFormSelPunto picker(lavoro());
        for (QWidget* w : std::initializer_list<QWidget*>{main_->palette(), main_->tabellaPunti(),
                                                          &picker, main_->dettaglio()})
            mancanti << senzaNome(w);
        QVERIFY2(mancanti.isEmpty(), qPrintable(mancanti.join(' ')));
        for (const int contesto : {5, 6, 7, 8, 9, 10})
            QVERIFY(!ui::paginaAiuto(contesto).contains(QStringLiteral("sar&agrave; descritto")));
    }

    void aRevisedTreatmentCarriesTheLaterOnesWithIt() {
        // Mixing → coil on the mixture (ts, fs) → heating on the coil's
        // outlet to 16 °C; then the mixing is revised.
        auto collega = [](TFormCalcUte& d, const char* bottone, int punto) {
            sulDialogo(QStringLiteral("FormSelPunto"), [punto](QWidget* w) {
                auto* picker = static_cast<TFormSelPunto*>(w);
                picker->tabella()->selectRow(punto - 1);
                picker->accept();
            });
            f<QPushButton>(d, bottone)->click();
        };
        conDialogo(1, [&](TFormCalcUte& d) {
            f<QComboBox>(d, "cmbUmPort_1")->setCurrentIndex(1); // l/s
            d.cmbPortata_1Change();
            scrivi(d, "fldtbs1_1", QStringLiteral("32"));
            scrivi(d, "fldUR1_1", QStringLiteral("50"));
            scrivi(d, "fldtbs2_1", QStringLiteral("26"));
            scrivi(d, "fldUR2_1", QStringLiteral("50"));
            scrivi(d, "fldPort1_1", QStringLiteral("1000"));
            scrivi(d, "fldPort2_1", QStringLiteral("3000"));
            clic(d, "BtnCalcola");
            d.Miscela1Click(3);
            collega(d, "btnPunto1_4", lavoro().Trattamenti[0].Punto3);
            f<QComboBox>(d, "cmbInput_4")->setCurrentIndex(1); // pto1 ; ts ; fs
            d.cmbInput_4Change();
            scrivi(d, "fldts_4", QStringLiteral("10"));
            scrivi(d, "fldfs_4", QStringLiteral("0,85"));
            clic(d, "BtnCalcola");
            QCOMPARE(d.messaggio(), QString());
            d.Miscela1Click(4);
            collega(d, "BtnPunto1_2", lavoro().Trattamenti[1].Punto2);
            f<QRadioButton>(d, "radInput_2_1")->click(); // punto1 ; punto2
            scrivi(d, "fldTbs2_2", QStringLiteral("16"));
            clic(d, "BtnCalcola");
            QCOMPARE(d.messaggio(), QString());

            clic(d, "BtnHome");
            scrivi(d, "fldtbs1_1", QStringLiteral("35"));
            scrivi(d, "fldPort2_1", QStringLiteral("2000"));
            clic(d, "BtnCalcola");
            const TTrattamento& risc = lavoro().Trattamenti[3];
            const TPunto& uscitaBatteria =
                lavoro().Punti[static_cast<std::size_t>(risc.Punto1 - 1)];
            const TPunto& uscita = lavoro().Punti[static_cast<std::size_t>(risc.Punto2 - 1)];
            // A heating keeps the humidity of the air it heats.
            QCOMPARE(uscita.x, uscitaBatteria.x);
            QCOMPARE(uscita.tbs, 16.0);
            QCOMPARE(uscita.qm, uscitaBatteria.qm);
            d.Miscela1Click(7);
        });
        // The log of the window is the command line's, byte for byte.
        const std::string dialogo = leggi(s_->settings.DIR_LAVORI + NomeRisult);
        std::string riga;
        QCOMPARE(QString::fromStdString(logDiRicalcola("revisione.TRV", riga)),
                 QString::fromStdString(dialogo));
        QCOMPARE(QString::fromStdString(riga), QString());
    }

    void cancelOverAPlantWorkGivesItBack() {
        main_->Impianto(0);
        main_->dialogoImpianto()->OKBtnClick();
        const TLavoro prima = lavoro();
        conDialogo(3, [this](TFormCalcUte& d) {
            // The plant dialog is gone: nothing of it acts on the sequence.
            QVERIFY(main_->dialogoImpianto() == nullptr);
            clic(d, "BtnCalcola");
            clic(d, "CancelBtn");
        });
        QCOMPARE(lavoro().TipoImpianto, std::uint8_t{0});
        QVERIFY(lavoro() == prima);
    }

    void undoAndRedoLeaveAManualSequenceAlone() {
        main_->Impianto(1);
        main_->dialogoImpianto()->OKBtnClick();
        conDialogo(3, [](TFormCalcUte& d) {
            clic(d, "BtnCalcola");
            d.Miscela1Click(7);
        });
        const TLavoro sequenza = lavoro();
        main_->Annulla();
        main_->Ripeti();
        QCOMPARE(lavoro().TipoImpianto, std::uint8_t{6});
        QVERIFY(lavoro() == sequenza); // no handle written into it, no field loaded
    }

    void assistiveToolsChooseModesAndTypeValues() {
        conDialogo(4, [](TFormCalcUte& d) {
            clic(d, "BtnCalcola");
            QVERIFY(f<QPushButton>(d, "OKBtn")->isEnabled());
            // "punto1 ; punto2  ; portata" toggled as a screen reader does.
            QAccessibleInterface* radio =
                QAccessible::queryAccessibleInterface(f<QRadioButton>(d, "radInput_2_1"));
            QVERIFY(radio && radio->actionInterface());
            radio->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(f<QRadioButton>(d, "radInput_2_1")->isChecked());
            QVERIFY(f<ui::CampoMaschera>(d, "fldTbs2_2")->isEnabled());
            QVERIFY(!f<ui::CampoMaschera>(d, "fldPotenza_2")->isEnabled());
            QVERIFY(!f<QPushButton>(d, "OKBtn")->isEnabled());
            QAccessibleInterface* campo =
                QAccessible::queryAccessibleInterface(f<ui::CampoMaschera>(d, "fldTbs2_2"));
            campo->setText(QAccessible::Value, QStringLiteral("30"));
            clic(d, "BtnCalcola");
            QCOMPARE(d.editor().lavoro().Punti[1].tbs, 30.0);
            QCOMPARE(d.editor().trattamento().Dati.modoPotenza, std::uint8_t{1});
        });
    }

    void aFailedComputationIsAnErrorBoxWideEnoughForItsCaption() {
        QMessageBox::Icon icona = QMessageBox::NoIcon;
        QString testo;
        int larghezza = 0, titolo = 0;
        conDialogo(2, [&](TFormCalcUte& d) {
            // 100 kW out of 2.8 kg/s: the outlet falls below its dew point.
            scrivi(d, "fldPotenza_2", QStringLiteral("100"));
            auto* timer = new QTimer;
            timer->setInterval(20);
            QObject::connect(timer, &QTimer::timeout, [&, timer] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    timer->stop();
                    timer->deleteLater();
                    icona = box->icon();
                    testo = box->text();
                    larghezza = box->width();
                    titolo = box->fontMetrics().horizontalAdvance(box->windowTitle());
                    box->accept();
                }
            });
            timer->start();
            clic(d, "BtnCalcola");
        });
        // The message with its value, its accented letters intact.
        QVERIFY2(testo.startsWith(QStringLiteral("Tratto  1\nUR2 (")), qPrintable(testo));
        QVERIFY2(testo.endsWith(QStringLiteral(
                     " %) non deve superare il 100 %: il punto 2 è oltre la curva di saturazione")),
                 qPrintable(testo));
        QCOMPARE(icona, QMessageBox::Critical);
        // The caption and the frame's three buttons fit beside each other.
        QVERIFY2(larghezza >= titolo + 3 * 20, qPrintable(QString::number(larghezza)));
    }

    void aLogThatCannotBeWrittenStillShowsTheResults() {
        // The work's folder cannot take the log (a file stands where the
        // folder should be: refused even to root).
        const std::string cartella = dati() + "occupato";
        std::ofstream(cartella) << "x";
        s_->settings.DIR_LAVORI = cartella + "/";
        main_->DettaglioCalcolo();
        conDialogo(4, [](TFormCalcUte& d) {
            clic(d, "BtnCalcola");
            d.Miscela1Click(7);
        });
        const QStringList righe = main_->dettaglio()->righe();
        QVERIFY2(righe.value(0).startsWith(QStringLiteral("RISULT.TXT non scritto: ")),
                 qPrintable(righe.value(0)));
        QCOMPARE(righe.value(1), QStringLiteral("--RISCALDAMENTO--"));
        QCOMPARE(main_->statusBar()->currentMessage(), QStringLiteral("RISULT.TXT non scritto"));
        QVERIFY(main_->dettaglio()->isVisible());
        QVERIFY(main_->statusBar()->toolTip().contains(QString::fromStdString(cartella)));
        // Writable again: the warning goes.
        s_->settings.DIR_LAVORI = dati();
        main_->Annulla();
        QCOMPARE(main_->dettaglio()->righe().value(0), QStringLiteral("--RISCALDAMENTO--"));
        QCOMPARE(main_->statusBar()->currentMessage(), QString());
    }

    void f1OpensThePageOfTheTreatmentShown() {
        main_->DettaglioCalcolo();
        conDialogo(3, [](TFormCalcUte& d) {
            QTest::keyClick(&d, Qt::Key_F1);
            QTextBrowser* aiuto = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* t = qobject_cast<QTextBrowser*>(w); t && t->isVisible())
                    aiuto = t;
            QVERIFY(aiuto);
            QTextBrowser atteso;
            atteso.setHtml(ui::paginaAiuto(7)); // cooling with dehumidification
            QCOMPARE(aiuto->toPlainText(), atteso.toPlainText());
            // Above the detail window, which stays on top.
            QVERIFY(aiuto->windowFlags() & Qt::WindowStaysOnTopHint);
            aiuto->close();
        });
    }

    void theCommandLineRecalculatesTheSequenceToTheSameLog() {
        // A coil, a reheat from its outlet (linked), a humidification.
        conDialogo(3, [](TFormCalcUte& d) {
            clic(d, "BtnCalcola");
            d.Miscela1Click(4);
            sulDialogo(QStringLiteral("FormSelPunto"), [](QWidget* w) {
                auto* picker = static_cast<TFormSelPunto*>(w);
                picker->tabella()->selectRow(1);
                picker->accept();
            });
            f<QPushButton>(d, "BtnPunto1_2")->click();
            QCOMPARE(d.editor().trattamento().Dati.Collega[0], 2);
            scrivi(d, "fldPotenza_2", QStringLiteral("12"));
            clic(d, "BtnCalcola");
            d.Miscela1Click(5);
            clic(d, "BtnCalcola");
            d.Miscela1Click(7);
        });
        const std::string dialogo = leggi(s_->settings.DIR_LAVORI + NomeRisult);
        QVERIFY(dialogo.find("--RAFF. CON DEUMIDIFICAZIONE--") != std::string::npos);
        QVERIFY(dialogo.find("--UMIDIFICAZIONE--") != std::string::npos);
        std::string err;
        QCOMPARE(logDiRicalcola("sequenza.TRV", err), dialogo);
        QCOMPARE(QString::fromStdString(err), QString());
    }
};

int main(int argc, char** argv) {
    return tarvelo::test::eseguiTestGui<GuiTreatments>(argc, argv);
}

#include "gui_treatments_test.moc"
