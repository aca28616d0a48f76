// The command line's JSON: documents built as nlohmann's ordered_json (keys
// keep the order they were written in) and laid out on one line with a
// blank after every comma and colon, as the reports have always been. A
// non-finite double, which JSON cannot hold, is written as null.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::cli {

using Json = nlohmann::ordered_json;

// One line, "key": value, items separated by ", ", and a final newline.
std::string testoJson(const Json& documento);

class JsonWriter {
  public:
    JsonWriter();
    // An empty key writes a bare value (inside an array).
    void beginObject(std::string_view key = {});
    void endObject();
    void beginArray(std::string_view key);
    void endArray();
    void number(std::string_view key, double v);
    void integer(std::string_view key, long long v);
    void string(std::string_view key, std::string_view utf8);

    const Json& documento() const { return radice_; }
    // The document, with a final newline.
    std::string str() const { return testoJson(radice_); }

  private:
    Json& posto(std::string_view key);
    Json radice_;
    std::vector<Json*> aperti_;
};

} // namespace tarvelo::cli
