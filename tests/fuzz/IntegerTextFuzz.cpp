// ParseInteger against a second reading of the same syntax built on
// std::from_chars.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "board/IntegerText.h"

namespace {

std::optional<int> Reference(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    for (const std::string_view prefix : {"0x", "$", "x", "X"}) {
        if (text.starts_with(prefix)) {
            base = 16;
            text.remove_prefix(prefix.size());
            break;
        }
    }
    // from_chars takes no sign of its own here.
    if (text.empty() || text[0] == '-' || text[0] == '+') return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (end != text.data() + text.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range) return std::nullopt;
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    if (magnitude > static_cast<std::uint64_t>(limit)) return std::nullopt;
    const auto value = static_cast<std::int64_t>(magnitude);
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (quillet::ParseInteger(text) != Reference(text)) std::abort();
    return 0;
}
