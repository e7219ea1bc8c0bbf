#include "harness/Runner.h"

#include <cstdio>
#include <exception>

namespace quillet::bench {

int RunnerMain(const char* runnerName, const std::function<int()>& body) {
    try {
        return body();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", runnerName, e.what());
        return 1;
    }
}

}  // namespace quillet::bench
