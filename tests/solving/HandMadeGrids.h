#pragma once

#include <initializer_list>
#include <string>

#include "solving/English.h"
#include "solving/Grid.h"
#include "solving/Solver.h"

namespace quillet::solving::testing {

// Hand-made candidate grids: every cell starts with all nine digits, which no
// technique can use, and a test strikes only what its pattern needs.
inline int At(int col, int row) { return ColumnMajorIndex({col, row}); }

inline Grid FullGrid() {
    Grid grid;
    grid.cells.fill(kAllDigits);
    return grid;
}

inline Mask Digits(const std::string& text) {
    Mask m = 0;
    for (const char ch : text) m |= Bit(ch - '0');
    return m;
}

inline void Set(Grid& grid, int col, int row, const std::string& digits) {
    grid.cells[At(col, row)] = Digits(digits);
}

// Strikes `digit` from every cell of the unit but those at `keep` (places
// 1..9 along the unit: columns of a row, rows of a column).
inline void KeepOnly(Grid& grid, int unit, int digit, std::initializer_list<int> keep) {
    for (int i = 0; i < 9; ++i) {
        bool kept = false;
        for (const int k : keep) kept = kept || k == i + 1;
        if (!kept) grid.cells[UnitCells(unit)[i]] &= static_cast<Mask>(~Bit(digit));
    }
}

inline int Row(int r) { return r - 1; }
inline int Column(int c) { return 8 + c; }
inline int Box(int n) { return 17 + n; }  // 1..9, column of boxes outer

inline bool Strikes(const Step& step, int cell, int digit) {
    for (const Candidate& s : step.strikes)
        if (s.cell == cell && s.digit == digit) return true;
    return false;
}

}  // namespace quillet::solving::testing
