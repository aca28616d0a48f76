#include "app/cli/stato_report.h"

#include "app/cli/json_writer.h"
#include "engine/altitude.h"
#include "engine/decimal_text.h"
#include "engine/format_mask.h"
#include "engine/text.h"

#include <charconv>
#include <cmath>

namespace tarvelo::cli {

namespace {

std::size_t displayWidth(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80)
            ++n;
    }
    return n;
}

std::string padRight(const std::string& s, std::size_t w) {
    const std::size_t d = displayWidth(s);
    return d >= w ? s : s + std::string(w - d, ' ');
}

std::string padLeft(const std::string& s, std::size_t w) {
    const std::size_t d = displayWidth(s);
    return d >= w ? s : std::string(w - d, ' ') + s;
}

std::string pressureText(double p) {
    return p == std::round(p) ? FloatToStrFixed(p, 12, 0) : FloatToStrFixed(p, 12, 1);
}

} // namespace

std::string statoTable(const StatoAria& s, std::optional<double> quota) {
    struct Row {
        const char* name;
        std::string value;
        const char* unit;
        const char* meaning;
    };
    const std::string vd = s.rhoSecca != 0.0 ? FloatToStrFixed(1.0 / s.rhoSecca, 5, 3) : "Div-0?";
    const Row rows[] = {
        {"tbs", FloatToStrFixed(s.tbs, 3, 1), "[°C]", "temperatura a bulbo secco"},
        {"tbu", FloatToStrFixed(s.tbu, 3, 1), "[°C]", "temperatura a bulbo umido"},
        {"x", FloatToStrFixed(s.x * 1000.0, 6, 1), "[g/kg]", "umidità specifica"},
        {"h", FloatToStrFixed(s.h / 1000.0, 7, 3), "[kJ/kg]", "entalpia specifica"},
        {"UR", FloatToStrFixed(s.UR, 3, 0), "[%]", "umidità relativa"},
        {"tdp", FloatToStrFixed(s.tdp, 3, 1), "[°C]", "temperatura di rugiada"},
        {"rd", FloatToStrFixed(s.rhoSecca, 5, 3), "[kg/m³]", "densità dell'aria secca"},
        {"rm", FloatToStrFixed(s.rhoUmida, 5, 3), "[kg/m³]", "densità dell'aria umida"},
        {"vd", vd, "[m³/kg]", "volume specifico dell'aria secca"},
        {"Pv", FloatToStrFixed(s.Pv, 7, 0), "[Pa]", "pressione parziale del vapore"},
        {"Psat", FloatToStrFixed(s.Psat, 7, 0), "[Pa]", "pressione di saturazione"},
    };
    const double altitude = quota ? *quota : altitudeFromPressure(s.Patm);
    std::string text = "Stato dell'aria umida\n";
    text += "Pressione atmosferica " + pressureText(s.Patm) + " Pa, quota " +
            cp1252ToUtf8(TogliSpazi(FormatMask("-######", std::round(altitude)))) + " m" +
            (quota ? "" : " (atmosfera standard)") + "\n\n";
    for (const Row& r : rows) {
        text += "  " + padRight(r.name, 5) + padLeft(r.value, 10) + "  " + padRight(r.unit, 9) +
                r.meaning + "\n";
    }
    return text;
}

std::string statoJson(const StatoAria& s) {
    JsonWriter j;
    j.beginObject();
    for (const CampoStato& campo : campiStato(s))
        j.number(campo.nome, campo.valore);
    j.endObject();
    return j.str();
}

} // namespace tarvelo::cli
