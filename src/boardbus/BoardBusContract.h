#pragma once

#include <QDBusArgument>
#include <QMetaType>
#include <QString>

#include "board/Candidate.h"

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

// Makes the candidates and the cells' byte arrays known to the bus; before
// the first call or answer that carries them.
void RegisterTypes();

}  // namespace quillet::boardbus

namespace quillet {

// A candidate as the bus carries it, (iii): column, row, digit. A column or
// row off the board arrives as cell -1, which the board's strike rule
// refuses.
QDBusArgument& operator<<(QDBusArgument& argument, const Candidate& candidate);
const QDBusArgument& operator>>(const QDBusArgument& argument, Candidate& candidate);

}  // namespace quillet

Q_DECLARE_METATYPE(quillet::Candidate)
