#include "board/IntegerText.h"

#include <cstdint>

namespace quillet {

namespace {

int DigitValue(char ch, int base) {
    int v = -1;
    if (ch >= '0' && ch <= '9')
        v = ch - '0';
    else if (ch >= 'a' && ch <= 'f')
        v = ch - 'a' + 10;
    else if (ch >= 'A' && ch <= 'F')
        v = ch - 'A' + 10;
    return v < base ? v : -1;
}

}  // namespace

std::optional<int> ParseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    int base = 10;
    const std::string_view rest = text.substr(i);
    if (rest.starts_with("0x")) {
        base = 16;
        i += 2;
    } else if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        base = 16;
        i += 1;
    }
    if (i >= text.size()) return std::nullopt;

    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int v = DigitValue(text[i], base);
        if (v < 0) return std::nullopt;
        magnitude = magnitude * base + v;
        if (magnitude > std::int64_t{1} << 32) return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace quillet
