#include "ui/Fonts.h"

#include <QStringList>

namespace quillet {

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(kGothicFace,
                               QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
}

QFont GothicFont(int pixelHeight) {
    QFont font(kGothicFace);
    font.setPixelSize(pixelHeight);
    return font;
}

}  // namespace quillet
