#pragma once

#include <QFont>
#include <QString>

namespace quillet {

// The program's Japanese proportional Gothic face.
inline const QString kGothicFace = QStringLiteral("ＭＳ Ｐゴシック");

// Maps the program's face to the metric-compatible IPAPGothic.
void InstallFontSubstitutions();

// The Gothic face with characters `pixelHeight` pixels high.
QFont GothicFont(int pixelHeight);

}  // namespace quillet
