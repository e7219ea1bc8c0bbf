#pragma once

#include <QColor>
#include <QString>

#include <cstdint>

#include "drawing/Fonts.h"

namespace quillet {

// A colour as 0x00BBGGRR: red in the low byte, blue in the third.
using Colour = std::uint32_t;

inline QColor ToQColor(Colour c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

enum class BrushStyle { Solid, Clear };

// The face every new surface starts with.
inline const QString kDefaultFontFace = kGothicFace;

// A drawing surface with a pen, a brush and a font, as the pictures of the
// congratulation window use it. Pen, brush and font are plain state kept here;
// the drawing calls are the implementation's.
class Canvas {
public:
    virtual ~Canvas() = default;

    Colour PenColour() const { return penColour_; }
    virtual void SetPenColour(Colour colour) { penColour_ = colour; }
    int PenWidth() const { return penWidth_; }
    virtual void SetPenWidth(int width) { penWidth_ = width; }

    Colour BrushColour() const { return brushColour_; }
    // Choosing a colour makes a clear brush solid.
    virtual void SetBrushColour(Colour colour) {
        brushColour_ = colour;
        brushStyle_ = BrushStyle::Solid;
    }
    BrushStyle GetBrushStyle() const { return brushStyle_; }
    virtual void SetBrushStyle(BrushStyle style) { brushStyle_ = style; }

    // A face whose name starts with "@" is the vertical-writing variant of
    // the rest of the name.
    QString FontFace() const { return fontFace_; }
    // A new face or height builds a fresh font, which is never rotated.
    virtual void SetFontFace(const QString& face) {
        fontFace_ = face;
        fontEscapement_ = 0;
    }
    // Positive: the height of the whole character cell, internal leading
    // included. Negative: the height of the characters alone.
    int FontHeight() const { return fontHeight_; }
    virtual void SetFontHeight(int height) {
        fontHeight_ = height;
        fontEscapement_ = 0;
    }
    Colour FontColour() const { return fontColour_; }
    virtual void SetFontColour(Colour colour) { fontColour_ = colour; }
    // The angle of the text line in tenths of a degree, counter-clockwise
    // as seen on screen. Lasts until the next face or height.
    int FontEscapement() const { return fontEscapement_; }
    virtual void SetFontEscapement(int tenthsOfDegree) { fontEscapement_ = tenthsOfDegree; }

    virtual void MoveTo(int x, int y) = 0;
    // A segment from the current position with the pen; (x, y) becomes the
    // current position.
    virtual void LineTo(int x, int y) = 0;
    // Filled with the brush and outlined with the pen; right and bottom are
    // exclusive.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // (x, y) is the top-left corner of the first character cell in the
    // text's own rotated frame; a solid brush paints the background.
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // Paints with the brush every pixel connected to (x, y) that does not
    // have exactly the border colour.
    virtual void FloodFill(int x, int y, Colour border) = 0;

private:
    Colour penColour_ = 0x000000;
    int penWidth_ = 1;
    Colour brushColour_ = 0xFFFFFF;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    QString fontFace_ = kDefaultFontFace;
    int fontHeight_ = -12;
    Colour fontColour_ = 0x000000;
    int fontEscapement_ = 0;
};

}  // namespace quillet
