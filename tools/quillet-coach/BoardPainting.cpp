#include "BoardPainting.h"

#include <QPainter>
#include <algorithm>
#include <bit>
#include <cmath>

#include "board/BoardGeometry.h"
#include "drawing/Fonts.h"

namespace quillet::coach {
namespace {

using coaching::Advice;

// The digits of a text of candidates, or 0 when it is not one (the coach
// then shows the text as it is).
unsigned DigitsOf(const std::string& text) {
    unsigned digits = 0;
    for (const char ch : text) {
        if (ch < '1' || ch > '9' || (digits & (1u << (ch - '1')))) return 0;
        digits |= 1u << (ch - '1');
    }
    return digits;
}

QString DigitText(int digit) { return QString(QChar(u'0' + digit)); }

void ShadeAdvice(QPainter& painter, const BoardLayout& layout, const Advice& advice) {
    const bool fault = advice.kind != Advice::Kind::kStep;
    for (const int unit : advice.drawing.units)
        for (const int cell : UnitCells(unit))
            painter.fillRect(layout.CellRect(cell), fault ? kFaultShade.lighter(112) : kUnitShade);
    for (const int cell : advice.drawing.cells)
        painter.fillRect(layout.CellRect(cell), fault ? kFaultShade : kPatternShade);
    for (const Candidate& mark : advice.drawing.marks)
        painter.fillRect(layout.CandidateRect(mark.cell, mark.digit), kMarkShade);
    for (const Candidate& strike : advice.drawing.strikes)
        painter.fillRect(layout.CandidateRect(strike.cell, strike.digit), kStruckColour);
    if (advice.drawing.placeCell >= 0)
        painter.fillRect(layout.CandidateRect(advice.drawing.placeCell, advice.drawing.placeDigit),
                         kPlacedColour);
}

bool IsStruckOrPlaced(const Advice* advice, int cell, int digit) {
    if (!advice) return false;
    const coaching::StepDrawing& d = advice->drawing;
    return (d.placeCell == cell && d.placeDigit == digit) ||
           std::find(d.strikes.begin(), d.strikes.end(), Candidate{cell, digit}) != d.strikes.end();
}

void PaintCells(QPainter& painter, const BoardLayout& layout, const BoardPicture& picture) {
    const double cellSize = layout.CellRect(0).width();
    const QFont big = GothicFont(static_cast<int>(cellSize * 0.7));
    const QFont small = GothicFont(static_cast<int>(cellSize * 0.3));
    for (int cell = 0; cell < kCellCount; ++cell) {
        const std::string& text = picture.cells[cell];
        const unsigned digits = DigitsOf(text);
        if (digits != 0 && (digits & (digits - 1)) == 0) {
            painter.setFont(big);
            painter.setPen(Qt::black);
            painter.drawText(layout.CellRect(cell), Qt::AlignCenter,
                             DigitText(std::countr_zero(digits) + 1));
            continue;
        }
        painter.setFont(small);
        if (digits == 0) {
            // Not a set of digits: shown as the window holds it, cut to the cell.
            painter.setPen(Qt::darkGray);
            painter.drawText(layout.CellRect(cell), Qt::AlignCenter | Qt::TextWrapAnywhere,
                             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
            continue;
        }
        for (int d = 1; d <= 9; ++d) {
            if (!(digits & (1u << (d - 1)))) continue;
            painter.setPen(IsStruckOrPlaced(picture.advice, cell, d) ? Qt::white
                                                                     : QColor(0x40, 0x40, 0x40));
            painter.drawText(layout.CandidateRect(cell, d), Qt::AlignCenter, DigitText(d));
        }
    }
}

void PaintLines(QPainter& painter, const BoardLayout& layout) {
    const double cell = layout.CellRect(0).width();
    const QRectF board = layout.Board();
    for (int i = 0; i <= 9; ++i) {
        const bool box = i % 3 == 0;
        painter.setPen(QPen(box ? Qt::black : QColor(0xa0, 0xa0, 0xa0), box ? 2.5 : 1.0));
        painter.drawLine(QPointF(board.left() + i * cell, board.top()),
                         QPointF(board.left() + i * cell, board.bottom()));
        painter.drawLine(QPointF(board.left(), board.top() + i * cell),
                         QPointF(board.right(), board.top() + i * cell));
    }
    painter.setPen(Qt::black);
    painter.setFont(GothicFont(static_cast<int>(cell * 0.4)));
    for (int i = 1; i <= 9; ++i) {
        painter.drawText(layout.ColumnNumberRect(i), Qt::AlignCenter, DigitText(i));
        painter.drawText(layout.RowNumberRect(i), Qt::AlignCenter, DigitText(i));
    }
}

void PaintLinks(QPainter& painter, const BoardLayout& layout, const Advice& advice) {
    const double width = std::max(2.0, layout.CellRect(0).width() / 18);
    for (const coaching::Link& link : advice.drawing.links) {
        QPen pen(kLinkColour, width);
        if (!link.strong) pen.setDashPattern({3.0, 2.0});
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(layout.LinkPath(link));
    }
}

}  // namespace

BoardLayout::BoardLayout(const QRectF& area) {
    const double side = std::min(area.width(), area.height());
    header_ = side / 19;
    cell_ = (side - header_) / 9;
    board_ = QRectF(area.left() + header_, area.top() + header_, 9 * cell_, 9 * cell_);
}

QRectF BoardLayout::CellRect(int cell) const {
    const CellPos p = CellOfColumnMajor(cell);
    return QRectF(board_.left() + (p.col - 1) * cell_, board_.top() + (p.row - 1) * cell_, cell_,
                  cell_);
}

QRectF BoardLayout::CandidateRect(int cell, int digit) const {
    const QRectF rect = CellRect(cell);
    const double third = cell_ / 3;
    return QRectF(rect.left() + (digit - 1) % 3 * third, rect.top() + (digit - 1) / 3 * third,
                  third, third);
}

QRectF BoardLayout::ColumnNumberRect(int column) const {
    return QRectF(board_.left() + (column - 1) * cell_, board_.top() - header_, cell_, header_);
}

QRectF BoardLayout::RowNumberRect(int row) const {
    return QRectF(board_.left() - header_, board_.top() + (row - 1) * cell_, header_, cell_);
}

QPainterPath BoardLayout::LinkPath(const coaching::Link& link) const {
    const QPointF from = CandidateRect(link.from.cell, link.from.digit).center();
    const QPointF to = CandidateRect(link.to.cell, link.to.digit).center();
    const QPointF middle = (from + to) / 2;
    const QPointF along = to - from;
    // Bent to the left of the way it runs by a sixth of its length.
    const QPointF bend = QPointF(along.y(), -along.x()) / 6;
    QPainterPath path(from);
    path.quadTo(middle + bend, to);
    return path;
}

void PaintBoard(QPainter& painter, const BoardLayout& layout, const BoardPicture& picture) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(layout.Board(), Qt::white);
    if (picture.advice) ShadeAdvice(painter, layout, *picture.advice);
    PaintCells(painter, layout, picture);
    PaintLines(painter, layout);
    if (picture.selectedCell >= 0) {
        painter.setPen(QPen(kSelectionColour, std::max(2.0, layout.CellRect(0).width() / 14)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(layout.CellRect(picture.selectedCell).adjusted(2, 2, -2, -2));
    }
    if (picture.advice) PaintLinks(painter, layout, *picture.advice);
    painter.restore();
}

}  // namespace quillet::coach
