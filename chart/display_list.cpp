#include "chart/display_list.h"

#include <charconv>
#include <cstdio>

namespace tarvelo {

namespace {

// The integer right-aligned in a field of `width` characters.
void appendPadded(std::string& out, int v, int width) {
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    const int n = static_cast<int>(res.ptr - buf);
    if (n < width)
        out.append(static_cast<std::size_t>(width - n), ' ');
    out.append(buf, res.ptr);
}

bool readInt(std::string_view& s, int& v) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    s.remove_prefix(i);
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc())
        return false;
    s.remove_prefix(static_cast<std::size_t>(res.ptr - s.data()));
    return true;
}

} // namespace

void MetaWriter::point(std::uint8_t code, int a, int b) {
    appendPadded(text_, code, 1);
    text_ += ' ';
    appendPadded(text_, a, 7);
    text_ += ' ';
    appendPadded(text_, b, 7);
    text_ += '\n';
}

void MetaWriter::label(int x, int y, int placement, std::string_view text) {
    text_ += "3 ";
    appendPadded(text_, x, 7);
    text_ += ' ';
    appendPadded(text_, y, 7);
    text_ += ' ';
    appendPadded(text_, placement, 1);
    text_ += ' ';
    text_ += text;
    text_ += '\n';
}

void MetaWriter::boxText(std::string_view text) {
    text_ += "6 0 0 ";
    text_ += text;
    text_ += "\n";
}

void MetaWriter::style3(std::uint8_t code, int value, bool pad) {
    appendPadded(text_, code, 1);
    text_ += ' ';
    appendPadded(text_, value, pad ? 3 : 1);
    text_ += " 0\n";
}

std::optional<DisplayCommand> parseMetaLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    int code = 0, a = 0, b = 0;
    if (!readInt(line, code) || !readInt(line, a) || !readInt(line, b))
        return std::nullopt;
    if (code < 0 || code > 255)
        return std::nullopt;
    DisplayCommand c;
    c.code = static_cast<std::uint8_t>(code);
    c.a = static_cast<std::int16_t>(a);
    c.b = static_cast<std::int16_t>(b);
    if (c.code == cmd::Label) {
        int p = 0;
        if (!readInt(line, p))
            return std::nullopt;
        c.placement = static_cast<std::uint8_t>(p);
    }
    if (c.code == cmd::Label || c.code == cmd::BoxText) {
        if (!line.empty())
            line.remove_prefix(1);
        c.text = std::string(line.substr(0, 255));
    }
    return c;
}

} // namespace tarvelo
