#pragma once

#include <QString>

#include "printing/PdfOutput.h"

namespace quillet::printing {

enum class QueueOutcome {
    kSent,
    kNoPrinter,       // none is set up, or none is the default
    kUnknownPrinter,  // none of that name
    kFailed,          // the printer did not take the job
};

// Sends the pages to the system's print queue, to `printer` or, when it is
// empty, to the default printer, as one job named `title`.
QueueOutcome PrintToQueue(const QString& printer, const PagePainter& paint, const QString& title);

}  // namespace quillet::printing
