#include "WindowBus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include "board/BoardGeometry.h"

namespace quillet::coach {
namespace {

const QString kPrimaryName = QStringLiteral(QUILLET_APP_ID);
const QString kWindowNamePrefix = QStringLiteral(QUILLET_APP_ID ".Window_");
const QString kPath = QStringLiteral("/io/github/quillet/quillet/Board");
const QString kInterface = QStringLiteral(QUILLET_APP_ID ".Board");
const QString kBusyError = QStringLiteral(QUILLET_APP_ID ".Error.Busy");
// A refusal is answered once the user has closed the window's box.
constexpr int kCommandDeadlineMs = 10 * 60 * 1000;

// (iii) on the bus: column, row, digit.
struct BusStrike {
    int column = 0;
    int row = 0;
    int digit = 0;
};

}  // namespace
}  // namespace quillet::coach

Q_DECLARE_METATYPE(quillet::coach::BusStrike)

namespace quillet::coach {
namespace {

QDBusArgument& operator<<(QDBusArgument& argument, const BusStrike& strike) {
    argument.beginStructure();
    argument << strike.column << strike.row << strike.digit;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BusStrike& strike) {
    argument.beginStructure();
    argument >> strike.column >> strike.row >> strike.digit;
    argument.endStructure();
    return argument;
}

}  // namespace

WindowBus::WindowBus(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {
    qDBusRegisterMetaType<BusStrike>();
    qDBusRegisterMetaType<QList<BusStrike>>();
    qDBusRegisterMetaType<QList<QByteArray>>();
}

void WindowBus::Start() {
    if (!bus_.isConnected()) {
        emit WindowChanged(false);
        return;
    }
    bus_.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                 SLOT(NameOwnerChanged(QString, QString, QString)));
    // From any window: only the followed one's are read (BoardChanged).
    bus_.connect(QString(), kPath, kInterface, QStringLiteral("Changed"), this,
                 SLOT(BoardChanged(QDBusMessage)));
    Pick();
}

void WindowBus::Pick() {
    QDBusConnectionInterface* names = bus_.interface();
    QString owner;
    if (names->isServiceRegistered(kPrimaryName).value()) {
        owner = names->serviceOwner(kPrimaryName).value();
    } else {
        for (const QString& name : names->registeredServiceNames().value()) {
            if (name.startsWith(kWindowNamePrefix)) {
                owner = names->serviceOwner(name).value();
                break;
            }
        }
    }
    // The first look is told even when it finds nothing.
    if (owner == owner_ && looked_) return;
    looked_ = true;
    owner_ = owner;
    emit WindowChanged(HasWindow());
    if (HasWindow()) Read();
}

void WindowBus::NameOwnerChanged(const QString& name, const QString&, const QString&) {
    if (name == kPrimaryName || name.startsWith(kWindowNamePrefix)) Pick();
}

void WindowBus::BoardChanged(const QDBusMessage& message) {
    if (message.service() == owner_) Read();
}

void WindowBus::Read() {
    if (!HasWindow()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        owner_, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    call.setArguments({kInterface});
    const quint64 read = ++reads_;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, read](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                QDBusPendingReply<QVariantMap> reply = *finished;
                // A later read is under way, or the window went: its answer counts.
                if (read != reads_ || reply.isError()) return;
                const QVariantMap all = reply.value();
                const auto cells =
                    qdbus_cast<QList<QByteArray>>(all.value(QStringLiteral("Cells")));
                if (cells.size() != kCellCount) return;
                emit BoardRead(cells, all.value(QStringLiteral("SelectedColumn")).toInt(),
                               all.value(QStringLiteral("SelectedRow")).toInt());
            });
}

void WindowBus::Place(int cell, int digit) {
    const CellPos at = CellOfColumnMajor(cell);
    Send(QStringLiteral("Place"), {at.col, at.row, digit});
}

void WindowBus::Strike(const std::vector<solving::Strike>& strikes) {
    QList<BusStrike> list;
    for (const solving::Strike& strike : strikes) {
        const CellPos at = CellOfColumnMajor(strike.cell);
        list.append({at.col, at.row, strike.digit});
    }
    Send(QStringLiteral("Strike"), {QVariant::fromValue(list)});
}

void WindowBus::Send(const QString& method, const QVariantList& arguments) {
    if (!HasWindow()) {
        emit Answered(false, QStringLiteral("Quillet のウィンドウが開いていません。"));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(owner_, kPath, kInterface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCommandDeadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &WindowBus::TakeAnswer);
}

void WindowBus::TakeAnswer(QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    QDBusPendingReply<bool> reply = *watcher;
    if (!reply.isError()) {
        emit Answered(reply.value(), QString());
    } else if (reply.error().name() == kBusyError) {
        emit Answered(false, QStringLiteral("メインウィンドウでボックスかメニューが開いています。"
                                            "閉じてからもう一度どうぞ。"));
    } else {
        emit Answered(false, QStringLiteral("メインウィンドウが応答しません。"));
    }
}

}  // namespace quillet::coach
