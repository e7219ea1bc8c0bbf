#pragma once

#include <optional>
#include <string>

#include "x11/XSession.h"

namespace quillet::bench {

// Where the main window's controls sit, in its client coordinates.
constexpr Rect kResetAll{424, 8, 57, 25};
constexpr Rect kBack{480, 36, 49, 25};
constexpr Rect kDecide{480, 64, 49, 25};
constexpr Rect kBoxAid{424, 92, 33, 25};
constexpr Rect kLinesAid{460, 92, 33, 25};
constexpr Rect kCheck{496, 92, 33, 25};
constexpr Rect kFileName{424, 328, 105, 24};
constexpr Rect kSave{424, 356, 49, 25};
constexpr Rect kLoad{480, 356, 49, 25};
constexpr Rect kEnd{424, 384, 105, 25};

// Between untimed steps the screen counts as settled after this long still.
constexpr int kSettleMs = 80;
// Reached only when a command fails.
constexpr int kCommandTimeoutMs = 30000;

struct Point {
    int x;
    int y;
};

// Drives the main window with synthetic input and times its commands from
// the press to the last drawing of their repaint.
class MainWindowDriver {
public:
    // A repaint is over once nothing has been drawn for quietMs.
    MainWindowDriver(XSession& x, const Showing& main, int quietMs)
        : x_(x), main_(main), quietMs_(quietMs) {}

    Point At(const Rect& control) const;
    // The middle of board cell (col, row), inside the grid's 2-pixel border.
    Point Cell(int col, int row) const;

    void Settle(int quietMs = kSettleMs);
    // Moves there first and lets hover effects paint, so that a timed click
    // times the command alone.
    void Hover(Point p);
    void Click(Point p, int button = 1);
    // Milliseconds from the press to the last drawing of the repaint; with
    // opensWindow, to the last drawing once a new window has come up.
    double Timed(Point p, int button = 1, bool opensWindow = false);
    TimePoint LastStart() const { return lastStart_; }
    void TypeFileName(const std::string& name);

    // The newest showing of a window other than the main window that began
    // at or after `since`, also one that has ended meanwhile.
    std::optional<Showing> NewestOther(TimePoint since) const;

    XSession& Session() const { return x_; }
    const Showing& Main() const { return main_; }

private:
    XSession& x_;
    Showing main_;
    int quietMs_;
    TimePoint lastStart_;
};

}  // namespace quillet::bench
