#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "HandMadeGrids.h"
#include "coaching/Advice.h"
#include "coaching/JapaneseText.h"
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

// The drawing and the words of the advice's last part: its conclusion, or
// the whole step.
const StepDrawing& Drawing(const Advice& advice) { return advice.parts.back().drawing; }
const std::string& Explanation(const Advice& advice) { return advice.parts.back().explanation; }

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
    EXPECT_EQ(Drawing(advice).cells, (std::vector<int>{At(1, 1), At(1, 5), At(5, 1)}));
    EXPECT_EQ(Drawing(advice).links.size(), 2u);
    EXPECT_TRUE(HasLink(Drawing(advice), {At(1, 1), 1}, {At(5, 1), 1}, false));
    EXPECT_TRUE(HasLink(Drawing(advice), {At(1, 1), 2}, {At(1, 5), 2}, false));
    EXPECT_EQ(advice.title, "XY ウイング");
    EXPECT_EQ(Explanation(advice),
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
    EXPECT_EQ(Drawing(advice).cells.size(), 4u);   // the rectangle
    EXPECT_EQ(Drawing(advice).groups.size(), 1u);  // and the set
    EXPECT_NE(Explanation(advice).find(" と組になり、組の数字は 9 行のほかのマスには入りません。"),
              std::string::npos)
        << Explanation(advice);
}

TEST(Advice, AFishNamesItsBaseAndCoverLines) {
    Grid grid = FullGrid();
    KeepOnly(grid, Row(2), 8, {4, 7});
    KeepOnly(grid, Row(7), 8, {4, 7});
    const Advice advice = Advise(TextsOf(grid));
    ASSERT_EQ(advice.step->technique, Technique::kXWing);
    EXPECT_EQ(Drawing(advice).units, (std::vector<int>{Row(2), Row(7), Column(4), Column(7)}));
    EXPECT_EQ(Drawing(advice).cells.size(), 4u);
    EXPECT_EQ(Explanation(advice).substr(0, Explanation(advice).find("。") + 3),
              "2 行 と 7 行では 8 が 4 列 と 7 列にしか入りません。");
}

TEST(Advice, ChainsAlternateStrongAndWeakLinks) {
    Grid x = FullGrid();
    KeepOnly(x, Row(1), 7, {1, 5});
    KeepOnly(x, Column(6), 7, {2, 8});
    Advice advice = Advise(TextsOf(x));
    ASSERT_EQ(advice.step->technique, Technique::kXChain);
    ASSERT_EQ(Drawing(advice).links.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Drawing(advice).links[i].strong, i % 2 == 0);
        EXPECT_EQ(Drawing(advice).links[i].from.digit, 7);
        if (i > 0) {
            EXPECT_EQ(Drawing(advice).links[i].from, Drawing(advice).links[i - 1].to);
        }
    }
    EXPECT_NE(Explanation(advice).find("＝"), std::string::npos);

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
    EXPECT_EQ(Drawing(advice).links, expected);
    EXPECT_EQ(Drawing(advice).strikes.size(), 2u);
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
    EXPECT_EQ(Explanation(first), "3 列 5 行に残る候補は 7 だけです。3 列 5 行に 7 を置きます。");
}

TEST(Advice, AContradictionIsDrawnAndNamedInsteadOfAStep) {
    Grid grid = FullGrid();
    Set(grid, 2, 4, "5");
    Set(grid, 7, 4, "5");
    Advice advice = Advise(TextsOf(grid));
    ASSERT_EQ(advice.kind, Advice::Kind::kContradiction);
    EXPECT_FALSE(advice.step);
    EXPECT_EQ(Drawing(advice).cells, (std::vector<int>{At(2, 4), At(7, 4)}));
    EXPECT_EQ(Drawing(advice).units, std::vector<int>{Row(4)});
    EXPECT_EQ(Explanation(advice), "4 行に 5 が二つあります（2 列 4 行 と 7 列 4 行）。");

    KeepOnly(grid, Column(9), 6, {});
    grid.cells[At(2, 4)] = solving::kAllDigits;
    advice = Advise(TextsOf(grid));
    EXPECT_EQ(Explanation(advice), "9 列には 6 の入る場所がありません。");

    CellTexts texts = TextsOf(FullGrid());
    texts[At(6, 6)] = "";
    EXPECT_EQ(Explanation(Advise(texts)), "6 列 6 行に入る候補がありません。");
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

// A board file of the coach's fixtures, its 81 lines column by column.
CellTexts FixtureCells(const std::string& name) {
    std::ifstream in(std::string(QUILLET_COACH_FIXTURE_DIR) + "/" + name);
    CellTexts texts;
    for (std::string& text : texts) {
        std::getline(in, text);
        if (!text.empty() && text.back() == '\r') text.pop_back();
    }
    return texts;
}

// The cells a Japanese text names ("7 列 5 行").
std::set<int> CellsNamed(const std::string& text) {
    static const std::regex cell("([1-9]) 列 ([1-9]) 行");
    std::set<int> cells;
    for (std::sregex_iterator it(text.begin(), text.end(), cell), end; it != end; ++it)
        cells.insert(At((*it)[1].str()[0] - '0', (*it)[2].str()[0] - '0'));
    return cells;
}

// The cells of a step's pattern, what it does and its proof.
std::set<int> PatternCells(const solving::Step& step) {
    std::set<int> cells(step.cells.begin(), step.cells.end());
    for (const Group& group : step.groups) cells.insert(group.cells.begin(), group.cells.end());
    for (const Link& link : step.links) cells.insert({link.from.cell, link.to.cell});
    for (const Candidate& strike : step.strikes) cells.insert(strike.cell);
    if (step.placeCell >= 0) cells.insert(step.placeCell);
    if (step.proof)
        for (const solving::Fact& fact : step.proof->facts) cells.insert(fact.candidate.cell);
    for (const solving::Derivation& net :
         step.proof ? step.proof->nets : std::vector<solving::Derivation>{})
        if (net.fault && net.fault->cell >= 0) cells.insert(net.fault->cell);
    return cells;
}

// Every technique the solver's fixtures reach is said in sentences of its
// own (none the generic "…の形"), naming only the pattern's cells, a proof
// a case at a time and then its conclusion.
TEST(Advice, EveryTechniqueIsSaidFromItsPatternPartByPart) {
    std::set<Technique> met;
    for (const char* file : {"qqwing-expert.csv", "uniqueness.csv", "unique-rectangles-3.csv",
                             "almost-locked-sets.csv", "als-chains.csv", "forcing-nets.csv"}) {
        std::ifstream in(std::string(QUILLET_SOLVING_FIXTURE_DIR) + "/" + file);
        std::string line;
        for (int n = 0; n < 10 && std::getline(in, line); ++n) {
            Grid grid = solving::GridFromPuzzleLine(line.substr(0, 81));
            for (Advice advice = Advise(TextsOf(grid)); advice.step;
                 advice = Advise(TextsOf(grid))) {
                const solving::Step& step = *advice.step;
                met.insert(step.technique);
                const std::size_t cases = step.proof ? step.proof->cases : 0;
                ASSERT_EQ(advice.parts.size(), cases + 1);
                for (const AdvicePart& part : advice.parts) {
                    SCOPED_TRACE(part.explanation);
                    EXPECT_TRUE(part.explanation.ends_with("。"));
                    EXPECT_EQ(part.explanation.find("の形"), std::string::npos);
                    for (const int cell : CellsNamed(part.explanation))
                        EXPECT_TRUE(PatternCells(step).count(cell)) << JapaneseCellName(cell);
                }
                solving::ApplyStep(step, grid);
            }
        }
    }
    EXPECT_GE(met.size(), 28u);
}

TEST(Advice, AnAlsStepIsDrawnAsItsSetsAndTheirRestrictedCommonDigit) {
    const Advice advice = Advise(FixtureCells("coach-als.cgd"));
    ASSERT_EQ(advice.kind, Advice::Kind::kStep);
    ASSERT_EQ(advice.step->technique, Technique::kAlsXz);
    ASSERT_EQ(advice.parts.size(), 1u);
    const StepDrawing& drawing = Drawing(advice);
    EXPECT_EQ(drawing.groups, advice.step->groups);
    ASSERT_EQ(drawing.groups.size(), 2u);
    ASSERT_EQ(drawing.links.size(), 1u);
    const Link& common = drawing.links.front();
    EXPECT_FALSE(common.strong);
    // The restricted common digit links the two sets and is marked in both.
    const auto in = [](const Group& group, int cell) {
        return std::find(group.cells.begin(), group.cells.end(), cell) != group.cells.end();
    };
    EXPECT_TRUE(in(drawing.groups[0], common.from.cell));
    EXPECT_TRUE(in(drawing.groups[1], common.to.cell));
    EXPECT_EQ(common.from.digit, common.to.digit);
    for (const Group& group : drawing.groups)
        EXPECT_TRUE(solving::Holds(group.digits, common.from.digit));
    EXPECT_NE(std::find(drawing.marks.begin(), drawing.marks.end(), common.from),
              drawing.marks.end());
    EXPECT_NE(std::find(drawing.marks.begin(), drawing.marks.end(), common.to),
              drawing.marks.end());
    EXPECT_EQ(drawing.strikes, advice.step->strikes);
    EXPECT_FALSE(drawing.implications);
}

TEST(Advice, ANetIsDrawnACaseAtATimeAsItsFactsThenItsConclusion) {
    const Advice advice = Advise(FixtureCells("coach-net.cgd"));
    ASSERT_EQ(advice.kind, Advice::Kind::kStep);
    ASSERT_EQ(advice.step->technique, Technique::kForcingNets);
    const solving::Proof& proof = *advice.step->proof;
    ASSERT_EQ(advice.parts.size(), static_cast<std::size_t>(proof.cases) + 1);
    const StepDrawing& first = advice.parts.front().drawing;
    EXPECT_TRUE(first.implications);
    // Each fact of the case marked true or false, each linked from what it
    // rests on, the supposition's cell and the contradiction's unit shaded.
    const solving::Derivation& net = proof.nets.front();
    std::set<std::pair<int, int>> facts;
    std::size_t parents = 0;
    for (const int f : net.facts) {
        const solving::Fact& fact = proof.facts[f];
        facts.insert({fact.candidate.cell, fact.candidate.digit});
        const auto& marked = fact.placed ? first.madeTrue : first.madeFalse;
        EXPECT_NE(std::find(marked.begin(), marked.end(), fact.candidate), marked.end());
        parents += fact.parents.size();
    }
    EXPECT_EQ(first.links.size(), parents);
    for (const Link& link : first.links) {
        EXPECT_TRUE(facts.count({link.from.cell, link.from.digit}));
        EXPECT_TRUE(facts.count({link.to.cell, link.to.digit}));
    }
    EXPECT_NE(std::find(first.cells.begin(), first.cells.end(),
                        proof.facts[net.supposition].candidate.cell),
              first.cells.end());
    ASSERT_TRUE(net.fault);
    if (net.fault->unit >= 0) {
        EXPECT_EQ(first.units, std::vector<int>{net.fault->unit});
    }
    EXPECT_NE(advice.parts.front().explanation.find("仮定します"), std::string::npos);
    // The conclusion draws what the step does.
    EXPECT_EQ(Drawing(advice).strikes, advice.step->strikes);
    EXPECT_TRUE(Drawing(advice).madeTrue.empty());
    EXPECT_NE(Explanation(advice).find("その仮定は誤りです。"), std::string::npos);

    // A net of cases: one part a case, "場合 i/n", then the conclusion.
    solving::Grid grid = *solving::GridFromBoard([] {
        CandidateBoard board;
        const CellTexts texts = FixtureCells("coach-net.cgd");
        for (int k = 0; k < kCellCount; ++k) board.SetCell(CellOfColumnMajor(k), texts[k]);
        return board;
    }());
    for (const solving::Step& step : solving::StepsOf(grid, Technique::kForcingNets, true)) {
        if (step.proof->cases < 2) continue;
        const std::vector<AdvicePart> parts = PartsOf(step);
        ASSERT_EQ(parts.size(), static_cast<std::size_t>(step.proof->cases) + 1);
        for (int c = 0; c < step.proof->cases; ++c)
            EXPECT_NE(parts[c].explanation.find("場合 " + std::to_string(c + 1) + "/"),
                      std::string::npos);
        EXPECT_EQ(parts.back().explanation.rfind("どの場合も", 0), 0u);
        return;
    }
    ADD_FAILURE() << "no net of cases on the board";
}

}  // namespace
}  // namespace quillet::coaching
