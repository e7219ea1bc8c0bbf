#pragma once

#include <string>

#include "harness/Process.h"

namespace quillet::bench {

// A private X server in memory for one benchmark run, on the first free
// display; it is stopped when this object goes.
class XvfbServer {
public:
    // Throws std::runtime_error when no server comes up.
    explicit XvfbServer(const std::string& logPath);
    const std::string& DisplayName() const { return display_; }

    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 1024;

private:
    ChildProcess server_;
    std::string display_;
};

}  // namespace quillet::bench
