// The main window in a directory of many board files, against an empty one:
//     quillet-bench-directory --program PATH [--runs N] [--boards N] [--others N]
// Starts the program under a private X server in each directory in turn and
// times from just before the start to the first drawing into its main window,
// then a Save (which re-reads the list) and a Load of a listed name typed in
// capitals, each from the click to the last drawing of its repaint, then
// clicks on the board while another program creates a burst of files in the
// directory, each from the press to the first drawing in the clicked cell,
// and takes the program's peak resident size. Prints one table row per
// figure.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "harness/Options.h"
#include "harness/Process.h"
#include "harness/Rows.h"
#include "harness/Runner.h"
#include "harness/Stats.h"
#include "x11/BenchDisplay.h"
#include "x11/MainWindowDriver.h"

namespace quillet::bench {
namespace {

// Long enough that a command drawing nothing while it works (the pressed
// button is drawn at once) is still timed to its repaint.
constexpr int kQuietMs = 1000;
// The board loaded by name: stored with a capital, typed all in capitals.
constexpr const char* kLoadedBoard = "Board-000042.cgd";
constexpr const char* kTypedName = "BOARD-000042.CGD";

struct Options {
    std::string program;
    int runs = 5;
    int boards = 100000;
    int others = 50000;
    int burst = 10000;
};

struct Sample {
    double firstPaintMs = 0;
    double saveMs = 0;
    double loadMs = 0;
    // The slowest click of those made during the burst.
    double burstClickMs = 0;
    int burstClicks = 0;
    double peakResidentMiB = 0;
};

void Touch(const std::string& path, const std::string& bytes = {}) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + path);
    const bool written =
        ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (::close(fd) != 0 || !written) throw std::runtime_error("cannot write " + path);
}

// Boards named "Board-NNNNNN.cgd" and other files named "note-NNNNNN.txt".
void Fill(const std::string& dir, int boards, int others) {
    char name[64];
    for (int i = 0; i < boards; ++i) {
        std::snprintf(name, sizeof name, "/Board-%06d.cgd", i);
        Touch(dir + name);
    }
    for (int i = 0; i < others; ++i) {
        std::snprintf(name, sizeof name, "/note-%06d.txt", i);
        Touch(dir + name);
    }
    std::string fresh;
    for (int i = 0; i < 81; ++i) fresh += "123456789\r\n";
    Touch(dir + "/" + kLoadedBoard, fresh);
}

std::string BurstName(const std::string& dir, int i) {
    char name[64];
    std::snprintf(name, sizeof name, "/burst-%06d.cgd", i);
    return dir + name;
}

// Clicks board cells in turn while `count` files are created in `dir` as fast
// as another program can; each click is timed from the press to the first
// drawing in its cell. Fills in the slowest and the number of clicks.
void ClickDuringBurst(MainWindowDriver& window, const std::string& dir, int count, Sample& sample) {
    XSession& x = window.Session();
    std::atomic<bool> done{false};
    std::thread creator([&] {
        for (int i = 0; i < count; ++i) Touch(BurstName(dir, i));
        done = true;
    });
    try {
        for (int k = 0; !done || k == 0; ++k) {
            const Point centre = window.Cell(1 + k % 9, 1 + (k / 9) % 9);
            x.WatchArea({centre.x - 18, centre.y - 18, 36, 36});
            x.MovePointer(centre.x, centre.y);
            const TimePoint pressed = Clock::now();
            x.Click(centre.x, centre.y);
            if (!x.WaitFor([&] { return x.LastDamageInArea() >= pressed; }, kCommandTimeoutMs))
                throw std::runtime_error("a click on the board drew nothing");
            sample.burstClickMs =
                std::max(sample.burstClickMs, MillisBetween(pressed, *x.LastDamageInArea()));
            ++sample.burstClicks;
        }
    } catch (...) {
        creator.join();
        throw;
    }
    creator.join();
}

Sample RunOnce(XSession& x, const Options& options, const std::vector<std::string>& env,
               const std::string& workDir, const std::string& log) {
    x.ReadEvents(0);
    ChildProcess child;
    const TimePoint start = Clock::now();
    child.Start({options.program}, env, workDir, log);
    const std::optional<Showing> main = WaitForMainWindow(x, start, true);
    if (!main) {
        child.WaitOrKill(0);
        throw std::runtime_error(options.program + " showed no painted main window; see " + log);
    }
    const TimePoint painted = *main->firstDrawing;
    MainWindowDriver window(x, *main, kQuietMs);
    Sample sample;
    sample.firstPaintMs = MillisBetween(start, painted);
    window.Settle();
    window.TypeFileName("saved");
    sample.saveMs = window.Timed(window.At(kSave));
    window.TypeFileName(kTypedName);
    sample.loadMs = window.Timed(window.At(kLoad));
    ClickDuringBurst(window, workDir, options.burst, sample);
    window.Settle();
    window.Click(window.At(kEnd));
    sample.peakResidentMiB = child.WaitOrKill(10000).peakResidentKiB / 1024.0;
    ::unlink((workDir + "/saved.cgd").c_str());
    for (int i = 0; i < options.burst; ++i) ::unlink(BurstName(workDir, i).c_str());
    WaitForEmptyScreen(x);
    return sample;
}

Options Parse(int argc, char** argv) {
    Options o;
    RunnerOptions(
        "quillet-bench-directory --program PATH [--runs N] [--boards N] [--others N] [--burst N]")
        .Path("--program", o.program)
        .Number("--runs", o.runs, 1)
        .Number("--boards", o.boards, 0)
        .Number("--others", o.others, 0)
        .Number("--burst", o.burst, 0)
        .Parse(argc, argv);
    return o;
}

int Run(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    BenchDisplay display("quillet-bench-directory");
    XSession& x = display.x;
    const std::vector<std::string>& env = display.environment;
    const std::string log = display.scratch.Path() + "/programs.log";
    const std::string empty = display.scratch.Subdirectory("empty");
    const std::string full = display.scratch.Subdirectory("full");
    Fill(empty, 0, 0);
    std::fprintf(stderr, "  writing %d boards and %d other files...\n", options.boards,
                 options.others);
    Fill(full, options.boards, options.others);

    std::vector<Sample> emptyRuns;
    std::vector<Sample> fullRuns;
    // One warm-up of each, then alternating so that drift favours neither.
    for (int i = -1; i < options.runs; ++i) {
        for (int k = 0; k < 2; ++k) {
            const bool inFull = (k == 0) == (i % 2 == 0);
            const Sample s = RunOnce(x, options, env, inFull ? full : empty, log);
            std::fprintf(stderr,
                         "  %s %-5s first paint %7.1f ms, Save %6.1f ms, Load %6.1f ms, "
                         "slowest of %d clicks in the burst %6.1f ms, peak RSS %6.1f MiB\n",
                         i < 0 ? "warmup" : "run   ", inFull ? "full" : "empty", s.firstPaintMs,
                         s.saveMs, s.loadMs, s.burstClicks, s.burstClickMs, s.peakResidentMiB);
            if (i >= 0) (inFull ? fullRuns : emptyRuns).push_back(s);
        }
    }
    const std::string of = " (" + std::to_string(options.boards) + " boards, " +
                           std::to_string(options.others) + " others)";
    const auto row = [&](const std::string& figure, const std::string& unit, double Sample::*field,
                         bool againstEmpty, const std::string& kind, double target) {
        const std::vector<double> v = Field(fullRuns, field);
        PrintRow(figure + of, unit, Median(v), Quantile(v, 0.99),
                 againstEmpty ? Median(Field(emptyRuns, field)) : -1, kind, target);
    };
    row("start to first paint", "ms", &Sample::firstPaintMs, true, "over", 150);
    row("Save with the list re-read", "ms", &Sample::saveMs, true, "median", 150);
    row("Load of a name typed in capitals", "ms", &Sample::loadMs, true, "median", 50);
    row("slowest click to paint during a burst of " + std::to_string(options.burst) + " new files",
        "ms", &Sample::burstClickMs, true, "median", 100);
    row("peak resident memory", "MiB", &Sample::peakResidentMiB, true, "over", 30);
    return 0;
}

}  // namespace
}  // namespace quillet::bench

int main(int argc, char** argv) {
    return quillet::bench::RunnerMain("quillet-bench-directory",
                                      [&] { return quillet::bench::Run(argc, argv); });
}
