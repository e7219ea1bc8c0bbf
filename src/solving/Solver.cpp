#include "solving/Solver.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "solving/Solutions.h"
#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

using FindFunction = void (*)(const Grid&, StepFinder&);

template <Technique kind>
void HiddenSingles(const Grid& grid, StepFinder& finder) {
    FindHiddenSingles(grid, kind, finder);
}

template <int size>
void NakedSubsets(const Grid& grid, StepFinder& finder) {
    FindNakedSubsets(grid, size, finder);
}

template <int size>
void HiddenSubsets(const Grid& grid, StepFinder& finder) {
    FindHiddenSubsets(grid, size, finder);
}

template <int size>
void Fish(const Grid& grid, StepFinder& finder) {
    FindFish(grid, size, finder);
}

template <int type>
void UniqueRectangles(const Grid& grid, StepFinder& finder) {
    FindUniqueRectangles(grid, type, finder);
}

// Indexed by Technique: simplest first.
constexpr FindFunction kFinders[kTechniqueCount] = {
    FindNakedSingles,
    HiddenSingles<Technique::kHiddenSingleBox>,
    HiddenSingles<Technique::kHiddenSingleRow>,
    HiddenSingles<Technique::kHiddenSingleColumn>,
    FindPointing,
    FindClaiming,
    NakedSubsets<2>,
    HiddenSubsets<2>,
    NakedSubsets<3>,
    HiddenSubsets<3>,
    NakedSubsets<4>,
    HiddenSubsets<4>,
    Fish<2>,
    Fish<3>,
    Fish<4>,
    FindXYWings,
    FindXYZWings,
    FindWWings,
    UniqueRectangles<1>,
    UniqueRectangles<2>,
    UniqueRectangles<3>,
    UniqueRectangles<4>,
    FindBugPlusOne,
    FindSimpleColouring,
    FindXChains,
    FindXYChains,
    FindAlternatingChains,
    FindAlsXz,
    FindAlsXyWings,
    FindAlsChains,
    FindForcingChains,
    FindForcingNets,
    FindLockedForcingNets,
    FindNestedForcingNets,
    FindTwiceNestedForcingNets,
};

}  // namespace

std::size_t PatternSize(const Step& step) {
    std::size_t size = step.cells.size() + step.links.size();
    for (const Group& group : step.groups) size += group.cells.size();
    if (step.proof) size += step.proof->facts.size();
    return size;
}

void AddSimplestFirst(std::vector<Step>& found, StepFinder& finder) {
    std::vector<std::tuple<double, std::size_t, std::size_t>> keys;
    for (const Step& step : found)
        keys.push_back({SharedScaleRating(step), step.links.size(), PatternSize(step)});
    std::vector<std::size_t> order(found.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    for (const std::size_t i : order) {
        if (finder.Done()) return;
        finder.Add(std::move(found[i]));
    }
}

std::optional<Contradiction> ContradictionIn(const Grid& grid) {
    for (int cell = 0; cell < kCellCount; ++cell)
        if (grid.cells[cell] == 0) return Contradiction{Contradiction::Kind::kEmptyCell, {cell}};
    // Rows, columns, then boxes; digits in order.
    for (int unit = 0; unit < kUnitCount; ++unit) {
        int solvedAt[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        Mask seen = 0;
        for (const int cell : UnitCells(unit)) {
            const Mask m = grid.cells[cell];
            seen |= m;
            if (CountOf(m) != 1) continue;
            const int digit = LowestDigit(m);
            if (solvedAt[digit] >= 0)
                return Contradiction{
                    Contradiction::Kind::kSolvedTwice, {solvedAt[digit], cell}, unit, digit};
            solvedAt[digit] = cell;
        }
        if (seen != kAllDigits)
            return Contradiction{Contradiction::Kind::kNoPlace,
                                 {},
                                 unit,
                                 LowestDigit(static_cast<Mask>(kAllDigits & ~seen))};
    }
    return std::nullopt;
}

namespace {

// Whether the grid has one solution, counted when first asked.
class OneSolution {
public:
    explicit OneSolution(const Grid& grid, int known = -1) : grid_(grid), count_(known) {}
    bool operator()() {
        if (count_ < 0) count_ = CountSolutions(grid_);
        return count_ == 1;
    }

private:
    const Grid& grid_;
    int count_;
};

// What the searches found on each grid met in one solving. Its own way and
// the rater's way through often meet the same grid, and on each grid that
// needs a hard step every technique below it is searched in vain: a search
// is made once per grid. The singles, cheaper than keeping them, are not
// kept.
class FoundOnGrids {
public:
    struct Found {
        // By technique, the first step or all of them; the steps kept only
        // while few, as a long list costs more to keep than to find again.
        std::array<std::optional<std::vector<Step>>, 2 * kTechniqueCount> steps;
        GridScratch scratch;
    };

    Found& On(const Grid& grid) {
        const std::string_view bytes(reinterpret_cast<const char*>(grid.cells.data()),
                                     sizeof grid.cells);
        return grids_[std::string(bytes)];
    }

private:
    std::unordered_map<std::string, Found> grids_;  // by the grid's candidates
};

constexpr std::size_t kMostStepsKept = 16;

std::vector<Step> Find(const Grid& grid, Technique technique, bool all, OneSolution& unique,
                       FoundOnGrids::Found* found = nullptr) {
    if (TriedOnlyWithOneSolution(technique) && !unique()) return {};
    const int t = static_cast<int>(technique);
    const bool kept = found && technique > Technique::kHiddenSingleColumn;
    if (kept) {
        if (const auto& same = found->steps[2 * t + (all ? 1 : 0)]) return *same;
        // Nothing found either way: a search for the first step that finds
        // none has searched them all. Every technique gives its steps in
        // the order it shows them, so the first is the first of all.
        if (const auto& other = found->steps[2 * t + (all ? 0 : 1)]; other && other->empty())
            return {};
        if (const auto& every = found->steps[2 * t + 1]; !all && every) return {every->front()};
    }
    StepFinder finder{all, {}, found ? &found->scratch : nullptr};
    kFinders[t](grid, finder);
    if (kept && finder.steps.size() <= kMostStepsKept)
        found->steps[2 * t + (all ? 1 : 0)] = finder.steps;
    return std::move(finder.steps);
}

std::vector<Step> Next(const Grid& grid, bool all, OneSolution& unique,
                       FoundOnGrids* memo = nullptr) {
    FoundOnGrids::Found* found = memo ? &memo->On(grid) : nullptr;
    for (int t = 0; t < kTechniqueCount; ++t) {
        std::vector<Step> steps = Find(grid, static_cast<Technique>(t), all, unique, found);
        if (!steps.empty()) return steps;
    }
    return {};
}

// The lowest value on the shared scale that a step of the technique can
// have (SharedScaleRating), whatever its size.
double ScaleFloor(Technique technique) {
    switch (technique) {
        case Technique::kNakedSingle: return 1.2;  // see RatedValue
        case Technique::kWWing: return 7.1;
        case Technique::kUniqueRectangle3: return 4.6;
        case Technique::kSimpleColouring:
        case Technique::kXChain: return 4.1;
        case Technique::kXYChain: return 4.2;
        case Technique::kAlternatingChain: return 7.0;
        case Technique::kAlsXz: return 4.4;
        case Technique::kAlsXyWing:
        case Technique::kAlsChain: return 10.0;
        case Technique::kForcingChains:
        case Technique::kForcingNets: return 7.5;
        case Technique::kLockedForcingNets: return 9.0;
        default: {
            Step step;
            step.technique = technique;
            return SharedScaleRating(step);
        }
    }
}

// The techniques by their lowest value on the shared scale.
const std::vector<Technique>& ByScaleFloor() {
    static const std::vector<Technique> order = [] {
        std::vector<Technique> techniques;
        for (int t = 0; t < kTechniqueCount; ++t) techniques.push_back(static_cast<Technique>(t));
        std::stable_sort(techniques.begin(), techniques.end(),
                         [](Technique a, Technique b) { return ScaleFloor(a) < ScaleFloor(b); });
        return techniques;
    }();
    return order;
}

// Whether the technique's first step need not be its lowest rated on the
// grid: every technique shows its lowest rated step first, but a naked
// single's value depends on its digit's other places (RatedValue).
bool Sized(Technique technique) { return technique == Technique::kNakedSingle; }

// A step's value on the shared scale, on the grid it is found on. The
// scale's rater looks for a digit's places in a unit among the cells not yet
// placed, where this solver counts a cell left with one digit as settled:
// a naked single whose digit has no other place in the cell's box, or row or
// column, is to that rater the hidden single there.
double RatedValue(const Grid& grid, const Step& step) {
    if (step.technique == Technique::kNakedSingle && step.placeCell >= 0) {
        const int cell = step.placeCell, digit = step.placeDigit;
        const auto only = [&](int unit) { return CountOf(PlacesOf(grid, unit, digit)) == 1; };
        const auto value = [](Technique hidden) { return SharedScaleRating(Step{hidden}); };
        if (only(BoxUnit(cell))) return value(Technique::kHiddenSingleBox);
        if (only(RowUnit(cell)) || only(ColumnUnit(cell)))
            return value(Technique::kHiddenSingleRow);
    }
    return SharedScaleRating(step);
}

// The step that the shared scale's rater would take here: it rates every
// step it can find and takes the lowest, where this solver takes the first
// of its simplest technique. So every technique whose steps could rate
// lower than the best found so far is searched, all its steps when their
// values differ. The nets, which cost more to search than the rest
// together, only when nothing else is found.
std::optional<Step> Easiest(const Grid& grid, OneSolution& unique, FoundOnGrids& memo,
                            double& value) {
    std::optional<Step> best;
    value = 10.0;
    FoundOnGrids::Found& found = memo.On(grid);
    for (const Technique technique : ByScaleFloor()) {
        if (best && ScaleFloor(technique) >= value) break;
        if (best && technique >= Technique::kForcingNets && value < 10.0) continue;
        for (Step& step : Find(grid, technique, Sized(technique), unique, &found)) {
            const double rating = RatedValue(grid, step);
            if (best && rating >= value) continue;
            value = rating;
            best = std::move(step);
        }
    }
    return best;
}

// The puzzle's rating on the shared scale: the hardest of the steps its
// rater takes, each the lowest rated of those open; 0 when those steps do
// not finish it.
double SharedScaleOf(Grid grid, OneSolution& unique, FoundOnGrids& memo) {
    // The givens' digits struck from their peers first, as the rater
    // starts from candidates so cleared.
    for (int cell = 0; cell < kCellCount; ++cell)
        if (CountOf(grid.cells[cell]) == 1)
            ApplyStep({Technique::kNakedSingle, cell, LowestDigit(grid.cells[cell])}, grid);
    double hardest = 0;
    while (!grid.Solved()) {
        if (ContradictionIn(grid)) return 0;
        double value = 0;
        const std::optional<Step> step = Easiest(grid, unique, memo, value);
        if (!step) return 0;
        hardest = std::max(hardest, value);
        ApplyStep(*step, grid);
    }
    return hardest;
}

}  // namespace

std::vector<Step> StepsOf(const Grid& grid, Technique technique, bool all) {
    OneSolution unique(grid);
    return Find(grid, technique, all, unique);
}

std::vector<Step> NextSteps(const Grid& grid, bool all) {
    OneSolution unique(grid);
    return Next(grid, all, unique);
}

bool ClearsAGiven(const Step& step, const Grid& start) {
    return step.technique == Technique::kNakedSingle && step.placeCell >= 0 &&
           CountOf(start.cells[step.placeCell]) == 1;
}

SolveOutcome Solve(Grid& grid, const std::function<void(const Step&)>& onStep) {
    SolveOutcome outcome;
    const Grid start = grid;
    // Counted once: every step keeps the one solution, so a grid that has
    // one keeps it.
    outcome.solutions = CountSolutions(grid);
    OneSolution unique(grid, outcome.solutions);
    FoundOnGrids memo;
    // Every step strikes at least one candidate, so this ends.
    for (;;) {
        if (auto fault = ContradictionIn(grid)) {
            outcome.contradiction = std::move(fault);
            return outcome;
        }
        if (grid.Solved()) {
            outcome.solved = true;
            // The rater's own way through when it finishes, else the
            // values of the steps taken here.
            if (const double scale = SharedScaleOf(start, unique, memo); scale > 0) {
                outcome.sharedScale = scale;
                outcome.ratersWayFinished = true;
            }
            return outcome;
        }
        const std::vector<Step> steps = Next(grid, false, unique, &memo);
        if (steps.empty()) return outcome;
        const Step& step = steps.front();
        if (onStep) onStep(step);
        const double scale = SharedScaleRating(step);
        ApplyStep(step, grid);
        if (ClearsAGiven(step, start)) continue;
        outcome.sharedScale = std::max(outcome.sharedScale, scale);
        ++outcome.steps;
        outcome.used[static_cast<int>(step.technique)] = true;
        if (step.technique > outcome.hardest) outcome.hardest = step.technique;
    }
}

}  // namespace quillet::solving
