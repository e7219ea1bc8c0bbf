#pragma once

#include <QTest>

#include "windows/main/BoardGrid.h"
#include "windows/main/Unit1.h"

namespace quillet::testing {

// A press at a position in the grid's client coordinates.
inline void PressGrid(TForm1& form, QPoint client, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = {}) {
    QTest::mousePress(form.SG1, button, modifiers,
                      client + QPoint(BoardGrid::kBorder, BoardGrid::kBorder));
    QTest::mouseRelease(form.SG1, button, modifiers,
                        client + QPoint(BoardGrid::kBorder, BoardGrid::kBorder));
}

// A left click in the middle of board cell (col, row).
inline void ClickCell(TForm1& form, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    PressGrid(form, BoardGrid::CellRect(col, row).center(), button);
}

}  // namespace quillet::testing
