#include "coach/CoachPrint.h"

#include <QCheckBox>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include "board/CommandError.h"
#include "coach/BoardPainting.h"
#include "files/BoardFileIo.h"
#include "printing/Paper.h"
#include "printing/PdfOutput.h"
#include "printing/StepPage.h"

namespace quillet::coach {
namespace {

// The side the coach's painting is drawn at on the screen; on paper it is
// scaled from there, so that its lines and type keep their proportions.
constexpr double kPaintedSide = 460;

printing::StepPage PageOf(const CoachPrintout& printout, bool withStep) {
    printing::StepPage page;
    for (int k = 0; k < kCellCount; ++k) {
        page.board.cells[k] = printout.cells[k];
        // A board does not record which digits were given: all are printed so.
        page.board.givens[k] = printout.cells[k].size() == 1;
    }
    if (!withStep || !printout.advice) return page;
    page.heading = printout.title;
    page.explanation = printout.explanation;
    page.drawStep = [&printout](QPainter& painter, const QRectF& square) {
        painter.save();
        painter.translate(square.topLeft());
        painter.scale(square.width() / kPaintedSide, square.height() / kPaintedSide);
        BoardPicture picture;
        picture.cells = printout.cells;
        picture.advice = printout.advice.get();
        picture.part = printout.part;
        PaintBoard(painter, BoardLayout(QRectF(0, 0, kPaintedSide, kPaintedSide)), picture);
        painter.restore();
    };
    return page;
}

// The page as the dialog chose it, without margins: the page places
// everything from the paper's corner.
QPageLayout WholePage(const QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF());
    return layout;
}

}  // namespace

QString PrintCoachPage(QPrinter& printer, const CoachPrintout& printout, bool withStep) {
    const printing::StepPage page = PageOf(printout, withStep);
    const QString file = printer.outputFileName();
    if (printer.outputFormat() == QPrinter::PdfFormat && !file.isEmpty()) {
        const QPageLayout layout = WholePage(printer);
        const QByteArray bytes = printing::PdfOf(
            [&](QPagedPaintDevice& device) {
                device.setPageLayout(layout);
                return printing::PaintStepPage(device, page);
            },
            QStringLiteral("Quillet"));
        const QString failed = QStringLiteral("%1 に書き出せませんでした。").arg(file);
        if (bytes.isEmpty()) return failed;
        // The name as the file system has it, bytes and all.
        const std::string path = QFile::encodeName(file).toStdString();
        try {
            WriteWholeFile(path, path, std::string_view(bytes.constData(), bytes.size()),
                           printing::LooksLikePdf);
        } catch (const CommandError&) {
            return failed;
        }
        return QStringLiteral("%1 に書き出しました。").arg(file);
    }
    printer.setFullPage(true);
    printer.setPageLayout(WholePage(printer));
    if (!printing::PaintStepPage(printer, page) || printer.printerState() == QPrinter::Error)
        return QStringLiteral("%1 で印刷できませんでした。").arg(printer.printerName());
    return QStringLiteral("%1 に送りました。").arg(printer.printerName());
}

QString PrintFollowedBoard(QWidget* parent, const CoachPrintout& printout) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(printing::PageSizeOf(printing::LocalePaper()));
    printer.setDocName(QStringLiteral("Quillet"));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("盤面を印刷"));
    auto* options = new QWidget;
    options->setWindowTitle(QStringLiteral("コーチ"));
    auto* withStep = new QCheckBox(QStringLiteral("手を盤面に描き、説明を下に付ける"), options);
    withStep->setObjectName(QStringLiteral("printStep"));
    withStep->setEnabled(printout.advice != nullptr);
    (new QVBoxLayout(options))->addWidget(withStep);
    dialog.setOptionTabs({options});
    if (dialog.exec() != QDialog::Accepted) return {};
    return PrintCoachPage(printer, printout, withStep->isChecked());
}

}  // namespace quillet::coach
