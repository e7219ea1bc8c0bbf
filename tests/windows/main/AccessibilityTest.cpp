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

class AccessibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScratchWindow> window;
    RecordingDialogs* dialogs = nullptr;
    TForm1* form = nullptr;

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
        window = std::make_unique<ScratchWindow>();
        dialogs = &window->dialogs;
        form = &window->form;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form, kEventDeadlineMs));
        announcements = new QSignalSpy(form->SG1, &BoardGrid::Announced);
    }
    void cleanup() {
        delete announcements;
        window.reset();
    }

    void everyControlHasANameAndARole() {
        QList<QAccessibleInterface*> found;
        Walk(QAccessible::queryAccessibleInterface(form), found);
        QMap<QString, QAccessible::Role> roles;
        for (QAccessibleInterface* item : found) {
            const QString name = item->text(QAccessible::Name);
            if (!item->object() || !item->object()->isWidgetType()) continue;
            QVERIFY2(!name.isEmpty(), qPrintable(item->object()->metaObject()->className()));
            roles.insert(name, item->role());
        }
        for (const char* caption :
             {"全初期化", "初期化", "戻る", "決定", "解1", "解2", "OK?", "Save", "Load", "End"})
            QCOMPARE(roles.value(QString::fromUtf8(caption)), QAccessible::PushButton);
        QCOMPARE(roles.value(QStringLiteral("盤面")), QAccessible::Table);
        QCOMPARE(roles.value(QStringLiteral("置く数字")), QAccessible::EditableText);
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
    }

    void theSelectedCellAndItsChangesAreAnnounced() {
        ClickCell(*form, 3, 5);
        QVERIFY(announced(QAccessible::Selection, {3, 5}));
        QCOMPARE(form->Panel1->accessibleName(), QStringLiteral("選択中のマス 3 列 5 行"));
        QAccessibleInterface* cell = grid()->tableInterface()->cellAt(4, 2);
        QVERIFY(cell->state().selected);
        QCOMPARE(grid()->tableInterface()->selectedCells(), QList<QAccessibleInterface*>{cell});

        form->SpinEdit1->setText(QStringLiteral("7"));
        QTest::mouseClick(form->Button2, Qt::LeftButton);
        QVERIFY(announced(QAccessible::ValueChanged, {3, 5}));
        QVERIFY(announced(QAccessible::NameChanged, {3, 6}));
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("7"));

        form->SG1->setFocus();
        QTest::keyClick(form->SG1, Qt::Key_Right);
        QVERIFY(announced(QAccessible::Focus, {4, 5}));
        QVERIFY(grid()->tableInterface()->cellAt(4, 3)->state().focused);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
