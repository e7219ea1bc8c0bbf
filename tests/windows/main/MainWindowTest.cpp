#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <memory>

#include "EventDeadline.h"
#include "MainWindowTestSupport.h"
#include "ScratchWindow.h"
#include "windows/main/FileListBox.h"
#include "windows/main/SpinEdit.h"
#include "windows/main/Unit1.h"

using quillet::testing::kEventDeadlineMs;

using namespace quillet;
using namespace quillet::testing;

class MainWindowTest : public ScratchWindowTest {
    Q_OBJECT

    QString cell(CellPos pos) { return QString::fromStdString(board().Cell(pos)); }

private slots:
    void init() { QVERIFY(OpenWindow()); }
    void cleanup() { CloseWindow(); }

    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("fontHeight");
        QTest::addColumn<bool>("enabled");
        auto row = [](const char* name, QRect g, const char* caption, int font, bool enabled) {
            QTest::newRow(name) << QString::fromUtf8(name) << g << QString::fromUtf8(caption)
                                << font << enabled;
        };
        row("SG1", {0, 0, 417, 416}, "", 16, true);
        row("Button1", {424, 8, 57, 25}, "全初期化", 12, true);
        row("SpinEdit1", {424, 64, 49, 26}, "1", 16, true);
        row("Button2", {480, 64, 49, 25}, "決定", 16, true);
        row("Panel1", {424, 36, 49, 25}, "1  1", 16, true);
        row("Button3", {424, 356, 49, 25}, "Save", 16, true);
        row("Button4", {480, 356, 49, 25}, "Load", 16, true);
        row("FileListBox1", {424, 120, 105, 205}, "", 16, true);
        row("Edit1", {424, 328, 105, 24}, "*.cgd", 16, true);
        row("Button5", {480, 36, 49, 25}, "戻る", 16, false);
        row("Button6", {424, 92, 33, 25}, "解1", 16, true);
        row("Button9", {424, 384, 105, 25}, "End", 16, true);
        row("Button7", {460, 92, 33, 25}, "解2", 16, true);
        row("Button8", {496, 92, 33, 25}, "OK?", 16, true);
        row("Button10", {488, 8, 41, 25}, "初期化", 12, false);
    }
    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(int, fontHeight);
        QFETCH(bool, enabled);
        const QMap<QByteArray, QWidget*> controls{{"SG1", form->SG1},
                                                  {"Button1", form->Button1},
                                                  {"SpinEdit1", form->SpinEdit1},
                                                  {"Button2", form->Button2},
                                                  {"Panel1", form->Panel1},
                                                  {"Button3", form->Button3},
                                                  {"Button4", form->Button4},
                                                  {"FileListBox1", form->FileListBox1},
                                                  {"Edit1", form->Edit1},
                                                  {"Button5", form->Button5},
                                                  {"Button6", form->Button6},
                                                  {"Button9", form->Button9},
                                                  {"Button7", form->Button7},
                                                  {"Button8", form->Button8},
                                                  {"Button10", form->Button10}};
        QWidget* w = controls.value(name.toUtf8());
        QVERIFY(w);
        QCOMPARE(w->geometry(), geometry);
        QCOMPARE(w->font().pixelSize(), fontHeight);
        QCOMPARE(w->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(w->isEnabled(), enabled);
        QString text;
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            text = b->text();
            QVERIFY(!b->isDefault() && !b->autoDefault());
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            text = l->text();
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            text = e->text();
        }
        QCOMPARE(text, caption);
    }

    void windowIsFixedAndCaptioned() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Quillet"));
        QCOMPARE(form->size(), QSize(534, 416));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(form->windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(form->PopupMenu1->actions().size(), 10);
        QCOMPARE(form->PopupMenu1->actions().first()->text(), QStringLiteral("&1"));
        QCOMPARE(form->PopupMenu1->actions().last()->text(), QStringLiteral("&All"));
    }

    // Asked by a title bar that offers it anyway, or a window manager.
    void maximisingIsTurnedDown() {
        form->windowHandle()->setWindowStates(Qt::WindowMaximized);
        QTRY_COMPARE(form->windowState(), Qt::WindowNoState);
        form->showFullScreen();
        QTRY_COMPARE(form->windowState(), Qt::WindowNoState);
        QCOMPARE(form->size(), QSize(534, 416));
    }

    void tabVisitsTheControlsInOrderSkippingDisabledOnes() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form, kEventDeadlineMs));
        QCOMPARE(QApplication::focusWidget(), form->SG1);
        auto chain = [&](Qt::Key key) {
            QList<QWidget*> seen;
            for (int i = 0; i < 13; ++i) {
                QTest::keyClick(QApplication::focusWidget(), key);
                seen << QApplication::focusWidget();
            }
            return seen;
        };
        const QList<QWidget*> forward{
            form->Button1,      form->SpinEdit1, form->Button2, form->Button3, form->Button4,
            form->FileListBox1, form->Edit1,     form->Button6, form->Button9, form->Button7,
            form->Button8,      form->SG1,       form->Button1};
        QCOMPARE(chain(Qt::Key_Tab), forward);

        form->Button5->setEnabled(true);  // "戻る" joins the chain while enabled
        form->Edit1->setFocus();
        QTest::keyClick(form->Edit1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Button5);
        QTest::keyClick(form->Button5, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), form->Edit1);
    }

    void pressRuleAtTheBoundaryPixels_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QPoint>("highlight");
        const QPoint stay(1, 1);
        QTest::newRow("x=40 header line") << QPoint(40, 100) << "1  1" << stay;
        QTest::newRow("y=40 header line") << QPoint(100, 40) << "1  1" << stay;
        QTest::newRow("41,41 first cell") << QPoint(41, 41) << "1  1" << QPoint(1, 1);
        QTest::newRow("400,100") << QPoint(400, 100) << "9  2" << QPoint(9, 2);
        QTest::newRow("x=409 last line") << QPoint(409, 100) << "9  2" << QPoint(9, 2);
        QTest::newRow("x=410 strip") << QPoint(410, 100) << "10  2" << stay;
        QTest::newRow("x=412 strip") << QPoint(412, 100) << "10  2" << stay;
        QTest::newRow("y=409 last line") << QPoint(100, 409) << "2  9" << QPoint(2, 9);
        QTest::newRow("y=410 strip") << QPoint(100, 410) << "2  10" << stay;
        QTest::newRow("y=411 strip") << QPoint(100, 411) << "2  10" << stay;
    }
    void pressRuleAtTheBoundaryPixels() {
        QFETCH(QPoint, at);
        QFETCH(QString, panel);
        QFETCH(QPoint, highlight);
        PressGrid(*form, at);
        QCOMPARE(form->Panel1->text(), panel);
        const CellPos h = form->SG1->HighlightedCell();
        QCOMPARE(QPoint(h.col, h.row), highlight);
        QVERIFY(dialogs->informations.isEmpty());
    }

    void pressesOnTheBorderAreNotReported() {
        QTest::mouseClick(form->SG1, Qt::LeftButton, {}, QPoint(1, 100));
        QTest::mouseClick(form->SG1, Qt::LeftButton, {}, QPoint(415, 100));
        QCOMPARE(form->Panel1->text(), QStringLiteral("1  1"));
    }

    void pressOnASolvedCellPlacesItsDigit() {
        board().SetCell({3, 5}, "7");
        board().SetCell({4, 5}, "17");
        ClickCell(*form, 3, 5);
        QCOMPARE(cell({4, 5}), QStringLiteral("1"));
        QCOMPARE(cell({3, 6}), QStringLiteral("12345689"));
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("7"));
        QCOMPARE(form->Panel1->text(), QStringLiteral("3  5"));
        QVERIFY(form->Button5->isEnabled());
    }

    void doubleClickPlacesTwiceButMovesTheHighlightOnce() {
        board().SetCell({3, 5}, "7");
        board().SetCell({4, 5}, "17");
        const QPoint at = BoardGrid::CellRect(3, 5).center() + QPoint(2, 2);
        // What the platform delivers for a double click.
        auto send = [&](QEvent::Type type, Qt::MouseButtons held) {
            QMouseEvent event(type, at, form->SG1->mapToGlobal(at), Qt::LeftButton, held, {});
            QApplication::sendEvent(form->SG1, &event);
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        send(QEvent::MouseButtonDblClick, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        // Undo goes back to the board before the second placement only.
        form->Button5->click();
        QCOMPARE(cell({4, 5}), QStringLiteral("1"));
        QCOMPARE(form->SG1->HighlightedCell(), (CellPos{3, 5}));

        // The second press of a double click elsewhere leaves the highlight.
        const QPoint other = BoardGrid::CellRect(6, 6).center() + QPoint(2, 2);
        QMouseEvent second(QEvent::MouseButtonDblClick, other, form->SG1->mapToGlobal(other),
                           Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(form->SG1, &second);
        QCOMPARE(form->SG1->HighlightedCell(), (CellPos{3, 5}));
        QCOMPARE(form->Panel1->text(), QStringLiteral("6  6"));
    }

    void rightPressPlacesThenTheMenuOpensOnRelease() {
        board().SetCell({2, 2}, "4");
        const QPoint at = BoardGrid::CellRect(2, 2).center() + QPoint(2, 2);
        QTest::mousePress(form->SG1, Qt::RightButton, {}, at);
        QCOMPARE(cell({3, 2}), QStringLiteral("12356789"));
        QVERIFY(!form->PopupMenu1->isVisible());
        QCOMPARE(form->SG1->HighlightedCell(), (CellPos{1, 1}));
        QTest::mouseRelease(form->SG1, Qt::RightButton, {}, at);
        QVERIFY(form->PopupMenu1->isVisible());
        form->PopupMenu1->close();

        // A pop-up digit acts on the selection the press made.
        board().SetCell({2, 2}, "49");
        form->N91->trigger();
        QCOMPARE(cell({2, 2}), QStringLiteral("9"));
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("9"));
        form->N12->trigger();
        QCOMPARE(cell({2, 2}), QStringLiteral("123456789"));
    }

    void theMenuOpensFromTheKeyboardWithoutAPress() {
        form->SG1->setFocus();
        QTest::keyClick(form->SG1, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(form->PopupMenu1->isVisible());
        QCOMPARE(form->PopupMenu1->pos(), form->SG1->mapToGlobal(QPoint(2, 2)));
        form->PopupMenu1->close();
        QCOMPARE(form->Panel1->text(), QStringLiteral("1  1"));
    }

    void aNonDigitSolvedCellIsSelectedSilently() {
        board().SetCell({3, 5}, "x");
        ClickCell(*form, 3, 5);
        QCOMPARE(form->Panel1->text(), QStringLiteral("3  5"));
        QCOMPARE(cell({3, 5}), QStringLiteral("x"));
        QCOMPARE(cell({4, 5}), QStringLiteral("123456789"));
        QVERIFY(dialogs->informations.isEmpty() && dialogs->errors.isEmpty());
        QVERIFY(!form->Button5->isEnabled());
    }

    void popupDigitsNeedABoardCellButDecideAlwaysTries() {
        PressGrid(*form, {100, 411});
        QCOMPARE(form->Panel1->text(), QStringLiteral("2  10"));
        form->N51->trigger();
        QVERIFY(dialogs->informations.isEmpty());
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("1"));
        form->Button2->click();
        QCOMPARE(dialogs->informations, QStringList{QStringLiteral("その数字は入力できません。")});
    }

    void decideTellsWhetherItPlaced() {
        ClickCell(*form, 5, 5);
        form->SetSelectorValue(5);
        QVERIFY(form->Decide());
        form->SetSelectorValue(4);
        QVERIFY(!form->Decide());  // the cell holds only 5
        QCOMPARE(dialogs->informations, QStringList{QStringLiteral("その数字は入力できません。")});
    }

    void undoButtonFollowsTheCommands() {
        QVERIFY(!form->Button5->isEnabled());
        ClickCell(*form, 5, 5);
        form->SpinEdit1->SetValue(5);
        form->Button2->click();
        QVERIFY(form->Button5->isEnabled());
        QCOMPARE(cell({5, 5}), QStringLiteral("5"));

        form->Button1->click();  // resetting takes no snapshot and keeps undo
        QVERIFY(form->Button5->isEnabled());
        QCOMPARE(cell({5, 6}), QStringLiteral("123456789"));

        form->SpinEdit1->SetValue(3);
        form->Button2->click();
        form->Button2->click();  // the cell holds 3, so placing it again is accepted
        QVERIFY(dialogs->informations.isEmpty());
        form->SpinEdit1->SetValue(4);
        form->Button2->click();  // the cell holds only 3 now
        QCOMPARE(dialogs->informations.size(), 1);
        QVERIFY(form->Button5->isEnabled());

        form->Button5->click();
        QVERIFY(!form->Button5->isEnabled());
        QCOMPARE(cell({5, 5}), QStringLiteral("3"));  // before the second placement of 3
        QCOMPARE(cell({5, 6}), QStringLiteral("12456789"));
    }

    void aTypedZeroIsNormalisedBeforeDecideReadsIt() {
        ClickCell(*form, 5, 5);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form, kEventDeadlineMs));
        form->SpinEdit1->setFocus();
        form->SpinEdit1->setText(QStringLiteral("0"));
        QCOMPARE(form->SpinEdit1->Value(), 0);
        QTest::mouseClick(form->Button2, Qt::LeftButton);
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("1"));
        QCOMPARE(cell({5, 5}), QStringLiteral("1"));
    }

    // An assistive technology presses "決定" without moving the focus.
    void aTypedZeroReadsAsOneWhenDecideIsPressedFromOutside() {
        ClickCell(*form, 5, 5);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->SpinEdit1->setFocus();
        QTRY_VERIFY(form->SpinEdit1->hasFocus());
        form->SpinEdit1->selectAll();
        QTest::keyClick(form->SpinEdit1, Qt::Key_0);
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("0"));
        QAccessibleInterface* decide = QAccessible::queryAccessibleInterface(form->Button2);
        QVERIFY(decide && decide->actionInterface());
        // The press animates the button and clicks it when the animation ends.
        decide->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE_WITH_TIMEOUT(cell({5, 5}), QStringLiteral("1"), 10000);
        QVERIFY(form->SpinEdit1->hasFocus());
        QVERIFY(dialogs->informations.isEmpty());
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("1"));
        // Any other text stays as typed, as when leaving the selector.
        form->SpinEdit1->setText(QStringLiteral("-"));
        form->Button1->click();
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("-"));
    }

    void endClosesTheWindow() {
        form->Button9->click();
        QVERIFY(!form->isVisible());
    }

    void theGridShowsEveryCellWithoutScrollBars() {
        const QImage shot = form->SG1->grab().toImage();
        QCOMPARE(shot.size(), QSize(417, 416));
        // The last grid lines are drawn and the strips beyond them are blank.
        const QColor line = shot.pixelColor(2 + 409, 2 + 100);
        QCOMPARE(line, QColor(192, 192, 192));
        QCOMPARE(shot.pixelColor(2 + 411, 2 + 100), form->SG1->palette().color(QPalette::Base));
        // A board cell shows the start of its text near its top-left corner.
        const QRect cell = BoardGrid::CellRect(5, 5).translated(2, 2);
        bool inked = false;
        for (int y = cell.top() + 2; y < cell.top() + 20; ++y)
            for (int x = cell.left() + 2; x < cell.left() + 12; ++x)
                inked |= shot.pixelColor(x, y).lightness() < 100;
        QVERIFY(inked);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
