// The solver on qqwing's puzzles of one difficulty, made from a fixed seed,
// or on a file of puzzles (81 characters a line, optionally followed by a
// blank and a published rating): how many it finishes without guessing,
// whether any step is wrong (against the one solution, found by search), how
// often each technique is used and is the hardest, how fast puzzles are
// rated, how long the slowest hint takes (apart for the nets), and with
// published ratings how near the shared-scale rating comes to them.
//     quillet-bench-solving [--count N] [--seed S] [--level intermediate|expert]
//     quillet-bench-solving --file PUZZLES.txt
//     quillet-bench-solving --fixture ... writes "puzzle,solution" lines instead
#include <qqwing.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "solving/Solutions.h"
#include "solving/Solver.h"

namespace {

using namespace quillet::solving;
using quillet::Candidate;
using Clock = std::chrono::steady_clock;

struct Puzzle {
    std::string givens;    // 81 characters row by row, "." for open cells
    std::string solution;  // 81 digits
    double published = 0;  // a published rating, or 0
};

// The puzzles of a file with their one solution; those without exactly one
// are left out.
std::vector<Puzzle> ReadPuzzles(const char* path) {
    std::ifstream in(path);
    std::vector<Puzzle> puzzles;
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 81) continue;
        Puzzle puzzle{line.substr(0, 81), {}, 0};
        if (line.size() > 82) puzzle.published = std::atof(line.c_str() + 82);
        Grid solution;
        if (!FindOnlySolution(GridFromPuzzleLine(puzzle.givens), solution)) continue;
        for (int i = 0; i < 81; ++i)
            puzzle.solution += static_cast<char>(
                '0' +
                LowestDigit(solution.cells[quillet::ColumnMajorIndex(quillet::CellOfRowMajor(i))]));
        puzzles.push_back(std::move(puzzle));
    }
    return puzzles;
}

// Spearman's rank correlation, ties sharing their mean rank.
double RankCorrelation(const std::vector<double>& a, const std::vector<double>& b) {
    auto ranks = [](const std::vector<double>& x) {
        std::vector<std::size_t> order(x.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](auto i, auto j) { return x[i] < x[j]; });
        std::vector<double> rank(x.size());
        for (std::size_t i = 0; i < order.size();) {
            std::size_t j = i;
            while (j + 1 < order.size() && x[order[j + 1]] == x[order[i]]) ++j;
            for (std::size_t k = i; k <= j; ++k) rank[order[k]] = (i + j) / 2.0;
            i = j + 1;
        }
        return rank;
    };
    const std::vector<double> ra = ranks(a), rb = ranks(b);
    const double ma = std::accumulate(ra.begin(), ra.end(), 0.0) / ra.size();
    const double mb = std::accumulate(rb.begin(), rb.end(), 0.0) / rb.size();
    double sab = 0, saa = 0, sbb = 0;
    for (std::size_t i = 0; i < ra.size(); ++i) {
        sab += (ra[i] - ma) * (rb[i] - mb);
        saa += (ra[i] - ma) * (ra[i] - ma);
        sbb += (rb[i] - mb) * (rb[i] - mb);
    }
    return sab / std::sqrt(saa * sbb);
}

// qqwing draws from rand(): the seed fixes the puzzles.
std::vector<Puzzle> MakePuzzles(int count, unsigned seed, qqwing::SudokuBoard::Difficulty level) {
    std::srand(seed);
    std::vector<Puzzle> puzzles;
    while (static_cast<int>(puzzles.size()) < count) {
        qqwing::SudokuBoard board;
        board.setRecordHistory(true);
        if (!board.generatePuzzle() || !board.solve() || board.getDifficulty() != level) continue;
        Puzzle puzzle;
        for (int i = 0; i < 81; ++i) {
            const int given = board.getPuzzle()[i];
            puzzle.givens += given == 0 ? '.' : static_cast<char>('0' + given);
            puzzle.solution += static_cast<char>('0' + board.getSolution()[i]);
        }
        puzzles.push_back(puzzle);
    }
    return puzzles;
}

// The solution's digit of a cell in the board's column-major numbering.
int SolutionDigit(const Puzzle& puzzle, int cell) {
    return puzzle.solution[quillet::RowMajorIndex(quillet::CellOfColumnMajor(cell))] - '0';
}

bool StepIsWrong(const Puzzle& puzzle, const Step& step) {
    if (step.placeCell >= 0 && SolutionDigit(puzzle, step.placeCell) != step.placeDigit)
        return true;
    for (const Candidate& strike : step.strikes)
        if (SolutionDigit(puzzle, strike.cell) == strike.digit) return true;
    return false;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The processor time of this thread: on a shared machine the wall clock also
// counts the time other programs had the processor.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    int count = 1000;
    unsigned seed = 20261209;
    bool fixture = false;
    const char* file = nullptr;
    auto level = qqwing::SudokuBoard::INTERMEDIATE;
    for (int i = 1; i < argc; ++i) {
        const bool more = i + 1 < argc;
        if (!std::strcmp(argv[i], "--count") && more)
            count = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--seed") && more)
            seed = static_cast<unsigned>(std::atoll(argv[++i]));
        else if (!std::strcmp(argv[i], "--file") && more)
            file = argv[++i];
        else if (!std::strcmp(argv[i], "--fixture"))
            fixture = true;
        else if (!std::strcmp(argv[i], "--level") && more) {
            const std::string name = argv[++i];
            if (name == "expert")
                level = qqwing::SudokuBoard::EXPERT;
            else if (name != "intermediate")
                return 2;
        } else {
            std::fprintf(
                stderr,
                "usage: %s [--count N] [--seed S] [--level intermediate|expert] [--fixture] "
                "[--file PUZZLES.txt]\n",
                argv[0]);
            return 2;
        }
    }
    const std::vector<Puzzle> puzzles = file ? ReadPuzzles(file) : MakePuzzles(count, seed, level);
    if (puzzles.empty()) return 2;
    if (fixture) {
        for (const Puzzle& p : puzzles)
            std::printf("%s,%s\n", p.givens.c_str(), p.solution.c_str());
        return 0;
    }

    // Every step checked against the solution, and the slowest search timed.
    int solved = 0, wrong = 0, firstUnsolved = -1;
    long steps = 0;
    long byTechnique[kTechniqueCount] = {};
    long hardestOf[kTechniqueCount] = {};
    double slowestHint = 0, slowestHintCpu = 0, slowestNetCpu = 0;
    std::vector<double> puzzleCpu, netCpu;
    for (std::size_t n = 0; n < puzzles.size(); ++n) {
        Grid grid = GridFromPuzzleLine(puzzles[n].givens);
        const double puzzleStart = ThreadSeconds();
        int hardest = 0;
        for (;;) {
            if (ContradictionIn(grid) || grid.Solved()) break;
            const auto start = Clock::now();
            const double cpuStart = ThreadSeconds();
            const std::vector<Step> next = NextSteps(grid);
            const double cpu = ThreadSeconds() - cpuStart;
            // A step the nets had to find, or none found, took their time;
            // apart, as that is the one search allowed to take longer.
            if (next.empty() || next.front().technique >= Technique::kForcingNets) {
                slowestNetCpu = std::max(slowestNetCpu, cpu);
                netCpu.push_back(cpu);
            } else {
                slowestHint = std::max(slowestHint, Seconds(Clock::now() - start));
                slowestHintCpu = std::max(slowestHintCpu, cpu);
            }
            if (next.empty()) break;
            hardest = std::max(hardest, static_cast<int>(next.front().technique));
            wrong += StepIsWrong(puzzles[n], next.front()) ? 1 : 0;
            ++byTechnique[static_cast<int>(next.front().technique)];
            ++steps;
            ApplyStep(next.front(), grid);
        }
        puzzleCpu.push_back(ThreadSeconds() - puzzleStart);
        if (grid.Solved() && !ContradictionIn(grid)) {
            ++solved;
            ++hardestOf[hardest];
        } else if (firstUnsolved < 0) {
            firstUnsolved = static_cast<int>(n);
        }
    }

    // Rating alone, as `rate` does it; the processor time too, as the
    // machine is shared.
    const std::clock_t cpuStart = std::clock();
    const auto start = Clock::now();
    double total = 0;
    std::vector<double> ours, published, rateCpu;
    int ratersWayShort = 0;  // solved puzzles whose rating's own way stopped: a fault
    for (const Puzzle& p : puzzles) {
        Grid grid = GridFromPuzzleLine(p.givens);
        const double puzzleStart = ThreadSeconds();
        const SolveOutcome outcome = Solve(grid);
        rateCpu.push_back(ThreadSeconds() - puzzleStart);
        total += outcome.Difficulty();
        ratersWayShort += outcome.solved && !outcome.ratersWayFinished ? 1 : 0;
        if (p.published > 0 && outcome.solved) {
            ours.push_back(outcome.sharedScale);
            published.push_back(p.published);
        }
    }
    const double rateSeconds = Seconds(Clock::now() - start);
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    if (file)
        std::printf("puzzles        %zu (%s)\n", puzzles.size(), file);
    else
        std::printf("puzzles        %zu (qqwing %s, seed %u)\n", puzzles.size(),
                    level == qqwing::SudokuBoard::EXPERT ? "expert" : "intermediate", seed);
    std::printf("solved         %d (%.1f %%)\n", solved, 100.0 * solved / puzzles.size());
    std::printf("wrong steps    %d of %ld\n", wrong, steps);
    std::printf("rated          %.0f puzzles/s (%.0f per processor second; mean difficulty %.2f)\n",
                puzzles.size() / rateSeconds, puzzles.size() / cpuSeconds, total / puzzles.size());
    std::printf("rated in       %.1f s of processor time, %.1f s on the clock\n", cpuSeconds,
                rateSeconds);
    std::printf(
        "rating's way   stopped short on %d of the solved puzzles (0 unless a step is wrong)\n",
        ratersWayShort);
    std::printf("slowest hint   %.2f ms (%.2f ms of processor time) without the nets\n",
                slowestHint * 1000, slowestHintCpu * 1000);
    std::sort(netCpu.begin(), netCpu.end());
    std::printf("net hints      %zu: median %.2f ms, slowest %.2f ms of processor time\n",
                netCpu.size(), netCpu.empty() ? 0.0 : netCpu[netCpu.size() / 2] * 1000,
                slowestNetCpu * 1000);
    std::sort(puzzleCpu.begin(), puzzleCpu.end());
    std::printf("per puzzle     median %.1f ms, slowest %.1f ms of processor time (hint by hint)\n",
                puzzleCpu[puzzleCpu.size() / 2] * 1000, puzzleCpu.back() * 1000);
    std::sort(rateCpu.begin(), rateCpu.end());
    std::printf("rated each     median %.1f ms, slowest %.1f ms of processor time (as rate does)\n",
                rateCpu[rateCpu.size() / 2] * 1000, rateCpu.back() * 1000);
    const auto within5s = std::count_if(rateCpu.begin(), rateCpu.end(),
                                        [](double seconds) { return seconds <= 5.0; });
    std::printf("within 5 s     %ld of %zu puzzles rated\n", static_cast<long>(within5s),
                rateCpu.size());
    if (!ours.empty()) {
        std::size_t near = 0;
        for (std::size_t i = 0; i < ours.size(); ++i)
            near += std::abs(ours[i] - published[i]) <= 0.3001 ? 1 : 0;
        std::printf("shared scale   %.1f %% within 0.3 of the published rating, Spearman %.3f\n",
                    100.0 * near / ours.size(), RankCorrelation(ours, published));
        // By bands of half a point of the published rating: a scale that
        // flattens shows as bands of the same mean.
        std::map<int, std::pair<int, double>> bands;
        for (std::size_t i = 0; i < ours.size(); ++i) {
            auto& [n, sum] = bands[static_cast<int>(published[i] * 2 + 1e-9)];
            ++n;
            sum += ours[i];
        }
        for (const auto& [band, entry] : bands)
            std::printf("  published %.1f-%.1f  %5d puzzles, estimate %.2f on average\n",
                        band / 2.0, band / 2.0 + 0.4, entry.first, entry.second / entry.first);
    }
    if (firstUnsolved >= 0)
        std::printf("first unsolved #%d %s\n", firstUnsolved + 1,
                    puzzles[firstUnsolved].givens.c_str());
    std::printf("share of steps by technique, and of solved puzzles by their hardest:\n");
    for (int t = 0; t < kTechniqueCount; ++t)
        std::printf("  %-36s %7ld  %5.2f %%  %6ld  %5.2f %%\n",
                    TechniqueName(static_cast<Technique>(t)), byTechnique[t],
                    100.0 * byTechnique[t] / steps, hardestOf[t],
                    solved ? 100.0 * hardestOf[t] / solved : 0.0);
    return wrong == 0 ? 0 : 1;
}
