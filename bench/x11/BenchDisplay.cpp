#include "x11/BenchDisplay.h"

namespace quillet::bench {

bool IsMainWindow(const Showing& w) {
    return !w.overrideRedirect && w.rect.width == kMainWidth && w.rect.height == kMainHeight;
}

std::optional<Showing> WaitForMainWindow(XSession& x, TimePoint since, bool painted,
                                         int timeoutMs) {
    std::optional<Showing> found;
    x.WaitFor(
        [&] {
            for (const Showing& w : x.ShowingsSince(since)) {
                if (!IsMainWindow(w) || (painted && !w.firstDrawing)) continue;
                found = w;
                return true;
            }
            return false;
        },
        timeoutMs);
    return found;
}

void WaitForEmptyScreen(XSession& x) {
    x.WaitFor([&] { return x.MappedWindows().empty(); }, 10000);
    x.WaitQuiet(Clock::now(), 50, 5000);
}

BenchDisplay::BenchDisplay(const std::string& runnerName, bool withSessionBus)
    : scratch(runnerName),
      server(scratch.Path() + "/xvfb.log"),
      x(server.DisplayName()),
      environment(ProgramEnvironment(server.DisplayName(), scratch)),
      workDir(scratch.Subdirectory("start")) {
    if (!withSessionBus) return;
    bus.emplace(scratch.Subdirectory("bus"), scratch.Path() + "/dbus-daemon.log");
    environment.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus->Address());
}

}  // namespace quillet::bench
