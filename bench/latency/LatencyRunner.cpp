// Click-to-paint latency of the main window's commands:
//     quillet-bench-latency --program PATH [--samples N] [--only TEXT] [--session-bus 0|1]
// Starts the program under a private X server in a directory of prepared
// board files, drives it with synthetic input (XTest) and times each command
// from the input event to the last drawing of its repaint that the X server
// reports (X Damage), once the screen has stayed still for a while. Prints
// the median and the 99th percentile of each command as table rows.

#include <cstdio>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/BoardText.h"
#include "harness/Options.h"
#include "harness/Process.h"
#include "harness/Rows.h"
#include "harness/Runner.h"
#include "harness/Stats.h"
#include "latency/PreparedBoards.h"
#include "x11/BenchDisplay.h"
#include "x11/MainWindowDriver.h"

namespace quillet::bench {
namespace {

// A command's repaint is over once nothing has been drawn for this long.
constexpr int kQuietMs = 150;
constexpr double kTargetP99Ms = 8.0;

constexpr int kMenuItems = 10;
constexpr int kMenuAll = 9;

// The main window's driver with the pop-up menu and the checks on windows
// that come and go.
class Driver : public MainWindowDriver {
public:
    Driver(XSession& x, const Showing& main) : MainWindowDriver(x, main, kQuietMs) {}

    // The name box must hold the board's name.
    void Reload() { Click(At(kLoad)); }

    // Opens the pop-up menu with a right press on the cell and returns it.
    Showing OpenMenu(int col, int row) {
        const Point p = Cell(col, row);
        Hover(p);
        const TimePoint pressed = Clock::now();
        Session().Press(3);
        Session().Release(3);
        std::optional<Showing> menu;
        Session().WaitFor([&] { return (menu = NewestOther(pressed)).has_value(); },
                          kCommandTimeoutMs);
        if (!menu || !Session().IsMapped(menu->window))
            throw std::runtime_error("the pop-up menu did not open, or did not stay open");
        Settle();
        return *menu;
    }

    Point MenuItem(const Showing& menu, int index) const {
        return {menu.rect.CentreX(),
                menu.rect.y + (2 * index + 1) * menu.rect.height / (2 * kMenuItems)};
    }

    // No window but the main one is open, and since `since` none but
    // `expected` (the pop-up menu that the command closed) has shown, not
    // even briefly.
    void ExpectOnlyMainWindow(const std::string& after, TimePoint since,
                              unsigned long expected = 0) const {
        auto unexpected = [&](const Showing& w) {
            return w.window != Main().window && w.window != expected;
        };
        for (const auto& list : {Session().MappedWindows(), Session().ShowingsSince(since)})
            for (const Showing& w : list)
                if (unexpected(w))
                    throw std::runtime_error(
                        "an unexpected window (" + std::to_string(w.rect.width) + "x" +
                        std::to_string(w.rect.height) + ") showed after " + after);
    }
};

struct Command {
    std::string figure;
    // Puts the board in place and returns the timed latency of one run.
    std::function<double(Driver&, int sample)> run;
    // The board file the command's preparation loads, typed once.
    std::string board;
};

std::vector<Command> Commands() {
    std::vector<Command> commands;
    // Cells of the puzzle board to press in turn: givens, and open cells.
    static const auto cells = [](bool givens) {
        std::vector<std::pair<int, int>> found;
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 9; ++r)
                if (IsGiven(c, r) == givens) found.emplace_back(c, r);
        return found;
    };
    static const std::vector<std::pair<int, int>> givens = cells(true);
    static const std::vector<std::pair<int, int>> opens = cells(false);
    auto given = [](int sample) { return givens[sample % givens.size()]; };
    auto open = [](int sample) { return opens[(sample * 7) % opens.size()]; };

    commands.push_back({"grid press placing a digit",
                        [=](Driver& d, int s) {
                            d.Reload();
                            return d.Timed(d.Cell(given(s).first, given(s).second));
                        },
                        "puzzle.cgd"});
    commands.push_back({"決定",
                        [=](Driver& d, int s) {
                            d.Reload();
                            d.Click(d.Cell(open(s).first, open(s).second));
                            return d.Timed(d.At(kDecide));
                        },
                        "puzzle.cgd"});
    for (int digit = 1; digit <= 9; ++digit) {
        commands.push_back({"pop-up &" + std::to_string(digit),
                            [=](Driver& d, int s) {
                                d.Reload();
                                const Showing menu = d.OpenMenu(open(s).first, open(s).second);
                                const double ms = d.Timed(d.MenuItem(menu, digit - 1));
                                d.ExpectOnlyMainWindow("a pop-up digit", d.LastStart(),
                                                       menu.window);
                                return ms;
                            },
                            "puzzle.cgd"});
    }
    commands.push_back({"pop-up &All",
                        [=](Driver& d, int s) {
                            d.Reload();
                            const Showing menu = d.OpenMenu(given(s).first, given(s).second);
                            const double ms = d.Timed(d.MenuItem(menu, kMenuAll));
                            d.ExpectOnlyMainWindow("&All", d.LastStart(), menu.window);
                            return ms;
                        },
                        "puzzle.cgd"});
    commands.push_back({"全初期化",
                        [](Driver& d, int) {
                            d.Reload();
                            return d.Timed(d.At(kResetAll));
                        },
                        "solved.cgd"});
    commands.push_back({"戻る",
                        [=](Driver& d, int s) {
                            d.Reload();
                            d.Click(d.Cell(given(s).first, given(s).second));
                            return d.Timed(d.At(kBack));
                        },
                        "puzzle.cgd"});
    commands.push_back({"解1 (nine boxes)",
                        [](Driver& d, int) {
                            d.Reload();
                            return d.Timed(d.At(kBoxAid));
                        },
                        "fives.cgd"});
    commands.push_back({"解2",
                        [](Driver& d, int) {
                            d.Reload();
                            return d.Timed(d.At(kLinesAid));
                        },
                        "fives.cgd"});
    commands.push_back({"OK? (81 cells, to the picture)",
                        [](Driver& d, int) {
                            d.Reload();
                            const double ms = d.Timed(d.At(kCheck), 1, true);
                            const std::optional<Showing> picture = d.NewestOther(d.LastStart());
                            if (!picture || !d.Session().IsMapped(picture->window))
                                throw std::runtime_error("OK? on a solved board showed no picture");
                            const Rect hit = d.Session().LargestShapeRect(*picture);
                            const TimePoint closing = Clock::now();
                            d.Click({hit.CentreX(), hit.CentreY()});
                            d.Session().WaitFor(
                                [&] { return !d.Session().IsMapped(picture->window); },
                                kCommandTimeoutMs);
                            d.ExpectOnlyMainWindow("closing the picture", closing);
                            d.Settle();
                            return ms;
                        },
                        "solved.cgd"});
    commands.push_back({"Save", [](Driver& d, int) { return d.Timed(d.At(kSave)); }, "saved.cgd"});
    commands.push_back({"Load", [](Driver& d, int) { return d.Timed(d.At(kLoad)); }, "puzzle.cgd"});
    return commands;
}

void WriteBoard(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    out << JoinBoardText(lines);
    if (!out) throw std::runtime_error("cannot write " + path);
}

int Run(int argc, char** argv) {
    std::string program;
    std::string only;
    int samples = 20;
    int sessionBus = 0;
    RunnerOptions(
        "quillet-bench-latency --program PATH [--samples N] [--only TEXT] [--session-bus 0|1]")
        .Path("--program", program)
        .Number("--samples", samples, 1)
        .Text("--only", only)
        .Number("--session-bus", sessionBus, 0)
        .Parse(argc, argv);

    BenchDisplay display("quillet-bench-latency", sessionBus != 0);
    XSession& x = display.x;
    const std::string& workDir = display.workDir;
    WriteBoard(workDir + "/solved.cgd", SolvedBoard());
    WriteBoard(workDir + "/puzzle.cgd", PuzzleBoard());
    WriteBoard(workDir + "/fives.cgd", HiddenFivesBoard());

    ChildProcess quillet;
    const std::string log = display.scratch.Path() + "/program.log";
    const TimePoint start = Clock::now();
    quillet.Start({program}, display.environment, workDir, log);
    const std::optional<Showing> main = WaitForMainWindow(x, start, false);
    if (!main || !x.IsMapped(main->window))
        throw std::runtime_error("the main window did not show; see " + log);
    Driver driver(x, *main);
    driver.Settle(300);

    for (const Command& command : Commands()) {
        if (command.figure.find(only) == std::string::npos) continue;
        driver.TypeFileName(command.board);
        std::vector<double> ms;
        for (int s = 0; s < samples; ++s) {
            if (!quillet.Running() || quillet.Poll())
                throw std::runtime_error("the program ended; see " + log);
            ms.push_back(command.run(driver, s));
        }
        std::fprintf(stderr, "  %-32s min %6.2f  median %6.2f  max %6.2f ms\n",
                     command.figure.c_str(), Quantile(ms, 0), Median(ms), Quantile(ms, 1));
        PrintRow("click to paint: " + command.figure, "ms", Median(ms), Quantile(ms, 0.99), -1,
                 "p99", kTargetP99Ms);
    }
    // Ended as a user ends it, so that a profiler wrapped around it can finish.
    const Point end = driver.At(kEnd);
    x.Click(end.x, end.y);
    quillet.WaitOrKill(10000);
    return 0;
}

}  // namespace
}  // namespace quillet::bench

int main(int argc, char** argv) {
    return quillet::bench::RunnerMain("quillet-bench-latency",
                                      [&] { return quillet::bench::Run(argc, argv); });
}
