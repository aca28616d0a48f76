#include "plants/suggerimenti.h"

#include "engine/moist_air.h"
#include "engine/numeric.h"
#include "plants/plant_calc.h"
#include "plants/plant_samples.h"

#include "support/plant_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>

namespace tarvelo {
namespace {

double TLavoro::*membro(const std::string& campo) {
    const std::pair<const char*, double TLavoro::*> campi[] = {
        {"tbsInt", &TLavoro::tbsInt}, {"URInt", &TLavoro::URInt}, {"tbsImm", &TLavoro::tbsImm},
        {"tSup", &TLavoro::tSup},     {"URD", &TLavoro::URD},     {"tH2O", &TLavoro::tH2O},
        {"Qrinn", &TLavoro::Qrinn},   {"Qimm", &TLavoro::Qimm},   {"UREst", &TLavoro::UREst},
    };
    for (const auto& [n, m] : campi)
        if (campo == n)
            return m;
    ADD_FAILURE() << "not a field of these tests: " << campo;
    return &TLavoro::tbsInt;
}

// One unit of the value as its field shows it, as stored.
double unitaMostrata(const TLavoro& l, const std::string& campo) {
    if (campo == "tSup" || campo == "URD")
        return 0.01;
    if (campo != "Qrinn" && campo != "Qimm")
        return 0.1;
    const int um = campo == "Qrinn" ? l.umQrinn : l.umQimm;
    if (um == UmLS)
        return 0.01 / FattorePortata(um);
    if (um == UmM3H)
        return 0.1 / FattorePortata(um);
    return 0.0001;
}

// The failed work run again with one field changed: it computes with code
// 0 and points the moist-air relations hold for (-100 to 200 °C).
bool calcolaCon(const TLavoro& fallito, const std::string& campo, double valore) {
    TLavoro l = fallito;
    l.*membro(campo) = valore;
    const double prima = Patm;
    Patm = l.TestataChart.pressure;
    TracciaDettagli t;
    const int codice = CalcolaImpianto(l, t).codice;
    Patm = prima;
    if (codice != 0)
        return false;
    for (int i = 0; i < l.NumPunti; ++i)
        if (std::fabs(l.Punti[static_cast<std::size_t>(i)].tbs - 50) > 150)
            return false;
    return true;
}

// The design range a field is searched in; beyond it nothing is offered.
bool nelCampo(const TLavoro& fallito, const std::string& campo, double valore) {
    if (campo == "Qrinn" || campo == "Qimm") {
        const double q = fallito.*membro(campo);
        return q > 0 ? valore >= q / 100 && valore <= q * 100 : valore >= 0.01 && valore <= 100;
    }
    const struct {
        const char* campo;
        double min, max;
    } campi[] = {
        {"tbsInt", 10, 35}, {"URInt", 20, 80}, {"tbsImm", 5, 45}, {"tSup", 0, 25}, {"URD", 30, 95}};
    for (const auto& c : campi)
        if (campo == c.campo)
            return valore >= c.min && valore <= c.max;
    return fallito.TipoImpianto == 4 ? valore >= 100 && valore <= 180 : valore >= 5 && valore <= 95;
}

// Every suggestion computes, is shown to its field's precision, changes
// the value, and is the nearest such value within the design range: one
// shown unit back towards the value typed the scheme still fails.
void verificaSuggerimenti(const TLavoro& fallito, const std::vector<Suggerimento>& s,
                          const std::string& caso) {
    ASSERT_NE(fallito.CodiceErrore, 0) << caso;
    ASSERT_FALSE(s.empty()) << caso;
    EXPECT_LE(s.size(), 3u) << caso;
    for (const Suggerimento& g : s) {
        SCOPED_TRACE(caso + ": " + g.messaggio);
        const double prima = fallito.*membro(g.campo);
        const double unita = unitaMostrata(fallito, g.campo);
        EXPECT_NE(g.valore, prima);
        EXPECT_TRUE(nelCampo(fallito, g.campo, g.valore));
        EXPECT_TRUE(calcolaCon(fallito, g.campo, g.valore));
        const double passi = g.valore / unita;
        EXPECT_NEAR(passi, std::round(passi), 1e-6);
        const double indietro = g.valore + (g.valore > prima ? -unita : unita);
        if (nelCampo(fallito, g.campo, indietro)) {
            EXPECT_FALSE(calcolaCon(fallito, g.campo, indietro)) << indietro;
        }
        EXPECT_EQ(g.messaggio.rfind("Con ", 0), 0u);
        EXPECT_NE(g.messaggio.find(" lo schema si calcola: "), std::string::npos);
        // The outdoor conditions are climate, the loads and the volume the
        // building's: never offered.
        for (const char* dato : {"tbsEst", "UREst", "Csens", "Clat", "Cx", "Volume"})
            EXPECT_NE(g.campo, dato);
    }
    for (std::size_t i = 0; i < s.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(s[i].campo, s[j].campo) << caso << ": one suggestion per field";
}

TEST(Suggerimenti, ASupplyTooColdForItsLoadsIsRaised) {
    const TLavoro l = test::corsaImpianto(0, [](TLavoro& d) { d.tbsImm = 12; });
    ASSERT_EQ(l.CodiceErrore, 206);
    const std::vector<Suggerimento> s = suggerimenti(l);
    verificaSuggerimenti(l, s, "A tbsImm=12");
    const auto imm =
        std::find_if(s.begin(), s.end(), [](const Suggerimento& g) { return g.campo == "tbsImm"; });
    ASSERT_NE(imm, s.end());
    EXPECT_GT(imm->valore, 12);
    EXPECT_LT(imm->valore, 25); // below the room
    // The message quotes the value with the decimal comma and what the
    // scheme then gives, as the run with it computes.
    TLavoro ok = l;
    ok.tbsImm = imm->valore;
    TracciaDettagli t;
    Patm = PatmStandard;
    ASSERT_EQ(CalcolaImpianto(ok, t).codice, 0);
    char atteso[160];
    std::snprintf(atteso, sizeof atteso,
                  "Con tbs immissione = %.1f °C (invece di 12.0 °C) lo schema si calcola: "
                  "Qtot batteria %.1f kW, q immissione %.4f kg/s, ts %.1f °C",
                  ok.tbsImm, ok.Trattamenti[2].Qtot / 1000, ok.Qimm, ok.Punti[4].tbs);
    std::string virgola = atteso;
    for (char& c : virgola)
        if (c == '.')
            c = ',';
    EXPECT_EQ(imm->messaggio, virgola);
}

TEST(Suggerimenti, CWithHumidOutdoorAir) {
    // Humid enough for the coil line from A to "ts" to fail its check, and
    // a small change of the room or the coil surface makes it compute.
    for (const auto& [t, ur] : {std::pair{28.0, 70.0}, std::pair{31.0, 65.0}}) {
        const TLavoro l = test::corsaImpianto(2, [t, ur](TLavoro& d) {
            d.tbsEst = t;
            d.UREst = ur;
        });
        ASSERT_EQ(l.CodiceErrore, 405) << t << " " << ur;
        verificaSuggerimenti(l, suggerimenti(l), "C outdoors " + std::to_string(t));
    }
    // At 30 °C and 70 % every single input, the loads as well, stops at the
    // line's check (405) or at the supply humidity's search (413) over its
    // whole range: only drier outdoor air computes, which is no choice.
    const TLavoro umido = test::corsaImpianto(2, [](TLavoro& d) {
        d.tbsEst = 30;
        d.UREst = 70;
    });
    ASSERT_EQ(umido.CodiceErrore, 405);
    EXPECT_TRUE(suggerimenti(umido).empty());
    EXPECT_TRUE(calcolaCon(umido, "UREst", 65)) << "the outdoor air decides";
}

TEST(Suggerimenti, EveryConfigurationFailingInSeveralWays) {
    const struct {
        int tipo;
        const char* caso;
        std::function<void(TLavoro&)> dati;
    } casi[] = {
        {0, "A supply warmer than the room", [](TLavoro& d) { d.tbsImm = 26; }},
        {0, "A fresh air beyond the loads' flow", [](TLavoro& d) { d.Qrinn = 4; }},
        {0, "A room warmer than outdoors", [](TLavoro& d) { d.tbsInt = 33; }},
        {0, "A supply flow below the fresh air",
         [](TLavoro& d) {
             d.flgQimm = 1;
             d.Qimm = 0.5;
         }},
        {0, "A flows in m3/h",
         [](TLavoro& d) {
             d.umQrinn = UmM3H;
             d.Qrinn = 4;
         }},
        {1, "B supply too cold", [](TLavoro& d) { d.tbsImm = 10; }},
        {1, "B too little primary air", [](TLavoro& d) { d.Qrinn = 0.3; }},
        {1, "B no primary air", [](TLavoro& d) { d.Qrinn = 0; }},
        {2, "C supply warmer than the room", [](TLavoro& d) { d.tbsImm = 26; }},
        {2, "C coil surface too warm", [](TLavoro& d) { d.tSup = 20; }},
        {3, "D supply flow below the fresh air", [](TLavoro& d) { d.Qimm = 0.5; }},
        {3, "D room colder than outdoors", [](TLavoro& d) { d.tbsEst = 22; }},
        {4, "E supply flow below the fresh air", [](TLavoro& d) { d.Qimm = 0.4; }},
        {4, "E room colder than outdoors", [](TLavoro& d) { d.tbsEst = 21; }},
        {5, "F D saturated", [](TLavoro& d) { d.URD = 99.95; }},
        {5, "F D too dry", [](TLavoro& d) { d.URD = 20; }},
        {5, "F no air", [](TLavoro& d) { d.Qrinn = 0; }},
        {5, "F room colder than outdoors", [](TLavoro& d) { d.tbsEst = 21; }},
        {3, "D sensible requirement far below the latent", [](TLavoro& d) { d.Csens = 0.01; }},
    };
    for (const auto& c : casi) {
        const TLavoro l = test::corsaImpianto(c.tipo, c.dati);
        verificaSuggerimenti(l, suggerimenti(l), c.caso);
    }
}

TEST(Suggerimenti, AtTheChartsPressureWithTheThreadsPutBack) {
    // At 3000 m the same supply fails and computes at other temperatures
    // than at sea level: the search runs at the work's pressure.
    const auto dati = [](TLavoro& d) { d.tbsImm = 12; };
    const TLavoro quota = test::corsaImpianto(0, dati, 70000);
    const TLavoro mare = test::corsaImpianto(0, dati, PatmStandard);
    ASSERT_NE(quota.CodiceErrore, 0);
    Patm = 90000;
    const std::vector<Suggerimento> s = suggerimenti(quota);
    EXPECT_EQ(Patm, 90000);
    verificaSuggerimenti(quota, s, "A at 70000 Pa");
    const std::vector<Suggerimento> m = suggerimenti(mare);
    EXPECT_EQ(Patm, 90000);
    Patm = PatmStandard;
    const auto imm = [](const std::vector<Suggerimento>& v) {
        for (const Suggerimento& g : v)
            if (g.campo == "tbsImm")
                return g.valore;
        return 0.0;
    };
    EXPECT_NE(imm(s), imm(m));
}

TEST(Suggerimenti, NoneForARunThatComputesOrWhenNothingHelps) {
    for (int tipo = 0; tipo < 6; ++tipo) {
        const TLavoro ok = test::corsaImpianto(tipo, {});
        ASSERT_EQ(ok.CodiceErrore, 0) << tipo;
        EXPECT_TRUE(suggerimenti(ok).empty()) << tipo;
    }
    // A zone without volume: no design choice gives it one.
    const TLavoro senzaVolume = test::corsaImpianto(0, [](TLavoro& d) { d.Volume = 0; });
    ASSERT_EQ(senzaVolume.CodiceErrore, 4);
    EXPECT_TRUE(suggerimenti(senzaVolume).empty());
    // No configuration in use.
    TLavoro manuale = senzaVolume;
    manuale.TipoImpianto = 6;
    EXPECT_TRUE(suggerimenti(manuale).empty());
}

TEST(Suggerimenti, AtMostAsManyAsAsked) {
    const TLavoro l = test::corsaImpianto(0, [](TLavoro& d) { d.tbsImm = 12; });
    const std::vector<Suggerimento> tre = suggerimenti(l);
    const std::vector<Suggerimento> uno = suggerimenti(l, 1);
    ASSERT_EQ(uno.size(), 1u);
    ASSERT_FALSE(tre.empty());
    // The first of a longer list is the one asked for alone.
    EXPECT_EQ(uno.front().campo, tre.front().campo);
    EXPECT_EQ(uno.front().valore, tre.front().valore);
    EXPECT_TRUE(suggerimenti(l, 0).empty());
}

} // namespace
} // namespace tarvelo
