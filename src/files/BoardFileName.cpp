#include "files/BoardFileName.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>

#include "files/DirectoryEntries.h"
#include "files/UniqueFd.h"

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

std::string MatchLetterCase(const std::string& name) {
    struct stat info {};
    if (name.empty() || name.find('\0') != std::string::npos || ::lstat(name.c_str(), &info) == 0)
        return name;

    const std::size_t slash = name.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : name.substr(0, slash + 1);
    const std::string leaf = name.substr(slash == std::string::npos ? 0 : slash + 1);
    if (leaf.empty()) return name;

    const UniqueFd dirFd(
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dirFd.valid()) return name;
    std::string match;
    int matches = 0;
    ForEachEntry(dirFd.get(), [&](const dirent& entry) {
        const std::string_view entryName = entry.d_name;
        if (entryName.size() != leaf.size() || !EqualIgnoringAsciiCase(entryName, leaf)) return;
        if (entry.d_type != DT_REG &&
            (::fstatat(dirFd.get(), entry.d_name, &info, 0) != 0 || !S_ISREG(info.st_mode)))
            return;
        match = entryName;
        ++matches;
    });
    return matches == 1 ? directory + match : name;
}

}  // namespace quillet
