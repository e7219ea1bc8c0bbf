#include "files/BoardFileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "board/CommandError.h"
#include "files/BoardText.h"
#include "files/FileReplacement.h"
#include "files/UniqueFd.h"

namespace quillet {

namespace {

// Follows symbolic links: what a save would replace or a load would read.
enum class PathKind { kMissing, kRegular, kOther };

PathKind KindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? PathKind::kMissing : PathKind::kOther;
    return S_ISREG(info.st_mode) ? PathKind::kRegular : PathKind::kOther;
}

bool IsUsablePath(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

// At most `limit` + 1 bytes, so that an over-long file shows without being
// read whole. The buffer starts at the size the file had when it was opened
// and grows only if the file does. Returns false on a read error.
bool ReadUpTo(int fd, std::size_t expected, std::size_t limit, std::string& text) {
    text.resize(std::min(expected, limit) + 1);
    std::size_t used = 0;
    while (true) {
        if (used == text.size()) {
            if (text.size() > limit) break;
            text.resize(std::min(text.size() * 2, limit + 1));
        }
        const ssize_t got = ::read(fd, text.data() + used, text.size() - used);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        used += static_cast<std::size_t>(got);
    }
    text.resize(used);
    return true;
}

}  // namespace

std::string CannotCreateMessage(const std::string& name) {
    return "ファイル " + name + " を作成できません";
}

std::string CannotOpenMessage(const std::string& name) {
    return "ファイル " + name + " は開けません";
}

void WriteBoardFile(const std::string& path, const std::string& name, std::string_view text,
                    const DirectoryListing* listing) {
    WriteWholeFile(path, name, text, IsSavedBoardText, listing);
}

void WriteWholeFile(const std::string& path, const std::string& name, std::string_view bytes,
                    const OwnContentTest& isOwnContent, const DirectoryListing* listing) {
    // A directory, FIFO or device cannot be replaced by a file: refuse it
    // before anything opens it (a FIFO would block, a device be clobbered).
    if (!IsUsablePath(path) || KindOf(path) == PathKind::kOther)
        throw CommandError(CommandError::Kind::kCannotCreate, CannotCreateMessage(name));

    switch (ReplaceFile(path, bytes, isOwnContent, listing)) {
        case ReplaceOutcome::kReplaced: return;
        case ReplaceOutcome::kCannotCreate:
            throw CommandError(CommandError::Kind::kCannotCreate, CannotCreateMessage(name));
        case ReplaceOutcome::kWriteFailed:
            throw CommandError(CommandError::Kind::kCannotWrite, kWriteErrorMessage);
    }
}

std::string ReadBoardFileText(const std::string& path, const std::string& name) {
    if (!IsUsablePath(path) || KindOf(path) != PathKind::kRegular)
        throw CommandError(CommandError::Kind::kCannotOpen, CannotOpenMessage(name));

    // Non-blocking in case the path was swapped for a FIFO since the check.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw CommandError(CommandError::Kind::kCannotOpen, CannotOpenMessage(name));
    if (static_cast<std::uintmax_t>(info.st_size) > kBoardTextLimit)
        throw CommandError(CommandError::Kind::kTooLarge, kTextTooLargeMessage);

    std::string text;
    const auto size = static_cast<std::size_t>(info.st_size);
    if (!ReadUpTo(fd.get(), size, kBoardTextLimit, text))
        throw CommandError(CommandError::Kind::kCannotOpen, CannotOpenMessage(name));
    if (text.size() > kBoardTextLimit)
        throw CommandError(CommandError::Kind::kTooLarge, kTextTooLargeMessage);
    return text;
}

std::vector<std::string> ReadBoardFile(const std::string& path, const std::string& name) {
    return SplitBoardText(ReadBoardFileText(path, name));
}

}  // namespace quillet
