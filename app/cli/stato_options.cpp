#include "app/cli/stato_options.h"

#include "engine/altitude.h"
#include "engine/number_parse.h"

#include <cmath>
#include <map>

namespace tarvelo::cli {

namespace {

enum class Opt { Tbs, Ur, Tbu, X, H, Vd, Rd, Sat, Patm, Quota, Json, Csv, Out, Thread, Help };

struct OptInfo {
    Opt id;
    bool takesValue;
};

const std::map<std::string, OptInfo, std::less<>>& optionTable() {
    static const std::map<std::string, OptInfo, std::less<>> table = {
        {"--tbs", {Opt::Tbs, true}},    {"--ur", {Opt::Ur, true}},
        {"--tbu", {Opt::Tbu, true}},    {"--x", {Opt::X, true}},
        {"--h", {Opt::H, true}},        {"--vd", {Opt::Vd, true}},
        {"--rd", {Opt::Rd, true}},      {"--sat", {Opt::Sat, false}},
        {"--patm", {Opt::Patm, true}},  {"--quota", {Opt::Quota, true}},
        {"--json", {Opt::Json, false}}, {"--csv", {Opt::Csv, true}},
        {"--out", {Opt::Out, true}},    {"--thread", {Opt::Thread, true}},
        {"--help", {Opt::Help, false}}, {"-h", {Opt::Help, false}},
    };
    return table;
}

const char* const PairsHint =
    "coppie ammesse: --tbs con una tra --ur, --tbu, --x, --h, --vd, --rd, --sat; "
    "oppure --x con --h o --ur";

} // namespace

ParsedStato parseStatoOptions(std::span<const std::string> args) {
    ParsedStato result;
    StatoOptions& o = result.options;
    std::map<Opt, double> numbers;
    std::map<Opt, std::string> texts;
    bool sat = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const auto it = optionTable().find(name);
        if (it == optionTable().end()) {
            result.errore = "opzione sconosciuta: " + args[i];
            return result;
        }
        const OptInfo info = it->second;
        if (numbers.count(info.id) || texts.count(info.id) || (info.id == Opt::Sat && sat) ||
            (info.id == Opt::Json && o.json)) {
            result.errore = "opzione ripetuta: " + name;
            return result;
        }
        if (!info.takesValue) {
            if (inlineValue) {
                result.errore = "l'opzione " + name + " non vuole un valore";
                return result;
            }
            if (info.id == Opt::Sat)
                sat = true;
            else if (info.id == Opt::Json)
                o.json = true;
            else
                o.help = true;
            continue;
        }
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            result.errore = "manca il valore dell'opzione " + name;
            return result;
        }
        if (info.id == Opt::Csv || info.id == Opt::Out) {
            if (value.empty()) {
                result.errore = "manca il nome del file dell'opzione " + name;
                return result;
            }
            texts[info.id] = value;
            continue;
        }
        const auto number = parseNumber(value);
        if (!number) {
            result.errore = "valore non numerico per " + name + ": \"" + value + "\"";
            return result;
        }
        numbers[info.id] = *number;
    }
    if (o.help)
        return result;

    if (numbers.count(Opt::Patm) && numbers.count(Opt::Quota)) {
        result.errore = "indicare la pressione con --patm oppure con --quota, non con entrambe";
        return result;
    }
    if (numbers.count(Opt::Patm)) {
        o.patm = numbers[Opt::Patm];
    } else if (numbers.count(Opt::Quota)) {
        o.quota = numbers[Opt::Quota];
        if (std::string m = verificaQuota(*o.quota); !m.empty()) {
            result.errore = m;
            return result;
        }
        o.patm = pressureFromAltitude(*o.quota);
    }
    if (std::string m = verificaPressione(o.patm); !m.empty()) {
        result.errore = m;
        return result;
    }
    if (texts.count(Opt::Out))
        o.out = texts[Opt::Out];

    const bool hasTbs = numbers.count(Opt::Tbs) > 0;
    const bool hasX = numbers.count(Opt::X) > 0;
    int seconds = sat ? 1 : 0;
    for (Opt s : {Opt::Ur, Opt::Tbu, Opt::H, Opt::Vd, Opt::Rd})
        seconds += static_cast<int>(numbers.count(s));

    if (numbers.count(Opt::Thread)) {
        const double n = numbers[Opt::Thread];
        if (!texts.count(Opt::Csv)) {
            result.errore = "--thread vale solo con --csv";
            return result;
        }
        if (n != std::floor(n) || n < 1 || n > 256) {
            result.errore = "--thread vuole un numero intero da 1 a 256";
            return result;
        }
        o.thread = static_cast<int>(n);
    }
    if (texts.count(Opt::Csv)) {
        if (hasTbs || hasX || seconds > 0) {
            result.errore = "con --csv le grandezze si leggono dal file, non dalle opzioni";
            return result;
        }
        if (o.json) {
            result.errore = "--json non si usa con --csv: il calcolo in serie scrive CSV";
            return result;
        }
        o.csv = texts[Opt::Csv];
        return result;
    }

    if (!hasTbs && !hasX && seconds == 0) {
        result.errore = std::string("nessuna grandezza indicata; ") + PairsHint;
        return result;
    }
    auto pair = [&](CoppiaNota c, double a, double b) {
        o.coppia = c;
        o.a = a;
        o.b = b;
    };
    if (hasTbs) {
        const double t = numbers[Opt::Tbs];
        const int count = seconds + (hasX ? 1 : 0);
        if (count != 1) {
            result.errore = std::string(count == 0 ? "manca la seconda grandezza; "
                                                   : "troppe grandezze indicate; ") +
                            PairsHint;
            return result;
        }
        if (sat)
            pair(CoppiaNota::TbsSat, t, 0.0);
        else if (hasX)
            pair(CoppiaNota::TbsX, t, numbers[Opt::X] / 1000.0);
        else if (numbers.count(Opt::Ur))
            pair(CoppiaNota::TbsUR, t, numbers[Opt::Ur]);
        else if (numbers.count(Opt::Tbu))
            pair(CoppiaNota::TbsTbu, t, numbers[Opt::Tbu]);
        else if (numbers.count(Opt::H))
            pair(CoppiaNota::TbsH, t, numbers[Opt::H] * 1000.0);
        else if (numbers.count(Opt::Vd))
            pair(CoppiaNota::TbsVd, t, numbers[Opt::Vd]);
        else
            pair(CoppiaNota::TbsRhoSecca, t, numbers[Opt::Rd]);
    } else if (hasX) {
        const bool hasH = numbers.count(Opt::H) > 0;
        const bool hasUr = numbers.count(Opt::Ur) > 0;
        if (seconds != 1 || !(hasH || hasUr)) {
            result.errore = std::string("coppia di grandezze non supportata; ") + PairsHint;
            return result;
        }
        const double x = numbers[Opt::X] / 1000.0;
        if (hasH)
            pair(CoppiaNota::XH, x, numbers[Opt::H] * 1000.0);
        else
            pair(CoppiaNota::XUR, x, numbers[Opt::Ur]);
    } else {
        result.errore = std::string("coppia di grandezze non supportata; ") + PairsHint;
        return result;
    }
    return result;
}

const char* statoHelp() {
    return "Uso:\n"
           "  tarvelo stato --tbs T (--ur UR | --tbu T | --x X | --h H | --vd V | --rd RD | "
           "--sat)\n"
           "                [--patm PA | --quota M] [--json] [--out FILE]\n"
           "  tarvelo stato --x X (--h H | --ur UR) [--patm PA | --quota M] [--json] "
           "[--out FILE]\n"
           "  tarvelo stato --csv FILE [--patm PA | --quota M] [--out FILE] [--thread N]\n"
           "\n"
           "Calcola lo stato dell'aria umida da due grandezze note.\n"
           "\n"
           "Grandezze note (unità dei dialoghi):\n"
           "  --tbs T      temperatura a bulbo secco [°C]\n"
           "  --ur UR      umidità relativa [%]\n"
           "  --tbu T      temperatura a bulbo umido [°C]\n"
           "  --x X        umidità specifica [g/kg]\n"
           "  --h H        entalpia specifica [kJ/kg]\n"
           "  --vd V       volume specifico [m³/kg]\n"
           "  --rd RD      densità dell'aria secca [kg/m³]\n"
           "  --sat        aria satura (UR = 100 %)\n"
           "\n"
           "Pressione (predefinita 101325 Pa):\n"
           "  --patm PA    pressione atmosferica [Pa]\n"
           "  --quota M    altitudine [m], convertita con la tabella dell'atmosfera standard\n"
           "\n"
           "Uscita:\n"
           "  (nessuna)    tabella delle undici grandezze come nella calcolatrice\n"
           "  --json       un oggetto con i campi del punto (tbs, UR, tbu, x, h, v, tdp,\n"
           "               rhoSecca, rhoUmida) e Pv, Psat, Patm, nelle unità del punto:\n"
           "               UR in %, x in kg/kg, h in J/kg, pressioni in Pa\n"
           "  --csv FILE   calcolo in serie: un CSV la cui intestazione nomina una coppia\n"
           "               tra tbs, UR, tbu, x, h, v, rhoSecca (colonna Patm facoltativa),\n"
           "               nelle unità del punto; \"-\" legge lo standard input. Scrive una\n"
           "               riga per riga letta con tutti i campi (vuoti se la riga è errata)\n"
           "  --out FILE   scrive nel file invece che sullo standard output\n"
           "  --thread N   con --csv: calcola su N processori (senza: su tutti); il\n"
           "               risultato è lo stesso per qualunque N\n"
           "\n"
           "I numeri accettano il punto o la virgola decimale; un CSV separato da \";\"\n"
           "accetta la virgola decimale.\n"
           "Codici di uscita: 0 riuscito; 1 errore di lettura o scrittura;\n"
           "2 dati errati (in serie: almeno una riga non calcolata).\n";
}

} // namespace tarvelo::cli
