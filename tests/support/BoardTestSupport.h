#pragma once

#include <string>
#include <vector>

#include "board/BoardState.h"

namespace quillet::testing {

class RecordingInformer : public Informer {
public:
    void Inform(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

inline std::vector<CandidateString> AllCells(const CandidateBoard& board) {
    std::vector<CandidateString> cells;
    ForEachCellColumnMajor([&](CellPos p) { cells.push_back(board.Cell(p)); });
    return cells;
}

}  // namespace quillet::testing
