#include "BusWindowLink.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>

#include "ToolErrors.h"

namespace quillet::board_tool {
namespace {

const QString kPrimaryName = QStringLiteral(QUILLET_APP_ID);
const QString kWindowNamePrefix = QStringLiteral(QUILLET_APP_ID ".Window_");
const QString kPath = QStringLiteral("/io/github/quillet/quillet/Board");
const QString kInterface = QStringLiteral(QUILLET_APP_ID ".Board");
constexpr int kReplyDeadlineMs = 25000;

// The window activated last; when it has closed, any that still runs.
QString FindWindow(QDBusConnection& bus) {
    QDBusConnectionInterface* names = bus.interface();
    if (names->isServiceRegistered(kPrimaryName).value()) return kPrimaryName;
    for (const QString& name : names->registeredServiceNames().value())
        if (name.startsWith(kWindowNamePrefix)) return name;
    throw InputError("no Quillet window is open");
}

}  // namespace

BusWindowLink::BusWindowLink() = default;
BusWindowLink::~BusWindowLink() = default;

void BusWindowLink::ReadBoard(CandidateBoard& board) {
    if (!QCoreApplication::instance())
        application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) throw InputError("no Quillet window is open: no session bus");
    QDBusMessage ask = QDBusMessage::createMethodCall(
        FindWindow(bus), kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    ask << kInterface << QStringLiteral("Cells");
    const QDBusReply<QDBusVariant> reply = bus.call(ask, QDBus::Block, kReplyDeadlineMs);
    if (!reply.isValid())
        throw InputError("the Quillet window does not answer: " +
                         reply.error().message().toStdString());
    const auto cells = qdbus_cast<QList<QByteArray>>(reply.value().variant());
    if (cells.size() != kCellCount)
        throw InputError("the Quillet window gave " + std::to_string(cells.size()) +
                         " cells, not 81");
    // Column by column, as in a board file; the texts are bytes and stay so.
    for (int k = 0; k < kCellCount; ++k)
        board.SetCell(CellOfColumnMajor(k),
                      std::string_view(cells[k].data(), static_cast<std::size_t>(cells[k].size())));
}

}  // namespace quillet::board_tool
