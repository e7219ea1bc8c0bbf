#include "files/BoardDirectory.h"

#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>

#include "files/DirectoryEntries.h"

namespace quillet {

namespace {

char LowerAscii(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// The length of the well-formed UTF-8 sequence at the front of `text`, or 0.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    return length;
}

bool IsUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t n = Utf8SequenceLength(text);
        if (n == 0) return false;
        text.remove_prefix(n);
    }
    return true;
}

// The name converted by iconv, or nothing when a byte does not convert.
bool Convert(const char* from, std::string_view text, std::string& out) {
    const iconv_t cd = ::iconv_open("UTF-8", from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in(text);
    out.assign(in.size() * 4 + 4, '\0');
    char* source = in.data();
    std::size_t sourceLeft = in.size();
    char* target = out.data();
    std::size_t targetLeft = out.size();
    const std::size_t done = ::iconv(cd, &source, &sourceLeft, &target, &targetLeft);
    ::iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || sourceLeft != 0) return false;
    out.resize(out.size() - targetLeft);
    return true;
}

bool HasControlCharacter(std::string_view text) {
    return std::ranges::any_of(text, [](char ch) {
        const auto byte = static_cast<unsigned char>(ch);
        return byte < 0x20 || byte == 0x7F;
    });
}

std::string Escaped(std::string_view stored) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char ch : stored) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte < 0x7F && ch != '\\') {
            text += ch;
        } else {
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
    }
    return text;
}

bool IsOrdinaryFile(int dirFd, const dirent& entry) {
    if (entry.d_type == DT_REG) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    return ::fstatat(dirFd, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string_view> Patterns(std::string_view mask) {
    std::vector<std::string_view> patterns;
    while (!mask.empty()) {
        const std::size_t semicolon = std::min(mask.find(';'), mask.size());
        if (semicolon > 0) patterns.push_back(mask.substr(0, semicolon));
        mask.remove_prefix(std::min(semicolon + 1, mask.size()));
    }
    return patterns;
}

const char* PathOrDot(const std::string& directory) {
    return directory.empty() ? "." : directory.c_str();
}

// Network and user-space file systems take their times from another
// machine's or program's clock, which ours cannot bound.
bool HasForeignClock(const std::string& directory) {
    struct statfs fs {};
    if (::statfs(PathOrDot(directory), &fs) != 0) return true;
    switch (static_cast<unsigned long>(fs.f_type)) {
        case NFS_SUPER_MAGIC:
        case SMB_SUPER_MAGIC:
        case CIFS_SUPER_MAGIC:
        case SMB2_SUPER_MAGIC:
        case FUSE_SUPER_MAGIC:
        case V9FS_MAGIC:
        case CEPH_SUPER_MAGIC:
        case AFS_SUPER_MAGIC:
        case AFS_FS_MAGIC:
        case CODA_SUPER_MAGIC: return true;
        default: return false;
    }
}

constexpr long long kMillisecond = 1'000'000;
constexpr long long kSecond = 1'000 * kMillisecond;

// Nanoseconds from `then` to now by the kernel's coarse clock, with which it
// stamps changes, or nothing when the clock cannot be read.
std::optional<long long> CoarseSince(const timespec& then) {
    timespec now{};
    if (::clock_gettime(CLOCK_REALTIME_COARSE, &now) != 0) return std::nullopt;
    return (static_cast<long long>(now.tv_sec) - then.tv_sec) * kSecond +
           (now.tv_nsec - then.tv_nsec);
}

// Whether a change made from now on gives a time later than `modified`. The
// kernel stamps a change with its coarse clock cut to the file system's step.
// A time that is not in whole microseconds comes from a file system of fine
// steps, which a millisecond covers with room; any other may step by as much
// as two seconds (FAT). Right after a change, which is when a save reads the
// list again, a fine step is waited out when `mayWait`: a few milliseconds at
// most, the clock's own tick.
bool ChangesAfterNowShow(const timespec& modified, bool mayWait) {
    constexpr long long kLongestWait = 20 * kMillisecond;
    const long long step = modified.tv_nsec % 1000 != 0 ? kMillisecond : 2 * kSecond;
    for (long long waited = 0;; waited += kMillisecond) {
        const std::optional<long long> since = CoarseSince(modified);
        if (!since) return false;
        if (*since >= step) return true;
        if (!mayWait || step - *since > kLongestWait - waited) return false;
        const timespec pause{0, kMillisecond};
        ::nanosleep(&pause, nullptr);
    }
}

// A directory this large (its own size, as most file systems give it) takes
// longer to look through for a name's letter case than a tick of the clock:
// its listing is worth the wait. A small one is looked through instead.
bool IsLarge(const struct stat& directory) {
    constexpr off_t kLargeDirectoryBytes = 256 << 10;
    return directory.st_size >= kLargeDirectoryBytes;
}

}  // namespace

std::string CurrentDirectory() {
    std::string path(PATH_MAX, '\0');
    while (::getcwd(path.data(), path.size()) == nullptr) {
        if (errno != ERANGE) return ".";
        path.resize(path.size() * 2);
    }
    path.resize(path.find('\0'));
    return path;
}

bool MatchesPattern(std::string_view pattern, std::string_view name) {
    // Backtracking over the last "*" only: linear enough for file names.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += std::max<std::size_t>(1, Utf8SequenceLength(name.substr(n)));
        } else if (p < pattern.size() && LowerAscii(pattern[p]) == LowerAscii(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool MatchesMask(std::string_view mask, std::string_view name) {
    return std::ranges::any_of(
        Patterns(mask), [&](std::string_view pattern) { return MatchesPattern(pattern, name); });
}

bool ComesBeforeIgnoringCase(std::string_view a, std::string_view b) {
    // One pass: the first difference apart from case decides, else the first
    // difference at all, else the shorter name comes first.
    int rawOrder = 0;
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x == y) continue;
        const auto lowX = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto lowY = static_cast<unsigned char>(LowerAscii(b[i]));
        if (lowX != lowY) return lowX < lowY;
        if (rawOrder == 0) rawOrder = x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return rawOrder < 0;
}

std::vector<std::string> ListMatchingFiles(const std::string& directory, std::string_view mask,
                                           std::vector<std::string>* temporaries) {
    std::vector<std::string> names;
    const std::vector<std::string_view> patterns = Patterns(mask);
    if (patterns.empty()) return names;
    // The names are gathered side by side and sorted as views, which keeps
    // the comparisons of a long list within the cache.
    std::string gathered;
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    ForEachEntry(directory, [&](int dirFd, const dirent& entry) {
        const std::string_view name = entry.d_name;
        if (name.front() == '.') {
            if (temporaries && name.ends_with(".saving")) temporaries->emplace_back(name);
            return;
        }
        const bool matches = std::ranges::any_of(
            patterns, [&](std::string_view pattern) { return MatchesPattern(pattern, name); });
        if (!matches || !IsOrdinaryFile(dirFd, entry)) return;
        spans.emplace_back(gathered.size(), name.size());
        gathered += name;
    });
    std::vector<std::string_view> views;
    views.reserve(spans.size());
    for (const auto& [at, size] : spans)
        views.push_back(std::string_view(gathered).substr(at, size));
    std::ranges::sort(views, ComesBeforeIgnoringCase);
    names.reserve(views.size());
    for (const std::string_view name : views) names.emplace_back(name);
    return names;
}

DirectoryListing ReadListing(const std::string& directory, std::string_view mask) {
    DirectoryListing listing{directory, std::string(mask), {}, {}, 0, 0, {}, false};
    struct stat info {};
    if (::stat(PathOrDot(directory), &info) == 0) {
        listing.device = info.st_dev;
        listing.inode = info.st_ino;
        listing.modified = info.st_mtim;
        // Taken before the names are read: whatever changes later is seen by
        // the reading or, the clock having moved on, gives a new time.
        listing.changesShow =
            !HasForeignClock(directory) && ChangesAfterNowShow(info.st_mtim, IsLarge(info));
    }
    listing.names = ListMatchingFiles(directory, mask, &listing.temporaries);
    return listing;
}

bool IsCurrent(const DirectoryListing& listing) {
    struct stat info {};
    return listing.changesShow && ::stat(PathOrDot(listing.directory), &info) == 0 &&
           info.st_dev == listing.device && info.st_ino == listing.inode &&
           info.st_mtim.tv_sec == listing.modified.tv_sec &&
           info.st_mtim.tv_nsec == listing.modified.tv_nsec;
}

ReadableName ReadName(std::string_view stored) {
    if (IsUtf8(stored) && !HasControlCharacter(stored))
        return {std::string(stored), NameReading::kUtf8};
    std::string text;
    if (!IsUtf8(stored) && Convert("CP932", stored, text) && !HasControlCharacter(text))
        return {text, NameReading::kShiftJis};
    return {Escaped(stored), NameReading::kEscaped};
}

}  // namespace quillet
