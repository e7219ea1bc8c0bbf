#pragma once

#include <QAccessible>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <array>
#include <bitset>
#include <optional>

#include "board/CandidateBoard.h"

namespace quillet {

// One mouse press on the grid.
struct GridPress {
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;
    bool doubleClick = false;
    // In client coordinates (inside the border).
    QPoint pos;
    // The grid cell under the press: column or row 0 is the header (with the
    // line after it), 10 the few pixels the client area has past the ninth
    // cell. Both are kept so the window can tell them apart from board cells.
    CellPos cell;

    bool OnHeader() const { return cell.col == 0 || cell.row == 0; }
};

// The 10 x 10 board grid: a header row and column around the 81 cells, each
// 40 pixels with a 1-pixel line after it, inside a 2-pixel sunken border. It
// shows the board's texts, keeps a highlighted cell of its own, and reports
// every press in its client area.
class BoardGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 2;
    static constexpr int kCellSize = 40;
    static constexpr int kPitch = kCellSize + 1;
    static constexpr int kCount = 10;
    // The last grid line in each direction.
    static constexpr int kGridExtent = kPitch * kCount - 1;

    explicit BoardGrid(const CandidateBoard& board, QWidget* parent = nullptr);

    const CandidateBoard& Board() const { return board_; }
    // Marks a cell for repainting after it was written; once the command
    // returns, assistive technology hears of each cell whose text changed.
    void UpdateCell(CellPos pos);
    // Tells assistive technology that the board's selection moved.
    void AnnounceSelection();
    // A left press in the middle of a board cell, as the mouse would give it:
    // what a screen reader's "press" on a cell runs.
    void PressCell(CellPos cell);
    CellPos HighlightedCell() const { return current_; }
    // Highlights one cell, as a left press on it does, without the press.
    void HighlightCell(CellPos cell) { MoveHighlight(cell, false); }
    // The highlighted rectangle (the highlighted cell is one of its corners).
    QRect HighlightedRange() const;
    // The client-area rectangle of grid cell (col, row), 0 being the header.
    static QRect CellRect(int col, int row);

signals:
    void Pressed(const GridPress& press);
    void ContextMenuRequested(const QPoint& globalPos);
    // Each event told to assistive technology about a board cell, with the
    // cell's index among the table's children; Qt drops the events themselves
    // while no reader listens.
    void Announced(QAccessible::Event type, int child);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPoint ClientPos(const QPointF& widgetPos) const;
    bool InClient(QPoint clientPos) const;
    // The grid cell at a client position inside the client area.
    static CellPos GridCellAt(QPoint clientPos);
    // The board cell at a client position, if the position lies on one.
    std::optional<CellPos> BoardCellAt(QPoint clientPos) const;
    void HandlePress(QMouseEvent* event, bool doubleClick);
    void Press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick,
               QPoint clientPos);
    // Tells of every written cell whose text differs from what was told last.
    void AnnounceWrittenCells();
    void MoveHighlight(CellPos to, bool extend);
    void PaintCell(QPainter& painter, int col, int row) const;
    void PaintCellLines(QPainter& painter, int col, int row) const;
    void PaintBorder(QPainter& painter) const;
    void AnnounceCell(QAccessible::Event type, CellPos cell);

    const CandidateBoard& board_;
    CellPos current_{1, 1};
    CellPos anchor_{1, 1};
    bool dragging_ = false;
    // Cells marked for repainting since the last paint.
    std::bitset<kCount * kCount> marked_;
    // Board cells written since the last announcement, by table index, and
    // the text each cell had when it was last announced.
    std::bitset<81> unannounced_;
    std::array<CandidateString, 81> announcedText_;
    bool announcementPending_ = false;
    CellPos announcedSelection_{0, 0};
};

}  // namespace quillet
