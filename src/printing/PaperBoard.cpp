#include "printing/PaperBoard.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <array>
#include <bit>
#include <cmath>

#include "drawing/Fonts.h"

namespace quillet::printing {
namespace {

// Line widths in millimetres: a cell's edge, a box's, the board's frame.
constexpr double kCellLine = 0.18;
constexpr double kBoxLine = 0.6;
constexpr double kFrameLine = 0.8;
// The candidates' margin inside their cell, as a part of the cell.
constexpr double kCandidateInset = 0.05;
// A bold digit's outline stroke, as a part of its em.
constexpr double kBoldStroke = 0.05;

// The digits of a text of candidates, or 0 when it is not one: such a text
// is printed as it is.
unsigned DigitsOf(const std::string& text) {
    unsigned digits = 0;
    for (const char ch : text) {
        if (ch < '1' || ch > '9' || (digits & (1u << (ch - '1')))) return 0;
        digits |= 1u << (ch - '1');
    }
    return digits;
}

// The nine digits in one type, each with the offset from the centre of its
// place to the start of its baseline, measured once for every board. The
// IPA faces have no bold: a bold digit is its text (which a PDF reader
// still finds) with its outline stroked over it.
class DigitType {
public:
    DigitType(const QFont& font, double boldStroke) : font_(font), stroke_(boldStroke) {
        const QFontMetricsF metrics(font_);
        for (int d = 1; d <= 9; ++d) {
            texts_[d - 1] = QString(QChar(u'0' + d));
            const QRectF ink = metrics.tightBoundingRect(texts_[d - 1]);
            // Centred by the ink's width and the digits' common height.
            offsets_[d - 1] = QPointF(-ink.left() - ink.width() / 2, metrics.capHeight() / 2);
            if (stroke_ > 0) outlines_[d - 1].addText(QPointF(), font_, texts_[d - 1]);
        }
    }
    void Draw(QPainter& painter, const QRectF& place, int digit) const {
        const QPointF origin = place.center() + offsets_[digit - 1];
        painter.drawText(origin, texts_[digit - 1]);
        if (stroke_ > 0) {
            const QPen text = painter.pen();
            QPen outline(text.color(), stroke_);
            outline.setJoinStyle(Qt::RoundJoin);
            painter.strokePath(outlines_[digit - 1].translated(origin), outline);
        }
    }
    const QFont& Font() const { return font_; }

private:
    QFont font_;
    double stroke_ = 0;
    std::array<QString, 9> texts_;
    std::array<QPointF, 9> offsets_;
    std::array<QPainterPath, 9> outlines_;
};

QFont TypeOf(double em) {
    QFont font = GothicFont(std::max(1, static_cast<int>(std::lround(em))));
    // Print has no pixels to fit: the outlines as they are drawn.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void PaintLines(QPainter& painter, const PaperGeometry& geometry, double unitsPerMm) {
    const QRectF cells = geometry.Cells();
    const double cell = geometry.CellSize();
    for (const bool box : {false, true}) {
        QPen pen(Qt::black, (box ? kBoxLine : kCellLine) * unitsPerMm);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        for (int i = 1; i < 9; ++i) {
            if ((i % 3 == 0) != box) continue;
            const double x = cells.left() + i * cell;
            const double y = cells.top() + i * cell;
            painter.drawLine(QPointF(x, cells.top()), QPointF(x, cells.bottom()));
            painter.drawLine(QPointF(cells.left(), y), QPointF(cells.right(), y));
        }
    }
    QPen frame(Qt::black, kFrameLine * unitsPerMm);
    frame.setJoinStyle(Qt::MiterJoin);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cells);
}

}  // namespace

PaperGeometry::PaperGeometry(const QRectF& square) {
    const double side = std::min(square.width(), square.height());
    cell_ = side / 9.5;
    const double band = cell_ / 2;
    cells_ = QRectF(square.left() + band, square.top() + band, 9 * cell_, 9 * cell_);
}

QRectF PaperGeometry::CellRect(int cell) const {
    const CellPos p = CellOfColumnMajor(cell);
    return QRectF(cells_.left() + (p.col - 1) * cell_, cells_.top() + (p.row - 1) * cell_, cell_,
                  cell_);
}

QRectF PaperGeometry::CandidateRect(int cell, int digit) const {
    // A little inside the cell, so that no candidate touches its lines.
    const double inset = cell_ * kCandidateInset;
    const QRectF rect = CellRect(cell).adjusted(inset, inset, -inset, -inset);
    const double third = rect.width() / 3;
    return QRectF(rect.left() + (digit - 1) % 3 * third, rect.top() + (digit - 1) / 3 * third,
                  third, third);
}

QRectF PaperGeometry::ColumnNumberRect(int column) const {
    return QRectF(cells_.left() + (column - 1) * cell_, cells_.top() - cell_ / 2, cell_, cell_ / 2);
}

QRectF PaperGeometry::RowNumberRect(int row) const {
    return QRectF(cells_.left() - cell_ / 2, cells_.top() + (row - 1) * cell_, cell_ / 2, cell_);
}

void PaintPaperBoard(QPainter& painter, const QRectF& square, double unitsPerMm,
                     const PrintedBoard& board, bool candidates) {
    const PaperGeometry geometry(square);
    const double cell = geometry.CellSize();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    const DigitType given(TypeOf(cell * kDigitType), cell * kDigitType * kBoldStroke);
    const DigitType candidate(TypeOf(cell * kCandidateType), 0);
    const DigitType number(TypeOf(cell * kNumberType), 0);

    const DigitType* current = nullptr;
    const auto use = [&](const DigitType& type) {
        if (current != &type) painter.setFont(type.Font());
        current = &type;
    };
    for (int k = 0; k < kCellCount; ++k) {
        const std::string& text = board.cells[k];
        const unsigned digits = DigitsOf(text);
        if (board.givens[k] && std::has_single_bit(digits)) {
            use(given);
            given.Draw(painter, geometry.CellRect(k), std::countr_zero(digits) + 1);
        } else if (candidates && digits != 0) {
            use(candidate);
            for (int d = 1; d <= 9; ++d)
                if (digits & (1u << (d - 1)))
                    candidate.Draw(painter, geometry.CandidateRect(k, d), d);
        } else if (candidates && !text.empty() && digits == 0) {
            // Not a set of digits: shown as the board holds it, cut to the cell.
            use(candidate);
            painter.drawText(geometry.CellRect(k), Qt::AlignCenter | Qt::TextWrapAnywhere,
                             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        }
    }
    use(number);
    for (int i = 1; i <= 9; ++i) {
        number.Draw(painter, geometry.ColumnNumberRect(i), i);
        number.Draw(painter, geometry.RowNumberRect(i), i);
    }
    PaintLines(painter, geometry, unitsPerMm);
    painter.restore();
}

}  // namespace quillet::printing
