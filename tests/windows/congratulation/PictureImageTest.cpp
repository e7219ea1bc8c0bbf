#include <QPixmap>
#include <QTest>

#include "windows/congratulation/PictureImage.h"

using namespace quillet;

class PictureImageTest : public QObject {
    Q_OBJECT

    static QRgb PaintedAt(PictureImage& image, int x, int y) {
        return image.grab().toImage().pixel(x, y) & RGB_MASK;
    }

private slots:
    void showsTheBackdropUnderTheTransparentColourOnly() {
        PictureImage image;
        image.resize(kSurfaceSize, kSurfaceSize);
        QPixmap backdrop(kSurfaceSize, kSurfaceSize);
        backdrop.fill(QColor(10, 20, 30));
        image.SetBackdrop(backdrop);
        image.Canvas().Image().setPixel(5, 6, qRgb(200, 0, 0));
        image.SetTransparent(true);
        QCOMPARE(PaintedAt(image, 5, 6), qRgb(200, 0, 0) & RGB_MASK);
        QCOMPARE(PaintedAt(image, 7, 6), qRgb(10, 20, 30) & RGB_MASK);

        // Drawn again after a paint: the next paint shows it.
        image.Canvas().Image().setPixel(7, 6, qRgb(0, 0, 200));
        QCOMPARE(PaintedAt(image, 7, 6), qRgb(0, 0, 200) & RGB_MASK);
        image.SetTransparent(false);
        QCOMPARE(PaintedAt(image, 8, 6), qRgb(255, 255, 255) & RGB_MASK);
    }
};

QTEST_MAIN(PictureImageTest)
#include "PictureImageTest.moc"
