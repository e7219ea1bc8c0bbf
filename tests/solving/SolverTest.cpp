#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "HandMadeGrids.h"
#include "solving/English.h"
#include "solving/Solutions.h"

namespace quillet::solving {
namespace {

using namespace testing;

TEST(Solver, TheSimplestStepComesFirst) {
    // An X-wing, a pointing box and a hidden single in a row; then a solved
    // cell whose peers still hold its digit.
    Grid grid = FullGrid();
    KeepOnly(grid, Row(2), 5, {3, 8});
    KeepOnly(grid, Row(7), 5, {3, 8});
    KeepOnly(grid, Box(9), 4, {1, 4});
    KeepOnly(grid, Row(5), 6, {5});
    EXPECT_EQ(NextSteps(grid).front().technique, Technique::kHiddenSingleRow);
    Set(grid, 9, 9, "1");
    const std::vector<Step> all = NextSteps(grid, true);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all.front().technique, Technique::kNakedSingle);
}

TEST(Solver, ContradictionsAreNamed) {
    Grid empty = FullGrid();
    empty.cells[At(2, 3)] = 0;
    EXPECT_EQ(FindContradiction(empty), "column 2, row 3 has no candidate left");

    Grid twice = FullGrid();
    Set(twice, 1, 3, "7");
    Set(twice, 5, 3, "7");
    EXPECT_EQ(FindContradiction(twice),
              "7 is solved twice in row 3: at column 1, row 3 and at column 5, row 3");

    Grid place = FullGrid();
    KeepOnly(place, Column(4), 7, {});
    EXPECT_EQ(FindContradiction(place), "column 4 has no place left for 7");
    KeepOnly(place, Box(5), 1, {});  // rows and columns are named before boxes
    EXPECT_EQ(FindContradiction(place), "column 4 has no place left for 7");
    Grid box = FullGrid();
    KeepOnly(box, Box(1), 3, {});
    EXPECT_EQ(FindContradiction(box), "The top-left box has no place left for 3");

    // A wrong candidate is found out by the steps: the solver names the
    // contradiction it reaches instead of going on.
    Grid wrong = FullGrid();
    Set(wrong, 1, 1, "12");
    Set(wrong, 2, 1, "12");
    Set(wrong, 3, 1, "12");
    const SolveOutcome outcome = Solve(wrong);
    EXPECT_FALSE(outcome.solved);
    EXPECT_TRUE(outcome.contradiction);
}

TEST(Solver, CellTextsAreReadAsSetsOfDigits) {
    CandidateBoard board;
    board.SetCell({4, 6}, "3x5");
    int bad = -1;
    EXPECT_FALSE(GridFromBoard(board, &bad));
    EXPECT_EQ(bad, At(4, 6));
    board.SetCell({4, 6}, "33");
    EXPECT_FALSE(GridFromBoard(board));
    board.SetCell({4, 6}, std::string("3\0"
                                      "5",
                                      3));
    EXPECT_FALSE(GridFromBoard(board));
    board.SetCell({4, 6}, "");
    const auto grid = GridFromBoard(board);
    ASSERT_TRUE(grid);
    EXPECT_EQ(FindContradiction(*grid), "column 4, row 6 has no candidate left");
}

// qqwing's puzzles with their one solution, "givens,solution" a line: no
// step may place a wrong digit or strike a right one. Where a technique of
// `everyStep` is taken, each of its steps there is checked too.
void CheckAgainstSolutions(const std::string& file, int mustSolve, std::set<Technique>& used,
                           int count = 200, const std::set<Technique>& everyStep = {}) {
    std::ifstream in(std::string(QUILLET_SOLVING_FIXTURE_DIR) + "/" + file);
    std::string line;
    int puzzles = 0, solved = 0;
    while (std::getline(in, line)) {
        ASSERT_EQ(line.size(), 163u);
        const std::string givens = line.substr(0, 81), solution = line.substr(82);
        auto right = [&](int cell) {
            return solution[RowMajorIndex(CellOfColumnMajor(cell))] - '0';
        };
        Grid grid = GridFromPuzzleLine(givens);
        const SolveOutcome outcome = Solve(grid, [&](const Step& step) {
            used.insert(step.technique);
            if (everyStep.count(step.technique)) {
                for (const Step& other : StepsOf(grid, step.technique, true))
                    for (const Candidate& s : other.strikes)
                        EXPECT_NE(s.digit, right(s.cell)) << givens << ": " << Describe(other);
            }
            if (step.placeCell >= 0) {
                EXPECT_EQ(step.placeDigit, right(step.placeCell))
                    << givens << ": " << Describe(step);
            }
            for (const Candidate& s : step.strikes)
                EXPECT_NE(s.digit, right(s.cell)) << givens << ": " << Describe(step);
        });
        EXPECT_FALSE(outcome.contradiction) << givens;
        // The rating's own way through takes other steps: they must reach
        // the solution too.
        EXPECT_EQ(outcome.ratersWayFinished, outcome.solved) << givens;
        ++puzzles;
        solved += outcome.solved ? 1 : 0;
    }
    EXPECT_EQ(puzzles, count);
    EXPECT_GE(solved, mustSolve) << file;
}

TEST(Solver, NoWrongStepOnQqwingPuzzles) {
    std::set<Technique> used;
    CheckAgainstSolutions("qqwing-intermediate.csv", 200, used);
    CheckAgainstSolutions("qqwing-expert.csv", 190, used);
    // The oracle reaches the hard techniques, not the singles only.
    for (const Technique t : {Technique::kNakedPair, Technique::kXWing, Technique::kXYWing,
                              Technique::kWWing, Technique::kSimpleColouring, Technique::kXChain,
                              Technique::kXYChain, Technique::kAlternatingChain})
        EXPECT_TRUE(used.count(t)) << TechniqueName(t);
}

// Rated puzzles whose hardest step is a unique rectangle or BUG+1.
TEST(Solver, UniquenessStepsAreRightOnPuzzlesWithOneSolution) {
    std::set<Technique> used;
    CheckAgainstSolutions("uniqueness.csv", 20, used, 20);
    for (const Technique t : {Technique::kUniqueRectangle1, Technique::kUniqueRectangle2,
                              Technique::kUniqueRectangle4, Technique::kBugPlusOne})
        EXPECT_TRUE(used.count(t)) << TechniqueName(t);
    // Rated puzzles (calibration half of the rated bank) where a rectangle
    // of type 3 is the simplest step: every one found there is right.
    std::set<Technique> third;
    CheckAgainstSolutions("unique-rectangles-3.csv", 10, third, 10, {Technique::kUniqueRectangle3});
    EXPECT_TRUE(third.count(Technique::kUniqueRectangle3));
}

// Rated puzzles that the chains leave unfinished.
TEST(Solver, ForcingNetsFinishPuzzlesWithoutAWrongStep) {
    std::set<Technique> used;
    CheckAgainstSolutions("forcing-nets.csv", 10, used, 10);
    EXPECT_TRUE(used.count(Technique::kForcingNets));
    EXPECT_FALSE(used.count(Technique::kNestedForcingNets));  // the plain nets suffice
    // A step of a net says every fact and the rule it follows, and shows
    // them again as a tree.
    std::ifstream in(std::string(QUILLET_SOLVING_FIXTURE_DIR) + "/forcing-nets.csv");
    std::string line;
    std::getline(in, line);
    Grid grid = GridFromPuzzleLine(line.substr(0, 81));
    std::vector<Step> steps = NextSteps(grid);
    for (; !steps.empty() && steps.front().technique < Technique::kForcingNets;
         steps = NextSteps(grid))
        ApplyStep(steps.front(), grid);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_GE(steps.front().technique, Technique::kForcingNets);
    EXPECT_NE(Reason(steps.front()).find(" ⇒ "), std::string::npos) << Reason(steps.front());
    EXPECT_NE(ProofTree(steps.front()).find("\n  "), std::string::npos) << ProofTree(steps.front());
    EXPECT_TRUE(StepsOf(FullGrid(), Technique::kForcingNets, true).empty());
    // Where the nets are the simplest technique, every step of either kind
    // of net is right, not only the one taken.
    const std::string solution = line.substr(82);
    for (const Technique t : {Technique::kForcingNets, Technique::kLockedForcingNets}) {
        const std::vector<Step> every = StepsOf(grid, t, true);
        EXPECT_FALSE(every.empty()) << TechniqueName(t);
        for (const Step& step : every) {
            if (step.placeCell >= 0) {
                EXPECT_EQ(step.placeDigit,
                          solution[RowMajorIndex(CellOfColumnMajor(step.placeCell))] - '0')
                    << Describe(step);
            }
            for (const Candidate& s : step.strikes)
                EXPECT_NE(s.digit, solution[RowMajorIndex(CellOfColumnMajor(s.cell))] - '0')
                    << Describe(step);
        }
    }
}

// Two of the forum's hardest puzzles, which the plain nets leave: every
// nested step is right, and it shows the net inside it in its reason and
// as a sub-tree.
TEST(Solver, NestedForcingNetsFinishTheHardestWithoutAWrongStep) {
    std::set<Technique> used;
    CheckAgainstSolutions("nested-forcing-nets.csv", 2, used, 2);
    EXPECT_TRUE(used.count(Technique::kNestedForcingNets));
    std::ifstream in(std::string(QUILLET_SOLVING_FIXTURE_DIR) + "/nested-forcing-nets.csv");
    std::string line;
    std::getline(in, line);
    Grid grid = GridFromPuzzleLine(line.substr(0, 81));
    std::vector<Step> steps = NextSteps(grid);
    for (; !steps.empty() && steps.front().technique < Technique::kNestedForcingNets;
         steps = NextSteps(grid))
        ApplyStep(steps.front(), grid);
    ASSERT_FALSE(steps.empty());
    const Step& nested = steps.front();
    EXPECT_NE(Reason(nested).find("(if it were in the cell: "), std::string::npos)
        << Reason(nested);
    EXPECT_EQ(Reason(nested).find('\n'), std::string::npos);
    EXPECT_NE(ProofTree(nested).find(", since)\n"), std::string::npos) << ProofTree(nested);
    EXPECT_GE(SharedScaleRating(nested), 9.5);
    // Nested twice, the same grid's first step is right too, and worth more.
    const std::string solution = line.substr(82);
    const std::vector<Step> twice = StepsOf(grid, Technique::kTwiceNestedForcingNets);
    ASSERT_FALSE(twice.empty());
    for (const Candidate& s : twice.front().strikes)
        EXPECT_NE(s.digit, solution[RowMajorIndex(CellOfColumnMajor(s.cell))] - '0');
    if (twice.front().placeCell >= 0) {
        EXPECT_EQ(twice.front().placeDigit,
                  solution[RowMajorIndex(CellOfColumnMajor(twice.front().placeCell))] - '0');
    }
    EXPECT_GE(SharedScaleRating(twice.front()), 10.5);
}

// Rated puzzles that need almost locked sets before the forcing chains.
TEST(Solver, AlmostLockedSetsStrikeOnlyWrongDigits) {
    std::set<Technique> used;
    CheckAgainstSolutions("almost-locked-sets.csv", 12, used, 12,
                          {Technique::kAlsXz, Technique::kAlsXyWing});
    EXPECT_TRUE(used.count(Technique::kAlsXz));
    EXPECT_TRUE(used.count(Technique::kAlsXyWing));
}

// Published ratings (of the calibration half of a rated bank) that the
// estimate meets only by taking, as their rater does, the lowest rated step
// open at each point: a wing of almost locked sets its table names, chains
// rated by their length, a forcing chain from the cases of a cell.
TEST(Solver, SharedScaleTakesTheRatersEasiestSteps) {
    const std::pair<const char*, double> rated[] = {
        {"59......7..12.7..6....9..1..2.3.9.8...5...4...6.5.8.3..3..7....6..4.19..7......58", 5.5},
        {"5.2..8..4.....2.....4.5.9.395.........6.7.3.........684.8.6.5.....3.....7..1..6.2", 6.3},
        {"5.9..7....4..5.3..8.7.....5..8..94...7.8.1.6...43..7..4.....6.2..1.6..5....2..1.4", 7.1},
        {".91.6.....4...896....9..7.....41...9.6.7.9.1.1...83.....4..5....261...5.....7.43.", 8.3},
        {".86.7.35.4..3.1..6.7..5..1..65...43.3.......8............6.5......9.7....97...58.", 5.0},
        // Hidden singles finish it; on the way a cell is left with one digit
        // that also has no other place in its row, which the rater counts as
        // the hidden single there, not as a naked single (2.3).
        {"..34.........8..2.7..12.....145..6.836......1..5......5......76..82....4....7.3..", 1.5},
    };
    for (const auto& [puzzle, published] : rated) {
        Grid grid = GridFromPuzzleLine(puzzle);
        const SolveOutcome outcome = Solve(grid);
        ASSERT_TRUE(outcome.solved) << puzzle;
        EXPECT_NEAR(outcome.sharedScale, published, 0.01) << puzzle;
    }
    // The length ladder: a tenth more once the implications between the
    // ends pass 4, 6 and 8.
    auto cellCases = [](int facts) {
        auto proof = std::make_shared<Proof>();
        proof->premise = Proof::Premise::kCellDigits;
        proof->cases = 2;
        for (int c = 0; c < 2; ++c) {
            Derivation chain;
            for (int f = 0; f < facts; ++f) {
                Fact fact;
                fact.candidate = {At(1 + f, 1), 1 + c};
                if (f > 0) fact.parents = {static_cast<int>(proof->facts.size()) - 1};
                chain.facts.push_back(static_cast<int>(proof->facts.size()));
                proof->facts.push_back(fact);
            }
            chain.supposition = chain.facts.front();
            chain.reached = chain.facts.back();
            proof->nets.push_back(chain);
        }
        Step step{Technique::kForcingChains, -1, 0, {{0, 3}}};
        step.proof = proof;
        return SharedScaleRating(step);
    };
    EXPECT_NEAR(cellCases(3), 8.0, 0.01);  // 6 facts
    EXPECT_NEAR(cellCases(4), 8.1, 0.01);  // 8
    EXPECT_NEAR(cellCases(5), 8.2, 0.01);  // 10
    EXPECT_NEAR(cellCases(6), 8.3, 0.01);  // 12
}

// Rated puzzles (calibration half of the rated bank) that need a chain of
// almost locked sets before the forcing chains.
TEST(Solver, AlsChainsStrikeOnlyWrongDigits) {
    std::set<Technique> used;
    CheckAgainstSolutions("als-chains.csv", 10, used, 10, {Technique::kAlsChain});
    EXPECT_TRUE(used.count(Technique::kAlsChain));
}

// Solving keeps what it found on each grid for the rater's way through, and
// the almost locked sets of a grid for all three techniques that use them:
// the steps it takes are still those hints give one by one.
TEST(Solver, SolvingTakesTheStepsOfHintOneByOne) {
    for (const char* file : {"als-chains.csv", "forcing-nets.csv"}) {
        std::ifstream in(std::string(QUILLET_SOLVING_FIXTURE_DIR) + "/" + file);
        std::string line;
        for (int n = 0; n < 3 && std::getline(in, line); ++n) {
            Grid solved = GridFromPuzzleLine(line.substr(0, 81));
            std::vector<std::string> taken;
            Solve(solved, [&](const Step& step) { taken.push_back(Describe(step)); });
            Grid grid = GridFromPuzzleLine(line.substr(0, 81));
            std::vector<std::string> hinted;
            for (auto next = NextSteps(grid); !next.empty(); next = NextSteps(grid)) {
                hinted.push_back(Describe(next.front()));
                ApplyStep(next.front(), grid);
            }
            EXPECT_EQ(taken, hinted) << line;
        }
    }
}

TEST(Solver, SolutionsAreCountedToTwo) {
    Grid puzzle = GridFromPuzzleLine(
        "......6....82...392.73......5......46....8.....4...273..39......7....4.55....2...");
    EXPECT_EQ(CountSolutions(puzzle), 1);
    Grid solution;
    ASSERT_TRUE(FindOnlySolution(puzzle, solution));
    EXPECT_TRUE(solution.Solved());
    EXPECT_FALSE(ContradictionIn(solution));
    EXPECT_EQ(CountSolutions(FullGrid()), 2);
    EXPECT_EQ(CountSolutions(FullGrid(), 5), 5);
    puzzle.cells[At(2, 1)] = Bit(6);  // 6 twice in row 1
    EXPECT_EQ(CountSolutions(puzzle), 0);
    EXPECT_FALSE(FindOnlySolution(puzzle, solution));
}

}  // namespace
}  // namespace quillet::solving
