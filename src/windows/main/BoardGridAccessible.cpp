#include "windows/main/BoardGridAccessible.h"

#include <QWindow>

#include "windows/main/BoardGrid.h"

namespace quillet {
namespace {

// One board cell of the grid's table. Its one action, "press", is a left
// press on the cell, so a reader's user chooses cells as the mouse does.
class BoardCellAccessible : public QAccessibleInterface,
                            public QAccessibleTableCellInterface,
                            public QAccessibleActionInterface {
public:
    BoardCellAccessible(BoardGrid* grid, CellPos cell) : grid_(grid), cell_(cell) {}

    bool isValid() const override { return !grid_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!grid_) return {};
        switch (t) {
            case QAccessible::Name:
            case QAccessible::Value: return QString::fromUtf8(grid_->Board().Cell(cell_));
            case QAccessible::Description:
                return QStringLiteral("%1 列 %2 行").arg(cell_.col).arg(cell_.row);
            default: return {};
        }
    }
    // The grid is not editable.
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!grid_) return {};
        const QRect cell = BoardGrid::CellRect(cell_.col, cell_.row)
                               .translated(BoardGrid::kBorder, BoardGrid::kBorder);
        return QRect(grid_->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        state.readOnly = true;
        if (!grid_) return state;
        state.selected = grid_->Board().Selection() == cell_;
        state.focused = grid_->hasFocus() && grid_->HighlightedCell() == cell_;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        switch (type) {
            case QAccessible::TableCellInterface:
                return static_cast<QAccessibleTableCellInterface*>(this);
            case QAccessible::ActionInterface:
                return static_cast<QAccessibleActionInterface*>(this);
            default: return nullptr;
        }
    }

    // QAccessibleActionInterface
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    // Runs once the reader's call has returned, as a button's press does: the
    // command may open a modal box, which must not hold the reader's call.
    void doAction(const QString& name) override {
        if (!grid_ || name != pressAction()) return;
        QMetaObject::invokeMethod(
            grid_.data(),
            [grid = grid_, cell = cell_] {
                if (grid) grid->PressCell(cell);
            },
            Qt::QueuedConnection);
    }

    // QAccessibleTableCellInterface: indexes count from 0.
    int columnIndex() const override { return cell_.col - 1; }
    int rowIndex() const override { return cell_.row - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    bool isSelected() const override { return state().selected; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<BoardGrid> grid_;
    CellPos cell_;
};

QAccessibleInterface* MakeBoardGridAccessible(const QString&, QObject* object) {
    auto* grid = qobject_cast<BoardGrid*>(object);
    return grid ? new BoardGridAccessible(grid) : nullptr;
}

}  // namespace

void InstallBoardGridAccessibility() {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(MakeBoardGridAccessible);
        return true;
    }();
}

BoardGridAccessible::BoardGridAccessible(BoardGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table) {}

BoardGridAccessible::~BoardGridAccessible() {
    for (const QAccessible::Id id : cellIds_)
        if (id != 0) QAccessible::deleteAccessibleInterface(id);
}

BoardGrid* BoardGridAccessible::Grid() const { return static_cast<BoardGrid*>(widget()); }

void* BoardGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* BoardGridAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    QAccessible::Id& id = cellIds_[static_cast<std::size_t>(index)];
    // Registered once, so that a reader gets the same cell each time it asks.
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(
            new BoardCellAccessible(Grid(), CellOfRowMajor(index)));
    return QAccessible::accessibleInterface(id);
}

int BoardGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (!cell || child->parent() != this) return -1;
    return ChildIndex({cell->columnIndex() + 1, cell->rowIndex() + 1});
}

QAccessibleInterface* BoardGridAccessible::childAt(int x, int y) const {
    const QPoint client =
        Grid()->mapFromGlobal(QPoint(x, y)) - QPoint(BoardGrid::kBorder, BoardGrid::kBorder);
    if (client.x() < 0 || client.y() < 0) return nullptr;
    const CellPos cell{client.x() / BoardGrid::kPitch, client.y() / BoardGrid::kPitch};
    return cell.IsOnBoard() ? child(ChildIndex(cell)) : nullptr;
}

QAccessibleInterface* BoardGridAccessible::focusChild() const {
    return Grid()->hasFocus() ? child(ChildIndex(Grid()->HighlightedCell())) : nullptr;
}

QAccessibleInterface* BoardGridAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= 9 || column < 0 || column >= 9) return nullptr;
    return child(ChildIndex({column + 1, row + 1}));
}

int BoardGridAccessible::selectedCellCount() const {
    return Grid()->Board().Selection().IsOnBoard() ? 1 : 0;
}

QList<QAccessibleInterface*> BoardGridAccessible::selectedCells() const {
    const CellPos selection = Grid()->Board().Selection();
    if (!selection.IsOnBoard()) return {};
    return {child(ChildIndex(selection))};
}

QString BoardGridAccessible::columnDescription(int column) const {
    return QStringLiteral("%1 列").arg(column + 1);
}

QString BoardGridAccessible::rowDescription(int row) const {
    return QStringLiteral("%1 行").arg(row + 1);
}

}  // namespace quillet
