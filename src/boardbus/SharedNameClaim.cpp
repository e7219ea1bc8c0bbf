#include "boardbus/SharedNameClaim.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <utility>

namespace quillet::boardbus {
namespace {

const QString kBusService = QStringLiteral("org.freedesktop.DBus");
const QString kBusPath = QStringLiteral("/org/freedesktop/DBus");

// RequestName's flags. Not DO_NOT_QUEUE: a window that loses the name stays
// in the queue, next in line.
constexpr uint kAllowReplacement = 0x1;
constexpr uint kReplaceExisting = 0x2;

}  // namespace

SharedNameClaim::SharedNameClaim(QDBusConnection bus, QString name, ActiveQuestion isActive,
                                 QObject* parent)
    : QObject(parent),
      bus_(std::move(bus)),
      name_(std::move(name)),
      isActive_(std::move(isActive)) {
    // The bus sends these to this connection alone, whoever else asks.
    bus_.connect(kBusService, kBusPath, kBusService, QStringLiteral("NameAcquired"), this,
                 SLOT(NameAcquired(QString)));
    bus_.connect(kBusService, kBusPath, kBusService, QStringLiteral("NameLost"), this,
                 SLOT(NameLost(QString)));
}

void SharedNameClaim::Join() {
    if (joined_ || !bus_.isConnected()) return;
    joined_ = true;
    Request(isActive_());
}

void SharedNameClaim::FocusMayHaveCome() {
    // Held already: a loss on its way is answered when it arrives.
    if (!holds_) AskToStandFirstIfActive();
}

void SharedNameClaim::NameAcquired(const QString& name) {
    if (name != name_ || holds_) return;
    holds_ = true;
    emit HoldsChanged(true);
}

void SharedNameClaim::NameLost(const QString& name) {
    if (name != name_) return;
    if (holds_) {
        holds_ = false;
        emit HoldsChanged(false);
    }
    // Taken by a window the person has left, or by a request decided before
    // the person came here.
    AskToStandFirstIfActive();
}

void SharedNameClaim::AskToStandFirstIfActive() {
    // One such request on its way is enough: the bus hears it after whatever
    // made this one be asked, and a later loss brings a NameLost of its own.
    if (joined_ && firstUnanswered_ == 0 && isActive_()) Request(true);
}

void SharedNameClaim::Request(bool first) {
    QDBusMessage request = QDBusMessage::createMethodCall(kBusService, kBusPath, kBusService,
                                                          QStringLiteral("RequestName"));
    request << name_ << (kAllowReplacement | (first ? kReplaceExisting : 0U));
    // Never waits: what the bus decided comes as NameAcquired or NameLost.
    ++sent_;
    ++unanswered_;
    if (first) ++firstUnanswered_;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(request), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, first](QDBusPendingCallWatcher* answered) {
                --unanswered_;
                if (first) --firstUnanswered_;
                answered->deleteLater();
            });
}

}  // namespace quillet::boardbus
