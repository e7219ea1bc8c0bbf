// The congratulation window on a real X server: clicks are routed by the
// server, not handed to the widget, so a window shape that leaves out the
// white pixels would lose them. Runs once without and once with a
// compositing manager (QUILLET_EXPECT_COMPOSITOR says which).

#include <QtGui/qguiapplication_platform.h>
#include <QAbstractNativeEventFilter>
#include <QPainter>
#include <QScreen>
#include <QtTest>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "EventDeadline.h"
#include "PictureTime.h"
#include "ScratchWindow.h"
#include "windows/congratulation/Unit5.h"
#include "windows/congratulation/WindowTransparency.h"
#include "windows/main/BoardGrid.h"

using quillet::testing::kEventDeadlineMs;

namespace quillet {
namespace {

// A window under the congratulation window that no picture colour matches
// by chance: every pixel differs from its neighbours.
class Backdrop : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (int y = 0; y < height(); y += 8)
            for (int x = 0; x < width(); x += 8)
                painter.fillRect(x, y, 8, 8, QColor((x * 7) % 256, (y * 5) % 256, 99));
    }
};

xcb_connection_t* Connection() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// An event sent to ourselves through the X server. The server handles one
// connection's requests in order and Qt its events in order, so once the mark
// is back, everything the server sent before it (a synthetic click) has been
// handled, however slow the machine.
class ServerMark : public QAbstractNativeEventFilter {
public:
    explicit ServerMark(xcb_window_t window) : window_(window) {
        const char name[] = "QUILLET_TEST_MARK";
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            Connection(), xcb_intern_atom(Connection(), 0, sizeof name - 1, name), nullptr);
        type_ = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        qApp->installNativeEventFilter(this);
    }
    ~ServerMark() override { qApp->removeNativeEventFilter(this); }

    void Send() {
        xcb_client_message_event_t mark{};
        mark.response_type = XCB_CLIENT_MESSAGE;
        mark.format = 32;
        mark.window = window_;
        mark.type = type_;
        mark.data.data32[0] = ++sent_;
        xcb_send_event(Connection(), 0, window_, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&mark));
        xcb_flush(Connection());
    }
    bool Back() const { return received_ == sent_; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (type != "xcb_generic_event_t" || (event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* mark = reinterpret_cast<const xcb_client_message_event_t*>(event);
        if (mark->type != type_) return false;
        received_ = mark->data.data32[0];
        return true;
    }

private:
    xcb_window_t window_;
    xcb_atom_t type_;
    std::uint32_t sent_ = 0;
    std::uint32_t received_ = 0;
};

void ClickAt(QPoint global) {
    xcb_connection_t* connection = Connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto x = static_cast<int16_t>(global.x());
    const auto y = static_cast<int16_t>(global.y());
    xcb_test_fake_input(connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, x, y, 0);
    xcb_test_fake_input(connection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection);
}

QImage ScreenAt(const QRect& area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// What a widget paints now in the screen area `global`.
QImage Painted(QWidget& widget, const QRect& global) {
    return widget.grab(global.translated(-widget.mapToGlobal(QPoint(0, 0))))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// What shows in the screen area `global` where the window stands over
// `under`: the picture's strokes, fills and texts, and `under` through its
// white.
QImage Over(QImage under, const TForm5& form, const QRect& global) {
    const QImage picture = form.Image1->Canvas().Image();
    const QPoint offset = global.topLeft() - form.geometry().topLeft();
    for (int y = 0; y < under.height(); ++y)
        for (int x = 0; x < under.width(); ++x) {
            const QRgb drawn = picture.pixel(offset.x() + x, offset.y() + y);
            if ((drawn & RGB_MASK) != 0xFFFFFF) under.setPixel(x, y, drawn);
        }
    return under;
}

}  // namespace

class CongratulationClickTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        backdrop_.setGeometry(QGuiApplication::primaryScreen()->geometry());
        backdrop_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop_, kEventDeadlineMs));
        // The compositing manager may still be starting up.
        const bool compositor = qEnvironmentVariableIntValue("QUILLET_EXPECT_COMPOSITOR") != 0;
        QTRY_COMPARE_WITH_TIMEOUT(PerPixelTransparencyAvailable(), compositor, kEventDeadlineMs);
    }

    void closesOnAClickAnywhere_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QPoint>("at");
        const std::pair<const char*, QPoint> points[] = {{"centre", {225, 225}},
                                                         {"top left", {20, 20}},
                                                         {"top right", {429, 20}},
                                                         {"bottom left", {20, 429}},
                                                         {"bottom right", {429, 429}}};
        for (int picture = 0; picture < 4; ++picture)
            for (const auto& [name, at] : points)
                QTest::addRow("picture %d, %s", picture, name) << picture << at;
    }

    void closesOnAClickAnywhere() {
        QFETCH(int, picture);
        QFETCH(QPoint, at);
        const auto form = Show(picture);
        QCOMPARE(form->windowTitle(), QString::number(picture));
        ClickAt(form->mapToGlobal(at));
        QTRY_VERIFY_WITH_TIMEOUT(!form->isVisible(), kEventDeadlineMs);
        QCOMPARE(form->result(), int(QDialog::Rejected));
    }

    void aClickBesideItLeavesItOpen() {
        const auto form = Show(0);
        ServerMark mark(static_cast<xcb_window_t>(backdrop_.winId()));
        ClickAt(form->mapToGlobal(QPoint(-30, 225)));
        mark.Send();
        QTRY_VERIFY_WITH_TIMEOUT(mark.Back(), kEventDeadlineMs);
        QVERIFY(form->isVisible());
        ClickAt(form->mapToGlobal(QPoint(225, 225)));
        QTRY_VERIFY_WITH_TIMEOUT(!form->isVisible(), kEventDeadlineMs);
    }

    // Only the strokes, fills and texts cover what was on the screen. What
    // was there is the backdrop as it paints itself: a copy of the screen
    // could still hold the window of the test before, until the X server or
    // the compositing manager has caught up with its closing.
    void showsThePictureOverTheScreen() {
        const QRect area = CentredArea();
        const auto form = Show(1);
        QCOMPARE(form->geometry(), area);
        QTRY_COMPARE_WITH_TIMEOUT(ScreenAt(area), Over(Painted(backdrop_, area), *form, area),
                                  kEventDeadlineMs);
    }

    // "OK?" writes its last cells and opens the window in one command, before
    // the main window has painted them: the board that shows through the
    // picture is the one those writes left.
    void showsTheBoardAsTheCommandLeftIt() {
        testing::ScratchWindow main;
        main.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.form, kEventDeadlineMs));
        const QRect grid(main.form.SG1->mapToGlobal(QPoint(0, 0)), main.form.SG1->size());
        const QRect shared = grid.intersected(CentredArea());
        QVERIFY(shared.width() > 200 && shared.height() > 200);
        QTRY_COMPARE_WITH_TIMEOUT(ScreenAt(shared), Painted(*main.form.SG1, shared),
                                  kEventDeadlineMs);

        for (int row = 1; row <= 9; ++row)
            for (int col = 1; col <= 9; ++col) main.form.State().Board().SetCell({col, row}, "2");
        const auto form = Show(3, &main.form);
        QTRY_COMPARE_WITH_TIMEOUT(ScreenAt(shared),
                                  Over(Painted(*main.form.SG1, shared), *form, shared),
                                  kEventDeadlineMs);
    }

private:
    // Shown without a nested loop, as a modal window is, over the backdrop
    // or the window given.
    std::unique_ptr<TForm5> Show(int picture, QWidget* over = nullptr) {
        const QTime time = testing::TimeOfPicture(picture);
        auto form = std::make_unique<TForm5>(over ? over : &backdrop_, [time] { return time; });
        form->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(form.get(), kEventDeadlineMs)); }();
        return form;
    }

    // Where the window stands on the screen: centred.
    QRect CentredArea() const {
        const QRect screen = backdrop_.geometry();
        return {screen.topLeft() + QPoint((screen.width() - 450) / 2, (screen.height() - 450) / 2),
                QSize(450, 450)};
    }

    Backdrop backdrop_;
};

}  // namespace quillet

QTEST_MAIN(quillet::CongratulationClickTest)
#include "CongratulationClickTest.moc"
