#pragma once

#include <QImage>
#include <QPoint>

#include "drawing/Canvas.h"

class QPainter;

namespace quillet {

inline constexpr int kSurfaceSize = 450;

// A surface on an RGB bitmap. Lines and text are aliased so that every pixel
// has exactly the colour it was drawn with: the border fill and the window's
// transparent colour compare colours exactly.
class QImageCanvas : public Canvas {
public:
    // A new surface is white.
    explicit QImageCanvas(int width = kSurfaceSize, int height = kSurfaceSize);

    const QImage& Image() const { return image_; }
    QImage& Image() { return image_; }

    void MoveTo(int x, int y) override;
    // A pen of width 1 draws the start pixel and leaves out the end pixel, so
    // consecutive segments meet without gap or overlap; wider pens have round
    // ends.
    void LineTo(int x, int y) override;
    // The outline is one pixel wide, as on a new surface.
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const QString& text) override;
    // Four-connected, so that an aliased outline of width 1, whose pixels
    // touch only at corners, holds the fill. Nothing is painted under a clear
    // brush or when (x, y) is off the surface or has the border colour.
    void FloodFill(int x, int y, Colour border) override;

private:
    void DrawThinLine(QPoint from, QPoint to);
    void DrawHorizontalText(QPainter& painter, const QString& text);
    void DrawVerticalText(QPainter& painter, const QString& text);

    QImage image_;
    QPoint position_;
};

}  // namespace quillet
