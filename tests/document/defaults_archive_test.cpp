#include "document/defaults_archive.h"
#include "document/work_records.h"
#include "support/record_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

using test::TempDir;

TTestataChart chartNamed(const std::string& description, double pressure) {
    TTestataChart h;
    h.description.assegna(description);
    h.pressure = pressure;
    h.tbsMin = -10;
    h.tbsMax = 45;
    h.xMax = 30;
    return h;
}

class Archive : public ::testing::Test {
  protected:
    void SetUp() override {
        TDefault d;
        d.NumChart = 3;
        d.ChartDefault = 2;
        ASSERT_TRUE(archivio.creaSeManca(d).ok);
        ASSERT_TRUE(archivio.scriviTestataChart(1, chartNamed("Estate\rMilano", 101325)).ok);
        ASSERT_TRUE(
            archivio.scriviTestataChart(2, chartNamed("Inverno a quota 1000 m e oltre", 89874)).ok);
        ASSERT_TRUE(archivio.scriviTestataChart(3, chartNamed("Montagna", 70108)).ok);
    }
    TempDir dir;
    ArchivioDefault archivio{dir.prefix()};
};

TEST_F(Archive, DefaultsRecordAndChartHeadersAtTheirOffsets) {
    const auto bytes = TempDir::read(archivio.path());
    ASSERT_EQ(bytes.size(), 8u + 488u * 4u);
    EXPECT_EQ(bytes[0], 2);            // ChartDefault
    EXPECT_EQ(bytes[2], 3);            // NumChart
    EXPECT_EQ(bytes[8 + 488 * 2], 30); // length of the description of chart 2
    EXPECT_EQ(offsetTestataChart(12), 5864u);

    TTestataChart h;
    ASSERT_TRUE(archivio.leggiTestataChart(2, h).ok);
    EXPECT_EQ(h.pressure, 89874);
    EXPECT_EQ(h.description.testo(), "Inverno a quota 1000 m e oltre");
}

TEST_F(Archive, ChartsOutsideTheCatalogueAreRefused) {
    TTestataChart h;
    for (int code : {0, 4, -1}) {
        const Esito e = archivio.leggiTestataChart(code, h);
        EXPECT_FALSE(e.ok) << code;
        EXPECT_NE(e.errore.find("non è nell'archivio"), std::string::npos);
    }
    // A head that claims more charts than the file holds.
    TDefault d;
    ASSERT_TRUE(archivio.leggiDefault(d).ok);
    d.NumChart = 9;
    ASSERT_TRUE(archivio.scriviDefault(d).ok);
    const Esito e = archivio.leggiTestataChart(7, h);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("manca"), std::string::npos);
}

TEST_F(Archive, SalvaDefaultChangesOnlyTheHead) {
    const auto before = TempDir::read(archivio.path());
    TTestataLavoro testata;
    testata.UmStampa = 2;
    TLavoro lavoro;
    lavoro.umQrinn = 0;
    lavoro.umQimm = 2;
    lavoro.CodiceChart = 3;
    TDefault d;
    ASSERT_TRUE(archivio.leggiDefault(d).ok);
    salvaDefault(testata, lavoro, d);
    ASSERT_TRUE(archivio.scriviDefault(d).ok);
    const auto after = TempDir::read(archivio.path());
    EXPECT_EQ(test::differingRange(before, after), (std::pair<long, long>{0, 6}));
    TDefault back;
    ASSERT_TRUE(archivio.leggiDefault(back).ok);
    EXPECT_EQ(back.ChartDefault, 3);
    EXPECT_EQ(back.NumChart, 3);
    EXPECT_EQ(back.UmPortataDef, 2);
    EXPECT_EQ(back.UmQrinnDef, 0);
    EXPECT_EQ(back.UmQimmDef, 2);
}

TEST_F(Archive, CatalogueListsTheStartOfEachDescription) {
    std::vector<ArchivioDefault::VoceCatalogo> voci;
    ASSERT_TRUE(archivio.catalogo(voci).ok);
    ASSERT_EQ(voci.size(), 3u);
    EXPECT_EQ(voci[0].descrizione, "Estate"); // cut at the carriage return
    EXPECT_EQ(voci[0].code, 1);
    EXPECT_EQ(voci[1].descrizione, "Inverno a quota 1000"); // 20 characters
    EXPECT_EQ(voci[2].descrizione, "Montagna");
}

TEST_F(Archive, CatalogueHoldsAtMost201Entries) {
    TDefault d;
    d.NumChart = 250;
    ASSERT_TRUE(archivio.scriviDefault(d).ok);
    for (int code = 4; code <= 250; ++code)
        ASSERT_TRUE(
            archivio.scriviTestataChart(code, chartNamed("C" + std::to_string(code), 1e5)).ok);
    std::vector<ArchivioDefault::VoceCatalogo> voci;
    ASSERT_TRUE(archivio.catalogo(voci).ok);
    EXPECT_EQ(voci.size(), 201u);
    EXPECT_EQ(voci.back().descrizione, "C201");
}

TEST(ArchiveMissing, ReadsFailWithAMessage) {
    TempDir dir;
    ArchivioDefault archivio(dir.prefix());
    TDefault d;
    const Esito e = archivio.leggiDefault(d);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("ARCTRV.TVX"), std::string::npos);
    EXPECT_FALSE(archivio.scriviTestataChart(1, TTestataChart{}).ok);
}

} // namespace
} // namespace tarvelo
