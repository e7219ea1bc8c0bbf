#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "board/BoardGeometry.h"

namespace quillet {

// The text of a cell's remaining candidates. Cells hold bytes exactly as they
// were written or loaded; nothing validates or re-encodes them.
using CandidateString = std::string;

inline constexpr std::string_view FULL_SET = "123456789";

std::string DigitText(int d);

// `text` with the first occurrence of `digit` deleted, or unchanged when it
// does not occur.
CandidateString RemoveDigit(std::string_view text, std::string_view digit);

inline bool Contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

class CandidateBoard {
public:
    // Called after every cell write, changed or not, so a view can repaint it.
    using CellWrittenHandler = std::function<void(CellPos)>;

    CandidateBoard();

    // Off-board positions read as the empty text and ignore writes.
    const CandidateString& Cell(CellPos pos) const;
    // Copies into the cell's own storage, which keeps a placement or an undo
    // free of allocations.
    void SetCell(CellPos pos, std::string_view text);
    // Writes the cell with the first occurrence of `digit` deleted; the write
    // happens (and is reported) even when the digit is not there.
    void RemoveDigitFromCell(CellPos pos, std::string_view digit);

    CellPos Selection() const { return selection_; }
    void SetSelection(CellPos pos) { selection_ = pos; }
    const CandidateString& SelectedCell() const { return Cell(selection_); }
    // All 81 texts in scan order, column by column: by ColumnMajorIndex.
    const std::array<CandidateString, kCellCount>& Cells() const { return cells_; }

    void ResetAll();
    // Resets the selected cell; takes no undo snapshot.
    void ResetCell();

    void SetCellWrittenHandler(CellWrittenHandler handler) { onWritten_ = std::move(handler); }

private:
    std::array<CandidateString, kCellCount> cells_;
    CellPos selection_{1, 1};
    CellWrittenHandler onWritten_;
};

}  // namespace quillet
