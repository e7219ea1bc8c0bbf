#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "board/CandidateBoard.h"

namespace quillet::testing {

// A puzzle and its solution as qqwing prints them: 81 characters row by row,
// "." for an empty cell.
struct Puzzle {
    std::string difficulty;
    std::string givens;
    std::string solution;

    // Givens as single digits, every other cell "123456789".
    void SetUp(CandidateBoard& board) const {
        ForEachCellColumnMajor([&](CellPos p) {
            const char g = givens[RowMajorIndex(p)];
            board.SetCell(p, g == '.' ? CandidateString(FULL_SET) : CandidateString(1, g));
        });
    }
    std::string Answer(CellPos p) const { return std::string(1, solution[RowMajorIndex(p)]); }
};

// Lines "# qqwing ... --difficulty NAME ..." name the difficulty of the pairs below them.
inline std::vector<Puzzle> LoadPuzzles(const std::string& path) {
    std::ifstream in(path);
    std::vector<Puzzle> puzzles;
    std::string line, difficulty;
    while (std::getline(in, line)) {
        if (line.starts_with('#')) {
            const auto at = line.find("--difficulty ");
            if (at != std::string::npos)
                difficulty = line.substr(at + 13, line.find(' ', at + 13) - at - 13);
        } else if (line.size() == 81) {
            if (!puzzles.empty() && puzzles.back().solution.empty())
                puzzles.back().solution = line;
            else
                puzzles.push_back({difficulty, line, ""});
        }
    }
    return puzzles;
}

}  // namespace quillet::testing
