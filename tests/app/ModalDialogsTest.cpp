#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/ModalDialogs.h"
#include "windows/main/ProgramTitle.h"

using namespace quillet;

// Looks at the box that is open, then closes it with a key.
class BoxInspector {
public:
    void CloseWith(Qt::Key key) {
        QTimer::singleShot(0, [this, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seen = true;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons().size();
            okIsDefault = box->defaultButton() && box->defaultButton() == box->escapeButton();
            QTest::keyClick(box, key);
        });
    }
    bool seen = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    bool okIsDefault = false;
};

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void informationBoxHasTitleNoIconAndOneOk() {
        ModalDialogs dialogs;
        BoxInspector inspector;
        inspector.CloseWith(Qt::Key_Escape);
        dialogs.ShowInformation(nullptr, QStringLiteral("その数字は入力できません。"));
        QVERIFY(inspector.seen);
        QCOMPARE(inspector.title, QStringLiteral("dialogs_test"));
        QCOMPARE(inspector.title, ProgramTitle());
        QCOMPARE(inspector.text, QStringLiteral("その数字は入力できません。"));
        QCOMPARE(inspector.icon, QMessageBox::NoIcon);
        QCOMPARE(inspector.buttons, 1);
        QVERIFY(inspector.okIsDefault);
    }

    void errorBoxHasTheStopIcon() {
        ModalDialogs dialogs;
        BoxInspector inspector;
        inspector.CloseWith(Qt::Key_Return);
        dialogs.ShowError(nullptr, QStringLiteral("ファイル x.cgd は開けません."));
        QVERIFY(inspector.seen);
        QCOMPARE(inspector.icon, QMessageBox::Critical);
        QCOMPARE(inspector.buttons, 1);
    }
};

QTEST_MAIN(DialogsTest)
#include "ModalDialogsTest.moc"
