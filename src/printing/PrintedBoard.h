#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <string>

#include "board/BoardGeometry.h"

namespace quillet::printing {

// One puzzle or board as it goes on paper.
struct PrintedBoard {
    // The 81 cell texts column by column, as a board file holds them: a
    // digit for a solved cell, its candidates for an open one.
    std::array<std::string, kCellCount> cells;
    // The cells printed bold, as givens: each holds one digit. Every other
    // cell is printed as candidates, or left empty without them.
    std::bitset<kCellCount> givens;
    // The caption: a name (bytes: a file's name or a title) and, where it
    // names several puzzles, which of them this is, from 1, of how many.
    std::string name;
    int number = 0;
    int count = 0;
    // The rating on the shared scale, when it was asked for: a value, or
    // none for a puzzle without exactly one solution or that the steps do
    // not finish.
    bool ratingAsked = false;
    std::optional<double> rating;
};

}  // namespace quillet::printing
