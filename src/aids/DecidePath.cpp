#include "aids/DecidePath.h"

namespace quillet {

bool RunDecide(BoardState& state, const DecidePath& path) {
    const int v = path.SelectorValue();
    const bool placed = state.PlaceDigit(v);
    path.SetSelectorValue(v);
    return placed;
}

}  // namespace quillet
