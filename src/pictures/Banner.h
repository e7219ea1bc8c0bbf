#pragma once

#include "drawing/Canvas.h"

namespace quillet {

inline const QString kBannerFirstHalf = QStringLiteral("よくでき");
inline const QString kBannerSecondHalf = QStringLiteral("ました！");

// Turns the surface's font so that its text line runs at angle degrees,
// counter-clockwise as seen on screen; the angle is truncated to tenths of a
// degree. The turn lasts until the font's face or height changes next.
void RotateFont(Canvas& surface, float angle);

// Writes "よくでき" and "ました！" in two slanted vertical columns at the top
// right, sized from the window's client height. Leaves the font's face as it
// found it, and the font's colour and height as the banner set them: the
// captions written after it rely on the colour.
void DrawBanner(Canvas& surface, Colour colour, int clientHeight);

}  // namespace quillet
