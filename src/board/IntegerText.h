#pragma once

#include <optional>
#include <string_view>

namespace quillet {

// Reads a whole text as a 32-bit integer: leading blanks, an optional sign,
// then decimal digits, or hexadecimal ones after "$", "x", "X" or "0x".
// Anything else, trailing text or overflow gives no value.
std::optional<int> ParseInteger(std::string_view text);

}  // namespace quillet
