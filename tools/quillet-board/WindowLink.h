#pragma once

#include <vector>

#include "board/CandidateBoard.h"
#include "board/Strike.h"

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
    // The window's own commands: a placement as its pop-up digit makes it, or
    // strikes as one step that "戻る" takes back. False when the window
    // refused (its box says why); throws InputError when it cannot be reached
    // or is busy with a box of its own.
    virtual bool Place(CellPos at, int digit) = 0;
    virtual bool Strike(const std::vector<Candidate>& strikes) = 0;
};

}  // namespace quillet::board_tool
