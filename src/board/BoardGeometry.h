#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quillet {

// The shape of the board, written once: addresses, the two orders in which
// the 81 cells are numbered, the 27 units, the peers of a cell and the names
// the command-line tool gives them. Everything that walks the board by
// number goes through here; the tables are built at compile time, so the
// solver's searches pay no more than an array look-up.

// A board address, column first. Board cells have both values in 1..9; the
// mouse can produce 10, which addresses no cell.
struct CellPos {
    int col = 1;
    int row = 1;

    constexpr bool IsOnBoard() const { return col >= 1 && col <= 9 && row >= 1 && row <= 9; }
    friend constexpr bool operator==(const CellPos&, const CellPos&) = default;
};

inline constexpr int kCellCount = 81;

// First column (or row) of the 3x3 box holding column (or row) i.
constexpr int BoxOrigin(int i) { return i - ((i - 1) % 3); }

// Calls f(pos) for every board cell: columns 1..9 outer, rows 1..9 inner.
// Every whole-board scan of the program runs in this order.
template <typename F>
void ForEachCellColumnMajor(F&& f) {
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) f(CellPos{c, r});
}

// Column-major numbers 0..80 follow that scan: the board's own order, the
// lines of the line buffer and of a board file, and the solver's cells.
constexpr int ColumnMajorIndex(CellPos p) { return (p.col - 1) * 9 + (p.row - 1); }
constexpr CellPos CellOfColumnMajor(int index) { return {index / 9 + 1, index % 9 + 1}; }
// Row-major numbers 0..80 run row by row from the top left: puzzle texts and
// the cells of the grid as screen readers see it.
constexpr int RowMajorIndex(CellPos p) { return (p.row - 1) * 9 + (p.col - 1); }
constexpr CellPos CellOfRowMajor(int index) { return {index % 9 + 1, index / 9 + 1}; }

// Units 0..8 are the rows, 9..17 the columns and 18..26 the boxes (column of
// boxes outer, as the box aid visits them). Cells here are column-major
// numbers.
inline constexpr int kUnitCount = 27;

namespace geometry {

struct UnitsOfCell {
    std::uint8_t row, column, box;
};

inline constexpr auto kUnitsOfCell = [] {
    std::array<UnitsOfCell, kCellCount> units{};
    for (int cell = 0; cell < kCellCount; ++cell) {
        const CellPos p = CellOfColumnMajor(cell);
        const int box = (p.col - 1) / 3 * 3 + (p.row - 1) / 3;
        units[cell] = {static_cast<std::uint8_t>(p.row - 1), static_cast<std::uint8_t>(8 + p.col),
                       static_cast<std::uint8_t>(18 + box)};
    }
    return units;
}();

}  // namespace geometry

constexpr int RowUnit(int cell) { return geometry::kUnitsOfCell[cell].row; }
constexpr int ColumnUnit(int cell) { return geometry::kUnitsOfCell[cell].column; }
constexpr int BoxUnit(int cell) { return geometry::kUnitsOfCell[cell].box; }
constexpr bool IsBox(int unit) { return unit >= 18; }

// Whether two different cells share a row, a column or a box.
constexpr bool Sees(int a, int b) {
    return a != b &&
           (RowUnit(a) == RowUnit(b) || ColumnUnit(a) == ColumnUnit(b) || BoxUnit(a) == BoxUnit(b));
}
// The first unit (rows, then columns, then boxes) that holds both cells, or
// -1 when they share none.
constexpr int SharedUnit(int a, int b) {
    if (RowUnit(a) == RowUnit(b)) return RowUnit(a);
    if (ColumnUnit(a) == ColumnUnit(b)) return ColumnUnit(a);
    if (BoxUnit(a) == BoxUnit(b)) return BoxUnit(a);
    return -1;
}

namespace geometry {

inline constexpr auto kUnitCells = [] {
    std::array<std::array<int, 9>, kUnitCount> units{};
    std::array<int, kUnitCount> filled{};
    for (int cell = 0; cell < kCellCount; ++cell)
        for (const int unit : {RowUnit(cell), ColumnUnit(cell), BoxUnit(cell)})
            units[unit][filled[unit]++] = cell;
    return units;
}();

inline constexpr auto kPeers = [] {
    std::array<std::array<int, 20>, kCellCount> peers{};
    for (int a = 0; a < kCellCount; ++a) {
        int n = 0;
        for (int b = 0; b < kCellCount; ++b)
            if (Sees(a, b)) peers[a][n++] = b;
    }
    return peers;
}();

}  // namespace geometry

// The nine cells of a unit in scan order: a row from column 1, a column from
// row 1, a box column by column.
constexpr const std::array<int, 9>& UnitCells(int unit) { return geometry::kUnitCells[unit]; }
// The 20 other cells of the cell's row, column and box, in scan order.
constexpr const std::array<int, 20>& Peers(int cell) { return geometry::kPeers[cell]; }

// A candidate of a cell as one number 0..728: 9 * cell + digit - 1.
inline constexpr int kCandidateCount = kCellCount * 9;
constexpr int CandidateNode(int cell, int digit) { return 9 * cell + digit - 1; }
constexpr int CellOfCandidate(int node) { return node / 9; }
constexpr int DigitOfCandidate(int node) { return node % 9 + 1; }

// "column 3, row 5".
std::string CellName(CellPos p);
std::string CellName(int cell);
// "row 5", "column 3", "the top-left box".
std::string UnitName(int unit);
// "7 at column 3, row 5".
std::string CandidateName(int node);

}  // namespace quillet
