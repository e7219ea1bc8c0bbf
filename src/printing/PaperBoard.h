#pragma once

#include <QRectF>

#include "printing/PrintedBoard.h"

class QPainter;

namespace quillet::printing {

// Where a board's parts lie in its square on paper: the column numbers in a
// band above the cells, the row numbers in a band on their left, each band
// half a cell deep, then the nine by nine cells; a cell's candidates in a
// fixed three by three layout, 1 top left and 9 bottom right.
class PaperGeometry {
public:
    explicit PaperGeometry(const QRectF& square);
    QRectF Cells() const { return cells_; }
    double CellSize() const { return cell_; }
    QRectF CellRect(int cell) const;
    QRectF CandidateRect(int cell, int digit) const;
    QRectF ColumnNumberRect(int column) const;
    QRectF RowNumberRect(int row) const;

private:
    QRectF cells_;
    double cell_ = 0;
};

// The type sizes of a board, as a part of its cell: a solved digit, a
// candidate and a row or column number (the em).
inline constexpr double kDigitType = 0.7;
inline constexpr double kCandidateType = 0.3;
inline constexpr double kNumberType = 0.36;

// Draws the board in black alone on white paper into `square` (in the
// painter's device units, `unitsPerMm` of them a millimetre): thin cell
// lines, thick box lines and frame, the row and column numbers, the givens
// bold, and with `candidates` the candidates of every other cell, a single
// one as well: a digit the givens leave alone in its cell is for the pencil
// to find, not printed as solved.
void PaintPaperBoard(QPainter& painter, const QRectF& square, double unitsPerMm,
                     const PrintedBoard& board, bool candidates);

}  // namespace quillet::printing
