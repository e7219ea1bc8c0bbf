#pragma once

#include <memory>
#include <optional>
#include <string>

#include "board/BoardState.h"
#include "board/CommandError.h"
#include "files/BoardDirectory.h"

namespace quillet {

inline constexpr const char* kInputFileNameMessage = "Input file name";

// What a save or a load did.
struct FileOutcome {
    enum class Kind {
        kDone,
        // The name was only the list's mask, what the name box shows when no
        // file is chosen: nothing changed, and the user is told
        // kInputFileNameMessage.
        kNoName,
        // `error` ended it; its message is for the error box.
        kFailed,
    };
    Kind kind = Kind::kDone;
    // The name as used (bytes): lowered, with ".cgd" where a save added it.
    std::string name;
    std::optional<CommandError> error;
};

// The board files of one directory, as the main window's file list shows
// them: the directory (bytes; names without one refer to it, whatever the
// process's current directory is), the list's mask and the names it last
// read, which spare a look through a large directory when a name's letter
// case is matched.
class BoardFiles {
public:
    explicit BoardFiles(std::string directory = CurrentDirectory());

    const std::string& Directory() const { return directory_; }
    // Lists another directory from now on, and reads its names.
    void SetDirectory(std::string directory);
    const std::string& Mask() const { return mask_; }
    // Sets the mask and reads the names again, unless it is the mask already.
    // Returns whether it read them.
    bool SetMask(const std::string& mask);
    // Reads the names again.
    void Reread();
    // The names as last read (none before the first reading). A reading
    // makes a new listing: one that is kept stays as it was.
    std::shared_ptr<const DirectoryListing> Listing() const { return listing_; }

    // Saves the board to the file `typedName` names (lowered, ".cgd" appended
    // unless present), reads the names again and ends undo; the line buffer
    // then holds the board. When the file cannot be written, undo is left as
    // it was, so it restores the board as it is now.
    FileOutcome SaveBoard(BoardState& state, const std::string& typedName);
    // Loads the board from the file `typedName` names (lowered, used as is)
    // through the line buffer. Undo ends as soon as the name is accepted. The
    // selection and the names stay as they are, and the loaded cells are not
    // propagated. When the file cannot be read, the board and the line buffer
    // are unchanged.
    FileOutcome LoadBoard(BoardState& state, const std::string& typedName);
    // Loads as LoadBoard does the file of exactly this stored name.
    FileOutcome LoadStoredBoard(BoardState& state, const std::string& storedName);
    // Takes a listing read elsewhere (off the window's thread) when it is of
    // this directory and mask; returns whether it did.
    bool TakeListing(std::shared_ptr<const DirectoryListing> listing);

private:
    // The lowered name, or nothing when it is only the mask.
    std::optional<std::string> NameOf(const std::string& typedName) const;
    // Where the name leads, its letter case matched to a stored file's.
    std::string PathOf(const std::string& name) const;
    FileOutcome LoadFrom(BoardState& state, const std::string& path, std::string name);

    std::string directory_;
    std::string mask_ = "*.*";
    std::shared_ptr<const DirectoryListing> listing_;
};

}  // namespace quillet
