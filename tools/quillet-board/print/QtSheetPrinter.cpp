#include "QtSheetPrinter.h"

#include <cstdio>

#include "ToolErrors.h"
#include "drawing/Fonts.h"
#include "files/Escaped.h"
#include "printing/PdfOutput.h"
#include "printing/PrintQueue.h"
#include "printing/ShownName.h"

namespace quillet::board_tool {
namespace {

// Qt's own notes (a missing XDG_RUNTIME_DIR, a font it substitutes) would
// be lines beside the tool's one line of its own; only its errors pass.
void KeepErrors(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
}

printing::PagePainter PagesOf(const PrintJob& job) {
    return [&job](QPagedPaintDevice& device) {
        return printing::PaintSheets(device, job.boards, job.options);
    };
}

}  // namespace

QtSheetPrinter::QtSheetPrinter() = default;
QtSheetPrinter::~QtSheetPrinter() {
    application_.reset();
    // Null restores Qt's default.
    if (quieted_) qInstallMessageHandler(previousHandler_);
}

void QtSheetPrinter::Prepare() {
    if (QCoreApplication::instance()) return;
    previousHandler_ = qInstallMessageHandler(KeepErrors);
    quieted_ = true;
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    InstallFontSubstitutions();
}

std::string QtSheetPrinter::Pdf(const PrintJob& job) {
    Prepare();
    const QByteArray bytes = printing::PdfOf(PagesOf(job), printing::ShownName(job.title));
    if (bytes.isEmpty()) throw InputError("print: the pages could not be drawn");
    return bytes.toStdString();
}

void QtSheetPrinter::Queue(const PrintJob& job, const std::string& printer) {
    Prepare();
    // A printer's name is the print system's text.
    const QString name =
        QString::fromLocal8Bit(printer.data(), static_cast<qsizetype>(printer.size()));
    switch (printing::PrintToQueue(name, PagesOf(job), printing::ShownName(job.title))) {
        case printing::QueueOutcome::kSent: return;
        case printing::QueueOutcome::kNoPrinter:
            throw InputError("print: no printer is set up; -o FILE.pdf writes a PDF file instead");
        case printing::QueueOutcome::kUnknownPrinter:
            throw InputError("print: there is no printer " + Quoted(printer));
        case printing::QueueOutcome::kFailed:
            throw InputError("print: the printer " +
                             (printer.empty() ? std::string("(the default)") : Quoted(printer)) +
                             " did not take the pages");
    }
}

}  // namespace quillet::board_tool
