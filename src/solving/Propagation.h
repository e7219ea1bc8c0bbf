#pragma once

#include <array>
#include <cstdint>

#include "solving/Grid.h"

namespace quillet::solving {

// 81 cells as bits, by the board's cell numbers: two words, so that a unit,
// a cell's peers or a digit's places are a few instructions.
struct CellBits {
    std::uint64_t low = 0;   // cells 0 to 63
    std::uint64_t high = 0;  // cells 64 to 80

    static CellBits Of(int cell) {
        CellBits b;
        (cell < 64 ? b.low : b.high) = std::uint64_t{1} << (cell & 63);
        return b;
    }
    bool Empty() const { return (low | high) == 0; }
    // Exactly one cell.
    bool One() const {
        return low ? (high == 0 && (low & (low - 1)) == 0) : (high && (high & (high - 1)) == 0);
    }
    int First() const { return low ? std::countr_zero(low) : 64 + std::countr_zero(high); }
    bool Has(int cell) const { return ((cell < 64 ? low : high) >> (cell & 63)) & 1; }
    CellBits operator&(CellBits o) const { return {low & o.low, high & o.high}; }
    CellBits operator|(CellBits o) const { return {low | o.low, high | o.high}; }
    CellBits operator^(CellBits o) const { return {low ^ o.low, high ^ o.high}; }
    CellBits Without(CellBits o) const { return {low & ~o.low, high & ~o.high}; }
    CellBits& operator&=(CellBits o) { return *this = *this & o; }
    CellBits& operator|=(CellBits o) { return *this = *this | o; }
    friend bool operator==(const CellBits&, const CellBits&) = default;
};

// The candidates as nine planes, a digit's places each, and the cells that
// hold a placed digit (solved in the grid, or placed by what was supposed).
struct Planes {
    std::array<CellBits, 9> holding;  // by digit - 1
    std::array<CellBits, 9> placed;
    friend bool operator==(const Planes&, const Planes&) = default;
};

// What a forcing net derives from a supposition, without saying why: the
// search of the nets runs on this, and only the steps it finds are derived
// again fact by fact for their explanation. It follows the same rules: a
// placement strikes the cell's other digits and the digit from the peers;
// a cell left with one digit takes it; a digit left with one place in a unit
// where it had more goes there; with `locked`, a digit whose places in one
// unit (box or line) that it lost some of lie along another leaves the rest
// of that one. A contradiction is a cell without candidates or a digit
// without a place in a unit.
class Propagation {
public:
    Propagation(const Grid& grid, bool locked);

    const Planes& Base() const { return base_; }
    // `planes` (Base() with changes) with the supposition, followed; false
    // when it contradicts itself.
    bool Suppose(Planes& planes, bool placed, int cell, int digit) const;
    // Follows the changes already in `planes`.
    bool Follow(Planes& planes) const;
    // Follows the changes as Follow does, then strikes each open candidate
    // whose placement, followed with one nesting less, contradicts itself;
    // again until nothing changes. False when the planes contradict. Each
    // placement tried takes one from `budget`, when given: once it is spent,
    // no more are tried, so a search ends on any grid, with fewer strikes.
    bool FollowNested(Planes& planes, int nesting, long* budget = nullptr) const;
    // Whether placing the digit in the cell, followed with `nesting`, holds.
    bool Survives(const Planes& planes, int cell, int digit, int nesting,
                  long* budget = nullptr) const;
    // The grid's candidates of `planes`.
    Grid GridOf(const Planes& planes) const;

private:
    bool Singles(Planes& planes, Planes& looked, bool& changed) const;
    bool Locks(Planes& planes, bool& changed) const;

    Planes base_;
    bool locked_;
};

// Every unit, every cell's peers and every box-line crossing as cell bits.
const CellBits& UnitBits(int unit);
const CellBits& PeerBits(int cell);

// The cells that hold a placed digit.
CellBits PlacedCells(const Planes& planes);
// Strikes the candidate from the planes; places it and strikes what that
// placement strikes.
void StrikeIn(Planes& planes, int cell, int digit);
void PlaceIn(Planes& planes, int cell, int digit);

}  // namespace quillet::solving
