#pragma once

#include "board/BoardState.h"
#include "board/Informer.h"
#include "files/FileControls.h"

namespace quillet {

inline constexpr const char* kInputFileNameMessage = "Input file name";

// Names in the box without a directory refer to the file list's directory.

// Saves the board to the file named in the file-name box (lowered, ".cgd"
// appended unless present), re-reads the file list, shows the final name in
// the box and ends undo. The line buffer then holds the board. When the box
// shows only the list's mask the user is informed and nothing changes.
// Throws CommandError when the file cannot be written; undo is then left as
// it was, so it restores the board as it is now.
void SaveBoard(BoardState& state, FileControls& controls, Informer& informer);

// Loads the board from the file named in the file-name box (lowered, used
// as is) through the line buffer. Undo ends as soon as the name is accepted.
// The selection, the file list and the box stay as they are, and the loaded
// cells are not propagated. Throws CommandError when the file cannot be read;
// the board and the line buffer are then unchanged.
void LoadBoard(BoardState& state, FileControls& controls, Informer& informer);

}  // namespace quillet
