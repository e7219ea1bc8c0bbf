#include "files/BoardFiles.h"

#include "files/BoardFileIo.h"
#include "files/BoardFileName.h"
#include "files/BoardText.h"

namespace quillet {

namespace {

FileOutcome Failed(std::string name, const CommandError& error) {
    return {FileOutcome::Kind::kFailed, std::move(name), error};
}

// A listing of nothing yet, which answers no letter-case match.
std::shared_ptr<const DirectoryListing> Unread(const std::string& directory,
                                               const std::string& mask) {
    auto listing = std::make_shared<DirectoryListing>();
    listing->directory = directory;
    listing->mask = mask;
    return listing;
}

}  // namespace

BoardFiles::BoardFiles(std::string directory)
    : directory_(std::move(directory)), listing_(Unread(directory_, mask_)) {}

bool BoardFiles::SetMask(const std::string& mask) {
    if (mask == mask_) return false;
    mask_ = mask;
    Reread();
    return true;
}

void BoardFiles::SetDirectory(std::string directory) {
    directory_ = std::move(directory);
    Reread();
}

bool BoardFiles::TakeListing(std::shared_ptr<const DirectoryListing> listing) {
    if (!listing || listing->directory != directory_ || listing->mask != mask_) return false;
    listing_ = std::move(listing);
    return true;
}

void BoardFiles::Reread() {
    listing_ = std::make_shared<const DirectoryListing>(ReadListing(directory_, mask_));
}

std::optional<std::string> BoardFiles::NameOf(const std::string& typedName) const {
    std::string name = LowerAsciiLetters(typedName);
    if (name == mask_) return std::nullopt;
    return name;
}

std::string BoardFiles::PathOf(const std::string& name) const {
    return MatchLetterCase(InDirectory(directory_, name), listing_.get());
}

FileOutcome BoardFiles::SaveBoard(BoardState& state, const std::string& typedName) {
    const std::optional<std::string> typed = NameOf(typedName);
    if (!typed) return {FileOutcome::Kind::kNoName, {}, {}};
    std::string name = WithBoardExtension(*typed);

    BoardSnapshot& buffer = state.Snapshot();
    buffer.CaptureBoard(state.Board());
    try {
        WriteBoardFile(PathOf(name), name, JoinBoardText(buffer.Lines()), listing_.get());
    } catch (const CommandError& error) {
        return Failed(std::move(name), error);
    }
    Reread();
    state.SetUndoAvailable(false);
    return {FileOutcome::Kind::kDone, std::move(name), {}};
}

FileOutcome BoardFiles::LoadBoard(BoardState& state, const std::string& typedName) {
    std::optional<std::string> name = NameOf(typedName);
    if (!name) return {FileOutcome::Kind::kNoName, {}, {}};
    const std::string path = PathOf(*name);
    return LoadFrom(state, path, std::move(*name));
}

FileOutcome BoardFiles::LoadStoredBoard(BoardState& state, const std::string& storedName) {
    return LoadFrom(state, InDirectory(directory_, storedName), storedName);
}

FileOutcome BoardFiles::LoadFrom(BoardState& state, const std::string& path, std::string name) {
    state.SetUndoAvailable(false);
    std::vector<std::string> lines;
    try {
        lines = ReadBoardFile(path, name);
    } catch (const CommandError& error) {
        return Failed(std::move(name), error);
    }
    BoardSnapshot& buffer = state.Snapshot();
    buffer.Clear();
    for (std::string& line : lines) buffer.Append(std::move(line));
    buffer.RestoreBoard(state.Board());
    return {FileOutcome::Kind::kDone, std::move(name), {}};
}

}  // namespace quillet
