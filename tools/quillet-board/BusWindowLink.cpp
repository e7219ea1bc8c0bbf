#include "BusWindowLink.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDBusVariant>

#include "ToolErrors.h"

namespace quillet::board_tool {
namespace {

const QString kPrimaryName = QStringLiteral(QUILLET_APP_ID);
const QString kWindowNamePrefix = QStringLiteral(QUILLET_APP_ID ".Window_");
const QString kPath = QStringLiteral("/io/github/quillet/quillet/Board");
const QString kInterface = QStringLiteral(QUILLET_APP_ID ".Board");
constexpr int kReadDeadlineMs = 25000;
// A refusal keeps the answer until the user has closed the window's box.
constexpr int kCommandDeadlineMs = 10 * 60 * 1000;

// The window activated last; when it has closed, any that still runs.
QString FindWindow(QDBusConnection& bus) {
    QDBusConnectionInterface* names = bus.interface();
    if (names->isServiceRegistered(kPrimaryName).value()) return kPrimaryName;
    for (const QString& name : names->registeredServiceNames().value())
        if (name.startsWith(kWindowNamePrefix)) return name;
    throw InputError("no Quillet window is open");
}

}  // namespace

// (iii) on the bus: column, row, digit.
struct WindowStrike {
    int column = 0;
    int row = 0;
    int digit = 0;
};

QDBusArgument& operator<<(QDBusArgument& argument, const WindowStrike& strike) {
    argument.beginStructure();
    argument << strike.column << strike.row << strike.digit;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, WindowStrike& strike) {
    argument.beginStructure();
    argument >> strike.column >> strike.row >> strike.digit;
    argument.endStructure();
    return argument;
}

}  // namespace quillet::board_tool

Q_DECLARE_METATYPE(quillet::board_tool::WindowStrike)

namespace quillet::board_tool {

BusWindowLink::BusWindowLink() = default;
BusWindowLink::~BusWindowLink() = default;

QDBusMessage BusWindowLink::Call(const QString& method, const QVariantList& arguments) {
    if (!QCoreApplication::instance())
        application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) throw InputError("no Quillet window is open: no session bus");
    if (window_.isEmpty()) window_ = FindWindow(bus);
    const bool reading = method == QStringLiteral("Get");
    QDBusMessage call = QDBusMessage::createMethodCall(
        window_, kPath, reading ? QStringLiteral("org.freedesktop.DBus.Properties") : kInterface,
        method);
    call.setArguments(arguments);
    const QDBusMessage reply =
        bus.call(call, QDBus::Block, reading ? kReadDeadlineMs : kCommandDeadlineMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (reply.errorName() == QStringLiteral(QUILLET_APP_ID ".Error.Busy"))
            throw InputError("the Quillet window is busy: close its box or menu first");
        throw InputError("the Quillet window does not answer: " +
                         reply.errorMessage().toStdString());
    }
    return reply;
}

void BusWindowLink::ReadBoard(CandidateBoard& board) {
    const QDBusMessage reply = Call(QStringLiteral("Get"), {kInterface, QStringLiteral("Cells")});
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

bool BusWindowLink::Strike(const std::vector<CellDigit>& strikes) {
    qDBusRegisterMetaType<WindowStrike>();
    qDBusRegisterMetaType<QList<WindowStrike>>();
    QList<WindowStrike> list;
    for (const CellDigit& strike : strikes)
        list.append({strike.at.col, strike.at.row, strike.digit});
    return Call(QStringLiteral("Strike"), {QVariant::fromValue(list)})
        .arguments()
        .value(0)
        .toBool();
}

}  // namespace quillet::board_tool
