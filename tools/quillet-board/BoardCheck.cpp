#include "BoardCheck.h"

#include "files/Escaped.h"
#include "solving/Solutions.h"

namespace quillet::board_tool {

namespace {

// The row, column or box that holds both cells, named; the box only as
// "box". False when they share none.
bool SharesUnit(CellPos a, CellPos b, std::string& unit) {
    const int shared = SharedUnit(ColumnMajorIndex(a), ColumnMajorIndex(b));
    if (shared < 0) return false;
    unit = IsBox(shared) ? "box" : UnitName(shared);
    return true;
}

// Fills `fault` and returns true unless the text is a set of digits 1-9.
bool TextFault(const CandidateString& text, BoardFault& fault) {
    if (text.empty()) {
        fault.what = "no candidate left";
        return true;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        fault.column = static_cast<int>(i) + 1;
        const char ch = text[i];
        if (ch < '1' || ch > '9') {
            fault.what = Quoted(text) + " is not a set of candidates 1 to 9";
            return true;
        }
        if (text.find(ch) != i) {
            fault.what = Quoted(text) + " names " + std::string(1, ch) + " twice";
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<BoardFault> FindContradictions(const CandidateBoard& board) {
    std::vector<BoardFault> faults;
    std::vector<CellPos> solved;
    ForEachCellColumnMajor([&](CellPos p) {
        const CandidateString& text = board.Cell(p);
        BoardFault fault{p, 1, {}};
        if (TextFault(text, fault)) {
            faults.push_back(fault);
            return;
        }
        if (text.size() != 1) return;
        for (const CellPos earlier : solved) {
            std::string unit;
            if (board.Cell(earlier) == text && SharesUnit(earlier, p, unit))
                faults.push_back(
                    {p, 1, text + " twice in " + unit + ", also at " + CellName(earlier)});
        }
        solved.push_back(p);
    });
    return faults;
}

std::string SolutionsInWords(const CandidateBoard& board) {
    const auto grid = solving::GridFromBoard(board);
    if (!grid) return {};
    const int count = solving::CountSolutions(*grid);
    return count == 0 ? "no solution" : count == 1 ? "one solution" : "several solutions";
}

int CountPendingEliminations(const CandidateBoard& board) {
    const auto& cells = board.Cells();
    int pending = 0;
    for (int cell = 0; cell < kCellCount; ++cell) {
        const CandidateString& digit = cells[cell];
        if (digit.size() != 1) continue;
        bool held = false;
        for (const int peer : Peers(cell))
            held = held || (cells[peer].size() > 1 && Contains(cells[peer], digit));
        pending += held ? 1 : 0;
    }
    return pending;
}

}  // namespace quillet::board_tool
