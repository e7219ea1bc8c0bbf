// Timings of the board operations on their own and of the four reward
// pictures on their 450 x 450 surface, with Google Benchmark:
//     quillet-bench-micro [--benchmark_... options]
// Besides the usual report on stderr it prints one table row per benchmark
// (the median of the repetitions when there are several).

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "board/BoardState.h"
#include "drawing/Fonts.h"
#include "drawing/QImageCanvas.h"
#include "harness/Rows.h"
#include "pictures/Pictures.h"

namespace quillet::bench {
namespace {

constexpr double kCoreTargetUs = 1.0;
constexpr double kPictureTargetMs = 5.0;

class SilentInformer : public Informer {
public:
    void Inform(const std::string&) override {}
};

struct Figure {
    std::string name;
    double target;
};

std::map<std::string, Figure>& Figures() {
    static std::map<std::string, Figure> figures;
    return figures;
}

// A placement that strikes the digit from 20 cells, undone again so that
// every iteration does the same work.
void PlaceDigitThenUndo(benchmark::State& state) {
    SilentInformer informer;
    BoardState board(informer);
    board.Board().SetSelection({5, 5});
    for (auto _ : state) {
        board.PlaceDigit(5);
        board.UndoLast();
    }
    benchmark::DoNotOptimize(board.Board().Cell({5, 6}));
}

void UndoLast(benchmark::State& state) {
    SilentInformer informer;
    BoardState board(informer);
    board.Board().SetSelection({5, 5});
    board.PlaceDigit(5);
    for (auto _ : state) board.UndoLast();
    benchmark::DoNotOptimize(board.Board().Cell({5, 6}));
}

// As the congratulation window draws: a new surface made white, then the picture.
template <typename Draw>
void Picture(benchmark::State& state, Draw draw) {
    for (auto _ : state) {
        QImageCanvas surface(kSurfaceSize, kSurfaceSize);
        WhitenSurface(surface, kSurfaceSize, kSurfaceSize);
        draw(surface, kSurfaceSize, kSurfaceSize);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
}

void Register(const std::string& id, const std::string& figure, double target,
              void (*function)(benchmark::State&), benchmark::TimeUnit unit) {
    Figures()[id] = {figure, target};
    benchmark::RegisterBenchmark(id.c_str(), function)->Unit(unit);
}

void RegisterAll() {
    Register("PlaceDigitThenUndo", "PlaceDigit with snapshot, then UndoLast", kCoreTargetUs,
             PlaceDigitThenUndo, benchmark::kMicrosecond);
    Register("UndoLast", "UndoLast", kCoreTargetUs, UndoLast, benchmark::kMicrosecond);
    Register(
        "DrawCrown", "picture: crown", kPictureTargetMs,
        [](benchmark::State& s) { Picture(s, [](auto& c, int n, int h) { DrawCrown(c, n, h); }); },
        benchmark::kMillisecond);
    Register(
        "DrawBlossom", "picture: blossom", kPictureTargetMs,
        [](benchmark::State& s) {
            Picture(s, [](auto& c, int n, int h) { DrawBlossom(c, n, h); });
        },
        benchmark::kMillisecond);
    Register(
        "DrawSpiralFlowerCircle", "picture: spiral flower circle (6)", kPictureTargetMs,
        [](benchmark::State& s) {
            Picture(s, [](auto& c, int n, int h) { DrawSpiralFlowerCircle(c, n, h, 6); });
        },
        benchmark::kMillisecond);
    Register(
        "DrawRingedFlowerCircle", "picture: ringed flower circle", kPictureTargetMs,
        [](benchmark::State& s) {
            Picture(s, [](auto& c, int n, int h) { DrawRingedFlowerCircle(c, n, h); });
        },
        benchmark::kMillisecond);
}

const char* UnitName(benchmark::TimeUnit unit) {
    switch (unit) {
        case benchmark::kNanosecond: return "ns";
        case benchmark::kMicrosecond: return "µs";
        case benchmark::kMillisecond: return "ms";
        default: return "s";
    }
}

// The console report on stderr, and table rows on stdout.
class RowReporter : public benchmark::ConsoleReporter {
public:
    RowReporter() { SetOutputStream(&std::cerr); }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!single && !median) continue;
            const auto figure = Figures().find(run.run_name.function_name);
            if (figure == Figures().end()) continue;
            PrintRow(figure->second.name, UnitName(run.time_unit), run.GetAdjustedRealTime(), -1,
                     -1, "median", figure->second.target);
        }
    }
};

}  // namespace
}  // namespace quillet::bench

int main(int argc, char** argv) {
    // Fonts need an application object but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    quillet::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    quillet::bench::RegisterAll();
    quillet::bench::RowReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
