#pragma once

#include <string>
#include <vector>

#include "board/Candidate.h"
#include "solving/Grid.h"

namespace quillet::solving {

// In the order they are tried: simplest first.
enum class Technique {
    kNakedSingle,
    kHiddenSingleBox,
    kHiddenSingleRow,
    kHiddenSingleColumn,
    kPointing,
    kClaiming,
    kNakedPair,
    kHiddenPair,
    kNakedTriple,
    kHiddenTriple,
    kNakedQuad,
    kHiddenQuad,
    kXWing,
    kSwordfish,
    kJellyfish,
    kXYWing,
    kXYZWing,
    kWWing,
    kUniqueRectangle1,
    kUniqueRectangle2,
    kUniqueRectangle3,
    kUniqueRectangle4,
    kBugPlusOne,
    kSimpleColouring,
    kXChain,
    kXYChain,
    kAlternatingChain,
    kAlsXz,
    kAlsXyWing,
    kAlsChain,
    kForcingChains,
    kForcingNets,
    kLockedForcingNets,
    kNestedForcingNets,
    kTwiceNestedForcingNets,
};
inline constexpr int kTechniqueCount = static_cast<int>(Technique::kTwiceNestedForcingNets) + 1;

// Groups of techniques by which new puzzles are chosen; `kAids` is what the
// window's own aids finish and is not a technique of this solver.
enum class Level { kAids, kBasic, kSubsets, kFishAndWings, kChains };

const char* TechniqueName(Technique technique);
// The difficulty that needing this technique gives a puzzle, 1.0 to 9.0.
double TechniqueRating(Technique technique);
// Whether the technique rests on the puzzle having one solution: the solver
// takes such steps only once it has counted that it has.
bool AssumesOneSolution(Technique technique);
// Whether the solver tries the technique only on a grid it has counted one
// solution for: the nested nets, whose search on a sparse grid with many
// solutions would take minutes before finding nothing.
bool TriedOnlyWithOneSolution(Technique technique);
Level LevelOf(Technique technique);
const char* LevelName(Level level);
// The level named `name`, if there is one.
bool ParseLevel(const std::string& name, Level& level);

// One logical step: a placement or eliminations, with its reason in words.
struct Step {
    Technique technique = Technique::kNakedSingle;
    int placeCell = -1;  // a placement when >= 0
    int placeDigit = 0;
    std::vector<Candidate> strikes;
    std::string reason;  // why, in one or two sentences, or one paragraph of links
    // For the nets: the same as an indented tree, a fact a line over the
    // facts it rests on; empty for the other techniques.
    std::string tree;
};

// The step's place on the scale that solving forums publish their ratings in
// (Sudoku Explainer's, 1.2 for a hidden single in a box to about 12): the
// technique's value from that scale's table, the wings of almost locked sets
// and the chains of conjugate pairs by their size as its raters count them,
// the other chains and nets by that scale's own rule: a value by kind (7.0
// for a chain of both kinds of link, 7.5 for a supposition of one digit that
// contradicts itself, 8.0 for the cases of a cell or a unit, 8.5 for nets,
// 9.0 with locked candidates) and a tenth more at each step of a ladder of
// their length. 10 for steps the scale has no name for.
double SharedScaleRating(const Step& step);

// The reason followed by what the step does, as one paragraph.
std::string Describe(const Step& step);

// Places the digit (written, and struck along its row, column and box) or
// strikes the digits, as the board's own placement does.
void ApplyStep(const Step& step, Grid& grid);

}  // namespace quillet::solving
