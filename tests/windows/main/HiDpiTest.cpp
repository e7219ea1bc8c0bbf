// Run with QT_SCALE_FACTOR set: the main window keeps its logical geometry and
// press rule, and nothing it paints is blended by the scaling.

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "DevicePixels.h"
#include "EventDeadline.h"
#include "MainWindowTestSupport.h"
#include "RecordingDialogs.h"
#include "windows/main/Unit1.h"

using quillet::testing::kEventDeadlineMs;

using namespace quillet;
using namespace quillet::testing;

class HiDpiTest : public QObject {
    Q_OBJECT

    RecordingDialogs dialogs;
    TForm1* form = nullptr;
    double factor = 1;

private slots:
    void initTestCase() {
        factor = ScaleFactor();
        QVERIFY2(factor > 1, "run with QT_SCALE_FACTOR above 1");
    }
    void init() {
        form = new TForm1(dialogs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form, kEventDeadlineMs));
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
};

QTEST_MAIN(HiDpiTest)
#include "HiDpiTest.moc"
