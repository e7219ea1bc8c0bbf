#include "coaching/StepDrawing.h"

#include <algorithm>

#include "board/BoardGeometry.h"

namespace quillet::coaching {
namespace {

using solving::Mask;
using solving::Proof;
using solving::Step;

template <typename T>
void AddOnce(std::vector<T>& list, const T& item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

bool IsStruck(const Step& step, Candidate candidate) {
    return std::find(step.strikes.begin(), step.strikes.end(), candidate) != step.strikes.end();
}

}  // namespace

StepDrawing DrawingOf(const Step& step) {
    StepDrawing drawing;
    drawing.strikes = step.strikes;
    drawing.placeCell = step.placeCell;
    drawing.placeDigit = step.placeDigit;
    drawing.cells = step.cells;
    if (step.placeCell >= 0) AddOnce(drawing.cells, step.placeCell);
    for (const int unit : step.units) AddOnce(drawing.units, unit);
    for (const int unit : step.covers) AddOnce(drawing.units, unit);
    drawing.groups = step.groups;
    drawing.links = step.links;
    // The pattern's candidates: the ends of its links, its digits in its
    // cells and its groups' cells, but what the step strikes or places.
    for (const Link& link : drawing.links) {
        AddOnce(drawing.marks, link.from);
        AddOnce(drawing.marks, link.to);
    }
    auto mark = [&](int cell, Mask held, Mask digits) {
        if (cell == step.placeCell || solving::CountOf(held) < 2) return;
        for (int d = 1; d <= 9; ++d)
            if (solving::Holds(held & digits, d) && !IsStruck(step, {cell, d}))
                AddOnce(drawing.marks, Candidate{cell, d});
    };
    for (std::size_t i = 0; i < step.cells.size() && i < step.held.size(); ++i)
        mark(step.cells[i], step.held[i], step.digits);
    // A set's digits that the step is about, where the set holds them: an
    // almost locked set's restricted common and struck digits.
    for (const Group& group : step.groups)
        for (const int cell : group.cells)
            for (int d = 1; d <= 9; ++d)
                if (solving::Holds(group.digits & step.digits, d) && !IsStruck(step, {cell, d}))
                    AddOnce(drawing.marks, Candidate{cell, d});
    return drawing;
}

StepDrawing CaseDrawing(const Step& step, int index) {
    StepDrawing drawing;
    drawing.implications = true;
    const Proof& proof = *step.proof;
    const solving::Derivation& net = proof.nets[static_cast<std::size_t>(index)];
    std::vector<char> shown(proof.facts.size(), 0);
    for (const int f : net.facts) shown[f] = 1;
    for (const int f : net.facts) {
        const solving::Fact& fact = proof.facts[f];
        if (f == net.supposition) AddOnce(drawing.cells, fact.candidate.cell);
        if (fact.rule == solving::Rule::kNested)
            drawing.byInnerNet.push_back(fact.candidate);
        else
            (fact.placed ? drawing.madeTrue : drawing.madeFalse).push_back(fact.candidate);
        // An inner net's strike rests on its own net: no line to it.
        if (fact.rule == solving::Rule::kNested) continue;
        for (const int p : fact.parents)
            if (shown[p])
                drawing.links.push_back({proof.facts[p].candidate, fact.candidate, fact.placed});
    }
    if (net.fault) {
        if (net.fault->unit >= 0) drawing.units.push_back(net.fault->unit);
        if (net.fault->cell >= 0) AddOnce(drawing.cells, net.fault->cell);
    } else if (net.reached >= 0) {
        AddOnce(drawing.cells, proof.facts[net.reached].candidate.cell);
    }
    return drawing;
}

}  // namespace quillet::coaching
