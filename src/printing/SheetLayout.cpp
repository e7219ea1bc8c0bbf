#include "printing/SheetLayout.h"

#include <algorithm>

namespace quillet::printing {
namespace {

// One board alone, or two, is printed no larger than this: the rest of the
// page is room for notes, and a board wider than a hand is read badly.
double LargestSide(int perPage) { return perPage == 1 ? 160.0 : perPage == 2 ? 120.0 : 1e9; }

}  // namespace

SheetLayout::SheetLayout(Paper paper, int perPage) : page_(PaperMillimetres(paper)) {
    columns_ = perPage >= 4 ? 2 : 1;
    rows_ = std::max(1, perPage / columns_);
    captionHeight_ = perPage <= 2 ? 8.0 : 6.0;
    captionType_ = perPage <= 2 ? 3.8 : 3.2;
    const double width = page_.width() - 2 * kMargin;
    const double height = page_.height() - 2 * kMargin;
    slot_ = QSizeF((width - (columns_ - 1) * kColumnGap) / columns_,
                   (height - (rows_ - 1) * kRowGap) / rows_);
    side_ = std::min({slot_.width(), slot_.height() - captionHeight_, LargestSide(perPage)});
}

SheetLayout::Slot SheetLayout::SlotAt(int index) const {
    const int column = index % columns_;
    const int row = index / columns_;
    const double left = kMargin + column * (slot_.width() + kColumnGap);
    const double top = kMargin + row * (slot_.height() + kRowGap);
    const double boardLeft = left + (slot_.width() - side_) / 2;
    return {QRectF(boardLeft, top, side_, captionHeight_),
            QRectF(boardLeft, top + captionHeight_, side_, side_)};
}

}  // namespace quillet::printing
