#include "document/defaults_archive.h"

#include "document/field_io.h"
#include "document/work_records.h"

#include <algorithm>
#include <fstream>

namespace tarvelo {

namespace {
template <typename IO, typename D> void defaultFields(const IO& io, D& d) {
    io.num(0, d.ChartDefault);
    io.num(2, d.NumChart);
    io.num(4, d.UmPortataDef);
    io.num(5, d.UmQrinnDef);
    io.num(6, d.UmQimmDef);
    io.num(7, d.riservato7);
}
} // namespace

void decode(bytes::ConstImage in, TDefault& d) {
    defaultFields(bytes::Reader{in}, d);
}
void encode(const TDefault& d, bytes::Image out) {
    defaultFields(bytes::Writer{out}, d);
}

Esito ArchivioDefault::leggiDefault(TDefault& d) const {
    std::vector<std::uint8_t> buf;
    if (Esito e = readAt(path(), 0, TDefault::Size, buf); !e.ok)
        return Esito::fallito("archivio dei default illeggibile: " + e.errore);
    decode(buf, d);
    return {};
}

Esito ArchivioDefault::scriviDefault(const TDefault& d) const {
    std::vector<std::uint8_t> buf(TDefault::Size);
    encode(d, buf);
    return writeAt(path(), 0, buf);
}

Esito ArchivioDefault::salvaScelte(TDefault& d) const {
    const BloccoEsclusivo blocco(pathBlocco());
    TDefault suDisco;
    if (Esito e = leggiDefault(suDisco); !e.ok)
        return e;
    TDefault scritto = d;
    scritto.NumChart = std::max(d.NumChart, suDisco.NumChart);
    if (Esito e = scriviDefault(scritto); !e.ok)
        return e;
    d = scritto;
    return {};
}

Esito ArchivioDefault::leggiTestataChart(int code, TTestataChart& h) const {
    TDefault d;
    if (Esito e = leggiDefault(d); !e.ok)
        return e;
    if (code < 1 || code > d.NumChart)
        return Esito::fallito("il diagramma " + std::to_string(code) +
                              " non è nell'archivio dei diagrammi");
    std::vector<std::uint8_t> buf;
    if (Esito e = readAt(path(), offsetTestataChart(code), TTestataChart::Size, buf); !e.ok)
        return Esito::fallito("il diagramma " + std::to_string(code) +
                              " manca nell'archivio dei diagrammi (" + e.errore + ")");
    decode(buf, h);
    return {};
}

Esito ArchivioDefault::scriviTestataChart(int code, const TTestataChart& h) const {
    if (code < 0)
        return Esito::fallito("codice di diagramma non valido: " + std::to_string(code));
    std::vector<std::uint8_t> buf(TTestataChart::Size);
    encode(h, buf);
    // The archive must exist; a header beyond its end extends it.
    if (!fileExists(path()))
        return Esito::fallito("manca l'archivio dei diagrammi " + path());
    return writeAt(path(), offsetTestataChart(code), buf);
}

Esito ArchivioDefault::catalogo(std::vector<VoceCatalogo>& voci) const {
    voci.clear();
    TDefault d;
    if (Esito e = leggiDefault(d); !e.ok)
        return e;
    const int n = std::min<int>(d.NumChart, static_cast<int>(MaxVociCatalogo));
    for (int code = 1; code <= n; ++code) {
        std::vector<std::uint8_t> buf;
        if (Esito e = readAt(path(), offsetTestataChart(code), 21, buf); !e.ok)
            return e;
        const std::size_t len = std::min<std::size_t>(buf[0], 20);
        std::string testo(buf.begin() + 1, buf.begin() + 1 + static_cast<std::ptrdiff_t>(len));
        testo = testo.substr(0, testo.find('\r'));
        voci.push_back({testo, code});
    }
    return {};
}

Esito ArchivioDefault::creaSeManca(const TDefault& d) const {
    if (fileExists(path()))
        return {};
    std::vector<std::uint8_t> buf(TDefault::Size);
    encode(d, buf);
    return replaceFile(path(), buf);
}

void salvaDefault(const TTestataLavoro& testata, const TLavoro& lavoro, TDefault& d) {
    d.UmPortataDef = testata.UmStampa;
    d.UmQrinnDef = lavoro.umQrinn;
    d.UmQimmDef = lavoro.umQimm;
    d.ChartDefault = lavoro.CodiceChart;
}

} // namespace tarvelo
