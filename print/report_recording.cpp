#include "print/report_recording.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace tarvelo {

namespace {

constexpr const char* Firma = "TARVELO-RPP 1";
// Bounds of what a page file may hold: far beyond any sheet, small enough
// that no sum of coordinates overflows and no file makes us allocate much.
constexpr int CoordinataMax = 1000000;
constexpr int PaginaMax = 30000; // 2.5 m at 300 units per inch
constexpr std::size_t PagineMax = 1000;
constexpr std::size_t OperazioniMax = 500000;
constexpr std::uintmax_t FileMax = 64u << 20;
constexpr std::size_t TestoMax = 1000;

// What is recorded stays within what the page file may hold, so that the
// preview always reads back the pages the composition made.
int entro(int v) {
    return std::clamp(v, -CoordinataMax, CoordinataMax);
}
PennaReport entro(PennaReport p) {
    if (p.stile < 0 || p.stile > 5)
        p.stile = 0;
    p.spessore = std::clamp(p.spessore, 0, 1000);
    return p;
}
FontReport entro(FontReport f) {
    f.punti = std::isfinite(f.punti) ? std::clamp(f.punti, 0.5, 500.0) : 10.0;
    f.rotazione = std::clamp(f.rotazione, -360, 360);
    if (f.nome.size() > 64)
        f.nome.resize(64);
    return f;
}

std::string esadecimale(std::string_view s) {
    static const char cifre[] = "0123456789abcdef";
    std::string h;
    h.reserve(s.size() * 2 + 1);
    h.push_back('=');
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        h.push_back(cifre[u >> 4]);
        h.push_back(cifre[u & 15]);
    }
    return h;
}

void penna(std::ostream& o, const PennaReport& p) {
    o << ' ' << int{p.colore.r} << ' ' << int{p.colore.g} << ' ' << int{p.colore.b} << ' '
      << p.stile << ' ' << p.spessore;
}
void pennello(std::ostream& o, const PennelloReport& p) {
    o << ' ' << int{p.colore.r} << ' ' << int{p.colore.g} << ' ' << int{p.colore.b} << ' '
      << (p.pieno ? 1 : 0);
}

// One line split into fields, read in order with their bounds checked.
class Campi {
  public:
    explicit Campi(std::string_view riga) {
        std::size_t i = 0;
        while (i < riga.size()) {
            while (i < riga.size() && riga[i] == ' ')
                ++i;
            const std::size_t j = riga.find(' ', i);
            const std::size_t e = j == std::string_view::npos ? riga.size() : j;
            if (e > i)
                campi_.push_back(riga.substr(i, e - i));
            i = e;
        }
    }
    std::size_t quanti() const { return campi_.size(); }
    std::string_view parola() {
        if (!ok_ || n_ >= campi_.size()) {
            ok_ = false; // a field missing from the line
            return {};
        }
        return campi_[n_++];
    }
    long long intero(long long min, long long max) {
        const std::string_view s = parola();
        long long v = 0;
        const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc{} || p != s.data() + s.size() || v < min || v > max)
            ok_ = false;
        return ok_ ? v : min;
    }
    int coord() { return static_cast<int>(intero(-CoordinataMax, CoordinataMax)); }
    double reale(double min, double max) {
        const std::string_view s = parola();
        double v = 0;
        const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc{} || p != s.data() + s.size() || !(v >= min && v <= max))
            ok_ = false;
        return ok_ ? v : min;
    }
    Rgb colore() {
        Rgb c;
        c.r = static_cast<std::uint8_t>(intero(0, 255));
        c.g = static_cast<std::uint8_t>(intero(0, 255));
        c.b = static_cast<std::uint8_t>(intero(0, 255));
        return c;
    }
    PennaReport penna() {
        PennaReport p;
        p.colore = colore();
        p.stile = static_cast<int>(intero(0, 5));
        p.spessore = static_cast<int>(intero(0, 1000));
        return p;
    }
    PennelloReport pennello() {
        PennelloReport p;
        p.colore = colore();
        p.pieno = intero(0, 1) == 1;
        return p;
    }
    std::string testo() {
        const std::string_view s = parola();
        std::string t;
        if (s.empty() || s[0] != '=' || s.size() % 2 == 0) {
            ok_ = false;
            return t;
        }
        t.reserve(s.size() / 2);
        for (std::size_t i = 1; i + 1 < s.size(); i += 2) {
            unsigned v = 0;
            const auto [p, ec] = std::from_chars(s.data() + i, s.data() + i + 2, v, 16);
            if (ec != std::errc{} || p != s.data() + i + 2) {
                ok_ = false;
                return {};
            }
            t.push_back(static_cast<char>(v));
        }
        return t;
    }
    bool finite() const { return ok_ && n_ == campi_.size(); }

  private:
    std::vector<std::string_view> campi_;
    std::size_t n_ = 0;
    bool ok_ = true;
};

} // namespace

RegistratoreReport::RegistratoreReport(ReportDevice& misura) : misura_(misura) {
    Pagina p = misura.pagina();
    p.larghezza = std::clamp(p.larghezza, 1, PaginaMax);
    p.altezza = std::clamp(p.altezza, 1, PaginaMax);
    for (int* m : {&p.margineSx, &p.margineDx, &p.margineAlto, &p.margineBasso})
        *m = std::clamp(*m, 0, PaginaMax);
    r_.pagina = p;
}

int RegistratoreReport::larghezzaTesto(const FontReport& font, std::string_view testo) {
    return misura_.larghezzaTesto(font, testo);
}
int RegistratoreReport::altezzaRiga(const FontReport& font) {
    return misura_.altezzaRiga(font);
}
int RegistratoreReport::ascesa(const FontReport& font) {
    return misura_.ascesa(font);
}

void RegistratoreReport::aggiungi(OperazioneReport op) {
    if (r_.pagine.empty())
        r_.pagine.emplace_back();
    r_.pagine.back().operazioni.push_back(std::move(op));
}

void RegistratoreReport::linea(int x1, int y1, int x2, int y2, const PennaReport& p) {
    OperazioneReport op;
    op.tipo = OperazioneReport::Tipo::Linea;
    op.x1 = entro(x1), op.y1 = entro(y1), op.x2 = entro(x2), op.y2 = entro(y2);
    op.penna = entro(p);
    aggiungi(std::move(op));
}

void RegistratoreReport::rettangolo(int x1, int y1, int x2, int y2, const PennaReport* p,
                                    const PennelloReport& b) {
    OperazioneReport op;
    op.tipo = OperazioneReport::Tipo::Rettangolo;
    op.x1 = entro(x1), op.y1 = entro(y1), op.x2 = entro(x2), op.y2 = entro(y2);
    op.conPenna = p != nullptr;
    if (p)
        op.penna = entro(*p);
    op.pennello = b;
    aggiungi(std::move(op));
}

void RegistratoreReport::ellisse(int x1, int y1, int x2, int y2, const PennaReport& p,
                                 const PennelloReport& b) {
    OperazioneReport op;
    op.tipo = OperazioneReport::Tipo::Ellisse;
    op.x1 = entro(x1), op.y1 = entro(y1), op.x2 = entro(x2), op.y2 = entro(y2);
    op.penna = entro(p);
    op.pennello = b;
    aggiungi(std::move(op));
}

void RegistratoreReport::testo(int x, int y, const FontReport& font, std::string_view testo) {
    OperazioneReport op;
    op.tipo = OperazioneReport::Tipo::Testo;
    op.x1 = entro(x), op.y1 = entro(y);
    op.font = entro(font);
    op.testo = std::string(testo.substr(0, TestoMax));
    aggiungi(std::move(op));
}

void riproduci(const PaginaRegistrata& pagina, ReportDevice& d) {
    for (const OperazioneReport& op : pagina.operazioni) {
        switch (op.tipo) {
        case OperazioneReport::Tipo::Linea:
            d.linea(op.x1, op.y1, op.x2, op.y2, op.penna);
            break;
        case OperazioneReport::Tipo::Rettangolo:
            d.rettangolo(op.x1, op.y1, op.x2, op.y2, op.conPenna ? &op.penna : nullptr,
                         op.pennello);
            break;
        case OperazioneReport::Tipo::Ellisse:
            d.ellisse(op.x1, op.y1, op.x2, op.y2, op.penna, op.pennello);
            break;
        case OperazioneReport::Tipo::Testo:
            d.testo(op.x1, op.y1, op.font, op.testo);
            break;
        }
    }
}

std::string testoRpp(const Registrazione& r) {
    std::ostringstream o;
    o << Firma << '\n';
    const Pagina& p = r.pagina;
    o << "PAGINA " << p.larghezza << ' ' << p.altezza << ' ' << p.margineSx << ' ' << p.margineDx
      << ' ' << p.margineAlto << ' ' << p.margineBasso << '\n';
    o << "PAGINE " << r.pagine.size() << '\n';
    for (const PaginaRegistrata& pg : r.pagine) {
        o << "P " << pg.operazioni.size() << '\n';
        for (const OperazioneReport& op : pg.operazioni) {
            switch (op.tipo) {
            case OperazioneReport::Tipo::Linea:
                o << "L " << op.x1 << ' ' << op.y1 << ' ' << op.x2 << ' ' << op.y2;
                penna(o, op.penna);
                break;
            case OperazioneReport::Tipo::Rettangolo:
            case OperazioneReport::Tipo::Ellisse:
                o << (op.tipo == OperazioneReport::Tipo::Ellisse ? "E " : "R ") << op.x1 << ' '
                  << op.y1 << ' ' << op.x2 << ' ' << op.y2 << ' ' << (op.conPenna ? 1 : 0);
                penna(o, op.penna);
                pennello(o, op.pennello);
                break;
            case OperazioneReport::Tipo::Testo: {
                const FontReport& f = op.font;
                char punti[32];
                const auto res = std::to_chars(punti, punti + sizeof punti, f.punti);
                o << "T " << op.x1 << ' ' << op.y1 << ' ' << esadecimale(f.nome) << ' '
                  << std::string_view(punti, static_cast<std::size_t>(res.ptr - punti)) << ' '
                  << (f.grassetto ? 1 : 0) << ' ' << (f.corsivo ? 1 : 0) << ' ' << int{f.colore.r}
                  << ' ' << int{f.colore.g} << ' ' << int{f.colore.b} << ' ' << f.rotazione << ' '
                  << esadecimale(op.testo);
                break;
            }
            }
            o << '\n';
        }
    }
    o << "FINE\n";
    return o.str();
}

Esito leggiTestoRpp(std::string_view testo, Registrazione& out) {
    std::size_t pos = 0;
    int numero = 0;
    auto riga = [&](std::string_view& r) {
        if (pos >= testo.size())
            return false;
        const std::size_t e = testo.find('\n', pos);
        r = testo.substr(pos, e == std::string_view::npos ? testo.size() - pos : e - pos);
        pos = e == std::string_view::npos ? testo.size() : e + 1;
        ++numero;
        return true;
    };
    auto guasto = [&] {
        return Esito::fallito("il file delle pagine " + std::string(NomePaginaAnteprima) +
                              " è danneggiato (riga " + std::to_string(numero) + ")");
    };
    Registrazione r;
    std::string_view s;
    if (!riga(s) || s != Firma)
        return guasto();
    if (!riga(s))
        return guasto();
    {
        Campi c(s);
        if (c.parola() != "PAGINA")
            return guasto();
        Pagina& p = r.pagina;
        p.larghezza = static_cast<int>(c.intero(1, PaginaMax));
        p.altezza = static_cast<int>(c.intero(1, PaginaMax));
        p.margineSx = static_cast<int>(c.intero(0, PaginaMax));
        p.margineDx = static_cast<int>(c.intero(0, PaginaMax));
        p.margineAlto = static_cast<int>(c.intero(0, PaginaMax));
        p.margineBasso = static_cast<int>(c.intero(0, PaginaMax));
        if (!c.finite())
            return guasto();
    }
    if (!riga(s))
        return guasto();
    std::size_t pagine = 0;
    {
        Campi c(s);
        if (c.parola() != "PAGINE")
            return guasto();
        pagine = static_cast<std::size_t>(c.intero(0, PagineMax));
        if (!c.finite())
            return guasto();
    }
    std::size_t totale = 0;
    for (std::size_t n = 0; n < pagine; ++n) {
        if (!riga(s))
            return guasto();
        Campi c(s);
        if (c.parola() != "P")
            return guasto();
        const auto quante = static_cast<std::size_t>(c.intero(0, OperazioniMax));
        if (!c.finite() || (totale += quante) > OperazioniMax)
            return guasto();
        PaginaRegistrata pg;
        for (std::size_t k = 0; k < quante; ++k) {
            if (!riga(s))
                return guasto();
            Campi f(s);
            const std::string_view tipo = f.parola();
            OperazioneReport op;
            if (tipo == "L") {
                op.tipo = OperazioneReport::Tipo::Linea;
                op.x1 = f.coord(), op.y1 = f.coord(), op.x2 = f.coord(), op.y2 = f.coord();
                op.penna = f.penna();
            } else if (tipo == "R" || tipo == "E") {
                op.tipo = tipo == "R" ? OperazioneReport::Tipo::Rettangolo
                                      : OperazioneReport::Tipo::Ellisse;
                op.x1 = f.coord(), op.y1 = f.coord(), op.x2 = f.coord(), op.y2 = f.coord();
                op.conPenna = f.intero(0, 1) == 1;
                op.penna = f.penna();
                op.pennello = f.pennello();
            } else if (tipo == "T") {
                op.tipo = OperazioneReport::Tipo::Testo;
                op.x1 = f.coord(), op.y1 = f.coord();
                op.font.nome = f.testo();
                op.font.punti = f.reale(0.5, 500);
                op.font.grassetto = f.intero(0, 1) == 1;
                op.font.corsivo = f.intero(0, 1) == 1;
                op.font.colore = f.colore();
                op.font.rotazione = static_cast<int>(f.intero(-360, 360));
                op.testo = f.testo();
                if (op.font.nome.size() > 64 || op.testo.size() > TestoMax)
                    return guasto();
            } else {
                return guasto();
            }
            if (!f.finite())
                return guasto();
            pg.operazioni.push_back(std::move(op));
        }
        r.pagine.push_back(std::move(pg));
    }
    if (!riga(s) || s != "FINE" || pos != testo.size())
        return guasto();
    out = std::move(r);
    return {};
}

Esito salvaRpp(const std::string& path, const Registrazione& r) {
    const std::string t = testoRpp(r);
    return replaceFile(path, std::vector<std::uint8_t>(t.begin(), t.end()), Scrittura::Rapporto);
}

Esito leggiRpp(const std::string& path, Registrazione& r) {
    if (const auto size = fileSize(path); size && *size > FileMax)
        return Esito::fallito("il file delle pagine " + path + " è troppo grande");
    std::vector<std::uint8_t> bytes;
    if (Esito e = readAll(path, bytes); !e.ok)
        return e;
    return leggiTestoRpp(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), r);
}

} // namespace tarvelo
