#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>
#include <memory>
#include <vector>

#include "PrivateSessionBus.h"
#include "boardbus/SharedNameClaim.h"

namespace quillet::boardbus {
namespace {

using testing::kEventDeadlineMs;

const QString kName = QStringLiteral("io.github.quillet.quillet");

// Windows without a display on a bus of the test's own: each a connection
// with its claim, and the one window the person is in, which the test moves
// and reports (or does not report) as it likes. The bus is the real daemon.
class Desk {
public:
    Desk() : observer_(bus_.Connect(QStringLiteral("observer"))) {}

    bool IsUp() { return bus_.IsRunning() && observer_.isConnected(); }

    // A window that has started but not joined.
    int Open() {
        const int index = static_cast<int>(windows_.size());
        auto window = std::make_unique<Window>();
        window->connection = bus_.Connect(QStringLiteral("window%1").arg(index));
        window->claim = std::make_unique<SharedNameClaim>(
            window->connection, kName, [this, index] { return personIn_ == index; });
        windows_.push_back(std::move(window));
        return index;
    }
    void Close(int index) {
        windows_[index]->claim.reset();
        QDBusConnection::disconnectFromBus(windows_[index]->connection.name());
        windows_[index].reset();
    }
    SharedNameClaim& Claim(int index) { return *windows_[index]->claim; }
    QDBusConnection& Connection(int index) { return windows_[index]->connection; }

    // The person goes to the window (or elsewhere, -1); who hears of it is
    // up to the test.
    void PersonGoesTo(int index) { personIn_ = index; }

    // The window whose connection owns the name, -1 for none.
    int Holder() {
        const QString owner = observer_.interface()->serviceOwner(kName).value();
        for (std::size_t i = 0; i < windows_.size(); ++i)
            if (windows_[i] && windows_[i]->connection.baseService() == owner)
                return static_cast<int>(i);
        return -1;
    }

    // Waits until every request has been answered and everything the bus
    // sent because of them has been heard, so that nothing more is on its way.
    bool Settle() {
        for (;;) {
            if (!QTest::qWaitFor([this] { return Unanswered() == 0; }, kEventDeadlineMs))
                return false;
            // The bus answers each connection in order: a call answered on
            // every connection means all it sent before has arrived.
            for (auto& window : windows_)
                if (window) window->connection.interface()->serviceOwner(kName);
            QCoreApplication::processEvents();
            if (Unanswered() == 0) return true;
        }
    }

private:
    struct Window {
        QDBusConnection connection{QString()};
        std::unique_ptr<SharedNameClaim> claim;
    };
    int Unanswered() const {
        int count = 0;
        for (const auto& window : windows_)
            if (window) count += window->claim->RequestsUnanswered();
        return count;
    }

    testing::PrivateSessionBus bus_;
    QDBusConnection observer_;
    std::vector<std::unique_ptr<Window>> windows_;
    int personIn_ = -1;
};

// The request a window sends when it asks to stand first, as the bus gets
// it: used to make one arrive late.
void SendRequestToStandFirst(QDBusConnection& connection) {
    QDBusMessage request = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    request << kName << 0x3U;
    connection.call(request);
}

}  // namespace

class SharedNameClaimTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowThePersonIsInTakesTheNameWhenItJoinsOrFocusComes() {
        Desk desk;
        QVERIFY2(desk.IsUp(), "dbus-daemon did not start");
        const int a = desk.Open(), b = desk.Open(), c = desk.Open();
        desk.PersonGoesTo(a);
        desk.Claim(a).Join();
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), a);
        QVERIFY(desk.Claim(a).Holds());
        // Started while the person stays in a: it waits in the queue.
        desk.Claim(b).Join();
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), a);
        // The person goes to b after it joined; Qt and the display both say
        // so, and b asks once.
        desk.PersonGoesTo(b);
        desk.Claim(b).FocusMayHaveCome();
        desk.Claim(b).FocusMayHaveCome();
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), b);
        QVERIFY(!desk.Claim(a).Holds());
        QCOMPARE(desk.Claim(b).RequestsSent(), 2);
        // ...and to c before it joined, with no report at all.
        desk.PersonGoesTo(c);
        desk.Claim(c).Join();
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), c);
        // A report of focus for a window the person is not in changes nothing.
        desk.Claim(a).FocusMayHaveCome();
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), c);
    }

    void aRequestThatArrivesAfterAnotherWindowsActivationIsTakenBack() {
        Desk desk;
        QVERIFY2(desk.IsUp(), "dbus-daemon did not start");
        const int a = desk.Open(), b = desk.Open();
        desk.PersonGoesTo(b);
        desk.Claim(b).Join();
        desk.PersonGoesTo(a);
        desk.Claim(a).Join();
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), a);
        // b asked while the person was there; the bus gets it only now.
        SendRequestToStandFirst(desk.Connection(b));
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), a);
        // Both ask at once, b on an answer the person has made old: whichever
        // the bus takes first, a ends with the name.
        desk.PersonGoesTo(b);
        desk.Claim(b).FocusMayHaveCome();
        desk.PersonGoesTo(a);
        desk.Claim(a).FocusMayHaveCome();
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), a);
    }

    void aDeactivationNeverReportedStartsNoTugOfWar() {
        Desk desk;
        QVERIFY2(desk.IsUp(), "dbus-daemon did not start");
        const int a = desk.Open(), b = desk.Open();
        desk.PersonGoesTo(a);
        desk.Claim(a).Join();
        desk.PersonGoesTo(b);
        desk.Claim(b).Join();
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), b);
        // Back to a: b never hears that the person left it, and a hears only
        // that focus may have come, as when a switch was too quick for the
        // platform to report a deactivation and a new activation.
        desk.PersonGoesTo(a);
        const int sentByB = desk.Claim(b).RequestsSent();
        desk.Claim(a).FocusMayHaveCome();
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), a);
        QCOMPARE(desk.Claim(b).RequestsSent(), sentByB);
        QCOMPARE(desk.Claim(a).RequestsSent(), 2);
    }

    void whenTheHolderClosesTheWindowThatHeldItBeforeTakesIt() {
        Desk desk;
        QVERIFY2(desk.IsUp(), "dbus-daemon did not start");
        const int a = desk.Open(), b = desk.Open(), c = desk.Open();
        for (const int window : {a, b, c}) {
            desk.PersonGoesTo(window);
            desk.Claim(window).Join();
            QVERIFY(desk.Settle());
        }
        // The person works in a, then c, then b, a moment in each, and then
        // leaves for another program.
        for (const int window : {a, c, b}) {
            desk.PersonGoesTo(window);
            desk.Claim(window).FocusMayHaveCome();
            QVERIFY(desk.Settle());
        }
        desk.PersonGoesTo(-1);
        QCOMPARE(desk.Holder(), b);
        desk.Close(b);
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), c);
        QVERIFY(desk.Claim(c).Holds());
        desk.Close(c);
        QVERIFY(desk.Settle());
        QCOMPARE(desk.Holder(), a);
        QVERIFY(desk.Claim(a).Holds());
    }
};

}  // namespace quillet::boardbus

QTEST_GUILESS_MAIN(quillet::boardbus::SharedNameClaimTest)
#include "SharedNameClaimTest.moc"
