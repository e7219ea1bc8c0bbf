#include "coaching/StepDrawing.h"

#include <algorithm>
#include <optional>

#include "board/BoardGeometry.h"
#include "coaching/ReasonScan.h"
#include "solving/English.h"

namespace quillet::coaching {
namespace {

using solving::Grid;
using solving::Mask;
using solving::Step;
using solving::Technique;

template <typename T>
void AddOnce(std::vector<T>& list, const T& item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

bool IsStruck(const Step& step, Candidate candidate) {
    return std::find(step.strikes.begin(), step.strikes.end(), candidate) != step.strikes.end();
}

// The techniques about one digit: their pattern is that digit in its cells.
bool IsAboutOneDigit(Technique t) {
    switch (t) {
        case Technique::kHiddenSingleBox:
        case Technique::kHiddenSingleRow:
        case Technique::kHiddenSingleColumn:
        case Technique::kPointing:
        case Technique::kClaiming:
        case Technique::kXWing:
        case Technique::kSwordfish:
        case Technique::kJellyfish:
        case Technique::kSimpleColouring:
        case Technique::kXChain: return true;
        default: return false;
    }
}

int TheDigit(const Step& step) {
    return step.placeCell >= 0 ? step.placeDigit
                               : (step.strikes.empty() ? 0 : step.strikes.front().digit);
}

// The lines of a fish: its base lines, then its cover lines.
void AddFishLines(const Step& step, StepDrawing& drawing) {
    drawing.units.clear();
    for (const int unit : step.units) AddOnce(drawing.units, unit);
    for (const int unit : step.covers) AddOnce(drawing.units, unit);
}

// The digits two cells hold in common, the one given left out.
Mask Common(const Grid& grid, int a, int b, int without) {
    return static_cast<Mask>(grid.cells[a] & grid.cells[b] & ~solving::Bit(without));
}

// Pivot to each wing: the link on the digit they share besides the one
// struck; for the W-wing, the wings to the two places of the joining digit.
void AddWingLinks(const Step& step, const Grid& grid, StepDrawing& drawing) {
    const int z = TheDigit(step);
    const std::vector<int>& cells = drawing.cells;
    if (cells.size() < 3) return;
    if (step.technique == Technique::kWWing && cells.size() >= 4) {
        const int a = cells[0], b = cells[1], p = cells[2], q = cells[3];
        const Mask joining = Common(grid, a, b, z);
        if (joining == 0) return;
        const int x = solving::LowestDigit(joining);
        const int nearA = Sees(a, p) ? p : q;
        const int nearB = nearA == p ? q : p;
        drawing.links.push_back({{a, x}, {nearA, x}, false});
        drawing.links.push_back({{nearA, x}, {nearB, x}, true});
        drawing.links.push_back({{nearB, x}, {b, x}, false});
        return;
    }
    const int pivot = cells[0];
    for (std::size_t i = 1; i < 3; ++i) {
        const Mask shared = Common(grid, pivot, cells[i], z);
        if (solving::CountOf(shared) == 1) {
            const int d = solving::LowestDigit(shared);
            drawing.links.push_back({{pivot, d}, {cells[i], d}, false});
        }
    }
}

// An XY-chain's cells in order: in each cell a strong link between its two
// digits, and a weak one to the next cell on the digit they pass on.
void AddXYChainLinks(const Step& step, const Grid& grid, const std::vector<int>& chain,
                     StepDrawing& drawing) {
    int incoming = TheDigit(step);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const Mask rest = static_cast<Mask>(grid.cells[chain[i]] & ~solving::Bit(incoming));
        if (solving::CountOf(rest) != 1) return;
        const int out = solving::LowestDigit(rest);
        drawing.links.push_back({{chain[i], incoming}, {chain[i], out}, true});
        if (i + 1 < chain.size())
            drawing.links.push_back({{chain[i], out}, {chain[i + 1], out}, false});
        incoming = out;
    }
}

// The links of a chain as its reason spells them: nodes (cells of one digit,
// or candidates) joined by " = " (strong) and " - " (weak).
void AddSpelledLinks(const std::vector<ReasonToken>& tokens, int digit, StepDrawing& drawing) {
    std::optional<Candidate> last;
    int joint = -1;  // 1 strong, 0 weak, -1 none since the last node
    for (const ReasonToken& token : tokens) {
        if (token.kind == ReasonToken::Kind::kStrongJoint ||
            token.kind == ReasonToken::Kind::kWeakJoint) {
            joint = token.kind == ReasonToken::Kind::kStrongJoint ? 1 : 0;
            continue;
        }
        if (token.kind == ReasonToken::Kind::kUnit) continue;
        const Candidate node{token.cell,
                             token.kind == ReasonToken::Kind::kCandidate ? token.digit : digit};
        if (last && joint >= 0 && node.digit > 0)
            drawing.links.push_back({*last, node, joint == 1});
        last = node;
        joint = -1;
    }
}

}  // namespace

StepDrawing DrawingOf(const Step& step, const Grid& grid) {
    StepDrawing drawing;
    drawing.strikes = step.strikes;
    drawing.placeCell = step.placeCell;
    drawing.placeDigit = step.placeDigit;
    const std::vector<ReasonToken> tokens = ScanReason(solving::Reason(step));
    for (const ReasonToken& token : tokens) {
        if (token.kind == ReasonToken::Kind::kCell) AddOnce(drawing.cells, token.cell);
        if (token.kind == ReasonToken::Kind::kCandidate) {
            AddOnce(drawing.cells, token.cell);
            AddOnce(drawing.marks, Candidate{token.cell, token.digit});
        }
        if (token.kind == ReasonToken::Kind::kUnit) AddOnce(drawing.units, token.unit);
    }
    if (step.placeCell >= 0) AddOnce(drawing.cells, step.placeCell);

    const Technique t = step.technique;
    if (t == Technique::kXWing || t == Technique::kSwordfish || t == Technique::kJellyfish) {
        // The cells of the digit where base and cover lines cross.
        AddFishLines(step, drawing);
        const int digit = TheDigit(step);
        const std::size_t lines = drawing.units.size() / 2;
        for (std::size_t b = 0; b < lines; ++b)
            for (std::size_t c = lines; c < drawing.units.size(); ++c)
                for (const int cell : UnitCells(drawing.units[b]))
                    if (solving::Holds(grid.cells[cell], digit) &&
                        std::ranges::find(UnitCells(drawing.units[c]), cell) !=
                            UnitCells(drawing.units[c]).end())
                        AddOnce(drawing.cells, cell);
    }
    if (t == Technique::kXYWing || t == Technique::kXYZWing || t == Technique::kWWing)
        AddWingLinks(step, grid, drawing);
    if (t == Technique::kXChain || t == Technique::kAlternatingChain)
        AddSpelledLinks(tokens, TheDigit(step), drawing);
    if (t == Technique::kXYChain) AddXYChainLinks(step, grid, drawing.cells, drawing);

    // The pattern's candidates: the one digit, the ends of the links, or
    // else whatever its cells hold that stays.
    for (const Link& link : drawing.links) {
        AddOnce(drawing.marks, link.from);
        AddOnce(drawing.marks, link.to);
    }
    if (drawing.marks.empty()) {
        const int digit = TheDigit(step);
        for (const int cell : drawing.cells) {
            if (cell == step.placeCell) continue;
            for (int d = 1; d <= 9; ++d) {
                const Candidate candidate{cell, d};
                if (!solving::Holds(grid.cells[cell], d) || IsStruck(step, candidate)) continue;
                if (!IsAboutOneDigit(t) || d == digit) drawing.marks.push_back(candidate);
            }
        }
    }
    return drawing;
}

}  // namespace quillet::coaching
