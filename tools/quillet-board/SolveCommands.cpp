#include "SolveCommands.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "BoardCells.h"
#include "BoardSteps.h"
#include "GridText.h"
#include "InOrderWorkers.h"
#include "ToolInput.h"
#include "files/BoardFileName.h"
#include "files/Escaped.h"
#include "solving/English.h"
#include "solving/Solver.h"

namespace quillet::board_tool {

namespace {

using solving::Grid;
using solving::Step;

// The board's candidates, or the contradiction that makes it impossible.
struct ReadBoard {
    Grid grid;
    std::string contradiction;
};

ReadBoard Candidates(const CandidateBoard& board) {
    int bad = 0;
    const auto grid = solving::GridFromBoard(board, &bad);
    if (!grid) {
        const CandidateString& text = board.Cells()[bad];
        return {
            {},
            CellName(bad) + " holds " + Quoted(text) + ", which is not a set of the digits 1 to 9"};
    }
    return {*grid, solving::FindContradiction(*grid).value_or("")};
}

CandidateBoard LoadBoard(const std::string& path) {
    CandidateBoard board;
    Named(path, [&] { LoadBoardFile(path, board); });
    return board;
}

int OpenCells(const Grid& grid) {
    int open = 0;
    for (const solving::Mask m : grid.cells) open += solving::CountOf(m) == 1 ? 0 : 1;
    return open;
}

std::string OneDecimal(double value) {
    char number[16];
    std::snprintf(number, sizeof number, "%.1f", value);
    return number;
}

std::string Rating(const solving::SolveOutcome& outcome) {
    return OneDecimal(outcome.Difficulty());
}

}  // namespace

int Hint(const CommandLine& line, ToolStreams& io) {
    const bool apply = line.Has("--apply");
    if (apply && line.Has("--all")) throw UsageError("hint: --apply takes one step, not --all");
    if (!apply && line.values.count("-o")) throw UsageError("hint: -o goes with --apply");
    const bool inWindow = line.Has("--window");
    if (inWindow && line.values.count("-o"))
        throw UsageError("hint: -o writes a board file; with --window the step goes to the window");
    CandidateBoard board;
    const std::string path = LoadCommandBoard(line, io, board);
    const ReadBoard read = Candidates(board);
    if (!read.contradiction.empty()) {
        io.out << "Contradiction: " << read.contradiction << ".\n";
        return 1;
    }
    if (read.grid.Solved()) {
        io.out << "The board is solved.\n";
        return 0;
    }
    const std::vector<Step> steps = solving::NextSteps(read.grid, line.Has("--all"));
    if (steps.empty()) {
        io.out << "No step found: none of the techniques up to forcing chains applies to these "
                  "candidates.\n";
        return 1;
    }
    // A net follows its paragraph as a tree, to be checked fact by fact.
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps.size() > 1) io.out << i + 1 << ". ";
        io.out << solving::Describe(steps[i]) << "\n" << solving::ProofTree(steps[i]);
    }
    if (apply && inWindow) {
        ApplyStepInWindow(steps.front(), *io.window);
    } else if (apply) {
        ApplyStepToBoard(steps.front(), board);
        // Back into the file read, under its own name; a name given with -o
        // gets ".cgd" as everywhere else.
        const std::string out = line.Value("-o", "");
        if (out.empty())
            WriteBoard(path, board, io.out);
        else
            WriteBoard(out == "-" ? out : WithBoardExtension(out), board, io.out);
    }
    return 0;
}

int Solve(const CommandLine& line, ToolStreams& io) {
    // With --window the steps are taken on a copy: the window's board stays
    // as it is, and -o may keep what they reached.
    CandidateBoard board;
    LoadCommandBoard(line, io, board);
    ReadBoard read = Candidates(board);
    if (!read.contradiction.empty()) {
        io.out << "Contradiction: " << read.contradiction << ".\n";
        return 1;
    }
    const bool show = line.Has("--steps");
    const solving::SolveOutcome outcome =
        SolveOnBoard(board, read.grid, [&](int n, const Step& step) {
            // The givens' own strikes are no steps: shown, not numbered.
            if (show)
                io.out << (n > 0 ? std::to_string(n) + ". " : "- ") << solving::Describe(step)
                       << "\n";
        });
    const std::string out = line.Value("-o", "");
    if (!out.empty()) WriteBoard(out == "-" ? out : WithBoardExtension(out), board, io.out);
    std::ostream& report = out == "-" ? io.err : io.out;
    const std::string steps =
        std::to_string(outcome.steps) + (outcome.steps == 1 ? " step" : " steps");
    if (outcome.solved) {
        report << "Solved in " << steps
               << "; the hardest: " << solving::TechniqueName(outcome.hardest) << " ("
               << Rating(outcome) << ").\n";
        return 0;
    }
    if (outcome.contradiction)
        report << "Contradiction after " << steps << ": "
               << solving::ContradictionText(*outcome.contradiction) << ".\n";
    else
        report << "Stuck after " << steps << " with " << OpenCells(read.grid)
               << " cells open; no technique up to forcing chains applies.\n";
    report << "The board so far:\n"
           << DisplayGridText(TakeCells(board),
                              io.utf8Terminal ? GridStyle::kBoxDrawing : GridStyle::kAscii);
    return 1;
}

namespace {

// One line: the name, the difficulty, the level and the hardest technique,
// or why there is none.
std::string RateLine(const std::string& name, const CandidateBoard& board) {
    ReadBoard read = Candidates(board);
    if (!read.contradiction.empty()) return name + "\t-\tcontradiction\t" + read.contradiction;
    const solving::SolveOutcome outcome = solving::Solve(read.grid);
    if (outcome.solutions == 0)
        return name + "\t-\tno solution\t" +
               (outcome.contradiction ? solving::ContradictionText(*outcome.contradiction)
                                      : "the givens allow none");
    if (outcome.solutions > 1) return name + "\t-\tseveral solutions\tat least two";
    if (outcome.contradiction)
        return name + "\t-\tcontradiction\t" + solving::ContradictionText(*outcome.contradiction);
    if (!outcome.solved)
        return name + "\t" + Rating(outcome) + "\tbeyond\tstuck with " +
               std::to_string(OpenCells(read.grid)) + " cells open";
    return name + "\t" + Rating(outcome) + "\t" +
           solving::LevelName(solving::LevelOf(outcome.hardest)) + "\t" +
           solving::TechniqueName(outcome.hardest) + "\t" + OneDecimal(outcome.sharedScale);
}

}  // namespace

int Rate(const CommandLine& line, ToolStreams& io) {
    const std::string operand = line.operands.empty() ? "-" : line.operands.front();
    if (operand != "-" && operand.ends_with(kBoardExtension)) {
        io.out << RateLine(Escaped(operand), LoadBoard(operand)) << "\n";
        return 0;
    }
    const std::string name = operand == "-" ? "standard input" : operand;
    const auto threads = static_cast<unsigned>(line.Number("--jobs", UsableProcessors(), 1, 256));
    int count = 0;
    InOrderWorkers workers(threads,
                           [&io](const std::string& text) { io.out << text << std::endl; });
    try {
        Named(name, [&] {
            ReadInputPuzzles(operand, io.in, [&](TextPuzzle&& puzzle) {
                CandidateBoard board;
                PutCells(puzzle.cells, board);
                workers.Add([number = ++count, board = std::move(board)] {
                    return RateLine(std::to_string(number), board);
                });
            });
        });
    } catch (const InputError&) {
        // The puzzles before a fault in the text are rated all the same,
        // their lines before its message.
        workers.Finish();
        throw;
    }
    workers.Finish();
    if (count == 0) throw InputError(name + ": no puzzle in the text");
    return 0;
}

namespace {

// Whether the steps solve the puzzle to its solution and the outcome pleases.
template <typename Wanted>
bool SolvedAs(const MadePuzzle& puzzle, Wanted wanted) {
    CandidateBoard board;
    PutCells(puzzle.cells, board);
    Grid grid = *solving::GridFromBoard(board);
    const solving::SolveOutcome outcome = solving::Solve(grid);
    if (!outcome.solved || !wanted(outcome)) return false;
    std::string finished;
    for (int i = 0; i < kCellCount; ++i)
        finished += static_cast<char>(
            '0' + solving::LowestDigit(grid.cells[ColumnMajorIndex(CellOfRowMajor(i))]));
    return finished == puzzle.solution;
}

}  // namespace

bool PuzzleHasLevel(const MadePuzzle& puzzle, solving::Level level) {
    if (level == solving::Level::kAids) return AidsFinish(puzzle.cells, puzzle.solution);
    return SolvedAs(puzzle, [level](const solving::SolveOutcome& outcome) {
        return solving::LevelOf(outcome.hardest) == level;
    });
}

bool PuzzleInScale(const MadePuzzle& puzzle, double low, double high) {
    return SolvedAs(puzzle, [low, high](const solving::SolveOutcome& outcome) {
        // Both are tenths: compare them as such.
        const double tenths = std::round(outcome.sharedScale * 10);
        return tenths >= std::round(low * 10) && tenths <= std::round(high * 10);
    });
}

std::optional<double> SharedScaleOf(const CandidateBoard& board) {
    ReadBoard read = Candidates(board);
    if (!read.contradiction.empty()) return std::nullopt;
    const solving::SolveOutcome outcome = solving::Solve(read.grid);
    if (outcome.solutions != 1 || outcome.contradiction || !outcome.solved) return std::nullopt;
    return outcome.sharedScale;
}

}  // namespace quillet::board_tool
