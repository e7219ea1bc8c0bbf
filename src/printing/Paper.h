#pragma once

#include <QPageSize>
#include <QSizeF>

namespace quillet::printing {

enum class Paper { kA4, kLetter };

// The paper of the locale (LC_ALL, LC_PAPER, LANG), as the C library gives
// it; where that locale is not installed, Letter for the territories whose
// locales use it and A4 for every other.
Paper LocalePaper();

QPageSize PageSizeOf(Paper paper);
// Width and height in millimetres, portrait.
QSizeF PaperMillimetres(Paper paper);

}  // namespace quillet::printing
