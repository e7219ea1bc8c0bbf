#include "x11/XSession.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <stdexcept>

namespace quillet::bench {

namespace {

// Windows vanish between an event and a request about them; such errors are
// expected and harmless here.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

int RemainingMs(TimePoint deadline) {
    return std::max(0, static_cast<int>(MillisBetween(Clock::now(), deadline)));
}

}  // namespace

XSession::XSession(const std::string& displayName) : display_(XOpenDisplay(displayName.c_str())) {
    if (display_ == nullptr) throw std::runtime_error("cannot open display " + displayName);
    XSetErrorHandler(IgnoreErrors);
    root_ = DefaultRootWindow(display_);
    int damageError = 0;
    int major = 0;
    int minor = 0;
    int xtestEvent = 0;
    int xtestError = 0;
    if (!XDamageQueryExtension(display_, &damageEventBase_, &damageError))
        throw std::runtime_error("the X server has no DAMAGE extension");
    if (!XTestQueryExtension(display_, &xtestEvent, &xtestError, &major, &minor))
        throw std::runtime_error("the X server has no XTEST extension");
    XSelectInput(display_, root_, SubstructureNotifyMask);
    damage_handle_ = XDamageCreate(display_, root_, XDamageReportRawRectangles);

    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, root_, &rootReturn, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(display_, children[i], &a)) continue;
            history_.Created(children[i], {a.x, a.y, a.width, a.height}, a.override_redirect != 0);
            if (a.map_state == IsViewable) history_.Mapped(children[i], Clock::now());
        }
        XFree(children);
    }
    XSync(display_, False);
}

XSession::~XSession() {
    XDamageDestroy(display_, damage_handle_);
    XCloseDisplay(display_);
}

void XSession::Flush() { XFlush(display_); }

void XSession::Handle(void* raw, TimePoint at) {
    const XEvent& ev = *static_cast<XEvent*>(raw);
    if (ev.type == damageEventBase_ + XDamageNotify) {
        const auto& d = reinterpret_cast<const XDamageNotifyEvent&>(ev);
        const Rect drawn{d.area.x, d.area.y, d.area.width, d.area.height};
        history_.Drew(drawn, at);
        lastDamage_ = at;
        if (drawn.Intersects(watchedArea_)) lastDamageInArea_ = at;
        return;
    }
    switch (ev.type) {
        case CreateNotify: {
            const XCreateWindowEvent& c = ev.xcreatewindow;
            if (c.parent == root_)
                history_.Created(c.window, {c.x, c.y, c.width, c.height}, c.override_redirect != 0);
            break;
        }
        case ConfigureNotify: {
            const XConfigureEvent& c = ev.xconfigure;
            history_.Configured(c.window, {c.x, c.y, c.width, c.height});
            break;
        }
        case MapNotify: history_.Mapped(ev.xmap.window, at); break;
        case UnmapNotify: history_.Unmapped(ev.xunmap.window, at); break;
        case DestroyNotify: history_.Destroyed(ev.xdestroywindow.window, at); break;
        default: break;
    }
}

void XSession::ReadEvents(int waitMs) {
    if (XPending(display_) == 0) {
        pollfd wait{ConnectionNumber(display_), POLLIN, 0};
        poll(&wait, 1, waitMs);
    }
    while (XPending(display_) > 0) {
        XEvent ev;
        XNextEvent(display_, &ev);
        Handle(&ev, Clock::now());
    }
}

bool XSession::WaitFor(const std::function<bool()>& done, int timeoutMs) {
    const TimePoint deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        const int left = RemainingMs(deadline);
        if (left == 0) return false;
        ReadEvents(left);
    }
    return true;
}

std::optional<TimePoint> XSession::WaitQuiet(TimePoint since, int quietMs, int timeoutMs) {
    const TimePoint deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        ReadEvents(0);
        const TimePoint now = Clock::now();
        const TimePoint quietSince = std::max(since, lastDamage_.value_or(since));
        const int quietFor = static_cast<int>(MillisBetween(quietSince, now));
        if (quietFor >= quietMs) break;
        if (now >= deadline) return std::nullopt;
        ReadEvents(std::min(quietMs - quietFor, RemainingMs(deadline)) + 1);
    }
    if (!lastDamage_ || *lastDamage_ < since) return std::nullopt;
    return lastDamage_;
}

Rect XSession::LargestShapeRect(const Showing& window) const {
    int count = 0;
    int ordering = 0;
    XRectangle* rects =
        XShapeGetRectangles(display_, window.window, ShapeBounding, &count, &ordering);
    Rect best{window.rect.x, window.rect.y, window.rect.width, window.rect.height};
    long bestArea = -1;
    for (int i = 0; i < count; ++i) {
        const long area = static_cast<long>(rects[i].width) * rects[i].height;
        if (area <= bestArea) continue;
        bestArea = area;
        best = {window.rect.x + rects[i].x, window.rect.y + rects[i].y, rects[i].width,
                rects[i].height};
    }
    if (rects != nullptr) XFree(rects);
    return best;
}

void XSession::MovePointer(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    Flush();
}

void XSession::Press(int button) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    Flush();
}

void XSession::Release(int button) {
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    Flush();
}

void XSession::Click(int x, int y, int button) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    Flush();
}

void XSession::Key(const std::string& keysymName, bool control) {
    const KeySym sym = XStringToKeysym(keysymName.c_str());
    const KeyCode code = XKeysymToKeycode(display_, sym);
    if (code == 0) throw std::runtime_error("no key for " + keysymName);
    const KeyCode ctrl = XKeysymToKeycode(display_, XK_Control_L);
    if (control) XTestFakeKeyEvent(display_, ctrl, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (control) XTestFakeKeyEvent(display_, ctrl, False, CurrentTime);
    Flush();
}

void XSession::TypeText(const std::string& text) {
    for (const char ch : text) {
        if (ch == '.')
            Key("period");
        else if (ch == '-')
            Key("minus");
        else
            Key(std::string(1, ch));
    }
}

}  // namespace quillet::bench
