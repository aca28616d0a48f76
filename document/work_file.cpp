#include "document/work_file.h"

#include <algorithm>
#include <cstring>

namespace tarvelo {

TestataLetta leggiTestata(const std::string& path) {
    TestataLetta r;
    const auto size = fileSize(path);
    if (!size) {
        r.esito = fileExists(path) ? Riconoscimento::NonRiconosciuto : Riconoscimento::Mancante;
        return r;
    }
    if (*size <= 9)
        return r;
    std::vector<std::uint8_t> head;
    if (Esito e = readAt(path, 0, 8, head); !e.ok) {
        r.io = e;
        return r;
    }
    if (head[0] != 7 || std::memcmp(head.data() + 1, "TRV~", 4) != 0)
        return r;
    r.versione = (head[5] - '0') * 100 + (head[6] - '0') * 10 + (head[7] - '0');
    std::vector<std::uint8_t> image;
    if (Esito e = readAt(path, 0, TTestataLavoro::Size, image); !e.ok) {
        r.io = Esito::fallito("il file " + path + " è troncato: manca parte della testata");
        return r;
    }
    decode(image, r.testata);
    r.esito = Riconoscimento::Riconosciuto;
    return r;
}

void convertiFoglioVecchio(bytes::ConstImage v, TLavoro& out) {
    std::vector<std::uint8_t> c(TLavoro::Size, 0);
    // The description is copied as a string: its length and characters.
    const std::size_t len = std::min<std::size_t>(v[0], 255);
    std::copy_n(v.begin(), len + 1, c.begin());
    struct Span {
        std::size_t to, from, n;
    };
    constexpr Span spans[] = {
        {256, 256, 144},     // the 18 zone-data doubles
        {400, 400, 4},       // flgCx, flgQimm, umQrinn, umQimm
        {404, 404, 2},       // the reserved int16
        {424, 408, 2568},    // NumPunti, reserved bytes and the 20 points
        {2992, 2976, 8536},  // NumTrattamenti, TipoImpianto, treatments, TitoloSequenza
        {11528, 11512, 40},  // Qv, QvVol, fs and the two working doubles
        {11568, 11552, 488}, // TestataChart
        {12056, 12040, 2},   // CodiceChart
        {12058, 12042, 2},   // CodiceErrore
    };
    for (const Span& s : spans)
        std::copy_n(v.begin() + static_cast<std::ptrdiff_t>(s.from), s.n,
                    c.begin() + static_cast<std::ptrdiff_t>(s.to));
    decode(c, out);
}

Esito leggiFoglio(const std::string& path, const ArchivioDefault& archivio, FoglioLetto& out) {
    const auto size = fileSize(path);
    if (!size)
        return Esito::fallito("impossibile leggere il file " + path);
    FoglioLetto letto;
    std::vector<std::uint8_t> image;
    if (*size == DimFileCorrente) {
        if (Esito e = readAt(path, TTestataLavoro::Size, TLavoro::Size, image); !e.ok)
            return e;
        decode(image, letto.lavoro);
    } else {
        if (Esito e = readAt(path, TTestataLavoro::Size, DimFoglioVecchio, image); !e.ok)
            return Esito::fallito("il file " + path +
                                  " è troncato: il foglio di lavoro è incompleto");
        convertiFoglioVecchio(image, letto.lavoro);
        letto.vecchioFormato = true;
    }
    if (Esito e = archivio.leggiTestataChart(letto.lavoro.CodiceChart, letto.lavoro.TestataChart);
        !e.ok)
        return e;
    out = letto;
    return {};
}

Esito scriviFileLavoro(const std::string& path, const TTestataLavoro& testata,
                       const TLavoro& lavoro) {
    std::vector<std::uint8_t> image(DimFileCorrente);
    encode(testata, bytes::Image(image).subspan(0, TTestataLavoro::Size));
    encode(lavoro, bytes::Image(image).subspan(TTestataLavoro::Size, TLavoro::Size));
    // Two programs saving into one folder take turns: the copy of a longer
    // file and the replacement are one step for each.
    const BloccoEsclusivo blocco(cartellaDi(path));
    if (const auto size = fileSize(path); size && *size > DimFileCorrente) {
        std::vector<std::uint8_t> previous;
        if (Esito e = readAll(path, previous); !e.ok)
            return e;
        if (Esito e = replaceFile(freeBackupName(path), previous); !e.ok)
            return Esito::fallito("impossibile conservare la copia del file più lungo: " +
                                  e.errore);
    }
    return replaceFile(path, image);
}

PercorsoDiviso dividiPercorso(const std::string& path) {
    auto isDelimiter = [&](std::size_t i) { return path[i] == '/' || path[i] == '\\'; };
    std::size_t lastDelim = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isDelimiter(i))
            lastDelim = i;
    }
    PercorsoDiviso r;
    if (lastDelim != std::string::npos) {
        r.cartella = path.substr(0, lastDelim + 1);
    }
    const std::size_t nameStart = lastDelim == std::string::npos ? 0 : lastDelim + 1;
    const std::size_t dot = path.rfind('.');
    std::size_t nameEnd = path.size();
    if (dot != std::string::npos && dot >= nameStart) {
        nameEnd = dot;
        r.estensione = path.substr(dot, 4);
    } else {
        r.estensione = ".";
    }
    r.nome = path.substr(nameStart, std::min<std::size_t>(nameEnd - nameStart, 255));
    return r;
}

} // namespace tarvelo
