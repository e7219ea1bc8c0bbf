#include "PuzzleText.h"

#include "Escaped.h"
#include "ToolErrors.h"
#include "board/CandidateBoard.h"

namespace quillet::board_tool {

namespace {

constexpr std::string_view kDigits = "123456789";
constexpr std::string_view kBlankCells = "0.*_-xX";
constexpr std::string_view kBorderChars = "-+*|=:.'";
// Far above any line of a puzzle text; keeps a runaway line from taking
// memory in proportion to its characters.
constexpr std::size_t kLineLimit = 4096;

// One character of a line: its bytes (a UTF-8 sequence, or one stray byte)
// and its column.
struct Unit {
    std::string_view bytes;
    int column = 0;

    bool Is(char ch) const { return bytes.size() == 1 && bytes[0] == ch; }
    bool IsOneOf(std::string_view set) const {
        return bytes.size() == 1 && set.find(bytes[0]) != std::string_view::npos;
    }
    bool IsBlank() const { return Is(' ') || Is('\t'); }
    // Box-drawing characters, U+2500 to U+257F, as in a printed board.
    bool IsBoxDrawing() const {
        return bytes.size() == 3 && bytes[0] == '\xE2' &&
               (bytes[1] == '\x94' || bytes[1] == '\x95');
    }
    bool IsSeparator() const { return Is('|') || IsBoxDrawing(); }
    bool IsLetter() const {
        return bytes.size() == 1 &&
               ((bytes[0] >= 'a' && bytes[0] <= 'z') || (bytes[0] >= 'A' && bytes[0] <= 'Z'));
    }
    bool IsPuzzleChar() const { return IsOneOf(kDigits) || IsOneOf(kBlankCells); }
};

std::string Describe(const Unit& u) { return Quoted(u.bytes); }

std::size_t SequenceLength(std::string_view line, std::size_t at) {
    const auto lead = static_cast<unsigned char>(line[at]);
    const std::size_t want = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t n = 1;
    while (n < want && at + n < line.size() &&
           (static_cast<unsigned char>(line[at + n]) & 0xC0) == 0x80)
        ++n;
    return n == want ? n : 1;
}

std::vector<Unit> Units(std::string_view line) {
    std::vector<Unit> units;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t n = SequenceLength(line, at);
        units.push_back({line.substr(at, n), static_cast<int>(units.size()) + 1});
        at += n;
    }
    return units;
}

// A line of a block, without comment, further CSV fields and trailing
// blanks. Its characters are worked out when needed, so that a long list of
// puzzles takes little more memory than its text.
struct TextLine {
    int number = 0;
    std::string_view text;

    std::vector<Unit> Chars() const { return Units(text); }
    int EndColumn() const { return Chars().back().column + 1; }
    std::vector<Unit> CellChars() const {
        std::vector<Unit> cells;
        for (const Unit& u : Chars())
            if (!u.IsBlank() && !u.IsSeparator()) cells.push_back(u);
        return cells;
    }
    bool IsCharacterRow() const {
        const std::vector<Unit> cells = CellChars();
        if (cells.size() != 9 && cells.size() != 81) return false;
        for (const Unit& u : cells)
            if (!u.IsPuzzleChar()) return false;
        return true;
    }
    // Rules are drawn with runs of "-" or "=" or with box-drawing
    // characters; single "-" between blanks are blank cells.
    bool IsBorder() const {
        const std::vector<Unit> units = Chars();
        bool rule = false;
        for (std::size_t i = 0; i < units.size(); ++i) {
            const Unit& u = units[i];
            if (!u.IsBlank() && !u.IsOneOf(kBorderChars) && !u.IsBoxDrawing()) return false;
            const bool run = i > 0 && u.IsOneOf("-=") && units[i - 1].IsOneOf("-=");
            rule = rule || run || u.IsBoxDrawing();
        }
        return rule;
    }
};

struct Token {
    std::vector<Unit> units;
    std::string Text() const {
        std::string text;
        for (const Unit& u : units) text += u.bytes;
        return text;
    }
};

std::vector<Token> Tokens(const TextLine& line) {
    std::vector<Token> tokens;
    bool inToken = false;
    for (const Unit& u : line.Chars()) {
        const bool part = !u.IsBlank() && !u.IsSeparator();
        if (part && !inToken) tokens.emplace_back();
        if (part) tokens.back().units.push_back(u);
        inToken = part;
    }
    return tokens;
}

enum class LineKind { kIgnored, kSeparating, kContent };

LineKind Classify(std::string_view text, TextLine& line) {
    const std::vector<Unit> whole = Units(text);
    std::size_t end = 0;
    while (end < whole.size() && !whole[end].IsOneOf("#,;")) ++end;
    while (end > 0 && whole[end - 1].IsBlank()) --end;
    const std::vector<Unit> units(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(end));
    line.text = text.substr(
        0, units.empty() ? 0 : units.back().bytes.data() + units.back().bytes.size() - text.data());
    if (units.empty()) {
        for (const Unit& u : whole)
            if (!u.IsBlank()) return u.Is('#') ? LineKind::kIgnored : LineKind::kSeparating;
        return LineKind::kSeparating;
    }
    // A word of two letters or more (other than blanks written as "xx")
    // marks prose: headings, CSV headers, statistics printed with a puzzle.
    for (std::size_t i = 1; i < units.size(); ++i) {
        const Unit& a = units[i - 1];
        const Unit& b = units[i];
        if (a.IsLetter() && b.IsLetter() && !(a.IsOneOf("xX") && b.IsOneOf("xX")))
            return LineKind::kSeparating;
    }
    return LineKind::kContent;
}

bool IsCandidateLike(const Token& t) {
    if (t.Text() == kNoCandidateToken) return true;
    for (const Unit& u : t.units)
        if (!u.IsOneOf("0123456789")) return false;
    return true;
}

// A pencil-mark grid shows itself by a row of several cells, one of which
// holds more than one candidate (or none).
bool IsPencilGrid(const std::vector<TextLine>& lines) {
    for (const TextLine& line : lines) {
        const std::vector<Token> tokens = Tokens(line);
        if (tokens.size() < 4) continue;
        for (const Token& t : tokens)
            if (t.units.size() > 1 && IsCandidateLike(t)) return true;
    }
    return false;
}

void ReadPencilGrid(const std::vector<TextLine>& lines, const PuzzleSink& take) {
    TextPuzzle puzzle;
    puzzle.line = lines.front().number;
    std::size_t count = 0;
    for (const TextLine& line : lines) {
        for (const Token& token : Tokens(line)) {
            const int column = token.units.front().column;
            if (count == 81)
                throw TextError(line.number, column, "an 82nd cell; a pencil-mark grid holds 81");
            const std::string text = token.Text();
            if (text != kNoCandidateToken) {
                for (const Unit& u : token.units)
                    if (!u.IsOneOf(kDigits))
                        throw TextError(line.number, u.column,
                                        Quoted(text) + " holds " + Describe(u) +
                                            ", which is no candidate (1 to 9)");
                puzzle.cells[count] = text;
            }
            ++count;
        }
    }
    if (count < 81)
        throw TextError(
            lines.back().number, lines.back().EndColumn(),
            "the pencil-mark grid ends after " + std::to_string(count) + " cells; it needs 81");
    take(std::move(puzzle));
}

void AddCharacterCells(const std::vector<Unit>& cells, TextPuzzle& puzzle, std::size_t first) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Unit& u = cells[i];
        puzzle.cells[first + i] = u.IsOneOf(kDigits) ? std::string(u.bytes) : std::string(FULL_SET);
    }
}

void ReadCharacterRows(const std::vector<TextLine>& lines, const PuzzleSink& take) {
    TextPuzzle grid;
    std::size_t rows = 0;
    const TextLine* lastRow = nullptr;
    for (const TextLine& line : lines) {
        const std::vector<Unit> cells = line.CellChars();
        for (const Unit& u : cells)
            if (!u.IsPuzzleChar())
                throw TextError(line.number, u.column,
                                Describe(u) + " is neither a digit nor a blank");
        const std::size_t n = cells.size();
        if (n == 81 && rows == 0) {
            TextPuzzle puzzle;
            puzzle.line = line.number;
            AddCharacterCells(cells, puzzle, 0);
            take(std::move(puzzle));
        } else if (n == 9) {
            if (rows == 9)
                throw TextError(line.number, cells.front().column, "a 10th row; a grid holds 9");
            if (rows == 0) grid.line = line.number;
            AddCharacterCells(cells, grid, rows * 9);
            ++rows;
            lastRow = &line;
        } else if (n > 81) {
            throw TextError(line.number, cells[81].column, "an 82nd cell; a puzzle line holds 81");
        } else if (n == 81) {
            throw TextError(line.number, cells.front().column,
                            "a puzzle line of 81 cells inside a grid of rows of 9");
        } else if (n > 9 && (rows > 0 || n < 45)) {
            throw TextError(line.number, cells[9].column, "a 10th cell; a grid row holds 9");
        } else if (n > 9) {
            throw TextError(
                line.number, line.EndColumn(),
                "the line ends after " + std::to_string(n) + " cells; a puzzle line holds 81");
        } else {
            throw TextError(
                line.number, line.EndColumn(),
                "the row ends after " + std::to_string(n) + " cells; a grid row holds 9");
        }
    }
    if (rows == 9)
        take(std::move(grid));
    else if (rows > 0)
        throw TextError(lastRow->number, lastRow->EndColumn(),
                        "the grid ends after " + std::to_string(rows) + " rows; it needs 9");
}

void ReadBlock(const std::vector<TextLine>& block, const PuzzleSink& take) {
    std::vector<TextLine> cellLines;
    for (const TextLine& line : block)
        if (!line.IsBorder()) cellLines.push_back(line);
    if (cellLines.empty()) return;
    if (IsPencilGrid(cellLines))
        ReadPencilGrid(cellLines, take);
    else
        ReadCharacterRows(cellLines, take);
}

}  // namespace

void ReadPuzzles(std::string_view text, const PuzzleSink& take) {
    std::vector<TextLine> block;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        TextLine line;
        line.number = ++number;
        if (end - start > kLineLimit)
            throw TextError(line.number, static_cast<int>(kLineLimit) + 1,
                            "a line longer than " + std::to_string(kLineLimit) + " bytes");
        switch (Classify(text.substr(start, end - start), line)) {
            case LineKind::kIgnored: break;
            case LineKind::kContent: block.push_back(std::move(line)); break;
            case LineKind::kSeparating:
                ReadBlock(block, take);
                block.clear();
                break;
        }
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    }
    ReadBlock(block, take);
}

std::vector<TextPuzzle> ReadPuzzles(std::string_view text) {
    std::vector<TextPuzzle> puzzles;
    ReadPuzzles(text, [&](TextPuzzle&& puzzle) { puzzles.push_back(std::move(puzzle)); });
    return puzzles;
}

}  // namespace quillet::board_tool
