#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "xlib/Clock.h"

// Xlib's macros (None, Bool, Status...) stay out of the users of this header.
struct _XDisplay;

namespace quillet::bench {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Intersects(const Rect& o) const {
        return x < o.x + o.width && o.x < x + width && y < o.y + o.height && o.y < y + height;
    }
    int CentreX() const { return x + width / 2; }
    int CentreY() const { return y + height / 2; }
};

// A window directly on the root: without a window manager, every top-level
// window of a program.
struct TopWindow {
    unsigned long id = 0;
    Rect rect;
    bool overrideRedirect = false;
    bool mapped = false;
    TimePoint mappedAt;
};

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

    // The first drawing reported at or after `since` that touches `area`.
    std::optional<TimePoint> FirstDamage(TimePoint since, const Rect& area) const;
    std::optional<TimePoint> LastDamage() const { return lastDamage_; }
    // Mapped top-level windows, in the order they were mapped.
    std::vector<TopWindow> MappedWindows() const;
    // The rectangle of `window`'s visible shape with the largest area, in
    // screen coordinates: a point inside it is sure to hit the window.
    Rect LargestShapeRect(const TopWindow& window) const;
    // Forgets the drawing reported so far.
    void ForgetDamage() { damage_.clear(); }

    void MovePointer(int x, int y);
    // Press and release without delay between them; returns when both are sent.
    void Click(int x, int y, int button = 1);
    void Press(int button);
    void Release(int button);
    // A key stroke by keysym name ("a", "period", "Return"), optionally with Ctrl.
    void Key(const std::string& keysymName, bool control = false);
    void TypeText(const std::string& text);

private:
    struct Drawing {
        TimePoint at;
        Rect area;
    };

    void Handle(void* event, TimePoint at);
    void Flush();

    _XDisplay* display_;
    unsigned long root_;
    int damageEventBase_ = 0;
    unsigned long damage_handle_ = 0;
    std::map<unsigned long, TopWindow> windows_;
    std::vector<unsigned long> mapOrder_;
    std::vector<Drawing> damage_;
    std::optional<TimePoint> lastDamage_;
};

}  // namespace quillet::bench
