#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <functional>

#include "app/ModalDialogs.h"
#include "platform/WindowStart.h"
#include "windows/congratulation/PictureImage.h"
#include "windows/congratulation/Unit5.h"
#include "windows/main/BoardGrid.h"
#include "windows/main/OwnTitleBar.h"
#include "windows/main/Unit1.h"

using namespace quillet;

namespace {

constexpr int kDeadlineMs = 30000;

// Runs `look` on the modal window once the compositor shows it, from inside
// the window's own event loop; `look` closes it. A window that never shows
// is closed at the deadline, and the test fails.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget*)> look) : look_(std::move(look)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
        waited_.start();
    }
    bool seen = false;

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->windowHandle() && modal->windowHandle()->isExposed()) {
            timer_.stop();
            seen = true;
            look_(modal);
        } else if (waited_.hasExpired(kDeadlineMs)) {
            timer_.stop();
            if (modal) modal->close();
        }
    }
    std::function<void(QWidget*)> look_;
    QTimer timer_;
    QElapsedTimer waited_;
};

}  // namespace

// The windows as a Wayland compositor shows them (run under with-weston).
class WaylandWindowsTest : public QObject {
    Q_OBJECT

    ModalDialogs dialogs;
    TForm1* form = nullptr;

private slots:
    void init() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        form = new TForm1(dialogs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form, kDeadlineMs));
    }
    void cleanup() { delete form; }

    void theBoxesAreModalToTheMainWindow() {
        QWindow* parentSeen = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
        ModalWatch watch([&](QWidget* box) {
            parentSeen = box->windowHandle()->transientParent();
            modality = box->windowModality();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        dialogs.ShowInformation(form, QStringLiteral("その数字は入力できません。"));
        QVERIFY(watch.seen);
        QCOMPARE(parentSeen, form->windowHandle());
        QVERIFY(modality != Qt::NonModal);
    }

    // Translucent, modal to the main window, and closed by a click on one of
    // the pixels it leaves out: nothing cuts the surface's input region.
    void theCongratulationWindowIsTranslucentAndClosesOnAnyClick() {
        bool translucent = false, unmasked = false;
        QWindow* parentSeen = nullptr;
        ModalWatch watch([&](QWidget* window) {
            auto* congratulation = qobject_cast<TForm5*>(window);
            if (!congratulation) {
                window->close();
                return;
            }
            translucent = congratulation->testAttribute(Qt::WA_TranslucentBackground) &&
                          congratulation->windowHandle()->requestedFormat().hasAlpha();
            unmasked = congratulation->mask().isEmpty() &&
                       congratulation->windowHandle()->mask().isEmpty();
            parentSeen = congratulation->windowHandle()->transientParent();
            QTest::mouseClick(congratulation->Image1, Qt::LeftButton, {}, QPoint(3, 3));
        });
        dialogs.ShowCongratulation(form);
        QVERIFY(watch.seen);
        QVERIFY(translucent);
        QVERIFY(unmasked);
        QCOMPARE(parentSeen, form->windowHandle());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Weston leaves the title bar to the program. Qt's own would offer
    // maximise, so the window starts as the program starts it, with a title
    // bar of its own: the caption, a minimise box and the close box.
    void theOwnTitleBarOffersMinimiseAndCloseOnly() {
        int argc = 1;
        char name[] = "quillet";
        char* argv[] = {name, nullptr};
        QVERIFY(WindowStart(argc, argv, "quillet").TitleBarsLeftToProgram());
        TForm1 own(dialogs);
        OwnTitleBar* bar = OwnTitleBar::Install(own);
        own.show();
        QVERIFY(QTest::qWaitForWindowExposed(&own, kDeadlineMs));
        // Nothing drawn around it by Qt, and the controls below the bar.
        QCOMPARE(own.frameGeometry(), own.geometry());
        QCOMPARE(own.size(), QSize(534, 416 + bar->height()));
        QCOMPARE(own.SG1->geometry(), QRect(0, bar->height(), 417, 416));
        QStringList boxes;
        for (const QToolButton* box : bar->findChildren<QToolButton*>())
            boxes.append(box->accessibleName());
        QCOMPARE(boxes, (QStringList{QStringLiteral("最小化"), QStringLiteral("閉じる")}));

        QTest::mouseClick(bar->MinimiseBox(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(own.windowState() & Qt::WindowMinimized, kDeadlineMs);
        QTest::mouseClick(bar->CloseBox(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!own.isVisible(), kDeadlineMs);
    }
};

QTEST_MAIN(WaylandWindowsTest)
#include "WaylandWindowsTest.moc"
