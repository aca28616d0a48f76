// The sheets of the plant configurations A, C and F and of a manual
// sequence, compared operation by operation with golden page files kept
// beside the tests (everything drawn after the chart: the chart's own
// replay is tested with the chart). Fixed text metrics and a chart built
// with them make the operations the same on every machine.
// TARVELO_AGGIORNA_GOLDEN=1 rewrites the golden files.
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

#include <cstdlib>

namespace tarvelo {
namespace {

using test::TempDir;

struct Caso {
    const char* nome;
    int tipo; // plant configuration, 6 for a manual sequence
    bool monocromatico;
    std::uint8_t umStampa;
};

class FoglioGolden : public ::testing::TestWithParam<Caso> {};

TEST_P(FoglioGolden, MatchesItsPageFile) {
    const Caso& c = GetParam();
    TempDir dir;
    std::vector<std::string> creati;
    ASSERT_TRUE(preparaCartellaDati(dir.prefix(), creati).ok);
    const TDriveMdl settings = TDriveMdl::crea(dir.prefix());
    test::FixedMeasurer misuraChart;
    bool creato = false;
    ASSERT_TRUE(assicuraChartIniziale(settings, misuraChart, creato).ok);
    TDefault def;
    ASSERT_TRUE(settings.archivio().leggiDefault(def).ok);

    TLavoro l;
    // A manual sequence: the treatments of A as a hand-made sequence.
    l.TipoImpianto = static_cast<std::uint8_t>(c.tipo == 6 ? 0 : c.tipo);
    CaricaEsempioImpianto(l.TipoImpianto, l, def);
    ASSERT_TRUE(settings.archivio().leggiTestataChart(1, l.TestataChart).ok);
    l.CodiceChart = 1;
    ASSERT_EQ(CalcolaImpianto(l, dir.prefix()).codice, 0);
    if (c.tipo == 6) {
        l.TipoImpianto = 6;
        l.TitoloSequenza.assegna("SEQUENZA MANUALE");
    }
    TTestataLavoro h;
    h.CalcoliValidi = 1;
    h.UmStampa = c.umStampa;
    h.NumFoglio.assegna("003");
    h.PiePagina.assegna("Studio termotecnico - 11/12/2026");
    h.Progetto.assegna("Ampliamento uffici\r\nVia Roma 1, Milano");

    test::MisuraReportFissa misura{2, 4, 3, true};
    RegistratoreReport registro(misura);
    registro.nuovaPagina();
    TBaseReport r(registro);
    std::size_t dopoIlDiagramma = 0;
    AvanzamentoStampa a;
    a.sezione = [&](const std::string& s) {
        if (s == "Grafico Trattamenti" || (s == "Riquadro ASHRAE" && dopoIlDiagramma == 0))
            dopoIlDiagramma = registro.registrazione().pagine[0].operazioni.size();
    };
    const DatiStampa dati{l, h, settings.DIR_ARCHIVI, "LAVORO.TRV", c.monocromatico};
    ASSERT_TRUE(ReportPrinter1Print(r, dati, a).ok);

    Registrazione dopo;
    dopo.pagina = registro.registrazione().pagina;
    const auto& ops = registro.registrazione().pagine[0].operazioni;
    dopo.pagine.push_back(
        PaginaRegistrata{{ops.begin() + static_cast<std::ptrdiff_t>(dopoIlDiagramma), ops.end()}});
    const std::string testo = testoRpp(dopo);
    const std::string golden = std::string(TARVELO_GOLDEN_DIR) + "/" + c.nome + ".rpp";
    if (std::getenv("TARVELO_AGGIORNA_GOLDEN")) {
        TempDir::writeText(golden, testo);
        GTEST_SKIP() << "riscritto " << golden;
    }
    const auto atteso = TempDir::read(golden);
    ASSERT_FALSE(atteso.empty()) << golden;
    // Compared as operations first, so that a difference names its line.
    Registrazione attesa;
    ASSERT_TRUE(leggiTestoRpp(std::string(atteso.begin(), atteso.end()), attesa).ok);
    const auto& a1 = attesa.pagine.at(0).operazioni;
    const auto& a2 = dopo.pagine.at(0).operazioni;
    for (std::size_t i = 0; i < std::min(a1.size(), a2.size()); ++i)
        ASSERT_EQ(a1[i], a2[i]) << "operazione " << i + 1 << ": " << a2[i].testo;
    EXPECT_EQ(a1.size(), a2.size());
    EXPECT_EQ(std::string(atteso.begin(), atteso.end()), testo);
}

INSTANTIATE_TEST_SUITE_P(Fogli, FoglioGolden,
                         ::testing::Values(Caso{"foglio_A", 0, false, 1},
                                           Caso{"foglio_C", 2, true, 2},
                                           Caso{"foglio_F", 5, false, 2},
                                           Caso{"foglio_manuale", 6, true, 1}),
                         [](const auto& p) { return std::string(p.param.nome); });

} // namespace
} // namespace tarvelo
