#include "document/work_records.h"
#include "support/record_bytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarvelo {
namespace {

using namespace test;

struct FieldCase {
    const char* name;
    long offset;
    long size;
    std::function<void(TLavoro&)> set;
};

// Every case sets one field to a value whose bytes are all non-zero and
// checks that exactly the documented bytes of the record change.
TEST(WorkRecordLayout, FieldsLieAtTheirDocumentedOffsets) {
    const FieldCase cases[] = {
        {"Descrizione", 0, 256, [](TLavoro& l) { l.Descrizione.raw.fill(ByteMarker); }},
        {"tbsInt", 256, 8, [](TLavoro& l) { l.tbsInt = DoubleMarker; }},
        {"tH2O", 296, 8, [](TLavoro& l) { l.tH2O = DoubleMarker; }},
        {"reserved 344", 344, 8, [](TLavoro& l) { l.riservato344 = DoubleMarker; }},
        {"Volume", 352, 8, [](TLavoro& l) { l.Volume = DoubleMarker; }},
        {"reserved 384", 384, 8, [](TLavoro& l) { l.riservato384 = DoubleMarker; }},
        {"URD", 392, 8, [](TLavoro& l) { l.URD = DoubleMarker; }},
        {"flgCx", 400, 1, [](TLavoro& l) { l.flgCx = ByteMarker; }},
        {"umQimm", 403, 1, [](TLavoro& l) { l.umQimm = ByteMarker; }},
        {"reserved int16 404", 404, 2, [](TLavoro& l) { l.riservato404 = Int16Marker; }},
        {"xPick", 408, 8, [](TLavoro& l) { l.xPick = DoubleMarker; }},
        {"flgXPick", 416, 1, [](TLavoro& l) { l.flgXPick = ByteMarker; }},
        {"NumPunti", 424, 1, [](TLavoro& l) { l.NumPunti = ByteMarker; }},
        {"point 1", 432, 128,
         [](TLavoro& l) {
             l.Punti[0].tbs = DoubleMarker;
             l.Punti[0].riservato122.fill(ByteMarker);
         }},
        {"point 20", 2864, 128,
         [](TLavoro& l) {
             l.Punti[19].tbs = DoubleMarker;
             l.Punti[19].riservato122.fill(ByteMarker);
         }},
        {"NumTrattamenti", 2992, 1, [](TLavoro& l) { l.NumTrattamenti = ByteMarker; }},
        {"TipoImpianto", 2993, 1, [](TLavoro& l) { l.TipoImpianto = ByteMarker; }},
        {"treatment 1", 3000, 728,
         [](TLavoro& l) {
             l.Trattamenti[0].Punto1 = Int32Marker;
             l.Trattamenti[0].riservato725.fill(ByteMarker);
         }},
        {"treatment 11", 10280, 728,
         [](TLavoro& l) {
             l.Trattamenti[10].Punto1 = Int32Marker;
             l.Trattamenti[10].riservato725.fill(ByteMarker);
         }},
        {"TitoloSequenza", 11264, 256, [](TLavoro& l) { l.TitoloSequenza.raw.fill(ByteMarker); }},
        {"Qv", 11528, 8, [](TLavoro& l) { l.Qv = DoubleMarker; }},
        {"DtRiscaldamento", 11560, 8, [](TLavoro& l) { l.DtRiscaldamento = DoubleMarker; }},
        {"TestataChart", 11568, 488,
         [](TLavoro& l) {
             l.TestataChart.description.raw.fill(ByteMarker);
             l.TestataChart.enthalpyScaleSlope = Int32Marker;
         }},
        {"CodiceChart", 12056, 2, [](TLavoro& l) { l.CodiceChart = Int16Marker; }},
        {"CodiceErrore", 12058, 2, [](TLavoro& l) { l.CodiceErrore = 0x0102; }},
        {"reserved 12060", 12060, 4, [](TLavoro& l) { l.riservato12060.fill(ByteMarker); }},
    };
    const auto zero = encoded(TLavoro{});
    for (const FieldCase& c : cases) {
        TLavoro l;
        c.set(l);
        const auto range = differingRange(zero, encoded(l));
        EXPECT_EQ(range.first, c.offset) << c.name;
        EXPECT_EQ(range.second, c.offset + c.size - 1) << c.name;
    }
}

TEST(WorkRecordLayout, PointTreatmentAndHeaderFields) {
    struct Case {
        const char* name;
        long offset, size;
        std::vector<std::uint8_t> (*image)();
    };
    const Case cases[] = {
        {"TPunto.qm", 72, 8,
         [] {
             TPunto p;
             p.qm = DoubleMarker;
             return encoded(p);
         }},
        {"TPunto.Marcato", 88, 1,
         [] {
             TPunto p;
             p.Marcato = ByteMarker;
             return encoded(p);
         }},
        {"TPunto.X", 92, 4,
         [] {
             TPunto p;
             p.X = Int32Marker;
             return encoded(p);
         }},
        {"TPunto.EtichDyVideo", 108, 4,
         [] {
             TPunto p;
             p.EtichDyVideo = Int32Marker;
             return encoded(p);
         }},
        {"TPunto.Nome", 112, 8,
         [] {
             TPunto p;
             p.Nome.raw.fill(ByteMarker);
             return encoded(p);
         }},
        {"TPunto.Maniglia", 121, 1,
         [] {
             TPunto p;
             p.Maniglia = ByteMarker;
             return encoded(p);
         }},
        {"TDati.UR2", 32, 8,
         [] {
             TDatiTrattamento d;
             d.UR2 = DoubleMarker;
             return encoded(d);
         }},
        {"TDati.Nome3", 49, 4,
         [] {
             TDatiTrattamento d;
             d.Nome3.raw.fill(ByteMarker);
             return encoded(d);
         }},
        {"TDati.Collega[2]", 76, 4,
         [] {
             TDatiTrattamento d;
             d.Collega[2] = Int32Marker;
             return encoded(d);
         }},
        {"TDati.modoMiscela", 81, 1,
         [] {
             TDatiTrattamento d;
             d.modoMiscela = ByteMarker;
             return encoded(d);
         }},
        {"TDati.tMezzo", 160, 8,
         [] {
             TDatiTrattamento d;
             d.tMezzo = DoubleMarker;
             return encoded(d);
         }},
        {"TDati.PuntoPortata", 228, 4,
         [] {
             TDatiTrattamento d;
             d.PuntoPortata = Int32Marker;
             return encoded(d);
         }},
        {"TTrattamento.StilePenna", 18, 1,
         [] {
             TTrattamento t;
             t.StilePenna = ByteMarker;
             return encoded(t);
         }},
        {"TTrattamento.Dati.tbs1", 24, 8,
         [] {
             TTrattamento t;
             t.Dati.tbs1 = DoubleMarker;
             return encoded(t);
         }},
        {"TTrattamento.PuntoAux2", 384, 128,
         [] {
             TTrattamento t;
             t.PuntoAux2.tbs = DoubleMarker;
             t.PuntoAux2.riservato122.fill(ByteMarker);
             return encoded(t);
         }},
        {"TTrattamento.Errore", 616, 2,
         [] {
             TTrattamento t;
             t.Errore = 0x0102;
             return encoded(t);
         }},
        {"TTrattamento.Visibile", 642, 1,
         [] {
             TTrattamento t;
             t.Visibile = ByteMarker;
             return encoded(t);
         }},
        {"TTrattamento.Etichetta", 643, 81,
         [] {
             TTrattamento t;
             t.Etichetta.raw.fill(ByteMarker);
             return encoded(t);
         }},
        {"TTrattamento.Tipo", 724, 1,
         [] {
             TTrattamento t;
             t.Tipo = ByteMarker;
             return encoded(t);
         }},
        {"TTestataLavoro.PiePagina", 264, 256,
         [] {
             TTestataLavoro h;
             h.PiePagina.raw.fill(ByteMarker);
             return encoded(h);
         }},
        {"TTestataLavoro.NumFoglio", 520, 4,
         [] {
             TTestataLavoro h;
             h.NumFoglio.raw.fill(ByteMarker);
             return encoded(h);
         }},
        {"TTestataLavoro reserved lines", 524, 567,
         [] {
             TTestataLavoro h;
             for (auto& r : h.righeRiservate)
                 r.raw.fill(ByteMarker);
             return encoded(h);
         }},
        {"TTestataLavoro.CalcoliValidi", 1092, 2,
         [] {
             TTestataLavoro h;
             h.CalcoliValidi = 0x0102;
             return encoded(h);
         }},
        {"TTestataLavoro.UmStampa", 1097, 1,
         [] {
             TTestataLavoro h;
             h.UmStampa = ByteMarker;
             return encoded(h);
         }},
        {"TTestataChart.pressure", 448, 8,
         [] {
             TTestataChart c;
             c.pressure = DoubleMarker;
             return encoded(c);
         }},
        {"TTestataChart.screen.y0", 344 + 66, 2,
         [] {
             TTestataChart c;
             c.screen.y0 = Int16Marker;
             return encoded(c);
         }},
        {"TTestataChart.print.blockSizes[19]", 256 + 40, 2,
         [] {
             TTestataChart c;
             c.print.blockSizes[19] = 0x0102;
             return encoded(c);
         }},
    };
    for (const Case& c : cases) {
        const auto image = c.image();
        const std::vector<std::uint8_t> zero(image.size(), 0);
        const auto range = differingRange(zero, image);
        EXPECT_EQ(range.first, c.offset) << c.name;
        EXPECT_EQ(range.second, c.offset + c.size - 1) << c.name;
    }
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
