#include "files/FileReplacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>

#include "files/DirectoryEntries.h"
#include "files/UniqueFd.h"

namespace quillet {

namespace {

constexpr std::string_view kTemporarySuffix = ".saving";
constexpr std::string_view kNameAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kRandomLength = 6;
constexpr int kNameAttempts = 100;
// Larger leftovers are not read; nothing we write comes near it.
constexpr off_t kLeftoverReadLimit = off_t{16} << 20;

constexpr std::size_t kNameFrame = 1 + 1 + kRandomLength + kTemporarySuffix.size();
constexpr std::size_t kHashLength = 8;

// The longest name the directory takes; 255 where the system does not say.
std::size_t NameLimit(int dirFd) {
    const long limit = ::fpathconf(dirFd, _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

// FNV-1a: stands for the cut-off end of a long name in its temporary's name.
std::uint32_t NameHash(std::string_view leaf) {
    std::uint32_t hash = 2166136261U;
    for (const char ch : leaf) hash = (hash ^ static_cast<unsigned char>(ch)) * 16777619U;
    return hash;
}

std::string TemporaryName(std::string_view leaf, std::size_t nameLimit) {
    std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, kNameAlphabet.size() - 1);
    std::string name = "." + TemporaryLeafPart(leaf, nameLimit) + ".";
    for (std::size_t i = 0; i < kRandomLength; ++i) name += kNameAlphabet[pick(device)];
    return name + std::string(kTemporarySuffix);
}

// A symbolic link is replaced through: the link stays and its file changes.
std::string ResolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                           &std::free);
    return real ? std::string(real.get()) : path;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

std::optional<std::string> ReadAll(int fd, off_t size) {
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t used = 0;
    while (used < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        used += static_cast<std::size_t>(got);
    }
    return bytes;
}

bool IsProvablyOurLeftover(int dirFd, const char* entry, const OwnContentTest& isOwnContent) {
    const UniqueFd fd(::openat(dirFd, entry, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0) return false;
    if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid() || info.st_nlink != 1 ||
        info.st_size > kLeftoverReadLimit)
        return false;
    // A save in progress holds the lock on its temporary until it is renamed.
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return false;
    const std::optional<std::string> bytes = ReadAll(fd.get(), info.st_size);
    if (!bytes || !isOwnContent(*bytes)) return false;
    // The name must still be the file just examined.
    struct stat now {};
    return ::fstatat(dirFd, entry, &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == info.st_dev &&
           now.st_ino == info.st_ino;
}

bool IsListingOf(int dirFd, const DirectoryListing* listing) {
    struct stat info {};
    return listing && ::fstat(dirFd, &info) == 0 && info.st_dev == listing->device &&
           info.st_ino == listing->inode && IsCurrent(*listing);
}

void RemoveLeftovers(int dirFd, std::string_view leaf, const OwnContentTest& isOwnContent,
                     const DirectoryListing* listing) {
    const std::size_t nameLimit = NameLimit(dirFd);
    const auto removeIfOurs = [&](const char* entry) {
        if (IsTemporaryNameFor(entry, leaf, nameLimit) &&
            IsProvablyOurLeftover(dirFd, entry, isOwnContent))
            ::unlinkat(dirFd, entry, 0);
    };
    if (IsListingOf(dirFd, listing)) {
        for (const std::string& entry : listing->temporaries) removeIfOurs(entry.c_str());
        return;
    }
    ForEachEntry(dirFd, [&](const dirent& entry) { removeIfOurs(entry.d_name); });
}

// The temporary being written. `name` is empty while it is an unnamed file.
struct Temporary {
    UniqueFd fd;
    std::string name;
};

std::optional<Temporary> CreateTemporary(int dirFd, std::string_view leaf) {
    Temporary temp;
    temp.fd = UniqueFd(::openat(dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    for (int attempt = 0; !temp.fd.valid() && attempt < kNameAttempts; ++attempt) {
        temp.name = TemporaryName(leaf, NameLimit(dirFd));
        temp.fd = UniqueFd(
            ::openat(dirFd, temp.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!temp.fd.valid() && errno != EEXIST) return std::nullopt;
    }
    if (!temp.fd.valid()) return std::nullopt;
    // Held until the rename, so no other save takes this file for a leftover.
    ::flock(temp.fd.get(), LOCK_EX);
    return temp;
}

bool GiveName(int dirFd, Temporary& temp, std::string_view leaf) {
    const std::string self = "/proc/self/fd/" + std::to_string(temp.fd.get());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = TemporaryName(leaf, NameLimit(dirFd));
        if (::linkat(AT_FDCWD, self.c_str(), dirFd, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temp.name = std::move(name);
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

// Syncs, names and closes the written temporary and renames it over `leaf`.
ReplaceOutcome Commit(int dirFd, Temporary& temp, std::string_view leaf) {
    if (::fdatasync(temp.fd.get()) != 0) return ReplaceOutcome::kWriteFailed;
    if (temp.name.empty() && !GiveName(dirFd, temp, leaf)) return ReplaceOutcome::kWriteFailed;
    // A second descriptor keeps the lock while the checked close runs.
    const UniqueFd lock(::fcntl(temp.fd.get(), F_DUPFD_CLOEXEC, 0));
    if (!temp.fd.CloseChecked()) return ReplaceOutcome::kWriteFailed;
    if (::renameat(dirFd, temp.name.c_str(), dirFd, std::string(leaf).c_str()) != 0)
        return ReplaceOutcome::kWriteFailed;
    temp.name.clear();
    // File systems that cannot sync a directory say so with EINVAL.
    if (::fsync(dirFd) != 0 && errno != EINVAL) return ReplaceOutcome::kWriteFailed;
    return ReplaceOutcome::kReplaced;
}

}  // namespace

std::string TemporaryLeafPart(std::string_view leaf, std::size_t nameLimit) {
    if (leaf.size() + kNameFrame <= nameLimit) return std::string(leaf);
    static constexpr char kHex[] = "0123456789abcdef";
    const std::size_t keep =
        nameLimit > kNameFrame + 1 + kHashLength + 1 ? nameLimit - kNameFrame - 1 - kHashLength : 1;
    std::string part(leaf.substr(0, keep));
    part += '~';
    const std::uint32_t hash = NameHash(leaf);
    for (std::size_t i = 0; i < kHashLength; ++i) part += kHex[(hash >> (28 - 4 * i)) & 0x0F];
    return part;
}

bool IsTemporaryNameFor(std::string_view entry, std::string_view leaf, std::size_t nameLimit) {
    const std::string part = TemporaryLeafPart(leaf, nameLimit);
    const std::size_t length = part.size() + kNameFrame;
    if (entry.size() != length || entry[0] != '.' || entry.substr(1, part.size()) != part ||
        entry[1 + part.size()] != '.' || !entry.ends_with(kTemporarySuffix))
        return false;
    const std::string_view random = entry.substr(part.size() + 2, kRandomLength);
    return std::ranges::all_of(
        random, [](char ch) { return kNameAlphabet.find(ch) != std::string_view::npos; });
}

ReplaceOutcome ReplaceFile(const std::string& path, std::string_view bytes,
                           const OwnContentTest& isOwnContent, const DirectoryListing* listing) {
    const std::string target = ResolvedTarget(path);
    const std::size_t slash = target.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string leaf = slash == std::string::npos ? target : target.substr(slash + 1);
    if (leaf.empty() || leaf == "." || leaf == "..") return ReplaceOutcome::kCannotCreate;

    const UniqueFd dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid() || leaf.size() > NameLimit(dir.get())) return ReplaceOutcome::kCannotCreate;
    // The rename would go around a write-protected file: a user who may not
    // write it may not replace it either (root may write anything).
    if (::faccessat(dir.get(), leaf.c_str(), F_OK, AT_EACCESS) == 0 &&
        ::faccessat(dir.get(), leaf.c_str(), W_OK, AT_EACCESS) != 0)
        return ReplaceOutcome::kCannotCreate;
    RemoveLeftovers(dir.get(), leaf, isOwnContent, listing);

    std::optional<Temporary> temp = CreateTemporary(dir.get(), leaf);
    if (!temp) return ReplaceOutcome::kCannotCreate;
    struct stat old {};
    if (::fstatat(dir.get(), leaf.c_str(), &old, 0) == 0 && S_ISREG(old.st_mode))
        ::fchmod(temp->fd.get(), old.st_mode & 07777);

    ReplaceOutcome outcome = ReplaceOutcome::kWriteFailed;
    if (WriteAll(temp->fd.get(), bytes)) outcome = Commit(dir.get(), *temp, leaf);
    if (!temp->name.empty()) ::unlinkat(dir.get(), temp->name.c_str(), 0);
    return outcome;
}

}  // namespace quillet
