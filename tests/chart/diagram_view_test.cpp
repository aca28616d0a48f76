#include "chart/chart_replay.h"
#include "chart/diagram_view.h"
#include "document/error_messages.h"
#include "engine/moist_air.h"
#include "support/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvelo {
namespace {

using test::RecordingCanvas;

// The screen section of the default chart at 1000 × 700.
TTestataChart defaultHeader() {
    TTestataChart h;
    h.screen.sx = 23;
    h.screen.sy = 25961;
    h.screen.y0 = 675;
    h.screen.W = 943;
    h.screen.leftMargin = 15;
    h.screen.topMargin = 10;
    h.tbsMin = -5;
    h.tbsMax = 36;
    h.xMax = 26;
    h.pressure = 101325;
    return h;
}

TEST(DiagramView, TransformAndField) {
    const VistaDiagramma v = VistaDiagramma::daTestata(defaultHeader());
    EXPECT_EQ(v.x0, 115);
    EXPECT_EQ(v.X(0.0), 130);
    EXPECT_EQ(v.X(25.0), 705);
    EXPECT_EQ(v.Y(0.0), 675);
    EXPECT_EQ(v.Y(0.01), 675 - 260);
    EXPECT_DOUBLE_EQ(v.tbsDaX(705), 25.0);
    EXPECT_FALSE(v.FUORI_CAMPO(705, 100));
    EXPECT_FALSE(v.FUORI_CAMPO(705, 5));  // above the saturation curve: inside
    EXPECT_TRUE(v.FUORI_CAMPO(705, 676)); // below x = 0
    EXPECT_TRUE(v.FUORI_CAMPO(14, 300));  // left of tbs min
    EXPECT_TRUE(v.FUORI_CAMPO(130 + 36 * 23 + 1, 300));
}

TEST(DiagramView, ReadOutAtTwentyFiveDegreesHalfSaturated) {
    Patm = 101325;
    const VistaDiagramma v = VistaDiagramma::daTestata(defaultHeader());
    const LetturaStato s = leggiStato(v, v.X(25.0), v.Y(0.0098816));
    const auto t = s.testi();
    EXPECT_EQ(t[0], "25.0");
    EXPECT_EQ(t[2], "9.9");
    EXPECT_EQ(t[4], "50");
    EXPECT_NEAR(s.h, 50310, 100); // one pixel of x is 0.04 g/kg, about 96 J/kg
    EXPECT_FALSE(s.soprassatura);
    const LetturaStato sopra = leggiStato(v, v.X(10.0), v.Y(0.02));
    EXPECT_TRUE(sopra.soprassatura);
    EXPECT_EQ(testoTestGrave(705, 418), "X =705\r\nY =418\r\n");
}

class Drawing : public ::testing::Test {
  protected:
    void SetUp() override {
        l.NumPunti = 2;
        for (int i = 0; i < 2; ++i) {
            TPunto& p = l.Punti[i];
            p.InUso = 1;
            p.Marcato = static_cast<std::uint8_t>(i == 0);
            p.tbs = i == 0 ? 25 : 32;
            p.x = i == 0 ? 0.0099 : 0.015;
            p.Nome.assegna(i == 0 ? "B" : "A");
            p.EtichDyVideo = -25;
            p.Maniglia = static_cast<std::uint8_t>(i);
        }
        l.NumTrattamenti = 1;
        TTrattamento& t = l.Trattamenti[0];
        t.Punto1 = 2;
        t.Punto2 = 1;
        t.Colore = 0xFF0000; // blue as a Windows colour
        t.Spessore = 3;
        t.Visibile = 1;
    }
    bool has(const std::string& s) const {
        return std::find(c.calls.begin(), c.calls.end(), s) != c.calls.end();
    }
    TLavoro l;
    RecordingCanvas c;
    VistaDiagramma v = VistaDiagramma::daTestata(defaultHeader());
};

TEST_F(Drawing, TreatmentsPointsAndStatus) {
    const EsitoDisegno e = DisegnaTrattamento(l, v, c, 6, 3);
    EXPECT_EQ(e.stato, "Ok");
    EXPECT_FALSE(e.errore);
    EXPECT_TRUE(has("line " + RecordingCanvas::xy(v.X(25), v.Y(0.0099))));
    EXPECT_EQ(l.Punti[0].X, v.X(25));
    EXPECT_EQ(l.Punti[1].Y, v.Y(0.015));
    EXPECT_TRUE(has("circle " + RecordingCanvas::xy(v.X(25), v.Y(0.0099)) +
                    " 4 255,255,255 pen 0,0,255 w3"));
    EXPECT_TRUE(has("circle " + RecordingCanvas::xy(v.X(32), v.Y(0.015)) +
                    " 2 255,255,255 pen 0,0,255 w3"));
    EXPECT_EQ(e.raggioMarcatore, 2); // the last point drawn
}

TEST_F(Drawing, ErrorsDragAndVisibility) {
    l.CodiceErrore = 4;
    EsitoDisegno e = DisegnaTrattamento(l, v, c, 6, 3);
    EXPECT_EQ(e.stato, MessaggioErrore(l));
    EXPECT_EQ(e.stato.rfind("Il volume della zona (", 0), 0u) << e.stato;
    EXPECT_TRUE(e.errore);
    EXPECT_EQ(c.pen.colour, (Rgb{0, 0, 255})); // markers keep the first treatment's pen

    l.CodiceErrore = 0;
    c.calls.clear();
    DisegnaTrattamento(l, v, c, 1, 3); // dragging point 2's handle
    EXPECT_TRUE(has("circle " + RecordingCanvas::xy(v.X(32), v.Y(0.015)) +
                    " 2 255,255,255 pen 255,0,0 w3"));
    EXPECT_TRUE(has("circle " + RecordingCanvas::xy(v.X(25), v.Y(0.0099)) +
                    " 4 255,255,255 pen 128,128,128 w3")); // gray is hexadecimal 80

    l.Trattamenti[0].Visibile = 0;
    c.calls.clear();
    DisegnaTrattamento(l, v, c, 6, 3);
    EXPECT_FALSE(std::any_of(c.calls.begin(), c.calls.end(),
                             [](const std::string& s) { return s.rfind("line", 0) == 0; }));
    // Its points still are, with the hidden treatment's own pen.
    EXPECT_TRUE(has("circle " + RecordingCanvas::xy(v.X(25), v.Y(0.0099)) +
                    " 4 255,255,255 pen 0,0,255 w3"));

    l.NumTrattamenti = 0;
    c.calls.clear();
    e = DisegnaTrattamento(l, v, c, 6, 3);
    EXPECT_TRUE(c.calls.empty()); // no treatment: no point either
    EXPECT_EQ(e.raggioMarcatore, 3);
}

TEST_F(Drawing, NamesKeepClearOfTheChartsLabelsAndTheFieldCutsWhatLiesOutside) {
    l.Punti[1].tbs = 40; // A beyond tbs max
    const int X = v.X(25), Y = v.Y(0.0099);
    const std::vector<Riquadro> etichette{{X - 20, Y - 30, X + 20, Y - 4}}; // where B's name asks
    DisegnaTrattamento(l, v, c, 6, 3, etichette);
    // B's name below its marker (radius 4, 2 pixels apart), not on the label.
    EXPECT_TRUE(has("text " + RecordingCanvas::xy(X - 5, Y + 4 + 2) + " B"));
    // The segment from A starts at the field's right edge; A itself is off it.
    const auto da = std::find_if(c.calls.begin(), c.calls.end(),
                                 [](const std::string& s) { return s.rfind("move ", 0) == 0; });
    ASSERT_NE(da, c.calls.end());
    EXPECT_EQ(da->rfind("move " + std::to_string(v.X(36)) + ",", 0), 0u) << *da;
    EXPECT_TRUE(has("line " + RecordingCanvas::xy(X, Y)));
    EXPECT_FALSE(std::any_of(c.calls.begin(), c.calls.end(), [&](const std::string& s) {
        return s.rfind("circle " + std::to_string(v.X(40)) + ",", 0) == 0 ||
               (s.rfind("text ", 0) == 0 && s.ends_with(" A"));
    }));
}

TEST_F(Drawing, ValuesFromAFileBeyondAnyScreenStayOnTheEdge) {
    // Offsets and temperatures as a damaged or hostile file may hold them.
    l.Punti[0].EtichDx = std::numeric_limits<std::int32_t>::max();
    l.Punti[0].EtichDyVideo = std::numeric_limits<std::int32_t>::min();
    l.Punti[1].tbs = 1e85;
    l.Punti[1].x = std::nan("");
    DisegnaTrattamento(l, v, c, 6, 3);
    EXPECT_EQ(l.Punti[1].X, CoordinataMassima);
    // Offsets that would put the name off the field give way to the first
    // place around the point: above it.
    EXPECT_TRUE(has("text " + RecordingCanvas::xy(v.X(25) - 5, v.Y(0.0099) - 4 - 2 - 20) + " B"));
    EXPECT_EQ(roundEven(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(roundEven(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(coordinata(std::nan("")), CoordinataMinima);
    EXPECT_EQ(coordinata(2.5), 2); // half to even, as everywhere
}

} // namespace
} // namespace tarvelo
