#include "printing/ShownName.h"

namespace quillet::printing {
namespace {

// The valid UTF-8 sequence at the start of `text`: its length and character,
// or length 0 where there is none (overlong forms and surrogates included).
struct Sequence {
    std::size_t length = 0;
    char32_t character = 0;
};

Sequence SequenceAt(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {1, lead};
    std::size_t length = 0;
    char32_t least = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, least = 0x80, value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, least = 0x800, value = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, least = 0x10000, value = lead & 0x07u;
    } else {
        return {};
    }
    if (text.size() < length) return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {};
        value = value << 6 | (byte(i) & 0x3Fu);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {};
    return {length, value};
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

}  // namespace

QString ShownName(std::string_view bytes) {
    QString shown;
    while (!bytes.empty()) {
        const Sequence sequence = SequenceAt(bytes);
        if (sequence.length == 0 || IsControl(sequence.character)) {
            // One byte at a time, so that each byte of a bad sequence shows.
            const auto byte = static_cast<unsigned char>(bytes.front());
            shown +=
                QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
            bytes.remove_prefix(1);
            continue;
        }
        shown += QString::fromUtf8(bytes.data(), static_cast<qsizetype>(sequence.length));
        bytes.remove_prefix(sequence.length);
    }
    return shown;
}

std::string_view LeafOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace quillet::printing
