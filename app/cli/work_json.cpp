#include "app/cli/work_json.h"

#include "document/work_record_ops.h"
#include "treatments/verifiche.h"

#include "app/cli/base64.h"
#include "app/cli/json_writer.h"
#include "app/cli/work_fields.h"
#include "engine/text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <concepts>
#include <cstring>
#include <limits>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

namespace tarvelo::cli {

namespace {

// ---- Writing --------------------------------------------------------------

struct Scrittore {
    Json& o;

    void operator()(const char* k, double v) const {
        // NaN and infinities have no JSON form; the image keeps them.
        if (std::isfinite(v))
            o[k] = v;
        else
            o[k] = nullptr;
    }
    template <std::integral I> void operator()(const char* k, I v) const { o[k] = v; }
    template <std::size_t N> void operator()(const char* k, const StringaPascal<N>& s) const {
        o[k] = cp1252ToUtf8(s.testo());
    }
    void operator()(const char* k, const std::array<std::int32_t, 3>& a) const {
        Json lista = Json::array();
        for (const auto v : a)
            lista.push_back(v);
        o[k] = std::move(lista);
    }
    void operator()(const char* k, const TDatiTrattamento& d) const {
        o[k] = oggetto(d, [](auto& r, auto& v) { campiDati(r, v); });
    }
    void operator()(const char* k, const TPunto& p) const {
        o[k] = oggetto(p, [](auto& r, auto& v) { campiPunto(r, v); });
    }

    template <class R, class F> static Json oggetto(const R& r, F campi) {
        Json j = Json::object();
        Scrittore s{j};
        campi(r, s);
        return j;
    }
};

template <class R> std::string immagine(const R& r) {
    std::vector<std::uint8_t> b(R::Size);
    encode(r, b);
    return base64(b);
}

// ---- Reading --------------------------------------------------------------

struct ErroreJson {
    std::string messaggio;
};

[[noreturn]] void errore(const std::string& percorso, const std::string& cosa) {
    throw ErroreJson{percorso + ": " + cosa};
}

constexpr std::size_t MaxProfondita = 8; // a work nests five levels
constexpr std::size_t MaxChiavi = 64;    // a work's widest object has 45

// A key as a path shows it: quoted and escaped when it holds control
// characters or the path's own signs.
std::string nomeChiave(const std::string& k) {
    const bool semplice = !k.empty() && std::all_of(k.begin(), k.end(), [](unsigned char c) {
        return c > 0x20 && c != 0x7F && c != '.' && c != '[' && c != ']' && c != '"';
    });
    return semplice ? k : Json(k).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string alMassimo(std::size_t n, const char* cosa) {
    return "al massimo " + std::to_string(n) + " " + cosa;
}

// The three-value lists of a treatment's data.
using TreInteri = std::array<std::int32_t, 3>;
constexpr std::size_t MaxInteriLista = std::tuple_size_v<TreInteri>;

std::string listaDiInteri() {
    return "deve essere una lista di al massimo " + std::to_string(MaxInteriLista) + " interi";
}

// The record an object of the JSON stands for, as far as parsing must know
// it to tell where a list belongs and how long it may be.
enum class Record { Altro, Lavoro, Punto, Trattamento, Dati };

// What a member holds: a record, or a list of at most `massimo` items.
struct Membro {
    Record record = Record::Altro;
    std::size_t massimo = 0; // 0: no list belongs here
    std::string oltre;       // the refusal of a longer list
    Record elementi = Record::Altro;
};

// Finds a member among the fields of a record by its name.
struct CercaMembro {
    std::string_view nome;
    Membro& trovato;

    template <class T> void operator()(const char*, const T&) const {}
    void operator()(const char* k, const TPunto&) const {
        if (nome == k)
            trovato.record = Record::Punto;
    }
    void operator()(const char* k, const TDatiTrattamento&) const {
        if (nome == k)
            trovato.record = Record::Dati;
    }
    void operator()(const char* k, const TreInteri&) const {
        if (nome == k)
            trovato = {Record::Altro, MaxInteriLista, listaDiInteri(), Record::Altro};
    }
};

// The checks of a work and the suggestions of a failed run: a few each.
constexpr std::size_t MaxDerivati = 100;

Membro membro(Record r, std::string_view nome) {
    Membro m;
    CercaMembro cerca{nome, m};
    switch (r) {
    case Record::Lavoro:
        if (nome == "Punti")
            m = {Record::Altro, TLavoro::MaxPunti, alMassimo(TLavoro::MaxPunti, "punti"),
                 Record::Punto};
        else if (nome == "Trattamenti")
            m = {Record::Altro, TLavoro::MaxTrattamenti,
                 alMassimo(TLavoro::MaxTrattamenti, "trattamenti"), Record::Trattamento};
        else if (nome == "Verifiche" || nome == "Suggerimenti") // derived, read and left aside
            m = {Record::Altro, MaxDerivati, "troppi elementi (al massimo 100)", Record::Altro};
        break;
    case Record::Punto: {
        const TPunto p{};
        campiPunto(p, cerca);
        break;
    }
    case Record::Trattamento: {
        const TTrattamento t{};
        campiTrattamento(t, cerca);
        break;
    }
    case Record::Dati: {
        const TDatiTrattamento d{};
        campiDati(d, cerca);
        break;
    }
    case Record::Altro:
        break;
    }
    return m;
}

// Parses the text, refusing repeated keys, deep nesting and lists longer
// than their place in a work allows, each as soon as it is met: the parser
// looks over a whole list after each object read into it, so a long list
// would cost time quadratic in its length. Every error names where in the
// document it lies.
Json analizza(std::string_view testo) {
    struct Livello {
        bool lista = false;
        Membro membro;         // what this object or list is
        std::string chiave;    // the member being read, in an object
        std::size_t conta = 0; // the items read, in a list
        std::set<std::string> viste;
    };
    std::vector<Livello> pila;
    const auto percorso = [&pila](bool conIndice = true) {
        std::string p;
        for (std::size_t i = 0; i < pila.size(); ++i) {
            const Livello& l = pila[i];
            if (l.lista) {
                if (conIndice || i + 1 < pila.size())
                    p += "[" + std::to_string(l.conta) + "]";
            } else if (!l.chiave.empty()) {
                p += (p.empty() ? "" : ".") + l.chiave;
            }
        }
        return p;
    };
    const auto dove = [&percorso] {
        const std::string p = percorso();
        return p.empty() ? std::string() : " (in " + p + ")";
    };
    // An item is about to be read into the innermost list: refused there
    // when the list is full, before the parser stores it.
    const auto nuovoElemento = [&] {
        if (pila.empty() || !pila.back().lista)
            return;
        const Livello& l = pila.back();
        if (l.conta >= l.membro.massimo)
            errore(percorso(false),
                   l.membro.massimo == 0 ? "qui non è ammessa una lista" : l.membro.oltre);
    };
    const auto elementoFinito = [&pila] {
        if (!pila.empty() && pila.back().lista)
            ++pila.back().conta;
    };
    using Evento = Json::parse_event_t;
    const auto osserva = [&](int, Evento e, Json& valore) {
        switch (e) {
        case Evento::object_start:
        case Evento::array_start: {
            if (pila.size() >= MaxProfondita)
                throw ErroreJson{"il JSON ha troppi livelli annidati" + dove()};
            const bool lista = e == Evento::array_start;
            Membro m;
            if (pila.empty()) {
                if (lista)
                    throw ErroreJson{"il JSON deve essere un oggetto con i campi del lavoro"};
                m.record = Record::Lavoro;
            } else if (pila.back().lista) {
                // A work has no list of lists.
                if (lista)
                    throw ErroreJson{"il JSON ha troppi livelli annidati" + dove()};
                nuovoElemento();
                m.record = pila.back().membro.elementi;
            } else {
                m = membro(pila.back().membro.record, pila.back().chiave);
            }
            pila.push_back({lista, std::move(m), {}, 0, {}});
            break;
        }
        case Evento::key: {
            Livello& l = pila.back();
            const std::string k = valore.get<std::string>();
            l.chiave = nomeChiave(k);
            if (!l.viste.insert(k).second)
                errore(percorso(), "chiave ripetuta");
            // Unknown keys are refused after parsing; this bounds the work
            // of a document made of nothing else.
            if (l.viste.size() > MaxChiavi)
                errore(percorso(),
                       "troppe chiavi in un oggetto (più di " + std::to_string(MaxChiavi) + ")");
            break;
        }
        case Evento::object_end:
        case Evento::array_end:
            pila.pop_back();
            elementoFinito();
            break;
        case Evento::value:
            nuovoElemento();
            elementoFinito();
            break;
        }
        return true;
    };
    try {
        return Json::parse(testo, osserva, true, false);
    } catch (const Json::parse_error& e) {
        if (e.byte > testo.size())
            throw ErroreJson{"il JSON è troncato: finisce prima di chiudersi" + dove()};
        const std::size_t fine = e.byte == 0 ? 0 : e.byte - 1;
        const std::string_view prima = testo.substr(0, fine);
        const std::size_t riga =
            1 + static_cast<std::size_t>(std::count(prima.begin(), prima.end(), '\n'));
        const std::size_t aCapo = prima.rfind('\n');
        const std::size_t colonna = aCapo == std::string_view::npos ? fine + 1 : fine - aCapo;
        throw ErroreJson{"il JSON non è valido alla riga " + std::to_string(riga) + ", colonna " +
                         std::to_string(colonna) + dove()};
    } catch (const Json::out_of_range&) {
        // A number beyond the doubles' range.
        errore(percorso(), "il numero non è finito");
    }
}

class Lettore {
  public:
    Lettore(const Json& o, std::string prefisso, bool conImmagine)
        : o_(o), prefisso_(std::move(prefisso)), conImmagine_(conImmagine) {}

    template <class T> void operator()(const char* k, T& campo) {
        noti_.push_back(k);
        const auto it = o_.find(k);
        if (it != o_.end())
            leggi(*it, campo, prefisso_ + k);
    }

    // Refuses the keys no field was looked up by, nor named in `altre`.
    void nienteAltro(std::initializer_list<std::string_view> altre = {}) const {
        for (auto it = o_.begin(); it != o_.end(); ++it) {
            const std::string& k = it.key();
            if (std::find(noti_.begin(), noti_.end(), k) == noti_.end() &&
                std::find(altre.begin(), altre.end(), k) == altre.end())
                errore(prefisso_ + nomeChiave(k), "chiave sconosciuta");
        }
    }

  private:
    void leggi(const Json& j, double& d, const std::string& p) const {
        if (j.is_null()) {
            if (conImmagine_)
                return; // the image's value, which JSON cannot hold
            errore(p, "serve un numero finito, non null");
        }
        if (!j.is_number())
            errore(p, "deve essere un numero");
        const double v = j.get<double>();
        if (!std::isfinite(v))
            errore(p, "il numero non è finito");
        d = v;
    }
    template <std::integral I> void leggi(const Json& j, I& n, const std::string& p) const {
        using Lim = std::numeric_limits<I>;
        const std::string intervallo = "deve essere un intero da " + std::to_string(Lim::min()) +
                                       " a " + std::to_string(Lim::max());
        if (!j.is_number_integer())
            errore(p, intervallo);
        if (j.is_number_unsigned()) {
            const auto v = j.get<std::uint64_t>();
            if (v > static_cast<std::uint64_t>(Lim::max()))
                errore(p, intervallo);
            n = static_cast<I>(v);
        } else {
            const auto v = j.get<std::int64_t>();
            if (v < static_cast<std::int64_t>(Lim::min()) ||
                v > static_cast<std::int64_t>(Lim::max()))
                errore(p, intervallo);
            n = static_cast<I>(v);
        }
    }
    template <std::size_t N>
    void leggi(const Json& j, StringaPascal<N>& s, const std::string& p) const {
        if (!j.is_string())
            errore(p, "deve essere un testo");
        const std::string& utf8 = j.get_ref<const std::string&>();
        const std::string testo = utf8ToCp1252(utf8);
        if (cp1252ToUtf8(testo) != utf8)
            errore(p, "contiene caratteri che un lavoro non può contenere (solo Windows-1252)");
        if (testo.size() > N)
            errore(p, "al massimo " + std::to_string(N) + " caratteri");
        // An unchanged text keeps the bytes beyond its length.
        if (testo != s.testo())
            s.assegna(testo);
    }
    void leggi(const Json& j, std::array<std::int32_t, 3>& a, const std::string& p) const {
        if (!j.is_array() || j.size() > a.size())
            errore(p, listaDiInteri());
        for (std::size_t i = 0; i < j.size(); ++i)
            leggi(j[i], a[i], p + "[" + std::to_string(i) + "]");
    }
    void leggi(const Json& j, TDatiTrattamento& d, const std::string& p) const {
        annidato(j, d, p, [](auto& r, auto& v) { campiDati(r, v); });
    }
    void leggi(const Json& j, TPunto& pt, const std::string& p) const {
        annidato(j, pt, p, [](auto& r, auto& v) { campiPunto(r, v); });
    }
    template <class R, class F>
    void annidato(const Json& j, R& r, const std::string& p, F campi) const {
        if (!j.is_object())
            errore(p, "deve essere un oggetto");
        Lettore l(j, p + ".", conImmagine_);
        campi(r, l);
        l.nienteAltro();
    }

    const Json& o_;
    std::string prefisso_;
    bool conImmagine_;
    std::vector<std::string> noti_;
};

template <class R> bool leggiImmagine(const Json& radice, const char* k, R& r) {
    const auto it = radice.find(k);
    if (it == radice.end())
        return false;
    const auto b = it->is_string() ? daBase64(it->get_ref<const std::string&>()) : std::nullopt;
    if (!b || b->size() != R::Size)
        errore(k, "deve essere il base64 di " + std::to_string(R::Size) + " byte");
    decode(*b, r);
    return true;
}

template <class R, std::size_t M, class F>
void leggiElenco(const Json& radice, const char* k, const char* cosa, std::array<R, M>& slot,
                 bool conImmagine, F campi) {
    const auto it = radice.find(k);
    if (it == radice.end())
        return;
    if (!it->is_array())
        errore(k, "deve essere una lista");
    if (it->size() > M)
        errore(k, alMassimo(M, cosa));
    for (std::size_t i = 0; i < it->size(); ++i) {
        const std::string p = std::string(k) + "[" + std::to_string(i) + "]";
        const Json& e = (*it)[i];
        if (!e.is_object())
            errore(p, "deve essere un oggetto");
        Lettore l(e, p + ".", conImmagine);
        campi(slot[i], l);
        l.nienteAltro();
    }
}

} // namespace

std::string lavoroJson(const TTestataLavoro& h, const TLavoro& l, const LimitiVerifiche* limiti,
                       const std::vector<Suggerimento>* suggerimenti) {
    Json j = Json::object();
    Scrittore s{j};
    campiLavoro(h, l, s);
    Json punti = Json::array();
    for (std::size_t i = 0; i < std::min<std::size_t>(l.NumPunti, TLavoro::MaxPunti); ++i) {
        punti.push_back(Scrittore::oggetto(l.Punti[i], [](auto& r, auto& v) { campiPunto(r, v); }));
        // A point reserved but not computed has no air state: null, which
        // reads back as the image's value.
        if (l.Punti[i].InUso && statoNonCalcolato(l, l.Punti[i]))
            for (const char* k : {"tbs", "UR", "tbu", "x", "h", "v", "tdp", "rhoSecca", "rhoUmida"})
                punti.back()[k] = nullptr;
    }
    j["Punti"] = std::move(punti);
    Json trattamenti = Json::array();
    for (std::size_t k = 0; k < std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
         ++k)
        trattamenti.push_back(
            Scrittore::oggetto(l.Trattamenti[k], [](auto& r, auto& v) { campiTrattamento(r, v); }));
    j["Trattamenti"] = std::move(trattamenti);
    if (limiti) {
        if (const PortataReale q = portataReale(l); q.QvReale > 0) {
            j["QvReale"] = q.QvReale;
            j["RicambiReali"] = q.RicambiReali;
        }
        Json v = Json::array();
        for (const Verifica& c : verifiche(l, *limiti))
            v.push_back({{"Codice", c.codice},
                         {"Livello", nomeLivello(c.livello)},
                         {"Messaggio", c.messaggio},
                         {"Punto", c.punto > 0 ? Json(c.punto) : Json(nullptr)},
                         {"Trattamento", c.trattamento > 0 ? Json(c.trattamento) : Json(nullptr)}});
        j["Verifiche"] = std::move(v);
    }
    if (suggerimenti) {
        Json v = Json::array();
        for (const Suggerimento& c : *suggerimenti)
            v.push_back({{"Campo", c.campo}, {"Valore", c.valore}, {"Messaggio", c.messaggio}});
        j["Suggerimenti"] = std::move(v);
    }
    j[ChiaveByteTestata] = immagine(h);
    j[ChiaveByteLavoro] = immagine(l);
    return testoJson(j);
}

std::string lavoroDaJson(std::string_view testo, TTestataLavoro& h, TLavoro& l) {
    try {
        if (testo.size() > MaxTestoJson)
            throw ErroreJson{"il JSON è troppo lungo per un lavoro (più di 4 MB)"};
        const Json radice = analizza(testo);
        if (!radice.is_object())
            throw ErroreJson{"il JSON deve essere un oggetto con i campi del lavoro"};
        auto testata = std::make_unique<TTestataLavoro>(h);
        auto lavoro = std::make_unique<TLavoro>(l);
        leggiImmagine(radice, ChiaveByteTestata, *testata);
        const bool conImmagine = leggiImmagine(radice, ChiaveByteLavoro, *lavoro);
        Lettore campi(radice, "", conImmagine);
        campiLavoro(*testata, *lavoro, campi);
        leggiElenco(radice, "Punti", "punti", lavoro->Punti, conImmagine,
                    [](auto& r, auto& v) { campiPunto(r, v); });
        leggiElenco(radice, "Trattamenti", "trattamenti", lavoro->Trattamenti, conImmagine,
                    [](auto& r, auto& v) { campiTrattamento(r, v); });
        campi.nienteAltro({"Punti", "Trattamenti", ChiaveByteTestata, ChiaveByteLavoro,
                           ChiaviDerivate[0], ChiaviDerivate[1], ChiaviDerivate[2],
                           ChiaviDerivate[3]});
        // Without its signature the file would not open again.
        const auto& firma = testata->Firma.raw;
        if (firma[0] != 7 || std::memcmp(firma.data() + 1, "TRV~", 4) != 0)
            errore("Firma", "deve essere di 7 caratteri e cominciare con \"TRV~\"");
        h = *testata;
        l = *lavoro;
        return {};
    } catch (const ErroreJson& e) {
        return e.messaggio;
    }
}

} // namespace tarvelo::cli
