#include "BusWindowLink.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusVariant>

#include "ToolErrors.h"
#include "boardbus/BoardBusContract.h"

namespace quillet::board_tool {
namespace {

constexpr int kReadDeadlineMs = 25000;
// A refusal keeps the answer until the user has closed the window's box.
constexpr int kCommandDeadlineMs = 10 * 60 * 1000;

}  // namespace

BusWindowLink::BusWindowLink() = default;
BusWindowLink::~BusWindowLink() = default;

QDBusMessage BusWindowLink::Call(const QString& method, const QVariantList& arguments) {
    if (!QCoreApplication::instance())
        application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) throw InputError("no Quillet window is open: no session bus");
    if (window_.isEmpty()) window_ = boardbus::FindWindow(*bus.interface());
    if (window_.isEmpty()) throw InputError("no Quillet window is open");
    const bool reading = method == QStringLiteral("Get");
    QDBusMessage call = QDBusMessage::createMethodCall(
        window_, boardbus::ObjectPath(),
        reading ? QStringLiteral("org.freedesktop.DBus.Properties") : boardbus::InterfaceName(),
        method);
    call.setArguments(arguments);
    const QDBusMessage reply =
        bus.call(call, QDBus::Block, reading ? kReadDeadlineMs : kCommandDeadlineMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (reply.errorName() == boardbus::BusyErrorName())
            throw InputError("the Quillet window is busy: close its box or menu first");
        throw InputError("the Quillet window does not answer: " +
                         reply.errorMessage().toStdString());
    }
    return reply;
}

void BusWindowLink::ReadBoard(CandidateBoard& board) {
    const QDBusMessage reply =
        Call(QStringLiteral("Get"), {boardbus::InterfaceName(), QStringLiteral("Cells")});
    const QVariant value = reply.arguments().value(0).value<QDBusVariant>().variant();
    const auto cells = qdbus_cast<QList<QByteArray>>(value);
    if (cells.size() != kCellCount)
        throw InputError("the Quillet window gave " + std::to_string(cells.size()) +
                         " cells, not 81");
    // Column by column, as in a board file; the texts are bytes and stay so.
    for (int k = 0; k < kCellCount; ++k)
        board.SetCell(CellOfColumnMajor(k),
                      std::string_view(cells[k].data(), static_cast<std::size_t>(cells[k].size())));
}

bool BusWindowLink::Place(CellPos at, int digit) {
    return Call(QStringLiteral("Place"), {at.col, at.row, digit}).arguments().value(0).toBool();
}

bool BusWindowLink::Strike(const std::vector<Candidate>& strikes) {
    boardbus::RegisterTypes();
    const QList<Candidate> list(strikes.begin(), strikes.end());
    return Call(QStringLiteral("Strike"), {QVariant::fromValue(list)})
        .arguments()
        .value(0)
        .toBool();
}

}  // namespace quillet::board_tool
