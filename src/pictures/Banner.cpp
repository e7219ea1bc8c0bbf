#include "pictures/Banner.h"

#include "drawing/RealMath.h"

namespace quillet {

void RotateFont(Canvas& surface, float angle) {
    surface.SetFontEscapement(Trunc(static_cast<long double>(angle) * 10.0L));
}

void DrawBanner(Canvas& surface, Colour colour, int clientHeight) {
    const long double h = clientHeight;
    const QString face = surface.FontFace();
    surface.SetFontFace(QStringLiteral("@") + face);
    surface.SetFontColour(colour);
    surface.SetFontHeight(Round(h / 6));
    // Down the screen and turned 20 degrees to the left.
    RotateFont(surface, -110.0f);
    surface.TextOut(Round(h * 8 / 10), clientHeight / 4, kBannerFirstHalf);
    surface.TextOut(Round(h / 2 * 1.1L), clientHeight / 4, kBannerSecondHalf);
    surface.SetFontFace(face);
}

}  // namespace quillet
