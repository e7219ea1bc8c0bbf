#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>

namespace quillet::boardbus {

// Keeps the primary name with the window the person is in. Every window
// stands in the bus's queue for the name; a window asks to stand first
// whenever the person is in it at a moment when it may not hold the name:
// when it joins, when the platform reports focus coming to it, and when
// another window has taken the name. The bus keeps the queue in the order
// the windows last stood first, so when the holder closes, the window that
// held the name before it takes it over, with no word from anyone.
//
// Whether the person is in the window is asked of `isActive` each time,
// never remembered: reports of focus come late, twice or not at all, and a
// request decided on an old answer can reach the bus after another
// window's. Deciding afresh on every event leaves the last word with the
// window the person is in, whatever order reports and requests arrive in.
class SharedNameClaim : public QObject {
    Q_OBJECT

public:
    using ActiveQuestion = std::function<bool()>;

    SharedNameClaim(QDBusConnection bus, QString name, ActiveQuestion isActive,
                    QObject* parent = nullptr);

    // Stands in the queue: first if the person is in the window, else last.
    void Join();
    // The platform reports that focus may have come to the window.
    void FocusMayHaveCome();

    bool Holds() const { return holds_; }
    // Requests sent in all, and those whose answers have not come back yet.
    int RequestsSent() const { return sent_; }
    int RequestsUnanswered() const { return unanswered_; }

signals:
    void HoldsChanged(bool holds);

private slots:
    void NameAcquired(const QString& name);
    void NameLost(const QString& name);

private:
    void AskToStandFirstIfActive();
    void Request(bool first);

    QDBusConnection bus_;
    QString name_;
    ActiveQuestion isActive_;
    bool joined_ = false;
    bool holds_ = false;
    int sent_ = 0;
    int unanswered_ = 0;
    int firstUnanswered_ = 0;
};

}  // namespace quillet::boardbus
