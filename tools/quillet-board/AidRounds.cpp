#include "AidRounds.h"

#include <array>

#include "SelectorPath.h"
#include "aids/CompletionCheck.h"
#include "aids/HiddenSingles.h"
#include "board/BoardState.h"

namespace quillet::board_tool {

namespace {

class CountingInformer : public Informer {
public:
    void Inform(const std::string&) override { ++count; }
    int count = 0;
};

// The main window's state around a copy of the board.
struct Session {
    CountingInformer informer;
    BoardState state{informer};
    SelectorPath path{state};

    explicit Session(const CandidateBoard& board) {
        ForEachCellColumnMajor([&](CellPos p) { state.Board().SetCell(p, board.Cell(p)); });
    }
    void CopyBack(CandidateBoard& board) const {
        ForEachCellColumnMajor([&](CellPos p) { board.SetCell(p, state.Board().Cell(p)); });
    }
    std::array<CandidateString, 81> Cells() const {
        std::array<CandidateString, 81> cells;
        int k = 0;
        ForEachCellColumnMajor([&](CellPos p) { cells[k++] = state.Board().Cell(p); });
        return cells;
    }
};

}  // namespace

void ApplyCheck(CandidateBoard& board) {
    Session session(board);
    CheckBoard(session.state, session.path, [] {});
    session.CopyBack(board);
}

AidOutcome FinishWithAids(CandidateBoard& board) {
    Session session(board);
    AidOutcome outcome;
    // Every press only shortens cell texts, so a round either changes
    // something or nothing will change any more.
    for (;;) {
        const auto before = session.Cells();
        ++outcome.rounds;
        CheckBoard(session.state, session.path, [&] { outcome.congratulated = true; });
        if (outcome.congratulated) break;
        SolveAllBoxes(session.state, session.path);
        RunLinesAid(session.state.Board(), session.path);
        if (session.Cells() == before) break;
    }
    outcome.refusals = session.informer.count;
    session.CopyBack(board);
    return outcome;
}

}  // namespace quillet::board_tool
