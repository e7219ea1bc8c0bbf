#pragma once

#include <QObject>
#include <QVariantMap>

namespace quillet {

// Follows the desktop's accessibility switch, org.a11y.Status on the session
// bus: while IsEnabled or ScreenReaderEnabled holds, Qt tells the bus what
// the windows do; a reader switched on after the start is heard at once.
class AccessibilityStatus : public QObject {
    Q_OBJECT
public:
    explicit AccessibilityStatus(QObject* parent = nullptr);

    // Before QApplication: Qt joins the accessibility bus at its start only
    // when a reader already runs, and never later, so it is told to join
    // whenever the bus is there; this class then switches it on and off.
    static void JoinAccessibilityBusAtStart();

private slots:
    void StatusRead(const QVariantMap& properties);
    void StatusChanged(const QString& interface, const QVariantMap& changed,
                       const QStringList& invalidated);

private:
    bool heard_ = false;
    bool isEnabled_ = false;
    bool screenReaderEnabled_ = false;
};

}  // namespace quillet
