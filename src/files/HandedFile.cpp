#include "files/HandedFile.h"

#include "board/BoardGeometry.h"
#include "board/BoardSnapshot.h"
#include "files/BoardFileIo.h"
#include "files/BoardText.h"
#include "files/TextErrors.h"

namespace quillet {

namespace {

constexpr std::string_view kBoardMask = "*.cgd";

void SplitPath(const std::string& path, const std::string& currentDirectory, HandedFile& file) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        file.directory = currentDirectory;
        file.name = path;
        return;
    }
    file.directory = slash == 0 ? std::string("/") : path.substr(0, slash);
    if (path.front() != '/') file.directory = currentDirectory + "/" + file.directory;
    file.name = path.substr(slash + 1);
}

}  // namespace

std::string NeitherBoardNorPuzzleMessage(const std::string& name) {
    return "ファイル " + name + " は盤面でも問題でもありません";
}

std::optional<RowMajorCells> ReadFirstPuzzle(std::string_view text) {
    std::optional<RowMajorCells> first;
    try {
        ReadPuzzles(text, [&](TextPuzzle&& puzzle) {
            if (!first) first = std::move(puzzle.cells);
        });
    } catch (const InputError&) {
        return std::nullopt;
    }
    return first;
}

std::string BoardNameForText(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    return stem + ".cgd";
}

HandedFile ExamineHandedFile(const std::string& path, const std::string& currentDirectory) {
    HandedFile file;
    SplitPath(path, currentDirectory, file);
    // Messages name the file as the list would show it.
    const std::string shown = ReadName(file.name).text;
    const bool boardName = MatchesMask(kBoardMask, file.name);
    std::string text;
    try {
        text = ReadBoardFileText(file.directory + "/" + file.name, shown);
    } catch (const CommandError& error) {
        // A board file that cannot be read fails as Load fails on it.
        file.kind = boardName ? HandedFile::Kind::kBoard : HandedFile::Kind::kNeither;
        if (!boardName) file.error = error;
        return file;
    }
    file.read = true;
    if (IsSavedBoardText(text)) {
        file.kind = HandedFile::Kind::kBoard;
    } else if (std::optional<RowMajorCells> cells = ReadFirstPuzzle(text)) {
        file.kind = HandedFile::Kind::kPuzzle;
        file.cells = std::move(*cells);
    } else if (boardName) {
        file.kind = HandedFile::Kind::kBoard;
    } else {
        file.error =
            CommandError(CommandError::Kind::kCannotOpen, NeitherBoardNorPuzzleMessage(shown));
    }
    return file;
}

void PutPuzzleOnBoard(BoardState& state, const RowMajorCells& cells) {
    state.SetUndoAvailable(false);
    BoardSnapshot& buffer = state.Snapshot();
    buffer.Clear();
    ForEachCellColumnMajor([&](CellPos p) { buffer.Append(cells[RowMajorIndex(p)]); });
    buffer.RestoreBoard(state.Board());
}

}  // namespace quillet
