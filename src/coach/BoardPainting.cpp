#include "coach/BoardPainting.h"

#include <QPainter>
#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>

#include "board/BoardGeometry.h"
#include "drawing/Fonts.h"

namespace quillet::coach {
namespace {

using coaching::Advice;
using coaching::StepDrawing;

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

bool IsSolved(const BoardPicture& picture, int cell) {
    const unsigned digits = DigitsOf(picture.cells[cell]);
    return digits != 0 && (digits & (digits - 1)) == 0;
}

QString DigitText(int digit) { return QString(QChar(u'0' + digit)); }

// The drawing of the advice's part shown, if there is one.
const StepDrawing* DrawingShown(const BoardPicture& picture) {
    if (!picture.advice || picture.part >= picture.advice->parts.size()) return nullptr;
    return &picture.advice->parts[picture.part].drawing;
}

void ShadeAdvice(QPainter& painter, const BoardLayout& layout, const BoardPicture& picture,
                 const StepDrawing& d) {
    const bool fault = picture.advice->kind != Advice::Kind::kStep;
    for (const int unit : d.units)
        for (const int cell : UnitCells(unit))
            painter.fillRect(layout.CellRect(cell), fault ? kFaultShade.lighter(112) : kUnitShade);
    for (const int cell : d.cells)
        painter.fillRect(layout.CellRect(cell), fault ? kFaultShade : kPatternShade);
    for (std::size_t g = 0; g < d.groups.size(); ++g)
        for (const int cell : d.groups[g].cells)
            painter.fillRect(layout.CellRect(cell), kGroupShades[g % std::size(kGroupShades)]);
    // Candidates are marked only where they stand: never over a solved
    // cell's large digit.
    auto fill = [&](const std::vector<Candidate>& candidates, const QColor& colour) {
        for (const Candidate& c : candidates)
            if (!IsSolved(picture, c.cell))
                painter.fillRect(layout.CandidateRect(c.cell, c.digit), colour);
    };
    fill(d.marks, kMarkShade);
    fill(d.madeTrue, kMarkShade);
    fill(d.madeFalse, kMadeFalseShade);
    fill(d.byInnerNet, kMadeFalseShade);
    fill(d.strikes, kStruckColour);
    if (d.placeCell < 0) return;
    if (IsSolved(picture, d.placeCell)) {
        // A given placed again: its cell framed, its digit left as it is.
        painter.setPen(QPen(kPlacedColour, std::max(2.0, layout.CellRect(0).width() / 14)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(layout.CellRect(d.placeCell).adjusted(3, 3, -3, -3));
    } else {
        painter.fillRect(layout.CandidateRect(d.placeCell, d.placeDigit), kPlacedColour);
    }
}

bool IsStruckOrPlaced(const StepDrawing* d, int cell, int digit) {
    if (!d) return false;
    return (d->placeCell == cell && d->placeDigit == digit) ||
           std::find(d->strikes.begin(), d->strikes.end(), Candidate{cell, digit}) !=
               d->strikes.end();
}

void PaintCells(QPainter& painter, const BoardLayout& layout, const BoardPicture& picture) {
    const double cellSize = layout.CellRect(0).width();
    const QFont big = GothicFont(static_cast<int>(cellSize * 0.7));
    const QFont small = GothicFont(static_cast<int>(cellSize * 0.3));
    const StepDrawing* drawing = DrawingShown(picture);
    for (int cell = 0; cell < kCellCount; ++cell) {
        const std::string& text = picture.cells[cell];
        const unsigned digits = DigitsOf(text);
        if (IsSolved(picture, cell)) {
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
            painter.setPen(IsStruckOrPlaced(drawing, cell, d) ? Qt::white
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

void PaintLinks(QPainter& painter, const BoardLayout& layout, const BoardPicture& picture,
                const StepDrawing& d) {
    std::vector<QRectF> solved;
    for (int cell = 0; cell < kCellCount; ++cell)
        if (IsSolved(picture, cell)) solved.push_back(layout.DigitRect(cell));
    const double width = std::max(2.0, layout.CellRect(0).width() / 18);
    painter.setBrush(Qt::NoBrush);
    for (const coaching::Link& link : d.links) {
        QPen pen(kLinkColour, width);
        if (!link.strong) pen.setDashPattern({3.0, 2.0});
        painter.setPen(pen);
        const QPainterPath path = layout.LinkPath(link, solved);
        painter.drawPath(path);
        if (!d.implications) continue;
        // An arrowhead at the end, along the way the arc arrives.
        const QPointF tip = path.pointAtPercent(1.0);
        const QPointF back = path.pointAtPercent(0.9);
        const QPointF along = tip - back;
        const double length = std::hypot(along.x(), along.y());
        if (length <= 0) continue;
        const QPointF unit = along / length, side(-unit.y(), unit.x());
        const double size = width * 2.5;
        painter.setPen(Qt::NoPen);
        painter.setBrush(kLinkColour);
        painter.drawPolygon(QPolygonF(
            {tip, tip - unit * size + side * size / 2, tip - unit * size - side * size / 2}));
        painter.setBrush(Qt::NoBrush);
    }
    // The candidates an inner net struck, ringed.
    painter.setPen(QPen(kInnerNetRing, std::max(1.5, width * 0.75)));
    for (const Candidate& c : d.byInnerNet)
        painter.drawEllipse(layout.CandidateRect(c.cell, c.digit).adjusted(1, 1, -1, -1));
}

// Whether the curve's points between its ends stay out of every rectangle.
bool Clear(const QPainterPath& path, const std::vector<QRectF>& around) {
    for (double t = 0.04; t < 0.97; t += 0.04) {
        const QPointF p = path.pointAtPercent(t);
        for (const QRectF& r : around)
            if (r.contains(p)) return false;
    }
    return true;
}

QPointF Towards(QPointF from, QPointF to, double distance) {
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    return length > 0 ? from + along * (distance / length) : from;
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

QRectF BoardLayout::DigitRect(int cell) const {
    const QRectF rect = CellRect(cell);
    return rect.adjusted(cell_ * 0.2, cell_ * 0.12, -cell_ * 0.2, -cell_ * 0.12);
}

QRectF BoardLayout::ColumnNumberRect(int column) const {
    return QRectF(board_.left() + (column - 1) * cell_, board_.top() - header_, cell_, header_);
}

QRectF BoardLayout::RowNumberRect(int row) const {
    return QRectF(board_.left() - header_, board_.top() + (row - 1) * cell_, header_, cell_);
}

QPainterPath BoardLayout::LinkPath(const coaching::Link& link,
                                   const std::vector<QRectF>& around) const {
    const QPointF from = CandidateRect(link.from.cell, link.from.digit).center();
    const QPointF to = CandidateRect(link.to.cell, link.to.digit).center();
    const QPointF middle = (from + to) / 2;
    const QPointF along = to - from;
    const QPointF left = QPointF(along.y(), -along.x());
    // Each end on the rim of its candidate, towards the bend.
    const double rim = cell_ / 6;
    QPainterPath first;
    // Bent to the left of the way it runs by a sixth of its length, or
    // further or to the right where that would cross a solved digit.
    for (const double bend : {1.0 / 6, -1.0 / 6, 1.0 / 3, -1.0 / 3, 0.5, -0.5, 0.75, -0.75}) {
        const QPointF control = middle + left * bend;
        QPainterPath path(Towards(from, control, rim));
        path.quadTo(control, Towards(to, control, rim));
        if (Clear(path, around)) return path;
        if (first.isEmpty()) first = path;
    }
    return first;
}

void PaintBoard(QPainter& painter, const BoardLayout& layout, const BoardPicture& picture) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(layout.Board(), Qt::white);
    const StepDrawing* drawing = DrawingShown(picture);
    if (drawing) ShadeAdvice(painter, layout, picture, *drawing);
    PaintCells(painter, layout, picture);
    PaintLines(painter, layout);
    if (picture.selectedCell >= 0) {
        painter.setPen(QPen(kSelectionColour, std::max(2.0, layout.CellRect(0).width() / 14)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(layout.CellRect(picture.selectedCell).adjusted(2, 2, -2, -2));
    }
    if (drawing) PaintLinks(painter, layout, picture, *drawing);
    painter.restore();
}

}  // namespace quillet::coach
