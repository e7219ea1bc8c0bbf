#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <vector>

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
// What a case of a proof makes true is marked as the pattern's candidates
// are; what it makes false in a colour of its own, ringed when an inner net
// struck it.
inline const QColor kMadeFalseShade{0xfa, 0xd2, 0xb4};
inline const QColor kInnerNetRing{0xc6, 0x62, 0x1a};
// The groups of a pattern (almost locked sets, colours), one colour each.
inline const QColor kGroupShades[] = {{0xff, 0xdc, 0xa8}, {0xd6, 0xca, 0xf0}, {0xb6, 0xe6, 0xf0},
                                      {0xf6, 0xc4, 0xd8}, {0xe4, 0xd2, 0xb8}, {0xc8, 0xd4, 0xe8}};

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
    // A link as drawn: a slight arc from the edge of one candidate to the
    // edge of the other, so that links along one line stay apart, bent
    // further or the other way where it would cross one of `around` (the
    // large digits of solved cells).
    QPainterPath LinkPath(const coaching::Link& link, const std::vector<QRectF>& around = {}) const;
    // Where a solved cell's large digit stands.
    QRectF DigitRect(int cell) const;

private:
    QRectF board_;
    double header_ = 0;
    double cell_ = 0;
};

// What the view shows: the window's cells, its selection, and the advice
// (null while there is none) at one of its parts.
struct BoardPicture {
    coaching::CellTexts cells;
    int selectedCell = -1;
    const coaching::Advice* advice = nullptr;
    std::size_t part = 0;
};

void PaintBoard(QPainter& painter, const BoardLayout& layout, const BoardPicture& picture);

}  // namespace quillet::coach
