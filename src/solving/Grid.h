#pragma once

#include <array>
#include <bit>
#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "board/CandidateBoard.h"

namespace quillet::solving {

// The candidates of a cell as bits: bit d - 1 stands for digit d.
using Mask = std::uint16_t;
inline constexpr Mask kAllDigits = 0x1FF;

inline Mask Bit(int digit) { return static_cast<Mask>(1u << (digit - 1)); }
// Nine bits (digits, or places in a unit) counted by table: the build targets
// processors without a population-count instruction.
inline constexpr std::array<std::uint8_t, 512> kBitCounts = [] {
    std::array<std::uint8_t, 512> counts{};
    for (unsigned i = 0; i < 512; ++i) counts[i] = static_cast<std::uint8_t>(std::popcount(i));
    return counts;
}();
inline int CountOf(unsigned nineBits) { return kBitCounts[nineBits & 511u]; }
// The sets of `size` of nine things, as bits, in increasing order.
const std::vector<unsigned>& SubsetsOfSize(int size);
inline int LowestDigit(Mask m) { return std::countr_zero(static_cast<unsigned>(m)) + 1; }
inline bool Holds(Mask m, int digit) { return (m & Bit(digit)) != 0; }

// Cells are numbered 0..80 in the board's scan order: column-major, so cell
// (col - 1) * 9 + (row - 1).
constexpr int CellIndex(CellPos p) { return (p.col - 1) * 9 + (p.row - 1); }
constexpr CellPos PosOf(int cell) { return {cell / 9 + 1, cell % 9 + 1}; }
constexpr int RowOf(int cell) { return cell % 9; }     // 0-based
constexpr int ColumnOf(int cell) { return cell / 9; }  // 0-based
constexpr int BoxOf(int cell) { return ColumnOf(cell) / 3 * 3 + RowOf(cell) / 3; }

// Units 0..8 are the rows, 9..17 the columns and 18..26 the boxes (column of
// boxes outer, as the box aid visits them).
inline constexpr int kUnitCount = 27;
inline int RowUnit(int cell) { return RowOf(cell); }
inline int ColumnUnit(int cell) { return 9 + ColumnOf(cell); }
inline int BoxUnit(int cell) { return 18 + BoxOf(cell); }
inline bool IsBox(int unit) { return unit >= 18; }

namespace tables {

inline constexpr auto kUnits = [] {
    std::array<std::array<int, 9>, kUnitCount> units{};
    for (int i = 0; i < 9; ++i) {
        for (int j = 0; j < 9; ++j) {
            units[i][j] = j * 9 + i;  // row i, column j
            units[9 + i][j] = i * 9 + j;
            units[18 + i][j] = (i / 3 * 3 + j / 3) * 9 + (i % 3) * 3 + j % 3;
        }
    }
    return units;
}();

inline constexpr auto kPeers = [] {
    std::array<std::array<int, 20>, 81> peers{};
    for (int a = 0; a < 81; ++a) {
        int n = 0;
        for (int b = 0; b < 81; ++b)
            if (a != b &&
                (RowOf(a) == RowOf(b) || ColumnOf(a) == ColumnOf(b) || BoxOf(a) == BoxOf(b)))
                peers[a][n++] = b;
    }
    return peers;
}();

}  // namespace tables

// The nine cells of a unit: a row from column 1, a column from row 1, a box
// column by column.
inline const std::array<int, 9>& UnitCells(int unit) { return tables::kUnits[unit]; }
// The 20 other cells of the cell's row, column and box.
inline const std::array<int, 20>& Peers(int cell) { return tables::kPeers[cell]; }
constexpr bool Sees(int a, int b) {
    return a != b && (RowOf(a) == RowOf(b) || ColumnOf(a) == ColumnOf(b) || BoxOf(a) == BoxOf(b));
}

// A set of cells by their numbers.
using CellSet = std::bitset<81>;
const CellSet& PeerSet(int cell);

// "column 3, row 5"; "row 5", "column 3", "the top-left box".
std::string CellName(int cell);
std::string UnitName(int unit);
// "1, 4 and 7".
std::string DigitList(Mask digits);

struct Grid {
    std::array<Mask, 81> cells{};

    bool Solved() const {
        for (const Mask m : cells)
            if (CountOf(m) != 1) return false;
        return true;
    }
    friend bool operator==(const Grid&, const Grid&) = default;
};

// The cells that hold the digit.
CellSet CellsHolding(const Grid& grid, int digit);
// The cells holding the digit that see every one of `cells`, those excluded.
CellSet SeenByAll(const Grid& grid, std::initializer_list<int> cells, int digit);

// The board's candidates, or nothing when a cell's text is not a set of the
// digits 1-9 (each at most once); `bad` is then that cell.
std::optional<Grid> GridFromBoard(const CandidateBoard& board, int* bad = nullptr);
// A puzzle written as 81 characters row by row: digits are givens, anything
// else an open cell with every candidate.
Grid GridFromPuzzleLine(const std::string& line);

}  // namespace quillet::solving
