// How soon the coach shows its step after the board changes, on hard
// puzzles, step by step along their solution:
//   quillet-bench-coach [--steps N] PUZZLES.txt
//       the advice alone (the coach's thread): every board on the way
//   quillet-bench-coach --window QUILLET QUILLET_BOARD [--steps N] PUZZLES.txt
//       the whole way, under an X display: the real main window on a
//       private session bus, the coach applying its own steps there, timed
//       from the window's Changed signal to the advice on the coach's screen
// Prints the median, the 95th percentile and the largest time, in
// milliseconds.
#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "PrivateSessionBus.h"
#include "coach/CoachWindow.h"
#include "coaching/Advice.h"
#include "drawing/Fonts.h"
#include "solving/Solver.h"

namespace {

using quillet::coaching::Advice;
using quillet::coaching::CellTexts;

std::vector<std::string> ReadPuzzles(const char* path) {
    std::vector<std::string> puzzles;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line.size() >= 81 && line[0] != '#') puzzles.push_back(line.substr(0, 81));
    return puzzles;
}

CellTexts TextsOf(const quillet::solving::Grid& grid) {
    CellTexts texts;
    for (int cell = 0; cell < quillet::kCellCount; ++cell)
        for (int d = 1; d <= 9; ++d)
            if (quillet::solving::Holds(grid.cells[cell], d)) texts[cell] += char('0' + d);
    return texts;
}

void Report(const char* what, std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s %5zu boards  median %7.2f ms  95 %% %7.2f ms  max %8.2f ms\n", what,
                ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
}

// The advice alone, on every board along each puzzle's solution.
int AdviceAlone(const std::vector<std::string>& puzzles, int steps) {
    std::vector<double> all;
    for (const std::string& puzzle : puzzles) {
        const quillet::solving::Grid given = quillet::solving::GridFromPuzzleLine(puzzle);
        quillet::solving::Grid grid = given;
        std::vector<double> times;
        for (int i = 0; i < steps; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const Advice advice = quillet::coaching::Advise(TextsOf(grid));
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            if (!advice.step) {
                times.push_back(ms);  // stuck or solved: that is shown too
                break;
            }
            // Striking the givens from their peers is what the window's
            // "OK?" has done before anyone asks the coach: not timed.
            if (!quillet::solving::ClearsAGiven(*advice.step, given)) times.push_back(ms);
            quillet::solving::ApplyStep(*advice.step, grid);
        }
        Report(puzzle.substr(0, 24).c_str(), times);
        all.insert(all.end(), times.begin(), times.end());
    }
    Report("all", all);
    return 0;
}

// Counts the window's Changed signals and stamps the latest.
class ChangeClock : public QObject {
    Q_OBJECT
public:
    QElapsedTimer since;
    bool pending = false;
public slots:
    void Changed() {
        since.start();
        pending = true;
    }
};

int WholeWay(const QString& quillet, const QString& board, const std::vector<std::string>& puzzles,
             int steps) {
    quillet::InstallFontSubstitutions();
    quillet::testing::PrivateSessionBus bus;
    QTemporaryDir scratch;
    if (!bus.IsRunning() || !scratch.isValid()) return 1;
    std::vector<double> all;
    int number = 0;
    for (const std::string& puzzle : puzzles) {
        const QString file = QDir(scratch.path()).filePath(QStringLiteral("p%1.cgd").arg(++number));
        QProcess import;
        import.start(board, {QStringLiteral("import"), QStringLiteral("--propagate"),
                             QStringLiteral("-o"), file});
        import.write(QByteArray::fromStdString(puzzle + "\n"));
        import.closeWriteChannel();
        import.waitForFinished(-1);
        QProcess window;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.Address());
        window.setProcessEnvironment(environment);
        window.start(quillet, {file});

        ChangeClock clock;
        QDBusConnection client = bus.Connect(QStringLiteral("clock%1").arg(number));
        client.connect(QString(), QStringLiteral("/io/github/quillet/quillet/Board"),
                       QStringLiteral(QUILLET_APP_ID ".Board"), QStringLiteral("Changed"), &clock,
                       SLOT(Changed()));
        quillet::coach::CoachWindow coach(bus.Connect(QStringLiteral("coach%1").arg(number)));
        coach.show();
        std::vector<double> times;
        QEventLoop loop;
        QObject::connect(&coach, &quillet::coach::CoachWindow::AdviceShown, &loop, [&] {
            if (clock.pending) times.push_back(clock.since.nsecsElapsed() / 1e6);
            clock.pending = false;
            const auto shown = coach.Shown();
            if (!shown->step || static_cast<int>(times.size()) >= steps) {
                loop.quit();
                return;
            }
            coach.Apply(*shown->step);
        });
        QTimer::singleShot(10 * 60 * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        window.terminate();
        window.waitForFinished();
        Report(puzzle.substr(0, 24).c_str(), times);
        all.insert(all.end(), times.begin(), times.end());
    }
    Report("all, Changed to the advice shown", all);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    int steps = 400;
    QString quillet, board;
    if (arguments.value(0) == QStringLiteral("--window") && arguments.size() >= 3) {
        quillet = arguments[1];
        board = arguments[2];
        arguments = arguments.mid(3);
    }
    if (arguments.value(0) == QStringLiteral("--steps") && arguments.size() >= 2) {
        steps = arguments[1].toInt();
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 1) {
        std::fputs(
            "usage: quillet-bench-coach [--window QUILLET QUILLET_BOARD] [--steps N] "
            "PUZZLES.txt\n",
            stderr);
        return 2;
    }
    const std::vector<std::string> puzzles = ReadPuzzles(arguments[0].toLocal8Bit().constData());
    return quillet.isEmpty() ? AdviceAlone(puzzles, steps)
                             : WholeWay(quillet, board, puzzles, steps);
}

#include "CoachLatency.moc"
