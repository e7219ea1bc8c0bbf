#include <QApplication>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "EventDeadline.h"
#include "windows/main/BoardGrid.h"

using quillet::testing::kEventDeadlineMs;

using namespace quillet;

Q_DECLARE_METATYPE(quillet::GridPress)

// Collects the regions the grid is asked to paint.
class PaintRegions : public QObject {
public:
    QList<QRegion> regions;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            regions.append(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

class BoardGridTest : public QObject {
    Q_OBJECT

    CandidateBoard board;
    QWidget* window = nullptr;
    BoardGrid* grid = nullptr;

    static QPoint At(int col, int row) {
        return BoardGrid::CellRect(col, row).center() + QPoint(2, 2);
    }
    void expectHighlight(CellPos cell, QRect range) {
        QCOMPARE(grid->HighlightedCell(), cell);
        QCOMPARE(grid->HighlightedRange(), range);
    }
    void wheel(int notches) {
        QWheelEvent event(At(5, 5), grid->mapToGlobal(At(5, 5)), {}, {0, notches * 120},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid, &event);
    }

private slots:
    void init() {
        window = new QWidget;
        grid = new BoardGrid(board, window);
        grid->setGeometry(0, 0, 417, 416);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window, kEventDeadlineMs));
        grid->setFocus();
    }
    void cleanup() { delete window; }

    void aCellWrittenManyTimesIsPaintedOnceAndAgainAfterTheNextWrite() {
        QTRY_VERIFY_WITH_TIMEOUT(grid->isVisible(), kEventDeadlineMs);
        QCoreApplication::processEvents();
        PaintRegions paints;
        grid->installEventFilter(&paints);
        const QRect cell = BoardGrid::CellRect(3, 4).translated(2, 2);
        for (int i = 0; i < 20; ++i) grid->UpdateCell({3, 4});
        QTRY_COMPARE_WITH_TIMEOUT(paints.regions.size(), 1, kEventDeadlineMs);
        QVERIFY(paints.regions[0].contains(cell));
        grid->UpdateCell({3, 4});
        QTRY_COMPARE_WITH_TIMEOUT(paints.regions.size(), 2, kEventDeadlineMs);
        QVERIFY(paints.regions[1].contains(cell));
        grid->removeEventFilter(&paints);
    }

    // A grid that is not painted keeps its cells marked for repainting; a
    // reader still hears of every change, not only of the first.
    void everyChangeIsAnnouncedWhileNoPaintComes() {
        qRegisterMetaType<QAccessible::Event>();
        CandidateBoard unseen;
        BoardGrid hidden(unseen);
        unseen.SetCellWrittenHandler([&](CellPos pos) { hidden.UpdateCell(pos); });
        QSignalSpy announced(&hidden, &BoardGrid::Announced);
        for (const char* text : {"12", "1", ""}) {
            const qsizetype before = announced.count();
            unseen.SetCell({3, 4}, text);
            QTRY_COMPARE_WITH_TIMEOUT(announced.count(), before + 1, kEventDeadlineMs);
            QCOMPARE(announced.last().at(0).value<QAccessible::Event>(), QAccessible::NameChanged);
        }
    }

    void keysMoveTheHighlightWithinTheBoard() {
        QTest::keyClick(grid, Qt::Key_Left);
        QTest::keyClick(grid, Qt::Key_Up);
        expectHighlight({1, 1}, QRect(1, 1, 1, 1));
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Down);
        expectHighlight({2, 2}, QRect(2, 2, 1, 1));
        QTest::keyClick(grid, Qt::Key_End);
        expectHighlight({9, 2}, QRect(9, 2, 1, 1));
        QTest::keyClick(grid, Qt::Key_PageDown);
        QTest::keyClick(grid, Qt::Key_Right);
        expectHighlight({9, 9}, QRect(9, 9, 1, 1));
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        expectHighlight({1, 1}, QRect(1, 1, 1, 1));
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(grid, Qt::Key_PageUp);
        QTest::keyClick(grid, Qt::Key_Home);
        expectHighlight({1, 1}, QRect(1, 1, 1, 1));
    }

    void theWheelMovesOneRowPerNotch() {
        wheel(-2);
        expectHighlight({1, 3}, QRect(1, 3, 1, 1));
        wheel(1);
        expectHighlight({1, 2}, QRect(1, 2, 1, 1));
        wheel(5);
        expectHighlight({1, 1}, QRect(1, 1, 1, 1));
    }

    void dragAndShiftExtendARangeFromTheAnchor() {
        QTest::mousePress(grid, Qt::LeftButton, {}, At(2, 2));
        QTest::mouseMove(grid, At(4, 3));
        QMouseEvent move(QEvent::MouseMove, At(4, 3), grid->mapToGlobal(At(4, 3)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(grid, &move);
        QTest::mouseRelease(grid, Qt::LeftButton, {}, At(4, 3));
        expectHighlight({4, 3}, QRect(QPoint(2, 2), QPoint(4, 3)));

        QTest::mouseClick(grid, Qt::LeftButton, Qt::ShiftModifier, At(1, 5));
        expectHighlight({1, 5}, QRect(QPoint(1, 2), QPoint(2, 5)));

        // Right and middle presses and header presses leave the highlight.
        QTest::mouseClick(grid, Qt::MiddleButton, {}, At(7, 7));
        QTest::mouseClick(grid, Qt::LeftButton, {}, At(0, 4));
        QTest::mouseClick(grid, Qt::LeftButton, {}, At(4, 0));
        expectHighlight({1, 5}, QRect(QPoint(1, 2), QPoint(2, 5)));
    }

    void everyPressIsReportedInClientCoordinates() {
        QSignalSpy presses(grid, &BoardGrid::Pressed);
        QTest::mouseClick(grid, Qt::MiddleButton, Qt::AltModifier, QPoint(2 + 412, 2 + 411));
        QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(2 + 0, 2 + 0));
        QCOMPARE(presses.size(), 2);
        const auto first = presses.at(0).at(0).value<GridPress>();
        QCOMPARE(first.pos, QPoint(412, 411));
        QCOMPARE(first.button, Qt::MiddleButton);
        QCOMPARE(first.modifiers, Qt::AltModifier);
        QCOMPARE(presses.at(1).at(0).value<GridPress>().pos, QPoint(0, 0));
    }

    void everyPressNamesTheGridCellUnderIt() {
        QSignalSpy presses(grid, &BoardGrid::Pressed);
        // The header with the line after it, the first and ninth board cells,
        // and the strip past the ninth cell up to the client area's edge.
        const std::pair<QPoint, CellPos> cases[] = {{{0, 0}, {0, 0}},      {{40, 100}, {0, 2}},
                                                    {{41, 41}, {1, 1}},    {{409, 409}, {9, 9}},
                                                    {{410, 100}, {10, 2}}, {{412, 411}, {10, 10}}};
        for (const auto& [client, cell] : cases) {
            QTest::mouseClick(grid, Qt::RightButton, {}, client + QPoint(2, 2));
            const auto press = presses.takeLast().at(0).value<GridPress>();
            QCOMPARE(press.cell, cell);
            QCOMPARE(press.OnHeader(), cell.col == 0 || cell.row == 0);
        }
    }

    void theHighlightIsDrawnByFocus() {
        const QColor highlight = grid->palette().color(QPalette::Highlight);
        const QColor base = grid->palette().color(QPalette::Base);
        QTest::mouseClick(grid, Qt::LeftButton, {}, At(3, 3));
        QTest::mouseClick(grid, Qt::LeftButton, Qt::ShiftModifier, At(4, 3));
        const QPoint current = BoardGrid::CellRect(4, 3).center() + QPoint(2, 12);
        const QPoint other = BoardGrid::CellRect(3, 3).center() + QPoint(2, 12);
        QImage shot = grid->grab().toImage();
        QCOMPARE(shot.pixelColor(current), base);
        QCOMPARE(shot.pixelColor(other), highlight);
        grid->clearFocus();
        shot = grid->grab().toImage();
        QCOMPARE(shot.pixelColor(current), highlight);
    }
};

QTEST_MAIN(BoardGridTest)
#include "BoardGridTest.moc"
