#pragma once

#include <functional>
#include <string>

#include "files/PuzzleText.h"

namespace quillet::board_tool {

struct MadePuzzle {
    RowMajorCells cells;   // givens as digits, every other cell "123456789"
    std::string solution;  // the one solution, 81 digits row by row
};

// Makes puzzles with qqwing, which generates them and counts their solutions.
// qqwing draws from the C library's rand(), so making puzzles reseeds that
// one generator of the process: the seed fixes the sequence of puzzles.
class PuzzleMaker {
public:
    explicit PuzzleMaker(unsigned seed);

    // The next puzzle with exactly one solution; with `aidsFinish`, only one
    // that "OK?", "解1" and "解2" in rounds carry to that solution.
    MadePuzzle Next(bool aidsFinish);
    // The next puzzle with exactly one solution that `accept` takes.
    MadePuzzle Next(const std::function<bool(const MadePuzzle&)>& accept);
    // Puzzles generated so far, those turned down included.
    int Generated() const { return generated_; }

private:
    int generated_ = 0;
};

// Whether the aids, pressed in rounds on the puzzle's givens, end in the
// congratulation with the given solution on the board.
bool AidsFinish(const RowMajorCells& cells, const std::string& solution, int* rounds = nullptr);

}  // namespace quillet::board_tool
