#include "printing/Sheets.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

#include "drawing/Fonts.h"
#include "printing/PageSetup.h"
#include "printing/PaperBoard.h"
#include "printing/SheetLayout.h"
#include "printing/ShownName.h"

namespace quillet::printing {
namespace {

QString CaptionText(const PrintedBoard& board) {
    QString text = ShownName(board.name);
    if (board.count > 1) text += QStringLiteral("　%1 / %2").arg(board.number).arg(board.count);
    return text;
}

QString RatingText(const PrintedBoard& board) {
    if (!board.ratingAsked) return {};
    return QStringLiteral("難易度 ") +
           (board.rating ? QString::number(*board.rating, 'f', 1) : QStringLiteral("—"));
}

void PaintCaption(QPainter& painter, const QRectF& line, double em, const PrintedBoard& board) {
    QFont font = GothicFont(std::max(1, static_cast<int>(std::lround(em))));
    font.setHintingPreference(QFont::PreferNoHinting);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font);
    const QString rating = RatingText(board);
    const double ratingWidth = rating.isEmpty() ? 0 : metrics.horizontalAdvance(rating) + em;
    // The caption's baseline a little above the board's numbers.
    const double baseline = line.bottom() - em * 0.45;
    const QString caption =
        metrics.elidedText(CaptionText(board), Qt::ElideMiddle, line.width() - ratingWidth);
    painter.drawText(QPointF(line.left(), baseline), caption);
    if (!rating.isEmpty())
        painter.drawText(QPointF(line.right() - metrics.horizontalAdvance(rating), baseline),
                         rating);
}

}  // namespace

bool PaintSheets(QPagedPaintDevice& device, const std::vector<PrintedBoard>& boards,
                 const SheetOptions& options) {
    const SheetLayout layout(options.paper, options.perPage);
    SetUpPage(device, options.paper);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double unitsPerMm = UnitsPerMm(device);
    const auto onPage = [unitsPerMm](const QRectF& mm) {
        return QRectF(mm.topLeft() * unitsPerMm, mm.size() * unitsPerMm);
    };
    for (std::size_t i = 0; i < boards.size(); ++i) {
        const int place = static_cast<int>(i % static_cast<std::size_t>(layout.PerPage()));
        if (i > 0 && place == 0) device.newPage();
        const SheetLayout::Slot slot = layout.SlotAt(place);
        // The caption runs over the cells, not over the row numbers.
        QRectF caption = onPage(slot.caption);
        const PaperGeometry geometry(onPage(slot.board));
        caption.setLeft(geometry.Cells().left());
        caption.setRight(geometry.Cells().right());
        PaintCaption(painter, caption, layout.CaptionType() * unitsPerMm, boards[i]);
        PaintPaperBoard(painter, onPage(slot.board), unitsPerMm, boards[i], options.candidates);
    }
    return painter.end();
}

}  // namespace quillet::printing
