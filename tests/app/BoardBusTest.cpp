#include <QApplication>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "PrivateSessionBus.h"
#include "ScratchWindow.h"
#include "app/BoardBus.h"
#include "windows/main/SpinEdit.h"

namespace quillet {
namespace {

using testing::kEventDeadlineMs;

// Counts the Changed signals a client hears.
class ChangeListener : public QObject {
    Q_OBJECT
public:
    int heard = 0;
public slots:
    void Heard() { ++heard; }
};

// Candidates as the bus carries them: column, row, digit.
QVariant Strikes(std::initializer_list<std::array<int, 3>> strikes) {
    QList<Candidate> list;
    for (const auto& [column, row, digit] : strikes)
        list.append({ColumnMajorIndex({column, row}), digit});
    return QVariant::fromValue(list);
}

}  // namespace

// The real window offered on a session bus of the test's own, and used there
// as the coach and quillet-board use it: through a second connection.
class BoardBusTest : public testing::ScratchWindowTest {
    Q_OBJECT

private slots:
    void init() {
        bus = std::make_unique<testing::PrivateSessionBus>();
        QVERIFY2(bus->IsRunning(), "dbus-daemon did not start");
        QVERIFY(OpenWindow(false));
        offered = std::make_unique<BoardBus>(*form, bus->Connect(QStringLiteral("window")));
        client = bus->Connect(QStringLiteral("client"));
        QVERIFY(client.isConnected());
    }
    void cleanup() {
        offered.reset();
        CloseWindow();
        bus.reset();
    }

    void offeredOnlyAfterTheFirstPaintUnderTheWindowsNameAndThePrimaryOne() {
        offered->OfferAfterFirstPaint();
        QCoreApplication::processEvents();
        QVERIFY(!client.interface()->isServiceRegistered(WindowName()).value());
        form->show();
        QTRY_VERIFY_WITH_TIMEOUT(client.interface()->isServiceRegistered(WindowName()).value(),
                                 kEventDeadlineMs);
        // The window the person is in stands first for the primary name.
        const QString window = client.interface()->serviceOwner(WindowName()).value();
        QTRY_COMPARE_WITH_TIMEOUT(client.interface()->serviceOwner(BoardBus::PrimaryName()).value(),
                                  window, kEventDeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(offered->HoldsPrimaryName(), kEventDeadlineMs);
    }

    void readsCellsAsBytesTheSelectionAndUndo() {
        QVERIFY(offered->Offer());
        const QByteArray notText(
            "\xff\x80"
            "4\x00",
            4);
        board().SetCell({2, 3}, std::string_view(notText.data(), 4));
        board().SetSelection({10, 4});
        const QVariantMap all = Properties();
        const auto cells = qdbus_cast<QList<QByteArray>>(all.value(QStringLiteral("Cells")));
        QCOMPARE(cells.size(), 81);
        QCOMPARE(cells[9 + 2], notText);  // column-major: column 2, row 3
        QCOMPARE(cells[80], QByteArray("123456789"));
        QCOMPARE(all.value(QStringLiteral("SelectedColumn")).toInt(), 10);
        QCOMPARE(all.value(QStringLiteral("SelectedRow")).toInt(), 4);
        QCOMPARE(all.value(QStringLiteral("UndoAvailable")).toBool(), false);
    }

    void placeSelectsAndRunsThePopupDigitRefusalBoxIncluded() {
        QVERIFY(offered->Offer());
        ChangeListener listener;
        QVERIFY(client.connect(WindowName(), Path(), Interface(), QStringLiteral("Changed"),
                               &listener, SLOT(Heard())));
        QCOMPARE(Call(QStringLiteral("Place"), {3, 5, 7}).arguments().value(0), QVariant(true));
        QCOMPARE(board().Cell({3, 5}), "7");
        QCOMPARE(board().Cell({3, 6}), "12345689");
        QCOMPARE(board().Selection(), (CellPos{3, 5}));
        QCOMPARE(form->Panel1->text(), QStringLiteral("3  5"));
        QCOMPARE(form->SpinEdit1->Value(), 7);
        QVERIFY(form->Button5->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(listener.heard, 1, kEventDeadlineMs);

        QCOMPARE(Call(QStringLiteral("Place"), {3, 6, 7}).arguments().value(0), QVariant(false));
        QCOMPARE(dialogs->informations, QStringList{QStringLiteral("その数字は入力できません。")});
        QCOMPARE(board().Cell({3, 6}), "12345689");
        QCOMPARE(board().Selection(), (CellPos{3, 6}));
        // One signal for each command, however many cells it wrote.
        QTRY_COMPARE_WITH_TIMEOUT(listener.heard, 2, kEventDeadlineMs);

        const QDBusMessage wrong = Call(QStringLiteral("Place"), {0, 5, 7});
        QCOMPARE(wrong.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    }

    void strikeIsOneStepThatUndoTakesBack() {
        QVERIFY(offered->Offer());
        board().SetCell({9, 9}, "48");
        // Any digits from any cells, as a step of solving lists them.
        const QDBusMessage struck =
            Call(QStringLiteral("Strike"), {Strikes({{1, 1, 4}, {9, 9, 4}, {2, 2, 7}})});
        QCOMPARE(struck.arguments().value(0), QVariant(true));
        QCOMPARE(board().Cell({1, 1}), "12356789");
        QCOMPARE(board().Cell({9, 9}), "8");
        QCOMPARE(board().Cell({2, 2}), "12345689");
        QVERIFY(form->Button5->isEnabled());
        QTest::mouseClick(form->Button5, Qt::LeftButton);
        QCOMPARE(board().Cell({1, 1}), "123456789");
        QCOMPARE(board().Cell({9, 9}), "48");
        QCOMPARE(board().Cell({2, 2}), "123456789");

        // Emptying a cell is refused in the window's box.
        const QDBusMessage refused =
            Call(QStringLiteral("Strike"), {Strikes({{9, 9, 4}, {9, 9, 8}})});
        QCOMPARE(refused.arguments().value(0), QVariant(false));
        QCOMPARE(dialogs->informations, QStringList{QStringLiteral("その候補は消せません。")});
        QCOMPARE(board().Cell({9, 9}), "48");
        QVERIFY(!form->Button5->isEnabled());
    }

    void noCommandWhileTheWindowTakesNoInput() {
        QVERIFY(offered->Offer());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form, kEventDeadlineMs));
        form->PopupMenu1->popup(form->mapToGlobal(QPoint(20, 20)));
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activePopupWidget(), kEventDeadlineMs);
        const QDBusMessage busy = Call(QStringLiteral("Place"), {1, 1, 1});
        QCOMPARE(busy.errorName(), QStringLiteral("io.github.quillet.quillet.Error.Busy"));
        QCOMPARE(board().Cell({1, 1}), "123456789");
        form->PopupMenu1->close();
    }

private:
    static QString WindowName() { return BoardBus::WindowName(QCoreApplication::applicationPid()); }
    static QString Path() { return QStringLiteral("/io/github/quillet/quillet/Board"); }
    static QString Interface() { return BoardBus::PrimaryName() + QStringLiteral(".Board"); }

    // A call made as another program makes it; the window answers meanwhile.
    QDBusMessage Call(const QString& method, const QVariantList& arguments) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(WindowName(), Path(), Interface(), method);
        call.setArguments(arguments);
        return client.call(call, QDBus::BlockWithGui, kEventDeadlineMs);
    }
    QVariantMap Properties() {
        QDBusMessage call = QDBusMessage::createMethodCall(
            WindowName(), Path(), QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("GetAll"));
        call << Interface();
        const QDBusReply<QVariantMap> reply =
            client.call(call, QDBus::BlockWithGui, kEventDeadlineMs);
        return reply.value();
    }

    std::unique_ptr<testing::PrivateSessionBus> bus;
    std::unique_ptr<BoardBus> offered;
    QDBusConnection client{QString()};
};

}  // namespace quillet

QTEST_MAIN(quillet::BoardBusTest)
#include "BoardBusTest.moc"
