#pragma once

#include <string>
#include <vector>

#include "printing/PrintedBoard.h"
#include "printing/Sheets.h"

namespace quillet::board_tool {

// The pages of `print`: the boards in order, how they are laid out, and the
// document's title.
struct PrintJob {
    std::vector<printing::PrintedBoard> boards;
    printing::SheetOptions options;
    std::string title;
};

// What draws the pages and sends them to a printer; the tool reaches Qt's
// printing through it (QtSheetPrinter.h), its tests through anything that
// records the job.
class SheetPrinter {
public:
    virtual ~SheetPrinter() = default;
    // Made ready before anything else of the command, the open window's
    // board included: both need Qt's application object, which this makes.
    virtual void Prepare() = 0;
    // The bytes of a PDF file of the pages. Throws InputError.
    virtual std::string Pdf(const PrintJob& job) = 0;
    // Sends the pages to `printer`, or to the default printer when it is
    // empty. Throws InputError when there is none or it does not take them.
    virtual void Queue(const PrintJob& job, const std::string& printer) = 0;
};

}  // namespace quillet::board_tool
