#include "StrokeCanvas.h"

#include <QPen>

#include <algorithm>

namespace quillet {

StrokeCanvas::StrokeCanvas(QPainter& painter, double minimumWidth)
    : painter_(painter), minimumWidth_(minimumWidth) {
    painter_.setRenderHint(QPainter::Antialiasing);
}

void StrokeCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void StrokeCanvas::LineTo(int x, int y) {
    QPen pen(ToQColor(PenColour()));
    pen.setWidthF(std::max<double>(PenWidth(), minimumWidth_));
    pen.setCapStyle(Qt::RoundCap);
    painter_.setPen(pen);
    painter_.drawLine(position_, QPoint(x, y));
    position_ = QPoint(x, y);
}

}  // namespace quillet
