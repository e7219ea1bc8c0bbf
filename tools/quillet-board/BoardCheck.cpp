#include "BoardCheck.h"

#include "Escaped.h"

namespace quillet::board_tool {

namespace {

bool SharesUnit(CellPos a, CellPos b, std::string& unit) {
    if (a.row == b.row)
        unit = "row " + std::to_string(a.row);
    else if (a.col == b.col)
        unit = "column " + std::to_string(a.col);
    else if (BoxOrigin(a.col) == BoxOrigin(b.col) && BoxOrigin(a.row) == BoxOrigin(b.row))
        unit = "box";
    else
        return false;
    return true;
}

std::string Name(CellPos p) {
    return "column " + std::to_string(p.col) + ", row " + std::to_string(p.row);
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
                faults.push_back({p, 1, text + " twice in " + unit + ", also at " + Name(earlier)});
        }
        solved.push_back(p);
    });
    return faults;
}

int CountPendingEliminations(const CandidateBoard& board) {
    int pending = 0;
    ForEachCellColumnMajor([&](CellPos p) {
        const CandidateString& digit = board.Cell(p);
        if (digit.size() != 1) return;
        bool held = false;
        ForEachCellColumnMajor([&](CellPos q) {
            std::string unit;
            const CandidateString& peer = board.Cell(q);
            held = held ||
                   (q != p && peer.size() > 1 && SharesUnit(p, q, unit) && Contains(peer, digit));
        });
        pending += held ? 1 : 0;
    });
    return pending;
}

}  // namespace quillet::board_tool
