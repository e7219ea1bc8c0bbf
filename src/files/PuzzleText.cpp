#include "files/PuzzleText.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <sstream>

#include "board/CandidateBoard.h"
#include "files/Escaped.h"
#include "files/TextErrors.h"

namespace quillet {

namespace {

constexpr std::string_view kDigits = "123456789";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlankCells = "0.*_-xX";
constexpr std::string_view kBorderChars = "-+*|=:.'";
// Far above any line of a puzzle text, and above the longest row of a
// pencil-mark grid that export writes (nine cells of 4096 candidates, their
// padding and borders); keeps a runaway line from taking memory in proportion
// to its characters.
constexpr std::size_t kLineLimit = kPuzzleLineLimit;

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
// blanks. Its characters are worked out when needed.
struct TextLine {
    int number = 0;
    std::string text;

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
        0, units.empty() ? 0
                         : static_cast<std::size_t>(units.back().bytes.data() +
                                                    units.back().bytes.size() - text.data()));
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
bool IsPencilLine(const std::vector<Token>& tokens) {
    if (tokens.size() < 4) return false;
    for (const Token& t : tokens)
        if (t.units.size() > 1 && IsCandidateLike(t)) return true;
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

// Lines of 81 cells and grids of 9 rows of 9, one line at a time.
class CharacterRows {
public:
    void Add(const TextLine& line, const PuzzleSink& take) {
        const std::vector<Unit> cells = line.CellChars();
        for (const Unit& u : cells)
            if (!u.IsPuzzleChar())
                throw TextError(line.number, u.column,
                                Describe(u) + " is neither a digit nor a blank");
        const std::size_t n = cells.size();
        if (n == 81 && rows_ == 0) {
            TextPuzzle puzzle;
            puzzle.line = line.number;
            AddCharacterCells(cells, puzzle, 0);
            take(std::move(puzzle));
        } else if (n == 9) {
            if (rows_ == 9)
                throw TextError(line.number, cells.front().column, "a 10th row; a grid holds 9");
            if (rows_ == 0) grid_.line = line.number;
            AddCharacterCells(cells, grid_, RowMajorIndex({1, static_cast<int>(rows_) + 1}));
            ++rows_;
            lastRow_ = line.number;
            lastRowEnd_ = line.EndColumn();
        } else if (n > 81) {
            throw TextError(line.number, cells[81].column, "an 82nd cell; a puzzle line holds 81");
        } else if (n == 81) {
            throw TextError(line.number, cells.front().column,
                            "a puzzle line of 81 cells inside a grid of rows of 9");
        } else if (n > 9 && (rows_ > 0 || n < 45)) {
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

    // A line of exactly 81 puzzle characters outside a grid, without the
    // work of Add: the common line of large puzzle collections.
    bool TakeWholeLine(int number, std::string_view text, const PuzzleSink& take) {
        if (rows_ != 0) return false;
        TextPuzzle puzzle;
        puzzle.line = number;
        for (std::size_t i = 0; i < 81; ++i) {
            const char ch = text[i];
            puzzle.cells[i] = ch >= '1' && ch <= '9' ? std::string(1, ch) : std::string(FULL_SET);
        }
        take(std::move(puzzle));
        return true;
    }

    void Finish(const PuzzleSink& take) {
        if (rows_ == 9)
            take(std::move(grid_));
        else if (rows_ > 0)
            throw TextError(lastRow_, lastRowEnd_,
                            "the grid ends after " + std::to_string(rows_) + " rows; it needs 9");
        *this = CharacterRows();
    }

private:
    TextPuzzle grid_;
    std::size_t rows_ = 0;
    int lastRow_ = 0;
    int lastRowEnd_ = 0;
};

// The lines between two separating lines. Whether they form a pencil-mark
// grid shows only once they are all there; yet a grid holds 81 cells, so once
// more than 81 lines with cells have come without a sign of one, the block is
// read as character rows from there on, line by line, and the memory a block
// takes stays bounded whatever its length.
class Block {
public:
    void Add(TextLine line, const PuzzleSink& take) {
        if (line.IsBorder()) return;
        const std::vector<Token> tokens = Tokens(line);
        if (streaming_) {
            if (IsPencilLine(tokens)) std::rethrow_exception(pencilFault_);
            rows_.Add(line, take);
            return;
        }
        pencil_ = pencil_ || IsPencilLine(tokens);
        if (!tokens.empty()) ++linesWithCells_;
        lines_.push_back(std::move(line));
        if (!pencil_ && linesWithCells_ > 81) Stream(take);
    }

    // A line of exactly 81 puzzle characters that is no border.
    void AddWholeLine(int number, std::string_view text, const PuzzleSink& take) {
        if (streaming_ && rows_.TakeWholeLine(number, text, take)) return;
        TextLine line;
        line.number = number;
        line.text = text;
        Add(std::move(line), take);
    }

    void End(const PuzzleSink& take) {
        if (!streaming_ && pencil_) {
            ReadPencilGrid(lines_, take);
        } else {
            for (const TextLine& line : lines_) rows_.Add(line, take);
            rows_.Finish(take);
        }
        *this = Block();
    }

private:
    void Stream(const PuzzleSink& take) {
        // Were a later line to make this a pencil-mark grid, reading it as
        // one would fail at its 82nd cell at the latest: that is the fault.
        try {
            ReadPencilGrid(lines_, [](TextPuzzle&&) {});
        } catch (const TextError&) {
            pencilFault_ = std::current_exception();
        }
        for (const TextLine& line : lines_) rows_.Add(line, take);
        lines_.clear();
        streaming_ = true;
    }

    std::vector<TextLine> lines_;
    CharacterRows rows_;
    bool pencil_ = false;
    bool streaming_ = false;
    std::size_t linesWithCells_ = 0;
    std::exception_ptr pencilFault_;
};

// Whether the line is 81 puzzle characters and nothing else (no blank, no
// comment, no field), and no border: a line of blanks written as "-", "*"
// and "." with a run of "--" draws a rule instead.
bool IsWholePuzzleLine(std::string_view text) {
    // 1: a puzzle character, 2: a puzzle character that also draws borders.
    static const std::array<unsigned char, 256> kind = [] {
        std::array<unsigned char, 256> table{};
        for (const char ch : kDigits) table[static_cast<unsigned char>(ch)] = 1;
        for (const char ch : kBlankCells)
            table[static_cast<unsigned char>(ch)] =
                kBorderChars.find(ch) == std::string_view::npos ? 1 : 2;
        return table;
    }();
    if (text.size() != 81) return false;
    unsigned char all = 2;
    for (const char ch : text) {
        const unsigned char k = kind[static_cast<unsigned char>(ch)];
        if (k == 0) return false;
        all = std::min(all, k);
    }
    return all == 1 || text.find("--") == std::string_view::npos;
}

// The lines of a text read in chunks, so that a text of any size takes the
// memory of its longest line. Line ends may be LF, CR LF or CR.
class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in), chunk_(kChunkSize) {}

    // The next line without its end (valid until the next call), or nothing
    // at the end of the text. `number` is the line's, for the error of a
    // line longer than kLineLimit.
    std::optional<std::string_view> Next(int number) {
        carried_.clear();
        bool started = false;
        while (true) {
            if (at_ == end_ && !Fill()) {
                if (!started) return std::nullopt;
                return std::string_view(carried_);
            }
            if (skipLineFeed_) {
                skipLineFeed_ = false;
                if (chunk_[at_] == '\n') {
                    ++at_;
                    continue;
                }
            }
            started = true;
            const char* from = chunk_.data() + at_;
            const char* to = chunk_.data() + end_;
            const char* stop =
                std::find_if(from, to, [](char ch) { return ch == '\r' || ch == '\n'; });
            const auto length = static_cast<std::size_t>(stop - from);
            if (carried_.size() + length > kLineLimit)
                throw TextError(number, static_cast<int>(kLineLimit) + 1,
                                "a line longer than " + std::to_string(kLineLimit) + " bytes");
            if (stop == to) {
                carried_.append(from, length);
                at_ = end_;
                continue;
            }
            at_ += length + 1;
            skipLineFeed_ = *stop == '\r';
            if (carried_.empty()) return std::string_view(from, length);
            carried_.append(from, length);
            return std::string_view(carried_);
        }
    }

private:
    static constexpr std::size_t kChunkSize = std::size_t{1} << 16;

    bool Fill() {
        in_.read(chunk_.data(), static_cast<std::streamsize>(chunk_.size()));
        at_ = 0;
        end_ = static_cast<std::size_t>(in_.gcount());
        return end_ > 0;
    }

    std::istream& in_;
    std::vector<char> chunk_;
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    bool skipLineFeed_ = false;
    std::string carried_;
};

}  // namespace

void ReadPuzzles(std::istream& in, const PuzzleSink& take) {
    LineReader reader(in);
    Block block;
    int number = 0;
    while (std::optional<std::string_view> text = reader.Next(number + 1)) {
        ++number;
        // Notepad begins a text with a byte-order mark; old DOS texts end
        // with Ctrl-Z.
        if (number == 1 && text->starts_with(kByteOrderMark)) text->remove_prefix(3);
        while (text->ends_with('\x1A')) text->remove_suffix(1);
        if (IsWholePuzzleLine(*text)) {
            block.AddWholeLine(number, *text, take);
            continue;
        }
        // Rated lists follow the 81 cells with a blank and the rating or a
        // name.
        if (text->size() > 82 && (text->at(81) == ' ' || text->at(81) == '\t') &&
            IsWholePuzzleLine(text->substr(0, 81))) {
            block.AddWholeLine(number, text->substr(0, 81), take);
            continue;
        }
        TextLine line;
        line.number = number;
        switch (Classify(*text, line)) {
            case LineKind::kIgnored: break;
            case LineKind::kContent: block.Add(std::move(line), take); break;
            case LineKind::kSeparating: block.End(take); break;
        }
    }
    if (in.bad()) throw InputError("cannot read the file");
    block.End(take);
}

void ReadPuzzles(std::string_view text, const PuzzleSink& take) {
    std::istringstream in{std::string(text)};
    ReadPuzzles(in, take);
}

std::vector<TextPuzzle> ReadPuzzles(std::string_view text) {
    std::vector<TextPuzzle> puzzles;
    ReadPuzzles(text, [&](TextPuzzle&& puzzle) { puzzles.push_back(std::move(puzzle)); });
    return puzzles;
}

}  // namespace quillet
