#include "x11/WindowHistory.h"

namespace quillet::bench {

void WindowHistory::Created(unsigned long window, const Rect& rect, bool overrideRedirect) {
    windows_[window] = Window{rect, overrideRedirect, std::nullopt};
}

void WindowHistory::Configured(unsigned long window, const Rect& rect) {
    const auto it = windows_.find(window);
    if (it == windows_.end()) return;
    it->second.rect = rect;
    if (it->second.showing) showings_[*it->second.showing].rect = rect;
}

void WindowHistory::Mapped(unsigned long window, TimePoint at) {
    const auto it = windows_.find(window);
    if (it == windows_.end() || it->second.showing) return;
    it->second.showing = showings_.size();
    showings_.push_back(Showing{window, it->second.rect, it->second.overrideRedirect, at,
                                std::nullopt, std::nullopt, std::nullopt});
}

void WindowHistory::Unmapped(unsigned long window, TimePoint at) {
    const auto it = windows_.find(window);
    if (it == windows_.end() || !it->second.showing) return;
    showings_[*it->second.showing].unmappedAt = at;
    it->second.showing.reset();
}

void WindowHistory::Destroyed(unsigned long window, TimePoint at) {
    // The server unmaps before it destroys; this only guards a lost unmap.
    Unmapped(window, at);
    windows_.erase(window);
}

void WindowHistory::Drew(const Rect& area, TimePoint at) {
    for (const auto& [id, window] : windows_) {
        if (!window.showing) continue;
        Showing& showing = showings_[*window.showing];
        if (!showing.rect.Intersects(area)) continue;
        if (!showing.firstDrawing) showing.firstDrawing = at;
        showing.lastDrawing = at;
    }
}

std::vector<Showing> WindowHistory::ShowingsSince(TimePoint since) const {
    std::vector<Showing> result;
    for (const Showing& s : showings_)
        if (s.mappedAt >= since) result.push_back(s);
    return result;
}

std::vector<Showing> WindowHistory::OpenShowings() const {
    std::vector<Showing> result;
    for (const Showing& s : showings_)
        if (s.Open()) result.push_back(s);
    return result;
}

bool WindowHistory::IsOpen(unsigned long window) const {
    const auto it = windows_.find(window);
    return it != windows_.end() && it->second.showing.has_value();
}

}  // namespace quillet::bench
