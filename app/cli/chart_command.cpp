#include "app/cli/chart_command.h"
#include "app/cli/input_file.h"

#include "app/cli/work_session.h"

#include "app/cli/json_writer.h"
#include "app/cli/stato_command.h"
#include "chart/chart_builder.h"
#include "chart/chart_file.h"
#include "chart/initial_chart.h"
#include "document/settings.h"
#include "document/work_file.h"
#include "document/work_record_ops.h"
#include "engine/altitude.h"
#include "engine/decimal_text.h"
#include "engine/number_parse.h"
#include "engine/text.h"

#include <cmath>
#include <map>
#include <optional>
#include <ostream>

namespace tarvelo::cli {

namespace {

constexpr const char* Prefix = "tarvelo chart: ";

struct Fail {
    int code;
};

// Options of the form --name VALUE (or --name=VALUE), each at most once.
class Opzioni {
  public:
    Opzioni(std::span<const std::string> args, std::ostream& err) : err_(err) {
        for (std::size_t i = 0; i < args.size(); ++i) {
            std::string a = args[i];
            if (a.rfind("--", 0) != 0) {
                positional_.push_back(a);
                continue;
            }
            std::string value;
            if (const auto eq = a.find('='); eq != std::string::npos) {
                value = a.substr(eq + 1);
                a = a.substr(0, eq);
            } else if (a == "--json" || a == "--help") {
                value = "1";
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                fail("manca il valore dell'opzione " + a);
            }
            if (!values_.emplace(a, value).second)
                fail("opzione ripetuta: " + a);
        }
    }
    void allow(std::initializer_list<const char*> names) const {
        for (const auto& [k, v] : values_) {
            bool ok = false;
            for (const char* n : names)
                ok = ok || k == n;
            if (!ok)
                fail("opzione sconosciuta: " + k);
        }
    }
    bool has(const std::string& name) const { return values_.count(name) > 0; }
    std::optional<std::string> text(const std::string& name) const {
        const auto it = values_.find(name);
        return it == values_.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<double> number(const std::string& name) const {
        const auto t = text(name);
        if (!t)
            return std::nullopt;
        const auto v = parseNumber(*t);
        if (!v)
            fail("valore non numerico per " + name + ": \"" + *t + "\"");
        return v;
    }
    std::optional<int> integer(const std::string& name) const {
        const auto v = number(name);
        if (!v)
            return std::nullopt;
        if (*v != std::floor(*v) || std::fabs(*v) > 30000)
            fail("il valore di " + name + " deve essere un numero intero");
        return static_cast<int>(*v);
    }
    int required(const std::string& name) const {
        const auto v = integer(name);
        if (!v)
            fail("manca l'opzione " + name);
        return *v;
    }
    const std::vector<std::string>& positional() const { return positional_; }
    [[noreturn]] void fail(const std::string& message) const {
        err_ << Prefix << "errore: " << message << "\nPer l'aiuto: tarvelo chart --help\n";
        throw Fail{ExitBadInput};
    }

  private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> positional_;
    std::ostream& err_;
};

std::string primaRiga(const std::string& cp1252) {
    return cp1252ToUtf8(cp1252.substr(0, cp1252.find('\r')));
}

// The description as typed: "\n" (two characters) or a line feed starts
// the second line, stored with CR LF.
std::string descrizione(const std::string& utf8) {
    std::string s;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\\' && i + 1 < utf8.size() && utf8[i + 1] == 'n') {
            s += "\r\n";
            ++i;
        } else if (utf8[i] == '\n') {
            s += "\r\n";
        } else if (utf8[i] != '\r') {
            s += utf8[i];
        }
    }
    return utf8ToCp1252(s);
}

int genera(const Opzioni& o, const TDriveMdl& settings, ChartServices& services, std::ostream& out,
           std::ostream& err) {
    o.allow({"--tbs-min", "--tbs-max", "--x-max", "--patm", "--quota", "--descrizione",
             "--sovrascrivi", "--larghezza", "--altezza"});
    ParametriChart p;
    p.tbsMin = o.required("--tbs-min");
    p.tbsMax = o.required("--tbs-max");
    p.xMax = o.required("--x-max");
    if (o.has("--patm") && o.has("--quota"))
        o.fail("indicare la pressione con --patm oppure con --quota, non con entrambe");
    if (const auto patm = o.number("--patm"))
        p.Patm = *patm;
    else if (const auto quota = o.number("--quota")) {
        if (std::string m = verificaQuota(*quota); !m.empty())
            o.fail(m);
        p.Patm = std::round(pressureFromAltitude(*quota));
    }
    p.descrizione = o.text("--descrizione")
                        ? descrizione(*o.text("--descrizione"))
                        : "Diagramma " + std::to_string(p.tbsMin) + "..." +
                              std::to_string(p.tbsMax) + " \xB0" + "C, " +
                              FloatToStrFixed(p.Patm, 12, 0) + " Pa\r\nDiagramma psicrometrico";
    AreaVideo area;
    area.width = o.integer("--larghezza").value_or(1000);
    area.height = o.integer("--altezza").value_or(700);
    const auto overwrite = o.integer("--sovrascrivi");
    const RisultatoGenerazione r = generaChart(p, overwrite.value_or(0), !overwrite,
                                               settings.archivio(), services.misura(), area);
    if (!r.esito.ok) {
        err << Prefix << "errore: " << r.esito.errore << "\n";
        return r.erroreDisco ? ExitIo : ExitBadInput;
    }
    out << r.codice << "\n";
    return ExitOk;
}

int elenco(const Opzioni& o, const TDriveMdl& settings, std::ostream& out, std::ostream& err) {
    o.allow({"--json"});
    const ArchivioDefault archivio = settings.archivio();
    TDefault d;
    if (Esito e = archivio.leggiDefault(d); !e.ok) {
        err << Prefix << "errore: " << e.errore << "\n";
        return ExitIo;
    }
    JsonWriter j;
    j.beginObject();
    j.integer("ChartDefault", d.ChartDefault);
    j.beginArray("Chart");
    std::string text = "codice  tbs [°C]      x [g/kg]  Patm [Pa]  descrizione\n";
    bool danneggiati = false;
    for (int code = 1; code <= d.NumChart; ++code) {
        TTestataChart h;
        if (Esito e = archivio.leggiTestataChart(code, h); !e.ok) {
            err << Prefix << "errore: " << e.errore << "\n";
            return ExitIo;
        }
        // A header that no chart could be drawn from is named as damaged,
        // not listed with the values it holds.
        Esito valida = verificaIntestazione(h, VersioneStampa);
        if (valida.ok)
            valida = verificaIntestazione(h, VersioneVideo);
        if (!valida.ok) {
            danneggiati = true;
            j.beginObject();
            j.integer("codice", code);
            j.string("errore", valida.errore);
            j.endObject();
            char line[32];
            std::snprintf(line, sizeof line, "%3d%s   ", code, code == d.ChartDefault ? "*" : " ");
            text += line + std::string("intestazione non valida: ") + valida.errore + "\n";
            continue;
        }
        j.beginObject();
        j.integer("codice", code);
        j.string("descrizione", cp1252ToUtf8(h.description.testo()));
        j.integer("tbsMin", h.tbsMin);
        j.integer("tbsMax", h.tbsMax);
        j.integer("xMax", h.xMax);
        j.number("Patm", h.pressure);
        j.endObject();
        char line[160];
        std::snprintf(line, sizeof line, "%3d%s   %+4d ... %+4d  0 ... %-4d %9s  ", code,
                      code == d.ChartDefault ? "*" : " ", h.tbsMin, h.tbsMax, h.xMax,
                      FloatToStrFixed(h.pressure, 12, 0).c_str());
        text += line + primaRiga(h.description.testo()) + "\n";
    }
    j.endArray();
    j.endObject();
    out << (o.has("--json") ? j.str() : text);
    if (danneggiati)
        err << Prefix << "errore: il catalogo contiene diagrammi con l'intestazione non valida\n";
    return fineUscita(out, err, Prefix, danneggiati ? ExitIo : ExitOk);
}

int esporta(const Opzioni& o, const TDriveMdl& settings, ChartServices& services,
            std::ostream& err) {
    o.allow({"--versione", "--dpi", "--lavoro"});
    if (o.positional().size() != 2)
        o.fail("indicare il codice del diagramma e il file da scrivere");
    const auto code = parseNumber(o.positional()[0]);
    if (!code || *code != std::floor(*code) || *code < 1 || *code > 65535)
        o.fail("codice di diagramma non valido: " + o.positional()[0]);
    const std::string versione = o.text("--versione").value_or("stampa");
    if (versione != "stampa" && versione != "video")
        o.fail("--versione vuole \"stampa\" o \"video\"");
    const int dpi = o.integer("--dpi").value_or(300);
    if (dpi < 10 || dpi > 1200)
        o.fail("--dpi deve stare tra 10 e 1200");
    TTestataChart h;
    if (Esito e = settings.archivio().leggiTestataChart(static_cast<int>(*code), h); !e.ok) {
        err << Prefix << "errore: " << e.errore << "\n";
        return ExitBadInput;
    }
    // A work drawn over the chart: read as "Apri" reads it, its states
    // placed with the scale of the chart exported.
    std::optional<FoglioLetto> foglio;
    if (const auto path = o.text("--lavoro")) {
        const TestataLetta t = leggiTestata(*path);
        foglio.emplace();
        Esito letto =
            t.esito == Riconoscimento::Riconosciuto
                ? leggiFoglio(*path, settings.archivio(), *foglio)
                : Esito::fallito(t.esito == Riconoscimento::Mancante
                                     ? fileNonLeggibile(*path)
                                     : "il file " + *path + " non è un lavoro riconosciuto");
        if (letto.ok && !valoriFiniti(foglio->lavoro))
            letto = Esito::fallito("il lavoro " + *path +
                                   " contiene valori non numerici (NaN o infiniti)");
        if (!letto.ok) {
            err << Prefix << "errore: " << letto.errore << "\n";
            return ExitBadInput;
        }
    }
    const Esito e =
        services.esporta(settings.DIR_ARCHIVI, static_cast<int>(*code), h, o.positional()[1],
                         versione == "video", dpi, foglio ? &foglio->lavoro : nullptr);
    if (!e.ok) {
        err << Prefix << "errore: " << e.errore << "\n";
        return e.errore.find("formato") != std::string::npos ? ExitBadInput : ExitIo;
    }
    return ExitOk;
}

} // namespace

const char* chartHelp() {
    return "Uso:\n"
           "  tarvelo [--dati CARTELLA] chart genera --tbs-min T --tbs-max T --x-max X\n"
           "          [--patm PA | --quota M] [--descrizione TESTO] [--sovrascrivi CODICE]\n"
           "          [--larghezza L --altezza A]\n"
           "  tarvelo [--dati CARTELLA] chart elenco [--json]\n"
           "  tarvelo [--dati CARTELLA] chart esporta CODICE FILE [--versione stampa|video]\n"
           "          [--dpi N] [--lavoro LAVORO.TRV]\n"
           "\n"
           "genera   crea un diagramma nell'archivio (nuovo codice, o sovrascrive CODICE)\n"
           "         e ne scrive il codice; tbs in °C, x in g/kg (numeri interi); la\n"
           "         versione video è per un'area di L×A pixel (predefinita 1000×700);\n"
           "         nella descrizione \"\\n\" separa le due righe\n"
           "elenco   i diagrammi dell'archivio: codice (* il predefinito), campi, pressione\n"
           "esporta  scrive il diagramma come PNG, SVG o PDF secondo l'estensione di FILE:\n"
           "         la versione di stampa (predefinita) sul foglio con i titoli degli assi,\n"
           "         o quella video alla sua dimensione; --dpi per il PNG di stampa (300);\n"
           "         --lavoro disegna sul diagramma i trattamenti e i punti del lavoro, come\n"
           "         la finestra del diagramma (video) o come il foglio di stampa (stampa)\n"
           "\n"
           "Codici di uscita: 0 riuscito; 1 errore di lettura o scrittura; 2 dati errati.\n";
}

int runChart(std::span<const std::string> args, const std::string& dataFolder,
             ChartServices* services, std::ostream& out, std::ostream& err) {
    try {
        if (args.empty() || args[0] == "--help" || args[0] == "-h") {
            (args.empty() ? err : out) << chartHelp();
            return args.empty() ? ExitBadInput : ExitOk;
        }
        const std::string sub = args[0];
        const Opzioni o(args.subspan(1), err);
        if (o.has("--help")) {
            out << chartHelp();
            return ExitOk;
        }
        if (sub != "genera" && sub != "elenco" && sub != "esporta")
            o.fail("sotto-comando sconosciuto: " + sub + " (genera, elenco, esporta)");
        if (sub != "esporta" && !o.positional().empty())
            o.fail("argomento inatteso: " + o.positional()[0]);
        if (!services) {
            err << Prefix << "errore: la grafica non è disponibile in questa versione\n";
            return ExitIo;
        }
        std::vector<std::string> creati;
        if (Esito e = preparaCartellaDati(dataFolder, creati); !e.ok) {
            err << Prefix << "errore: " << e.errore << "\n";
            return ExitIo;
        }
        const TDriveMdl settings = TDriveMdl::crea(dataFolder);
        for (const std::string& a : settings.avvisi)
            err << Prefix << "attenzione: " << a << "\n";
        bool creato = false;
        if (Esito e = assicuraChartIniziale(settings, services->misura(), creato); !e.ok) {
            err << Prefix << "errore: " << e.errore << "\n";
            return ExitIo;
        }
        if (creato)
            err << Prefix << "creato il diagramma iniziale 1\n";
        if (sub == "genera")
            return genera(o, settings, *services, out, err);
        if (sub == "elenco")
            return elenco(o, settings, out, err);
        return esporta(o, settings, *services, err);
    } catch (const Fail& f) {
        return f.code;
    }
}

} // namespace tarvelo::cli
