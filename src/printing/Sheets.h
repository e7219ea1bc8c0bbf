#pragma once

#include <vector>

#include "printing/Paper.h"
#include "printing/PrintedBoard.h"

class QPagedPaintDevice;

namespace quillet::printing {

struct SheetOptions {
    Paper paper = Paper::kA4;
    int perPage = 1;  // 1, 2, 4 or 6
    bool candidates = false;
};

// The boards in order, `options.perPage` a page, each with its caption
// (its name, its number of how many, and the rating when asked for) above
// it. The device is set to the paper, portrait, without margins of its own.
// False when the device did not take the pages.
bool PaintSheets(QPagedPaintDevice& device, const std::vector<PrintedBoard>& boards,
                 const SheetOptions& options);

// The pages the boards take.
inline int PageCount(std::size_t boards, int perPage) {
    return static_cast<int>((boards + static_cast<std::size_t>(perPage) - 1) /
                            static_cast<std::size_t>(perPage));
}

}  // namespace quillet::printing
