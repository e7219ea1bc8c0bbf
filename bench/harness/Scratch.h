#pragma once

#include <string>
#include <vector>

namespace quillet::bench {

// A scratch directory under TMPDIR (or /tmp), removed with its content when
// this object goes, unless it goes because of an exception: then it stays, so
// that the logs a failure message names can still be read, and the end of
// each log is printed to stderr for a run that nobody can look into later.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& prefix);
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& Path() const { return path_; }
    // Creates a subdirectory and returns its path.
    std::string Subdirectory(const std::string& name) const;

private:
    void ReportKept() const;

    std::string path_;
    int uncaughtAtStart_;
};

// The environment the measured programs run in: this process's, on the given
// display, with a scratch home and runtime directory and no desktop session
// (no session bus), the same for every program compared.
std::vector<std::string> ProgramEnvironment(const std::string& display,
                                            const ScratchDirectory& scratch);

}  // namespace quillet::bench
