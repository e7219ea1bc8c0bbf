#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/BoardDirectory.h"
#include "files/FileReplacement.h"

namespace quillet {

// Error texts of the board files; the error box adds the full stop. `name` is
// the file name as the user's command used it.
std::string CannotCreateMessage(const std::string& name);
std::string CannotOpenMessage(const std::string& name);
inline constexpr const char* kWriteErrorMessage = "ストリームへの書き込みエラー";
inline constexpr const char* kTextTooLargeMessage = "文字列の大きさが メモ の制限を越えました";

// Replaces the file at `path` (bytes) whole with `text` through ReplaceFile:
// a failed or interrupted save leaves any earlier file as it was, and a save
// is reported only once its bytes and its name are on the disk. Anything but
// a regular file at `path` is refused untouched. Throws CommandError.
// A current `listing` of the directory spares reading it again.
void WriteBoardFile(const std::string& path, const std::string& name, std::string_view text,
                    const DirectoryListing* listing = nullptr);
// The same for a file of any kind (a PDF), whose own bytes, for leftovers of
// an interrupted save, `isOwnContent` knows.
void WriteWholeFile(const std::string& path, const std::string& name, std::string_view bytes,
                    const OwnContentTest& isOwnContent, const DirectoryListing* listing = nullptr);

// The lines of the regular file at `path` (see SplitBoardText). Directories,
// FIFOs and devices are refused without waiting on them, and a file larger
// than kBoardTextLimit is refused without being read. Throws CommandError.
std::vector<std::string> ReadBoardFile(const std::string& path, const std::string& name);
// The same file's bytes, unsplit.
std::string ReadBoardFileText(const std::string& path, const std::string& name);

}  // namespace quillet
