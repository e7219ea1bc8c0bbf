#pragma once

#include <memory>
#include <string>
#include <vector>

#include "board/Candidate.h"
#include "solving/Grid.h"
#include "solving/Proof.h"

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

// A link between two candidates of a pattern: strong when at least one of
// the two is true, weak when not both are.
struct Link {
    Candidate from;
    Candidate to;
    bool strong = false;
    friend bool operator==(const Link&, const Link&) = default;
};

// Cells of a pattern that act as one: a colour of a simple colouring, an
// almost locked set, the cells that make a naked set with a unique
// rectangle's two corners of type 3.
struct Group {
    std::vector<int> cells;  // in the board's order
    Mask digits = 0;         // the digits they hold between them
    int unit = -1;           // the unit they lie in, or -1
    friend bool operator==(const Group&, const Group&) = default;
};

// One logical step: a placement or eliminations, and the pattern that makes
// it, as data. The words (English: solving/English.h; Japanese: the coach),
// the drawing and the rating are all written from these fields; which
// technique fills which is said at its finder (Techniques.h).
struct Step {
    Step() = default;
    Step(Technique technique, int placeCell = -1, int placeDigit = 0,
         std::vector<Candidate> strikes = {})
        : technique(technique),
          placeCell(placeCell),
          placeDigit(placeDigit),
          strikes(std::move(strikes)) {}

    Technique technique = Technique::kNakedSingle;
    int placeCell = -1;  // a placement when >= 0
    int placeDigit = 0;
    std::vector<Candidate> strikes;

    // The pattern's cells in their roles: a wing's pivot first, then its
    // wings (a W-wing's two cells, then the two places that join them); a
    // rectangle's four corners, the two of its upper row first; a subset's
    // or a chain's cells in order; a fish's cells where its lines cross.
    std::vector<int> cells;
    std::vector<Mask> held;   // what each of `cells` held when the step was found
    std::vector<int> units;   // the units it lies in: a fish's base lines, a subset's unit, ...
    std::vector<int> covers;  // the units it covers: a fish's cover lines, a lock's other unit
    Mask digits = 0;          // the digits it is made of
    std::vector<Group> groups;
    std::vector<Link> links;  // a wing's or chain's, an almost locked set's restricted commons
    std::shared_ptr<const Proof> proof;  // forcing chains and nets
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

// Places the digit (written, and struck along its row, column and box) or
// strikes the digits, as the board's own placement does.
void ApplyStep(const Step& step, Grid& grid);

}  // namespace quillet::solving
