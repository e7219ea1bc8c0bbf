#pragma once

#include <QDBusArgument>
#include <QMetaType>
#include <QString>

class QDBusConnectionInterface;

// What the main window's board on the session bus and its clients agree on,
// named after the application id APPID: each window owns APPID.Window_PID,
// the one the person is in, or was in last, APPID as well (SharedNameClaim.h);
// the board is the object ObjectPath() with the interface APPID.Board.
namespace quillet::boardbus {

QString PrimaryName();
QString WindowName(qint64 pid);
// The primary name or a window's own.
bool IsWindowName(const QString& name);
QString ObjectPath();
QString InterfaceName();
// The error of a command sent while the window shows a box or a menu.
QString BusyErrorName();

// The name of the window to follow: the one the person is in or was in last;
// any that runs while that name is between owners; empty when none runs.
QString FindWindow(QDBusConnectionInterface& names);

// A candidate to strike as the bus carries it, (iii): column, row, digit.
struct Strike {
    int column = 0;
    int row = 0;
    int digit = 0;
};
QDBusArgument& operator<<(QDBusArgument& argument, const Strike& strike);
const QDBusArgument& operator>>(const QDBusArgument& argument, Strike& strike);

// Makes the strikes and the cells' byte arrays known to the bus; before
// the first call or answer that carries them.
void RegisterTypes();

}  // namespace quillet::boardbus

Q_DECLARE_METATYPE(quillet::boardbus::Strike)
