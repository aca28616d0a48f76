#include "app/cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarvelo::cli {

void JsonWriter::separator() {
    if (!first_)
        out_ += ", ";
    first_ = false;
}

void JsonWriter::quoted(std::string_view utf8) {
    out_ += '"';
    for (char c : utf8) {
        switch (c) {
        case '"':
            out_ += "\\\"";
            break;
        case '\\':
            out_ += "\\\\";
            break;
        case '\n':
            out_ += "\\n";
            break;
        case '\r':
            out_ += "\\r";
            break;
        case '\t':
            out_ += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                out_ += buf;
            } else {
                out_ += c;
            }
        }
    }
    out_ += '"';
}

void JsonWriter::keyPrefix(std::string_view key) {
    separator();
    if (!key.empty()) {
        quoted(key);
        out_ += ": ";
    }
}

void JsonWriter::beginObject(std::string_view key) {
    keyPrefix(key);
    out_ += '{';
    first_ = true;
}

void JsonWriter::endObject() {
    out_ += '}';
    first_ = false;
}

void JsonWriter::beginArray(std::string_view key) {
    keyPrefix(key);
    out_ += '[';
    first_ = true;
}

void JsonWriter::endArray() {
    out_ += ']';
    first_ = false;
}

void JsonWriter::number(std::string_view key, double v) {
    keyPrefix(key);
    if (!std::isfinite(v)) {
        out_ += "null";
        return;
    }
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, res.ptr);
}

void JsonWriter::integer(std::string_view key, long long v) {
    keyPrefix(key);
    out_ += std::to_string(v);
}

void JsonWriter::string(std::string_view key, std::string_view utf8) {
    keyPrefix(key);
    quoted(utf8);
}

} // namespace tarvelo::cli
