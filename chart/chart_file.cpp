#include "chart/chart_file.h"

#include "engine/altitude.h"

#include "document/checksum.h"
#include "document/le_bytes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

namespace tarvelo {

namespace {

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

class BlockWriter {
  public:
    explicit BlockWriter(VersioneConvertita& out) : out_(out) {}

    void write(const DisplayCommand& c) {
        const bool hasText = c.code == cmd::Label || c.code == cmd::BoxText;
        const std::size_t n = std::min<std::size_t>(c.text.size(), 255);
        if (hasText ? current_ > DimBlocco - (n + 8) : current_ > DimBlocco - 7)
            closeBlock();
        const std::size_t start = out_.bytes.size();
        out_.bytes.push_back(c.code);
        out_.bytes.resize(start + 5);
        bytes::putInt(bytes::Image(out_.bytes), start + 1, c.a);
        bytes::putInt(bytes::Image(out_.bytes), start + 3, c.b);
        if (c.code == cmd::Label)
            out_.bytes.push_back(c.placement);
        if (hasText) {
            out_.bytes.push_back(static_cast<std::uint8_t>(n));
            out_.bytes.insert(out_.bytes.end(), c.text.begin(),
                              c.text.begin() + static_cast<std::ptrdiff_t>(n));
        }
        current_ += out_.bytes.size() - start;
    }

    void finish() {
        if (current_ > 0)
            closeBlock();
    }

  private:
    void closeBlock() {
        out_.blocchi.push_back(static_cast<std::uint16_t>(current_));
        current_ = 0;
    }
    VersioneConvertita& out_;
    std::size_t current_ = 0;
};

// Same direction: equal slope dy/dx, or both vertical.
bool sameDirection(Point a, Point b, Point c) {
    const int dx1 = b.x - a.x, dy1 = b.y - a.y, dx2 = c.x - b.x, dy2 = c.y - b.y;
    if (dx1 == 0 || dx2 == 0)
        return dx1 == 0 && dx2 == 0;
    return static_cast<double>(dy1) / dx1 == static_cast<double>(dy2) / dx2;
}

} // namespace

std::string chartFileName(int code) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "CHART.%03d", code);
    return buf;
}

Esito convertiTesto(std::string_view testo, VersioneConvertita& out) {
    out = {};
    BlockWriter writer(out);
    std::optional<DisplayCommand> pending; // a move or line not yet written
    std::optional<Point> anchor;           // where the segment to the pending line starts
    std::optional<Point> pen;              // the last point written

    auto writePending = [&] {
        if (!pending)
            return;
        writer.write(*pending);
        pen = Point{pending->a, pending->b};
        pending.reset();
    };

    std::size_t pos = 0;
    while (pos < testo.size()) {
        std::size_t end = testo.find('\n', pos);
        if (end == std::string_view::npos)
            end = testo.size();
        const auto parsed = parseMetaLine(testo.substr(pos, end - pos));
        pos = end + 1;
        if (!parsed)
            continue;
        const DisplayCommand& c = *parsed;
        const Point p{c.a, c.b};
        if (c.code == cmd::Line) {
            if (pending && pending->code == cmd::Line) {
                const Point prev{pending->a, pending->b};
                if (p != prev && c.b >= 0) {
                    if (anchor && sameDirection(*anchor, prev, p)) {
                        pending.reset(); // on a straight continuation
                    } else {
                        writePending();
                        anchor = prev;
                    }
                }
                // A repeated point, or one above the field, replaces the
                // pending point without writing it.
                pending = c;
            } else if (pending && pending->code == cmd::Move) {
                anchor = Point{pending->a, pending->b};
                writePending();
                pending = c;
            } else {
                anchor = pen;
                pending = c;
            }
        } else if (c.code == cmd::Move) {
            if (pending && pending->code == cmd::Line)
                writePending();
            pending = c; // a pending move is simply replaced
        } else {
            writePending();
            writer.write(c);
        }
    }
    writePending();
    writer.finish();
    if (out.blocchi.size() > ChartVersion::MaxBlocks)
        return Esito::fallito("il diagramma richiede " + std::to_string(out.blocchi.size()) +
                              " blocchi, più dei 20 ammessi: ridurre le dimensioni");
    return {};
}

Esito scriviVersione(const std::string& dirArchivi, int code, int versione,
                     const VersioneConvertita& v, TTestataChart& header) {
    const std::string path = nativePath(dirArchivi + chartFileName(code));
    ChartVersion& section = versione == VersioneVideo ? header.screen : header.print;
    std::ofstream f;
    if (versione == VersioneVideo) {
        f.open(path, std::ios::binary | std::ios::trunc);
    } else {
        f.open(path, std::ios::binary | std::ios::app);
        const auto size = fileSize(path);
        if (!size)
            return Esito::fallito("manca il file " + path);
        header.printOffset = static_cast<std::int32_t>(*size);
    }
    if (!f)
        return Esito::fallito("impossibile scrivere il file " + path);
    f.write(reinterpret_cast<const char*>(v.bytes.data()),
            static_cast<std::streamsize>(v.bytes.size()));
    f.flush();
    if (!f)
        return Esito::fallito("errore di scrittura del file " + path);
    section.blockCount = static_cast<std::uint8_t>(v.blocchi.size());
    section.blockSizes = {};
    for (std::size_t i = 0; i < v.blocchi.size() && i < ChartVersion::MaxBlocks; ++i)
        section.blockSizes[i] = v.blocchi[i];
    return {};
}

void decodificaBlocco(const std::uint8_t* data, std::size_t size,
                      const std::function<void(const DisplayCommand&)>& sink) {
    const bytes::ConstImage b(data, size);
    std::size_t i = 0;
    while (i + 5 <= size) {
        DisplayCommand c;
        c.code = b[i];
        c.a = bytes::getInt<std::int16_t>(b, i + 1);
        c.b = bytes::getInt<std::int16_t>(b, i + 3);
        i += 5;
        if (c.code == cmd::Label) {
            if (i >= size)
                break;
            c.placement = b[i++];
        }
        if (c.code == cmd::Label || c.code == cmd::BoxText) {
            if (i >= size)
                break;
            const std::size_t n = b[i++];
            if (i + n > size)
                break;
            c.text.assign(reinterpret_cast<const char*>(data + i), n);
            i += n;
        }
        sink(c);
    }
}

namespace {

std::size_t sommaBlocchi(const ChartVersion& v) {
    std::size_t n = 0;
    for (std::size_t k = 0; k < std::min<std::size_t>(v.blockCount, ChartVersion::MaxBlocks); ++k)
        n += v.blockSizes[k];
    return n;
}

} // namespace

// The blocks of both versions as the file must hold them.
Esito verificaBlocchi(const TTestataChart& h) {
    auto errato = [](const std::string& campo) {
        return Esito::fallito("l'intestazione del diagramma non è valida (" + campo + ")");
    };
    for (const ChartVersion* v : {&h.screen, &h.print}) {
        if (v->blockCount > ChartVersion::MaxBlocks)
            return errato("numero dei blocchi");
        for (std::size_t k = 0; k < v->blockCount; ++k)
            if (v->blockSizes[k] > DimBlocco)
                return errato("dimensione di un blocco");
    }
    if (h.printOffset < 0 || static_cast<std::size_t>(h.printOffset) != sommaBlocchi(h.screen))
        return errato("posizione della versione di stampa");
    return {};
}

Esito verificaIntestazione(const TTestataChart& h, int versione) {
    auto errato = [](const std::string& campo) {
        return Esito::fallito("l'intestazione del diagramma non è valida (" + campo + ")");
    };
    if (h.tbsMin < -100 || h.tbsMax > 200 || h.tbsMin >= h.tbsMax)
        return errato("campo di tbs");
    if (h.xMax < 1 || h.xMax > 1000)
        return errato("x massima");
    if (!verificaPressione(h.pressure).empty())
        return errato("pressione");
    const bool video = versione == VersioneVideo;
    const ChartVersion& v = video ? h.screen : h.print;
    if (Esito e = verificaBlocchi(h); !e.ok)
        return e;
    // The print version is built for a sheet of 2016 × 1430 units, the
    // screen version for a paint area of at most 30000 pixels a side.
    const int massimo = video ? 30000 : 4000;
    if (!(v.sx >= 1 && v.sx <= massimo && v.sx == std::floor(v.sx)))
        return errato("scala delle temperature");
    if (!(v.sy >= 1 && v.sy <= 1e8 && v.sy == std::floor(v.sy)))
        return errato("scala dell'umidità");
    if (v.W < 1 || v.W > massimo || v.y0 < 1 || v.y0 > massimo)
        return errato("dimensioni del campo");
    for (const std::int32_t m : {v.bottomMargin, v.rightMargin, v.leftMargin, v.topMargin})
        if (m < 0 || m > 1000)
            return errato("margini");
    // Label offsets and, on paper, the enthalpy scale's title.
    for (const std::int32_t d : {h.dy1Print, h.dy1Screen, h.dx2Print, h.dx2Screen})
        if (d < -1000 || d > 1000)
            return errato("spostamenti delle etichette");
    if (!video && (std::abs(h.enthalpyScaleX) > 10000 || std::abs(h.enthalpyScaleY) > 10000 ||
                   std::abs(h.enthalpyScaleSlope) > 90))
        return errato("scala delle entalpie");
    return {};
}

Esito leggiVersione(const std::string& dirArchivi, int code, const TTestataChart& header,
                    int versione, const std::function<void(const DisplayCommand&)>& sink) {
    if (Esito e = verificaBlocchi(header); !e.ok)
        return e;
    const std::string path = nativePath(dirArchivi + chartFileName(code));
    const auto dimensione = fileSize(path);
    if (!dimensione)
        return Esito::fallito("impossibile aprire il file del diagramma " + path);
    const std::size_t attesa = sommaBlocchi(header.screen) + sommaBlocchi(header.print);
    auto noCorrisponde = [&] {
        return Esito::fallito("il file del diagramma " + path +
                              " non corrisponde alla sua intestazione nel catalogo: "
                              "generare di nuovo il diagramma");
    };
    if (*dimensione != attesa)
        return noCorrisponde();
    // Both versions are read whole (a few hundred kilobytes at most, the
    // header's blocks bound them) so that the fingerprint covers the file.
    std::vector<std::uint8_t> file;
    if (Esito e = readAll(path, file); !e.ok)
        return e;
    if (file.size() != attesa)
        return Esito::fallito("il file del diagramma " + path + " è troncato");
    if (header.fileChecksum != 0 && crc32(file) != header.fileChecksum)
        return noCorrisponde();
    const ChartVersion& section = versione == VersioneVideo ? header.screen : header.print;
    std::size_t inizio =
        versione == VersioneVideo ? 0 : static_cast<std::size_t>(header.printOffset);
    const std::size_t count = std::min<std::size_t>(section.blockCount, ChartVersion::MaxBlocks);
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t n = std::min<std::size_t>(section.blockSizes[k], DimBlocco);
        decodificaBlocco(file.data() + inizio, n, sink);
        inizio += n;
    }
    return {};
}

} // namespace tarvelo
