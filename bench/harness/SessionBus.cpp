#include "harness/SessionBus.h"

#include <poll.h>
#include <unistd.h>

#include <stdexcept>

namespace quillet::bench {

SessionBus::SessionBus(const std::string& socketDirectory, const std::string& logPath) {
    const std::string daemon = FindOnPath("dbus-daemon");
    if (daemon.empty()) throw std::runtime_error("dbus-daemon not found (Debian package dbus)");
    // The daemon writes its address to this pipe once it accepts clients.
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    daemon_.Start(
        {daemon, "--session", "--nofork", "--nopidfile", "--address=unix:dir=" + socketDirectory,
         "--print-address=" + std::to_string(fds[1])},
        EnvironmentWith({}, {"DBUS_SESSION_BUS_ADDRESS"}), "/", logPath);
    close(fds[1]);
    pollfd wait{fds[0], POLLIN, 0};
    while (poll(&wait, 1, 20000) > 0) {
        char ch;
        if (read(fds[0], &ch, 1) != 1 || ch == '\n') break;
        address_ += ch;
    }
    close(fds[0]);
    if (address_.empty()) throw std::runtime_error("dbus-daemon did not start; see " + logPath);
}

}  // namespace quillet::bench
