// The plant dialog and the handles dragged on the chart, driven through the
// main window as a user drives them, on the off-screen platform.
#include "chart/forms/form_chart_dialogs.h"
#include "chart/forms/form_diagramma.h"
#include "chart/forms/frm_interpola.h"
#include "document/error_messages.h"
#include "engine/altitude.h"
#include "engine/numeric.h"
#include "gui_support.h"
#include "plants/forms/form_calc_auto1.h"
#include "treatments/forms/form_calc_ute.h"
#include "treatments/forms/form_condizioni_punti.h"
#include "treatments/forms/form_vedi_file.h"
#include "ui/masked_field.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextBrowser>

#include <filesystem>
#include <fstream>

using namespace tarvelo;

namespace {
std::string leggi(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}
} // namespace

class GuiPlants : public QObject {
    Q_OBJECT

    test::Programma p_;
    TFormMain* main_ = nullptr;

    TLavoro& lavoro() { return p_.s->documento->lavoro; }
    TFormCalcAuto1& dialogo() { return *main_->dialogoImpianto(); }

    template <typename T> T* f(const char* nome) {
        T* w = dialogo().findChild<T*>(QString::fromUtf8(nome));
        if (!w)
            qWarning("manca %s", nome);
        return w;
    }
    ui::CampoMaschera* campo(const char* nome) { return f<ui::CampoMaschera>(nome); }
    void scrivi(const char* nome, const QString& testo) {
        campo(nome)->selectAll();
        QTest::keyClicks(campo(nome), testo);
    }
    bool okAttivo() { return f<QPushButton>("OKBtn")->isEnabled(); }
    // Where point `n` was drawn at the last repaint.
    QPoint posizione(int n) {
        main_->diagramma()->paintASHRAE()->repaint();
        const TPunto& p = lavoro().Punti[static_cast<std::size_t>(n - 1)];
        return {p.X, p.Y};
    }

  private slots:
    void init() {
        QVERIFY(p_.avvia());
        main_ = p_.main.get();
    }

    void cleanup() {
        const QStringList inattesi = p_.inattesi;
        p_.chiudi();
        QVERIFY2(inattesi.isEmpty(), qPrintable(inattesi.join(QStringLiteral(" | "))));
    }

    void everyConfigurationOpensWithItsSampleComputed() {
        struct Caso {
            int tag;
            bool toggleQimm, toggleClat, tH2O;
            const char* lbCsens;
            const char* lbQrinn;
        };
        const Caso casi[] = {
            {0, true, true, false, "Carico sensibile amb.", "q rinnovo"},
            {1, false, true, false, "Carico sensibile amb.", "q rinnovo"},
            {2, false, true, false, "Carico sensibile amb.", "t superficiale"},
            {3, false, false, true, "Fabbisogno sensibile", "q rinnovo"},
            {4, false, false, true, "Fabbisogno sensibile", "q rinnovo"},
            {5, false, false, true, "Fabbisogno sensibile", "q rinnovo"},
        };
        for (const Caso& c : casi) {
            main_->Impianto(c.tag);
            QVERIFY(dialogo().isVisible());
            QCOMPARE(dialogo().windowTitle(), QString::fromUtf8(titoloImpianto(c.tag)));
            QCOMPARE(lavoro().TipoImpianto, c.tag);
            QCOMPARE(lavoro().CodiceErrore, std::uint16_t{0});
            QVERIFY(lavoro().NumTrattamenti > 0);
            QVERIFY(okAttivo());
            QCOMPARE(f<QPushButton>("BtnTglTbsQimm")->isVisibleTo(&dialogo()), c.toggleQimm);
            QCOMPARE(f<QPushButton>("BtnTglCLatCx")->isVisibleTo(&dialogo()), c.toggleClat);
            QCOMPARE(campo("fldtH2O")->isVisibleTo(&dialogo()), c.tH2O);
            QCOMPARE(f<QLabel>("LbCsens")->text(), QString::fromUtf8(c.lbCsens));
            QCOMPARE(f<QLabel>("LbQrinn")->text(), QString::fromUtf8(c.lbQrinn));
            QCOMPARE(p_.s->documento->testata.CalcoliValidi, std::uint16_t{1});
        }
        QCOMPARE(f<QLabel>("LbtH2O")->text(), QStringLiteral("tH2O"));
        QCOMPARE(f<QLabel>("LbtbsQimm")->text(), QStringLiteral("UR punto D"));
        f<QPushButton>("OKBtn")->click();
        QVERIFY(!dialogo().isVisible());
        QCOMPARE(dialogo().tag(), 1);
        QVERIFY(main_->azioneRevisione()->isEnabled());
    }

    void typingNeedsACalculationAndAFailureKeepsOkOff() {
        main_->Impianto(0);
        scrivi("fldInterne1", QStringLiteral("26"));
        QVERIFY(!okAttivo());
        f<QPushButton>("BtnCalcola")->click();
        QCOMPARE(lavoro().tbsInt, 26.0);
        QVERIFY(okAttivo());
        // No load at all: the calculation stops with its code.
        scrivi("fldCsens", QStringLiteral("0"));
        scrivi("fldClat_Cx", QStringLiteral("0"));
        f<QPushButton>("BtnCalcola")->click();
        QCOMPARE(lavoro().CodiceErrore, std::uint16_t{5});
        QVERIFY(!okAttivo());
        main_->diagramma()->paintASHRAE()->repaint();
        QCOMPARE(main_->diagramma()->statoTesto(),
                 QStringLiteral("Il carico totale Csens + Clat (0,000 kW) deve essere maggiore di "
                                "zero (Csens 0,000 kW, Clat 0,000 kW)"));
        // Undo brings back the last valid work, in the dialog too.
        main_->Annulla();
        QCOMPARE(lavoro().Csens, 26.994);
        QCOMPARE(campo("fldCsens")->valore(), 26.994);
        QCOMPARE(lavoro().CodiceErrore, std::uint16_t{0});
        QVERIFY(okAttivo());
        // Redo shows the failed one again.
        main_->Ripeti();
        QCOMPARE(campo("fldCsens")->valore(), 0.0);
        QVERIFY(!okAttivo());
    }

    void constructionLinesOfAFailedRunLieOnTheFittedChart() {
        // A larger window fits the chart to itself: its scale is no longer
        // the one of the work's chart header.
        main_->diagramma()->resize(1300, 950);
        QTRY_VERIFY(main_->diagramma()->vista().sx !=
                    VistaDiagramma::daTestata(lavoro().TestataChart).sx);
        main_->Impianto(0);
        QVERIFY(dialogo().costruzione().vuote());
        // Room air so moist that the supply state would be above 99 %:
        // the run fails after drawing B-A, B-D and D-C.
        scrivi("fldInterne1", QStringLiteral("23,3"));
        scrivi("fldInterne2", QStringLiteral("63,5"));
        f<QPushButton>("BtnCalcola")->click();
        QVERIFY(lavoro().CodiceErrore != 0);
        QList<QPoint> punti;
        for (int n = 1; n <= lavoro().NumPunti; ++n)
            punti << posizione(n);
        const std::vector<QLine> linee = dialogo().costruzione().linee(main_->diagramma()->vista());
        QVERIFY(!linee.empty());
        for (const QLine& l : linee) // every line joins two points where the chart draws them
            QVERIFY(punti.contains(l.p1()) && punti.contains(l.p2()));
        const TPunto& a = lavoro().Punti[0];
        const VistaDiagramma testata = VistaDiagramma::daTestata(lavoro().TestataChart);
        QVERIFY(QPoint(testata.X(a.tbs), testata.Y(a.x)) != posizione(1));
    }

    void draggingHandlesRecalculatesAtEveryMove() {
        main_->Impianto(0);
        TFormDiagramma& d = *main_->diagramma();
        const QPoint b = posizione(2);
        QCOMPARE(lavoro().Punti[1].Maniglia, std::uint8_t{0});
        d.PaintASHRAEMouseDown(Qt::LeftButton, b.x(), b.y());
        double qimm = lavoro().Qimm;
        for (int i = 1; i <= 3; ++i) {
            const double prima = lavoro().tbsInt;
            d.PaintASHRAEMouseMove(Qt::LeftButton, Qt::NoModifier, b.x() + 8 * i, b.y() - 3 * i);
            QVERIFY(lavoro().tbsInt > prima);
            QCOMPARE(campo("fldInterne1")->text(),
                     QString::number(lavoro().tbsInt, 'f', 1).replace('.', ','));
            QVERIFY(lavoro().Qimm != qimm); // recalculated
            qimm = lavoro().Qimm;
        }
        d.PaintASHRAEMouseUp(Qt::LeftButton, b.x() + 24, b.y() - 9);
        QVERIFY(okAttivo());
        // The value calculated is the one the field shows: "Calcola" keeps it.
        const double tbs = lavoro().tbsInt;
        QCOMPARE(tbs, campo("fldInterne1")->valore().value());
        f<QPushButton>("BtnCalcola")->click();
        QCOMPARE(lavoro().tbsInt, tbs);

        // Point D of A moves the supply temperature, only while the fifth
        // row is the temperature.
        QPoint dd = posizione(4);
        QCOMPARE(lavoro().Punti[3].Maniglia, std::uint8_t{2});
        const double tbsImm = lavoro().tbsImm;
        d.PaintASHRAEMouseDown(Qt::LeftButton, dd.x(), dd.y());
        d.PaintASHRAEMouseMove(Qt::LeftButton, Qt::NoModifier, dd.x() + 10, dd.y());
        d.PaintASHRAEMouseUp(Qt::LeftButton, dd.x() + 10, dd.y());
        QVERIFY(lavoro().tbsImm > tbsImm);
        f<QPushButton>("BtnTglTbsQimm")->click();
        QCOMPARE(f<QLabel>("LbtbsQimm")->text(), QStringLiteral("q immissione"));
        f<QPushButton>("BtnCalcola")->click();
        dd = posizione(4);
        QCOMPARE(lavoro().Punti[3].Maniglia, std::uint8_t{6});
        const double fermo = lavoro().tbsImm;
        d.PaintASHRAEMouseDown(Qt::LeftButton, dd.x(), dd.y());
        d.PaintASHRAEMouseMove(Qt::LeftButton, Qt::NoModifier, dd.x() + 10, dd.y());
        d.PaintASHRAEMouseUp(Qt::LeftButton, dd.x() + 10, dd.y());
        QCOMPARE(lavoro().tbsImm, fermo);
    }

    // The codes of the checks the dialog's list shows.
    QStringList codiciVerifiche() {
        QStringList codici;
        QListWidget* l = f<QListWidget>("lstVerifiche");
        for (int i = 0; i < l->count(); ++i)
            if (!l->item(i)->toolTip().isEmpty())
                codici << l->item(i)->toolTip().section(' ', 0, 0);
        return codici;
    }

    void theChecksFollowADragIntoFrostAndBack() {
        // A with a large latent load: the coil's line steepens and its
        // surface falls below zero as the supply point is dragged warmer,
        // and the list says so at every move, never otherwise.
        main_->Impianto(0);
        scrivi("fldClat_Cx", QStringLiteral("10"));
        scrivi("fldInterne1", QStringLiteral("21"));
        scrivi("fldInterne2", QStringLiteral("55"));
        scrivi("fldtb_Qimm", QStringLiteral("14"));
        f<QPushButton>("BtnCalcola")->click();
        QCOMPARE(lavoro().CodiceErrore, std::uint16_t{0});
        const TPunto& ts = lavoro().Punti[4];
        QVERIFY(ts.tbs > 0);
        QVERIFY(!codiciVerifiche().contains(QStringLiteral("501")));
        QVERIFY(codiciVerifiche().contains(QStringLiteral("506"))); // the condensate

        TFormDiagramma& d = *main_->diagramma();
        const QPoint partenza = posizione(4);
        d.PaintASHRAEMouseDown(Qt::LeftButton, partenza.x(), partenza.y());
        bool gelo = false;
        int passo = 0;
        for (; passo < 60 && !gelo; ++passo) {
            d.PaintASHRAEMouseMove(Qt::LeftButton, Qt::NoModifier, partenza.x() + 2 * passo,
                                   partenza.y());
            if (lavoro().CodiceErrore != 0)
                continue;
            gelo = ts.tbs < 0;
            QCOMPARE(codiciVerifiche().contains(QStringLiteral("501")), gelo);
        }
        QVERIFY2(gelo, "no frost within the drag");
        // Choosing the warning rings its point, "ts", on the chart.
        QListWidget* lista = f<QListWidget>("lstVerifiche");
        for (int i = 0; i < lista->count(); ++i)
            if (lista->item(i)->toolTip().startsWith(QStringLiteral("501")))
                lista->setCurrentRow(i);
        QCOMPARE(d.evidenziato(), 5);
        // And back to where the drag started: no frost any more.
        d.PaintASHRAEMouseMove(Qt::LeftButton, Qt::NoModifier, partenza.x(), partenza.y());
        d.PaintASHRAEMouseUp(Qt::LeftButton, partenza.x(), partenza.y());
        QCOMPARE(lavoro().CodiceErrore, std::uint16_t{0});
        QVERIFY(ts.tbs > 0);
        QVERIFY(!codiciVerifiche().contains(QStringLiteral("501")));
        QCOMPARE(d.evidenziato(), 0); // a new list chooses nothing
    }

    void theMarkOfAReleasedPositionGoesWithTheNextCalculation() {
        // After D, E or F the mark is as big as a point's marker: left on
        // the next drawing, it looks like a point without a name.
        main_->Impianto(3);
        QWidget* area = main_->diagramma()->paintASHRAE();
        const VistaDiagramma& v = main_->diagramma()->vista();
        const QPoint qui(v.X(5), v.Y(0.012)); // above the saturation curve: white
        QTest::mouseClick(area, Qt::LeftButton, {}, qui);
        const QColor blu(0, 0, 128);
        QCOMPARE(area->grab().toImage().pixelColor(qui), blu);
        scrivi("fldInterne1", QStringLiteral("21"));
        f<QPushButton>("BtnCalcola")->click();
        QCOMPARE(lavoro().CodiceErrore, std::uint16_t{0});
        QCOMPARE(area->grab().toImage().pixelColor(qui), QColor(Qt::white));
    }

    void draggingRoomPointsWithTheMouseInEveryConfiguration() {
        // Press, several moves, release on the chart: every move changes the
        // room fields and recalculates; the trace and the points table follow.
        main_->CondizioniPunti();
        const std::string dettagli = p_.s->settings.DIR_LAVORI + "DETTAGLI.TXT";
        QWidget* area = main_->diagramma()->paintASHRAE();
        for (int tag = 0; tag <= 5; ++tag) {
            main_->Impianto(tag);
            const QPoint b = posizione(2);
            QCOMPARE(lavoro().Punti[1].Maniglia, std::uint8_t{0});
            QTest::mousePress(area, Qt::LeftButton, {}, b);
            for (int i = 1; i <= 3; ++i) {
                const double prima = lavoro().tbsInt;
                const std::string traccia = leggi(dettagli);
                const QString riga = main_->tabellaPunti()->tabella()->item(1, 1)->text();
                QTest::mouseMove(area, b + QPoint(6 * i, -2 * i));
                QVERIFY2(lavoro().tbsInt > prima, qPrintable(QString::number(tag)));
                QCOMPARE(campo("fldInterne1")->valore(), std::round(lavoro().tbsInt * 10) / 10);
                QVERIFY(leggi(dettagli) != traccia);
                QVERIFY(main_->tabellaPunti()->tabella()->item(1, 1)->text() != riga);
            }
            QTest::mouseRelease(area, Qt::LeftButton, {}, b + QPoint(18, -6));
            QCOMPARE(lavoro().CodiceErrore, std::uint16_t{0});
        }

        // Dragged into a state that fails and back: the failed run shows as
        // such, the next good position recovers.
        main_->Impianto(0);
        const QPoint b = posizione(2);
        const QPoint d = posizione(4);
        QTest::mousePress(area, Qt::LeftButton, {}, b);
        QTest::mouseMove(area, QPoint(d.x() - 40, b.y())); // the room colder than the supply
        QVERIFY(lavoro().CodiceErrore != 0);
        QVERIFY(!okAttivo());
        area->repaint();
        QCOMPARE(main_->diagramma()->statoTesto(),
                 QString::fromStdString(MessaggioErrore(lavoro())));
        QTest::mouseMove(area, b + QPoint(4, 0));
        QCOMPARE(lavoro().CodiceErrore, std::uint16_t{0});
        QVERIFY(okAttivo());
        QTest::mouseRelease(area, Qt::LeftButton, {}, b + QPoint(4, 0));
    }

    void unitsConvertWhatIsShownAndWhatIsTyped() {
        main_->Impianto(0);
        auto* unita = f<QComboBox>("cmbUmQrinn");
        const double qrinn = lavoro().Qrinn;
        unita->setCurrentIndex(2); // m3/h
        dialogo().cmbUmQrinnChange();
        QCOMPARE(lavoro().Qrinn, qrinn);
        QCOMPARE(campo("fldQrinn")->valore().value_or(-1), std::round(qrinn * 2937.6 * 10) / 10);
        scrivi("fldQrinn", QStringLiteral("3000"));
        unita->setCurrentIndex(0); // kg/s: the typed value was in m3/h
        dialogo().cmbUmQrinnChange();
        QCOMPARE(lavoro().Qrinn, 3000 / 2937.6);
        QCOMPARE(lavoro().umQrinn, std::uint8_t{0});

        // C's latent row in kW or as a moisture flow; not offered in winter.
        main_->Impianto(2);
        const double clat = lavoro().Clat;
        QCOMPARE(f<QLabel>("LbUmClatCx")->text(), QStringLiteral("kW"));
        f<QPushButton>("BtnTglCLatCx")->click();
        QCOMPARE(f<QLabel>("LbUmClatCx")->text(), QStringLiteral("g/s"));
        QCOMPARE(lavoro().Cx, clat / 2.555);
        QVERIFY(!okAttivo());
        f<QPushButton>("BtnTglCLatCx")->click();
        QCOMPARE(f<QLabel>("LbClatCx")->text(), QStringLiteral("Carico latente amb."));
        main_->Impianto(3);
        QVERIFY(!f<QPushButton>("BtnTglCLatCx")->isVisibleTo(&dialogo()));
    }

    void cancelPutsTheWorkBack() {
        // A new configuration over a manual work: Cancel gives the work back
        // exactly, points and sequence included.
        TLavoro& l = lavoro();
        l.TipoImpianto = 6;
        l.NumPunti = 2;
        l.Punti[0].tbs = 21.5;
        l.NumTrattamenti = 1;
        l.Descrizione.assegna("Sala riunioni");
        p_.s->documento->testata.CalcoliValidi = 1;
        const TLavoro prima = l;
        main_->Impianto(1);
        QVERIFY(!(l == prima));
        f<QPushButton>("CancelBtn")->click();
        QVERIFY(l == prima);
        QCOMPARE(p_.s->documento->testata.CalcoliValidi, std::uint16_t{1});
        QVERIFY(!dialogo().isVisible());

        // A revision: Cancel after typing and a calculation.
        main_->Impianto(0);
        f<QPushButton>("OKBtn")->click();
        const TLavoro calcolato = l;
        main_->Revisione();
        scrivi("fldEsterne1", QStringLiteral("35"));
        f<QPushButton>("BtnCalcola")->click();
        QCOMPARE(l.tbsEst, 35.0);
        f<QPushButton>("CancelBtn")->click();
        QVERIFY(l == calcolato);
    }

    void aDraggedValueIsTheOneItsFieldShows() {
        // C's supply point dragged away and back to 18.0 (as the mouse gives
        // it: never exactly) flows as a typed 18,0.
        struct Caso {
            int tipo;
            const char* campo;
            double trascinato;
            int codice;
        };
        const Caso casi[] = {{2, "fldtb_Qimm", 18.0437, 2},
                             {0, "fldInterne1", 25.9618, 0},
                             {5, "fldtb_Qimm", 61.3377, 3}};
        for (const Caso& c : casi) {
            main_->Impianto(c.tipo);
            dialogo().trascina(c.codice, c.trascinato + 3, 0.5, 0.008);
            dialogo().trascina(c.codice, c.trascinato, c.trascinato / 100.0, 0.008);
            const TLavoro trascinato = lavoro();
            scrivi(c.campo, campo(c.campo)->text());
            f<QPushButton>("BtnCalcola")->click();
            QVERIFY2(lavoro() == trascinato, c.campo);
        }
    }

    void closingTheWindowKeepsTheCalculationEscCancels() {
        main_->Impianto(0);
        scrivi("fldEsterne1", QStringLiteral("35"));
        f<QPushButton>("BtnCalcola")->click();
        const TLavoro calcolato = lavoro();
        dialogo().close();
        QVERIFY(!dialogo().isVisible());
        QVERIFY(lavoro() == calcolato);
        QCOMPARE(p_.s->documento->testata.CalcoliValidi, std::uint16_t{1});

        main_->Revisione();
        scrivi("fldEsterne1", QStringLiteral("30"));
        f<QPushButton>("BtnCalcola")->click();
        QTest::keyClick(&dialogo(), Qt::Key_Escape);
        QVERIFY(!dialogo().isVisible());
        QVERIFY(lavoro() == calcolato);
    }

    void cancelShowsTheWorkAsItWasEvenAfterAnUndo() {
        // A manual heating, then a new scheme A cancelled: the log and the
        // points table are the heating's again, and the status line is clear.
        main_->DettaglioCalcolo();
        main_->CondizioniPunti();
        test::sulDialogo(QStringLiteral("FormCalcUte"), [](QWidget* w) {
            w->findChild<QPushButton*>(QStringLiteral("BtnCalcola"))->click();
            static_cast<TFormCalcUte*>(w)->Miscela1Click(7);
        });
        main_->Trattamento(4);
        main_->diagramma()->paintASHRAE()->repaint(); // places the points (X, Y)
        const TLavoro manuale = lavoro();
        const QString stato = main_->diagramma()->statoTesto();
        main_->Impianto(0);
        scrivi("fldInterne1", QStringLiteral("23,3"));
        scrivi("fldInterne2", QStringLiteral("63,5"));
        f<QPushButton>("BtnCalcola")->click(); // a failed run: a message in the status line
        QVERIFY(!main_->diagramma()->statoTesto().isEmpty());
        f<QPushButton>("CancelBtn")->click();
        QVERIFY(lavoro() == manuale);
        QCOMPARE(main_->dettaglio()->righe().value(0), QStringLiteral("--RISCALDAMENTO--"));
        QCOMPARE(main_->tabellaPunti()->tabella()->rowCount(), 2);
        main_->diagramma()->paintASHRAE()->repaint();
        QCOMPARE(main_->diagramma()->statoTesto(), stato);

        // An undo while the dialog is open does not move what Cancel gives back.
        main_->Impianto(0);
        f<QPushButton>("OKBtn")->click();
        const TLavoro aperto = lavoro();
        main_->Revisione();
        scrivi("fldEsterne1", QStringLiteral("35"));
        f<QPushButton>("BtnCalcola")->click();
        scrivi("fldEsterne1", QStringLiteral("36"));
        f<QPushButton>("BtnCalcola")->click();
        main_->Annulla();
        f<QPushButton>("CancelBtn")->click();
        QVERIFY(lavoro() == aperto);
    }

    void aNewSchemeStartsFromCleanRecordsAndWritesWhereTheWorkIs() {
        for (TTrattamento& t : lavoro().Trattamenti)
            t.Qtot = 102838.0; // what an earlier sequence left
        for (TPunto& p : lavoro().Punti)
            p.tbs = 99.0;
        main_->Impianto(3);
        for (std::size_t k = lavoro().NumTrattamenti; k < TLavoro::MaxTrattamenti; ++k)
            QVERIFY(lavoro().Trattamenti[k] == TTrattamento{});
        for (std::size_t n = lavoro().NumPunti; n < TLavoro::MaxPunti; ++n)
            QVERIFY(lavoro().Punti[n] == TPunto{});

        // A work opened from another folder: the trace follows it.
        const std::string altra = p_.dati() + "altra/";
        std::filesystem::create_directories(altra);
        p_.s->settings.DIR_LAVORI = altra;
        f<QPushButton>("BtnCalcola")->click();
        QVERIFY(std::filesystem::exists(altra + "DETTAGLI.TXT"));
        QVERIFY(std::filesystem::exists(altra + "RISULT.TXT"));
    }

    void anAssistiveToolsEditNeedsACalculation() {
        main_->Impianto(0);
        QVERIFY(okAttivo());
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(campo("fldEsterne1"));
        a->setText(QAccessible::Value, QStringLiteral("34"));
        QVERIFY(!okAttivo());
        f<QPushButton>("BtnCalcola")->click();
        QCOMPARE(lavoro().tbsEst, 34.0);
        QVERIFY(okAttivo());
    }

    void aChartAtAnotherPressureOffersToRecalculate() {
        main_->Impianto(0);
        f<QPushButton>("OKBtn")->click();
        const TLavoro mare = lavoro();
        // A chart generated at 1200 m: the work is pointed out, and kept
        // as it was when the user says so.
        auto genera = [] {
            test::sulDialogo(QStringLiteral("FormBldChart"), [](QWidget* w) {
                auto* d = static_cast<TFormBldChart*>(w);
                for (auto [campo, testo] :
                     {std::pair{d->fldTbsMin(), "-5"}, std::pair{d->fldTbsMax(), "40"},
                      std::pair{d->fldWmax(), "30"}}) {
                    campo->selectAll();
                    QTest::keyClicks(campo, QString::fromUtf8(testo));
                }
                d->memo()->setPlainText(QStringLiteral("A 1200 m"));
                d->frame()->impostaPressione(pressureFromAltitude(1200));
                d->accept();
            });
        };
        auto rispondi = [](QMessageBox::StandardButton b, QString* testo) {
            test::sulDialogo(QStringLiteral("boxPressione"), [b, testo](QWidget* w) {
                auto* box = static_cast<QMessageBox*>(w);
                *testo = box->text();
                box->button(b)->click();
            });
        };
        // Recalculated: the room at 25 °C / 50 % holds more water at the
        // lower pressure.
        QString testo;
        genera();
        rispondi(QMessageBox::Yes, &testo);
        main_->GeneraChart();
        QVERIFY2(testo.contains(QStringLiteral("101325 Pa")), qPrintable(testo));
        QCOMPARE(lavoro().CodiceChart, std::int16_t{2});
        QCOMPARE(lavoro().CodiceErrore, std::uint16_t{0});
        QCOMPARE(lavoro().Punti[1].tbs, mare.Punti[1].tbs);
        QVERIFY(lavoro().Punti[1].x > mare.Punti[1].x * 1.1);
        QVERIFY(p_.s->documento->modificato);
        QVERIFY(main_->statusBar()->currentMessage().isEmpty());

        // Back on the sea-level chart, left as it is: said in the status line.
        const TLavoro montagna = lavoro();
        test::sulDialogo(QStringLiteral("FormSelectChart"), [](QWidget* w) {
            auto* d = static_cast<TFormSelectChart*>(w);
            d->lista()->setCurrentRow(0);
            d->accept();
        });
        rispondi(QMessageBox::No, &testo);
        main_->SelezionaChart();
        QCOMPARE(lavoro().CodiceChart, std::int16_t{1});
        for (std::size_t n = 0; n < TLavoro::MaxPunti; ++n)
            QCOMPARE(lavoro().Punti[n].x, montagna.Punti[n].x);
        QVERIFY(main_->statusBar()->currentMessage().contains(QStringLiteral("87798 Pa")));
    }

    void everyControlHasAnAccessibleName() {
        QStringList mancanti;
        for (const int tag : {0, 2, 3, 5}) {
            main_->Impianto(tag);
            for (const QString& m : test::senzaNome(&dialogo()))
                mancanti << QString::number(tag) + QLatin1Char('/') + m;
        }
        QVERIFY2(mancanti.isEmpty(), qPrintable(mancanti.join(' ')));
    }

    void helpShowsThePageOfTheConfiguration() {
        for (int tag = 0; tag < 6; ++tag) {
            main_->Impianto(tag);
            // The button, or F1 anywhere in the dialog.
            if (tag % 2)
                QTest::keyClick(campo("fldVolume"), Qt::Key_F1);
            else
                f<QPushButton>("HelpBtn")->click();
            QTextBrowser* aiuto = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* t = qobject_cast<QTextBrowser*>(w); t && t->isVisible())
                    aiuto = t;
            QVERIFY(aiuto);
            const QString atteso = QStringLiteral("Impianto ") + QChar(u'A' + tag) + u':';
            QVERIFY2(aiuto->toPlainText().startsWith(atteso), qPrintable(aiuto->toPlainText()));
        }
    }
};

int main(int argc, char** argv) {
    return tarvelo::test::eseguiTestGui<GuiPlants>(argc, argv);
}

#include "gui_plants_test.moc"
