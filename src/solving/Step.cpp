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

int Occurrences(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

// Whether every fact of a chain or net ("4 in ...", "4 leaves ...") is of
// one digit: the scale rates a supposition followed along one digit lower.
bool OneDigit(const std::string& reason) {
    char digit = 0;
    for (auto at = reason.find(" ⇒ "); at != std::string::npos; at = reason.find(" ⇒ ", at + 1)) {
        const char next = reason[at + std::string(" ⇒ ").size()];
        if (next < '1' || next > '9') continue;
        if (digit == 0) digit = next;
        if (next != digit) return false;
    }
    return digit != 0;
}

// The scale's extra for a chain of `nodes` candidates (its supposition and
// the end it reaches counted): nothing while the implications between them
// number 4 or fewer, then a tenth more each time they pass 4, 6, 8, 12, 16,
// 24, 32, 48 and so on.
double LengthBonus(int nodes) {
    double added = 0;
    int ceiling = 4;
    bool half = true;
    for (int length = nodes - 2; length > ceiling; half = !half) {
        added += 0.1;
        ceiling = half ? ceiling * 3 / 2 : ceiling * 4 / 3;
    }
    return added;
}

// The techniques whose value the scale's table gives whatever their size.
double TableValue(Technique technique) {
    switch (technique) {
        case Technique::kNakedSingle: return 2.3;
        case Technique::kHiddenSingleBox: return 1.2;
        case Technique::kHiddenSingleRow:
        case Technique::kHiddenSingleColumn: return 1.5;
        case Technique::kPointing: return 2.6;
        case Technique::kClaiming: return 2.8;
        case Technique::kNakedPair: return 3.0;
        case Technique::kHiddenPair: return 3.4;
        case Technique::kNakedTriple: return 3.6;
        case Technique::kHiddenTriple: return 4.0;
        case Technique::kNakedQuad: return 5.0;
        case Technique::kHiddenQuad: return 5.4;
        case Technique::kXWing: return 3.2;
        case Technique::kSwordfish: return 3.8;
        case Technique::kJellyfish: return 5.2;
        case Technique::kXYWing: return 4.2;
        case Technique::kXYZWing: return 4.4;
        case Technique::kUniqueRectangle1:
        case Technique::kUniqueRectangle2:
        case Technique::kUniqueRectangle4: return 4.5;
        case Technique::kBugPlusOne: return 5.6;
        default: return 0;
    }
}

// A digit's chain of conjugate pairs: the scale's raters count its strong
// links (2 is a skyscraper or a kite, rated in the table); from 5 on it is
// their forcing chain of one digit, the struck cell at both ends.
double XChainValue(int cells) {
    const int strong = cells / 2;
    if (strong <= 2) return 4.1;
    if (strong == 3) return 5.5;
    if (strong == 4) return 5.9;
    return 6.6 + LengthBonus(cells + 2);
}

// Two almost locked sets, one a single cell of two digits: the wings of
// 3 to 7 cells the scale's raters name (XYZ- to TUVWXYZ-wing). Other pairs
// of sets they do not name: the value is left to the forcing chains they
// would take instead (10 here, so that any other step open rates lower).
double AlsXzValue(const std::string& reason) {
    const auto second = reason.find(") and ");
    if (second == std::string::npos) return 10.0;
    const int first = Occurrences(reason.substr(0, second), ", row ");  // one a cell
    const int other = Occurrences(reason.substr(second), ", row ");
    const int cells = first + other;
    if (std::min(first, other) != 1 || cells < 3) return 10.0;
    constexpr double kWings[] = {4.4, 5.5, 6.3, 6.6, 7.5};
    return cells - 3 < static_cast<int>(std::size(kWings)) ? kWings[cells - 3] : 10.0;
}

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
    if (const double table = TableValue(step.technique); table > 0) return table;
    const std::string& reason = step.reason;
    const int links = LinksIn(reason);
    switch (step.technique) {
        case Technique::kXChain: return XChainValue(links + 1);
        case Technique::kSimpleColouring:
            // The cells of both colours: a chain through them needs about as many.
            return XChainValue(Occurrences(reason.substr(0, reason.find(" do")), ", row "));
        case Technique::kXYChain:
            // Each cell of two digits is two candidates of the chain.
            return links + 1 <= 3 ? 4.2 : 7.0 + LengthBonus(2 * (links + 1) + 2);
        case Technique::kWWing: return 7.0 + LengthBonus(8);
        case Technique::kAlternatingChain:
            if (step.placeCell >= 0) return 7.0 + LengthBonus(links + 1);
            return 7.0 + LengthBonus(links + 3);
        case Technique::kUniqueRectangle3:
            // The rectangle's value and a tenth for each digit of the
            // naked set past the first.
            return reason.find("naked quad") != std::string::npos     ? 4.8
                   : reason.find("naked triple") != std::string::npos ? 4.7
                                                                      : 4.6;
        case Technique::kAlsXz: return AlsXzValue(reason);
        case Technique::kAlsXyWing:
        case Technique::kAlsChain: return 10.0;  // as other pairs of sets
        case Technique::kNestedForcingNets:
        case Technique::kTwiceNestedForcingNets: return NestedNetScale(step, links);
        case Technique::kForcingChains:
        case Technique::kForcingNets:
        case Technique::kLockedForcingNets: {
            // A supposition that contradicts itself, or the cases of a cell or
            // a unit that agree: each case's chain counted to its end.
            const int cases = std::max(1, Occurrences(reason, "Case "));
            const int nodes = links + cases + (cases == 1 ? 1 : 0);
            const bool contradiction = cases == 1;
            double base = step.technique == Technique::kLockedForcingNets ? 9.0
                          : step.technique == Technique::kForcingNets     ? 8.5
                                                                          : 8.0;
            if (contradiction && OneDigit(reason))
                base = 7.5;
            else if (contradiction && step.technique == Technique::kForcingChains)
                base = 8.5;
            return base + LengthBonus(nodes);
        }
        default: return 10.0;
    }
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
    for (const Candidate& strike : step.strikes) byDigit[strike.digit].push_back(strike.cell);
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
    for (const Candidate& strike : step.strikes)
        grid.cells[strike.cell] &= static_cast<Mask>(~Bit(strike.digit));
}

}  // namespace quillet::solving
