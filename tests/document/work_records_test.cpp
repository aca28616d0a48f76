#include "document/defaults_archive.h"
#include "document/work_records.h"
#include "support/record_bytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarvelo {
namespace {

using namespace test;

// Every field set to a value whose bytes are all non-zero.
void mark(double& v) {
    v = DoubleMarker;
}
void mark(std::int32_t& v) {
    v = Int32Marker;
}
void mark(std::uint32_t& v) {
    v = 0x01020304;
}
void mark(std::int16_t& v) {
    v = Int16Marker;
}
void mark(std::uint16_t& v) {
    v = 0x0102;
}
void mark(std::uint8_t& v) {
    v = ByteMarker;
}
template <std::size_t N> void mark(StringaPascal<N>& s) {
    s.raw.fill(ByteMarker);
}
template <typename T, std::size_t N> void mark(std::array<T, N>& a) {
    for (auto& v : a)
        mark(v);
}
void mark(TPunto& p) {
    p.tbs = DoubleMarker;
    p.riservato122.fill(ByteMarker);
}
void mark(TDatiTrattamento& d) {
    d.tbs1 = DoubleMarker;
    d.PuntoPortata = Int32Marker;
}
void mark(TTestataChart& h) {
    h.description.raw.fill(ByteMarker);
    h.enthalpyScaleSlope = Int32Marker;
}
void mark(ChartVersion& v) {
    v.blockCount = ByteMarker;
    v.reserved84.fill(ByteMarker);
}

template <typename R> struct Field {
    const char* name;
    long offset, size;
    std::function<void(R&)> set;
};
#define FIELD(R, f, off, size)                                                                     \
    Field<R> {                                                                                     \
#f, off, size, [](R & r) { mark(r.f); }                                                    \
    }

// Each field, set alone, changes exactly the bytes the layout tables give it,
// and together the fields tile the record.
template <typename R> void expectLayout(const std::vector<Field<R>>& fields) {
    const auto zero = encoded(R{});
    long covered = 0;
    for (const Field<R>& f : fields) {
        R r{};
        f.set(r);
        const auto range = differingRange(zero, encoded(r));
        EXPECT_EQ(range.first, f.offset) << f.name;
        EXPECT_EQ(range.second, f.offset + f.size - 1) << f.name;
        covered += f.size;
    }
    EXPECT_EQ(covered, static_cast<long>(R::Size));
}

TEST(WorkRecordLayout, TPunto) {
    using R = TPunto;
    expectLayout<R>({FIELD(R, tbs, 0, 8),
                     FIELD(R, UR, 8, 8),
                     FIELD(R, tbu, 16, 8),
                     FIELD(R, x, 24, 8),
                     FIELD(R, h, 32, 8),
                     FIELD(R, v, 40, 8),
                     FIELD(R, tdp, 48, 8),
                     FIELD(R, rhoSecca, 56, 8),
                     FIELD(R, rhoUmida, 64, 8),
                     FIELD(R, qm, 72, 8),
                     FIELD(R, Quota, 80, 8),
                     FIELD(R, Marcato, 88, 1),
                     FIELD(R, riservato89, 89, 3),
                     FIELD(R, X, 92, 4),
                     FIELD(R, Y, 96, 4),
                     FIELD(R, EtichDx, 100, 4),
                     FIELD(R, EtichDyStampa, 104, 4),
                     FIELD(R, EtichDyVideo, 108, 4),
                     FIELD(R, Nome, 112, 8),
                     FIELD(R, InUso, 120, 1),
                     FIELD(R, Maniglia, 121, 1),
                     FIELD(R, riservato122, 122, 6)});
}

TEST(WorkRecordLayout, TDatiTrattamento) {
    using R = TDatiTrattamento;
    expectLayout<R>({FIELD(R, tbs1, 0, 8),
                     FIELD(R, UR1, 8, 8),
                     FIELD(R, riservato16, 16, 8),
                     FIELD(R, tbs2, 24, 8),
                     FIELD(R, UR2, 32, 8),
                     FIELD(R, riservato40, 40, 1),
                     FIELD(R, Nome1, 41, 4),
                     FIELD(R, Nome2, 45, 4),
                     FIELD(R, Nome3, 49, 4),
                     FIELD(R, riservato53, 53, 3),
                     FIELD(R, PosEtich, 56, 12),
                     FIELD(R, Collega, 68, 12),
                     FIELD(R, umPortata, 80, 1),
                     FIELD(R, modoMiscela, 81, 1),
                     FIELD(R, riservato82, 82, 6),
                     FIELD(R, perc1, 88, 8),
                     FIELD(R, perc2, 96, 8),
                     FIELD(R, port1, 104, 8),
                     FIELD(R, port2, 112, 8),
                     FIELD(R, port3, 120, 8),
                     FIELD(R, modoPotenza, 128, 1),
                     FIELD(R, riservato129, 129, 7),
                     FIELD(R, portata, 136, 8),
                     FIELD(R, potenza, 144, 8),
                     FIELD(R, vapore, 152, 1),
                     FIELD(R, riservato153, 153, 7),
                     FIELD(R, tMezzo, 160, 8),
                     FIELD(R, modoBatteria, 168, 1),
                     FIELD(R, riservato169, 169, 7),
                     FIELD(R, S, 176, 8),
                     FIELD(R, T, 184, 8),
                     FIELD(R, qimm, 192, 8),
                     FIELD(R, ts, 200, 8),
                     FIELD(R, fsDato, 208, 8),
                     FIELD(R, L, 216, 8),
                     FIELD(R, posLista, 224, 1),
                     FIELD(R, riservato225, 225, 3),
                     FIELD(R, PuntoPortata, 228, 4)});
}

TEST(WorkRecordLayout, TTrattamento) {
    using R = TTrattamento;
    expectLayout<R>({FIELD(R, Punto1, 0, 4),        FIELD(R, Punto2, 4, 4),
                     FIELD(R, Punto3, 8, 4),        FIELD(R, Colore, 12, 4),
                     FIELD(R, Stile0, 16, 1),       FIELD(R, Spessore, 17, 1),
                     FIELD(R, StilePenna, 18, 1),   FIELD(R, riservato19, 19, 5),
                     FIELD(R, Dati, 24, 232),       FIELD(R, PuntoAux1, 256, 128),
                     FIELD(R, PuntoAux2, 384, 128), FIELD(R, Qtot, 512, 8),
                     FIELD(R, Qsen, 520, 8),        FIELD(R, riservato528, 528, 8),
                     FIELD(R, ST, 536, 8),          FIELD(R, dx, 544, 8),
                     FIELD(R, qx, 552, 8),          FIELD(R, dt, 560, 8),
                     FIELD(R, dh, 568, 8),          FIELD(R, dhdx, 576, 8),
                     FIELD(R, dhSen, 584, 8),       FIELD(R, dhTot, 592, 8),
                     FIELD(R, QsenFan, 600, 8),     FIELD(R, QFan, 608, 8),
                     FIELD(R, Errore, 616, 2),      FIELD(R, riservato618, 618, 6),
                     FIELD(R, STcoil, 624, 8),      FIELD(R, t0, 632, 8),
                     FIELD(R, Reale, 640, 1),       FIELD(R, Estensione, 641, 1),
                     FIELD(R, Visibile, 642, 1),    FIELD(R, Etichetta, 643, 81),
                     FIELD(R, Tipo, 724, 1),        FIELD(R, riservato725, 725, 3)});
}

TEST(WorkRecordLayout, TLavoro) {
    using R = TLavoro;
    std::vector<Field<R>> fields = {FIELD(R, Descrizione, 0, 256),
                                    FIELD(R, tbsInt, 256, 8),
                                    FIELD(R, URInt, 264, 8),
                                    FIELD(R, tbsEst, 272, 8),
                                    FIELD(R, UREst, 280, 8),
                                    FIELD(R, tbsImm, 288, 8),
                                    FIELD(R, tH2O, 296, 8),
                                    FIELD(R, Csens, 304, 8),
                                    FIELD(R, Clat, 312, 8),
                                    FIELD(R, Cx, 320, 8),
                                    FIELD(R, Ctot, 328, 8),
                                    FIELD(R, CsenCtot, 336, 8),
                                    FIELD(R, riservato344, 344, 8),
                                    FIELD(R, Volume, 352, 8),
                                    FIELD(R, Qrinn, 360, 8),
                                    FIELD(R, Qimm, 368, 8),
                                    FIELD(R, tSup, 376, 8),
                                    FIELD(R, riservato384, 384, 8),
                                    FIELD(R, URD, 392, 8),
                                    FIELD(R, flgCx, 400, 1),
                                    FIELD(R, flgQimm, 401, 1),
                                    FIELD(R, umQrinn, 402, 1),
                                    FIELD(R, umQimm, 403, 1),
                                    FIELD(R, riservato404, 404, 2),
                                    FIELD(R, riservato406, 406, 2),
                                    FIELD(R, xPick, 408, 8),
                                    FIELD(R, flgXPick, 416, 1),
                                    FIELD(R, riservato417, 417, 7),
                                    FIELD(R, NumPunti, 424, 1),
                                    FIELD(R, riservato425, 425, 7),
                                    FIELD(R, NumTrattamenti, 2992, 1),
                                    FIELD(R, TipoImpianto, 2993, 1),
                                    FIELD(R, riservato2994, 2994, 6),
                                    FIELD(R, riservato11008, 11008, 256),
                                    FIELD(R, TitoloSequenza, 11264, 256),
                                    FIELD(R, riservato11520, 11520, 8),
                                    FIELD(R, Qv, 11528, 8),
                                    FIELD(R, QvVol, 11536, 8),
                                    FIELD(R, fs, 11544, 8),
                                    FIELD(R, Regolabilita, 11552, 8),
                                    FIELD(R, DtRiscaldamento, 11560, 8),
                                    FIELD(R, TestataChart, 11568, 488),
                                    FIELD(R, CodiceChart, 12056, 2),
                                    FIELD(R, CodiceErrore, 12058, 2),
                                    FIELD(R, riservato12060, 12060, 4)};
    for (long i = 1; i <= 20; ++i)
        fields.push_back({"point", 432 + 128 * (i - 1), 128, [i](R& r) { mark(r.Punti[i - 1]); }});
    for (long k = 1; k <= 11; ++k)
        fields.push_back({"treatment", 3000 + 728 * (k - 1), 728, [k](R& r) {
                              r.Trattamenti[k - 1].Punto1 = Int32Marker;
                              r.Trattamenti[k - 1].riservato725.fill(ByteMarker);
                          }});
    expectLayout(fields);
    EXPECT_EQ(offsetPunto(20), 2864u);        // point 20 at 2864..2991
    EXPECT_EQ(offsetTrattamento(11), 10280u); // treatment 11 at 10280..11007
}

TEST(WorkRecordLayout, TTestataLavoro) {
    using R = TTestataLavoro;
    expectLayout<R>({FIELD(R, Firma, 0, 8), FIELD(R, Progetto, 8, 256),
                     FIELD(R, PiePagina, 264, 256), FIELD(R, NumFoglio, 520, 4),
                     FIELD(R, righeRiservate, 524, 567), FIELD(R, riservato1091, 1091, 1),
                     FIELD(R, CalcoliValidi, 1092, 2), FIELD(R, riservato1094, 1094, 2),
                     FIELD(R, SenzaNome, 1096, 1), FIELD(R, UmStampa, 1097, 1),
                     FIELD(R, riservato1098, 1098, 1000)});
}

TEST(WorkRecordLayout, ChartHeaderAndVersionSection) {
    using V = ChartVersion;
    expectLayout<V>(
        {FIELD(V, blockCount, 0, 1), FIELD(V, reserved1, 1, 1), FIELD(V, blockSizes, 2, 40),
         FIELD(V, reserved42, 42, 6), FIELD(V, sx, 48, 8), FIELD(V, sy, 56, 8), FIELD(V, W, 64, 2),
         FIELD(V, y0, 66, 2), FIELD(V, bottomMargin, 68, 4), FIELD(V, rightMargin, 72, 4),
         FIELD(V, leftMargin, 76, 4), FIELD(V, topMargin, 80, 4), FIELD(V, reserved84, 84, 4)});
    using H = TTestataChart;
    expectLayout<H>(
        {FIELD(H, description, 0, 256), FIELD(H, print, 256, 88), FIELD(H, screen, 344, 88),
         FIELD(H, tbsMin, 432, 4), FIELD(H, tbsMax, 436, 4), FIELD(H, xMax, 440, 4),
         FIELD(H, fileChecksum, 444, 4), FIELD(H, pressure, 448, 8), FIELD(H, printOffset, 456, 4),
         FIELD(H, dy1Print, 460, 4), FIELD(H, dy1Screen, 464, 4), FIELD(H, dx2Print, 468, 4),
         FIELD(H, dx2Screen, 472, 4), FIELD(H, enthalpyScaleX, 476, 4),
         FIELD(H, enthalpyScaleY, 480, 4), FIELD(H, enthalpyScaleSlope, 484, 4)});
    TDefault d;
    d.ChartDefault = Int16Marker;
    d.NumChart = 0x0102;
    d.UmPortataDef = 1;
    d.UmQrinnDef = 2;
    d.UmQimmDef = 3;
    d.riservato7 = 4;
    EXPECT_EQ(encoded(d), (std::vector<std::uint8_t>{0x0F, 0x0E, 0x02, 0x01, 1, 2, 3, 4}));
}

TEST(WorkRecordLayout, NumbersAreLittleEndian) {
    TLavoro l;
    l.CodiceChart = 0x0102;
    l.tbsInt = 1.0; // 0x3FF0000000000000
    const auto image = encoded(l);
    EXPECT_EQ(image[12056], 0x02);
    EXPECT_EQ(image[12057], 0x01);
    EXPECT_EQ(image[256 + 7], 0x3F);
    EXPECT_EQ(image[256 + 6], 0xF0);
}

// Whatever a file holds, reserved areas and bytes beyond a string's length
// included, is written back unchanged.
TEST(WorkRecordLayout, AnyImageRoundTripsByteForByte) {
    for (std::uint64_t seed : {1ull, 0xDEADBEEFull, 42ull}) {
        const auto lavoro = pseudoRandomBytes(TLavoro::Size, seed);
        TLavoro l;
        decode(lavoro, l);
        EXPECT_EQ(encoded(l), lavoro);

        const auto testata = pseudoRandomBytes(TTestataLavoro::Size, seed + 1);
        TTestataLavoro h;
        decode(testata, h);
        EXPECT_EQ(encoded(h), testata);
    }
}

TEST(PascalStrings, AreCutToTheirCapacity) {
    TPunto p;
    p.Nome.assegna("ABCDEFGHIJ");
    EXPECT_EQ(p.Nome.testo(), "ABCDEFG");
    const auto image = encoded(p);
    EXPECT_EQ(image[112], 7);
    EXPECT_EQ(image[119], 'G');
    EXPECT_EQ(image[120], 0); // InUso untouched

    TDatiTrattamento d;
    d.Nome1.assegna("ts12");
    EXPECT_EQ(d.Nome1.testo(), "ts1");
    TTrattamento t;
    t.Etichetta.assegna(std::string(100, 'x'));
    EXPECT_EQ(t.Etichetta.size(), 80u);

    // A length byte beyond the capacity (a damaged file) reads as the
    // capacity and is written back as it was.
    TPunto q;
    auto raw = encoded(q);
    raw[112] = 200;
    decode(raw, q);
    EXPECT_EQ(q.Nome.size(), 7u);
    EXPECT_EQ(encoded(q), raw);
}

TEST(PascalStrings, KeepWindows1252Bytes) {
    TLavoro l;
    l.Descrizione.assegna("2\xB0 piano");
    const auto image = encoded(l);
    EXPECT_EQ(image[0], 8);
    EXPECT_EQ(image[2], 0xB0);
}

} // namespace
} // namespace tarvelo
