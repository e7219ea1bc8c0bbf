// The board operations and both aids on 81 arbitrary cell texts, driven by a
// script of commands from the input. Checked after every command: undo gives
// back exactly the board before the last placement, the aids leave the
// selection on the board (where they found it, unless a check stopped on a
// cell), and no placement or aid makes any cell longer.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "BoardTestSupport.h"
#include "aids/CompletionCheck.h"
#include "aids/HiddenSingles.h"
#include "aids/SelectorPath.h"
#include "board/BoardState.h"
#include "board/CommandError.h"

using namespace quillet;
using quillet::testing::AllCells;

namespace {

using Cells = std::vector<CandidateString>;
constexpr std::size_t kCells = 81;

// Names the failed condition, then lets the fuzzer record the input.
#define Check(condition) \
    ((condition) ? void() : (std::fprintf(stderr, "failed: %s\n", #condition), std::abort()))

// The window-free selector and Decide, remembering in `lastBefore` the board
// before the last placement that went through.
DecidePath RecordingPath(BoardState& state, std::optional<Cells>& lastBefore) {
    DecidePath path = SelectorPath(state);
    path.Decide = [&state, &lastBefore, decide = path.Decide] {
        Cells before = AllCells(state.Board());
        const bool placed = decide();
        if (placed) lastBefore = std::move(before);
        return placed;
    };
    return path;
}

void CheckNoCellGrew(const Cells& before, const Cells& after) {
    for (std::size_t i = 0; i < before.size(); ++i) Check(after[i].size() <= before[i].size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    CountingInformer informer;
    BoardState state(informer);
    CandidateBoard& board = state.Board();
    ForEachCellColumnMajor(
        [&](CellPos p) { board.SetCell(p, input.ConsumeRandomLengthString(12)); });
    std::optional<Cells> lastBefore;
    const DecidePath path = RecordingPath(state, lastBefore);

    for (int step = 0; step < 32 && input.remaining_bytes() > 0; ++step) {
        const Cells before = AllCells(board);
        const CellPos selected = board.Selection();
        bool grows = false;
        switch (input.ConsumeIntegralInRange(0, 7)) {
            case 0:  // a press can select column or row 10
                board.SetSelection(
                    {input.ConsumeIntegralInRange(1, 10), input.ConsumeIntegralInRange(1, 10)});
                break;
            case 1: {
                const int d = input.ConsumeIntegralInRange(-2, 12);
                if (!state.PlaceDigit(d)) {
                    Check(AllCells(board) == before);
                } else {
                    Check(d >= 1 && d <= 9 && board.SelectedCell() == DigitText(d));
                    lastBefore = before;
                }
                break;
            }
            case 2:
                path.SetSelectorValue(input.ConsumeIntegral<int>());
                path.Decide();
                break;
            case 3:
                if (!state.UndoAvailable()) break;
                Check(lastBefore.has_value());
                state.UndoLast();
                Check(AllCells(board) == *lastBefore && !state.UndoAvailable());
                grows = true;
                break;
            case 4:
                SolveAllBoxes(state, path);
                Check(board.Selection() == selected);
                break;
            case 5: RunLinesAid(board, path); break;
            case 6:
                try {
                    CheckBoard(state, path, [] {});
                    Check(board.Selection() == selected && !state.UndoAvailable());
                } catch (const CommandError&) {
                    // Stopped on the solved cell that is not a digit.
                    Check(board.Selection().IsOnBoard() && board.SelectedCell().size() == 1);
                }
                break;
            default:
                board.ResetCell();
                grows = true;
                break;
        }
        if (!grows) CheckNoCellGrew(before, AllCells(board));
        if (state.UndoAvailable()) {
            Check(lastBefore.has_value());
            // The buffer holds the board before the last placement.
            for (std::size_t k = 0; k < kCells; ++k)
                Check(state.Snapshot().Line(k) == (*lastBefore)[k]);
        }
    }
    return 0;
}
