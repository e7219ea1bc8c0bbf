#pragma once

#include "aids/DecidePath.h"

namespace quillet {

// The digit selector and Decide without a window, for driving the aids on a
// board alone: the value is held as set, within 1..9 as the window's selector
// holds it, from 1 at first, and Decide is the window's. Copies share the
// one value.
DecidePath SelectorPath(BoardState& state);

}  // namespace quillet
