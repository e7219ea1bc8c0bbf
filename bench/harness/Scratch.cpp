#include "harness/Scratch.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "harness/Process.h"

namespace quillet::bench {

namespace {

constexpr std::size_t kLogLinesShown = 40;

void PrintTail(const std::filesystem::path& log) {
    std::ifstream in(log, std::ios::binary);
    std::deque<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
        if (lines.size() > kLogLinesShown) lines.pop_front();
    }
    std::fprintf(stderr, "--- end of %s ---\n", log.c_str());
    for (const std::string& line : lines) std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

ScratchDirectory::ScratchDirectory(const std::string& prefix)
    : uncaughtAtStart_(std::uncaught_exceptions()) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/" + prefix + ".XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
    path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    if (std::uncaught_exceptions() > uncaughtAtStart_) {
        ReportKept();
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void ScratchDirectory::ReportKept() const {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(path_, ignored))
        if (entry.path().extension() == ".log") PrintTail(entry.path());
    std::fprintf(stderr, "kept %s for inspection\n", path_.c_str());
}

std::string ScratchDirectory::Subdirectory(const std::string& name) const {
    const std::string path = path_ + "/" + name;
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        throw std::runtime_error("cannot create " + path);
    return path;
}

std::vector<std::string> ProgramEnvironment(const std::string& display,
                                            const ScratchDirectory& scratch) {
    return EnvironmentWith(
        {"DISPLAY=" + display, "HOME=" + scratch.Subdirectory("home"),
         "XDG_RUNTIME_DIR=" + scratch.Subdirectory("runtime"), "QT_QPA_PLATFORM=xcb",
         "LC_ALL=C.UTF-8"},
        {"DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER", "WAYLAND_DISPLAY", "XDG_CONFIG_HOME",
         "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
         "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR", "QT_FONT_DPI"});
}

}  // namespace quillet::bench
