// Draws the program's icon, the blossom of the congratulation window, into
// DIRECTORY as a hicolor theme: scalable/apps/NAME.svg and
// SIZExSIZE/apps/NAME.png for each SIZE given (the build lists them).
//     quillet-icon DIRECTORY NAME SIZE...

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

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

// A size in pixels, a whole number from 1 to 1024 and nothing else.
std::optional<int> ParseSize(const char* text) {
    int size = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, size);
    if (error != std::errc() || stop != end || size < 1 || size > 1024) return std::nullopt;
    return size;
}

// The sizes from argv[3] on; none when one of them is not a size.
std::vector<int> ParseSizes(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 3; i < argc; ++i) {
        const std::optional<int> size = ParseSize(argv[i]);
        if (!size) return {};
        sizes.push_back(*size);
    }
    return sizes;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<int> sizes = ParseSizes(argc, argv);
    if (sizes.empty()) {
        std::fprintf(stderr, "usage: %s DIRECTORY NAME SIZE...\n",
                     argc > 0 ? argv[0] : "quillet-icon");
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
    for (const int size : sizes) {
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
