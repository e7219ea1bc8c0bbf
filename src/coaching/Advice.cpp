#include "coaching/Advice.h"

#include "board/CandidateBoard.h"
#include "board/Placement.h"
#include "board/Strike.h"
#include "coaching/JapaneseText.h"
#include "solving/Solver.h"

namespace quillet::coaching {

namespace {

CandidateBoard BoardOf(const CellTexts& cells) {
    CandidateBoard board;
    for (int k = 0; k < kCellCount; ++k) board.SetCell(CellOfColumnMajor(k), cells[k]);
    return board;
}

}  // namespace

std::vector<AdvicePart> PartsOf(const solving::Step& step) {
    std::vector<AdvicePart> parts;
    if (step.proof)
        for (int c = 0; c < step.proof->cases; ++c)
            parts.push_back({ExplainCase(step, c), CaseDrawing(step, c)});
    parts.push_back({ExplainStep(step), DrawingOf(step)});
    return parts;
}

CellTexts CellsAfter(const CellTexts& cells, const solving::Step& step) {
    CandidateBoard board = BoardOf(cells);
    if (step.placeCell >= 0) {
        PlaceDigitOnBoard(board, CellOfColumnMajor(step.placeCell), step.placeDigit);
    } else {
        StrikeCandidatesOnBoard(board, step.strikes);
    }
    CellTexts after;
    for (int k = 0; k < kCellCount; ++k) after[k] = board.Cells()[k];
    return after;
}

Advice Advise(const CellTexts& cells, int following) {
    Advice advice;
    CandidateBoard board = BoardOf(cells);
    int bad = -1;
    const std::optional<solving::Grid> grid = solving::GridFromBoard(board, &bad);
    if (!grid) {
        advice.kind = Advice::Kind::kUnreadable;
        advice.badCell = bad;
        advice.title = "読めないマス";
        AdvicePart part;
        if (bad >= 0) {
            part.drawing.cells = {bad};
            part.explanation = JapaneseCellName(bad) + "の文字は候補の数字として読めません。";
        }
        advice.parts = {std::move(part)};
        return advice;
    }
    if (std::optional<Contradiction> contradiction = ContradictionOf(*grid)) {
        advice.kind = Advice::Kind::kContradiction;
        advice.title = "矛盾";
        AdvicePart part;
        part.drawing.cells = contradiction->cells;
        if (contradiction->unit >= 0) part.drawing.units = {contradiction->unit};
        part.explanation = ExplainContradiction(*contradiction);
        advice.parts = {std::move(part)};
        advice.contradiction = std::move(contradiction);
        return advice;
    }
    if (grid->Solved()) {
        advice.kind = Advice::Kind::kSolved;
        advice.title = "完成";
        advice.parts = {{"盤面はすべて解けています。", {}}};
        return advice;
    }
    // The first step alone is quick; the following ones need every step of
    // that technique.
    const std::vector<solving::Step> steps = solving::NextSteps(*grid, following > 0);
    if (steps.empty()) {
        advice.kind = Advice::Kind::kStuck;
        advice.title = "手がかりなし";
        advice.parts = {{"この盤面で使える手は見つかりません。", {}}};
        return advice;
    }
    advice.kind = Advice::Kind::kStep;
    advice.count = static_cast<int>(steps.size());
    advice.index = following % advice.count;
    advice.step = steps[static_cast<std::size_t>(advice.index)];
    advice.title = JapaneseTechniqueName(advice.step->technique);
    advice.parts = PartsOf(*advice.step);
    return advice;
}

}  // namespace quillet::coaching
