#pragma once

#include <array>
#include <memory>
#include <vector>

#include "solving/Step.h"

namespace quillet::solving {

struct AlsNetwork;

// What the searches on one grid share, made by the first that needs it:
// the almost locked sets and their links serve three techniques.
struct GridScratch {
    std::shared_ptr<const AlsNetwork> als;
};

// Collects the steps of one technique: the first only, or every one.
struct StepFinder {
    bool all = false;
    std::vector<Step> steps;
    GridScratch* scratch = nullptr;  // the grid's, when the caller keeps one

    bool Done() const { return !all && !steps.empty(); }
    void Add(Step step) { steps.push_back(std::move(step)); }
};

// Each looks for its technique on a grid without contradictions. Every step
// found places a digit that the cell holds or strikes digits that cells hold.
// Every technique after the naked single may take it that no solved digit is
// still a candidate of a peer.
void FindNakedSingles(const Grid& grid, StepFinder& finder);
// `kind` is kHiddenSingleBox, kHiddenSingleRow or kHiddenSingleColumn.
void FindHiddenSingles(const Grid& grid, Technique kind, StepFinder& finder);
void FindPointing(const Grid& grid, StepFinder& finder);
void FindClaiming(const Grid& grid, StepFinder& finder);
// `size` 2 to 4.
void FindNakedSubsets(const Grid& grid, int size, StepFinder& finder);
void FindHiddenSubsets(const Grid& grid, int size, StepFinder& finder);
// `size` 2 (X-wing), 3 (swordfish) or 4 (jellyfish).
void FindFish(const Grid& grid, int size, StepFinder& finder);
void FindXYWings(const Grid& grid, StepFinder& finder);
void FindXYZWings(const Grid& grid, StepFinder& finder);
void FindWWings(const Grid& grid, StepFinder& finder);
// The uniqueness techniques take it that the grid has one solution: the
// solver calls them only once it has counted so. `type` 1 to 4.
void FindUniqueRectangles(const Grid& grid, int type, StepFinder& finder);
void FindBugPlusOne(const Grid& grid, StepFinder& finder);
void FindSimpleColouring(const Grid& grid, StepFinder& finder);
void FindXChains(const Grid& grid, StepFinder& finder);
void FindXYChains(const Grid& grid, StepFinder& finder);
void FindAlternatingChains(const Grid& grid, StepFinder& finder);
// Almost locked sets: open cells of a unit holding one digit more than
// there are cells, joined by digits that cannot be in both.
void FindAlsXz(const Grid& grid, StepFinder& finder);
void FindAlsXyWings(const Grid& grid, StepFinder& finder);
void FindAlsChains(const Grid& grid, StepFinder& finder);
void FindForcingChains(const Grid& grid, StepFinder& finder);
// Suppose a candidate true, or false, and follow what it implies on the
// candidates as they change (singles; with locked candidates too): a
// supposition that contradicts itself is false, and what every case of a
// cell, of a digit in a unit or of a candidate agrees on is so.
void FindForcingNets(const Grid& grid, StepFinder& finder);
void FindLockedForcingNets(const Grid& grid, StepFinder& finder);
// Forcing nets with locked candidates in which, once those rules are done, a
// digit also leaves a cell when supposing it there contradicts itself by a
// net of one nesting less: nested once, or twice.
void FindNestedForcingNets(const Grid& grid, StepFinder& finder);
void FindTwiceNestedForcingNets(const Grid& grid, StepFinder& finder);

// The few strong partners of a cell or candidate (its digit's other place in
// each of its three units, its cell's other digit), kept in place: they are
// asked for every cell and candidate of a grid.
class Partners {
public:
    void push_back(int partner) { at_[size_++] = partner; }
    bool empty() const { return size_ == 0; }
    const int* begin() const { return at_.data(); }
    const int* end() const { return at_.data() + size_; }

private:
    std::array<int, 4> at_{};
    int size_ = 0;
};

// The candidates of open cells as nodes (CandidateNode), with their
// strong links: the digit's only other place in a unit, the cell's only
// other digit. Every candidate that sees another is weakly linked to it.
struct CandidateLinks {
    std::array<CellSet, 10> holding;  // by digit
    std::vector<Partners> strong;     // by node; empty for solved cells

    explicit CandidateLinks(const Grid& grid);

    // Calls visit(other) for each candidate the node's sees: its digit in
    // the open peers, in their order, then the cell's other digits.
    template <typename Visit>
    void ForEachWeak(int node, Visit visit) const {
        for (int i = weakFrom_[node]; i < weakFrom_[node + 1]; ++i) visit(weak_[i]);
    }

private:
    // Every node's, one after the other: they are followed for every
    // supposition of a search.
    std::vector<int> weak_;
    std::vector<int> weakFrom_;
};

// Adds the steps found, the lowest rated first (SharedScaleRating) and of
// those the one of fewest links, then the smallest (PatternSize), as many as
// the finder takes: so the first is the technique's lowest rated step.
void AddSimplestFirst(std::vector<Step>& found, StepFinder& finder);
// The size of a step's pattern: its cells, its links, the cells of its
// groups and the facts of its proof.
std::size_t PatternSize(const Step& step);

// Strikes of the digit from the cells of `cells`.
std::vector<Candidate> StrikesOf(const CellSet& cells, int digit);

// The cells of a unit that hold the digit, as bits of their places 0..8.
// Inline: the searches ask it more than anything else.
inline unsigned PlacesOf(const Grid& grid, int unit, int digit) {
    unsigned places = 0;
    const auto& cells = UnitCells(unit);
    for (int i = 0; i < 9; ++i) places |= ((grid.cells[cells[i]] >> (digit - 1)) & 1u) << i;
    return places;
}

}  // namespace quillet::solving
