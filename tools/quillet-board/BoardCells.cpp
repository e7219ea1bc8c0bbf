#include "BoardCells.h"

#include "ToolErrors.h"
#include "board/BoardSnapshot.h"
#include "board/CommandError.h"
#include "files/BoardFileIo.h"
#include "files/BoardText.h"

namespace quillet::board_tool {

void PutCells(const RowMajorCells& cells, CandidateBoard& board) {
    ForEachCellColumnMajor([&](CellPos p) { board.SetCell(p, cells[RowMajorIndex(p)]); });
}

RowMajorCells TakeCells(const CandidateBoard& board) {
    RowMajorCells cells;
    ForEachCellColumnMajor([&](CellPos p) { cells[RowMajorIndex(p)] = board.Cell(p); });
    return cells;
}

std::string BoardFileText(const CandidateBoard& board) {
    BoardSnapshot snapshot;
    snapshot.CaptureBoard(board);
    return JoinBoardText(snapshot.Lines());
}

void SaveBoardFile(const std::string& path, const CandidateBoard& board) {
    try {
        WriteBoardFile(path, path, BoardFileText(board));
    } catch (const CommandError& e) {
        const bool partly = e.GetKind() == CommandError::Kind::kCannotWrite;
        throw InputError(partly ? "cannot write the whole file" : "cannot create the file");
    }
}

void LoadBoardFile(const std::string& path, CandidateBoard& board) {
    std::vector<std::string> lines;
    try {
        lines = ReadBoardFile(path, path);
    } catch (const CommandError& e) {
        const bool tooLarge = e.GetKind() == CommandError::Kind::kTooLarge;
        throw InputError(tooLarge ? "too large for a board file" : "cannot open the file");
    }
    if (lines.size() < kBoardLineCount)
        throw TextError(
            static_cast<int>(lines.size()) + 1, 1,
            "the board file ends after " + std::to_string(lines.size()) + " lines; a board has 81");
    BoardSnapshot snapshot;
    for (std::string& line : lines) snapshot.Append(std::move(line));
    snapshot.RestoreBoard(board);
}

}  // namespace quillet::board_tool
