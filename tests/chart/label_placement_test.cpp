#include "chart/label_placement.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tarvelo {
namespace {

constexpr Riquadro Campo{0, 0, 1000, 800};

struct Taglio {
    const char* caso;
    int x1, y1, x2, y2;
    bool visibile;
    int fx1, fy1, fx2, fy2; // the ends left when visible
};

TEST(RitagliaSegmento, CutsAtTheFieldsEdges) {
    const Taglio casi[] = {
        {"inside", 10, 10, 990, 790, true, 10, 10, 990, 790},
        {"on the edge", 0, 0, 0, 800, true, 0, 0, 0, 800},
        {"first end left of the field", -100, 400, 100, 400, true, 0, 400, 100, 400},
        {"second end below it", 500, 400, 500, 900, true, 500, 400, 500, 800},
        {"across the field", -100, 400, 1100, 400, true, 0, 400, 1000, 400},
        {"out through a corner", 500, 400, 1500, -600, true, 500, 400, 900, 0},
        {"wholly left", -300, 0, -10, 800, false, 0, 0, 0, 0},
        {"passing by a corner", -100, 50, 50, -100, false, 0, 0, 0, 0},
        {"a point outside", 1200, 900, 1200, 900, false, 0, 0, 0, 0},
    };
    for (const Taglio& c : casi) {
        int x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        const bool visibile = ritagliaSegmento(Campo, x1, y1, x2, y2);
        EXPECT_EQ(visibile, c.visibile) << c.caso;
        if (visibile && c.visibile) {
            EXPECT_EQ(x1, c.fx1) << c.caso;
            EXPECT_EQ(y1, c.fy1) << c.caso;
            EXPECT_EQ(x2, c.fx2) << c.caso;
            EXPECT_EQ(y2, c.fy2) << c.caso;
        }
    }
}

// A name 20 × 10 at a marker of radius 4, placed 2 away from it.
NomePunto nome(int x, int y, int dy = -16) {
    return {x, y, 4, 20, 10, Riquadro::daAngolo(x - 10, y + dy, 20, 10)};
}
constexpr int Distanza = 2;

struct UnNome {
    const char* caso;
    NomePunto punto;
    std::vector<Riquadro> etichetteChart;
    std::vector<Segmento> linee;
    std::optional<Riquadro> atteso;
};

TEST(PosizionaNomi, OneNameTakesTheFirstFreePlace) {
    const UnNome casi[] = {
        {"where its offsets ask", nome(500, 400), {}, {}, Riquadro{490, 384, 510, 394}},
        {"below, off a chart label above",
         nome(500, 400),
         {{480, 380, 520, 396}},
         {},
         Riquadro{490, 406, 510, 416}},
        {"right, off the field's left edge", nome(3, 400), {}, {}, Riquadro{9, 395, 29, 405}},
        {"above right, off the edge and off a line to the right",
         nome(3, 400),
         {},
         {{3, 400, 600, 400}},
         Riquadro{8, 385, 28, 395}},
        {"left, off the field's right edge", nome(995, 400), {}, {}, Riquadro{969, 395, 989, 405}},
        {"in a corner above right", nome(3, 797, 6), {}, {}, Riquadro{8, 782, 28, 792}},
        // Nothing free: the place covered least, here below.
        {"the least covered",
         nome(500, 400),
         {{0, 0, 1000, 408}},
         {},
         Riquadro{490, 406, 510, 416}},
        {"none for a point outside", nome(1010, 400), {}, {}, std::nullopt},
    };
    for (const UnNome& c : casi) {
        const auto posti = posizionaNomi({c.punto}, Campo, c.etichetteChart, c.linee, Distanza);
        ASSERT_EQ(posti.size(), 1u) << c.caso;
        EXPECT_EQ(posti[0], c.atteso) << c.caso;
    }
}

TEST(PosizionaNomi, RatherAcrossALineThanOverAText) {
    // A field with room above and below the point only: above is a chart
    // label, below a process line.
    const Riquadro stretto{480, 370, 520, 430};
    const auto posti = posizionaNomi({nome(500, 400)}, stretto, {{480, 380, 520, 396}},
                                     {{500, 405, 500, 430}}, Distanza);
    EXPECT_EQ(posti.at(0), (Riquadro{490, 406, 510, 416}));
}

TEST(PosizionaNomi, NamesKeepClearOfEachOtherAndOfEveryMarker) {
    // E just above F: F's name, asked above its point, would lie on E's;
    // A's name would cover the marker of a later point B.
    const std::vector<NomePunto> punti{nome(500, 400), nome(500, 412), nome(200, 300),
                                       nome(200, 286)};
    const auto posti = posizionaNomi(punti, Campo, {}, {}, Distanza);
    ASSERT_EQ(posti.size(), punti.size());
    for (std::size_t i = 0; i < posti.size(); ++i) {
        ASSERT_TRUE(posti[i]) << i;
        EXPECT_TRUE(Campo.contiene(*posti[i])) << i;
        for (std::size_t j = 0; j < punti.size(); ++j) {
            const NomePunto& p = punti[j];
            const Riquadro marcatore{p.x - p.raggio, p.y - p.raggio, p.x + p.raggio + 1,
                                     p.y + p.raggio + 1};
            EXPECT_FALSE(posti[i]->interseca(marcatore)) << i << " su " << j;
            if (j != i) {
                EXPECT_FALSE(posti[i]->interseca(*posti[j])) << i << " su " << j;
            }
        }
    }
    EXPECT_EQ(posti[0], punti[0].chiesto); // the first keeps its place
}

} // namespace
} // namespace tarvelo
