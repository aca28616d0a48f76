#include "engine/format_mask.h"

#include "engine/decimal_text.h"

#include <cmath>

namespace tarvelo {

namespace {

bool isFieldChar(char c) {
    return c == '+' || c == '-' || c == '#' || c == '@' || c == '*' || c == EuroCp1252;
}
bool isSeparator(char c) {
    return c == '.' || c == ',' || c == ' ';
}
bool continuesAfterSeparator(char c) {
    return c == '#' || c == '@' || c == '*' || c == EuroCp1252;
}
bool isSignPosition(char c) {
    return c == '+' || c == '-';
}

struct Field {
    std::size_t start = 0;
    std::size_t end = 0; // one past the last character
    char fill = ' ';
    char decimalPoint = 0; // 0: none
    std::size_t decimalPos = 0;
    char thousands = 0; // 0: none
    bool hasSign = false;
    bool trailingSign = false;
    bool plus = false;
    bool euro = false;
};

Field scanField(std::string_view mask) {
    Field f;
    f.start = mask.size();
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (isFieldChar(mask[i])) {
            f.start = i;
            break;
        }
    }
    std::size_t i = f.start;
    while (i < mask.size()) {
        const char c = mask[i];
        if (isFieldChar(c) ||
            (isSeparator(c) && i + 1 < mask.size() && continuesAfterSeparator(mask[i + 1]))) {
            ++i;
            continue;
        }
        break;
    }
    f.end = i;

    for (std::size_t k = f.start; k < f.end; ++k) {
        switch (mask[k]) {
        case '-':
        case '+':
            f.hasSign = true;
            if (mask[k] == '+')
                f.plus = true;
            if (k + 1 == f.end)
                f.trailingSign = true;
            break;
        case '@':
            if (f.fill == ' ')
                f.fill = '0';
            break;
        case '*':
            f.fill = '*';
            break;
        case ' ':
            f.thousands = ' ';
            break;
        case '.':
        case ',':
            if (f.decimalPoint != 0)
                f.thousands = f.decimalPoint;
            f.decimalPoint = mask[k];
            f.decimalPos = k;
            break;
        default:
            if (mask[k] == EuroCp1252)
                f.euro = true;
            break;
        }
    }
    if (f.decimalPoint != 0 && f.decimalPoint == f.thousands)
        f.decimalPoint = 0;
    if (f.euro && f.fill == '0')
        f.fill = ' ';
    return f;
}

std::string digitsText(double x, const Field& f, int decimals) {
    std::string text = fixedAbsText(x, decimals);
    std::size_t point = text.find('.');
    if (point != std::string::npos)
        text[point] = f.decimalPoint;
    else
        point = text.size();
    if (f.thousands != 0) {
        for (std::size_t k = point; k > 3; k -= 3)
            text.insert(text.begin() + static_cast<std::ptrdiff_t>(k - 3), f.thousands);
    }
    return text;
}

} // namespace

std::string FormatMask(std::string_view mask, double x) {
    if (mask.size() > 255)
        mask = mask.substr(0, 255);
    const Field f = scanField(mask);
    if (f.start >= f.end)
        return std::string(mask);

    const std::size_t width = f.end - f.start;
    int decimals = 0;
    if (f.decimalPoint != 0) {
        std::size_t after = f.end - f.decimalPos - 1;
        if (f.trailingSign && after > 0)
            --after;
        decimals = static_cast<int>(after);
    }
    const bool negative = x < 0;
    const char signChar = negative ? '-' : (f.plus ? '+' : ' ');

    std::string body;
    bool overflow = !std::isfinite(x);
    if (!overflow) {
        body = digitsText(x, f, decimals);
        const std::size_t needed =
            body.size() + (f.euro ? 1 : 0) + ((negative || f.hasSign) ? 1 : 0);
        overflow = needed > width;
    }

    if (overflow) {
        body.assign(mask.substr(f.start, width));
        for (char& c : body) {
            if (isSignPosition(c))
                c = signChar;
            else if (isFieldChar(c))
                c = '*';
        }
    } else {
        if (f.euro)
            body.insert(body.begin(), EuroCp1252);
        if (f.hasSign) {
            if (f.trailingSign) {
                body.push_back(signChar);
                body.insert(0, width - body.size(), f.fill);
            } else {
                body.insert(body.begin(), signChar);
                body.insert(1, width - body.size(), f.fill);
            }
        } else {
            if (negative && f.fill == ' ')
                body.insert(body.begin(), '-');
            body.insert(0, width - body.size(), f.fill);
        }
    }
    std::string result(mask.substr(0, f.start));
    result += body;
    result += mask.substr(f.end);
    return result;
}

} // namespace tarvelo
