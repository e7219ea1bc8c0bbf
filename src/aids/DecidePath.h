#pragma once

#include <functional>

#include "board/BoardState.h"

namespace quillet {

// The main window's digit selector and its Decide command: the one path by
// which digits are placed. The aids set the selector and then decide, so the
// selector ends up showing the last digit placed. Each part is a function,
// named after what it does.
struct DecidePath {
    // The selector's value as read from its text (not clamped).
    std::function<int()> SelectorValue;
    // Sets the selector, clamped to 1..9.
    std::function<void(int)> SetSelectorValue;
    // Reads the selector, places that digit at the selection, writes it back:
    // RunDecide on the selector's board. True when the digit was placed.
    std::function<bool()> Decide;
};

// What every Decide does: reads the selector's value v, places v at the
// selection of `state` and sets the selector to v again, which rewrites its
// text in normal form. Returns whether v was placed; a refusal has been shown
// through the state's informer otherwise.
bool RunDecide(BoardState& state, const DecidePath& path);

}  // namespace quillet
