#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>

#include "HandMadeGrids.h"

// The English is written from the step's pattern: every cell and unit it
// names is one of the pattern's, and the pattern's are all named.
namespace quillet::solving {
namespace {

using namespace testing;

// What the words name, read back here only, to compare: cells ("column 3,
// row 5") and units ("row 5", "column 3", "the top-left box").
struct Named {
    std::set<int> cells;
    std::set<int> units;
};

Named NamedIn(std::string text) {
    Named named;
    static const std::regex cell("column ([1-9]), row ([1-9])");
    for (std::sregex_iterator it(text.begin(), text.end(), cell), end; it != end; ++it)
        named.cells.insert(ColumnMajorIndex({(*it)[1].str()[0] - '0', (*it)[2].str()[0] - '0'}));
    text = std::regex_replace(text, cell, "cell");
    // "row 5", and a fish's "rows 1, 4 and 8".
    static const std::regex lines("(row|column)s? ([1-9](?:(?:, | and )[1-9](?![0-9]))*)");
    for (std::sregex_iterator it(text.begin(), text.end(), lines), end; it != end; ++it)
        for (const char ch : (*it)[2].str())
            if (ch >= '1' && ch <= '9') named.units.insert(((*it)[1] == "row" ? 0 : 9) + ch - '1');
    for (int box = 18; box < kUnitCount; ++box) {
        std::string name = UnitName(box).substr(4);  // "top-left box"
        if (text.find("the " + name) != std::string::npos ||
            text.find("The " + name) != std::string::npos)
            named.units.insert(box);
    }
    return named;
}

// The cells and units of the step's pattern, its proof's included, and those
// of what it does.
Named PatternOf(const Step& step) {
    Named pattern;
    pattern.cells.insert(step.cells.begin(), step.cells.end());
    pattern.units.insert(step.units.begin(), step.units.end());
    pattern.units.insert(step.covers.begin(), step.covers.end());
    for (const Group& group : step.groups) {
        pattern.cells.insert(group.cells.begin(), group.cells.end());
        if (group.unit >= 0) pattern.units.insert(group.unit);
    }
    for (const Link& link : step.links) pattern.cells.insert({link.from.cell, link.to.cell});
    for (const Candidate& strike : step.strikes) pattern.cells.insert(strike.cell);
    if (step.placeCell >= 0) {
        pattern.cells.insert(step.placeCell);
        for (const int unit :
             {RowUnit(step.placeCell), ColumnUnit(step.placeCell), BoxUnit(step.placeCell)})
            pattern.units.insert(unit);
    }
    if (step.proof) {
        const Proof& proof = *step.proof;
        if (proof.unit >= 0) pattern.units.insert(proof.unit);
        for (const Derivation& net : proof.nets) {
            for (const int f : net.facts) {
                pattern.cells.insert(proof.facts[f].candidate.cell);
                if (proof.facts[f].unit >= 0) pattern.units.insert(proof.facts[f].unit);
            }
            if (net.fault && net.fault->cell >= 0) pattern.cells.insert(net.fault->cell);
            if (net.fault && net.fault->unit >= 0) pattern.units.insert(net.fault->unit);
        }
    }
    return pattern;
}

bool IsFish(Technique t) {
    return t == Technique::kXWing || t == Technique::kSwordfish || t == Technique::kJellyfish;
}

void ExpectWordsMatchPattern(const Step& step) {
    const std::string words = Describe(step);
    SCOPED_TRACE(words);
    const Named named = NamedIn(words);
    Named pattern = PatternOf(step);
    // A fish names its lines, not the cells where they cross.
    if (IsFish(step.technique))
        for (const int cell : step.cells) pattern.cells.erase(cell);
    EXPECT_EQ(named.cells, pattern.cells);
    EXPECT_EQ(named.units, pattern.units);
    // A box inside a sentence is "the ... box".
    EXPECT_EQ(Reason(step).find("then The"), std::string::npos);
}

TEST(English, WordsAndPatternNameTheSameCellsAndUnits) {
    // Every technique of the solver's fixtures, every step of it where it
    // is taken; the nets' first step only, as all of them cost minutes.
    std::set<Technique> met;
    for (const char* file : {"qqwing-expert.csv", "uniqueness.csv", "unique-rectangles-3.csv",
                             "almost-locked-sets.csv", "als-chains.csv", "forcing-nets.csv",
                             "nested-forcing-nets.csv"}) {
        std::ifstream in(std::string(QUILLET_SOLVING_FIXTURE_DIR) + "/" + file);
        std::string line;
        for (int n = 0; n < 12 && std::getline(in, line); ++n) {
            Grid grid = GridFromPuzzleLine(line.substr(0, 81));
            Solve(grid, [&](const Step& step) {
                if (step.technique >= Technique::kForcingNets) {
                    ExpectWordsMatchPattern(step);
                } else if (met.insert(step.technique).second) {
                    for (const Step& every : StepsOf(grid, step.technique, true))
                        ExpectWordsMatchPattern(every);
                } else {
                    ExpectWordsMatchPattern(step);
                }
                met.insert(step.technique);
            });
        }
    }
    EXPECT_GE(met.size(), 30u);
}

TEST(English, TheTreeOfANetShowsEachFactOverWhatItRestsOn) {
    std::ifstream in(std::string(QUILLET_SOLVING_FIXTURE_DIR) + "/forcing-nets.csv");
    std::string line;
    std::getline(in, line);
    Grid grid = GridFromPuzzleLine(line.substr(0, 81));
    std::vector<Step> steps = NextSteps(grid);
    for (; !steps.empty() && steps.front().technique < Technique::kForcingNets;
         steps = NextSteps(grid))
        ApplyStep(steps.front(), grid);
    ASSERT_FALSE(steps.empty());
    const std::string tree = ProofTree(steps.front());
    // The contradiction, then one line a fact, indented under what it gives.
    const Fault& fault = *steps.front().proof->nets.front().fault;
    EXPECT_TRUE(tree.substr(0, tree.find('\n')).ends_with(", since")) << tree;
    EXPECT_GE(std::count(tree.begin(), tree.end(), '\n'),
              static_cast<long>(fault.facts.size()) + 1);
    EXPECT_NE(tree.find("\n    "), std::string::npos);
    // The other techniques have none.
    Grid pair = FullGrid();
    Set(pair, 1, 1, "12");
    Set(pair, 7, 1, "12");
    EXPECT_EQ(ProofTree(StepsOf(pair, Technique::kNakedPair).front()), "");
}

}  // namespace
}  // namespace quillet::solving
