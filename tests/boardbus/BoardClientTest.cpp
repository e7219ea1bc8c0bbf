#include <QApplication>
#include <QDBusMessage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "PrivateSessionBus.h"
#include "ScratchWindow.h"
#include "app/BoardBus.h"
#include "boardbus/BoardClient.h"

namespace quillet::boardbus {
namespace {

using testing::kEventDeadlineMs;

// Keeps the arguments of each Changed signal a connection hears.
class SignalRecorder : public QObject {
    Q_OBJECT
public:
    QList<QVariantList> heard;
public slots:
    void Heard(const QDBusMessage& message) { heard.append(message.arguments()); }
};

}  // namespace

// The coach's side of the one client, against the real window on a bus of
// the test's own: it follows the window, hears each change with the board
// in it, and sends commands without waiting.
class BoardClientTest : public testing::ScratchWindowTest {
    Q_OBJECT

private slots:
    void init() {
        bus = std::make_unique<testing::PrivateSessionBus>();
        QVERIFY2(bus->IsRunning(), "dbus-daemon did not start");
        QVERIFY(OpenWindow(false));
        offered = std::make_unique<BoardBus>(*form, bus->Connect(QStringLiteral("window")));
        client = std::make_unique<BoardClient>(bus->Connect(QStringLiteral("client")));
    }
    void cleanup() {
        client.reset();
        offered.reset();
        CloseWindow();
        bus.reset();
    }

    void followsTheWindowAndHearsEachChangeWithTheBoardInIt() {
        QSignalSpy found(client.get(), &BoardClient::WindowChanged);
        QList<BoardReading> boards;
        connect(client.get(), &BoardClient::BoardChanged, this,
                [&](const BoardReading& board) { boards.append(board); });
        client->Follow();
        QTRY_COMPARE_WITH_TIMEOUT(found.size(), 1, kEventDeadlineMs);
        QCOMPARE(found.takeFirst().value(0).toBool(), false);

        const QByteArray notText("\xff\x80", 2);
        board().SetCell({2, 3}, std::string_view(notText.data(), 2));
        QVERIFY(offered->Offer());
        QTRY_COMPARE_WITH_TIMEOUT(boards.size(), 1, kEventDeadlineMs);
        QCOMPARE(found.takeFirst().value(0).toBool(), true);
        QCOMPARE(boards[0].cells.size(), 81);
        QCOMPARE(boards[0].cells[9 + 2], notText);  // column-major: column 2, row 3

        SignalRecorder raw;
        QVERIFY(bus->Connect(QStringLiteral("raw"))
                    .connect(QString(), ObjectPath(), InterfaceName(), QStringLiteral("Changed"),
                             &raw, SLOT(Heard(QDBusMessage))));
        QCOMPARE(form->PlaceFromOutside({3, 5}, 7), std::optional<bool>(true));
        QTRY_COMPARE_WITH_TIMEOUT(boards.size(), 2, kEventDeadlineMs);
        QCOMPARE(boards[1].cells[18 + 4], QByteArray("7"));
        QCOMPARE(boards[1].cells[18 + 5], QByteArray("12345689"));
        QCOMPARE((std::pair{boards[1].selectedColumn, boards[1].selectedRow}), (std::pair{3, 5}));
        QVERIFY(boards[1].undoAvailable);
        // One message for the change: the signal carries the board whole.
        QTRY_COMPARE_WITH_TIMEOUT(raw.heard.size(), 1, kEventDeadlineMs);
        QCOMPARE(qdbus_cast<QList<QByteArray>>(raw.heard[0].value(0)), boards[1].cells);
        QCOMPARE(raw.heard[0].mid(1), (QVariantList{3, 5, true}));

        // The window's program ends: its names go with its connection.
        offered.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("window"));
        QTRY_COMPARE_WITH_TIMEOUT(found.size(), 1, kEventDeadlineMs);
        QCOMPARE(found.takeFirst().value(0).toBool(), false);
    }

    void commandsAreAnsweredLaterBusyBoxIncluded() {
        QVERIFY(offered->Offer());
        client->Follow();
        QTRY_VERIFY_WITH_TIMEOUT(client->HasWindow(), kEventDeadlineMs);
        QList<CommandAnswer> answers;
        connect(client.get(), &BoardClient::Answered, this,
                [&](const CommandAnswer& answer) { answers.append(answer); });

        client->StrikeLater({{ColumnMajorIndex({1, 1}), 4}, {ColumnMajorIndex({9, 9}), 4}});
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, kEventDeadlineMs);
        QCOMPARE(answers[0].problem, CallProblem::kNone);
        QVERIFY(answers[0].taken);
        QCOMPARE(board().Cell({9, 9}), "12356789");

        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form, kEventDeadlineMs));
        form->PopupMenu1->popup(form->mapToGlobal(QPoint(20, 20)));
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activePopupWidget(), kEventDeadlineMs);
        client->PlaceLater(1, 1, 1);
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 2, kEventDeadlineMs);
        QCOMPARE(answers[1].problem, CallProblem::kBusy);
        QVERIFY(!answers[1].taken);
        form->PopupMenu1->close();
    }

private:
    std::unique_ptr<testing::PrivateSessionBus> bus;
    std::unique_ptr<BoardBus> offered;
    std::unique_ptr<BoardClient> client;
};

}  // namespace quillet::boardbus

QTEST_MAIN(quillet::boardbus::BoardClientTest)
#include "BoardClientTest.moc"
