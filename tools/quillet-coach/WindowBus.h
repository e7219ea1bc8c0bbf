#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>
#include <vector>

#include "solving/Step.h"

class QDBusMessage;
class QDBusPendingCallWatcher;

namespace quillet::coach {

// The main window the coach follows, over the session bus: the one activated
// last (it owns the application id), else any that runs. Reads its board
// whenever it says it changed, and sends it the steps to apply; every call
// is asynchronous, so the coach's window never waits for the main one.
class WindowBus : public QObject {
    Q_OBJECT
public:
    explicit WindowBus(QDBusConnection bus, QObject* parent = nullptr);

    // Starts listening and looks for a window.
    void Start();
    bool HasWindow() const { return !owner_.isEmpty(); }

    // Asks for the board again; BoardRead answers.
    void Read();
    // The window's own commands; Answered tells how they went.
    void Place(int cell, int digit);
    void Strike(const std::vector<Candidate>& strikes);

signals:
    void WindowChanged(bool found);
    // The 81 texts column by column, and the selection (10: off the board).
    void BoardRead(const QList<QByteArray>& cells, int selectedColumn, int selectedRow);
    // `problem` is empty when the window took the step or refused it in its
    // own box (`taken` false); else what kept the window from it.
    void Answered(bool taken, const QString& problem);

private slots:
    void NameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
    void BoardChanged(const QDBusMessage& message);

private:
    void Pick();
    void Send(const QString& method, const QVariantList& arguments);
    void TakeAnswer(QDBusPendingCallWatcher* watcher);

    QDBusConnection bus_;
    QString owner_;  // the window's unique bus name, empty without one
    bool looked_ = false;
    quint64 reads_ = 0;  // only the answer to the latest read counts
};

}  // namespace quillet::coach
