#pragma once

#include <QDBusConnection>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include "EventDeadline.h"

namespace quillet::testing {

// A session bus of the test's own: a dbus-daemon with a runtime directory of
// its own, ended with the object. Connections are made to it by name; the
// process's environment, and the desktop's bus, are never touched.
class PrivateSessionBus {
public:
    PrivateSessionBus() {
        if (!runtime_.isValid()) return;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        daemon_.setProcessEnvironment(environment);
        daemon_.setWorkingDirectory(runtime_.path());
        daemon_.setProcessChannelMode(QProcess::SeparateChannels);
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (!daemon_.waitForStarted(kEventDeadlineMs)) return;
        // The address is the first line the daemon writes.
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(kEventDeadlineMs)) {
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateSessionBus() {
        for (const QString& name : names_) QDBusConnection::disconnectFromBus(name);
        if (daemon_.state() == QProcess::NotRunning) return;
        daemon_.terminate();
        if (!daemon_.waitForFinished(kEventDeadlineMs)) daemon_.kill();
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    bool IsRunning() const { return !address_.isEmpty(); }
    QString Address() const { return address_; }

    // A connection of its own, under `name` in this process.
    QDBusConnection Connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }

private:
    QTemporaryDir runtime_;
    QProcess daemon_;
    QString address_;
    QStringList names_;
};

}  // namespace quillet::testing
