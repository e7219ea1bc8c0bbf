#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

#include "coaching/Advice.h"

class QPainter;

namespace quillet::coach {

// Each thing the coach draws has a colour of its own.
inline const QColor kUnitShade{0xdd, 0xe8, 0xf5};
inline const QColor kPatternShade{0xff, 0xf0, 0xa8};
inline const QColor kMarkShade{0xbf, 0xe8, 0xb4};
inline const QColor kStruckColour{0xe0, 0x3c, 0x31};
inline const QColor kPlacedColour{0x1f, 0x5f, 0xd0};
inline const QColor kLinkColour{0x7b, 0x1f, 0xa2};
inline const QColor kFaultShade{0xf7, 0xb8, 0xb8};
inline const QColor kSelectionColour{0xff, 0x8c, 0x00};

// Where the board's parts lie in a square area: the column numbers above,
// the row numbers on the left, then the nine by nine cells, each with its
// candidates in a fixed three by three layout (1 top left, 9 bottom right).
class BoardLayout {
public:
    explicit BoardLayout(const QRectF& area);
    QRectF CellRect(int cell) const;
    QRectF CandidateRect(int cell, int digit) const;
    QRectF ColumnNumberRect(int column) const;
    QRectF RowNumberRect(int row) const;
    QRectF Board() const { return board_; }
    // A link as drawn: a slight arc from candidate to candidate, so that
    // links along one line stay apart.
    QPainterPath LinkPath(const coaching::Link& link) const;

private:
    QRectF board_;
    double header_ = 0;
    double cell_ = 0;
};

// What the view shows: the window's cells, its selection, and the advice
// (null while there is none).
struct BoardPicture {
    coaching::CellTexts cells;
    int selectedCell = -1;
    const coaching::Advice* advice = nullptr;
};

void PaintBoard(QPainter& painter, const BoardLayout& layout, const BoardPicture& picture);

}  // namespace quillet::coach
