#include "drawing/Fonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace quillet {
namespace {

constexpr int kDefaultPixelSize = 12;
constexpr int kProbePixelSize = 1000;
constexpr int kMaxNudges = 8;

int CellHeight(QFont font, int pixelSize) {
    font.setPixelSize(pixelSize);
    return QFontMetrics(font).height();
}

int PixelSizeForCell(const QFont& font, int cell) {
    QFont probe(font);
    probe.setPixelSize(kProbePixelSize);
    const QFontMetricsF metrics(probe);
    const qreal probeCell = metrics.ascent() + metrics.descent();
    int size =
        probeCell > 0 ? static_cast<int>(std::lround(cell * kProbePixelSize / probeCell)) : cell;
    size = std::max(size, 1);
    // The scaled guess is off by a pixel or two at most; a few steps settle it.
    for (int step = 0; step < kMaxNudges && size > 1 && CellHeight(font, size) > cell; ++step)
        --size;
    for (int step = 0; step < kMaxNudges && CellHeight(font, size + 1) <= cell; ++step) ++size;
    return size;
}

}  // namespace

QFont GothicFont(int pixelHeight) {
    QFont font(kGothicFace);
    font.setPixelSize(pixelHeight);
    return font;
}

void InstallFontSubstitutions() {
    const QString gothic = QStringLiteral("IPAPGothic");
    if (!QFont::substitutes(kGothicFace).contains(gothic))
        QFont::insertSubstitution(kGothicFace, gothic);
}

QFont SurfaceFont(const QString& face, int height) {
    QFont font(face.startsWith(u'@') ? face.mid(1) : face);
    // Exact colours keep the transparent colour and the border fill exact.
    font.setStyleStrategy(QFont::NoAntialias);
    if (height < 0)
        font.setPixelSize(-height);
    else if (height > 0)
        font.setPixelSize(PixelSizeForCell(font, height));
    else
        font.setPixelSize(kDefaultPixelSize);
    return font;
}

}  // namespace quillet
