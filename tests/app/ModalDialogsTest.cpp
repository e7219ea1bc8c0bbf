#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "EventDeadline.h"
#include "app/ModalDialogs.h"
#include "windows/main/MessageBox.h"
#include "windows/main/ProgramTitle.h"

using namespace quillet;

namespace {

// Twice the distance between two centres along one axis, so that halves count.
int TwiceOff(int start, int length, int areaStart, int areaLength) {
    return std::abs(2 * start + length - (2 * areaStart + areaLength));
}

bool IsCentredOnScreen(const QWidget* box) {
    const QRect frame = box->frameGeometry();
    const QRect area = box->screen()->availableGeometry();
    return TwiceOff(frame.x(), frame.width(), area.x(), area.width()) <= 2 &&
           TwiceOff(frame.y(), frame.height(), area.y(), area.height()) <= 2;
}

}  // namespace

// Looks at the box that is open once it stands where it will stay (a window
// manager frames and may move it first), then closes it with a key.
class BoxInspector {
public:
    void CloseWith(Qt::Key key) {
        QTimer::singleShot(0, [this, key] {
            QDeadlineTimer deadline(20000);
            MessageBox* box = nullptr;
            while (!(box = qobject_cast<MessageBox*>(QApplication::activeModalWidget())) &&
                   !deadline.hasExpired())
                QTest::qWait(20);
            if (!box) return;
            seen = QTest::qWaitForWindowExposed(box, 20000);
            while (!IsCentredOnScreen(box) && !deadline.hasExpired()) QTest::qWait(20);
            title = box->windowTitle();
            text = box->Text();
            lines = box->TextLines();
            kind = box->GetKind();
            buttons = box->findChildren<QPushButton*>().size();
            okIsDefault = box->OkButton()->isDefault();
            frame = box->frameGeometry();
            area = box->screen()->availableGeometry();
            screenWidth = box->screen()->geometry().width();
            lineHeight = box->TextLabel()->fontMetrics().height();
            width = box->width();
            ok = box->OkButton()->geometry();
            textArea = QRect(box->TextLabel()->mapTo(box, QPoint(0, 0)), box->TextLabel()->size());
            QTest::keyClick(box, key);
        });
    }
    bool seen = false;
    QString title, text;
    QStringList lines;
    MessageBox::Kind kind = MessageBox::Kind::Information;
    qsizetype buttons = 0;
    bool okIsDefault = false;
    QRect frame, area, ok, textArea;
    int screenWidth = 0, lineHeight = 0, width = 0;
};

class DialogsTest : public QObject {
    Q_OBJECT

    // Stands where the main window does, so that a box centred over its
    // opener would miss the screen's centre. Unframed, so that under a window
    // manager the box cannot take its frame from the opener's.
    QWidget opener{nullptr, Qt::FramelessWindowHint};

private slots:
    void initTestCase() {
        opener.setGeometry(240, 120, 534, 416);
        opener.show();
        // Under a window manager the window shows once the manager has framed
        // it, which a loaded machine may take well over Qt's default 5 s for.
        QVERIFY(QTest::qWaitForWindowExposed(&opener, testing::kEventDeadlineMs));
    }

    void informationBoxHasTitleNoIconAndOneOk() {
        ModalDialogs dialogs;
        BoxInspector inspector;
        inspector.CloseWith(Qt::Key_Escape);
        dialogs.ShowInformation(&opener, QStringLiteral("その数字は入力できません。"));
        QVERIFY(inspector.seen);
        QCOMPARE(inspector.title, QStringLiteral("dialogs_test"));
        QCOMPARE(inspector.title, ProgramTitle());
        QCOMPARE(inspector.text, QStringLiteral("その数字は入力できません。"));
        QCOMPARE(inspector.kind, MessageBox::Kind::Information);
        QCOMPARE(inspector.buttons, 1);
        QVERIFY(inspector.okIsDefault);
    }

    void errorBoxHasTheStopIcon() {
        ModalDialogs dialogs;
        BoxInspector inspector;
        inspector.CloseWith(Qt::Key_Return);
        dialogs.ShowError(&opener, QStringLiteral("ファイル x.cgd は開けません."));
        QVERIFY(inspector.seen);
        QCOMPARE(inspector.kind, MessageBox::Kind::Error);
        QCOMPARE(inspector.buttons, 1);
    }

    // Lines break between words, so a file name stays whole; only a word
    // wider than a line is broken inside.
    void longTextsBreakBetweenWords() {
        const QString name = QStringLiteral("board-7.cgd");
        const QString tail = QStringLiteral("は開けません.");
        const QString words = QStringLiteral("ファイル ") + (name + u' ').repeated(60) + tail;
        const QString word = QStringLiteral("x").repeated(400);
        for (const QString& text : {words, word}) {
            ModalDialogs dialogs;
            BoxInspector inspector;
            inspector.CloseWith(Qt::Key_Escape);
            dialogs.ShowError(&opener, text);
            QVERIFY(inspector.seen);
            QVERIFY(inspector.lines.size() > 1);
            QCOMPARE(inspector.lines.join(QString()), text);
            if (text == word) continue;
            for (const QString& line : inspector.lines)
                for (const QString& part : line.split(u' ', Qt::SkipEmptyParts))
                    QVERIFY2(
                        part == name || part == QStringLiteral("ファイル") || tail.contains(part),
                        qPrintable(line));
        }
    }

    void bothBoxesStandOnTheScreensCentreWithOkCentredBelowTheText_data() {
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");  // 0: more than one
        const QString words = QStringLiteral("ファイル ") +
                              QStringLiteral("board-%1.cgd ").repeated(60).arg(7) +
                              QStringLiteral("は開けません.");
        QTest::newRow("refusal") << false << QStringLiteral("その数字は入力できません。") << 1;
        QTest::newRow("name") << false << QStringLiteral("Input file name") << 1;
        QTest::newRow("error") << true << QStringLiteral("ファイル x.cgd は開けません.") << 1;
        QTest::newRow("long words") << true << words << 0;
        QTest::newRow("one long word") << false << QStringLiteral("x").repeated(400) << 0;
    }

    void bothBoxesStandOnTheScreensCentreWithOkCentredBelowTheText() {
        QFETCH(bool, error);
        QFETCH(QString, text);
        QFETCH(int, lines);
        ModalDialogs dialogs;
        BoxInspector inspector;
        inspector.CloseWith(Qt::Key_Escape);
        if (error)
            dialogs.ShowError(&opener, text);
        else
            dialogs.ShowInformation(&opener, text);
        QVERIFY(inspector.seen);
        const QRect& frame = inspector.frame;
        const QRect& area = inspector.area;
        QVERIFY2(TwiceOff(frame.x(), frame.width(), area.x(), area.width()) <= 2 &&
                     TwiceOff(frame.y(), frame.height(), area.y(), area.height()) <= 2,
                 qPrintable(QStringLiteral("box %1,%2 %3x%4 on %5,%6 %7x%8")
                                .arg(frame.x())
                                .arg(frame.y())
                                .arg(frame.width())
                                .arg(frame.height())
                                .arg(area.x())
                                .arg(area.y())
                                .arg(area.width())
                                .arg(area.height())));
        QVERIFY(TwiceOff(inspector.ok.x(), inspector.ok.width(), 0, inspector.width) <= 2);
        QVERIFY(inspector.ok.top() > inspector.textArea.bottom());
        // Wrapped at half the screen's width, and only when wider.
        const int half = inspector.screenWidth / 2;
        QVERIFY(inspector.textArea.width() <= half);
        if (lines == 1) {
            QCOMPARE(inspector.textArea.height(), inspector.lineHeight);
        } else {
            QVERIFY(inspector.textArea.width() > half * 3 / 4);
            QVERIFY(inspector.textArea.height() >= 2 * inspector.lineHeight);
        }
    }
};

QTEST_MAIN(DialogsTest)
#include "ModalDialogsTest.moc"
