#include "files/BoardFileName.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "files/DirectoryEntries.h"

namespace quillet {

namespace {

char LowerAscii(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace

std::string LowerAsciiLetters(std::string name) {
    std::ranges::transform(name, name.begin(), LowerAscii);
    return name;
}

std::string WithBoardExtension(std::string name) {
    if (name.find(kBoardExtension) == std::string::npos) name += kBoardExtension;
    return name;
}

std::string InDirectory(const std::string& directory, const std::string& name) {
    if (directory.empty() || name.empty() || name.front() == '/') return name;
    return directory.back() == '/' ? directory + name : directory + '/' + name;
}

namespace {

// The listed name that equals `leaf` apart from case when there is exactly
// one, `leaf` itself otherwise; nothing when the listing cannot tell.
std::optional<std::string> ListedMatch(const DirectoryListing& listing, const std::string& name,
                                       const std::string& leaf) {
    // Hidden names are not listed, whatever the mask says.
    if (leaf.front() == '.' || InDirectory(listing.directory, leaf) != name) return std::nullopt;
    if (!MatchesMask(listing.mask, leaf) || !IsCurrent(listing)) return std::nullopt;
    // Names equal apart from case lie next to each other in the list's order.
    const auto byCase = [](std::string_view a, std::string_view b) {
        return std::ranges::lexicographical_compare(a, b, [](char x, char y) {
            return static_cast<unsigned char>(LowerAscii(x)) <
                   static_cast<unsigned char>(LowerAscii(y));
        });
    };
    const auto [first, last] = std::equal_range(listing.names.begin(), listing.names.end(),
                                                std::string_view(leaf), byCase);
    return last - first == 1 ? *first : leaf;
}

}  // namespace

std::string MatchLetterCase(const std::string& name, const DirectoryListing* listing) {
    struct stat info {};
    if (name.empty() || name.find('\0') != std::string::npos || ::lstat(name.c_str(), &info) == 0)
        return name;

    const std::size_t slash = name.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : name.substr(0, slash + 1);
    const std::string leaf = name.substr(slash == std::string::npos ? 0 : slash + 1);
    if (leaf.empty()) return name;
    if (listing) {
        if (const std::optional<std::string> listed = ListedMatch(*listing, name, leaf))
            return directory + *listed;
    }

    std::string match;
    int matches = 0;
    ForEachEntry(directory, [&](int dirFd, const dirent& entry) {
        const std::string_view entryName = entry.d_name;
        if (entryName.size() != leaf.size() || !EqualIgnoringAsciiCase(entryName, leaf)) return;
        if (entry.d_type != DT_REG &&
            (::fstatat(dirFd, entry.d_name, &info, 0) != 0 || !S_ISREG(info.st_mode)))
            return;
        match = entryName;
        ++matches;
    });
    return matches == 1 ? directory + match : name;
}

}  // namespace quillet
