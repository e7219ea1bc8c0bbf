#include "PuzzleMaker.h"

#include <qqwing.hpp>

#include <array>
#include <cstdlib>

#include "BoardCells.h"
#include "WindowPath.h"

namespace quillet::board_tool {

namespace {

using Grid = std::array<int, qqwing::BOARD_SIZE>;

bool HasOneSolution(Grid givens, std::string& solution) {
    qqwing::SudokuBoard board;
    if (!board.setPuzzle(givens.data()) || !board.hasUniqueSolution() || !board.solve())
        return false;
    const int* solved = board.getSolution();
    solution.clear();
    for (int i = 0; i < qqwing::BOARD_SIZE; ++i) solution += static_cast<char>('0' + solved[i]);
    return true;
}

}  // namespace

PuzzleMaker::PuzzleMaker(unsigned seed) { std::srand(seed); }

MadePuzzle PuzzleMaker::Next(bool aidsFinish) {
    return Next([aidsFinish](const MadePuzzle& made) {
        return !aidsFinish || AidsFinish(made.cells, made.solution);
    });
}

MadePuzzle PuzzleMaker::Next(const std::function<bool(const MadePuzzle&)>& accept) {
    for (;;) {
        qqwing::SudokuBoard generator;
        ++generated_;
        if (!generator.generatePuzzle()) continue;
        Grid givens;
        const int* puzzle = generator.getPuzzle();
        std::copy(puzzle, puzzle + qqwing::BOARD_SIZE, givens.begin());

        MadePuzzle made;
        if (!HasOneSolution(givens, made.solution)) continue;
        for (int i = 0; i < qqwing::BOARD_SIZE; ++i)
            made.cells[i] = givens[i] == 0 ? std::string(FULL_SET)
                                           : std::string(1, static_cast<char>('0' + givens[i]));
        if (accept(made)) return made;
    }
}

bool AidsFinish(const RowMajorCells& cells, const std::string& solution, int* rounds) {
    WindowBoard board;
    PutCells(cells, board.Board());
    const AidOutcome outcome = board.FinishWithAids();
    if (rounds) *rounds = outcome.rounds;
    if (!outcome.congratulated) return false;
    std::string finished;
    for (const std::string& text : TakeCells(board.Board())) finished += text;
    return finished == solution;
}

}  // namespace quillet::board_tool
