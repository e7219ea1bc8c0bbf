#pragma once

#include <array>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// 81 cell texts row by row from the top left, the order of puzzle texts.
using RowMajorCells = std::array<std::string, 81>;

// A pencil-mark grid writes a cell without candidates as this token.
inline constexpr std::string_view kNoCandidateToken = "\"\"";

struct TextPuzzle {
    RowMajorCells cells;
    int line = 0;  // where the puzzle starts in the text
};

// Every puzzle of a text, in order. A puzzle is an 81-character line, a grid
// of 9 rows of 9 characters (with or without "|", "+", "-" box borders), or a
// pencil-mark grid of 81 candidate strings separated by blanks. Digits 1-9 are
// givens and "0", ".", "*", "_", "-", "x" blanks; a given becomes its digit, a
// blank "123456789" and a pencil-mark string the cell's text as it stands.
// Blank lines and lines of prose separate puzzles; "#" starts a comment, and
// of a line with "," or ";" only the first field counts (CSV), and of a
// line of 81 puzzle characters followed by a blank only those (a rating or a
// name may follow). A byte-order mark at the start and Ctrl-Z (0x1A) at the
// end of a line are passed over. Line ends may
// be LF, CR LF or CR. Throws TextError at the first fault, InputError when
// the stream cannot be read. Lines longer than kPuzzleLineLimit bytes are
// refused; the text itself may be of any length: it is read as a stream, and
// the memory taken is that of the longest line and of one puzzle.
inline constexpr std::size_t kPuzzleLineLimit = std::size_t{64} << 10;
using PuzzleSink = std::function<void(TextPuzzle&&)>;
void ReadPuzzles(std::istream& in, const PuzzleSink& take);
void ReadPuzzles(std::string_view text, const PuzzleSink& take);
std::vector<TextPuzzle> ReadPuzzles(std::string_view text);

}  // namespace quillet
