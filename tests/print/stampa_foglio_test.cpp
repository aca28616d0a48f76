// The drawing sheet composed on recorded pages from a real chart file and
// plant works, with fixed text metrics: what is printed, where, in which
// colour, and when the composition refuses.
#include "chart/initial_chart.h"
#include "document/defaults_archive.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"
#include "print/report_recording.h"
#include "print/stampa_foglio.h"
#include "support/fixed_measurer.h"
#include "support/fixed_report_device.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>

namespace tarvelo {
namespace {

using test::TempDir;

class Foglio : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<std::string> creati;
        ASSERT_TRUE(preparaCartellaDati(dir.prefix(), creati).ok);
        settings = TDriveMdl::crea(dir.prefix());
        bool creato = false;
        ASSERT_TRUE(assicuraChartIniziale(settings, misuraChart, creato).ok);
        ASSERT_TRUE(settings.archivio().leggiTestataChart(1, chart).ok);
        ASSERT_TRUE(settings.archivio().leggiDefault(def).ok);
        impianto(0);
    }

    // A plant configuration with its sample data, calculated.
    void impianto(int tipo) {
        lavoro = TLavoro{};
        lavoro.TipoImpianto = static_cast<std::uint8_t>(tipo);
        CaricaEsempioImpianto(tipo, lavoro, def);
        lavoro.TestataChart = chart;
        lavoro.CodiceChart = 1;
        ASSERT_EQ(CalcolaImpianto(lavoro, dir.prefix()).codice, 0);
        testata.CalcoliValidi = 1;
        testata.SenzaNome = 0;
        testata.UmStampa = 1;
        testata.NumFoglio.assegna("007");
        testata.PiePagina.assegna("11/12/2026");
        testata.Progetto.assegna("Uffici\r\nsecondo piano");
    }

    Esito componi(bool mono = true, std::string nome = "A.TRV") {
        const DatiStampa d{lavoro, testata, settings.DIR_ARCHIVI, std::move(nome), mono};
        return ComponiFoglio(d, misura, reg);
    }
    std::vector<const OperazioneReport*> testi() const {
        std::vector<const OperazioneReport*> v;
        for (const auto& op : reg.pagine.at(0).operazioni)
            if (op.tipo == OperazioneReport::Tipo::Testo)
                v.push_back(&op);
        return v;
    }
    const OperazioneReport* trova(const std::string& t) const {
        for (const auto* op : testi())
            if (op->testo == t)
                return op;
        return nullptr;
    }
    // The texts of one size printed in one row (same baseline), left to
    // right.
    std::vector<std::string> riga(int y, double punti) const {
        std::vector<const OperazioneReport*> v;
        for (const auto* op : testi())
            if (op->y1 == y && op->font.punti == punti)
                v.push_back(op);
        std::sort(v.begin(), v.end(), [](auto* a, auto* b) { return a->x1 < b->x1; });
        std::vector<std::string> s;
        for (const auto* op : v)
            s.push_back(op->testo);
        return s;
    }

    // The sheet composed step by step: the operations of each step.
    std::map<std::string, std::vector<OperazioneReport>> sezioni(bool mono = true) {
        RegistratoreReport registro(misura);
        registro.nuovaPagina();
        TBaseReport r(registro);
        std::vector<std::pair<std::string, std::size_t>> inizi;
        AvanzamentoStampa a;
        a.sezione = [&](const std::string& nome) {
            inizi.emplace_back(nome, registro.registrazione().pagine[0].operazioni.size());
        };
        const DatiStampa d{lavoro, testata, settings.DIR_ARCHIVI, "A.TRV", mono};
        EXPECT_TRUE(ReportPrinter1Print(r, d, a).ok);
        const auto& ops = registro.registrazione().pagine[0].operazioni;
        std::map<std::string, std::vector<OperazioneReport>> out;
        for (std::size_t i = 0; i < inizi.size(); ++i) {
            const std::size_t fine = i + 1 < inizi.size() ? inizi[i + 1].second : ops.size();
            out[inizi[i].first].assign(ops.begin() + static_cast<std::ptrdiff_t>(inizi[i].second),
                                       ops.begin() + static_cast<std::ptrdiff_t>(fine));
        }
        return out;
    }
    // The box of a text on its baseline, as the fixed metrics measure it:
    // from its ascent above the baseline, one line high.
    Riquadro scatola(const OperazioneReport& op) {
        const int w = misura.larghezzaTesto(op.font, op.testo);
        const int a = misura.ascesa(op.font);
        return Riquadro::daAngolo(op.x1, op.y1 - a, w, misura.altezzaRiga(op.font));
    }

    TempDir dir;
    TDriveMdl settings;
    test::FixedMeasurer misuraChart;
    TTestataChart chart;
    TDefault def;
    TLavoro lavoro;
    TTestataLavoro testata;
    test::MisuraReportFissa misura{2, 4, 3};
    Registrazione reg;
};

TEST_F(Foglio, APlantWorkPrintsEveryBoxAndTable) {
    ASSERT_TRUE(componi().ok);
    ASSERT_EQ(reg.pagine.size(), 1u);
    for (const char* t : {"Progetto:", "Foglio n. 007", "Uffici", "secondo piano", "File: A.TRV",
                          "11/12/2026", TitoloRiquadroPunti, "SEQUENZA DEI TRATTAMENTI  ",
                          "Condizioni interne:", " DIAGRAMMA PSICROMETRICO", "ASHRAE ",
                          "Pressione barometrica  101325 Pa  - UNITA' SI -",
                          "Temperatura bulbo secco (tbs) in \xB0"
                          "C"})
        EXPECT_TRUE(trova(t)) << t;
    // The points box: a row per point, name and values in their masks.
    const OperazioneReport* b = nullptr;
    for (const auto* op : testi())
        if (op->testo == "B" && op->font.punti == 10)
            b = op;
    ASSERT_TRUE(b);
    EXPECT_EQ(riga(b->y1, 10), (std::vector<std::string>{"B", "25.00", " 50.0", "17.89", " 13.86",
                                                         " 9.88", "50.310", "0.858"}));
    // The treatments table: the coil's second row with its powers.
    const OperazioneReport* coil = trova("deumidificazione");
    ASSERT_TRUE(coil);
    // Empty cells print nothing: label, point, qm, qv, dt, dx, dh, Qs, Qt, ...
    const std::vector<std::string> r2 = riga(coil->y1, 9);
    ASSERT_EQ(r2.size(), 12u);
    EXPECT_EQ(r2[1], "D");
    EXPECT_EQ(r2[7], " 31.961");
    EXPECT_EQ(r2[8], " 44.357");
}

TEST_F(Foglio, WithoutValidResultsOnlyTheChartItsBoxAndTheFrame) {
    for (int caso = 0; caso < 2; ++caso) {
        impianto(0);
        if (caso == 0)
            testata.CalcoliValidi = 0;
        else
            lavoro.CodiceErrore = 5;
        ASSERT_TRUE(componi().ok);
        EXPECT_FALSE(trova(TitoloRiquadroPunti)) << caso;
        EXPECT_FALSE(trova("SEQUENZA DEI TRATTAMENTI  ")) << caso;
        EXPECT_FALSE(trova("Condizioni interne:")) << caso;
        EXPECT_FALSE(trova("A")) << caso; // no point names on the chart
        EXPECT_TRUE(trova(" DIAGRAMMA PSICROMETRICO")) << caso;
        EXPECT_TRUE(trova("Progetto:")) << caso;
    }
}

TEST_F(Foglio, MonochromeIsAllBlackAndColourKeepsTheNamedColours) {
    const auto colori = [&] {
        std::vector<Rgb> v;
        for (const auto& op : reg.pagine.at(0).operazioni) {
            if (op.tipo == OperazioneReport::Tipo::Testo)
                v.push_back(op.font.colore);
            else if (op.tipo != OperazioneReport::Tipo::Rettangolo || op.conPenna)
                v.push_back(op.penna.colore);
        }
        return v;
    };
    ASSERT_TRUE(componi(true).ok);
    for (const Rgb& c : colori())
        EXPECT_EQ(c, (Rgb{0, 0, 0}));
    ASSERT_TRUE(componi(false).ok);
    EXPECT_EQ(trova("Progetto:")->font.colore, (Rgb{0, 0x80, 0}));
    EXPECT_EQ(trova("SEQUENZA DEI TRATTAMENTI  ")->font.colore, (Rgb{0, 0x80, 0}));
    EXPECT_EQ(trova("Condizioni interne:")->font.colore, (Rgb{0xFF, 0, 0}));
    EXPECT_EQ(trova("25.00")->font.colore, (Rgb{0, 0, 0xFF}));
    const auto c = colori();
    EXPECT_GT(std::count_if(c.begin(), c.end(), [](Rgb x) { return !(x == Rgb{0, 0, 0}); }), 100);
}

TEST_F(Foglio, TheTableNumbersCoolingsAndPrintsLargeWaterFlowsWithOneDecimal) {
    impianto(3); // D: mixing, heating, humidification
    // A cooling slipped in as the second treatment is counted, not listed.
    TTrattamento raff = lavoro.Trattamenti[1];
    raff.Tipo = 1;
    raff.Etichetta.assegna("Raffreddamento");
    std::copy_backward(lavoro.Trattamenti.begin() + 1,
                       lavoro.Trattamenti.begin() + lavoro.NumTrattamenti,
                       lavoro.Trattamenti.begin() + lavoro.NumTrattamenti + 1);
    lavoro.Trattamenti[1] = raff;
    ++lavoro.NumTrattamenti;
    for (auto& t : lavoro.Trattamenti)
        if (t.Tipo == 4)
            t.qx = 0.1205; // 120.5 g/s
    testata.UmStampa = 2;
    ASSERT_TRUE(componi().ok);
    EXPECT_TRUE(trova(" 1"));
    EXPECT_FALSE(trova(" 2"));
    EXPECT_TRUE(trova(" 3"));
    EXPECT_TRUE(trova(" 120.5"));
    EXPECT_TRUE(trova("m3/h"));
    EXPECT_FALSE(trova("Raffreddamento"));
}

TEST_F(Foglio, EdgeTextsOfTheTitleBlockAndTheTitleBox) {
    chart.description.assegna("Solo una riga");
    lavoro.TestataChart = chart;
    testata.NumFoglio.assegna("");
    ASSERT_TRUE(componi(true, "").ok);
    EXPECT_TRUE(trova("Foglio n. "));
    EXPECT_FALSE(trova("File: "));
    for (const auto* op : testi())
        EXPECT_EQ(op->testo.rfind("File:", 0), std::string::npos);
    // The title box's second line is empty: nothing between its first and
    // third lines.
    const int y1 = trova(" DIAGRAMMA PSICROMETRICO")->y1;
    const int y3 = trova("Pressione barometrica  101325 Pa  - UNITA' SI -")->y1;
    for (const auto* op : testi())
        if (op->font.punti == 7 && op->y1 > y1 && op->y1 < y3)
            ADD_FAILURE() << op->testo;
}

TEST_F(Foglio, AMissingOrDamagedChartStopsBeforeAnyPage) {
    const std::string file = settings.DIR_ARCHIVI + "CHART.001";
    ASSERT_TRUE(std::filesystem::exists(file));
    auto bytes = TempDir::read(file);
    bytes[bytes.size() / 2] ^= 0x55;
    TempDir::write(file, bytes);
    Esito e = componi();
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(reg.pagine.empty());
    std::filesystem::remove(file);
    e = componi();
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("CHART.001"), std::string::npos) << e.errore;
    EXPECT_TRUE(reg.pagine.empty());
}

TEST_F(Foglio, AChartWiderThanThePageIsReported) {
    misura.p.larghezza = 1800; // narrower than the chart's 2016
    const Esito e = componi();
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("larghezza stampabile"), std::string::npos) << e.errore;
    EXPECT_TRUE(reg.pagine.empty());
}

TEST_F(Foglio, ValuesFromTheFilesStayWithinWhatThePageFileHolds) {
    // A pen style the work file may hold but no pen has: the preview reads
    // back the pages all the same.
    lavoro.Trattamenti[0].StilePenna = 6;
    ASSERT_TRUE(componi().ok);
    Registrazione letta;
    EXPECT_TRUE(leggiTestoRpp(testoRpp(reg), letta).ok);
    // A print section whose sizes would overflow the page arithmetic.
    lavoro.TestataChart.print.leftMargin = std::numeric_limits<std::int32_t>::max();
    reg = {};
    EXPECT_FALSE(componi().ok);
    EXPECT_TRUE(reg.pagine.empty());
}

TEST_F(Foglio, ChartAndPointsLieWhereTheGeometrySays) {
    misura.p = Pagina{2480, 3508, 50, 50, 50, 50};
    ASSERT_TRUE(componi().ok);
    // Centred across; its bottom line 150 above the section's bottom.
    const int offX = static_cast<int>(std::nearbyint((2480 - chart.print.W) / 2.0)); // half to even
    const int offY = 3508 - 50 - 50 - chart.print.y0 - 150;
    const TPunto& a = lavoro.Punti[0];
    const int X = static_cast<int>(
        std::lround(chart.print.sx * a.tbs + chart.print.sx * 5 + chart.print.leftMargin + offX));
    const int Y = chart.print.y0 + offY - static_cast<int>(std::lround(chart.print.sy * a.x));
    bool marcatore = false;
    for (const auto& op : reg.pagine[0].operazioni)
        marcatore = marcatore || (op.tipo == OperazioneReport::Tipo::Ellisse && op.x1 == X - 10 &&
                                  op.y1 == Y - 10 && op.x2 == X + 10);
    EXPECT_TRUE(marcatore) << X << "," << Y;
    const OperazioneReport* nome = nullptr;
    for (const auto* op : testi())
        if (op->testo == "A" && op->font.punti == 12)
            nome = op;
    ASSERT_TRUE(nome);
    EXPECT_EQ(nome->y1, Y + a.EtichDyStampa);
}

TEST_F(Foglio, TheWorkStaysInTheFieldWithItsNamesClearOfTheChartTheLinesAndEachOther) {
    struct Caso {
        int tipo;
        double tbsEst, UREst; // 0: the sample's
    };
    // Every sample, and outdoor states beyond the chart's ends.
    const Caso casi[] = {{0, 0, 0}, {1, 0, 0},    {2, 0, 0},    {3, 0, 0},  {4, 0, 0},
                         {5, 0, 0}, {3, -12, 80}, {5, -10, 80}, {0, 40, 40}};
    for (const Caso& c : casi) {
        const std::string caso = std::string(1, static_cast<char>('A' + c.tipo)) + " " +
                                 std::to_string(static_cast<int>(c.tbsEst));
        impianto(c.tipo);
        if (c.tbsEst != 0) {
            lavoro.tbsEst = c.tbsEst;
            lavoro.UREst = c.UREst;
            ASSERT_EQ(CalcolaImpianto(lavoro, dir.prefix()).codice, 0) << caso;
        }
        auto s = sezioni();
        // The field: tbs min to tbs max across, x from 0 up to x max.
        const ChartVersion& v = chart.print;
        const int offX = static_cast<int>(std::nearbyint((2480 - v.W) / 2.0));
        const int offY = 3508 - 50 - 50 - v.y0 - 150;
        const Riquadro campo{v.leftMargin + offX,
                             v.y0 + offY -
                                 static_cast<int>(std::lround(v.sy * chart.xMax / 1000.0)),
                             static_cast<int>(std::lround(v.sx * (chart.tbsMax - chart.tbsMin))) +
                                 v.leftMargin + offX,
                             v.y0 + offY};
        std::vector<Riquadro> etichetteChart, nomi, marcatori;
        std::vector<Segmento> linee;
        for (const OperazioneReport& op : s["Diagramma"])
            if (op.tipo == OperazioneReport::Tipo::Testo && op.font.rotazione == 0)
                etichetteChart.push_back(scatola(op));
        bool esterno = false;
        for (const OperazioneReport& op : s["Grafico Trattamenti"]) {
            switch (op.tipo) {
            case OperazioneReport::Tipo::Linea:
                esterno = esterno || !campo.contienePunto(op.x1, op.y1) ||
                          !campo.contienePunto(op.x2, op.y2);
                linee.push_back({op.x1, op.y1, op.x2, op.y2});
                break;
            case OperazioneReport::Tipo::Ellisse:
                esterno = esterno || !campo.contienePunto((op.x1 + op.x2) / 2, (op.y1 + op.y2) / 2);
                marcatori.push_back({op.x1, op.y1, op.x2 + 1, op.y2 + 1});
                break;
            default:
                nomi.push_back(scatola(op));
                esterno = esterno || !campo.contiene(nomi.back());
            }
        }
        EXPECT_FALSE(esterno) << caso;
        EXPECT_GE(nomi.size(), c.tbsEst != 0 ? 3u : 4u) << caso;
        for (std::size_t i = 0; i < nomi.size(); ++i) {
            for (std::size_t j = i + 1; j < nomi.size(); ++j)
                EXPECT_FALSE(nomi[i].interseca(nomi[j])) << caso << ": " << i << " e " << j;
            for (const Riquadro& e : etichetteChart)
                EXPECT_FALSE(nomi[i].interseca(e)) << caso << ": " << i;
            for (const Riquadro& m : marcatori)
                EXPECT_FALSE(nomi[i].interseca(m)) << caso << ": " << i;
            // Nor across a process line.
            const Riquadro dentro{nomi[i].sinistra + 1, nomi[i].alto + 1, nomi[i].destra - 1,
                                  nomi[i].basso - 1};
            for (Segmento l : linee)
                EXPECT_FALSE(ritagliaSegmento(dentro, l.x1, l.y1, l.x2, l.y2)) << caso << ": " << i;
        }
    }
}

TEST_F(Foglio, ThePointsBoxLeavesRoomBetweenItsNumbersAndItsLines) {
    impianto(3); // D: a negative enthalpy, the widest number
    auto s = sezioni();
    const auto& ops = s["Riquadro PUNTI"];
    int testi = 0;
    for (const OperazioneReport& op : ops) {
        if (op.tipo != OperazioneReport::Tipo::Testo || op.testo == TitoloRiquadroPunti)
            continue;
        // The box lines of its row either side of it.
        const Riquadro t = scatola(op);
        int sinistra = std::numeric_limits<int>::min(), destra = std::numeric_limits<int>::max();
        for (const OperazioneReport& l : ops) {
            if (l.tipo != OperazioneReport::Tipo::Linea || l.x1 != l.x2 ||
                op.y1 < std::min(l.y1, l.y2) || op.y1 > std::max(l.y1, l.y2))
                continue;
            if (l.x1 <= t.sinistra)
                sinistra = std::max(sinistra, l.x1);
            if (l.x1 >= t.destra)
                destra = std::min(destra, l.x1);
        }
        EXPECT_GE(t.sinistra - sinistra, 10) << op.testo;
        EXPECT_GE(destra - t.destra, 10) << op.testo;
        ++testi;
    }
    EXPECT_EQ(testi, 8 + 7 + 5 * 8); // headers, units but the first, five rows
}

TEST_F(Foglio, TheRowsOfEachTableMeetWhateverTheirSize) {
    // Title, bold headers, units in a smaller size, rows: the box lines at
    // the tables' left edge run on without a gap or an overlap.
    auto s = sezioni();
    for (const char* tabella : {"Riquadro PUNTI", "Tabella trattamenti"}) {
        std::vector<std::pair<int, int>> tratti;
        for (const OperazioneReport& op : s[tabella])
            if (op.tipo == OperazioneReport::Tipo::Linea && op.x1 == op.x2 && op.x1 == 150 + 12)
                tratti.emplace_back(std::min(op.y1, op.y2), std::max(op.y1, op.y2));
        std::sort(tratti.begin(), tratti.end());
        tratti.erase(std::unique(tratti.begin(), tratti.end()), tratti.end());
        ASSERT_GE(tratti.size(), 4u) << tabella;
        for (std::size_t i = 1; i < tratti.size(); ++i)
            EXPECT_EQ(tratti[i].first, tratti[i - 1].second) << tabella << ", riga " << i;
    }
}

TEST_F(Foglio, TheChecksBoxListsTheWarningsBetweenTheTableAndTheChart) {
    // A coil that ices up: two warnings (frost, contact factor), in a frame
    // between the treatments table and the boxes over the chart.
    lavoro = TLavoro{};
    lavoro.TipoImpianto = 0;
    CaricaEsempioImpianto(0, lavoro, def);
    lavoro.TestataChart = chart;
    lavoro.CodiceChart = 1;
    lavoro.tbsImm = 14;
    lavoro.Clat = 11;
    lavoro.tbsInt = 21;
    lavoro.URInt = 55;
    ASSERT_EQ(CalcolaImpianto(lavoro, dir.prefix()).codice, 0);
    const LimitiVerifiche limiti;
    const auto titolo = [&](const LimitiVerifiche* l) {
        const DatiStampa d{lavoro, testata, settings.DIR_ARCHIVI, "A.TRV", true, l};
        EXPECT_TRUE(ComponiFoglio(d, misura, reg).ok);
        return trova("VERIFICHE");
    };
    EXPECT_EQ(titolo(nullptr), nullptr); // not asked for
    const OperazioneReport* t = titolo(&limiti);
    ASSERT_NE(t, nullptr);
    std::string tutto;
    const OperazioneReport* sequenza = trova("SEQUENZA DEI TRATTAMENTI  ");
    // The first box over the chart: the chart's title box, on the right.
    const OperazioneReport* sopra = trova(" DIAGRAMMA PSICROMETRICO");
    ASSERT_TRUE(sequenza && sopra);
    int ultimo = 0;
    for (const auto* op : testi())
        if (op->y1 > t->y1 && op->y1 < sopra->y1 && op->x1 > t->x1) {
            tutto += op->testo + " ";
            ultimo = std::max(ultimo, op->y1);
        }
    EXPECT_NE(tutto.find("brina/ghiaccio"), std::string::npos) << tutto;
    EXPECT_NE(tutto.find("Fattore di contatto della batteria 0,37"), std::string::npos) << tutto;
    EXPECT_EQ(tutto.find("Condensa"), std::string::npos) << tutto; // information only
    EXPECT_GT(t->y1, sequenza->y1);
    // The frame holds the title and every line.
    bool cornice = false;
    for (const auto& op : reg.pagine.at(0).operazioni)
        if (op.tipo == OperazioneReport::Tipo::Rettangolo &&
            op.y1 < t->y1 - misura.ascesa(t->font) && op.y2 > ultimo &&
            op.y2 < sopra->y1 - misura.ascesa(sopra->font))
            cornice = true;
    EXPECT_TRUE(cornice);

    // The sample has no warning: no box.
    impianto(0);
    EXPECT_EQ(titolo(&limiti), nullptr);
}

} // namespace
} // namespace tarvelo
