// quillet-board print as a person runs it on a day's puzzles:
//     quillet-bench-print --program PATH --puzzles FILE [--runs N] [--count N]
// Writes the first N puzzles of FILE (default 100) to a text and prints them
// with their candidates, six a page, to a PDF file, each run a fresh process
// timed from its start to its end, after one warm-up run. Prints one table
// row: the whole command, start-up of Qt and its fonts included.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "harness/Options.h"
#include "harness/Process.h"
#include "harness/Rows.h"
#include "harness/Runner.h"
#include "harness/Scratch.h"
#include "harness/Stats.h"

namespace quillet::bench {
namespace {

constexpr int kDeadlineMs = 120000;

struct Options {
    std::string program;
    std::string puzzles;
    int runs = 9;
    int count = 100;
};

// The first `count` lines of the file that hold a puzzle (81 cells), or
// fewer when it has fewer.
std::string FirstPuzzles(const std::string& path, int count) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::string text;
    int taken = 0;
    for (std::string line; taken < count && std::getline(in, line);) {
        if (line.size() < 81 || line.front() == '#') continue;
        text += line + "\n";
        ++taken;
    }
    if (taken < count)
        throw std::runtime_error(path + " holds " + std::to_string(taken) + " puzzles, not " +
                                 std::to_string(count));
    return text;
}

int Run(int argc, char** argv) {
    Options options;
    RunnerOptions("quillet-bench-print --program PATH --puzzles FILE [--runs N] [--count N]")
        .Path("--program", options.program)
        .Path("--puzzles", options.puzzles)
        .Number("--runs", options.runs, 1)
        .Number("--count", options.count, 1)
        .Parse(argc, argv);
    ScratchDirectory scratch("quillet-bench-print");
    const std::string text = scratch.Path() + "/day.txt";
    std::ofstream(text) << FirstPuzzles(options.puzzles, options.count);
    const std::string pdf = scratch.Path() + "/day.pdf";
    const std::vector<std::string> command{
        options.program, "print", "--candidates", "--per-page", "6", "-o", pdf, text};
    const std::vector<std::string> env = EnvironmentWith({}, {"DISPLAY", "WAYLAND_DISPLAY"});

    std::vector<double> ms;
    for (int i = -1; i < options.runs; ++i) {
        ChildProcess child;
        const auto start = std::chrono::steady_clock::now();
        child.Start(command, env, scratch.Path(), scratch.Path() + "/print.log");
        const ChildEnd end = child.WaitOrKill(kDeadlineMs);
        const double took =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (end.status != 0)
            throw std::runtime_error("quillet-board print ended with status " +
                                     std::to_string(end.status) + "; see " + scratch.Path() +
                                     "/print.log");
        std::fprintf(stderr, "  %s %8.1f ms\n", i < 0 ? "warmup" : "run   ", took);
        if (i >= 0) ms.push_back(took);
    }
    PrintRow(
        "print: " + std::to_string(options.count) + " puzzles with candidates, 6 a page, to PDF",
        "ms", Median(ms), Quantile(ms, 0.99), -1, "median", 2000);
    return 0;
}

}  // namespace
}  // namespace quillet::bench

int main(int argc, char** argv) {
    return quillet::bench::RunnerMain("quillet-bench-print",
                                      [&] { return quillet::bench::Run(argc, argv); });
}
