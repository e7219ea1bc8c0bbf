#include "app/BoardBus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QEvent>
#include <QTimer>
#include <vector>

#include "windows/main/Unit1.h"

namespace quillet {

BoardBus::BoardBus(TForm1& window, QDBusConnection bus,
                   boardbus::SharedNameClaim::ActiveQuestion isActive, QObject* parent)
    : QObject(parent),
      window_(window),
      bus_(std::move(bus)),
      primaryName_(bus_, boardbus::PrimaryName(), std::move(isActive)) {
    boardbus::RegisterTypes();
    window_.installEventFilter(this);
    connect(&focusReports_, &FocusReports::FocusMayHaveCome, &primaryName_,
            &boardbus::SharedNameClaim::FocusMayHaveCome);
}

QString BoardBus::PrimaryName() { return boardbus::PrimaryName(); }

QString BoardBus::WindowName(qint64 pid) { return boardbus::WindowName(pid); }

void BoardBus::OfferAfterFirstPaint() { waitingForPaint_ = true; }

bool BoardBus::Offer() {
    if (offered_ || !bus_.isConnected()) return offered_;
    if (!bus_.registerObject(boardbus::ObjectPath(), this,
                             QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                 QDBusConnection::ExportAllProperties))
        return false;
    const QString name = WindowName(QCoreApplication::applicationPid());
    if (!bus_.registerService(name)) {
        bus_.unregisterObject(boardbus::ObjectPath());
        return false;
    }
    offered_ = true;
    published_ = Current();
    connect(&window_, &TForm1::BoardTouched, this, &BoardBus::Touched);
    primaryName_.Join();
    return true;
}

bool BoardBus::HoldsPrimaryName() const { return primaryName_.Holds(); }

bool BoardBus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        if (event->type() == QEvent::Paint && waitingForPaint_) {
            waitingForPaint_ = false;
            // After the paint has reached the screen, not inside it.
            QTimer::singleShot(0, this, [this] { Offer(); });
        } else if (event->type() == QEvent::WindowActivate) {
            primaryName_.FocusMayHaveCome();
        }
    }
    return QObject::eventFilter(watched, event);
}

QList<QByteArray> BoardBus::Cells() const {
    QList<QByteArray> cells;
    cells.reserve(kCellCount);
    for (const CandidateString& cell : window_.State().Board().Cells())
        cells.append(QByteArray(cell.data(), static_cast<qsizetype>(cell.size())));
    return cells;
}

int BoardBus::SelectedColumn() const { return window_.State().Board().Selection().col; }

int BoardBus::SelectedRow() const { return window_.State().Board().Selection().row; }

bool BoardBus::UndoAvailable() const { return window_.State().UndoAvailable(); }

bool BoardBus::Place(int column, int row, int digit) {
    const CellPos at{column, row};
    if (!at.IsOnBoard() || digit < 1 || digit > 9) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs,
                           QStringLiteral("column, row and digit are each 1..9"));
        return false;
    }
    return Answer(window_.PlaceFromOutside(at, digit));
}

bool BoardBus::Strike(const QList<Candidate>& strikes) {
    return Answer(window_.StrikeFromOutside(
        std::span<const Candidate>(strikes.constData(), static_cast<std::size_t>(strikes.size()))));
}

bool BoardBus::Answer(std::optional<bool> taken) {
    if (!taken && calledFromDBus())
        sendErrorReply(boardbus::BusyErrorName(),
                       QStringLiteral("the window is showing a box or a menu"));
    return taken.value_or(false);
}

BoardBus::Published BoardBus::Current() const {
    const BoardState& state = window_.State();
    return {state.Board().Cells(), state.Board().Selection(), state.UndoAvailable()};
}

void BoardBus::Touched() {
    if (publishQueued_) return;
    publishQueued_ = true;
    QTimer::singleShot(0, this, &BoardBus::PublishIfChanged);
}

void BoardBus::PublishIfChanged() {
    publishQueued_ = false;
    Published now = Current();
    if (now == published_) return;
    published_ = std::move(now);
    emit Changed(Cells(), SelectedColumn(), SelectedRow(), UndoAvailable());
}

}  // namespace quillet
