#include "printing/PrintQueue.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace quillet::printing {

QueueOutcome PrintToQueue(const QString& printer, const PagePainter& paint, const QString& title) {
    const QPrinterInfo info =
        printer.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printer);
    if (info.isNull())
        return printer.isEmpty() ? QueueOutcome::kNoPrinter : QueueOutcome::kUnknownPrinter;
    QPrinter device(info, QPrinter::HighResolution);
    device.setFullPage(true);
    device.setDocName(title);
    device.setCreator(QStringLiteral("Quillet"));
    if (!paint(device) || device.printerState() == QPrinter::Error) return QueueOutcome::kFailed;
    return QueueOutcome::kSent;
}

}  // namespace quillet::printing
