#include "WindowBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include "board/BoardGeometry.h"
#include "boardbus/BoardBusContract.h"

namespace quillet::coach {
namespace {

// A refusal is answered once the user has closed the window's box.
constexpr int kCommandDeadlineMs = 10 * 60 * 1000;

}  // namespace

WindowBus::WindowBus(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {
    boardbus::RegisterTypes();
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
    bus_.connect(QString(), boardbus::ObjectPath(), boardbus::InterfaceName(),
                 QStringLiteral("Changed"), this, SLOT(BoardChanged(QDBusMessage)));
    Pick();
}

void WindowBus::Pick() {
    const QString name = boardbus::FindWindow(*bus_.interface());
    const QString owner = name.isEmpty() ? QString() : bus_.interface()->serviceOwner(name).value();
    // The first look is told even when it finds nothing.
    if (owner == owner_ && looked_) return;
    looked_ = true;
    owner_ = owner;
    emit WindowChanged(HasWindow());
    if (HasWindow()) Read();
}

void WindowBus::NameOwnerChanged(const QString& name, const QString&, const QString&) {
    if (boardbus::IsWindowName(name)) Pick();
}

void WindowBus::BoardChanged(const QDBusMessage& message) {
    if (message.service() == owner_) Read();
}

void WindowBus::Read() {
    if (!HasWindow()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        owner_, boardbus::ObjectPath(), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("GetAll"));
    call.setArguments({boardbus::InterfaceName()});
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

void WindowBus::Strike(const std::vector<Candidate>& strikes) {
    const QList<Candidate> list(strikes.begin(), strikes.end());
    Send(QStringLiteral("Strike"), {QVariant::fromValue(list)});
}

void WindowBus::Send(const QString& method, const QVariantList& arguments) {
    if (!HasWindow()) {
        emit Answered(false, QStringLiteral("Quillet のウィンドウが開いていません。"));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(owner_, boardbus::ObjectPath(),
                                                       boardbus::InterfaceName(), method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCommandDeadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &WindowBus::TakeAnswer);
}

void WindowBus::TakeAnswer(QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    QDBusPendingReply<bool> reply = *watcher;
    if (!reply.isError()) {
        emit Answered(reply.value(), QString());
    } else if (reply.error().name() == boardbus::BusyErrorName()) {
        emit Answered(false, QStringLiteral("メインウィンドウでボックスかメニューが開いています。"
                                            "閉じてからもう一度どうぞ。"));
    } else {
        emit Answered(false, QStringLiteral("メインウィンドウが応答しません。"));
    }
}

}  // namespace quillet::coach
