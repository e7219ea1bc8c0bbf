#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace quillet {

// The text of a cell's remaining candidates. Cells hold bytes exactly as they
// were written or loaded; nothing validates or re-encodes them.
using CandidateString = std::string;

inline constexpr std::string_view FULL_SET = "123456789";

// A board address, column first. Board cells have both values in 1..9; the
// mouse can produce 10, which addresses no cell.
struct CellPos {
    int col = 1;
    int row = 1;

    bool IsOnBoard() const { return col >= 1 && col <= 9 && row >= 1 && row <= 9; }
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

// First column (or row) of the 3x3 box holding column (or row) i.
inline int BoxOrigin(int i) { return i - ((i - 1) % 3); }

std::string DigitText(int d);

// `text` with the first occurrence of `digit` deleted, or unchanged when it
// does not occur.
CandidateString RemoveDigit(std::string_view text, std::string_view digit);

inline bool Contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

// Calls f(pos) for every board cell: columns 1..9 outer, rows 1..9 inner.
// Every whole-board scan of the program runs in this order.
template <typename F>
void ForEachCellColumnMajor(F&& f) {
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) f(CellPos{c, r});
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
    // All 81 texts in scan order, column by column.
    const std::array<CandidateString, 81>& Cells() const { return cells_; }

    void ResetAll();
    // Resets the selected cell; takes no undo snapshot.
    void ResetCell();

    void SetCellWrittenHandler(CellWrittenHandler handler) { onWritten_ = std::move(handler); }

private:
    static int Index(CellPos pos) { return (pos.col - 1) * 9 + (pos.row - 1); }

    std::array<CandidateString, 81> cells_;
    CellPos selection_{1, 1};
    CellWrittenHandler onWritten_;
};

}  // namespace quillet
