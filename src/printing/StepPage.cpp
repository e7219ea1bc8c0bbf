#include "printing/StepPage.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "drawing/Fonts.h"
#include "printing/PageSetup.h"
#include "printing/PaperBoard.h"
#include "printing/SheetLayout.h"

namespace quillet::printing {
namespace {

constexpr double kHeadingType = 4.2;      // mm
constexpr double kExplanationType = 3.5;  // mm, about 10 points
constexpr double kLineSpacing = 1.5;      // of the type's size
constexpr double kGap = 6;                // mm between the parts

QFont TypeOf(double em, bool bold = false) {
    QFont font = GothicFont(std::max(1, static_cast<int>(std::lround(em))));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The explanation's lines, each with the page (from 0) and the place on it
// where it stands.
struct PlacedLine {
    int page = 0;
    QTextLine line;
};

std::vector<PlacedLine> FlowText(QTextLayout& layout, const QRectF& first, const QRectF& next,
                                 double spacing) {
    std::vector<PlacedLine> placed;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int page = 0;
    QRectF area = first;
    double y = area.top();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        if (y + line.height() > area.bottom() && y > area.top()) {
            ++page;
            area = next;
            y = area.top();
        }
        line.setPosition(QPointF(area.left(), y));
        placed.push_back({page, line});
        y += spacing;
    }
    layout.endLayout();
    return placed;
}

}  // namespace

bool PaintStepPage(QPagedPaintDevice& device, const StepPage& page) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double mm = UnitsPerMm(device);
    const QSizeF paper = device.pageLayout().fullRect(QPageLayout::Millimeter).size();
    const double margin = SheetLayout::kMargin;
    const double width = paper.width() - 2 * margin;
    const double side = std::min(width, kStepBoardSide);
    const QRectF square(((paper.width() - side) / 2) * mm, (margin + 10) * mm, side * mm,
                        side * mm);
    const PaperGeometry geometry(square);

    painter.setPen(Qt::black);
    if (!page.heading.isEmpty()) {
        painter.setFont(TypeOf(kHeadingType * mm, true));
        painter.drawText(QPointF(geometry.Cells().left(), (margin + 6) * mm), page.heading);
    }
    if (page.drawStep)
        page.drawStep(painter, square);
    else
        PaintPaperBoard(painter, square, mm, page.board, true);

    if (!page.explanation.isEmpty()) {
        QString text = page.explanation;
        text.replace(u'\n', QChar::LineSeparator);
        QTextLayout layout(text, TypeOf(kExplanationType * mm), &device);
        const double left = geometry.Cells().left();
        const double right = geometry.Cells().right();
        const double bottom = (paper.height() - margin) * mm;
        const QRectF first(left, square.bottom() + kGap * mm, right - left,
                           bottom - square.bottom() - kGap * mm);
        const QRectF next(left, margin * mm, right - left, (paper.height() - 2 * margin) * mm);
        int shown = 0;
        for (const PlacedLine& placed :
             FlowText(layout, first, next, kExplanationType * kLineSpacing * mm)) {
            for (; shown < placed.page; ++shown) device.newPage();
            placed.line.draw(&painter, QPointF());
        }
    }
    return painter.end();
}

}  // namespace quillet::printing
