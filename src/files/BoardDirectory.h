#pragma once

#include <sys/types.h>
#include <time.h>

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The process's current directory as the file system names it (bytes), or
// "." when it cannot be named.
std::string CurrentDirectory();

// Whether `name` matches one ";"-free pattern: "*" any run of bytes, "?" one
// character (a UTF-8 sequence, or a single byte that is none), everything else
// itself with A-Z matching a-z.
bool MatchesPattern(std::string_view pattern, std::string_view name);

// Whether `name` matches any pattern of the ";"-separated `mask`.
bool MatchesMask(std::string_view mask, std::string_view name);

// Orders names by their bytes with A-Z taken as a-z; names equal that way
// keep the byte order, so the order is total.
bool ComesBeforeIgnoringCase(std::string_view a, std::string_view b);

// The names (bytes, as stored) of the ordinary files of `directory` that match
// any pattern of the ";"-separated `mask`, each once, sorted by
// ComesBeforeIgnoringCase. Hidden names (a leading ".") and anything but a
// regular file, or a symbolic link to one, are left out; hidden names ending
// in ".saving" go to `temporaries` when it is given. An unreadable directory
// lists nothing.
std::vector<std::string> ListMatchingFiles(const std::string& directory, std::string_view mask,
                                           std::vector<std::string>* temporaries = nullptr);

// What ListMatchingFiles found in a directory, and how the directory stood
// just before it was read, so that a later look can tell whether the names
// may have changed since.
struct DirectoryListing {
    std::string directory;
    std::string mask;
    std::vector<std::string> names;
    // Hidden names ending in ".saving": what a save may have left behind.
    std::vector<std::string> temporaries;
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    // Whether any change after the reading is bound to give the directory a
    // new modification time. Not when the time is within one step of the file
    // system's clock of the reading (a file made in that step leaves it as it
    // is), nor when the times come from another machine's or program's clock.
    bool changesShow = false;
};
DirectoryListing ReadListing(const std::string& directory, std::string_view mask);

// Whether nothing has been added to, removed from or renamed in the directory
// since the listing was read: provably, by its modification time.
bool IsCurrent(const DirectoryListing& listing);

// Readable text (UTF-8) for a stored name: the name itself when it is valid
// UTF-8, else its Shift-JIS (code page 932) reading, else the name with every
// byte that is not printable ASCII written as \xHH.
enum class NameReading { kUtf8, kShiftJis, kEscaped };
struct ReadableName {
    std::string text;
    NameReading reading = NameReading::kUtf8;
};
ReadableName ReadName(std::string_view stored);

}  // namespace quillet
