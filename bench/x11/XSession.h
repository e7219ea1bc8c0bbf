#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "harness/Clock.h"
#include "x11/WindowHistory.h"

// Xlib's macros (None, Bool, Status...) stay out of the users of this header.
struct _XDisplay;

namespace quillet::bench {

// A connection to the X server that watches the whole screen from outside
// the programs: every top-level window appearing, moving and disappearing,
// and every rectangle drawn anywhere (X Damage on the root window reports
// drawing into all windows). It also sends synthetic input through XTest.
class XSession {
public:
    // Throws std::runtime_error when the display or an extension is missing.
    explicit XSession(const std::string& displayName);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Reads the events that arrive within waitMs (at least those queued now).
    void ReadEvents(int waitMs);
    // Reads events until done() holds or timeoutMs pass; returns done().
    bool WaitFor(const std::function<bool()>& done, int timeoutMs);
    // Reads events until no drawing has been reported for quietMs; returns the
    // arrival time of the last drawing since `since`, or nothing when there
    // was none or timeoutMs passed first.
    std::optional<TimePoint> WaitQuiet(TimePoint since, int quietMs, int timeoutMs);

    std::optional<TimePoint> LastDamage() const { return lastDamage_; }
    // Drawing that touches `area` (screen coordinates) is told apart from the
    // rest: its last arrival, from now on.
    void WatchArea(const Rect& area) {
        watchedArea_ = area;
        lastDamageInArea_.reset();
    }
    std::optional<TimePoint> LastDamageInArea() const { return lastDamageInArea_; }
    // Every showing of a top-level window that began at or after `since`,
    // also those that have ended since, in the order they were mapped.
    std::vector<Showing> ShowingsSince(TimePoint since) const {
        return history_.ShowingsSince(since);
    }
    // Top-level windows mapped now, in the order they were mapped.
    std::vector<Showing> MappedWindows() const { return history_.OpenShowings(); }
    bool IsMapped(unsigned long window) const { return history_.IsOpen(window); }
    // The rectangle of `window`'s visible shape with the largest area, in
    // screen coordinates: a point inside it is sure to hit the window.
    Rect LargestShapeRect(const Showing& window) const;

    void MovePointer(int x, int y);
    // Press and release without delay between them; returns when both are sent.
    void Click(int x, int y, int button = 1);
    void Press(int button);
    void Release(int button);
    // A key stroke by keysym name ("a", "period", "Return"), optionally with Ctrl.
    void Key(const std::string& keysymName, bool control = false);
    void TypeText(const std::string& text);

private:
    void Handle(void* event, TimePoint at);
    void Flush();

    _XDisplay* display_;
    unsigned long root_;
    int damageEventBase_ = 0;
    unsigned long damage_handle_ = 0;
    WindowHistory history_;
    std::optional<TimePoint> lastDamage_;
    Rect watchedArea_;
    std::optional<TimePoint> lastDamageInArea_;
};

}  // namespace quillet::bench
