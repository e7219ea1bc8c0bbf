// Run with QT_SCALE_FACTOR set: the congratulation window keeps its size, and
// its picture reaches the device unblended.

#include <QTest>

#include "DevicePixels.h"
#include "windows/congratulation/Unit5.h"

using namespace quillet;
using namespace quillet::testing;

class PictureHiDpiTest : public QObject {
    Q_OBJECT

    double factor = 1;

private slots:
    void initTestCase() {
        factor = ScaleFactor();
        QVERIFY2(factor > 1, "run with QT_SCALE_FACTOR above 1");
    }

    // The picture is drawn on its 450 x 450 bitmap and shown scaled to the
    // device without smoothing: every device pixel is one bitmap pixel.
    void thePictureIsScaledWithoutBlur() {
        TForm5 window;
        window.show();
        QCOMPARE(window.size(), QSize(450, 450));
        const QImage bitmap = window.Image1->Canvas().Image();
        const QImage shown = Painted(window.Image1, factor, Qt::white);
        for (int y = 0; y < shown.height(); y += 3)
            for (int x = 0; x < shown.width(); x += 3) {
                const QPoint source(qMin(int(x / factor), 449), qMin(int(y / factor), 449));
                const QRgb expected = bitmap.pixel(source) & RGB_MASK;
                const QRgb got = shown.pixel(x, y) & RGB_MASK;
                // Nearest-neighbour may take the neighbouring bitmap pixel at an edge.
                if (got == expected) continue;
                const QPoint next(qMin(source.x() + 1, 449), qMin(source.y() + 1, 449));
                QVERIFY2(got == (bitmap.pixel(next.x(), source.y()) & RGB_MASK) ||
                             got == (bitmap.pixel(source.x(), next.y()) & RGB_MASK) ||
                             got == (bitmap.pixel(next) & RGB_MASK),
                         qPrintable(QStringLiteral("device pixel %1,%2 is blended").arg(x).arg(y)));
            }
    }
};

QTEST_MAIN(PictureHiDpiTest)
#include "PictureHiDpiTest.moc"
