#pragma once

#include "board/BoardState.h"

namespace quillet {

// The main window's digit selector and its Decide command: the one path by
// which digits are placed. The aids set the selector and then decide, so the
// selector ends up showing the last digit placed.
class DecidePath {
public:
    virtual ~DecidePath() = default;
    // The selector's value as read from its text (not clamped).
    virtual int SelectorValue() const = 0;
    // Sets the selector, clamped to 1..9.
    virtual void SetSelectorValue(int value) = 0;
    // Reads the selector, places that digit at the selection, writes it back:
    // RunDecide on the selector's board.
    virtual void Decide() = 0;
};

// What every Decide does: reads the selector's value v, places v at the
// selection of `state` and sets the selector to v again, which rewrites its
// text in normal form. Returns whether v was placed; a refusal has been shown
// through the state's informer otherwise.
bool RunDecide(BoardState& state, DecidePath& path);

}  // namespace quillet
