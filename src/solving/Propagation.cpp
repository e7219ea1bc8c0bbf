#include "solving/Propagation.h"

#include <vector>

namespace quillet::solving {

namespace {

// A box and a line that cross it, with their three common cells.
struct Crossing {
    int box = 0;
    int line = 0;
    CellBits common;
};

struct BitTables {
    std::array<CellBits, kUnitCount> units{};
    std::array<CellBits, kCellCount> peers{};
    std::vector<Crossing> crossings;
    CellBits all;

    BitTables() {
        for (int unit = 0; unit < kUnitCount; ++unit)
            for (const int c : UnitCells(unit)) units[unit] |= CellBits::Of(c);
        for (int c = 0; c < kCellCount; ++c) {
            all |= CellBits::Of(c);
            for (const int p : Peers(c)) peers[c] |= CellBits::Of(p);
        }
        for (int box = 18; box < kUnitCount; ++box)
            for (int line = 0; line < 18; ++line)
                if (const CellBits common = units[box] & units[line]; !common.Empty())
                    crossings.push_back({box, line, common});
    }
};

const BitTables& Tables() {
    static const BitTables tables;
    return tables;
}

template <typename Visit>
void ForEachCell(CellBits cells, Visit visit) {
    for (std::uint64_t w = cells.low; w; w &= w - 1) visit(std::countr_zero(w));
    for (std::uint64_t w = cells.high; w; w &= w - 1) visit(64 + std::countr_zero(w));
}

}  // namespace

CellBits PlacedCells(const Planes& planes) {
    CellBits placed;
    for (const CellBits& p : planes.placed) placed |= p;
    return placed;
}

const CellBits& UnitBits(int unit) { return Tables().units[unit]; }
const CellBits& PeerBits(int cell) { return Tables().peers[cell]; }

void StrikeIn(Planes& planes, int cell, int digit) {
    planes.holding[digit - 1] = planes.holding[digit - 1].Without(CellBits::Of(cell));
}

void PlaceIn(Planes& planes, int cell, int digit) {
    const CellBits at = CellBits::Of(cell);
    for (CellBits& plane : planes.holding) plane = plane.Without(at);
    planes.holding[digit - 1] = planes.holding[digit - 1].Without(PeerBits(cell)) | at;
    planes.placed[digit - 1] |= at;
}

Propagation::Propagation(const Grid& grid, bool locked) : locked_(locked) {
    for (int c = 0; c < kCellCount; ++c) {
        const Mask m = grid.cells[c];
        for (int d = 1; d <= 9; ++d)
            if (Holds(m, d)) base_.holding[d - 1] |= CellBits::Of(c);
        if (CountOf(m) == 1) base_.placed[LowestDigit(m) - 1] |= CellBits::Of(c);
    }
}

bool Propagation::Suppose(Planes& planes, bool placed, int cell, int digit) const {
    if (!placed) {
        StrikeIn(planes, cell, digit);
    } else {
        if (!planes.holding[digit - 1].Has(cell) || PlacedCells(planes).Has(cell)) return false;
        PlaceIn(planes, cell, digit);
    }
    return Follow(planes);
}

bool Propagation::Follow(Planes& planes) const {
    // The digits' planes as last looked at for singles: the grid's own have
    // none of the supposition's.
    Planes looked = base_;
    for (;;) {
        bool changed = false;
        if (!Singles(planes, looked, changed)) return false;
        if (changed) continue;
        if (!locked_) return true;
        if (!Locks(planes, changed)) return false;
        if (!changed) return true;
    }
}

bool Propagation::Singles(Planes& planes, Planes& looked, bool& changed) const {
    const BitTables& tables = Tables();
    CellBits any, twice;
    for (const CellBits& plane : planes.holding) {
        twice |= any & plane;
        any |= plane;
    }
    if (!tables.all.Without(any).Empty()) return false;
    bool empty = false;
    ForEachCell(any.Without(twice).Without(PlacedCells(planes)), [&](int cell) {
        for (int d = 1; d <= 9; ++d) {
            if (planes.holding[d - 1].Has(cell)) {
                PlaceIn(planes, cell, d);
                changed = true;
                return;
            }
        }
        empty = true;  // a placement before this one took its digit
    });
    if (empty) return false;
    for (int d = 1; d <= 9; ++d) {
        // A digit whose places are as they were when last looked at has no
        // new single and no unit without a place.
        // Nor has a unit none of whose cells changed for it.
        const CellBits moved = (planes.holding[d - 1] ^ looked.holding[d - 1]) |
                               (planes.placed[d - 1] ^ looked.placed[d - 1]);
        if (moved.Empty()) continue;
        looked.holding[d - 1] = planes.holding[d - 1];
        looked.placed[d - 1] = planes.placed[d - 1];
        for (int unit = 0; unit < kUnitCount; ++unit) {
            if ((moved & tables.units[unit]).Empty()) continue;
            const CellBits places = planes.holding[d - 1] & tables.units[unit];
            if (places.Empty()) return false;
            // Only where the supposition took places: a single the grid
            // itself holds is a single's step, not the net's.
            if (!places.One() || !(planes.placed[d - 1] & tables.units[unit]).Empty() ||
                places == (base_.holding[d - 1] & tables.units[unit]))
                continue;
            PlaceIn(planes, places.First(), d);
            changed = true;
        }
    }
    return true;
}

bool Propagation::Locks(Planes& planes, bool& changed) const {
    const CellBits open = Tables().all.Without(PlacedCells(planes));
    for (const Crossing& x : Tables().crossings) {
        for (int d = 1; d <= 9; ++d) {
            CellBits& plane = planes.holding[d - 1];
            if ((plane & x.common).Empty()) continue;
            for (const auto& [within, across] : {std::pair{x.box, x.line}, {x.line, x.box}}) {
                const CellBits& in = UnitBits(within);
                if (!(plane & in).Without(x.common).Empty() ||
                    (base_.holding[d - 1] & in).Without(x.common).Empty() ||
                    !(planes.placed[d - 1] & in).Empty())
                    continue;
                const CellBits struck = (plane & UnitBits(across) & open).Without(in);
                if (struck.Empty()) continue;
                plane = plane.Without(struck);
                changed = true;
            }
        }
    }
    return true;
}

bool Propagation::FollowNested(Planes& planes, int nesting, long* budget) const {
    for (;;) {
        if (!Follow(planes)) return false;
        if (nesting == 0) return true;
        bool struck = false;
        const CellBits open = Tables().all.Without(PlacedCells(planes));
        for (int d = 1; d <= 9; ++d) {
            ForEachCell(planes.holding[d - 1] & open, [&](int cell) {
                if (Survives(planes, cell, d, nesting - 1, budget)) return;
                StrikeIn(planes, cell, d);
                struck = true;
            });
        }
        if (!struck) return true;
    }
}

bool Propagation::Survives(const Planes& planes, int cell, int digit, int nesting,
                           long* budget) const {
    if (budget && (*budget)-- <= 0) return true;
    Planes supposed = planes;
    return Suppose(supposed, true, cell, digit) &&
           (nesting == 0 || FollowNested(supposed, nesting, budget));
}

Grid Propagation::GridOf(const Planes& planes) const {
    Grid grid;
    for (int d = 1; d <= 9; ++d)
        ForEachCell(planes.holding[d - 1], [&](int cell) { grid.cells[cell] |= Bit(d); });
    return grid;
}

}  // namespace quillet::solving
