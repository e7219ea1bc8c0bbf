#pragma once

#include <vector>

#include "board/CandidateBoard.h"

namespace quillet::board_tool {

// The open main window's board, which the commands given --window use instead
// of a file; the tool reaches it over the session bus (BusWindowLink.h), its
// tests through anything that keeps a board.
class WindowLink {
public:
    virtual ~WindowLink() = default;
    // The board of the window, the most recently active one when several
    // run. Throws InputError when there is none or it does not answer.
    virtual void ReadBoard(CandidateBoard& board) = 0;
};

}  // namespace quillet::board_tool
