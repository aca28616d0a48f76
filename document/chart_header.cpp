#include "document/chart_header.h"

#include "document/field_io.h"

namespace tarvelo {

namespace {

template <typename IO, typename V> void versionFields(const IO& io, V& v) {
    io.num(0, v.blockCount);
    io.num(1, v.reserved1);
    for (std::size_t i = 0; i < ChartVersion::MaxBlocks; ++i)
        io.num(2 + 2 * i, v.blockSizes[i]);
    io.raw(42, v.reserved42);
    io.f64(48, v.sx);
    io.f64(56, v.sy);
    io.num(64, v.W);
    io.num(66, v.y0);
    io.num(68, v.bottomMargin);
    io.num(72, v.rightMargin);
    io.num(76, v.leftMargin);
    io.num(80, v.topMargin);
    io.raw(84, v.reserved84);
}

template <typename IO, typename H> void headerFields(const IO& io, H& h) {
    io.str(0, h.description);
    io.sub(256, h.print);
    io.sub(344, h.screen);
    io.num(432, h.tbsMin);
    io.num(436, h.tbsMax);
    io.num(440, h.xMax);
    io.num(444, h.fileChecksum);
    io.f64(448, h.pressure);
    io.num(456, h.printOffset);
    io.num(460, h.dy1Print);
    io.num(464, h.dy1Screen);
    io.num(468, h.dx2Print);
    io.num(472, h.dx2Screen);
    io.num(476, h.enthalpyScaleX);
    io.num(480, h.enthalpyScaleY);
    io.num(484, h.enthalpyScaleSlope);
}

} // namespace

void decode(bytes::ConstImage in, ChartVersion& v) {
    versionFields(bytes::Reader{in}, v);
}
void encode(const ChartVersion& v, bytes::Image out) {
    versionFields(bytes::Writer{out}, v);
}
void decode(bytes::ConstImage in, TTestataChart& h) {
    headerFields(bytes::Reader{in}, h);
}
void encode(const TTestataChart& h, bytes::Image out) {
    headerFields(bytes::Writer{out}, h);
}

} // namespace tarvelo
