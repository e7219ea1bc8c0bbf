#include "solving/Step.h"

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
        {"unique rectangle (type 3)", 5.4, Level::kFishAndWings},
        {"unique rectangle (type 4)", 5.4, Level::kFishAndWings},
        {"BUG+1", 5.5, Level::kFishAndWings},
        {"simple colouring", 5.6, Level::kChains},
        {"X-chain", 6.0, Level::kChains},
        {"XY-chain", 6.5, Level::kChains},
        {"alternating inference chain", 7.0, Level::kChains},
        {"ALS-XZ", 7.2, Level::kChains},
        {"ALS-XY-wing", 7.5, Level::kChains},
        {"ALS chain", 7.8, Level::kChains},
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
    for (const Candidate& strike : step.strikes)
        grid.cells[strike.cell] &= static_cast<Mask>(~Bit(strike.digit));
}

}  // namespace quillet::solving
