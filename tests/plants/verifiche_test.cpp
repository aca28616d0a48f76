// The engineering checks: each one just beyond its limit and just inside it
// on a small sequence built point by point, then on plant runs as a
// designer makes them.
#include "document/ini_file.h"
#include "engine/moist_air.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"
#include "support/plant_run.h"
#include "support/temp_dir.h"
#include "treatments/verifiche.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace tarvelo {
namespace {

TPunto& punto(TLavoro& l, int n, const char* nome, double tbs, double UR) {
    TPunto& p = l.Punti[static_cast<std::size_t>(n - 1)];
    p.Nome.assegna(nome);
    p.tbs = tbs;
    p.UR = UR;
    p.x = 0.008;
    p.tbu = tbs - 5;
    p.v = 0.85;
    p.InUso = 1;
    l.NumPunti = static_cast<std::uint8_t>(std::max<int>(l.NumPunti, n));
    return p;
}

TTrattamento& tratto(TLavoro& l, int k, int tipo, int p1, int p2, int reale = 1) {
    TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k - 1)];
    t.Tipo = static_cast<std::uint8_t>(tipo);
    t.Punto1 = p1;
    t.Punto2 = p2;
    t.Reale = static_cast<std::uint8_t>(reale);
    l.NumTrattamenti = static_cast<std::uint8_t>(std::max<int>(l.NumTrattamenti, k));
    return t;
}

// A coil 1 -> 2 with its surface point 3 ("ts") at the end of the extension
// line, and the user's room-load line from the supply 2 to the room 4.
TLavoro sequenza() {
    TLavoro l;
    l.TipoImpianto = 6;
    punto(l, 1, "1", 28, 50);
    punto(l, 2, "2", 15, 90);
    punto(l, 3, "ts", 10, 100);
    punto(l, 4, "B", 24, 50);
    TTrattamento& coil = tratto(l, 1, 2, 1, 2);
    coil.Dati.fsDato = 0.7;
    tratto(l, 2, 5, 2, 3, 0);
    tratto(l, 3, 5, 2, 4, 0).Estensione = 1;
    return l;
}

bool ha(const std::vector<Verifica>& v, int codice) {
    return std::any_of(v.begin(), v.end(), [&](const Verifica& c) { return c.codice == codice; });
}

TEST(Verifiche, EachCheckAtItsLimit) {
    struct Caso {
        const char* nome;
        std::function<void(TLavoro&)> imposta;
        int codice;
        bool atteso;
    };
    const auto P = [](TLavoro& l, int n) -> TPunto& {
        return l.Punti[static_cast<std::size_t>(n - 1)];
    };
    const Caso casi[] = {
        {"ts sotto zero", [&](TLavoro& l) { P(l, 3).tbs = -0.1; }, VerBrina, true},
        {"ts a zero", [&](TLavoro& l) { P(l, 3).tbs = 0.0; }, VerBrina, false},
        {"ts a zero è vicina al gelo", [&](TLavoro& l) { P(l, 3).tbs = 0.0; }, VerQuasiBrina, true},
        {"ts a 2 °C", [&](TLavoro& l) { P(l, 3).tbs = 2.0; }, VerQuasiBrina, false},
        {"ts non trovata", [&](TLavoro& l) { P(l, 3).tbs = -5, P(l, 3).Nome.assegna(""); },
         VerBrina, false},
        {"fattore di contatto 0,59", [&](TLavoro& l) { l.Trattamenti[0].Dati.fsDato = 0.59; },
         VerFattoreContatto, true},
        {"fattore di contatto 0,60", [&](TLavoro& l) { l.Trattamenti[0].Dati.fsDato = 0.6; },
         VerFattoreContatto, false},
        {"fattore di contatto 0,98", [&](TLavoro& l) { l.Trattamenti[0].Dati.fsDato = 0.98; },
         VerFattoreContatto, false},
        {"fattore di contatto 0,981", [&](TLavoro& l) { l.Trattamenti[0].Dati.fsDato = 0.981; },
         VerFattoreContatto, true},
        {"condensa", [&](TLavoro& l) { l.Trattamenti[0].qx = 0.005; }, VerCondensa, true},
        {"nessuna condensa", [&](TLavoro& l) { l.Trattamenti[0].qx = 0; }, VerCondensa, false},
        {"aria gelida in batteria", [&](TLavoro& l) { P(l, 1).tbs = -0.1; }, VerAriaGelida, true},
        {"aria a zero in batteria", [&](TLavoro& l) { P(l, 1).tbs = 0; }, VerAriaGelida, false},
        {"immissione al 95,1 %", [&](TLavoro& l) { P(l, 2).UR = 95.1; }, VerURImmissione, true},
        {"immissione al 95 %", [&](TLavoro& l) { P(l, 2).UR = 95; }, VerURImmissione, false},
        {"10 K sotto l'ambiente", [&](TLavoro& l) { P(l, 4).tbs = 25; }, VerDtRaffreddamento,
         false},
        {"10,1 K sotto l'ambiente", [&](TLavoro& l) { P(l, 4).tbs = 25.1; }, VerDtRaffreddamento,
         true},
        {"15 K sopra l'ambiente", [&](TLavoro& l) { P(l, 4).tbs = 0; }, VerDtRiscaldamento, false},
        {"15,1 K sopra l'ambiente", [&](TLavoro& l) { P(l, 4).tbs = -0.1; }, VerDtRiscaldamento,
         true},
        {"un calcolo fallito non si verifica",
         [&](TLavoro& l) { P(l, 3).tbs = -3, l.Trattamenti[0].Errore = 310; }, VerBrina, false},
        {"un punto oltre la saturazione si verifica",
         [&](TLavoro& l) { P(l, 3).tbs = -3, l.Trattamenti[0].Errore = 3000; }, VerBrina, true},
    };
    const LimitiVerifiche limiti;
    for (const Caso& c : casi) {
        TLavoro l = sequenza();
        c.imposta(l);
        const std::vector<Verifica> v = verifiche(l, limiti);
        EXPECT_EQ(ha(v, c.codice), c.atteso) << c.nome;
    }
}

TEST(Verifiche, HumidifiersAtTheirLimits) {
    // Adiabatic from 30 °C with a wet bulb of 15 °C: 95 % of the way to
    // saturation ends at 15.75 °C.
    struct Caso {
        int tipo;
        double t2, UR2, t1;
        int codice;
        bool atteso;
    };
    const Caso casi[] = {
        {4, 15.8, 90, 30, VerEfficienzaSaturazione, false},
        {4, 15.7, 90, 30, VerEfficienzaSaturazione, true},
        {6, 15.7, 90, 30, VerEfficienzaSaturazione, false}, // steam: no such limit
        {4, 20, 95, 30, VerURUmidificatore, false},
        {6, 20, 95.1, 30, VerURUmidificatore, true},
        {4, 20, 80, -0.1, VerAriaGelida, true},
        {6, 20, 80, 0, VerAriaGelida, false},
    };
    for (const Caso& c : casi) {
        TLavoro l;
        l.TipoImpianto = 6;
        TPunto& p1 = punto(l, 1, "1", c.t1, 30);
        p1.tbu = 15;
        punto(l, 2, "2", c.t2, c.UR2);
        tratto(l, 1, c.tipo, 1, 2).qx = 0.001;
        const std::vector<Verifica> v = verifiche(l, LimitiVerifiche{});
        EXPECT_EQ(ha(v, c.codice), c.atteso) << c.tipo << " " << c.t2 << " " << c.UR2;
        EXPECT_TRUE(ha(v, VerAcquaUmidificatore));
    }
}

TEST(Verifiche, APlantCoilThatIcesUpIsTold) {
    // Code 0, a coil surface below freezing and no word of it before.
    const TLavoro l = test::corsaImpianto(0, [](TLavoro& d) {
        d.tbsImm = 14;
        d.Clat = 11;
        d.tbsInt = 21;
        d.URInt = 55;
    });
    ASSERT_EQ(l.CodiceErrore, 0);
    const std::vector<Verifica> v = verifiche(l, LimitiVerifiche{});
    ASSERT_TRUE(ha(v, VerBrina));
    const Verifica& brina =
        *std::find_if(v.begin(), v.end(), [](const Verifica& c) { return c.codice == VerBrina; });
    EXPECT_EQ(brina.livello, LivelloVerifica::Avviso);
    EXPECT_NE(brina.messaggio.find("ts = -1,6 °C"), std::string::npos) << brina.messaggio;
    EXPECT_EQ(l.Punti[static_cast<std::size_t>(brina.punto - 1)].Nome.testo(), "ts");
    EXPECT_EQ(brina.trattamento, 3);

    // The samples of the six configurations raise no warning of frost,
    // and the winter ones none at all.
    for (int tipo = 0; tipo < 6; ++tipo) {
        const TLavoro s = test::corsaImpianto(tipo);
        ASSERT_EQ(s.CodiceErrore, 0) << tipo;
        const std::vector<Verifica> c = verifiche(s, LimitiVerifiche{});
        EXPECT_FALSE(ha(c, VerBrina)) << tipo;
        if (tipo >= 3) {
            EXPECT_TRUE(std::none_of(c.begin(), c.end(), [](const Verifica& x) {
                return x.livello == LivelloVerifica::Avviso;
            })) << tipo;
        }
    }
    // A run that failed is not checked.
    TLavoro fallito = test::corsaImpianto(0, [](TLavoro& d) { d.tbsImm = 12; });
    ASSERT_NE(fallito.CodiceErrore, 0);
    EXPECT_TRUE(verifiche(fallito, LimitiVerifiche{}).empty());
}

TEST(Verifiche, AirChangesOnTheRealVolumeAtAltitude) {
    // At 1500 m the supply air is thinner: the real volume flow and air
    // changes are above those of normal air (0.816 m³/kg).
    const TLavoro l = test::corsaImpianto(0, {}, 84556);
    ASSERT_EQ(l.CodiceErrore, 0);
    const PortataReale q = portataReale(l);
    ASSERT_EQ(q.puntoImmissione, 4); // D
    const double v = l.Punti[3].v;
    EXPECT_GT(v, 0.95);
    EXPECT_DOUBLE_EQ(q.QvReale, l.Qimm * v * 3600);
    EXPECT_DOUBLE_EQ(q.RicambiReali, q.QvReale / l.Volume);
    EXPECT_NEAR(q.RicambiReali / l.QvVol, v / 0.816, 1e-9);

    LimitiVerifiche limiti;
    limiti.ricambiMax = q.RicambiReali - 0.01;
    EXPECT_TRUE(ha(verifiche(l, limiti), VerRicambiAlti));
    limiti.ricambiMax = q.RicambiReali + 0.01;
    EXPECT_FALSE(ha(verifiche(l, limiti), VerRicambiAlti));
    limiti.ricambiMin = q.RicambiReali + 0.01;
    EXPECT_TRUE(ha(verifiche(l, limiti), VerRicambiBassi));
}

TEST(Verifiche, LimitsComeFromTheFolderFile) {
    test::TempDir dir;
    test::TempDir::writeText(dir.file("TARVEX.INI"),
                             "[VERIFICHE]\ntsBrina=3,5\nURImmissione=abc\nricambiMax=5000\n");
    IniFile ini;
    ASSERT_TRUE(ini.load(dir.file("TARVEX.INI")));
    std::vector<std::string> avvisi;
    const LimitiVerifiche l = leggiLimitiVerifiche(ini, avvisi);
    EXPECT_EQ(l.tsBrina, 3.5);
    EXPECT_EQ(l.URImmissione, 95); // kept, and said
    EXPECT_EQ(l.ricambiMax, 20);
    ASSERT_EQ(avvisi.size(), 2u);
    EXPECT_NE(avvisi[0].find("URImmissione=abc"), std::string::npos) << avvisi[0];
    EXPECT_NE(avvisi[1].find("ricambiMax=5000"), std::string::npos) << avvisi[1];

    TLavoro s = sequenza();
    s.Punti[2].tbs = 3;
    EXPECT_TRUE(ha(verifiche(s, l), VerBrina));
    EXPECT_FALSE(ha(verifiche(s, LimitiVerifiche{}), VerBrina));
}

} // namespace
} // namespace tarvelo
