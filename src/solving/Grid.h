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

// Cells are the board's column-major numbers (board/BoardGeometry.h), which
// also gives their units, peers and names.

// A set of cells by their numbers.
using CellSet = std::bitset<kCellCount>;
const CellSet& PeerSet(int cell);

// "1, 4 and 7".
std::string DigitList(Mask digits);

struct Grid {
    std::array<Mask, kCellCount> cells{};

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
