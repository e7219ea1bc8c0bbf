#include "platform/AccessibilityStatus.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QtGlobal>

namespace quillet {
namespace {

const QString kService = QStringLiteral("org.a11y.Bus");
const QString kPath = QStringLiteral("/org/a11y/bus");
const QString kStatus = QStringLiteral("org.a11y.Status");

}  // namespace

void AccessibilityStatus::JoinAccessibilityBusAtStart() {
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
}

AccessibilityStatus::AccessibilityStatus(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    bus.connect(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"), this,
                SLOT(StatusChanged(QString, QVariantMap, QStringList)));
    // Where the switch stands now, without starting the bus if it is not there.
    QDBusMessage ask = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("GetAll"));
    ask << kStatus;
    ask.setAutoStartService(false);
    bus.callWithCallback(ask, this, SLOT(StatusRead(QVariantMap)));
}

void AccessibilityStatus::StatusRead(const QVariantMap& properties) {
    // A change that came first is newer; the answer only fills in the rest.
    if (heard_) return;
    isEnabled_ = properties.value(QStringLiteral("IsEnabled")).toBool();
    screenReaderEnabled_ = properties.value(QStringLiteral("ScreenReaderEnabled")).toBool();
}

void AccessibilityStatus::StatusChanged(const QString& interface, const QVariantMap& changed,
                                        const QStringList&) {
    if (interface != kStatus) return;
    heard_ = true;
    isEnabled_ = changed.value(QStringLiteral("IsEnabled"), isEnabled_).toBool();
    screenReaderEnabled_ =
        changed.value(QStringLiteral("ScreenReaderEnabled"), screenReaderEnabled_).toBool();
    QAccessible::setActive(isEnabled_ || screenReaderEnabled_);
}

}  // namespace quillet
