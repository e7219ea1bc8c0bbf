#include "x11/MainWindowDriver.h"

#include <stdexcept>

namespace quillet::bench {

Point MainWindowDriver::At(const Rect& control) const {
    return {main_.rect.x + control.CentreX(), main_.rect.y + control.CentreY()};
}

Point MainWindowDriver::Cell(int col, int row) const {
    return {main_.rect.x + 2 + 41 * col + 20, main_.rect.y + 2 + 41 * row + 20};
}

void MainWindowDriver::Settle(int quietMs) {
    // Nothing drawn at all is settled too; only a timeout matters.
    if (!x_.WaitQuiet(Clock::now(), quietMs, kCommandTimeoutMs)) x_.ReadEvents(0);
}

void MainWindowDriver::Hover(Point p) {
    x_.MovePointer(p.x, p.y);
    Settle();
}

void MainWindowDriver::Click(Point p, int button) {
    Hover(p);
    x_.Click(p.x, p.y, button);
    Settle();
}

double MainWindowDriver::Timed(Point p, int button, bool opensWindow) {
    Hover(p);
    lastStart_ = Clock::now();
    x_.Click(p.x, p.y, button);
    if (opensWindow &&
        !x_.WaitFor([&] { return NewestOther(lastStart_).has_value(); }, kCommandTimeoutMs))
        throw std::runtime_error("the command opened no window");
    // On a loaded machine the drawing may begin later than a quiet spell
    // lasts: only once it has begun can a quiet spell end it.
    const auto drawing = [&] {
        const auto drawn = x_.LastDamage();
        return drawn && *drawn >= lastStart_;
    };
    if (!x_.WaitFor(drawing, kCommandTimeoutMs)) throw std::runtime_error("a command drew nothing");
    const auto last = x_.WaitQuiet(lastStart_, quietMs_, kCommandTimeoutMs);
    if (!last) throw std::runtime_error("a command never stopped drawing");
    return MillisBetween(lastStart_, *last);
}

void MainWindowDriver::TypeFileName(const std::string& name) {
    Click(At(kFileName));
    x_.Key("a", true);
    x_.TypeText(name);
    Settle();
}

std::optional<Showing> MainWindowDriver::NewestOther(TimePoint since) const {
    const auto showings = x_.ShowingsSince(since);
    for (auto it = showings.rbegin(); it != showings.rend(); ++it)
        if (it->window != main_.window) return *it;
    return std::nullopt;
}

}  // namespace quillet::bench
