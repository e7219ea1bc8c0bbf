#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/WindowFocus.h"
#include "board/CandidateBoard.h"
#include "boardbus/BoardBusContract.h"
#include "boardbus/SharedNameClaim.h"

namespace quillet {

class TForm1;

// The main window's board on the session bus, for the coach and for
// quillet-board: read and watched there, changed only through the window's
// own commands, under the names of boardbus/BoardBusContract.h. The window
// the person is in, or was in last, also owns the primary name
// (boardbus/SharedNameClaim.h).
class BoardBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.quillet.quillet.Board")
    // The 81 texts exactly as the cells hold them, column by column from the
    // top left, as in a board file.
    Q_PROPERTY(QList<QByteArray> Cells READ Cells)
    // The selection; a column or row of 10 lies off the board.
    Q_PROPERTY(int SelectedColumn READ SelectedColumn)
    Q_PROPERTY(int SelectedRow READ SelectedRow)
    // Whether "戻る" is enabled.
    Q_PROPERTY(bool UndoAvailable READ UndoAvailable)

public:
    // `isActive` tells whether the person is in the window now; the display
    // is asked by default.
    BoardBus(TForm1& window, QDBusConnection bus,
             boardbus::SharedNameClaim::ActiveQuestion isActive = FocusIsInThisProgram,
             QObject* parent = nullptr);

    // Offers the board once the window has painted for the first time, so
    // that the start-up does not wait for the bus.
    void OfferAfterFirstPaint();
    // Registers the object and the window's name now, and stands in the
    // queue for the primary name. False, and nothing offered, without a bus
    // or when the window's name is taken.
    bool Offer();
    // Whether this window holds the primary name, as the bus last said.
    bool HoldsPrimaryName() const;

    static QString PrimaryName();
    static QString WindowName(qint64 pid);

    QList<QByteArray> Cells() const;
    int SelectedColumn() const;
    int SelectedRow() const;
    bool UndoAvailable() const;

public slots:
    // Selects (column, row) and runs the pop-up digit `digit`, refusal box
    // included; true when the digit was placed.
    bool Place(int column, int row, int digit);
    // Strikes each digit from its cell, as a step of solving lists them, as
    // one step that "戻る" takes back; true when the board took it, else the
    // window's box told why.
    bool Strike(const QList<quillet::Candidate>& strikes);

signals:
    // Cells, selection or "戻る" changed: at most once per turn of the event
    // loop, and only for a real change. It carries them all, as the
    // properties give them, so that a client follows the board without
    // asking for it again.
    void Changed(const QList<QByteArray>& cells, int selectedColumn, int selectedRow,
                 bool undoAvailable);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A command cannot start while the window takes no input; the caller
    // hears so.
    bool Answer(std::optional<bool> taken);
    void Touched();
    void PublishIfChanged();

    struct Published {
        std::array<CandidateString, kCellCount> cells;
        CellPos selection;
        bool undoAvailable = false;
        friend bool operator==(const Published&, const Published&) = default;
    };
    Published Current() const;

    TForm1& window_;
    QDBusConnection bus_;
    boardbus::SharedNameClaim primaryName_;
    FocusReports focusReports_;
    bool offered_ = false;
    bool waitingForPaint_ = false;
    bool publishQueued_ = false;
    Published published_;
};

}  // namespace quillet
