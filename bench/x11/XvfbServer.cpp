#include "x11/XvfbServer.h"

#include <poll.h>
#include <unistd.h>

#include <stdexcept>

namespace quillet::bench {

XvfbServer::XvfbServer(const std::string& logPath) {
    const std::string xvfb = FindOnPath("Xvfb");
    if (xvfb.empty()) throw std::runtime_error("Xvfb not found (Debian package xvfb)");
    // The server writes its display number to this pipe once it accepts clients.
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    const std::string screen =
        std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
    server_.Start({xvfb, "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten",
                   "tcp", "-noreset"},
                  EnvironmentWith({}, {}), "/", logPath);
    close(fds[1]);
    std::string number;
    pollfd wait{fds[0], POLLIN, 0};
    while (poll(&wait, 1, 20000) > 0) {
        char ch;
        if (read(fds[0], &ch, 1) != 1 || ch == '\n') break;
        number += ch;
    }
    close(fds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start; see " + logPath);
    display_ = ":" + number;
}

}  // namespace quillet::bench
