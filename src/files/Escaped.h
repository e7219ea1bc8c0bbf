#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quillet {

// Text from a file as it may be shown on a terminal: every byte that is not
// printable ASCII becomes \xNN, so no text can steer the terminal or break a
// one-line message.
inline std::string Escaped(std::string_view text) {
    std::string shown;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += ch;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            shown += hex;
        }
    }
    return shown;
}

inline std::string Quoted(std::string_view text) { return "'" + Escaped(text) + "'"; }

}  // namespace quillet
