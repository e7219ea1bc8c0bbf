#include "boardbus/BoardBusContract.h"

#include <QByteArray>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QList>
#include <string_view>

#include "board/BoardGeometry.h"

namespace quillet::boardbus {

static_assert(std::string_view(QUILLET_APP_ID ".Board") == "io.github.quillet.quillet.Board",
              "the interface is named after the application id, as the window declares it");

QString PrimaryName() { return QStringLiteral(QUILLET_APP_ID); }

QString WindowName(qint64 pid) { return QStringLiteral(QUILLET_APP_ID ".Window_%1").arg(pid); }

bool IsWindowName(const QString& name) {
    return name == PrimaryName() || name.startsWith(QStringLiteral(QUILLET_APP_ID ".Window_"));
}

QString ObjectPath() { return QStringLiteral("/io/github/quillet/quillet/Board"); }

QString InterfaceName() { return QStringLiteral(QUILLET_APP_ID ".Board"); }

QString BusyErrorName() { return QStringLiteral(QUILLET_APP_ID ".Error.Busy"); }

QString FindWindow(QDBusConnectionInterface& names) {
    if (names.isServiceRegistered(PrimaryName()).value()) return PrimaryName();
    for (const QString& name : names.registeredServiceNames().value())
        if (IsWindowName(name)) return name;
    return {};
}

void RegisterTypes() {
    qDBusRegisterMetaType<Candidate>();
    qDBusRegisterMetaType<QList<Candidate>>();
    qDBusRegisterMetaType<QList<QByteArray>>();
}

}  // namespace quillet::boardbus

namespace quillet {

QDBusArgument& operator<<(QDBusArgument& argument, const Candidate& candidate) {
    const CellPos at = CellOfColumnMajor(candidate.cell);
    argument.beginStructure();
    argument << at.col << at.row << candidate.digit;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Candidate& candidate) {
    CellPos at;
    argument.beginStructure();
    argument >> at.col >> at.row >> candidate.digit;
    argument.endStructure();
    candidate.cell = at.IsOnBoard() ? ColumnMajorIndex(at) : -1;
    return argument;
}

}  // namespace quillet
