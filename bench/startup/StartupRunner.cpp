// Start-up of the program against the floor window, alternating runs under a
// private X server:
//     quillet-bench-startup --program PATH --floor PATH [--runs N] [--warmup N]
//                           [--session-bus 0|1]
// Times from just before the program is started to the first drawing into its
// main window that the X server reports (seen from outside the process), and
// the program's peak resident size. Prints one table row per figure.

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "harness/Options.h"
#include "harness/Process.h"
#include "harness/Rows.h"
#include "harness/Runner.h"
#include "harness/Stats.h"
#include "x11/BenchDisplay.h"

namespace quillet::bench {
namespace {

struct Options {
    std::string program;
    std::string floor;
    int runs = 7;
    int warmup = 1;
    int sessionBus = 0;
};

struct Sample {
    double firstPaintMs = 0;
    double peakResidentMiB = 0;
};

struct Series {
    std::string name;
    std::string path;
    bool quitsByItself;
    std::vector<Sample> samples;
};

Sample RunOnce(XSession& x, const std::string& program, bool quitsByItself,
               const std::vector<std::string>& env, const std::string& workDir,
               const std::string& log) {
    x.ReadEvents(0);
    ChildProcess child;
    const TimePoint start = Clock::now();
    child.Start({program}, env, workDir, log);
    // The floor may map, paint and close its window before anyone looks: the
    // session keeps the showing and its drawing.
    const std::optional<Showing> shown = WaitForMainWindow(x, start, true);
    // The floor quits by itself once painted; the program is stopped here.
    const ChildEnd end = child.WaitOrKill(quitsByItself ? 10000 : 0);
    if (!shown) throw std::runtime_error(program + " showed no painted main window; see " + log);
    WaitForEmptyScreen(x);
    return {MillisBetween(start, *shown->firstDrawing), end.peakResidentKiB / 1024.0};
}

Options Parse(int argc, char** argv) {
    Options o;
    RunnerOptions(
        "quillet-bench-startup --program PATH --floor PATH [--runs N] [--warmup N] "
        "[--session-bus 0|1]")
        .Path("--program", o.program)
        .Path("--floor", o.floor)
        .Number("--runs", o.runs, 1)
        .Number("--warmup", o.warmup, 0)
        .Number("--session-bus", o.sessionBus, 0)
        .Parse(argc, argv);
    return o;
}

int Run(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    // Both programs meet the same bus, when there is one.
    BenchDisplay display("quillet-bench-startup", options.sessionBus != 0);
    const std::string log = display.scratch.Path() + "/programs.log";

    Series floor{"floor", options.floor, true, {}};
    Series program{"quillet", options.program, false, {}};
    for (int i = 0; i < options.warmup + options.runs; ++i) {
        // Alternating which goes first keeps any drift from favouring one.
        Series* order[2] = {&floor, &program};
        if (i % 2 == 1) std::swap(order[0], order[1]);
        for (Series* s : order) {
            const Sample sample = RunOnce(display.x, s->path, s->quitsByItself, display.environment,
                                          display.workDir, log);
            const bool warm = i >= options.warmup;
            std::fprintf(stderr, "  %s %-8s first paint %7.1f ms, peak RSS %6.1f MiB\n",
                         warm ? "run   " : "warmup", s->name.c_str(), sample.firstPaintMs,
                         sample.peakResidentMiB);
            if (warm) s->samples.push_back(sample);
        }
    }
    const std::vector<double> firstPaints = Field(program.samples, &Sample::firstPaintMs);
    PrintRow("start to first paint", "ms", Median(firstPaints), Quantile(firstPaints, 0.99),
             Median(Field(floor.samples, &Sample::firstPaintMs)), "ratio", 1.05);
    PrintRow("peak resident memory", "MiB",
             Median(Field(program.samples, &Sample::peakResidentMiB)), -1,
             Median(Field(floor.samples, &Sample::peakResidentMiB)), "ratio", 1.05);
    return 0;
}

}  // namespace
}  // namespace quillet::bench

int main(int argc, char** argv) {
    return quillet::bench::RunnerMain("quillet-bench-startup",
                                      [&] { return quillet::bench::Run(argc, argv); });
}
