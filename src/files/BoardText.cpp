#include "files/BoardText.h"

#include <algorithm>

#include "board/BoardSnapshot.h"

namespace quillet {

std::string JoinBoardText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> SplitBoardText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size() && lines.size() < kBoardLineCount) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::size_t length = std::min(end - start, BoardSnapshot::kLineReadCap);
        lines.emplace_back(text.substr(start, length));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    }
    return lines;
}

bool IsSavedBoardText(std::string_view text) {
    if (text.size() > kBoardTextLimit || !text.ends_with("\r\n")) return false;
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\0' || text[i] == '\n') return false;
        if (text[i] != '\r') continue;
        if (i + 1 == text.size() || text[i + 1] != '\n') return false;
        ++lines;
        ++i;
    }
    return lines == kBoardLineCount;
}

}  // namespace quillet
