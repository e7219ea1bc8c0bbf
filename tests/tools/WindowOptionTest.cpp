#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "FileBytes.h"
#include "PrivateSessionBus.h"
#include "ScratchWindow.h"
#include "app/BoardBus.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

struct ToolOutput {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

}  // namespace

// quillet-board --window against the real window, offered on a session bus of
// the test's own: the tool runs as a process of its own while the window
// answers it, and must see exactly what the window's Save would write.
class WindowOptionTest : public ScratchWindowTest {
    Q_OBJECT

    // Runs the tool on `bus`; the event loop runs meanwhile.
    static ToolOutput RunTool(PrivateSessionBus& on, const QStringList& arguments) {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), on.Address());
        tool.setProcessEnvironment(environment);
        QSignalSpy finished(&tool, &QProcess::finished);
        tool.start(QStringLiteral(QUILLET_BOARD_EXECUTABLE), arguments);
        if (!finished.wait(kEventDeadlineMs)) return {};
        return {tool.exitCode(), tool.readAllStandardOutput(), tool.readAllStandardError()};
    }

    // The text of a PDF as pdftotext reads it.
    static QByteArray TextOf(const QByteArray& pdf) {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-"), QStringLiteral("-")});
        pdftotext.write(pdf);
        pdftotext.closeWriteChannel();
        pdftotext.waitForFinished(-1);
        return pdftotext.readAllStandardOutput();
    }

    // The board saved by the window's own "Save", as the file commands read it.
    QString Saved(const QString& name = QStringLiteral("saved.cgd")) {
        form->Edit1->setText(name);
        form->Button3->click();
        return window->Path(name);
    }

private slots:
    void init() {
        bus = std::make_unique<PrivateSessionBus>();
        QVERIFY2(bus->IsRunning(), "dbus-daemon did not start");
        QVERIFY(OpenWindow(false));
        offered = std::make_unique<BoardBus>(*form, bus->Connect(QStringLiteral("window")));
        QVERIFY(offered->Offer());
    }
    void cleanup() {
        offered.reset();
        CloseWindow();
        bus.reset();
    }

    void readsTheBoardTheWindowWouldSave() {
        board().SetCell({1, 1}, "5");
        board().SetCell({4, 1}, "5");  // a clash in row 1, for check to name
        board().SetCell({9, 9}, "19");
        const QString file = Saved();
        for (const QStringList& command :
             {QStringList{QStringLiteral("show")},
              QStringList{QStringLiteral("export"), QStringLiteral("--format=pencil")},
              QStringList{QStringLiteral("check")},
              QStringList{QStringLiteral("solve"), QStringLiteral("--steps")}}) {
            const ToolOutput fromWindow =
                RunTool(*bus, command + QStringList{QStringLiteral("--window")});
            ToolOutput fromFile = RunTool(*bus, command + QStringList{file});
            QCOMPARE(fromWindow.status, fromFile.status);
            QVERIFY2(!fromWindow.out.isEmpty(), fromWindow.err.constData());
            QCOMPARE(fromWindow.out, fromFile.out.replace(QFile::encodeName(file), "window"));
        }
    }

    // print --window puts on paper what printing the saved board puts there,
    // under the window's name instead of the file's.
    void printsTheBoardTheWindowWouldSave() {
        board().SetCell({1, 1}, "5");
        board().SetCell({9, 9}, "19");
        const QString file = Saved();
        const QStringList print{QStringLiteral("print"), QStringLiteral("--candidates"),
                                QStringLiteral("-o"), QStringLiteral("-")};
        const ToolOutput fromWindow =
            RunTool(*bus, print + QStringList{QStringLiteral("--window")});
        QCOMPARE(fromWindow.status, 0);
        const ToolOutput fromFile = RunTool(*bus, print + QStringList{file});
        QCOMPARE(fromFile.status, 0);
        QVERIFY(TextOf(fromWindow.out).contains("Quillet の盤面"));
        QCOMPARE(TextOf(fromWindow.out),
                 TextOf(fromFile.out).replace("saved.cgd", "Quillet の盤面"));
    }

    // Each step of hint --apply --window does to the window's board what it
    // does to the same board's file, and "戻る" takes it back whole. The third
    // puzzle, after "OK?", takes three placements and then a strike.
    void hintAppliedInTheWindowAsToItsFileAndTakenBackWithUndo() {
        QCOMPARE(RunTool(*bus, {QStringLiteral("import"), QStringLiteral("--index=3"),
                                QStringLiteral("--propagate"), QStringLiteral("-o"),
                                window->Path(QStringLiteral("start.cgd")),
                                QStringLiteral(QUILLET_TOOL_FIXTURE_DIR "/diabolical-200.txt")})
                     .status,
                 0);
        form->Edit1->setText(QStringLiteral("start.cgd"));
        form->Button4->click();
        const QString file = Saved(QStringLiteral("steps.cgd"));
        // solve takes its steps on a copy: the window keeps its board.
        const ToolOutput solved = RunTool(
            *bus, {QStringLiteral("solve"), QStringLiteral("--steps"), QStringLiteral("--window")});
        QCOMPARE(solved.status, 0);
        QCOMPARE(solved.out,
                 RunTool(*bus, {QStringLiteral("solve"), QStringLiteral("--steps"), file}).out);
        QCOMPARE(ReadBytes(Saved(QStringLiteral("unsolved.cgd")).toStdString()),
                 ReadBytes(file.toStdString()));
        const QStringList toFile{QStringLiteral("hint"), QStringLiteral("--apply"), file};
        const QStringList inWindow{QStringLiteral("hint"), QStringLiteral("--apply"),
                                   QStringLiteral("--window")};
        QStringList kinds;
        for (int step = 1; step <= 4; ++step) {
            const std::string before = ReadBytes(file.toStdString());
            ToolOutput onFile = RunTool(*bus, toFile);
            QCOMPARE(onFile.status, 0);
            const std::string after = ReadBytes(file.toStdString());
            const ToolOutput onWindow = RunTool(*bus, inWindow);
            QCOMPARE(onWindow.status, 0);
            QCOMPARE(onWindow.out, onFile.out.replace(QFile::encodeName(file), "window"));
            kinds << (onWindow.out.contains(" Place ") ? QStringLiteral("place")
                                                       : QStringLiteral("strike"));
            QVERIFY(form->Button5->isEnabled());
            form->Button5->click();
            QCOMPARE(ReadBytes(Saved(QStringLiteral("undone.cgd")).toStdString()), before);
            QCOMPARE(RunTool(*bus, inWindow).status, 0);
            QCOMPARE(ReadBytes(Saved(QStringLiteral("window.cgd")).toStdString()), after);
        }
        QCOMPARE(kinds, (QStringList{QStringLiteral("place"), QStringLiteral("place"),
                                     QStringLiteral("place"), QStringLiteral("strike")}));
    }

    void withoutAWindowOneLineAndExitOne() {
        PrivateSessionBus empty;
        QVERIFY(empty.IsRunning());
        const ToolOutput run = RunTool(empty, {QStringLiteral("show"), QStringLiteral("--window")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QByteArray("quillet-board: no Quillet window is open\n"));
        QCOMPARE(RunTool(empty, {QStringLiteral("show"), QStringLiteral("--window"),
                                 QStringLiteral("b.cgd")})
                     .status,
                 2);
    }

private:
    std::unique_ptr<PrivateSessionBus> bus;
    std::unique_ptr<BoardBus> offered;
};

QTEST_MAIN(WindowOptionTest)
#include "WindowOptionTest.moc"
