#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "board/BoardGeometry.h"
#include "coaching/Contradiction.h"
#include "coaching/StepDrawing.h"
#include "solving/Step.h"

namespace quillet::coaching {

// The main window's 81 cell texts, column by column from the top left, as
// bytes: as a board file and the window's bus give them.
using CellTexts = std::array<std::string, kCellCount>;

// One part of what the coach shows at once: its words and its drawing.
struct AdvicePart {
    std::string explanation;  // UTF-8 Japanese
    StepDrawing drawing;
};

// What the coach says about a board.
struct Advice {
    enum class Kind {
        kStep,           // the step, its drawing and explanation
        kContradiction,  // the board contradicts itself: drawn and named
        kUnreadable,     // a cell's text is not a set of digits (`badCell`)
        kSolved,
        kStuck,  // no technique applies
    };
    Kind kind = Kind::kStuck;
    std::optional<solving::Step> step;
    std::optional<Contradiction> contradiction;
    int badCell = -1;
    // Which of the steps of the same technique this is, from 0, and how many
    // were found (1 until the following ones are asked for).
    int index = 0;
    int count = 0;
    std::string title;  // the technique's or the state's name
    // One part for most steps and states; a forcing chain's or net's proof
    // a case at a time (or its one supposition), then its conclusion.
    std::vector<AdvicePart> parts;
};

// The simplest next step of the board, or with `following` > 0 the step that
// many places on among the steps of the same technique (round again after
// the last).
Advice Advise(const CellTexts& cells, int following = 0);

// What the coach shows of the step, part by part.
std::vector<AdvicePart> PartsOf(const solving::Step& step);

// The texts the main window holds once it has taken the step as the coach's
// "適用" sends it: the placement as its pop-up digit makes it, or the strikes
// as one step. The coach thinks about that board while this one is read.
CellTexts CellsAfter(const CellTexts& cells, const solving::Step& step);

}  // namespace quillet::coaching
