#include "windows/main/BoardGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "windows/main/BoardGridAccessible.h"

namespace quillet {

namespace {

const QColor kBoardLine(192, 192, 192);
const QColor kBoardLineOnSilver(128, 128, 128);
constexpr QPoint kTextOffset(2, 2);

int ClampToBoard(int i) { return std::clamp(i, 1, 9); }

}  // namespace

BoardGrid::BoardGrid(const CandidateBoard& board, QWidget* parent)
    : QWidget(parent), board_(board) {
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallBoardGridAccessibility();
    for (int index = 0; index < kCellCount; ++index)
        announcedText_[static_cast<std::size_t>(index)] = board_.Cell(CellOfRowMajor(index));
}

QRect BoardGrid::CellRect(int col, int row) {
    return QRect(kPitch * col, kPitch * row, kCellSize, kCellSize);
}

void BoardGrid::UpdateCell(CellPos pos) {
    // A command may write a cell dozens of times before the next paint (the
    // check re-places all 81); marking it once keeps the dirty region small.
    const bool inGrid = pos.col >= 0 && pos.col < kCount && pos.row >= 0 && pos.row < kCount;
    const std::size_t bit = static_cast<std::size_t>(pos.col * kCount + pos.row);
    if (!inGrid || !marked_.test(bit))
        update(CellRect(pos.col, pos.row).translated(kBorder, kBorder));
    if (inGrid) marked_.set(bit);
    // Announced apart from painting: a cell may wait for its paint for long
    // (the window hidden or minimised) while it changes again.
    if (!pos.IsOnBoard()) return;
    unannounced_.set(static_cast<std::size_t>(BoardGridAccessible::ChildIndex(pos)));
    // A command writes a cell up to dozens of times (the check re-places all
    // 81 cells); a reader hears each changed cell once, after the command or
    // while a box it opened is shown, when the event loop runs again.
    if (announcementPending_) return;
    announcementPending_ = true;
    QMetaObject::invokeMethod(this, &BoardGrid::AnnounceWrittenCells, Qt::QueuedConnection);
}

void BoardGrid::AnnounceWrittenCells() {
    announcementPending_ = false;
    for (int index = 0; index < 81; ++index) {
        const auto bit = static_cast<std::size_t>(index);
        if (!unannounced_.test(bit)) continue;
        unannounced_.reset(bit);
        const CellPos pos = CellOfRowMajor(index);
        const CandidateString& text = board_.Cell(pos);
        if (text == announcedText_[bit]) continue;
        announcedText_[bit] = text;
        AnnounceCell(QAccessible::NameChanged, pos);
        if (pos != board_.Selection()) continue;
        QAccessibleValueChangeEvent changed(this, QString::fromUtf8(text));
        changed.setChild(index);
        QAccessible::updateAccessibility(&changed);
        emit Announced(QAccessible::ValueChanged, changed.child());
    }
}

void BoardGrid::AnnounceSelection() {
    const CellPos selection = board_.Selection();
    // The cell's state already says it is no longer selected; the event makes
    // the reader look.
    if (announcedSelection_ != selection && announcedSelection_.IsOnBoard())
        AnnounceCell(QAccessible::SelectionRemove, announcedSelection_);
    announcedSelection_ = selection;
    if (selection.IsOnBoard()) AnnounceCell(QAccessible::Selection, selection);
}

void BoardGrid::AnnounceCell(QAccessible::Event type, CellPos cell) {
    QAccessibleEvent event(this, type);
    event.setChild(BoardGridAccessible::ChildIndex(cell));
    QAccessible::updateAccessibility(&event);
    emit Announced(type, event.child());
}

QRect BoardGrid::HighlightedRange() const {
    return QRect(QPoint(std::min(anchor_.col, current_.col), std::min(anchor_.row, current_.row)),
                 QPoint(std::max(anchor_.col, current_.col), std::max(anchor_.row, current_.row)));
}

QPoint BoardGrid::ClientPos(const QPointF& widgetPos) const {
    return widgetPos.toPoint() - QPoint(kBorder, kBorder);
}

bool BoardGrid::InClient(QPoint p) const {
    return p.x() >= 0 && p.y() >= 0 && p.x() < width() - 2 * kBorder &&
           p.y() < height() - 2 * kBorder;
}

CellPos BoardGrid::GridCellAt(QPoint p) { return {p.x() / kPitch, p.y() / kPitch}; }

std::optional<CellPos> BoardGrid::BoardCellAt(QPoint p) const {
    if (!InClient(p)) return std::nullopt;
    const CellPos cell = GridCellAt(p);
    if (!cell.IsOnBoard()) return std::nullopt;
    return cell;
}

void BoardGrid::MoveHighlight(CellPos to, bool extend) {
    if (!extend) anchor_ = to;
    current_ = to;
    update();
    if (hasFocus()) AnnounceCell(QAccessible::Focus, current_);
}

void BoardGrid::HandlePress(QMouseEvent* event, bool doubleClick) {
    const QPoint p = ClientPos(event->position());
    if (!InClient(p)) return;
    Press(event->button(), event->modifiers(), doubleClick, p);
    if (event->button() == Qt::LeftButton && !doubleClick && BoardCellAt(p)) dragging_ = true;
}

void BoardGrid::PressCell(CellPos cell) {
    if (cell.IsOnBoard()) Press(Qt::LeftButton, {}, false, CellRect(cell.col, cell.row).center());
}

void BoardGrid::Press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick,
                      QPoint p) {
    setFocus(Qt::MouseFocusReason);
    if (button == Qt::LeftButton && !doubleClick)
        if (const auto cell = BoardCellAt(p)) MoveHighlight(*cell, modifiers & Qt::ShiftModifier);
    emit Pressed(GridPress{button, modifiers, doubleClick, p, GridCellAt(p)});
}

void BoardGrid::mousePressEvent(QMouseEvent* event) { HandlePress(event, false); }

void BoardGrid::mouseDoubleClickEvent(QMouseEvent* event) { HandlePress(event, true); }

void BoardGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint p = ClientPos(event->position());
    const CellPos cell{ClampToBoard(p.x() / kPitch), ClampToBoard(p.y() / kPitch)};
    if (cell != current_) MoveHighlight(cell, true);
}

void BoardGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    if (event->button() == Qt::RightButton && InClient(ClientPos(event->position())))
        emit ContextMenuRequested(event->globalPosition().toPoint());
}

void BoardGrid::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && shift)) {
        emit ContextMenuRequested(mapToGlobal(QPoint(kBorder, kBorder)));
        return;
    }
    CellPos to = current_;
    switch (event->key()) {
        case Qt::Key_Left: to.col = ctrl ? 1 : to.col - 1; break;
        case Qt::Key_Right: to.col = ctrl ? 9 : to.col + 1; break;
        case Qt::Key_Up: to.row = ctrl ? 1 : to.row - 1; break;
        case Qt::Key_Down: to.row = ctrl ? 9 : to.row + 1; break;
        // Every row is visible, so a page is the whole board.
        case Qt::Key_PageUp: to.row = 1; break;
        case Qt::Key_PageDown: to.row = 9; break;
        case Qt::Key_Home: to = ctrl ? CellPos{1, 1} : CellPos{1, to.row}; break;
        case Qt::Key_End: to = ctrl ? CellPos{9, 9} : CellPos{9, to.row}; break;
        default: QWidget::keyPressEvent(event); return;
    }
    MoveHighlight({ClampToBoard(to.col), ClampToBoard(to.row)}, shift);
}

void BoardGrid::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) MoveHighlight({current_.col, ClampToBoard(current_.row - notches)}, false);
    event->accept();
}

void BoardGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    AnnounceCell(QAccessible::Focus, current_);
}

void BoardGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void BoardGrid::paintEvent(QPaintEvent* event) {
    // Every marked cell is in this paint's region or still pending in Qt's.
    marked_.reset();
    QPainter painter(this);
    PaintBorder(painter);
    painter.translate(kBorder, kBorder);
    const QRect dirty = event->rect().translated(-kBorder, -kBorder);
    painter.setClipRect(QRect(0, 0, width() - 2 * kBorder, height() - 2 * kBorder));
    painter.fillRect(dirty, palette().color(QPalette::Base));
    painter.setFont(font());
    // The lines go on top: under a fractional scale factor a cell's fill may
    // reach the device pixel of the line next to it.
    for (const bool lines : {false, true})
        for (int col = 0; col < kCount; ++col)
            for (int row = 0; row < kCount; ++row)
                if (CellRect(col, row).adjusted(0, 0, 1, 1).intersects(dirty))
                    lines ? PaintCellLines(painter, col, row) : PaintCell(painter, col, row);
}

// The line to the right of and below the cell.
void BoardGrid::PaintCellLines(QPainter& painter, int col, int row) const {
    const QRect cell = CellRect(col, row);
    const QColor base = palette().color(QPalette::Base);
    const QColor boardLine = base == kBoardLine ? kBoardLineOnSilver : kBoardLine;
    painter.setPen(col == 0 || row == 0 ? Qt::black : boardLine);
    painter.drawLine(cell.right() + 1, cell.top(), cell.right() + 1, cell.bottom() + 1);
    painter.drawLine(cell.left(), cell.bottom() + 1, cell.right() + 1, cell.bottom() + 1);
}

void BoardGrid::PaintCell(QPainter& painter, int col, int row) const {
    const QRect cell = CellRect(col, row);
    const QPalette& pal = palette();
    const bool header = col == 0 || row == 0;

    if (header) {
        painter.fillRect(cell, pal.color(QPalette::Button));
        painter.setPen(pal.color(QPalette::Light));
        painter.drawLine(cell.topLeft(), cell.topRight());
        painter.drawLine(cell.topLeft(), cell.bottomLeft());
        painter.setPen(pal.color(QPalette::Dark));
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        painter.drawLine(cell.topRight(), cell.bottomRight());
        return;
    }

    const bool inRange = HighlightedRange().contains(col, row);
    const bool isCurrent = CellPos{col, row} == current_;
    const bool focused = hasFocus();
    const bool highlighted = inRange && !(focused && isCurrent);
    painter.fillRect(cell, pal.color(highlighted ? QPalette::Highlight : QPalette::Base));
    painter.setPen(pal.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    const QString text = QString::fromUtf8(board_.Cell({col, row}));
    painter.drawText(cell.adjusted(kTextOffset.x(), kTextOffset.y(), 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.restore();
    if (focused && isCurrent) {
        QPen dotted(pal.color(QPalette::Text), 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
    }
}

void BoardGrid::PaintBorder(QPainter& painter) const {
    const QRect r = rect();
    const QPalette& pal = palette();
    auto frame = [&](QRect box, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    };
    frame(r, pal.color(QPalette::Dark), pal.color(QPalette::Light));
    frame(r.adjusted(1, 1, -1, -1), pal.color(QPalette::Shadow), pal.color(QPalette::Midlight));
}

}  // namespace quillet
