// Run with QT_SCALE_FACTOR set: the windows keep their logical geometry and
// press rule, and nothing they paint is blended by the scaling.

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "MainWindowTestSupport.h"
#include "RecordingDialogs.h"
#include "ui/Unit1.h"
#include "ui/Unit5.h"

using namespace quillet;
using namespace quillet::testing;

class HiDpiTest : public QObject {
    Q_OBJECT

    RecordingDialogs dialogs;
    TForm1* form = nullptr;
    double factor = 1;

    // What the widget paints, at the device resolution.
    static QImage Painted(QWidget* widget, double factor, QColor ground) {
        const QSize logical = widget->size();
        QImage image(qCeil(logical.width() * factor), qCeil(logical.height() * factor),
                     QImage::Format_ARGB32);
        image.setDevicePixelRatio(factor);
        image.fill(ground);
        widget->render(&image, {}, {}, QWidget::DrawChildren);
        return image;
    }

  private slots:
    void initTestCase() {
        factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
        QVERIFY2(factor > 1, "run with QT_SCALE_FACTOR above 1");
    }
    void init() {
        form = new TForm1(dialogs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() { delete form; }

    void theMainWindowKeepsItsLogicalGeometry() {
        QCOMPARE(form->devicePixelRatioF(), factor);
        QCOMPARE(form->size(), QSize(534, 416));
        QCOMPARE(form->SG1->geometry(), QRect(0, 0, 417, 416));
        QCOMPARE(form->Button9->geometry(), QRect(424, 384, 105, 25));
    }

    void thePressRuleCountsLogicalPixels() {
        PressGrid(*form, {400, 100});
        QCOMPARE(form->Panel1->text(), QStringLiteral("9  2"));
        PressGrid(*form, {41, 41});
        QCOMPARE(form->Panel1->text(), QStringLiteral("1  1"));
        PressGrid(*form, {40, 300});
        QCOMPARE(form->Panel1->text(), QStringLiteral("1  1"));
        PressGrid(*form, {411, 409});
        QCOMPARE(form->Panel1->text(), QStringLiteral("10  9"));
    }

    // Below the candidate texts of row 5, a device row crosses only the cells'
    // white and the silver lines after each of the nine columns: unblended.
    void gridLinesStayCrisp() {
        const QImage grid = Painted(form->SG1, factor, Qt::white);
        const int y = qFloor((BoardGrid::kBorder + BoardGrid::CellRect(1, 5).top() + 36) * factor);
        const int left = qCeil((BoardGrid::kBorder + BoardGrid::CellRect(1, 5).left()) * factor);
        const int right = qFloor((BoardGrid::kBorder + BoardGrid::kGridExtent + 1) * factor) - 1;
        const QRgb silver = qRgb(192, 192, 192);
        int lines = 0;
        bool onLine = false;
        for (int x = left; x < right; ++x) {
            const QRgb pixel = grid.pixel(x, y) & RGB_MASK;
            QVERIFY2(
                pixel == (qRgb(255, 255, 255) & RGB_MASK) || pixel == (silver & RGB_MASK),
                qPrintable(QStringLiteral("blended pixel %1 at x %2").arg(pixel, 0, 16).arg(x)));
            if (pixel == (silver & RGB_MASK) && !onLine) ++lines;
            onLine = pixel == (silver & RGB_MASK);
        }
        QCOMPARE(lines, 9);
    }

    // The picture is drawn on its 450 x 450 bitmap and shown scaled to the
    // device without smoothing: every device pixel is one bitmap pixel.
    void thePictureIsScaledWithoutBlur() {
        TForm5 window(form);
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

QTEST_MAIN(HiDpiTest)
#include "HiDpiTest.moc"
