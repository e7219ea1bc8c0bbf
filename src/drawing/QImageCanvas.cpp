#include "drawing/QImageCanvas.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "drawing/Fonts.h"
#include "drawing/VerticalText.h"

namespace quillet {
namespace {

// Wide pens have round ends, which also round off the corners between the
// separate segments of a curve.
QPen WidePen(Colour colour, int width) {
    QPen pen(ToQColor(colour));
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// Qt smooths turned glyphs whatever the font asks for; their outlines, filled
// without antialiasing, keep the colour exact.
void DrawGlyphs(QPainter& painter, int x, int baseline, const QString& text, const QColor& colour) {
    if (!painter.transform().isRotating()) {
        painter.setPen(colour);
        painter.drawText(x, baseline, text);
        return;
    }
    QPainterPath path;
    path.addText(x, baseline, painter.font(), text);
    painter.fillPath(path, colour);
}

QRgb RgbOf(Colour colour) { return ToQColor(colour).rgb() & RGB_MASK; }

}  // namespace

QImageCanvas::QImageCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    // The default face names a Japanese system's font.
    InstallFontSubstitutions();
}

void QImageCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void QImageCanvas::LineTo(int x, int y) {
    const QPoint to(x, y);
    if (PenWidth() <= 1) {
        DrawThinLine(position_, to);
    } else {
        QPainter painter(&image_);
        painter.setPen(WidePen(PenColour(), PenWidth()));
        painter.drawLine(position_, to);
    }
    position_ = to;
}

// Bresenham from the start pixel up to, not including, the end pixel. Qt's
// own thin lines may leave out a start pixel as well, which opens a gap at a
// corner of an outline.
void QImageCanvas::DrawThinLine(QPoint from, QPoint to) {
    const QRgb colour = ToQColor(PenColour()).rgb();
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    while (at != to) {
        if (image_.rect().contains(at))
            reinterpret_cast<QRgb*>(image_.scanLine(at.y()))[at.x()] = colour;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
}

void QImageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    const QRect area = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                             QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
    if (area.isEmpty()) return;
    QPainter painter(&image_);
    if (GetBrushStyle() == BrushStyle::Solid) painter.fillRect(area, ToQColor(BrushColour()));
    painter.end();
    const QPoint corners[] = {area.topLeft(), area.topRight(), area.bottomRight(),
                              area.bottomLeft()};
    for (int k = 0; k < 4; ++k) DrawThinLine(corners[k], corners[(k + 1) % 4]);
}

void QImageCanvas::TextOut(int x, int y, const QString& text) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(SurfaceFont(FontFace(), FontHeight()));
    painter.translate(x, y);
    // Escapement counts counter-clockwise on screen, Qt's rotation clockwise.
    painter.rotate(-FontEscapement() / 10.0);
    if (FontFace().startsWith(u'@'))
        DrawVerticalText(painter, text);
    else
        DrawHorizontalText(painter, text);
}

void QImageCanvas::DrawHorizontalText(QPainter& painter, const QString& text) {
    const QFontMetrics metrics(painter.font());
    if (GetBrushStyle() == BrushStyle::Solid)
        painter.fillRect(QRect(0, 0, metrics.horizontalAdvance(text), metrics.height()),
                         ToQColor(BrushColour()));
    DrawGlyphs(painter, 0, metrics.ascent(), text, ToQColor(FontColour()));
}

// The vertical variant of a face sets the characters upright along a text
// line that runs down the column. Drawn here in a frame turned a quarter turn
// back from the line: the column runs along +y, and its cells, as wide as the
// font's cell height, lie to the left of the reference point, where the line's
// "below" is. Glyph outlines are filled unsmoothed, as in DrawGlyphs.
void QImageCanvas::DrawVerticalText(QPainter& painter, const QString& text) {
    painter.rotate(-90.0);
    const QRawFont font = QRawFont::fromFont(painter.font());
    const qreal width = QFontMetricsF(painter.font()).height();
    for (const VerticalGlyph& glyph : LayOutVertically(font, text, width)) {
        if (GetBrushStyle() == BrushStyle::Solid)
            painter.fillRect(QRectF(-width, glyph.top, width, glyph.advance),
                             ToQColor(BrushColour()));
        painter.fillPath(font.pathForGlyph(glyph.glyph).translated(glyph.origin),
                         ToQColor(FontColour()));
    }
}

void QImageCanvas::FloodFill(int x, int y, Colour border) {
    const int width = image_.width();
    const int height = image_.height();
    if (GetBrushStyle() == BrushStyle::Clear || x < 0 || y < 0 || x >= width || y >= height) return;

    const QRgb borderRgb = RgbOf(border);
    const QRgb fill = ToQColor(BrushColour()).rgb();
    std::vector<bool> painted(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    auto line = [&](int row) { return reinterpret_cast<QRgb*>(image_.scanLine(row)); };
    auto open = [&](int px, int row) {
        return !painted[static_cast<std::size_t>(row) * width + px] &&
               (line(row)[px] & RGB_MASK) != borderRgb;
    };
    if (!open(x, y)) return;

    // Runs of a row are painted whole; the rows above and below push one seed
    // per open run. The explicit stack keeps deep shapes off the call stack.
    std::vector<QPoint> seeds{QPoint(x, y)};
    while (!seeds.empty()) {
        const QPoint seed = seeds.back();
        seeds.pop_back();
        const int row = seed.y();
        if (!open(seed.x(), row)) continue;
        int left = seed.x();
        while (left > 0 && open(left - 1, row)) --left;
        int right = seed.x();
        while (right < width - 1 && open(right + 1, row)) ++right;
        QRgb* pixels = line(row);
        for (int px = left; px <= right; ++px) {
            pixels[px] = fill;
            painted[static_cast<std::size_t>(row) * width + px] = true;
        }
        for (const int next : {row - 1, row + 1}) {
            if (next < 0 || next >= height) continue;
            bool inRun = false;
            for (int px = left; px <= right; ++px) {
                const bool isOpen = open(px, next);
                if (isOpen && !inRun) seeds.emplace_back(px, next);
                inRun = isOpen;
            }
        }
    }
}

}  // namespace quillet
