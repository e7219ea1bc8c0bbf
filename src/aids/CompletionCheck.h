#pragma once

#include <functional>

#include "aids/DecidePath.h"
#include "board/BoardState.h"

namespace quillet {

// Re-places every solved cell in column-major order, looking at each cell as
// the scan reaches it, so singles made by earlier placements are placed in
// the same pass. Undo is unavailable afterwards. When all 81 cells were
// solved as the scan reached them, `congratulate` runs.
// A solved cell that is not a digit ends the check with a CommandError,
// leaving the selection on that cell.
void CheckBoard(BoardState& state, const DecidePath& path,
                const std::function<void()>& congratulate);

}  // namespace quillet
