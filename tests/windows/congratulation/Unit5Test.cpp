#include "EventDeadline.h"
#include "windows/congratulation/Unit5.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "PictureTime.h"
#include "drawing/QImageCanvas.h"
#include "pictures/Pictures.h"

using quillet::testing::kEventDeadlineMs;

namespace quillet {

namespace {

using testing::TimeOfPicture;

void AddPictureRows() {
    QTest::addColumn<int>("picture");
    for (int picture = 0; picture < 4; ++picture) QTest::addRow("picture %d", picture) << picture;
}

}  // namespace

class Unit5Test : public QObject {
    Q_OBJECT

private slots:
    void activationDrawsThePictureOfTheTimeOfDay_data() { AddPictureRows(); }

    void activationDrawsThePictureOfTheTimeOfDay() {
        QFETCH(int, picture);
        const QTime time = TimeOfPicture(picture);
        RandomGenerator random;
        // The same generator run draws the expected bitmap.
        random.Randomize(time);
        random.Random(4);
        QImageCanvas expected;
        const std::function<void(Canvas&)> draw[] = {
            [](Canvas& s) { DrawCrown(s, 450, 450); }, [](Canvas& s) { DrawBlossom(s, 450, 450); },
            [&random](Canvas& s) { DrawSpiralFlowerCircle(s, 450, 450, random); },
            [](Canvas& s) { DrawRingedFlowerCircle(s, 450, 450); }};
        draw[picture](expected);

        TForm5 form(nullptr, [time] { return time; });
        form.resize(300, 200);  // a stored size scaled to the screen
        QCOMPARE(form.windowTitle(), QStringLiteral("Form5"));
        form.show();
        QCOMPARE(form.windowTitle(), QString::number(picture));
        QCOMPARE(form.size(), QSize(450, 450));
        QCOMPARE(form.Image1->geometry(), QRect(0, 0, 450, 450));
        QCOMPARE(form.Image1->Canvas().Image(), expected.Image());
    }

    void assistiveTechnologyHearsThePictureAndHowToClose_data() { AddPictureRows(); }

    void assistiveTechnologyHearsThePictureAndHowToClose() {
        QFETCH(int, picture);
        const QTime time = TimeOfPicture(picture);
        TForm5 form(nullptr, [time] { return time; });
        form.show();
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("よくできました！"));
        QVERIFY(window->text(QAccessible::Description).contains(QStringLiteral("クリック")));
        QAccessibleInterface* image = QAccessible::queryAccessibleInterface(form.Image1);
        QCOMPARE(image->role(), QAccessible::Graphic);
        const QStringList names{QStringLiteral("冠の絵"), QStringLiteral("桜の絵"),
                                QStringLiteral("渦巻きの花丸の絵"), QStringLiteral("輪の花丸の絵")};
        QCOMPARE(image->text(QAccessible::Name), names.at(picture));
        QVERIFY(image->text(QAccessible::Description)
                    .contains(QStringLiteral("クリックすると閉じます")));
    }

    void isABorderlessModalWindowCentredOnTheScreen() {
        TForm5 form;
        QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(form.isModal());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(form.pos(), screen.topLeft() +
                                 QPoint((screen.width() - 450) / 2, (screen.height() - 450) / 2));
        form.show();
        QVERIFY(QStringList({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                             QStringLiteral("3")})
                    .contains(form.windowTitle()));
    }

    void laterActivationsDoNotDrawAgain() {
        TForm5 form;
        form.show();
        form.setWindowTitle(QStringLiteral("marked"));
        form.Image1->Canvas().Image().setPixel(1, 1, qRgb(1, 2, 3));
        const QImage marked = form.Image1->Canvas().Image().copy();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&form, &activate);
        form.hide();
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("marked"));
        QCOMPARE(form.Image1->Canvas().Image(), marked);
    }

    void leavesOutThePixelsOfTheBottomLeftColour() {
        TForm5 form;
        form.show();
        const QImage bitmap = form.Image1->Canvas().Image();
        const QImage painted = form.Image1->PaintedImage();
        QCOMPARE(TransparentKey(bitmap), QRgb(0xFFFFFF));
        for (int y = 0; y < 450; y += 3) {
            for (int x = 0; x < 450; x += 3) {
                const bool white = (bitmap.pixel(x, y) & RGB_MASK) == 0xFFFFFF;
                QCOMPARE(qAlpha(painted.pixel(x, y)), white ? 0 : 255);
            }
        }
        // No shape cuts the window: every pixel of it takes clicks.
        QCOMPARE(form.mask(), QRegion());
    }

    void closesOnALeftClickAnywhereButOnNoKey() {
        for (const QPoint at : {QPoint(0, 449), QPoint(225, 225), QPoint(449, 0)}) {
            TForm5 form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form, kEventDeadlineMs));
            for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space})
                QTest::keyClick(&form, key);
            QTest::mouseClick(form.Image1, Qt::RightButton, {}, at);
            QVERIFY(form.isVisible());
            QTest::mouseClick(form.Image1, Qt::LeftButton, {}, at);
            QVERIFY(!form.isVisible());
            QCOMPARE(form.result(), int(QDialog::Rejected));
        }
    }

    void showingWaitsForTheClickAndDestroysTheWindow() {
        QWidget parent;
        parent.show();
        QPointer<TForm5> shown;
        bool timedOut = false;
        QTimer clicker;
        connect(&clicker, &QTimer::timeout, [&] {
            if (auto* form = qobject_cast<TForm5*>(QApplication::activeModalWidget())) {
                shown = form;
                QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(10, 10));
            }
        });
        QTimer timeout;
        timeout.setSingleShot(true);
        connect(&timeout, &QTimer::timeout, [&] {
            timedOut = true;
            if (auto* form = qobject_cast<TForm5*>(QApplication::activeModalWidget()))
                form->reject();
        });
        timeout.start(kEventDeadlineMs);  // only a window that never closes reaches it
        clicker.start(10);
        ShowCongratulationWindow(&parent);
        QVERIFY(!timedOut);
        QVERIFY(shown.isNull());
        QVERIFY(parent.findChildren<TForm5*>().isEmpty());
    }
};

}  // namespace quillet

QTEST_MAIN(quillet::Unit5Test)
#include "Unit5Test.moc"
