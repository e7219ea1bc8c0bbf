#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "PrivateSessionBus.h"
#include "coach/CoachWindow.h"
#include "drawing/Fonts.h"
#include "files/BoardFileIo.h"

namespace quillet::coach {
namespace {

using testing::kEventDeadlineMs;
using Cells = QList<QByteArray>;

// Where "戻る" stands in the main window, whose layout is fixed.
constexpr int kUndoX = 480 + 24;
constexpr int kUndoY = 36 + 12;

Cells FileCells(const QString& path) {
    const std::string bytes = QFile::encodeName(path).toStdString();
    Cells cells;
    for (const std::string& line : ReadBoardFile(bytes, bytes))
        cells.append(QByteArray(line.data(), static_cast<qsizetype>(line.size())));
    return cells.mid(0, kCellCount);
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kEventDeadlineMs)) return QStringLiteral("(did not finish)");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool SameStep(const solving::Step& a, const solving::Step& b) {
    return a.technique == b.technique && a.placeCell == b.placeCell &&
           a.placeDigit == b.placeDigit && a.strikes == b.strikes;
}

}  // namespace

// The real main window (its own process, on this test's bus and X display)
// and the real coach (in this process), used as a person would: 適用 in the
// coach, 戻る in the window, the window's box answered.
class CoachWithWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qDBusRegisterMetaType<Cells>();
        InstallFontSubstitutions();
    }
    void init() {
        bus = std::make_unique<testing::PrivateSessionBus>();
        QVERIFY2(bus->IsRunning(), "dbus-daemon did not start");
        client = bus->Connect(QStringLiteral("client"));
        QVERIFY(scratch.isValid());
    }
    void cleanup() {
        coach.reset();
        if (window.state() != QProcess::NotRunning) {
            window.terminate();
            if (!window.waitForFinished(kEventDeadlineMs)) window.kill();
            window.waitForFinished(kEventDeadlineMs);
        }
        bus.reset();
    }

    void withoutAWindowItSaysSoAndFollowsTheOneThatOpens() {
        coach = std::make_unique<CoachWindow>(bus->Connect(QStringLiteral("coach")));
        coach->show();
        auto* message = coach->findChild<QLabel*>(QStringLiteral("noWindow"));
        QTRY_COMPARE_WITH_TIMEOUT(message->text(),
                                  QStringLiteral("Quillet のウィンドウが開いていません。"),
                                  kEventDeadlineMs);
        QVERIFY(message->isVisible());
        QVERIFY(!coach->findChild<QPushButton*>(QStringLiteral("apply"))->isVisible());
        // The window appears on the bus later; the coach takes it up then.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus->Address());
        window.setProcessEnvironment(environment);
        window.start(QStringLiteral(QUILLET_EXECUTABLE),
                     {Copy(QStringLiteral("coach-wing.cgd"), QStringLiteral("w.cgd"))});
        QTRY_VERIFY_WITH_TIMEOUT(coach->Shown() && coach->Shown()->step, kEventDeadlineMs);
        QCOMPARE(coach->Shown()->step->technique, solving::Technique::kXYWing);
        QVERIFY(coach->findChild<QPushButton*>(QStringLiteral("apply"))->isVisible());
        // And lets it go when it closes.
        window.terminate();
        QTRY_VERIFY_WITH_TIMEOUT(message->isVisible(), kEventDeadlineMs);
    }

    void stepsAppliedFromTheCoachAreTheToolsAndUndoRestores_data() {
        QTest::addColumn<QString>("board");
        QTest::newRow("placement") << QStringLiteral("coach-single.cgd");
        QTest::newRow("elimination") << QStringLiteral("coach-wing.cgd");
    }
    void stepsAppliedFromTheCoachAreTheToolsAndUndoRestores() {
        QFETCH(QString, board);
        const QString opened = Copy(board, QStringLiteral("opened.cgd"));
        const QString byTool = Copy(board, QStringLiteral("by-tool.cgd"));
        const Cells before = FileCells(opened);
        StartWindowAndCoach(opened);
        if (QTest::currentTestFailed()) return;
        const solving::Step first = *coach->Shown()->step;
        QCOMPARE(board == QStringLiteral("coach-single.cgd"), first.placeCell >= 0);

        Run(QStringLiteral(QUILLET_BOARD_EXECUTABLE),
            {QStringLiteral("hint"), QStringLiteral("--apply"), byTool});
        const Cells expected = FileCells(byTool);
        QVERIFY(expected != before);
        // The board the coach thinks ahead about is the one the window reaches.
        coaching::CellTexts foreseen;
        for (int k = 0; k < kCellCount; ++k) foreseen[k] = before[k].toStdString();
        foreseen = coaching::CellsAfter(foreseen, first);
        for (int k = 0; k < kCellCount; ++k)
            QCOMPARE(QByteArray::fromStdString(foreseen[k]), expected[k]);
        QTest::mouseClick(coach->findChild<QPushButton*>(QStringLiteral("apply")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(WindowCells(), expected, kEventDeadlineMs);
        // The coach has followed: its advice is for the new board.
        QTRY_VERIFY_WITH_TIMEOUT(coach->Shown() && !SameStep(*coach->Shown()->step, first),
                                 kEventDeadlineMs);
        QTRY_COMPARE_WITH_TIMEOUT(Status(), QString(), kEventDeadlineMs);

        // Raised first: the window manager may have placed the coach over it.
        Xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), mainWindow,
                 QStringLiteral("mousemove"), QStringLiteral("--window"), mainWindow,
                 QString::number(kUndoX), QString::number(kUndoY), QStringLiteral("click"),
                 QStringLiteral("1")});
        QTRY_COMPARE_WITH_TIMEOUT(WindowCells(), before, kEventDeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(coach->Shown() && SameStep(*coach->Shown()->step, first),
                                 kEventDeadlineMs);
    }

    // A net's proof is shown a case at a time: its supposition, then with
    // "次の場合" its conclusion. The board keeps its size whatever the text,
    // and no text at the default size needs scrolling; in a small window the
    // text stays below the board.
    void aNetIsShownPartByPartAndTheBoardKeepsItsSize() {
        StartWindowAndCoach(Copy(QStringLiteral("coach-net.cgd"), QStringLiteral("n.cgd")));
        if (QTest::currentTestFailed()) return;
        QCOMPARE(coach->Shown()->step->technique, solving::Technique::kForcingNets);
        auto* nextCase = coach->findChild<QPushButton*>(QStringLiteral("nextCase"));
        auto* board = coach->findChild<QWidget*>(QStringLiteral("board"));
        auto* area = coach->findChild<QScrollArea*>(QStringLiteral("explanationArea"));
        auto* explanation = coach->findChild<QLabel*>(QStringLiteral("explanation"));
        QVERIFY(nextCase->isVisible() && nextCase->isEnabled());
        const QRect boardBefore = board->geometry();
        const std::size_t parts = coach->Shown()->parts.size();
        for (std::size_t part = 0; part < parts; ++part) {
            QCOMPARE(coach->PartShown(), part);
            QCOMPARE(explanation->text().toStdString(), coach->Shown()->parts[part].explanation);
            QVERIFY(explanation->heightForWidth(area->viewport()->width()) <=
                    area->viewport()->height());
            QCOMPARE(board->geometry(), boardBefore);
            if (part + 1 < parts) QTest::mouseClick(nextCase, Qt::LeftButton);
        }
        QVERIFY(!nextCase->isEnabled());

        // The longest part of any step of the fixtures fits as well.
        for (const std::string& text : LongestExplanations()) {
            explanation->setText(QString::fromStdString(text));
            QVERIFY2(explanation->heightForWidth(area->viewport()->width()) <=
                         area->viewport()->height(),
                     text.c_str());
        }
        coach->resize(360, 420);
        QTRY_VERIFY_WITH_TIMEOUT(coach->width() <= 400, kEventDeadlineMs);
        QVERIFY(area->geometry().top() >= board->geometry().bottom());
    }

    void aRefusedPlacementShowsTheWindowsBoxAndTheCoachSaysSo() {
        const QString opened = Copy(QStringLiteral("coach-single.cgd"), QStringLiteral("o.cgd"));
        const Cells before = FileCells(opened);
        StartWindowAndCoach(opened);
        if (QTest::currentTestFailed()) return;
        // A step found on an older board: its digit has gone from the cell.
        solving::Step stale;
        for (int cell = 0; cell < kCellCount && stale.placeCell < 0; ++cell) {
            if (before[cell].size() < 2) continue;
            for (int d = 1; d <= 9 && stale.placeCell < 0; ++d) {
                if (!before[cell].contains(static_cast<char>('0' + d))) {
                    stale.placeCell = cell;
                    stale.placeDigit = d;
                }
            }
        }
        QVERIFY(stale.placeCell >= 0);
        coach->Apply(stale);
        QString box;
        QTRY_VERIFY_WITH_TIMEOUT(!(box = OtherWindow()).isEmpty(), kEventDeadlineMs);
        QCOMPARE(Status(), QStringLiteral("メインウィンドウで適用しています…"));
        // The box answers Return as a person presses it: focused, then the
        // key down and up on the keyboard.
        Xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), box,
                 QStringLiteral("key"), QStringLiteral("Return")});
        QTRY_COMPARE_WITH_TIMEOUT(
            Status(), QStringLiteral("メインウィンドウが受け付けませんでした。"), kEventDeadlineMs);
        QCOMPARE(WindowCells(), before);
        QVERIFY(coach->findChild<QPushButton*>(QStringLiteral("apply"))->isEnabled());
    }

private:
    // The longest words the coach says at once on the steps of a few hard
    // puzzles: a few of each technique's.
    static std::vector<std::string> LongestExplanations() {
        std::vector<std::string> longest;
        for (const char* puzzle :
             {"..3.....1.....3.....87.593673.8.....6.......7.....6.133176.98.....4.....8.....3..",
              ".91.6.....4...896....9..7.....41...9.6.7.9.1.1...83.....4..5....261...5.....7."
              "43."}) {
            solving::Grid grid = solving::GridFromPuzzleLine(puzzle);
            for (int n = 0; n < 100; ++n) {
                coaching::CellTexts texts;
                for (int cell = 0; cell < kCellCount; ++cell)
                    for (int d = 1; d <= 9; ++d)
                        if (solving::Holds(grid.cells[cell], d)) texts[cell] += char('0' + d);
                const coaching::Advice advice = coaching::Advise(texts);
                if (!advice.step) break;
                for (const coaching::AdvicePart& part : advice.parts)
                    if (part.explanation.size() > 300) longest.push_back(part.explanation);
                solving::ApplyStep(*advice.step, grid);
            }
        }
        return longest;
    }

    QString Copy(const QString& fixture, const QString& name) {
        const QString path = QDir(scratch.path()).filePath(name);
        QFile::remove(path);
        QFile::copy(QStringLiteral(QUILLET_FIXTURE_DIR "/") + fixture, path);
        return path;
    }

    // The window on the test's bus with the board, and the coach showing a
    // step for it.
    void StartWindowAndCoach(const QString& file) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus->Address());
        window.setProcessEnvironment(environment);
        window.start(QStringLiteral(QUILLET_EXECUTABLE), {file});
        QVERIFY(window.waitForStarted(kEventDeadlineMs));
        coach = std::make_unique<CoachWindow>(bus->Connect(QStringLiteral("coach")));
        coach->show();
        const Cells cells = FileCells(file);
        QTRY_VERIFY_WITH_TIMEOUT(coach->Shown() && coach->Shown()->step && WindowCells() == cells,
                                 kEventDeadlineMs);
        mainWindow = Xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                              QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                              QString::number(window.processId())})
                         .section(u'\n', 0, 0);
        QVERIFY(!mainWindow.isEmpty());
    }

    // A visible window of the main program besides its main window.
    QString OtherWindow() {
        const QStringList ids =
            Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--pid"), QString::number(window.processId())})
                .split(u'\n', Qt::SkipEmptyParts);
        for (const QString& id : ids)
            if (id != mainWindow) return id;
        return {};
    }

    Cells WindowCells() {
        QDBusMessage get = QDBusMessage::createMethodCall(
            QStringLiteral(QUILLET_APP_ID), QStringLiteral("/io/github/quillet/quillet/Board"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get.setArguments({QStringLiteral(QUILLET_APP_ID ".Board"), QStringLiteral("Cells")});
        const QDBusMessage reply = client.call(get, QDBus::Block, kEventDeadlineMs);
        if (reply.type() != QDBusMessage::ReplyMessage) return {};
        return qdbus_cast<Cells>(reply.arguments().value(0).value<QDBusVariant>().variant());
    }

    QString Status() const { return coach->findChild<QLabel*>(QStringLiteral("status"))->text(); }

    static QString Xdotool(const QStringList& arguments) {
        return Run(QStringLiteral("xdotool"), arguments);
    }

    std::unique_ptr<testing::PrivateSessionBus> bus;
    QDBusConnection client{QString()};
    QTemporaryDir scratch;
    QProcess window;
    QString mainWindow;
    std::unique_ptr<CoachWindow> coach;
};

}  // namespace quillet::coach

QTEST_MAIN(quillet::coach::CoachWithWindowTest)
#include "CoachWithWindowTest.moc"
