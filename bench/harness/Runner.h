#pragma once

#include <functional>

namespace quillet::bench {

// Runs a runner's body and turns what it throws into a message and status 1.
int RunnerMain(const char* runnerName, const std::function<int()>& body);

}  // namespace quillet::bench
