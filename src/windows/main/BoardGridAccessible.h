#pragma once

#include <QAccessibleWidget>
#include <QPointer>

#include <array>

#include "board/CandidateBoard.h"

namespace quillet {

class BoardGrid;

// What assistive technology sees of the board grid: a table of the 81 board
// cells, 9 rows by 9 columns (the empty header row and column are left out).
// Each cell is named by its candidate text and described by its column and
// row; the board's selection is the selected cell and the grid's highlighted
// cell the focused one.
class BoardGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardGridAccessible(BoardGrid* grid);
    ~BoardGridAccessible() override;

    // The index of a board cell among the children, row by row.
    static int ChildIndex(CellPos cell) { return RowMajorIndex(cell); }

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override { return kCellCount; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    // The highlighted cell while the grid has the keyboard focus.
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int columnCount() const override { return 9; }
    int rowCount() const override { return 9; }
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // The board's selection is the window's to change, never a reader's.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    BoardGrid* Grid() const;

private:
    mutable std::array<QAccessible::Id, 81> cellIds_{};
};

// Makes Qt present every BoardGrid through BoardGridAccessible.
void InstallBoardGridAccessibility();

}  // namespace quillet
