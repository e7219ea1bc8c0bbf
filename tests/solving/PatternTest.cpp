#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "HandMadeGrids.h"

// The pattern each technique records in its step, on hand-made grids: the
// cells in their roles, the units, groups and links that the words, the
// drawing and the rating are written from.
namespace quillet::solving {
namespace {

using namespace testing;

struct PatternCase {
    const char* name;
    Technique technique;
    std::function<Grid()> grid;
    std::function<void(const Step&)> check;
};

Grid Pair() {
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 7, 1, "12");
    return grid;
}

Grid XWing() {
    Grid grid = FullGrid();
    KeepOnly(grid, Row(2), 5, {3, 8});
    KeepOnly(grid, Row(7), 5, {3, 8});
    return grid;
}

Grid XYWing() {
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 5, 1, "13");
    Set(grid, 1, 5, "23");
    return grid;
}

Grid WWing() {
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 5, 5, "12");
    KeepOnly(grid, Row(9), 1, {1, 5});
    return grid;
}

Grid Colouring() {
    Grid grid = FullGrid();
    KeepOnly(grid, Row(1), 7, {1, 5});
    KeepOnly(grid, Column(5), 7, {1, 5});
    KeepOnly(grid, Row(5), 7, {2, 5});
    return grid;
}

Grid XChain() {
    Grid grid = FullGrid();
    KeepOnly(grid, Row(1), 7, {1, 5});
    KeepOnly(grid, Column(6), 7, {2, 8});
    return grid;
}

Grid XYChain() {
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 5, 1, "23");
    Set(grid, 5, 5, "34");
    Set(grid, 9, 5, "14");
    return grid;
}

Grid AlsPair() {
    Grid grid = FullGrid();
    Set(grid, 1, 1, "12");
    Set(grid, 1, 5, "13");
    Set(grid, 1, 6, "23");
    return grid;
}

bool Alternates(const std::vector<Link>& links) {
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (links[i].strong != (i % 2 == 0)) return false;
        if (i > 0 && !(links[i].from == links[i - 1].to)) return false;
    }
    return !links.empty();
}

const PatternCase kCases[] = {
    {"hidden single: its cell and unit", Technique::kHiddenSingleColumn,
     [] {
         Grid grid = FullGrid();
         KeepOnly(grid, Column(9), 4, {2});
         return grid;
     },
     [](const Step& step) {
         EXPECT_EQ(step.cells, std::vector<int>{At(9, 2)});
         EXPECT_EQ(step.units, std::vector<int>{Column(9)});
         EXPECT_EQ(step.digits, Bit(4));
         EXPECT_EQ(step.held, std::vector<Mask>{kAllDigits});
     }},
    {"pointing: the box's places and the line they point along", Technique::kPointing,
     [] {
         Grid grid = FullGrid();
         KeepOnly(grid, Box(1), 5, {1, 4});
         return grid;
     },
     [](const Step& step) {
         EXPECT_EQ(step.cells, (std::vector<int>{At(1, 1), At(2, 1)}));
         EXPECT_EQ(step.units, std::vector<int>{Box(1)});
         EXPECT_EQ(step.covers, std::vector<int>{Row(1)});
     }},
    {"naked pair: its cells, unit and digits", Technique::kNakedPair, Pair,
     [](const Step& step) {
         EXPECT_EQ(step.cells, (std::vector<int>{At(1, 1), At(7, 1)}));
         EXPECT_EQ(step.units, std::vector<int>{Row(1)});
         EXPECT_EQ(step.digits, Digits("12"));
     }},
    {"X-wing: base rows, cover columns, the cells where they cross", Technique::kXWing, XWing,
     [](const Step& step) {
         EXPECT_EQ(step.units, (std::vector<int>{Row(2), Row(7)}));
         EXPECT_EQ(step.covers, (std::vector<int>{Column(3), Column(8)}));
         EXPECT_EQ(step.cells, (std::vector<int>{At(3, 2), At(8, 2), At(3, 7), At(8, 7)}));
         EXPECT_EQ(step.digits, Bit(5));
     }},
    {"XY-wing: the pivot first, a weak link to each wing", Technique::kXYWing, XYWing,
     [](const Step& step) {
         EXPECT_EQ(step.cells, (std::vector<int>{At(1, 1), At(1, 5), At(5, 1)}));
         EXPECT_EQ(step.held, (std::vector<Mask>{Digits("12"), Digits("23"), Digits("13")}));
         ASSERT_EQ(step.links.size(), 2u);
         for (const Link& link : step.links) {
             EXPECT_FALSE(link.strong);
             EXPECT_EQ(link.from.cell, At(1, 1));
             EXPECT_EQ(link.from.digit, link.to.digit);
         }
     }},
    {"W-wing: its two cells, the two places joining them and the unit", Technique::kWWing, WWing,
     [](const Step& step) {
         EXPECT_EQ(step.cells, (std::vector<int>{At(1, 1), At(5, 5), At(1, 9), At(5, 9)}));
         EXPECT_EQ(step.units, std::vector<int>{Row(9)});
         ASSERT_EQ(step.links.size(), 3u);
         EXPECT_FALSE(step.links[0].strong);
         EXPECT_TRUE(step.links[1].strong);
         EXPECT_FALSE(step.links[2].strong);
         EXPECT_EQ(step.links[0].from, (Candidate{At(1, 1), 1}));
         EXPECT_EQ(step.links[2].to, (Candidate{At(5, 5), 1}));
     }},
    {"simple colouring: the two colours as groups, joined by strong links",
     Technique::kSimpleColouring, Colouring,
     [](const Step& step) {
         ASSERT_EQ(step.groups.size(), 2u);
         EXPECT_EQ(step.groups[0].cells.size() + step.groups[1].cells.size(), 4u);
         EXPECT_EQ(step.links.size(), 3u);  // a tree through the cluster
         for (const Link& link : step.links) EXPECT_TRUE(link.strong);
         EXPECT_TRUE(step.cells.empty());  // no colour meets itself: cells seeing both lose it
     }},
    {"X-chain: its cells, links strong and weak in turn", Technique::kXChain, XChain,
     [](const Step& step) {
         EXPECT_EQ(step.cells.size(), 4u);
         EXPECT_EQ(step.links.size(), 3u);
         EXPECT_TRUE(Alternates(step.links));
     }},
    {"XY-chain: strong inside each cell, weak between them", Technique::kXYChain, XYChain,
     [](const Step& step) {
         EXPECT_EQ(step.cells, (std::vector<int>{At(1, 1), At(5, 1), At(5, 5), At(9, 5)}));
         EXPECT_EQ(step.links.size(), 7u);
         EXPECT_TRUE(Alternates(step.links));
         EXPECT_EQ(step.links.front().from, (Candidate{At(1, 1), 1}));
         EXPECT_EQ(step.links.back().to, (Candidate{At(9, 5), 1}));
     }},
    {"ALS-XZ: the two sets as groups, the restricted common digit as a link", Technique::kAlsXz,
     AlsPair,
     [](const Step& step) {
         ASSERT_EQ(step.groups.size(), 2u);
         for (const Group& set : step.groups) {
             EXPECT_GE(set.unit, 0);
             EXPECT_EQ(CountOf(set.digits), set.cells.size() + 1);
             for (const int cell : set.cells)
                 EXPECT_NE(std::ranges::find(UnitCells(set.unit), cell), UnitCells(set.unit).end());
         }
         ASSERT_EQ(step.links.size(), 1u);
         const Link& link = step.links[0];
         EXPECT_FALSE(link.strong);
         EXPECT_EQ(link.from.digit, link.to.digit);
         EXPECT_NE(std::ranges::find(step.groups[0].cells, link.from.cell),
                   step.groups[0].cells.end());
         EXPECT_NE(std::ranges::find(step.groups[1].cells, link.to.cell),
                   step.groups[1].cells.end());
     }},
};

TEST(Pattern, EachTechniqueFamilyRecordsItsCellsUnitsGroupsAndLinks) {
    for (const PatternCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::vector<Step> steps = StepsOf(c.grid(), c.technique);
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(steps.front().held.size(), steps.front().cells.size());
        c.check(steps.front());
    }
}

// The proof of a net, on the first grid of the solver's fixtures where a net
// is the simplest step: a supposition that contradicts itself, each fact
// resting on earlier ones, the contradiction on facts of the proof.
TEST(Pattern, ANetsProofIsItsFactsWithTheirRulesAndParents) {
    Grid grid = GridFromPuzzleLine(
        "..3.....1.....3.....87.593673.8.....6.......7.....6.133176.98.....4.....8.....3..");
    std::vector<Step> steps = NextSteps(grid);
    for (; !steps.empty() && steps.front().technique < Technique::kForcingNets;
         steps = NextSteps(grid))
        ApplyStep(steps.front(), grid);
    ASSERT_FALSE(steps.empty());
    for (const Step& step : StepsOf(grid, steps.front().technique, true)) {
        ASSERT_TRUE(step.proof);
        const Proof& proof = *step.proof;
        ASSERT_GE(static_cast<int>(proof.nets.size()), proof.cases);
        for (int c = 0; c < proof.cases; ++c) {
            const Derivation& net = proof.nets[c];
            EXPECT_EQ(net.facts.front(), net.supposition);
            EXPECT_EQ(proof.facts[net.supposition].rule, Rule::kSupposed);
            // A case reaches what the step does, or contradicts itself.
            EXPECT_NE(net.fault.has_value(), net.reached >= 0);
            if (net.reached >= 0) {
                const Fact& end = proof.facts[net.reached];
                EXPECT_EQ(end.placed, step.placeCell >= 0);
                if (end.placed) {
                    EXPECT_EQ(end.candidate, (Candidate{step.placeCell, step.placeDigit}));
                } else {
                    EXPECT_EQ(end.candidate, step.strikes.front());
                }
            }
            for (const int f : net.facts) {
                const Fact& fact = proof.facts[f];
                EXPECT_EQ(fact.rule == Rule::kSupposed, fact.parents.empty());
                for (const int p : fact.parents)
                    EXPECT_NE(std::ranges::find(net.facts, p), net.facts.end());
                if (fact.rule == Rule::kOnlyPlace) {
                    EXPECT_GE(fact.unit, 0);
                }
            }
        }
    }
}

// Chains of two digits: of 3, six cells through rows 2, 5 and 9, searched
// first; of 7, four cells through row 1 and column 6. The shorter is shown
// first, the longer after it.
TEST(Pattern, TheShorterOfTwoChainsComesFirst) {
    Grid grid = FullGrid();
    KeepOnly(grid, Row(2), 3, {1, 4});
    KeepOnly(grid, Row(5), 3, {4, 8});
    KeepOnly(grid, Row(9), 3, {2, 8});
    KeepOnly(grid, Row(1), 7, {1, 5});
    KeepOnly(grid, Column(6), 7, {2, 8});
    const std::vector<Step> steps = StepsOf(grid, Technique::kXChain, true);
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps.front().digits, Bit(7));
    EXPECT_EQ(steps.front().cells.size(), 4u);
    EXPECT_EQ(steps.back().digits, Bit(3));
    EXPECT_EQ(steps.back().cells.size(), 6u);
    for (std::size_t i = 1; i < steps.size(); ++i)
        EXPECT_LE(steps[i - 1].links.size(), steps[i].links.size());
    EXPECT_EQ(StepsOf(grid, Technique::kXChain).front().links, steps.front().links);
}

}  // namespace
}  // namespace quillet::solving
