#include "harness/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace quillet::bench {

namespace {

std::vector<char*> CStrings(const std::vector<std::string>& strings) {
    std::vector<char*> result;
    result.reserve(strings.size() + 1);
    for (const std::string& s : strings) result.push_back(const_cast<char*>(s.c_str()));
    result.push_back(nullptr);
    return result;
}

std::string NameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

}  // namespace

ChildProcess::~ChildProcess() {
    if (Running()) Kill();
}

void ChildProcess::Start(const std::vector<std::string>& argv,
                         const std::vector<std::string>& environment,
                         const std::string& workingDirectory, const std::string& logPath) {
    // Everything the child needs is prepared before fork: after it, only
    // async-signal-safe calls are allowed.
    std::vector<char*> args = CStrings(argv);
    std::vector<char*> env = CStrings(environment);
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log < 0) throw std::runtime_error("cannot open " + logPath);
    const pid_t pid = fork();
    if (pid < 0) {
        close(log);
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        setpgid(0, 0);
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        const int devnull = open("/dev/null", O_RDONLY);
        if (devnull >= 0) dup2(devnull, STDIN_FILENO);
        if (chdir(workingDirectory.c_str()) != 0) _exit(126);
        execve(args[0], args.data(), env.data());
        _exit(127);
    }
    close(log);
    pid_ = pid;
}

std::optional<ChildEnd> ChildProcess::Reap(int options) {
    if (!Running()) return std::nullopt;
    int status = 0;
    rusage usage{};
    const pid_t done = wait4(pid_, &status, options, &usage);
    if (done != pid_) return std::nullopt;
    pid_ = -1;
    return ChildEnd{status, usage.ru_maxrss};
}

std::optional<ChildEnd> ChildProcess::Poll() { return Reap(WNOHANG); }

ChildEnd ChildProcess::Kill() {
    if (!Running()) return {};
    // The whole group: a program may have started helpers of its own.
    kill(-pid_, SIGKILL);
    return Reap(0).value_or(ChildEnd{});
}

ChildEnd ChildProcess::WaitOrKill(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (auto end = Poll()) return *end;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return Kill();
}

std::string AbsolutePath(const std::string& path) {
    return std::filesystem::absolute(path).string();
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& overrides,
                                         const std::vector<std::string>& removed) {
    std::vector<std::string> result;
    auto dropped = [&](const std::string& name) {
        if (std::find(removed.begin(), removed.end(), name) != removed.end()) return true;
        return std::any_of(overrides.begin(), overrides.end(),
                           [&](const std::string& o) { return NameOf(o) == name; });
    };
    for (char** e = environ; *e != nullptr; ++e)
        if (!dropped(NameOf(*e))) result.emplace_back(*e);
    result.insert(result.end(), overrides.begin(), overrides.end());
    return result;
}

std::string FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = dir + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

}  // namespace quillet::bench
