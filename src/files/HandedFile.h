#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "board/BoardState.h"
#include "board/CommandError.h"
#include "files/BoardDirectory.h"
#include "files/PuzzleText.h"

namespace quillet {

// A file the desktop hands to the program (named on its command line, or
// dropped on its window), as its bytes show it: a board file, a puzzle text
// as quillet-board import reads it, or neither.
struct HandedFile {
    enum class Kind { kBoard, kPuzzle, kNeither };
    Kind kind = Kind::kNeither;
    // The path split at its last "/" (bytes); a relative path is taken from
    // the directory the examination was given.
    std::string directory;
    std::string name;
    // A puzzle's cells, givens as their digits and every other cell
    // "123456789", as import writes them.
    RowMajorCells cells;
    // Whether its bytes could be read: a board file that cannot is a board
    // still, which fails as Load fails on it.
    bool read = false;
    // Why it is neither: the message for the error box.
    std::optional<CommandError> error;
};

// Reads at most a board file's limit, without blocking on a FIFO or device.
// A saved board is a board and so is a file whose name a board file's mask
// takes that is no puzzle text (it loads as Load loads it); a text whose
// every puzzle reads is a puzzle text, its first puzzle kept.
HandedFile ExamineHandedFile(const std::string& path,
                             const std::string& currentDirectory = CurrentDirectory());

// The first puzzle of `text`, when the whole text reads as puzzles.
std::optional<RowMajorCells> ReadFirstPuzzle(std::string_view text);

// The name a board made from the text `name` is offered under: the name
// without its last extension, with ".cgd".
std::string BoardNameForText(const std::string& name);

// Puts a puzzle on the board as a load puts a file there: through the line
// buffer, undo ended, the selection kept and nothing propagated.
void PutPuzzleOnBoard(BoardState& state, const RowMajorCells& cells);

std::string NeitherBoardNorPuzzleMessage(const std::string& name);

}  // namespace quillet
