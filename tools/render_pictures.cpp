// Renders the congratulation window's four pictures, the spiral with five and
// with six scallops, as PNG files into the directory given:
//     quillet-pictures DIRECTORY
// Each is drawn as the window draws it, on a white 450 x 450 bitmap.

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include "drawing/Fonts.h"
#include "drawing/QImageCanvas.h"
#include "pictures/Pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argc > 0 ? argv[0] : "quillet-pictures");
        return 2;
    }
    // No window is opened, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    quillet::InstallFontSubstitutions();

    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!directory.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    using Picture = std::function<void(quillet::Canvas&, int, int)>;
    const std::vector<std::pair<QString, Picture>> pictures = {
        {QStringLiteral("crown.png"),
         [](auto& s, int size, int h) { quillet::DrawCrown(s, size, h); }},
        {QStringLiteral("blossom.png"),
         [](auto& s, int size, int h) { quillet::DrawBlossom(s, size, h); }},
        {QStringLiteral("spiral-flower-circle-5.png"),
         [](auto& s, int size, int h) { quillet::DrawSpiralFlowerCircle(s, size, h, 5); }},
        {QStringLiteral("spiral-flower-circle-6.png"),
         [](auto& s, int size, int h) { quillet::DrawSpiralFlowerCircle(s, size, h, 6); }},
        {QStringLiteral("ringed-flower-circle.png"),
         [](auto& s, int size, int h) { quillet::DrawRingedFlowerCircle(s, size, h); }},
    };
    const int size = quillet::kSurfaceSize;
    for (const auto& [name, draw] : pictures) {
        quillet::QImageCanvas surface(size, size);
        quillet::WhitenSurface(surface, size, size);
        draw(surface, size, size);
        const QString path = directory.filePath(name);
        if (!surface.Image().save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
