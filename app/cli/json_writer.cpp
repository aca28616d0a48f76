#include "app/cli/json_writer.h"

#include <cmath>

namespace tarvelo::cli {

std::string testoJson(const Json& documento) {
    // Invalid UTF-8 cannot come from our conversions; should it, it is
    // replaced rather than thrown.
    const std::string compatto =
        documento.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::string t;
    t.reserve(compatto.size() + compatto.size() / 4 + 1);
    bool inStringa = false, escape = false;
    for (const char c : compatto) {
        t += c;
        if (inStringa) {
            if (escape)
                escape = false;
            else if (c == '\\')
                escape = true;
            else if (c == '"')
                inStringa = false;
        } else if (c == '"') {
            inStringa = true;
        } else if (c == ',' || c == ':') {
            t += ' ';
        }
    }
    t += '\n';
    return t;
}

JsonWriter::JsonWriter() : radice_(nullptr) {}

Json& JsonWriter::posto(std::string_view key) {
    if (aperti_.empty())
        return radice_;
    Json& c = *aperti_.back();
    if (c.is_array()) {
        c.push_back(nullptr);
        return c.back();
    }
    return c[std::string(key)];
}

void JsonWriter::beginObject(std::string_view key) {
    Json& o = posto(key);
    o = Json::object();
    aperti_.push_back(&o);
}

void JsonWriter::endObject() {
    aperti_.pop_back();
}

void JsonWriter::beginArray(std::string_view key) {
    Json& a = posto(key);
    a = Json::array();
    aperti_.push_back(&a);
}

void JsonWriter::endArray() {
    aperti_.pop_back();
}

void JsonWriter::number(std::string_view key, double v) {
    Json& n = posto(key);
    if (std::isfinite(v))
        n = v;
    else
        n = nullptr;
}

void JsonWriter::integer(std::string_view key, long long v) {
    posto(key) = v;
}

void JsonWriter::string(std::string_view key, std::string_view utf8) {
    posto(key) = std::string(utf8);
}

} // namespace tarvelo::cli
