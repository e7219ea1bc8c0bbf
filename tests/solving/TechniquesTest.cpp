#include <gtest/gtest.h>

#include "HandMadeGrids.h"

namespace quillet::solving {
namespace {

using namespace testing;

// The simplest step of a grid, which must be of `technique`.
Step OnlyStep(const Grid& grid, Technique technique) {
    const std::vector<Step> steps = NextSteps(grid);
    EXPECT_EQ(steps.size(), 1u);
    if (steps.empty()) return {};
    EXPECT_EQ(TechniqueName(steps.front().technique), std::string(TechniqueName(technique)))
        << Describe(steps.front());
    return steps.front();
}

TEST(Techniques, NothingFiresOnAGridOfFullCells) {
    EXPECT_FALSE(ContradictionIn(FullGrid()));
    EXPECT_TRUE(NextSteps(FullGrid(), true).empty());
}

TEST(Techniques, NakedSingleOnlyWhileAPeerStillHoldsTheDigit) {
    Grid grid = FullGrid();
    Set(grid, 3, 5, "7");
    const Step step = OnlyStep(grid, Technique::kNakedSingle);
    EXPECT_EQ(step.placeCell, At(3, 5));
    EXPECT_EQ(step.placeDigit, 7);
    EXPECT_EQ(Describe(step),
              "Naked single: column 3, row 5 holds only 7. Place 7 in column 3, row 5, striking it "
              "from row 5, column 3 and the middle-left box.");
    ApplyStep(step, grid);
    for (const int peer : Peers(At(3, 5))) EXPECT_FALSE(Holds(grid.cells[peer], 7));
    EXPECT_TRUE(NextSteps(grid).empty());  // solved and struck: nothing left to place
}

TEST(Techniques, HiddenSinglesBoxBeforeRowBeforeColumn) {
    Grid grid = FullGrid();
    KeepOnly(grid, Column(9), 4, {2});  // 4 fits only row 2 of column 9
    Step step = OnlyStep(grid, Technique::kHiddenSingleColumn);
    EXPECT_EQ(step.placeCell, At(9, 2));
    KeepOnly(grid, Row(8), 6, {1});
    EXPECT_EQ(OnlyStep(grid, Technique::kHiddenSingleRow).placeCell, At(1, 8));
    KeepOnly(grid, Box(5), 2, {5});  // the centre box, its fifth cell: column 5, row 5
    step = OnlyStep(grid, Technique::kHiddenSingleBox);
    EXPECT_EQ(step.placeCell, At(5, 5));
    EXPECT_EQ(Reason(step),
              "Hidden single in the centre box: 2 fits only column 5, row 5, which also holds 1, "
              "3, 4, 5, 6, 7, 8 and 9.");

    Grid two = FullGrid();
    KeepOnly(two, Column(9), 4, {2, 5});
    EXPECT_TRUE(NextSteps(two).empty()) << "two places in one box are no single";
}

TEST(Techniques, PointingAndClaiming) {
    Grid grid = FullGrid();
    KeepOnly(grid, Box(1), 5, {1, 4});  // column 1 and 2 of row 1
    Step step = OnlyStep(grid, Technique::kPointing);
    EXPECT_TRUE(Strikes(step, At(9, 1), 5));
    EXPECT_EQ(step.strikes.size(), 6u);  // row 1, columns 4..9

    Grid claim = FullGrid();
    KeepOnly(claim, Column(5), 3, {7, 9});
    step = OnlyStep(claim, Technique::kClaiming);
    EXPECT_EQ(step.strikes.size(), 6u);  // the bottom box outside column 5
    EXPECT_TRUE(Strikes(step, At(4, 8), 3));

    // Locked in the box and the line alike: nothing outside to strike.
    Grid none = FullGrid();
    KeepOnly(none, Row(1), 5, {1, 2});
    KeepOnly(none, Box(1), 5, {1, 4});
    EXPECT_TRUE(NextSteps(none).empty());
}

TEST(Techniques, NakedAndHiddenSubsets) {
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 7, 1, "12");
    Step step = OnlyStep(grid, Technique::kNakedPair);
    EXPECT_EQ(step.strikes.size(), 14u);  // 1 and 2 from seven cells of row 1

    Grid triple = FullGrid();
    Set(triple, 4, 4, "12");
    Set(triple, 4, 6, "23");
    Set(triple, 4, 9, "13");
    step = OnlyStep(triple, Technique::kNakedTriple);
    EXPECT_TRUE(Strikes(step, At(4, 1), 3));

    Grid hidden = FullGrid();
    for (const int d : {8, 9}) KeepOnly(hidden, Column(2), d, {3, 7});
    step = OnlyStep(hidden, Technique::kHiddenPair);
    EXPECT_EQ(step.strikes.size(), 14u);  // 1..7 from both cells
    EXPECT_FALSE(Strikes(step, At(2, 3), 8));

    Grid quad = FullGrid();
    for (const int d : {1, 2, 3, 4}) KeepOnly(quad, Row(9), d, {1, 2, 5, 6});
    KeepOnly(quad, Row(9), 1, {1, 5});  // no pair or triple among them
    KeepOnly(quad, Row(9), 2, {2, 6});
    KeepOnly(quad, Row(9), 3, {1, 6});
    KeepOnly(quad, Row(9), 4, {2, 5});
    EXPECT_EQ(NextSteps(quad).front().technique, Technique::kHiddenQuad);

    // Every subset of a unit's open cells is tried, in the cells' order, up
    // to its last two, with solved cells between them passed over.
    Grid ends = FullGrid();
    Set(ends, 1, 5, "12");
    Set(ends, 2, 5, "12");
    Set(ends, 5, 5, "5");
    Set(ends, 8, 5, "34");
    Set(ends, 9, 5, "34");
    std::vector<Step> pairs;
    for (const Step& s : StepsOf(ends, Technique::kNakedPair, true))
        if (Strikes(s, At(4, 5), 1) || Strikes(s, At(4, 5), 3)) pairs.push_back(s);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_TRUE(Strikes(pairs[0], At(4, 5), 1) && Strikes(pairs[1], At(4, 5), 3));

    // Two cells of 1 and 2 whose row has no other 1 or 2: nothing to strike.
    Grid none = FullGrid();
    Set(none, 1, 1, "12");
    Set(none, 4, 1, "12");
    for (const int d : {1, 2}) KeepOnly(none, Row(1), d, {1, 4});
    EXPECT_TRUE(NextSteps(none).empty());
}

TEST(Techniques, Fish) {
    Grid grid = FullGrid();
    KeepOnly(grid, Row(2), 5, {3, 8});
    KeepOnly(grid, Row(7), 5, {3, 8});
    Step step = OnlyStep(grid, Technique::kXWing);
    EXPECT_EQ(step.strikes.size(), 14u);
    EXPECT_EQ(Reason(step),
              "X-wing of 5: in rows 2 and 7 it fits only columns 3 and 8, so the rest of those "
              "columns loses it.");

    Grid sword = FullGrid();
    KeepOnly(sword, Column(1), 9, {1, 4});
    KeepOnly(sword, Column(5), 9, {4, 8});
    KeepOnly(sword, Column(9), 9, {1, 8});
    step = OnlyStep(sword, Technique::kSwordfish);
    EXPECT_TRUE(Strikes(step, At(3, 4), 9));

    // Three columns for two rows: no X-wing.
    Grid none = FullGrid();
    KeepOnly(none, Row(2), 5, {3, 8});
    KeepOnly(none, Row(7), 5, {4, 9});  // and no chain joins the two rows
    EXPECT_TRUE(NextSteps(none).empty());
}

TEST(Techniques, Wings) {
    Grid xy = FullGrid();
    Set(xy, 1, 1, "12");
    Set(xy, 5, 1, "13");
    Set(xy, 1, 5, "23");
    Step step = OnlyStep(xy, Technique::kXYWing);
    ASSERT_EQ(step.strikes.size(), 1u);
    EXPECT_TRUE(Strikes(step, At(5, 5), 3));

    Grid xyz = FullGrid();
    Set(xyz, 1, 1, "123");
    Set(xyz, 5, 1, "13");
    Set(xyz, 2, 2, "23");
    step = OnlyStep(xyz, Technique::kXYZWing);
    EXPECT_TRUE(Strikes(step, At(2, 1), 3));
    EXPECT_TRUE(Strikes(step, At(3, 1), 3));
    EXPECT_FALSE(Strikes(step, At(5, 5), 3));

    Grid w = FullGrid();
    Set(w, 1, 1, "12");
    Set(w, 5, 5, "12");
    KeepOnly(w, Row(9), 1, {1, 5});
    step = OnlyStep(w, Technique::kWWing);
    EXPECT_TRUE(Strikes(step, At(5, 1), 2));
    EXPECT_TRUE(Strikes(step, At(1, 5), 2));

    // Pincers without a common digit: no XY-wing, and nothing else either.
    Grid none = FullGrid();
    Set(none, 1, 1, "12");
    Set(none, 5, 1, "13");
    Set(none, 1, 5, "24");
    EXPECT_TRUE(NextSteps(none).empty());
}

TEST(Techniques, SimpleColouringTrapsACellSeeingBothColours) {
    Grid grid = FullGrid();
    KeepOnly(grid, Row(1), 7, {1, 5});
    KeepOnly(grid, Column(5), 7, {1, 5});
    KeepOnly(grid, Row(5), 7, {2, 5});
    const Step step = OnlyStep(grid, Technique::kSimpleColouring);
    EXPECT_TRUE(Strikes(step, At(2, 2), 7));
    EXPECT_TRUE(Strikes(step, At(2, 3), 7));
    EXPECT_TRUE(Strikes(step, At(1, 4), 7));
    EXPECT_TRUE(Strikes(step, At(1, 6), 7));
    EXPECT_EQ(step.strikes.size(), 4u);
}

TEST(Techniques, XChainAndXYChain) {
    Grid x = FullGrid();
    KeepOnly(x, Row(1), 7, {1, 5});
    KeepOnly(x, Column(6), 7, {2, 8});
    Step step = OnlyStep(x, Technique::kXChain);
    ASSERT_EQ(step.strikes.size(), 1u);
    EXPECT_TRUE(Strikes(step, At(1, 8), 7));

    Grid xy = FullGrid();
    Set(xy, 1, 1, "12");
    Set(xy, 5, 1, "23");
    Set(xy, 5, 5, "34");
    Set(xy, 9, 5, "14");
    step = OnlyStep(xy, Technique::kXYChain);
    EXPECT_TRUE(Strikes(step, At(9, 1), 1));
    EXPECT_TRUE(Strikes(step, At(1, 5), 1));
}

TEST(Techniques, AlternatingChainMixesCellAndUnitLinks) {
    // Unless (1,1) is 1 it is 2, so (6,1) is not 2, so (6,9) is: then (6,9)
    // is not 1, so (9,9) is. One of (1,1) and (9,9) is 1, and (9,1) sees both.
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    KeepOnly(grid, Row(1), 2, {1, 6});
    KeepOnly(grid, Column(6), 2, {1, 9});
    KeepOnly(grid, Row(9), 1, {6, 9});
    const Step step = OnlyStep(grid, Technique::kAlternatingChain);
    EXPECT_TRUE(Strikes(step, At(9, 1), 1));
    EXPECT_EQ(step.strikes.size(), 1u);
}

TEST(Techniques, UniquenessOnlyWhereTheGridHasOneSolution) {
    // Three corners of 1 and 2 over two boxes, the fourth with 3 as well: the
    // pattern of type 1, but a grid of full cells has many solutions.
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 4, 1, "12");
    Set(grid, 1, 2, "12");
    Set(grid, 4, 2, "123");
    EXPECT_TRUE(StepsOf(grid, Technique::kUniqueRectangle1, true).empty());
    EXPECT_TRUE(StepsOf(grid, Technique::kUniqueRectangle2, true).empty());
    EXPECT_TRUE(StepsOf(grid, Technique::kUniqueRectangle3, true).empty());
}

TEST(Techniques, UniqueRectangleOfTypeThreeRatesByItsNakedSet) {
    // The cells that join the two corners: one makes a pair, three a quad.
    const auto rated = [](std::vector<int> joined) {
        Step step{Technique::kUniqueRectangle3, -1, 0, {{0, 3}}};
        step.groups = {{std::move(joined), Digits("345"), 0}};
        return SharedScaleRating(step);
    };
    EXPECT_NEAR(rated({At(5, 1)}), 4.6, 0.01);
    EXPECT_NEAR(rated({At(5, 1), At(6, 1)}), 4.7, 0.01);
    EXPECT_NEAR(rated({At(5, 1), At(6, 1), At(7, 1)}), 4.8, 0.01);
}

TEST(Techniques, AlsXzNeedsARestrictedCommonDigit) {
    // Column 1, row 1 (1, 2) and column 1, rows 5 and 6 (1, 2, 3 between
    // them) are almost locked sets whose 1s all see each other: one set loses
    // 1 and is locked, so 2 is in column 1, row 1 or row 6.
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 1, 5, "13");
    Set(grid, 1, 6, "23");
    const std::vector<Step> steps = StepsOf(grid, Technique::kAlsXz, true);
    bool struck = false;
    for (const Step& step : steps) {
        struck = struck || Strikes(step, At(1, 2), 2);
        for (const int row : {1, 5, 6})
            for (int d = 1; d <= 9; ++d) EXPECT_FALSE(Strikes(step, At(1, row), d));
    }
    EXPECT_TRUE(struck);
    // Apart, with no digit whose places all see each other, they make none.
    Grid apart = FullGrid();
    Set(apart, 1, 1, "12");
    Set(apart, 9, 9, "13");
    EXPECT_TRUE(StepsOf(apart, Technique::kAlsXz, true).empty());
}

TEST(Techniques, AlsChainNeedsANewDigitAtEachLink) {
    // Four cells of two digits, each seeing the next: 2, 3 and 4 join them,
    // and 1 is in the first or the last, so the cells seeing both lose it.
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 1, 5, "23");
    Set(grid, 5, 5, "34");
    Set(grid, 5, 9, "41");
    bool struck = false;
    for (const Step& step : StepsOf(grid, Technique::kAlsChain, true))
        struck = struck || (Strikes(step, At(5, 1), 1) && Strikes(step, At(1, 9), 1));
    EXPECT_TRUE(struck);
    // With the last link by 3 again, the third cell need not lose 3 and the
    // last cell may hold 1 or 3: nothing follows.
    Set(grid, 5, 9, "31");
    for (const Step& step : StepsOf(grid, Technique::kAlsChain, true)) {
        EXPECT_FALSE(Strikes(step, At(5, 1), 1)) << Describe(step);
        EXPECT_FALSE(Strikes(step, At(1, 9), 1)) << Describe(step);
    }
}

}  // namespace
}  // namespace quillet::solving
