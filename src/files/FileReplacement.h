#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "files/BoardDirectory.h"

namespace quillet {

enum class ReplaceOutcome {
    kReplaced,
    // No temporary file could be made beside the target; nothing was touched.
    kCannotCreate,
    // Writing, syncing, closing or renaming failed; the target is as it was.
    // Also a failed sync of the directory after the rename: the new content is
    // then in place but may not survive a power cut.
    kWriteFailed,
};

// Tells whether the bytes of a file are something ReplaceFile itself could
// have written to this target.
using OwnContentTest = std::function<bool(std::string_view bytes)>;

// Replaces the regular file at `path` (or creates it) with `bytes` so that at
// every moment, a crash or a kill included, the path names either the whole
// old file or the whole new one. The bytes go to a temporary file in the same
// directory and are synced; the file is closed (both checked) and renamed
// over the target, and the directory is synced. A symbolic link at `path` is
// followed and stays. An existing target's permission bits are kept.
//
// A target that exists but that this user may not write is refused untouched
// (kCannotCreate), as writing it in place would be.
//
// Temporary files are named ".LEAF.XXXXXX.saving" (LEAF the target's name;
// where that would pass the directory's name limit, LEAF is the name's start,
// "~" and a hash of the whole name, so every name the directory takes can be
// saved),
// which no "*.ext" mask matches. Where the file system allows, the bytes go
// to an unnamed file that is named only once complete and synced, so a kill
// can leave at most a complete copy. Such a leftover of this target is
// removed by its next replacement when it is provably ours: our name form,
// a regular file of this user with one link, not locked by a save still
// running, and content that passes `isOwnContent`. Anything else stays.
// A current `listing` of the target's directory names the leftovers to look
// at, so that a large directory is not read again.
ReplaceOutcome ReplaceFile(const std::string& path, std::string_view bytes,
                           const OwnContentTest& isOwnContent,
                           const DirectoryListing* listing = nullptr);

// What stands for `leaf` in the names of its temporaries.
std::string TemporaryLeafPart(std::string_view leaf, std::size_t nameLimit);

// Whether `entry` has the form of a temporary name made for `leaf` in a
// directory whose names hold at most `nameLimit` bytes.
bool IsTemporaryNameFor(std::string_view entry, std::string_view leaf, std::size_t nameLimit = 255);

}  // namespace quillet
