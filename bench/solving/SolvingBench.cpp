// The solver on qqwing's puzzles of one difficulty, made from a fixed seed:
// how many it finishes without guessing, whether any step is wrong, how
// often each technique is used, how fast puzzles are rated and how long the
// slowest hint takes.
//     quillet-bench-solving [--count N] [--seed S] [--level intermediate|expert]
//     quillet-bench-solving --fixture ... writes "puzzle,solution" lines instead
#include <qqwing.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "solving/Solver.h"

namespace {

using namespace quillet::solving;
using Clock = std::chrono::steady_clock;

struct Puzzle {
    std::string givens;    // 81 characters row by row, "." for open cells
    std::string solution;  // 81 digits
};

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
    for (const Strike& strike : step.strikes)
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
    auto level = qqwing::SudokuBoard::INTERMEDIATE;
    for (int i = 1; i < argc; ++i) {
        const bool more = i + 1 < argc;
        if (!std::strcmp(argv[i], "--count") && more)
            count = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--seed") && more)
            seed = static_cast<unsigned>(std::atoll(argv[++i]));
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
                "usage: %s [--count N] [--seed S] [--level intermediate|expert] [--fixture]\n",
                argv[0]);
            return 2;
        }
    }
    const std::vector<Puzzle> puzzles = MakePuzzles(count, seed, level);
    if (fixture) {
        for (const Puzzle& p : puzzles)
            std::printf("%s,%s\n", p.givens.c_str(), p.solution.c_str());
        return 0;
    }

    // Every step checked against the solution, and the slowest search timed.
    int solved = 0, wrong = 0, firstUnsolved = -1;
    long steps = 0;
    long byTechnique[kTechniqueCount] = {};
    double slowestHint = 0, slowestHintCpu = 0;
    for (std::size_t n = 0; n < puzzles.size(); ++n) {
        Grid grid = GridFromPuzzleLine(puzzles[n].givens);
        for (;;) {
            if (FindContradiction(grid) || grid.Solved()) break;
            const auto start = Clock::now();
            const double cpuStart = ThreadSeconds();
            const std::vector<Step> next = NextSteps(grid);
            slowestHint = std::max(slowestHint, Seconds(Clock::now() - start));
            slowestHintCpu = std::max(slowestHintCpu, ThreadSeconds() - cpuStart);
            if (next.empty()) break;
            wrong += StepIsWrong(puzzles[n], next.front()) ? 1 : 0;
            ++byTechnique[static_cast<int>(next.front().technique)];
            ++steps;
            ApplyStep(next.front(), grid);
        }
        if (grid.Solved() && !FindContradiction(grid)) {
            ++solved;
        } else if (firstUnsolved < 0) {
            firstUnsolved = static_cast<int>(n);
        }
    }

    // Rating alone, as `rate` does it; the processor time too, as the
    // machine is shared.
    const std::clock_t cpuStart = std::clock();
    const auto start = Clock::now();
    double total = 0;
    for (const Puzzle& p : puzzles) {
        Grid grid = GridFromPuzzleLine(p.givens);
        total += Solve(grid).Difficulty();
    }
    const double rateSeconds = Seconds(Clock::now() - start);
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    std::printf("puzzles        %zu (qqwing %s, seed %u)\n", puzzles.size(),
                level == qqwing::SudokuBoard::EXPERT ? "expert" : "intermediate", seed);
    std::printf("solved         %d (%.1f %%)\n", solved, 100.0 * solved / puzzles.size());
    std::printf("wrong steps    %d of %ld\n", wrong, steps);
    std::printf("rated          %.0f puzzles/s (%.0f per processor second; mean difficulty %.2f)\n",
                puzzles.size() / rateSeconds, puzzles.size() / cpuSeconds, total / puzzles.size());
    std::printf("slowest hint   %.2f ms (%.2f ms of processor time)\n", slowestHint * 1000,
                slowestHintCpu * 1000);
    if (firstUnsolved >= 0)
        std::printf("first unsolved #%d %s\n", firstUnsolved + 1,
                    puzzles[firstUnsolved].givens.c_str());
    std::printf("share of steps by technique:\n");
    for (int t = 0; t < kTechniqueCount; ++t)
        std::printf("  %-30s %6ld  %5.2f %%\n", TechniqueName(static_cast<Technique>(t)),
                    byTechnique[t], 100.0 * byTechnique[t] / steps);
    return wrong == 0 ? 0 : 1;
}
