#include "aids/HiddenSingles.h"

namespace quillet {

namespace {

template <typename CellOf>
int CountHolding(const CandidateBoard& board, const std::string& t, CellOf cellOf) {
    int count = 0;
    for (int i = 1; i <= 9; ++i) count += Contains(board.Cell(cellOf(i)), t) ? 1 : 0;
    return count;
}

// One row or column, with cellOf(i) its i-th cell.
template <typename CellOf>
void SolveLine(CandidateBoard& board, CellOf cellOf) {
    CandidateString missing(FULL_SET);
    for (int i = 1; i <= 9; ++i) {
        const CandidateString& cell = board.Cell(cellOf(i));
        if (cell.size() == 1) missing = RemoveDigit(missing, cell);
    }
    for (const char ch : missing) {
        const std::string t(1, ch);
        if (CountHolding(board, t, cellOf) != 1) continue;
        for (int i = 1; i <= 9; ++i)
            if (Contains(board.Cell(cellOf(i)), t)) board.SetCell(cellOf(i), t);
    }
}

}  // namespace

void SolveBox(BoardState& state, const DecidePath& path, int bc, int br) {
    CandidateBoard& board = state.Board();
    auto forEachBoxCell = [&](auto&& f) {
        for (int c = bc; c <= bc + 2; ++c)
            for (int r = br; r <= br + 2; ++r) f(CellPos{c, r});
    };
    for (int d = 1; d <= 9; ++d) {
        const std::string t = DigitText(d);
        int count = 0;
        forEachBoxCell([&](CellPos p) { count += Contains(board.Cell(p), t) ? 1 : 0; });
        if (count != 1) continue;
        forEachBoxCell([&](CellPos p) {
            if (!Contains(board.Cell(p), t)) return;
            board.SetSelection(p);
            path.SetSelectorValue(d);
            path.Decide();
        });
    }
}

void SolveAllBoxes(BoardState& state, const DecidePath& path) {
    const CellPos remembered = state.Board().Selection();
    for (int i = 0; i <= 2; ++i)
        for (int j = 0; j <= 2; ++j) SolveBox(state, path, 3 * i + 1, 3 * j + 1);
    state.Board().SetSelection(remembered);
}

void SolveLines(CandidateBoard& board) {
    for (int r = 1; r <= 9; ++r) SolveLine(board, [r](int c) { return CellPos{c, r}; });
    for (int c = 1; c <= 9; ++c) SolveLine(board, [c](int r) { return CellPos{c, r}; });
}

void RunLinesAid(CandidateBoard& board, const DecidePath& path) {
    const int v = path.SelectorValue();
    SolveLines(board);
    path.SetSelectorValue(v);
}

}  // namespace quillet
