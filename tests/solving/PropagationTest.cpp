#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "HandMadeGrids.h"
#include "solving/Net.h"
#include "solving/Propagation.h"
#include "solving/Solver.h"

namespace quillet::solving {
namespace {

using namespace testing;

bool Placed(const Planes& planes, int col, int row, int digit) {
    return planes.placed[digit - 1].Has(At(col, row));
}
bool HeldIn(const Planes& planes, int col, int row, int digit) {
    return planes.holding[digit - 1].Has(At(col, row));
}

TEST(Propagation, SinglesFollowTheSuppositionOnly) {
    Grid grid = FullGrid();
    KeepOnly(grid, Row(1), 5, {1, 2});
    KeepOnly(grid, Row(3), 7, {4});  // the grid's own hidden single
    const Propagation net(grid, false);
    Planes planes = net.Base();
    ASSERT_TRUE(net.Suppose(planes, false, At(1, 1), 5));
    EXPECT_TRUE(Placed(planes, 2, 1, 5));
    EXPECT_FALSE(HeldIn(planes, 2, 5, 5));
    EXPECT_FALSE(HeldIn(planes, 2, 1, 9));
    // A single the grid held before is a step of its own, not the net's.
    EXPECT_FALSE(Placed(planes, 4, 3, 7));
    EXPECT_TRUE(HeldIn(planes, 4, 5, 7));
    // The grid's candidates with the net's strikes.
    EXPECT_EQ(net.GridOf(planes).cells[At(2, 1)], Bit(5));
}

TEST(Propagation, ContradictionsOfCellsAndUnits) {
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 2, 1, "12");
    const Propagation net(grid, false);
    Planes cell = net.Base();
    // Both cells left with 2: the second loses it to the first.
    EXPECT_FALSE(net.Suppose(cell, true, At(3, 1), 1));
    Planes unit = net.Base();
    EXPECT_TRUE(net.Suppose(unit, true, At(1, 1), 1));
    EXPECT_TRUE(Placed(unit, 2, 1, 2));
    // A digit placed where it was struck, or in a cell already placed.
    Planes twice = unit;
    EXPECT_FALSE(net.Suppose(twice, true, At(2, 1), 1));
    twice = unit;
    EXPECT_FALSE(net.Suppose(twice, true, At(5, 1), 1));
}

TEST(Propagation, LocksOnlyWhenAskedAndOnlyWhatTheNetMade) {
    Grid grid = FullGrid();
    for (const int row : {2, 3})
        for (const int col : {1, 2, 3}) grid.cells[At(col, row)] &= static_cast<Mask>(~Bit(4));
    Set(grid, 1, 2, "49");  // 4 in the top-left box: row 1 and here
    for (const bool locked : {false, true}) {
        const Propagation net(grid, locked);
        Planes planes = net.Base();
        ASSERT_TRUE(net.Suppose(planes, false, At(1, 2), 4));
        EXPECT_EQ(HeldIn(planes, 7, 1, 4), !locked) << locked;
    }
    // The grid's own lock (6 in row 1 of the box) is the pointing step's.
    for (const int row : {2, 3})
        for (const int col : {1, 2, 3}) grid.cells[At(col, row)] &= static_cast<Mask>(~Bit(6));
    const Propagation net(grid, true);
    Planes planes = net.Base();
    ASSERT_TRUE(net.Suppose(planes, true, At(9, 9), 1));
    EXPECT_TRUE(HeldIn(planes, 7, 1, 6));
}

TEST(Propagation, NestingStrikesWhatWouldContradictItself) {
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 2, 1, "12");
    const Propagation net(grid, true);
    Planes flat = net.Base();
    ASSERT_TRUE(net.FollowNested(flat, 0));
    EXPECT_EQ(flat, net.Base());
    Planes nested = net.Base();
    ASSERT_TRUE(net.FollowNested(nested, 1));
    EXPECT_FALSE(HeldIn(nested, 3, 1, 1));
    EXPECT_FALSE(HeldIn(nested, 9, 1, 2));
    EXPECT_FALSE(HeldIn(nested, 3, 3, 2));
    EXPECT_TRUE(HeldIn(nested, 3, 1, 3));
    EXPECT_TRUE(HeldIn(nested, 1, 5, 1));
}

// The nets are searched on the planes and told fact by fact: for every
// supposition, on grids where the nets are the simplest step, both must
// reach the same end, or a step found could not be explained as found.
TEST(Propagation, AgreesWithTheNetToldFactByFact) {
    std::ifstream in(std::string(QUILLET_SOLVING_FIXTURE_DIR) + "/forcing-nets.csv");
    std::string line;
    int compared = 0;
    for (int n = 0; n < 3 && std::getline(in, line); ++n) {
        Grid grid = GridFromPuzzleLine(line.substr(0, 81));
        for (auto next = NextSteps(grid);
             !next.empty() && next.front().technique < Technique::kForcingNets;
             next = NextSteps(grid))
            ApplyStep(next.front(), grid);
        for (const bool locked : {false, true}) {
            const Propagation fast(grid, locked);
            for (int cell = 0; cell < kCellCount; ++cell) {
                if (CountOf(grid.cells[cell]) < 2) continue;
                for (Mask m = grid.cells[cell]; m; m &= static_cast<Mask>(m - 1)) {
                    const int digit = LowestDigit(m);
                    for (const bool placed : {true, false}) {
                        Planes planes = fast.Base();
                        const bool holds = fast.Suppose(planes, placed, cell, digit);
                        const nets::Net told(grid, placed, cell, digit, locked);
                        const std::string which = CellName(cell) + " " + std::to_string(digit) +
                                                  (placed ? " placed" : " struck") +
                                                  (locked ? ", locks" : "");
                        ASSERT_EQ(holds, !told.Contradicts()) << which;
                        ++compared;
                        if (!holds) continue;
                        const Grid reached = fast.GridOf(planes);
                        for (int c = 0; c < kCellCount; ++c)
                            for (int d = 1; d <= 9; ++d) {
                                if (!Holds(grid.cells[c], d) || CountOf(grid.cells[c]) < 2)
                                    continue;
                                const bool gone = !Holds(reached.cells[c], d);
                                EXPECT_EQ(gone, told.StruckFact(c, d) >= 0)
                                    << which << ": " << CellName(c) << " " << d;
                            }
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 500);
}

}  // namespace
}  // namespace quillet::solving
