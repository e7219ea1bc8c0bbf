// The main window in a directory of many board files, against an empty one:
//     quillet-bench-directory --program PATH [--runs N] [--boards N] [--others N]
// Starts the program under a private X server in each directory in turn and
// times from just before the start to the first drawing into its main window,
// then a Save (which re-reads the list) and a Load of a listed name typed in
// capitals, each from the click to the last drawing of its repaint, and takes
// the program's peak resident size. Prints one table row per figure.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "xlib/Process.h"
#include "xlib/Rows.h"
#include "xlib/Runner.h"
#include "xlib/Scratch.h"
#include "xlib/Stats.h"
#include "xlib/XSession.h"
#include "xlib/XvfbServer.h"

namespace quillet::bench {
namespace {

constexpr int kMainWidth = 534;
constexpr int kMainHeight = 416;
constexpr int kStartTimeoutMs = 30000;
constexpr int kCommandTimeoutMs = 10000;
// Long enough that a command drawing nothing while it works (the pressed
// button is drawn at once) is still timed to its repaint.
constexpr int kQuietMs = 1000;
constexpr int kSettleMs = 80;
constexpr Rect kSave{424, 356, 49, 25};
constexpr Rect kLoad{480, 356, 49, 25};
constexpr Rect kFileName{424, 328, 105, 24};
constexpr Rect kEnd{424, 384, 105, 25};
// The board loaded by name: stored with a capital, typed all in capitals.
constexpr const char* kLoadedBoard = "Board-000042.cgd";
constexpr const char* kTypedName = "BOARD-000042.CGD";

struct Options {
    std::string program;
    int runs = 5;
    int boards = 100000;
    int others = 50000;
};

struct Sample {
    double firstPaintMs = 0;
    double saveMs = 0;
    double loadMs = 0;
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

class Window {
public:
    Window(XSession& x, const Showing& main) : x_(x), main_(main) {}

    void Settle() {
        if (!x_.WaitQuiet(Clock::now(), kSettleMs, kCommandTimeoutMs)) x_.ReadEvents(0);
    }
    void Click(const Rect& control) {
        Hover(control);
        x_.Click(X(control), Y(control));
        Settle();
    }
    void TypeFileName(const std::string& name) {
        Click(kFileName);
        x_.Key("a", true);
        x_.TypeText(name);
        Settle();
    }
    // From the click to the last drawing of the repaint.
    double Timed(const Rect& control) {
        Hover(control);
        const TimePoint start = Clock::now();
        x_.Click(X(control), Y(control));
        const auto last = x_.WaitQuiet(start, kQuietMs, kCommandTimeoutMs);
        if (!last) throw std::runtime_error("a command drew nothing, or never stopped drawing");
        return MillisBetween(start, *last);
    }

private:
    int X(const Rect& control) const { return main_.rect.x + control.CentreX(); }
    int Y(const Rect& control) const { return main_.rect.y + control.CentreY(); }
    void Hover(const Rect& control) {
        x_.MovePointer(X(control), Y(control));
        Settle();
    }

    XSession& x_;
    Showing main_;
};

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
    Window window(x, *main);
    Sample sample;
    sample.firstPaintMs = MillisBetween(start, painted);
    window.Settle();
    window.TypeFileName("saved");
    sample.saveMs = window.Timed(kSave);
    window.TypeFileName(kTypedName);
    sample.loadMs = window.Timed(kLoad);
    window.Click(kEnd);
    sample.peakResidentMiB = child.WaitOrKill(10000).peakResidentKiB / 1024.0;
    ::unlink((workDir + "/saved.cgd").c_str());
    x.WaitFor([&] { return x.MappedWindows().empty(); }, 5000);
    x.WaitQuiet(Clock::now(), 50, 2000);
    return sample;
}

std::vector<double> Figure(const std::vector<Sample>& samples, double Sample::*field) {
    std::vector<double> v;
    for (const Sample& s : samples) v.push_back(s.*field);
    return v;
}

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--program")
            o.program = AbsolutePath(value);
        else if (key == "--runs")
            o.runs = std::max(1, std::atoi(value.c_str()));
        else if (key == "--boards")
            o.boards = std::max(0, std::atoi(value.c_str()));
        else if (key == "--others")
            o.others = std::max(0, std::atoi(value.c_str()));
        else
            throw std::runtime_error("unknown option " + key);
    }
    if (o.program.empty())
        throw std::runtime_error(
            "usage: quillet-bench-directory --program PATH [--runs N] [--boards N] [--others N]");
    return o;
}

int Run(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    ScratchDirectory scratch("quillet-bench-directory");
    const std::string log = scratch.Path() + "/programs.log";
    const std::string empty = scratch.Subdirectory("empty");
    const std::string full = scratch.Subdirectory("full");
    Fill(empty, 0, 0);
    std::fprintf(stderr, "  writing %d boards and %d other files...\n", options.boards,
                 options.others);
    Fill(full, options.boards, options.others);
    XvfbServer server(scratch.Path() + "/xvfb.log");
    XSession x(server.DisplayName());
    const std::vector<std::string> env = ProgramEnvironment(server.DisplayName(), scratch);

    std::vector<Sample> emptyRuns;
    std::vector<Sample> fullRuns;
    // One warm-up of each, then alternating so that drift favours neither.
    for (int i = -1; i < options.runs; ++i) {
        for (int k = 0; k < 2; ++k) {
            const bool inFull = (k == 0) == (i % 2 == 0);
            const Sample s = RunOnce(x, options, env, inFull ? full : empty, log);
            std::fprintf(stderr,
                         "  %s %-5s first paint %7.1f ms, Save %6.1f ms, Load %6.1f ms, "
                         "peak RSS %6.1f MiB\n",
                         i < 0 ? "warmup" : "run   ", inFull ? "full" : "empty", s.firstPaintMs,
                         s.saveMs, s.loadMs, s.peakResidentMiB);
            if (i >= 0) (inFull ? fullRuns : emptyRuns).push_back(s);
        }
    }
    const std::string of = " (" + std::to_string(options.boards) + " boards, " +
                           std::to_string(options.others) + " others)";
    const auto row = [&](const std::string& figure, const std::string& unit, double Sample::*field,
                         bool againstEmpty, const std::string& kind, double target) {
        const std::vector<double> v = Figure(fullRuns, field);
        PrintRow(figure + of, unit, Median(v), Quantile(v, 0.99),
                 againstEmpty ? Median(Figure(emptyRuns, field)) : -1, kind, target);
    };
    row("start to first paint", "ms", &Sample::firstPaintMs, true, "over", 150);
    row("Save with the list re-read", "ms", &Sample::saveMs, true, "median", 150);
    row("Load of a name typed in capitals", "ms", &Sample::loadMs, true, "median", 50);
    row("peak resident memory", "MiB", &Sample::peakResidentMiB, true, "over", 30);
    return 0;
}

}  // namespace
}  // namespace quillet::bench

int main(int argc, char** argv) {
    return quillet::bench::RunnerMain("quillet-bench-directory",
                                      [&] { return quillet::bench::Run(argc, argv); });
}
