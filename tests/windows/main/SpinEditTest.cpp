#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QToolButton>

#include "EventDeadline.h"
#include "windows/main/SpinEdit.h"

using quillet::testing::kEventDeadlineMs;

using quillet::SpinEdit;

class SpinEditTest : public QObject {
    Q_OBJECT

    SpinEdit* spin = nullptr;
    QWidget* window = nullptr;
    QLineEdit* other = nullptr;

private slots:
    void init() {
        window = new QWidget;
        spin = new SpinEdit(window);
        spin->setGeometry(0, 0, 49, 26);
        other = new QLineEdit(window);
        other->setGeometry(0, 40, 49, 26);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window, kEventDeadlineMs));
        spin->setFocus();
    }
    void cleanup() { delete window; }

    void readsTextWithoutClamping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("digit") << "7" << 7;
        QTest::newRow("zero reads as zero") << "0" << 0;
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("minus") << "-" << 1;
        QTest::newRow("plus") << "+" << 1;
        QTest::newRow("dollar") << "$" << 1;
        QTest::newRow("letter") << "a" << 1;
        QTest::newRow("full-width digit") << "５" << 1;
    }
    void readsTextWithoutClamping() {
        QFETCH(QString, text);
        QFETCH(int, value);
        spin->setText(text);
        QCOMPARE(spin->Value(), value);
    }

    void settingClampsAndWritesTheNormalForm() {
        spin->SetValue(0);
        QCOMPARE(spin->text(), QStringLiteral("1"));
        spin->SetValue(12);
        QCOMPARE(spin->text(), QStringLiteral("9"));
        spin->SetValue(-40);
        QCOMPARE(spin->text(), QStringLiteral("1"));
    }

    void arrowsAndKeysStepWithoutWrapping() {
        spin->SetValue(9);
        QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
        QCOMPARE(spin->text(), QStringLiteral("9"));
        QTest::keyClick(spin, Qt::Key_Down);
        QCOMPARE(spin->text(), QStringLiteral("8"));
        spin->SetValue(1);
        QTest::mouseClick(spin->DownButton(), Qt::LeftButton);
        QCOMPARE(spin->text(), QStringLiteral("1"));
        QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(spin->text(), QStringLiteral("3"));
        // A step from an unreadable text starts at the minimum.
        spin->setText(QStringLiteral("-"));
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(spin->text(), QStringLiteral("2"));
    }

    // The timing is the button's own: checked by its settings and its effect,
    // never by counting steps in a stretch of time a loaded machine stretches.
    void aHeldArrowRepeatsAfterItsDelayUpToTheMaximum() {
        for (QToolButton* arrow : {spin->UpButton(), spin->DownButton()}) {
            QVERIFY(arrow->autoRepeat());
            QCOMPARE(arrow->autoRepeatDelay(), 400);
            QCOMPARE(arrow->autoRepeatInterval(), 100);
        }
        spin->SetValue(1);
        other->setFocus();
        QElapsedTimer held;
        held.start();
        QTest::mousePress(spin->UpButton(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), spin);
        QCOMPARE(spin->text(), QStringLiteral("1"));  // a press alone does not step
        QTRY_VERIFY_WITH_TIMEOUT(spin->Value() >= 2, kEventDeadlineMs);
        // Timers may fire up to 5 % early, never sooner.
        QVERIFY2(held.elapsed() >= 380, qPrintable(QString::number(held.elapsed())));
        QTRY_COMPARE_WITH_TIMEOUT(spin->text(), QStringLiteral("9"), kEventDeadlineMs);
        QTest::mouseRelease(spin->UpButton(), Qt::LeftButton);
        QCOMPARE(spin->text(), QStringLiteral("9"));
    }

    void typingIsFilteredToOneNumberCharacter() {
        spin->clear();
        QTest::keyClick(spin, Qt::Key_A);
        QCOMPARE(spin->text(), QString());
        QTest::keyClick(spin, Qt::Key_Return);
        QCOMPARE(spin->text(), QString());
        QTest::keyClick(spin, Qt::Key_Minus);
        QCOMPARE(spin->text(), QStringLiteral("-"));
        QTest::keyClick(spin, Qt::Key_5);  // at most one character
        QCOMPARE(spin->text(), QStringLiteral("-"));
        QTest::keyClick(spin, Qt::Key_Backspace);
        QTest::keyClick(spin, Qt::Key_7);
        QCOMPARE(spin->text(), QStringLiteral("7"));
    }

    void leavingTheBoxNormalisesOnlyNumbersOutOfRange() {
        spin->setText(QStringLiteral("0"));
        QTest::keyClick(spin, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), other);
        QCOMPARE(spin->text(), QStringLiteral("1"));

        spin->setFocus();
        spin->setText(QStringLiteral("-"));
        other->setFocus();
        QCOMPARE(spin->text(), QStringLiteral("-"));
    }
};

QTEST_MAIN(SpinEditTest)
#include "SpinEditTest.moc"
