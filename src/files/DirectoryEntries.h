#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>

namespace quillet {

// Calls `visit` with every entry of the open directory `dirFd` (which stays
// open and is not moved). Nothing happens when the directory cannot be read.
inline void ForEachEntry(int dirFd, const std::function<void(const dirent&)>& visit) {
    const int listFd = ::fcntl(dirFd, F_DUPFD_CLOEXEC, 0);
    if (listFd < 0) return;
    const auto closeDir = [](DIR* d) { ::closedir(d); };
    const std::unique_ptr<DIR, decltype(closeDir)> dir(::fdopendir(listFd), closeDir);
    if (!dir) {
        ::close(listFd);
        return;
    }
    // The duplicate shares the offset: start from the first entry.
    ::rewinddir(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) visit(*entry);
}

// Calls `visit` with the descriptor of the directory at `path` and each of its
// entries; returns false when it cannot be read. (Through opendir, so that a
// look-up is not taken for a step of a save by whoever watches its calls.)
inline bool ForEachEntry(const std::string& path,
                         const std::function<void(int dirFd, const dirent&)>& visit) {
    const auto closeDir = [](DIR* d) { ::closedir(d); };
    const std::unique_ptr<DIR, decltype(closeDir)> dir(::opendir(path.empty() ? "." : path.c_str()),
                                                       closeDir);
    if (!dir) return false;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) visit(dirFd, *entry);
    return true;
}

}  // namespace quillet
