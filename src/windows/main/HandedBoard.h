#pragma once

#include <optional>
#include <string>

#include "files/HandedFile.h"

class QMimeData;
class QUrl;

namespace quillet {

// What a drop carries that the main window opens: one local file that is a
// board or a puzzle text, or a puzzle text itself. A drop of several files,
// of a remote one, of one that cannot be read or of a file that is neither
// carries nothing.
struct HandedBoard {
    std::optional<HandedFile> file;
    std::optional<RowMajorCells> puzzle;
};
std::optional<HandedBoard> ReadDrop(const QMimeData& data);

// The path (bytes, as the file system names it) of a file:// address, its
// escaped bytes kept as they are: a name need not be UTF-8.
std::optional<std::string> LocalPathOf(const QUrl& url);

}  // namespace quillet
