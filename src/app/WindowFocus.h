#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

namespace quillet {

// Whether the keyboard focus is in one of this program's windows now. On X11
// the X server itself is asked: Qt holds a window's deactivation back for a
// moment after focus leaves it, so for that moment two programs' windows can
// both call themselves active.
bool FocusIsInThisProgram();

// Emits FocusMayHaveCome whenever the display tells this program that focus
// came to one of its windows, including the times Qt keeps to itself: focus
// that leaves a window and comes back before Qt reports the deactivation
// gives no activation event.
class FocusReports : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit FocusReports(QObject* parent = nullptr);
    ~FocusReports() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void FocusMayHaveCome();
};

}  // namespace quillet
