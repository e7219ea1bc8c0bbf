#pragma once

#include <QPainter>

#include "drawing/Canvas.h"

namespace quillet {

// Draws only the strokes of a picture, smoothed, onto any painter: the white
// ground, the fills and the banner and caption texts are left out, which is
// what an icon keeps of a picture. Strokes are at least minimumWidth wide, in
// picture units, so that a small rendering still shows them.
class StrokeCanvas : public Canvas {
public:
    StrokeCanvas(QPainter& painter, double minimumWidth);

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int, int, int, int) override {}
    void TextOut(int, int, const QString&) override {}
    void FloodFill(int, int, Colour) override {}

private:
    QPainter& painter_;
    double minimumWidth_;
    QPoint position_;
};

}  // namespace quillet
