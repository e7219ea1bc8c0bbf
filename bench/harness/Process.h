#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace quillet::bench {

// How a child ended and the largest resident size it ever had.
struct ChildEnd {
    int status = 0;
    long peakResidentKiB = 0;
};

// A program started in its own process group, with its own environment and
// working directory; its output goes to a log file.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Kills a child that is still running.
    ~ChildProcess();

    // Throws std::runtime_error when the program cannot be started.
    void Start(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
               const std::string& workingDirectory, const std::string& logPath);
    pid_t Pid() const { return pid_; }
    bool Running() const { return pid_ > 0; }
    // The end of a child that has already ended, without waiting.
    std::optional<ChildEnd> Poll();
    ChildEnd Kill();
    // Waits at most timeoutMs, then kills.
    ChildEnd WaitOrKill(int timeoutMs);

private:
    std::optional<ChildEnd> Reap(int options);

    pid_t pid_ = -1;
};

// The path made absolute: children start in directories of their own.
std::string AbsolutePath(const std::string& path);

// This process's environment with the given NAME=value entries put in place
// and the named variables removed.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& overrides,
                                         const std::vector<std::string>& removed);

// The full path of a program found on PATH, or the empty string.
std::string FindOnPath(const std::string& program);

}  // namespace quillet::bench
