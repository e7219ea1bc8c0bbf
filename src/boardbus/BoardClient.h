#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantList>

#include "boardbus/BoardBusContract.h"

class QDBusMessage;
class QDBusPendingCallWatcher;

namespace quillet::boardbus {

// What kept a call from the window, if anything.
enum class CallProblem {
    kNone,
    kNoBus,
    kNoWindow,   // no window offers its board
    kBusy,       // the window shows a box or a menu, and runs no command
    kNoAnswer,   // the bus's own words in `busError`
    kNotABoard,  // an answer that is not 81 cells
};

// The window's board as it tells it.
struct BoardReading {
    CallProblem problem = CallProblem::kNone;
    QString busError{};
    // The 81 texts column by column from the top left, as a board file has
    // them, as bytes; with kNotABoard, whatever came.
    QList<QByteArray> cells{};
    // The selection; a column or row of 10 lies off the board.
    int selectedColumn = 0;
    int selectedRow = 0;
    bool undoAvailable = false;
};

// How a command went: `taken` when the window did it; without a problem and
// not taken, the window refused it in its own box.
struct CommandAnswer {
    CallProblem problem = CallProblem::kNone;
    QString busError{};
    bool taken = false;
};

// The one client of the window's board on the bus, for quillet-board
// --window and the coach. Every call goes to the window found first (or, once
// Follow has been called, to the window followed) by its unique name, so
// that one run of the tool reads and changes one window. The calls that
// return wait for the answer; those that end in "Later" never wait and are
// answered by the signals.
class BoardClient : public QObject {
    Q_OBJECT
public:
    explicit BoardClient(QDBusConnection bus, QObject* parent = nullptr);

    BoardReading Read();
    // Selects (column, row) and runs the window's pop-up digit `digit`.
    CommandAnswer Place(int column, int row, int digit);
    // Strikes the candidates as one step that "戻る" takes back.
    CommandAnswer Strike(const QList<Candidate>& strikes);

    // Follows the window to follow (FindWindow) from now on: WindowChanged
    // whenever it changes, then BoardChanged with its board, and BoardChanged
    // again with each change of the board, which the window's Changed signal
    // carries whole.
    void Follow();
    bool HasWindow() const { return !owner_.isEmpty(); }
    void PlaceLater(int column, int row, int digit);
    void StrikeLater(const QList<Candidate>& strikes);

signals:
    void WindowChanged(bool found);
    void BoardChanged(const quillet::boardbus::BoardReading& board);
    void Answered(const quillet::boardbus::CommandAnswer& answer);

private slots:
    void NameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
    void BoardSignal(const QDBusMessage& message);

private:
    // The unique name of the window called, found on the first call.
    CallProblem FindOnce();
    void Pick();
    void ReadLater();
    void SendLater(const QString& method, const QVariantList& arguments);
    // GetAll of the board's properties, and a command of its interface.
    QDBusMessage ReadCall() const;
    QDBusMessage CommandCall(const QString& method, const QVariantList& arguments) const;
    CommandAnswer Call(const QString& method, const QVariantList& arguments);

    QDBusConnection bus_;
    QString owner_;
    bool looked_ = false;
    // Answers to reads sent to a window no longer followed are dropped.
    quint64 followed_ = 0;
};

}  // namespace quillet::boardbus
