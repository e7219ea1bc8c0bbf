#include "boardbus/BoardClient.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

#include "board/BoardGeometry.h"

namespace quillet::boardbus {
namespace {

constexpr int kReadDeadlineMs = 25000;
// A refusal is answered once the user has closed the window's box.
constexpr int kCommandDeadlineMs = 10 * 60 * 1000;

CallProblem ProblemOf(const QDBusMessage& error) {
    return error.errorName() == BusyErrorName() ? CallProblem::kBusy : CallProblem::kNoAnswer;
}

BoardReading Checked(BoardReading reading) {
    if (reading.cells.size() != kCellCount) reading.problem = CallProblem::kNotABoard;
    return reading;
}

BoardReading FromProperties(const QVariantMap& all) {
    BoardReading reading;
    reading.cells = qdbus_cast<QList<QByteArray>>(all.value(QStringLiteral("Cells")));
    reading.selectedColumn = all.value(QStringLiteral("SelectedColumn")).toInt();
    reading.selectedRow = all.value(QStringLiteral("SelectedRow")).toInt();
    reading.undoAvailable = all.value(QStringLiteral("UndoAvailable")).toBool();
    return Checked(std::move(reading));
}

BoardReading FromReply(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage)
        return {ProblemOf(reply), reply.errorMessage(), {}};
    return FromProperties(qdbus_cast<QVariantMap>(reply.arguments().value(0)));
}

// Changed(cells, selected column, selected row, undo available).
BoardReading FromSignal(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    BoardReading reading;
    reading.cells = qdbus_cast<QList<QByteArray>>(arguments.value(0));
    reading.selectedColumn = arguments.value(1).toInt();
    reading.selectedRow = arguments.value(2).toInt();
    reading.undoAvailable = arguments.value(3).toBool();
    return Checked(std::move(reading));
}

CommandAnswer AnswerOf(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage)
        return {ProblemOf(reply), reply.errorMessage(), false};
    return {CallProblem::kNone, {}, reply.arguments().value(0).toBool()};
}

}  // namespace

BoardClient::BoardClient(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    RegisterTypes();
}

CallProblem BoardClient::FindOnce() {
    if (!bus_.isConnected()) return CallProblem::kNoBus;
    if (owner_.isEmpty()) {
        const QString name = FindWindow(*bus_.interface());
        if (!name.isEmpty()) owner_ = bus_.interface()->serviceOwner(name).value();
    }
    return HasWindow() ? CallProblem::kNone : CallProblem::kNoWindow;
}

BoardReading BoardClient::Read() {
    if (const CallProblem problem = FindOnce(); problem != CallProblem::kNone)
        return {.problem = problem};
    return FromReply(bus_.call(ReadCall(), QDBus::Block, kReadDeadlineMs));
}

CommandAnswer BoardClient::Place(int column, int row, int digit) {
    return Call(QStringLiteral("Place"), {column, row, digit});
}

CommandAnswer BoardClient::Strike(const QList<Candidate>& strikes) {
    return Call(QStringLiteral("Strike"), {QVariant::fromValue(strikes)});
}

CommandAnswer BoardClient::Call(const QString& method, const QVariantList& arguments) {
    if (const CallProblem problem = FindOnce(); problem != CallProblem::kNone)
        return {.problem = problem};
    return AnswerOf(bus_.call(CommandCall(method, arguments), QDBus::Block, kCommandDeadlineMs));
}

QDBusMessage BoardClient::ReadCall() const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        owner_, ObjectPath(), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("GetAll"));
    call << InterfaceName();
    return call;
}

QDBusMessage BoardClient::CommandCall(const QString& method, const QVariantList& arguments) const {
    QDBusMessage call =
        QDBusMessage::createMethodCall(owner_, ObjectPath(), InterfaceName(), method);
    call.setArguments(arguments);
    return call;
}

void BoardClient::Follow() {
    if (!bus_.isConnected()) {
        emit WindowChanged(false);
        return;
    }
    bus_.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                 SLOT(NameOwnerChanged(QString, QString, QString)));
    // From any window: only the followed one's count (BoardSignal).
    bus_.connect(QString(), ObjectPath(), InterfaceName(), QStringLiteral("Changed"), this,
                 SLOT(BoardSignal(QDBusMessage)));
    Pick();
}

void BoardClient::Pick() {
    const QString name = FindWindow(*bus_.interface());
    const QString owner = name.isEmpty() ? QString() : bus_.interface()->serviceOwner(name).value();
    // The first look is told even when it finds nothing.
    if (owner == owner_ && looked_) return;
    looked_ = true;
    owner_ = owner;
    ++followed_;
    emit WindowChanged(HasWindow());
    if (HasWindow()) ReadLater();
}

void BoardClient::NameOwnerChanged(const QString& name, const QString&, const QString&) {
    if (IsWindowName(name)) Pick();
}

void BoardClient::BoardSignal(const QDBusMessage& message) {
    if (message.service() != owner_) return;
    // A window that only says that its board changed is asked for it.
    if (message.arguments().isEmpty()) return ReadLater();
    const BoardReading board = FromSignal(message);
    if (board.problem == CallProblem::kNone) emit BoardChanged(board);
}

void BoardClient::ReadLater() {
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(ReadCall(), kReadDeadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, followed = followed_](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                // The window's answers and signals come in the order it sent
                // them, each as new as the one before; an answer from a window
                // no longer followed is dropped.
                if (followed != followed_) return;
                const BoardReading board = FromReply(finished->reply());
                if (board.problem == CallProblem::kNone) emit BoardChanged(board);
            });
}

void BoardClient::PlaceLater(int column, int row, int digit) {
    SendLater(QStringLiteral("Place"), {column, row, digit});
}

void BoardClient::StrikeLater(const QList<Candidate>& strikes) {
    SendLater(QStringLiteral("Strike"), {QVariant::fromValue(strikes)});
}

void BoardClient::SendLater(const QString& method, const QVariantList& arguments) {
    if (!HasWindow()) {
        emit Answered(
            {.problem = bus_.isConnected() ? CallProblem::kNoWindow : CallProblem::kNoBus});
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(
        bus_.asyncCall(CommandCall(method, arguments), kCommandDeadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                emit Answered(AnswerOf(finished->reply()));
            });
}

}  // namespace quillet::boardbus
