#include "files/BoardFiles.h"

#include <optional>

#include "files/BoardFileIo.h"
#include "files/BoardFileName.h"
#include "files/BoardText.h"

namespace quillet {

namespace {

// The lowered name, or nothing (after informing the user) when the box
// holds only the list's mask, which is what it shows when no file is chosen.
std::optional<std::string> NameFromBox(const FileControls& controls, Informer& informer) {
    std::string name = LowerAsciiLetters(controls.FileNameText());
    if (name == controls.ListMask()) {
        informer.Inform(kInputFileNameMessage);
        return std::nullopt;
    }
    return name;
}

}  // namespace

void SaveBoard(BoardState& state, FileControls& controls, Informer& informer) {
    const std::optional<std::string> typed = NameFromBox(controls, informer);
    if (!typed) return;
    const std::string name = WithBoardExtension(*typed);

    BoardSnapshot& buffer = state.Snapshot();
    buffer.CaptureBoard(state.Board());
    const std::string path = InDirectory(controls.ListDirectory(), name);
    WriteBoardFile(MatchLetterCase(path, controls.Listing()), name, JoinBoardText(buffer.Lines()),
                   controls.Listing());

    controls.RereadList();
    controls.SetFileNameText(name);
    state.SetUndoAvailable(false);
}

void LoadBoard(BoardState& state, FileControls& controls, Informer& informer) {
    const std::optional<std::string> name = NameFromBox(controls, informer);
    if (!name) return;
    state.SetUndoAvailable(false);

    const std::string path = InDirectory(controls.ListDirectory(), *name);
    std::vector<std::string> lines =
        ReadBoardFile(MatchLetterCase(path, controls.Listing()), *name);
    BoardSnapshot& buffer = state.Snapshot();
    buffer.Clear();
    for (std::string& line : lines) buffer.Append(std::move(line));
    buffer.RestoreBoard(state.Board());
}

}  // namespace quillet
