#pragma once

#include <QFont>
#include <QString>

namespace quillet {

// The program's Japanese proportional Gothic face.
inline const QString kGothicFace = QStringLiteral("ＭＳ Ｐゴシック");

// The Gothic face with characters `pixelHeight` pixels high.
QFont GothicFont(int pixelHeight);

// Maps the program's Japanese face names to the installed IPA faces. Safe to
// call more than once; the main window and the picture tools call it at start.
void InstallFontSubstitutions();

// The Qt font for a surface face and height. A leading "@" (vertical writing)
// is dropped: the caller lays vertical text out itself.
//
// A positive height is the whole cell (ascent + descent, internal leading
// included) while Qt sizes fonts by the em. The pixel size is first scaled
// from the face's cell-to-em ratio measured at a large size, then nudged so
// that the cell is the largest one not above the height asked for. A negative
// height is the characters' height, which is the em: it is the pixel size.
QFont SurfaceFont(const QString& face, int height);

}  // namespace quillet
