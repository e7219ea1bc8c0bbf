#pragma once

#include <QRectF>
#include <QSizeF>

#include "printing/Paper.h"

namespace quillet::printing {

// Where the puzzles of one page lie, in millimetres from the paper's top
// left corner: 1 a page, 2 one above the other, 4 in two columns of two, 6
// in two columns of three. Each has its caption above it and room for a
// pencil around it: the page's margins, a gap between the columns and
// between one board and the next caption.
class SheetLayout {
public:
    struct Slot {
        QRectF caption;
        QRectF board;  // a square: the row and column numbers and the cells
    };

    // `perPage` is 1, 2, 4 or 6.
    SheetLayout(Paper paper, int perPage);

    static bool IsPerPage(int perPage) {
        return perPage == 1 || perPage == 2 || perPage == 4 || perPage == 6;
    }

    QSizeF PageSize() const { return page_; }
    int PerPage() const { return columns_ * rows_; }
    // The place of the puzzle `index` (0 .. PerPage() - 1) on its page.
    Slot SlotAt(int index) const;
    // The caption's type size in millimetres (the em).
    double CaptionType() const { return captionType_; }

    static constexpr double kMargin = 14;
    static constexpr double kColumnGap = 12;
    static constexpr double kRowGap = 10;

private:
    QSizeF page_;
    int columns_ = 1;
    int rows_ = 1;
    double captionHeight_ = 0;
    double captionType_ = 0;
    double side_ = 0;
    QSizeF slot_;
};

}  // namespace quillet::printing
