#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "EventDeadline.h"
#include "MainWindowTestSupport.h"
#include "ScratchWindow.h"
#include "windows/main/BoardGridAccessible.h"
#include "windows/main/SpinEdit.h"
#include "windows/main/Unit1.h"

Q_DECLARE_METATYPE(quillet::GridPress)

using quillet::testing::kEventDeadlineMs;

using namespace quillet;
using namespace quillet::testing;

namespace {

// Every interface below root, depth first.
void Walk(QAccessibleInterface* root, QList<QAccessibleInterface*>& found) {
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        QVERIFY(child);
        found.append(child);
        if (child->role() != QAccessible::Table) Walk(child, found);
    }
}

}  // namespace

class AccessibilityTest : public ScratchWindowTest {
    Q_OBJECT

    QSignalSpy* announcements = nullptr;

    QAccessibleInterface* grid() { return QAccessible::queryAccessibleInterface(form->SG1); }
    bool announced(QAccessible::Event type, CellPos cell) {
        for (const QList<QVariant>& event : *announcements)
            if (event.at(0).value<QAccessible::Event>() == type &&
                event.at(1).toInt() == BoardGridAccessible::ChildIndex(cell))
                return true;
        return false;
    }

private slots:
    void initTestCase() { qRegisterMetaType<QAccessible::Event>(); }
    void init() {
        QVERIFY(OpenWindow());
        announcements = new QSignalSpy(form->SG1, &BoardGrid::Announced);
    }
    void cleanup() {
        delete announcements;
        CloseWindow();
    }

    void everyControlHasANameAndARole() {
        QList<QAccessibleInterface*> found;
        Walk(QAccessible::queryAccessibleInterface(form), found);
        QMap<QString, QAccessible::Role> roles;
        for (QAccessibleInterface* item : found) {
            const QString name = item->text(QAccessible::Name);
            if (!item->object() || !item->object()->isWidgetType()) continue;
            QVERIFY2(!name.isEmpty(), item->object()->metaObject()->className());
            roles.insert(name, item->role());
        }
        for (const char* caption :
             {"全初期化", "初期化", "戻る", "決定", "解1", "解2", "OK?", "Save", "Load", "End"})
            QCOMPARE(roles.value(QString::fromUtf8(caption)), QAccessible::PushButton);
        QCOMPARE(roles.value(QStringLiteral("盤面")), QAccessible::Table);
        QCOMPARE(roles.value(QStringLiteral("置く数字")), QAccessible::SpinBox);
        QCOMPARE(roles.value(QStringLiteral("1 増やす")), QAccessible::Button);
        QCOMPARE(roles.value(QStringLiteral("1 減らす")), QAccessible::Button);
        QCOMPARE(roles.value(QStringLiteral("盤面ファイル")), QAccessible::List);
        QCOMPARE(roles.value(QStringLiteral("ファイル名")), QAccessible::EditableText);
        QCOMPARE(roles.value(QStringLiteral("選択中のマス 1 列 1 行")), QAccessible::StaticText);
    }

    void theGridIsATableOfTheBoardCells() {
        form->State().Board().SetCell({3, 5}, "47");
        QAccessibleTableInterface* table = grid()->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 9);
        QCOMPARE(table->columnCount(), 9);
        QCOMPARE(grid()->childCount(), 81);
        QAccessibleInterface* cell = table->cellAt(4, 2);
        QVERIFY(cell && cell->tableCellInterface());
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->tableCellInterface()->columnIndex(), 2);
        QCOMPARE(cell->tableCellInterface()->rowIndex(), 4);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("47"));
        QCOMPARE(cell->text(QAccessible::Description), QStringLiteral("3 列 5 行"));
        QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("123456789"));
        QCOMPARE(grid()->indexOfChild(cell), 4 * 9 + 2);
        QCOMPARE(cell->parent(), grid());
        QCOMPARE(table->cellAt(4, 2), cell);
        QCOMPARE(grid()->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
        QVERIFY(!table->cellAt(9, 0));
        QCOMPARE(QAccessible::queryAccessibleInterface(form)->role(), QAccessible::Window);
    }

    void theSelectedCellAndItsChangesAreAnnounced() {
        ClickCell(*form, 3, 5);
        QVERIFY(announced(QAccessible::Selection, {3, 5}));
        QCOMPARE(form->Panel1->accessibleName(), QStringLiteral("選択中のマス 3 列 5 行"));
        QAccessibleInterface* cell = grid()->tableInterface()->cellAt(4, 2);
        QVERIFY(cell->state().selected);
        QCOMPARE(grid()->tableInterface()->selectedCells(), QList<QAccessibleInterface*>{cell});

        QVERIFY(announced(QAccessible::SelectionRemove, {1, 1}));
        QVERIFY(!grid()->tableInterface()->cellAt(0, 0)->state().selected);

        form->SpinEdit1->setText(QStringLiteral("7"));
        QTest::mouseClick(form->Button2, Qt::LeftButton);
        QTRY_VERIFY(announced(QAccessible::ValueChanged, {3, 5}));
        QVERIFY(announced(QAccessible::NameChanged, {3, 6}));
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("7"));

        form->SG1->setFocus();
        QTest::keyClick(form->SG1, Qt::Key_Right);
        QVERIFY(announced(QAccessible::Focus, {4, 5}));
        QVERIFY(grid()->tableInterface()->cellAt(4, 3)->state().focused);
    }

    // A placement changes 21 cells; placing the digit again and "OK?", which
    // places every solved cell again, write them all and change none.
    void onlyChangedCellsAreAnnouncedOnceEach() {
        QCoreApplication::processEvents();  // the start-up's own writes
        announcements->clear();
        form->State().Board().SetSelection({3, 5});
        form->SpinEdit1->SetValue(7);
        QTest::mouseClick(form->Button2, Qt::LeftButton);
        QTRY_VERIFY(announced(QAccessible::NameChanged, {3, 5}));
        QSet<int> renamed;
        int names = 0;
        for (const QList<QVariant>& event : *announcements) {
            if (event.at(0).value<QAccessible::Event>() != QAccessible::NameChanged) continue;
            ++names;
            renamed.insert(event.at(1).toInt());
        }
        QCOMPARE(names, 21);
        QCOMPARE(renamed.size(), 21);
        QVERIFY(renamed.contains(BoardGridAccessible::ChildIndex({2, 4})));
        QVERIFY(!renamed.contains(BoardGridAccessible::ChildIndex({4, 4})));

        announcements->clear();
        QTest::mouseClick(form->Button2, Qt::LeftButton);
        QTest::mouseClick(form->Button8, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(announcements->size(), 0);
    }

    // A reader's "press" on a cell is a left press there: the selection, the
    // panel, and a solved cell placed again.
    void aCellsPressActionIsALeftPress() {
        QSignalSpy presses(form->SG1, &BoardGrid::Pressed);
        form->State().Board().SetCell({4, 2}, "6");
        QAccessibleInterface* cell = grid()->tableInterface()->cellAt(1, 3);
        QAccessibleActionInterface* actions = cell->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        actions->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(presses.count(), 1);
        const auto press = presses.at(0).at(0).value<GridPress>();
        QCOMPARE(press.button, Qt::LeftButton);
        QVERIFY(!press.doubleClick);
        QCOMPARE(press.cell, (CellPos{4, 2}));
        QCOMPARE(form->State().Board().Selection(), (CellPos{4, 2}));
        QCOMPARE(form->Panel1->text(), QStringLiteral("4  2"));
        QCOMPARE(form->SG1->HighlightedCell(), (CellPos{4, 2}));
        QVERIFY(form->SG1->hasFocus());
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("6"));
        QCOMPARE(form->State().Board().Cell({5, 2}), "12345789");
    }

    // The Value a reader sets is what typing the number gives.
    void theSelectorIsASpinButtonWithAValue() {
        QAccessibleInterface* spin = QAccessible::queryAccessibleInterface(form->SpinEdit1);
        QAccessibleValueInterface* value = spin->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toInt(), 1);
        QCOMPARE(value->minimumValue().toInt(), 1);
        QCOMPARE(value->maximumValue().toInt(), 9);
        QCOMPARE(value->minimumStepSize().toInt(), 1);
        value->setCurrentValue(8);
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("8"));
        value->setCurrentValue(0);
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("0"));
        QCOMPARE(form->SelectorValue(), 0);
        value->setCurrentValue(12);
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("1"));
        spin->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("2"));
    }

    // A reader reads the text where it stands, and its edits are typing: the
    // box's filter and its one character.
    void theSelectorsTextIsTypedByAReader() {
        QAccessibleInterface* spin = QAccessible::queryAccessibleInterface(form->SpinEdit1);
        QAccessibleTextInterface* text = spin->textInterface();
        QAccessibleEditableTextInterface* editable = spin->editableTextInterface();
        QVERIFY(text && editable);
        QCOMPARE(text->text(0, -1), QStringLiteral("1"));
        QCOMPARE(text->characterCount(), 1);
        const QRect digit = text->characterRect(0);
        QVERIFY(QRect(form->SpinEdit1->mapToGlobal(QPoint(0, 0)), form->SpinEdit1->size())
                    .contains(digit));
        QCOMPARE(text->offsetAtPoint(digit.topLeft() + QPoint(1, 1)), 0);

        editable->replaceText(0, 1, QStringLiteral("7"));
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("7"));
        editable->replaceText(0, 1, QStringLiteral("x"));
        editable->insertText(1, QStringLiteral("3"));
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("7"));
        editable->replaceText(0, -1, QStringLiteral("45"));
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("4"));
        editable->deleteText(0, 1);
        QCOMPARE(form->SpinEdit1->text(), QString());
        QCOMPARE(form->SelectorValue(), 1);
        spin->setText(QAccessible::Value, QStringLiteral("0"));
        QCOMPARE(form->SelectorValue(), 0);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
