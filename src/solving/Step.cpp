#include "solving/Step.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace quillet::solving {

namespace {

struct TechniqueInfo {
    const char* name;
    double rating;
    Level level;
};

const TechniqueInfo& Info(Technique technique) {
    static const TechniqueInfo kInfo[kTechniqueCount] = {
        {"naked single", 1.0, Level::kBasic},
        {"hidden single in a box", 1.2, Level::kBasic},
        {"hidden single in a row", 1.5, Level::kBasic},
        {"hidden single in a column", 1.5, Level::kBasic},
        {"locked candidates (pointing)", 1.7, Level::kBasic},
        {"locked candidates (claiming)", 1.9, Level::kBasic},
        {"naked pair", 3.0, Level::kSubsets},
        {"hidden pair", 3.2, Level::kSubsets},
        {"naked triple", 3.4, Level::kSubsets},
        {"hidden triple", 3.6, Level::kSubsets},
        {"naked quad", 3.8, Level::kSubsets},
        {"hidden quad", 4.0, Level::kSubsets},
        {"X-wing", 4.2, Level::kFishAndWings},
        {"swordfish", 4.4, Level::kFishAndWings},
        {"jellyfish", 4.6, Level::kFishAndWings},
        {"XY-wing", 4.8, Level::kFishAndWings},
        {"XYZ-wing", 5.0, Level::kFishAndWings},
        {"W-wing", 5.2, Level::kFishAndWings},
        {"unique rectangle (type 1)", 5.3, Level::kFishAndWings},
        {"unique rectangle (type 2)", 5.4, Level::kFishAndWings},
        {"unique rectangle (type 4)", 5.4, Level::kFishAndWings},
        {"BUG+1", 5.5, Level::kFishAndWings},
        {"simple colouring", 5.6, Level::kChains},
        {"X-chain", 6.0, Level::kChains},
        {"XY-chain", 6.5, Level::kChains},
        {"alternating inference chain", 7.0, Level::kChains},
        {"ALS-XZ", 7.2, Level::kChains},
        {"ALS-XY-wing", 7.5, Level::kChains},
        {"forcing chains", 8.0, Level::kChains},
        {"forcing net", 8.5, Level::kChains},
        {"forcing net with locked candidates", 9.0, Level::kChains},
        {"nested forcing net", 9.0, Level::kChains},
        {"forcing net nested twice", 9.0, Level::kChains},
    };
    return kInfo[static_cast<int>(technique)];
}

const char* const kLevelNames[] = {"aids", "basic", "subsets", "fish-and-wings", "chains"};

}  // namespace

const char* TechniqueName(Technique technique) { return Info(technique).name; }
double TechniqueRating(Technique technique) { return Info(technique).rating; }
namespace {

// The links of a chain or net as its reason spells them.
int LinksIn(const std::string& reason) {
    int links = 0;
    for (const char* joint : {" = ", " - ", " ⇒ "}) {
        const std::string text = joint;
        for (auto at = reason.find(text); at != std::string::npos; at = reason.find(text, at + 1))
            ++links;
    }
    return links;
}

// By technique: the value of a short step, then of longer ones (up to 4, 6,
// 8, 12 and 18 links, and more). The techniques the shared scale's table
// names take its value; W-wing, colouring, the chains and nets were fitted
// to half of a bank of 4,000 published ratings (the other half checks it).
struct ScaleRow {
    Technique technique;
    double value[7];
};
constexpr ScaleRow kScale[] = {
    {Technique::kNakedSingle, {2.3, 2.3, 2.3, 2.3, 2.3, 2.3, 2.3}},
    {Technique::kHiddenSingleBox, {1.2, 1.2, 1.2, 1.2, 1.2, 1.2, 1.2}},
    {Technique::kHiddenSingleRow, {1.5, 1.5, 1.5, 1.5, 1.5, 1.5, 1.5}},
    {Technique::kHiddenSingleColumn, {1.5, 1.5, 1.5, 1.5, 1.5, 1.5, 1.5}},
    {Technique::kPointing, {2.6, 2.6, 2.6, 2.6, 2.6, 2.6, 2.6}},
    {Technique::kClaiming, {2.8, 2.8, 2.8, 2.8, 2.8, 2.8, 2.8}},
    {Technique::kNakedPair, {3.0, 3.0, 3.0, 3.0, 3.0, 3.0, 3.0}},
    {Technique::kHiddenPair, {3.4, 3.4, 3.4, 3.4, 3.4, 3.4, 3.4}},
    {Technique::kNakedTriple, {3.6, 3.6, 3.6, 3.6, 3.6, 3.6, 3.6}},
    {Technique::kHiddenTriple, {4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0}},
    {Technique::kNakedQuad, {5.0, 5.0, 5.0, 5.0, 5.0, 5.0, 5.0}},
    {Technique::kHiddenQuad, {5.4, 5.4, 5.4, 5.4, 5.4, 5.4, 5.4}},
    {Technique::kXWing, {3.2, 3.2, 3.2, 3.2, 3.2, 3.2, 3.2}},
    {Technique::kSwordfish, {3.8, 3.8, 3.8, 3.8, 3.8, 3.8, 3.8}},
    {Technique::kJellyfish, {5.2, 5.2, 5.2, 5.2, 5.2, 5.2, 5.2}},
    {Technique::kXYWing, {4.2, 4.2, 4.2, 4.2, 4.2, 4.2, 4.2}},
    {Technique::kXYZWing, {4.4, 4.4, 4.4, 4.4, 4.4, 4.4, 4.4}},
    {Technique::kWWing, {5.6, 5.6, 5.6, 5.6, 5.6, 5.6, 5.6}},
    {Technique::kUniqueRectangle1, {4.5, 4.5, 4.5, 4.5, 4.5, 4.5, 4.5}},
    {Technique::kUniqueRectangle2, {4.5, 4.5, 4.5, 4.5, 4.5, 4.5, 4.5}},
    {Technique::kUniqueRectangle4, {4.5, 4.5, 4.5, 4.5, 4.5, 4.5, 4.5}},
    {Technique::kBugPlusOne, {5.6, 5.6, 5.6, 5.6, 5.6, 5.6, 5.6}},
    {Technique::kSimpleColouring, {5.4, 5.4, 5.4, 5.4, 5.4, 5.4, 5.4}},
    {Technique::kXChain, {5.0, 7.0, 7.0, 7.1, 7.1, 7.1, 7.1}},
    {Technique::kXYChain, {5.5, 7.0, 7.1, 7.1, 7.1, 7.1, 7.1}},
    {Technique::kAlternatingChain, {6.6, 6.6, 7.0, 7.1, 7.2, 7.3, 8.6}},
    {Technique::kAlsXz, {6.1, 6.1, 6.1, 6.1, 6.1, 6.1, 6.1}},
    {Technique::kAlsXyWing, {8.1, 8.1, 8.1, 8.1, 8.1, 8.1, 8.1}},
    {Technique::kForcingChains, {7.5, 7.5, 7.5, 7.5, 7.5, 8.1, 8.3}},
    {Technique::kForcingNets, {8.5, 8.5, 8.5, 8.5, 8.9, 8.9, 9.0}},
    {Technique::kLockedForcingNets, {9.0, 9.0, 9.0, 9.0, 9.0, 9.0, 9.0}},
};
static_assert(std::size(kScale) == static_cast<int>(Technique::kNestedForcingNets));

// Nested forcing nets, apart from the table: the shared scale puts nets
// nested once from 9.5 and twice from 10.5, each growing with the length of
// the step's explanation (its inner nets' facts included) by up to 1.0.
double NestedNetScale(const Step& step, int links) {
    const double from = step.technique == Technique::kNestedForcingNets ? 9.5 : 10.5;
    const double longer = links <= 40    ? 0.0
                          : links <= 80  ? 0.2
                          : links <= 160 ? 0.4
                          : links <= 320 ? 0.6
                          : links <= 640 ? 0.8
                                         : 1.0;
    return from + longer;
}

}  // namespace

double SharedScaleRating(const Step& step) {
    const int links = LinksIn(step.reason);
    if (step.technique >= Technique::kNestedForcingNets) return NestedNetScale(step, links);
    const int column = links <= 3    ? 0
                       : links <= 4  ? 1
                       : links <= 6  ? 2
                       : links <= 8  ? 3
                       : links <= 12 ? 4
                       : links <= 18 ? 5
                                     : 6;
    const ScaleRow& row = kScale[static_cast<int>(step.technique)];
    return row.technique == step.technique ? row.value[column] : 10.0;
}

bool AssumesOneSolution(Technique technique) {
    return technique >= Technique::kUniqueRectangle1 && technique <= Technique::kBugPlusOne;
}
bool TriedOnlyWithOneSolution(Technique technique) {
    return AssumesOneSolution(technique) || technique >= Technique::kNestedForcingNets;
}
Level LevelOf(Technique technique) { return Info(technique).level; }
const char* LevelName(Level level) { return kLevelNames[static_cast<int>(level)]; }

bool ParseLevel(const std::string& name, Level& level) {
    for (int i = 0; i <= static_cast<int>(Level::kChains); ++i) {
        if (name == kLevelNames[i]) {
            level = static_cast<Level>(i);
            return true;
        }
    }
    return false;
}

std::string Describe(const Step& step) {
    std::string text = step.reason;
    if (step.placeCell >= 0) {
        const int cell = step.placeCell;
        return text + " Place " + std::to_string(step.placeDigit) + " in " + CellName(cell) +
               ", striking it from " + UnitName(RowUnit(cell)) + ", " + UnitName(ColumnUnit(cell)) +
               " and " + UnitName(BoxUnit(cell)) + ".";
    }
    // Strikes grouped by digit, cells in the board's scan order.
    std::map<int, std::vector<int>> byDigit;
    for (const Strike& strike : step.strikes) byDigit[strike.digit].push_back(strike.cell);
    text += " Strike";
    bool firstDigit = true;
    for (auto& [digit, cells] : byDigit) {
        text += firstDigit ? " " : "; strike ";
        firstDigit = false;
        text += std::to_string(digit) + " from ";
        std::sort(cells.begin(), cells.end());
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) text += i + 1 == cells.size() ? " and " : "; ";
            text += CellName(cells[i]);
        }
    }
    return text + ".";
}

void ApplyStep(const Step& step, Grid& grid) {
    if (step.placeCell >= 0) {
        const Mask bit = Bit(step.placeDigit);
        grid.cells[step.placeCell] = bit;
        // As the board's placement: the row and the column lose the digit
        // whatever they hold, the rest of the box only from unsolved cells.
        for (const int peer : Peers(step.placeCell)) {
            const bool line = RowUnit(peer) == RowUnit(step.placeCell) ||
                              ColumnUnit(peer) == ColumnUnit(step.placeCell);
            if (line || CountOf(grid.cells[peer]) > 1) grid.cells[peer] &= static_cast<Mask>(~bit);
        }
    }
    for (const Strike& strike : step.strikes)
        grid.cells[strike.cell] &= static_cast<Mask>(~Bit(strike.digit));
}

}  // namespace quillet::solving
