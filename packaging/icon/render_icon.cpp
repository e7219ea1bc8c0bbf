// Draws the program's icon, the blossom of the congratulation window, into
// DIRECTORY as a hicolor theme: scalable/apps/NAME.svg and
// SIZExSIZE/apps/NAME.png for the usual sizes.
//     quillet-icon DIRECTORY NAME

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cstdio>

#include "StrokeCanvas.h"
#include "drawing/QImageCanvas.h"
#include "pictures/Pictures.h"

namespace {

// The petal tips reach the picture's edge; the margin keeps their round ends.
constexpr int kMargin = 8;
// The outline's width in picture units: thick enough to read at 48 pixels,
// thin enough to keep the notches of the petals.
constexpr double kStrokeWidth = 12.0;
constexpr int kViewSize = quillet::kSurfaceSize + 2 * kMargin;

void DrawIcon(QPainter& painter, double minimumWidth) {
    painter.translate(kMargin, kMargin);
    quillet::StrokeCanvas canvas(painter, minimumWidth);
    quillet::DrawBlossom(canvas, quillet::kSurfaceSize, quillet::kSurfaceSize);
}

bool WriteSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kViewSize, kViewSize));
    svg.setViewBox(QRect(0, 0, kViewSize, kViewSize));
    svg.setTitle(QStringLiteral("Quillet"));
    svg.setDescription(QStringLiteral("A five-petal blossom"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    DrawIcon(painter, kStrokeWidth);
    return painter.end();
}

bool WritePng(const QString& path, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const double scale = static_cast<double>(size) / kViewSize;
    painter.scale(scale, scale);
    // Never under one and a half pixels, or the small sizes lose the outline.
    DrawIcon(painter, std::max(kStrokeWidth, 1.5 / scale));
    painter.end();
    return image.save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DIRECTORY NAME\n", argc > 0 ? argv[0] : "quillet-icon");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);

    const QString svgDirectory = QStringLiteral("scalable/apps");
    bool written =
        theme.mkpath(svgDirectory) && WriteSvg(theme.filePath(svgDirectory + QStringLiteral("/") +
                                                              name + QStringLiteral(".svg")));
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString directory = QStringLiteral("%1x%1/apps").arg(size);
        written = written && theme.mkpath(directory) &&
                  WritePng(theme.filePath(directory + QStringLiteral("/") + name +
                                          QStringLiteral(".png")),
                           size);
    }
    if (!written) {
        std::fprintf(stderr, "cannot write the icon into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
