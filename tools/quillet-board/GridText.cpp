#include "GridText.h"

#include <array>
#include <vector>

#include "BoardCells.h"
#include "ToolErrors.h"
#include "files/Escaped.h"

namespace quillet::board_tool {

namespace {

// A solved digit, '.' for an open cell; other one-character texts would be
// lost, so they are refused.
char SolvedChar(const RowMajorCells& cells, int index) {
    const std::string& text = cells[index];
    if (text.size() != 1) return '.';
    if (text[0] >= '1' && text[0] <= '9') return text[0];
    throw TextError(BoardFileLine(CellOfRowMajor(index)), 1,
                    Quoted(text) + " is no digit and cannot be written as a solved cell");
}

std::string PencilToken(const RowMajorCells& cells, int index) {
    const std::string& text = cells[index];
    if (text.empty()) return std::string(kNoCandidateToken);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] < '1' || text[i] > '9')
            throw TextError(BoardFileLine(CellOfRowMajor(index)), static_cast<int>(i) + 1,
                            Quoted(text) + " is not a string of candidates 1 to 9");
    return text;
}

std::string DisplayToken(const std::string& text) {
    if (text.empty()) return std::string(kNoCandidateToken);
    // A blank inside a cell would read as two cells.
    std::string shown;
    for (const char ch : Escaped(text))
        shown += ch == ' ' ? std::string("\\x20") : std::string(1, ch);
    return shown;
}

struct Frame {
    const char* horizontal;
    const char* vertical;
    // Corners and joints: left, middle, right of the top, inner and bottom rules.
    std::array<std::array<const char*, 3>, 3> joints;
};

constexpr Frame kAsciiFrame{"-", "|", {{{"+", "+", "+"}, {"+", "+", "+"}, {"+", "+", "+"}}}};
constexpr Frame kBoxFrame{"─", "│", {{{"┌", "┬", "┐"}, {"├", "┼", "┤"}, {"└", "┴", "┘"}}}};

// Tokens in row-major order, each column as wide as its widest token.
std::string FramedGrid(const std::vector<std::string>& tokens, const Frame& frame) {
    std::array<std::size_t, 9> width{};
    for (int i = 0; i < kCellCount; ++i) {
        const int c = CellOfRowMajor(i).col - 1;
        width[c] = std::max(width[c], tokens[i].size());
    }
    auto rule = [&](int kind) {
        std::string line = frame.joints[kind][0];
        for (int box = 0; box < 3; ++box) {
            std::size_t span = 1;
            for (int c = 3 * box; c < 3 * box + 3; ++c) span += width[c] + 1;
            for (std::size_t k = 0; k < span; ++k) line += frame.horizontal;
            line += frame.joints[kind][box < 2 ? 1 : 2];
        }
        return line + "\n";
    };
    std::string grid = rule(0);
    for (int r = 0; r < 9; ++r) {
        if (r == 3 || r == 6) grid += rule(1);
        std::string line = frame.vertical;
        for (int c = 0; c < 9; ++c) {
            const std::string& token = tokens[RowMajorIndex({c + 1, r + 1})];
            line += " " + token + std::string(width[c] - token.size(), ' ');
            if (c % 3 == 2) line += std::string(" ") + frame.vertical;
        }
        grid += line + "\n";
    }
    return grid + rule(2);
}

}  // namespace

std::string LineText(const RowMajorCells& cells) {
    std::string line;
    for (int i = 0; i < kCellCount; ++i) line += SolvedChar(cells, i);
    return line + "\n";
}

std::string CompactGridText(const RowMajorCells& cells) {
    std::string grid;
    for (int i = 0; i < kCellCount; ++i) {
        grid += SolvedChar(cells, i);
        if (CellOfRowMajor(i).col == 9) grid += "\n";
    }
    return grid;
}

std::string PencilGridText(const RowMajorCells& cells) {
    std::vector<std::string> tokens;
    for (int i = 0; i < kCellCount; ++i) tokens.push_back(PencilToken(cells, i));
    return FramedGrid(tokens, kAsciiFrame);
}

std::string DisplayGridText(const RowMajorCells& cells, GridStyle style) {
    std::vector<std::string> tokens;
    for (const std::string& text : cells) tokens.push_back(DisplayToken(text));
    return FramedGrid(tokens, style == GridStyle::kAscii ? kAsciiFrame : kBoxFrame);
}

}  // namespace quillet::board_tool
