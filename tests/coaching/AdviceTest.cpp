#include <gtest/gtest.h>

#include "HandMadeGrids.h"
#include "coaching/Advice.h"
#include "solving/Solver.h"

namespace quillet::coaching {
namespace {

using namespace solving::testing;
using solving::Grid;
using solving::Technique;

// The cells' texts of a grid, as the window gives them.
CellTexts TextsOf(const Grid& grid) {
    CellTexts texts;
    for (int cell = 0; cell < kCellCount; ++cell)
        for (int d = 1; d <= 9; ++d)
            if (solving::Holds(grid.cells[cell], d)) texts[cell] += static_cast<char>('0' + d);
    return texts;
}

bool HasLink(const StepDrawing& drawing, Candidate from, Candidate to, bool strong) {
    for (const Link& link : drawing.links)
        if (link.strong == strong &&
            ((link.from == from && link.to == to) || (link.from == to && link.to == from)))
            return true;
    return false;
}

TEST(Advice, AnXYWingDrawsItsCellsAndTheLinksFromThePivot) {
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 5, 1, "13");
    Set(grid, 1, 5, "23");
    const Advice advice = Advise(TextsOf(grid));
    ASSERT_EQ(advice.kind, Advice::Kind::kStep);
    EXPECT_EQ(advice.step->technique, Technique::kXYWing);
    EXPECT_EQ(advice.drawing.cells, (std::vector<int>{At(1, 1), At(1, 5), At(5, 1)}));
    EXPECT_EQ(advice.drawing.links.size(), 2u);
    EXPECT_TRUE(HasLink(advice.drawing, {At(1, 1), 1}, {At(5, 1), 1}, false));
    EXPECT_TRUE(HasLink(advice.drawing, {At(1, 1), 2}, {At(1, 5), 2}, false));
    EXPECT_EQ(advice.title, "XY ウイング");
    EXPECT_EQ(advice.explanation,
              "1 列 1 行（1・2）は 1 列 5 行（2・3）と 5 列 1 行（1・3）から見えます。"
              "1 列 1 行が何であっても、両端のどちらかが 3 になるので、両端から見えるマスには "
              "3 は入りません。5 列 5 行から 3 を消します。");
}

TEST(Advice, ARectangleOfTypeThreeNamesItsNakedSet) {
    // The first rated puzzle of the solver's fixtures whose simplest step,
    // at one point, is a unique rectangle of type 3.
    Grid grid = solving::GridFromPuzzleLine(
        "...4.5....5.17..9..17...8...6.....12..95.27..87.....4...1...46..9..17.2....9.4...");
    for (auto next = solving::NextSteps(grid);
         !next.empty() && next.front().technique != Technique::kUniqueRectangle3;
         next = solving::NextSteps(grid))
        solving::ApplyStep(next.front(), grid);
    const Advice advice = Advise(TextsOf(grid));
    ASSERT_EQ(advice.kind, Advice::Kind::kStep);
    ASSERT_EQ(advice.step->technique, Technique::kUniqueRectangle3);
    EXPECT_EQ(advice.title, "ユニーク長方形（型 3）");
    EXPECT_GT(advice.drawing.cells.size(), 4u);  // the rectangle and the set
    EXPECT_NE(advice.explanation.find(" と組になり、組の数字は 9 行のほかのマスには入りません。"),
              std::string::npos)
        << advice.explanation;
}

TEST(Advice, AFishNamesItsBaseAndCoverLines) {
    Grid grid = FullGrid();
    KeepOnly(grid, Row(2), 8, {4, 7});
    KeepOnly(grid, Row(7), 8, {4, 7});
    const Advice advice = Advise(TextsOf(grid));
    ASSERT_EQ(advice.step->technique, Technique::kXWing);
    EXPECT_EQ(advice.drawing.units, (std::vector<int>{Row(2), Row(7), Column(4), Column(7)}));
    EXPECT_EQ(advice.drawing.cells.size(), 4u);
    EXPECT_EQ(advice.explanation.substr(0, advice.explanation.find("。") + 3),
              "2 行 と 7 行では 8 が 4 列 と 7 列にしか入りません。");
}

TEST(Advice, ChainsAlternateStrongAndWeakLinks) {
    Grid x = FullGrid();
    KeepOnly(x, Row(1), 7, {1, 5});
    KeepOnly(x, Column(6), 7, {2, 8});
    Advice advice = Advise(TextsOf(x));
    ASSERT_EQ(advice.step->technique, Technique::kXChain);
    ASSERT_EQ(advice.drawing.links.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(advice.drawing.links[i].strong, i % 2 == 0);
        EXPECT_EQ(advice.drawing.links[i].from.digit, 7);
        if (i > 0) {
            EXPECT_EQ(advice.drawing.links[i].from, advice.drawing.links[i - 1].to);
        }
    }
    EXPECT_NE(advice.explanation.find("＝"), std::string::npos);

    // Cells of two digits: strong inside each cell, weak between them.
    Grid xy = FullGrid();
    Set(xy, 1, 1, "12");
    Set(xy, 5, 1, "23");
    Set(xy, 5, 5, "34");
    Set(xy, 9, 5, "14");
    advice = Advise(TextsOf(xy));
    ASSERT_EQ(advice.step->technique, Technique::kXYChain);
    const std::vector<Link> expected = {
        {{At(1, 1), 1}, {At(1, 1), 2}, true}, {{At(1, 1), 2}, {At(5, 1), 2}, false},
        {{At(5, 1), 2}, {At(5, 1), 3}, true}, {{At(5, 1), 3}, {At(5, 5), 3}, false},
        {{At(5, 5), 3}, {At(5, 5), 4}, true}, {{At(5, 5), 4}, {At(9, 5), 4}, false},
        {{At(9, 5), 4}, {At(9, 5), 1}, true},
    };
    EXPECT_EQ(advice.drawing.links, expected);
    EXPECT_EQ(advice.drawing.strikes.size(), 2u);
}

TEST(Advice, TheFollowingStepIsOfTheSameTechniqueAndComesRound) {
    Grid grid = FullGrid();
    Set(grid, 3, 5, "7");
    Set(grid, 8, 2, "4");
    const Advice first = Advise(TextsOf(grid));
    const Advice second = Advise(TextsOf(grid), 1);
    const Advice third = Advise(TextsOf(grid), 2);
    EXPECT_EQ(second.count, 2);
    EXPECT_EQ(first.step->placeCell, At(3, 5));
    EXPECT_EQ(second.step->placeCell, At(8, 2));
    EXPECT_EQ(second.step->technique, first.step->technique);
    EXPECT_EQ(third.step->placeCell, At(3, 5));
    EXPECT_EQ(first.explanation, "3 列 5 行に残る候補は 7 だけです。3 列 5 行に 7 を置きます。");
}

TEST(Advice, AContradictionIsDrawnAndNamedInsteadOfAStep) {
    Grid grid = FullGrid();
    Set(grid, 2, 4, "5");
    Set(grid, 7, 4, "5");
    Advice advice = Advise(TextsOf(grid));
    ASSERT_EQ(advice.kind, Advice::Kind::kContradiction);
    EXPECT_FALSE(advice.step);
    EXPECT_EQ(advice.drawing.cells, (std::vector<int>{At(2, 4), At(7, 4)}));
    EXPECT_EQ(advice.drawing.units, std::vector<int>{Row(4)});
    EXPECT_EQ(advice.explanation, "4 行に 5 が二つあります（2 列 4 行 と 7 列 4 行）。");

    KeepOnly(grid, Column(9), 6, {});
    grid.cells[At(2, 4)] = solving::kAllDigits;
    advice = Advise(TextsOf(grid));
    EXPECT_EQ(advice.explanation, "9 列には 6 の入る場所がありません。");

    CellTexts texts = TextsOf(FullGrid());
    texts[At(6, 6)] = "";
    EXPECT_EQ(Advise(texts).explanation, "6 列 6 行に入る候補がありません。");
    // A text that is no set of digits is named, not guessed at.
    texts[At(6, 6)] = std::string("4\xff", 2);
    advice = Advise(texts);
    EXPECT_EQ(advice.kind, Advice::Kind::kUnreadable);
    EXPECT_EQ(advice.badCell, At(6, 6));
}

TEST(Advice, ASolvedBoardAndABoardWithoutAStepSaySo) {
    const Grid solved = solving::GridFromPuzzleLine(
        "534678912672195348198342567859761423426853791713924856961537284287419635345286179");
    EXPECT_EQ(Advise(TextsOf(solved)).kind, Advice::Kind::kSolved);
    EXPECT_EQ(Advise(TextsOf(FullGrid())).kind, Advice::Kind::kStuck);
}

}  // namespace
}  // namespace quillet::coaching
