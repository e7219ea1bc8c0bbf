#pragma once

#include <map>
#include <optional>
#include <vector>

#include "harness/Clock.h"

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

// One showing of a top-level window (a window directly on the root: without
// a window manager, every top-level window of a program), from the map to the
// unmap that ends it, with the drawing reported inside its rectangle meanwhile.
struct Showing {
    unsigned long window = 0;
    Rect rect;
    bool overrideRedirect = false;
    TimePoint mappedAt;
    std::optional<TimePoint> unmappedAt;
    std::optional<TimePoint> firstDrawing;
    std::optional<TimePoint> lastDrawing;

    bool Open() const { return !unmappedAt.has_value(); }
};

// Every showing of every top-level window, in the order of the events that the
// X server reported, each stamped with its arrival. Showings are kept after
// their window is gone: a program may map, paint and destroy a window between
// two looks of whoever waits for it.
class WindowHistory {
public:
    void Created(unsigned long window, const Rect& rect, bool overrideRedirect);
    void Configured(unsigned long window, const Rect& rect);
    void Mapped(unsigned long window, TimePoint at);
    void Unmapped(unsigned long window, TimePoint at);
    void Destroyed(unsigned long window, TimePoint at);
    // Drawing into `area` of the screen: it belongs to every open showing it touches.
    void Drew(const Rect& area, TimePoint at);

    // Showings that began at or after `since`, open or ended, in map order.
    std::vector<Showing> ShowingsSince(TimePoint since) const;
    // The showings open now, in map order.
    std::vector<Showing> OpenShowings() const;
    bool IsOpen(unsigned long window) const;

private:
    struct Window {
        Rect rect;
        bool overrideRedirect = false;
        // Index into showings_ while mapped.
        std::optional<std::size_t> showing;
    };

    std::map<unsigned long, Window> windows_;
    std::vector<Showing> showings_;
};

}  // namespace quillet::bench
