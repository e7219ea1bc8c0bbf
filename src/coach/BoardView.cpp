#include "coach/BoardView.h"

#include <QPainter>

namespace quillet::coach {

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(300, 300);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("盤面"));
}

void BoardView::Show(const coaching::CellTexts& cells, int selectedCell) {
    cells_ = cells;
    selectedCell_ = selectedCell;
    update();
}

void BoardView::ShowAdvice(std::shared_ptr<const coaching::Advice> advice) {
    advice_ = std::move(advice);
    ShowPart(0);
}

void BoardView::ShowPart(std::size_t part) {
    part_ = part;
    // A screen reader hears the step with the board.
    const bool shown = advice_ && part_ < advice_->parts.size();
    setAccessibleDescription(shown ? QString::fromStdString(advice_->parts[part_].explanation)
                                   : QString());
    update();
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    PaintBoard(painter, BoardLayout(QRectF(rect()).adjusted(2, 2, -2, -2)),
               {cells_, selectedCell_, advice_.get(), part_});
}

}  // namespace quillet::coach
