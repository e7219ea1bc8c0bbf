#pragma once

#include <optional>
#include <string>
#include <vector>

#include "harness/Scratch.h"
#include "harness/SessionBus.h"
#include "x11/XSession.h"
#include "x11/XvfbServer.h"

namespace quillet::bench {

constexpr int kMainWidth = 534;
constexpr int kMainHeight = 416;
// Long enough for a start on a loaded machine; reached only when a start fails.
constexpr int kStartTimeoutMs = 60000;

// The program's main window, or the floor's: its fixed size, and not a pop-up.
bool IsMainWindow(const Showing& w);

// Waits for the first showing of a main window that began at or after `since`
// (with `painted`, the first one that has been drawn into), even one that has
// ended meanwhile. Nothing when timeoutMs pass first.
std::optional<Showing> WaitForMainWindow(XSession& x, TimePoint since, bool painted,
                                         int timeoutMs = kStartTimeoutMs);

// Lets the screen settle before the next start: no window is left and
// nothing has been drawn for a while.
void WaitForEmptyScreen(XSession& x);

// What a runner measures in: a scratch directory (kept with its logs when the
// run fails), a private X server logging into it, a session watching that
// server, with `withSessionBus` a private session bus, and the environment
// and start directory of the measured programs.
struct BenchDisplay {
    explicit BenchDisplay(const std::string& runnerName, bool withSessionBus = false);

    ScratchDirectory scratch;
    XvfbServer server;
    XSession x;
    std::optional<SessionBus> bus;
    std::vector<std::string> environment;
    std::string workDir;
};

}  // namespace quillet::bench
