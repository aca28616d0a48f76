// A small streaming JSON writer for the command line's reports: objects,
// arrays, UTF-8 strings with escapes, and doubles at full precision (a
// non-finite double, which JSON cannot hold, is written as null).
#pragma once

#include <string>
#include <string_view>

namespace tarvelo::cli {

class JsonWriter {
  public:
    // An empty key writes a bare value (inside an array).
    void beginObject(std::string_view key = {});
    void endObject();
    void beginArray(std::string_view key);
    void endArray();
    void number(std::string_view key, double v);
    void integer(std::string_view key, long long v);
    void string(std::string_view key, std::string_view utf8);

    // The document, with a final newline.
    std::string str() const { return out_ + "\n"; }

  private:
    void separator();
    void quoted(std::string_view utf8);
    void keyPrefix(std::string_view key);
    std::string out_;
    bool first_ = true;
};

} // namespace tarvelo::cli
