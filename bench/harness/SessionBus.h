#pragma once

#include <string>

#include "harness/Process.h"

namespace quillet::bench {

// A private session bus for one benchmark run, as a desktop session has one:
// the program offers its board there once it has painted, and Qt asks it
// about screen readers. Stopped when this object goes.
class SessionBus {
public:
    // Throws std::runtime_error when dbus-daemon does not come up.
    SessionBus(const std::string& socketDirectory, const std::string& logPath);
    // DBUS_SESSION_BUS_ADDRESS for the measured programs.
    const std::string& Address() const { return address_; }

private:
    ChildProcess daemon_;
    std::string address_;
};

}  // namespace quillet::bench
