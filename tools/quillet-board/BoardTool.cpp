#include "BoardTool.h"

#include <cctype>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>

#include "BoardCells.h"
#include "BoardCheck.h"
#include "CommandLine.h"
#include "GridText.h"
#include "PrintCommand.h"
#include "PuzzleMaker.h"
#include "SolveCommands.h"
#include "ToolErrors.h"
#include "ToolInput.h"
#include "VersionNotice.h"
#include "WindowLink.h"
#include "WindowPath.h"
#include "files/BoardFileName.h"

namespace quillet::board_tool {

// Reads the puzzles of FILE, or of standard input for "-", as a stream.
void ReadInputPuzzles(const std::string& operand, std::istream& in, const PuzzleSink& take) {
    if (operand == "-") return ReadPuzzles(in, take);
    std::error_code error;
    if (std::filesystem::is_directory(operand, error)) throw InputError("is a directory");
    std::ifstream file(operand, std::ios::binary);
    if (!file) throw InputError("cannot open the file");
    ReadPuzzles(file, take);
}

std::string LoadCommandBoard(const CommandLine& line, ToolStreams& io, CandidateBoard& board) {
    if (!line.Has("--window")) {
        const std::string& path = line.operands.front();
        Named(path, [&] { LoadBoardFile(path, board); });
        return path;
    }
    if (!io.window) throw InputError("no Quillet window is open");
    io.window->ReadBoard(board);
    return "window";
}

void WriteBoard(const std::string& out, const CandidateBoard& board, std::ostream& stream) {
    if (out == "-")
        stream << BoardFileText(board);
    else
        Named(out, [&] { SaveBoardFile(out, board); });
}

namespace {

constexpr const char* kHelp = R"(Usage: quillet-board COMMAND [OPTIONS]

Brings puzzles into Quillet's board files (.cgd), makes new ones and takes
boards out. Puzzle texts run row by row, board files column by column.

  import [--propagate] [-o NAME.cgd] [--index N] [FILE|-]
      Reads a puzzle from FILE (standard input without FILE or with -) and
      writes it as a board file to NAME.cgd (".cgd" is added when the name
      lacks it) or to standard output. Reads 81-character lines, one or many
      per file; 9-line grids with or without box borders; .sdk and .ss files;
      pencil-mark grids of 81 candidate strings. --index N picks the Nth
      puzzle of the text (default 1). --propagate strikes the givens from
      their peers as one press of "OK?" does. A puzzle whose givens clash, or
      that has no solution or several, is written all the same, with a note
      on standard error. A byte-order mark, a closing Ctrl-Z (0x1A) and text
      after the 81 cells of a line (a rating, a name) are passed over.
  export [--format line|grid|pencil] FILE.cgd | --window
      Writes the solved cells as an 81-character line (default) or a 9-line
      grid, "." for open cells, or the whole board as a pencil-mark grid that
      import reads back exactly.
  show FILE.cgd | --window
      Prints the board as a pencil-mark grid.
  new [--count N] [--seed S] [--any | --level LEVEL] [-o NAME.cgd]
      Makes N puzzles (default 1) with exactly one solution into NAME.cgd, or
      NAME-01.cgd ... when N is above 1 (default name: puzzle). Each is one
      that "OK?", "解1" and "解2", pressed in rounds, finish; --any takes any
      puzzle. --level takes puzzles whose hardest needed technique is of
      LEVEL: aids (the default), basic, subsets, fish-and-wings or chains.
      The same seed S makes the same puzzles.
  check FILE.cgd | --window
      Tells whether the board is consistent (naming clashing digits), whether
      its candidates leave no solution, one or several, and whether the aids
      alone would finish it.
  hint [--all] [--apply [-o OUT.cgd]] FILE.cgd
  hint [--all | --apply] --window
      Explains the next logical step on the board's own candidates, simplest
      technique first. --all lists every step of that technique; --apply
      does the step and writes the board back to FILE.cgd, or to OUT.cgd.
  solve [--steps] [-o OUT.cgd] FILE.cgd | --window
      Takes steps until the board is solved (exit 0) or stuck (exit 1, with
      the board so far); --steps prints each. -o writes the board reached.
  rate [--jobs N] [FILE|-]
      For each puzzle of the text (or the board file FILE.cgd), one line:
      number, difficulty (1.0 to 9.0; 10.0 when stuck), level and the
      hardest technique needed, and the rating on the scale that solving
      forums share (Sudoku Explainer's); "-" and "no solution" or "several
      solutions" for a puzzle that has not exactly one. The puzzles of a
      text are rated on N threads at once (default: one for each processor),
      the lines still in the text's order.
  print [-o FILE.pdf | --printer NAME] [--per-page 1|2|4|6]
        [--paper a4|letter] [--candidates] [--rating] [--title TEXT]
        [FILE...|-] | --window
      Prints the puzzles of the texts and the boards of the board files
      (FILE.cgd) given, in order, to the default printer, to the printer
      NAME, or to the PDF file FILE.pdf (- for standard output). Black on
      white: the givens bold, row and column numbers, thick box lines, room
      around each board for a pencil, and above it a caption (the file's
      name and which puzzle of how many, or TEXT) with --rating the rating
      on the shared scale as rate gives it. --candidates prints each open
      cell's candidates in a fixed 3x3 layout: a board's own, or those a
      puzzle's givens leave. A board file's solved cells are all printed as
      givens: it does not record which were given. Per page: 1, 2, 4 or 6
      (default: as many as there are puzzles, up to 4); paper: the locale's.

  --window    export, show, check, hint, solve and print read the board of the
              open Quillet window (the one you are in, or were in last)
              instead of FILE.cgd; hint --apply does the step there as one
              move that "戻る" takes back, solve leaves the window's board as
              it is.
              Without a window they say so and exit with 1
  --help      show this text
  --version   show the version

Limits: import and rate read texts of any length as a stream, in constant
memory; a line of a puzzle text may hold at most 65536 bytes. Board files are
read up to 1 MiB, and of each line the first 4096 bytes, as Quillet reads them.

Exit status: 0 success, 1 bad input (the message names the line and column
of the fault), 2 a command line that is not understood.
)";

RowMajorCells LoadCells(const CommandLine& line, ToolStreams& io, std::string* name = nullptr) {
    CandidateBoard board;
    const std::string loaded = LoadCommandBoard(line, io, board);
    if (name) *name = loaded;
    return TakeCells(board);
}

int Import(const CommandLine& line, ToolStreams& io) {
    const std::string operand = line.operands.empty() ? "-" : line.operands.front();
    const std::string name = operand == "-" ? "standard input" : operand;
    const auto index = line.Number("--index", 1, 1, INT_MAX);
    // Only the puzzle asked for is kept: a text may list thousands.
    std::size_t count = 0;
    TextPuzzle picked;
    Named(name, [&] {
        ReadInputPuzzles(operand, io.in, [&](TextPuzzle&& puzzle) {
            if (++count == index) picked = std::move(puzzle);
        });
    });
    if (count == 0) throw InputError(name + ": no puzzle in the text");
    if (index > count)
        throw InputError(name + ": --index " + std::to_string(index) + " asks for more than the " +
                         std::to_string(count) + " puzzles of the text");
    WindowBoard board;
    PutCells(picked.cells, board.Board());
    // A doubtful puzzle is still written: the note tells what is wrong.
    const std::vector<BoardFault> clashes = FindContradictions(board.Board());
    for (const BoardFault& clash : clashes)
        io.err << "quillet-board: " << name << ": " << CellName(clash.cell) << ": " << clash.what
               << "\n";
    const std::string solutions = SolutionsInWords(board.Board());
    if (solutions != "one solution")
        io.err << "quillet-board: " << name << ": the puzzle has " << solutions << "\n";
    if (line.Has("--propagate")) board.ApplyCheck();
    const std::string out = line.Value("-o", "-");
    WriteBoard(out == "-" ? out : WithBoardExtension(out), board.Board(), io.out);
    return 0;
}

int Export(const CommandLine& line, ToolStreams& io) {
    const std::string format = line.Value("--format", "line");
    if (format != "line" && format != "grid" && format != "pencil")
        throw UsageError("export: --format takes line, grid or pencil, not '" + format + "'");
    std::string path;
    const RowMajorCells cells = LoadCells(line, io, &path);
    io.out << Named(path, [&] {
        if (format == "grid") return CompactGridText(cells);
        return format == "pencil" ? PencilGridText(cells) : LineText(cells);
    });
    return 0;
}

int Show(const CommandLine& line, ToolStreams& io) {
    const RowMajorCells cells = LoadCells(line, io);
    io.out << DisplayGridText(cells, io.utf8Terminal ? GridStyle::kBoxDrawing : GridStyle::kAscii);
    return 0;
}

std::string Where(const BoardFault& fault) {
    return "line " + std::to_string(BoardFileLine(fault.cell)) + ", column " +
           std::to_string(fault.column) + " (" + CellName(fault.cell) + "): " + fault.what;
}

int Check(const CommandLine& line, ToolStreams& io) {
    WindowBoard window;
    CandidateBoard& board = window.Board();
    const std::string path = LoadCommandBoard(line, io, board);
    const std::vector<BoardFault> faults = FindContradictions(board);
    if (!faults.empty()) {
        io.out << path << ": not consistent\n";
        for (const BoardFault& fault : faults) io.out << path << ": " << Where(fault) << "\n";
        throw InputError(path + ": " + Where(faults.front()));
    }
    int solved = 0;
    ForEachCellColumnMajor([&](CellPos p) { solved += board.Cell(p).size() == 1 ? 1 : 0; });
    io.out << path << ": consistent, " << solved << " cells solved, " << 81 - solved << " open\n";
    io.out << path << ": " << SolutionsInWords(board) << "\n";
    if (const int pending = CountPendingEliminations(board))
        io.out << path << ": " << pending
               << (pending == 1 ? " solved digit is still a candidate"
                                : " solved digits are still candidates")
               << " of a peer; \"OK?\" strikes them\n";

    const AidOutcome outcome = window.FinishWithAids();
    const std::string rounds =
        std::to_string(outcome.rounds) + " rounds of \"OK?\", \"解1\", \"解2\"";
    if (!outcome.congratulated) {
        int open = 0;
        ForEachCellColumnMajor([&](CellPos p) { open += board.Cell(p).size() == 1 ? 0 : 1; });
        io.out << path << ": the aids stop after " << rounds << " with " << open << " cells open\n";
    } else if (!FindContradictions(board).empty()) {
        io.out << path << ": the aids fill every cell in " << rounds << ", but a digit repeats\n";
    } else {
        io.out << path << ": the aids finish it in " << rounds << "\n";
    }
    return 0;
}

// "6.5" or "4.0-5.5": ratings on the shared scale, low to high.
bool ParseScaleRange(const std::string& text, double& low, double& high) {
    auto number = [](const std::string& part, double& value) {
        if (part.empty() || part.size() > 4) return false;
        std::size_t used = 0;
        try {
            value = std::stod(part, &used);
        } catch (const std::exception&) {
            return false;
        }
        return used == part.size() && value >= 1.0 && value <= 12.0 &&
               std::isdigit(static_cast<unsigned char>(part.front()));
    };
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos) return number(text, low) && number(text, high);
    return number(text.substr(0, dash), low) && number(text.substr(dash + 1), high) && low <= high;
}

std::string NumberedName(const std::string& base, int n, int count) {
    std::string digits = std::to_string(n);
    const std::size_t width = std::max<std::size_t>(2, std::to_string(count).size());
    return base + "-" + std::string(width - digits.size(), '0') + digits + kBoardExtension;
}

int New(const CommandLine& line, ToolStreams& io) {
    const int count = static_cast<int>(line.Number("--count", 1, 1, 9999));
    const auto seed = static_cast<unsigned>(
        line.Number("--seed", std::random_device{}(), 0, std::numeric_limits<unsigned>::max()));
    const std::string out = line.Value("-o", "puzzle.cgd");
    if (out == "-" && count > 1) throw UsageError("new: -o - writes one puzzle only");
    std::string base = out;
    if (base.ends_with(kBoardExtension))
        base.resize(base.size() - std::string_view(kBoardExtension).size());

    solving::Level level = solving::Level::kAids;
    const bool leveled = line.values.count("--level") > 0;
    if (leveled && line.Has("--any")) throw UsageError("new: --any and --level exclude each other");
    double low = 0, high = 0;
    const std::string levelText = line.Value("--level", "");
    const bool scaled = leveled && ParseScaleRange(levelText, low, high);
    if (leveled && !scaled && !solving::ParseLevel(levelText, level))
        throw UsageError(
            "new: --level takes aids, basic, subsets, fish-and-wings, chains or a rating "
            "range such as 4.0-5.5 (1.0 to 12.0), not '" +
            levelText + "'");

    PuzzleMaker maker(seed);
    std::ostream& report = out == "-" ? io.err : io.out;
    for (int n = 1; n <= count; ++n) {
        CandidateBoard board;
        const MadePuzzle made =
            scaled ? maker.Next([=](const MadePuzzle& p) { return PuzzleInScale(p, low, high); })
            : leveled
                ? maker.Next([level](const MadePuzzle& p) { return PuzzleHasLevel(p, level); })
                : maker.Next(!line.Has("--any"));
        PutCells(made.cells, board);
        const std::string name = out == "-"   ? out
                                 : count == 1 ? WithBoardExtension(out)
                                              : NumberedName(base, n, count);
        WriteBoard(name, board, io.out);
        if (name != "-") report << name << "\n";
    }
    report << count << (count == 1 ? " puzzle" : " puzzles") << " from seed " << seed << ", "
           << maker.Generated() << " generated\n";
    return 0;
}

// As many files as a command line holds.
constexpr std::size_t kManyOperands = 100000;

struct Command {
    const char* name;
    CommandGrammar grammar;
    bool needsOperand;
    int (*run)(const CommandLine&, ToolStreams&);
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {"import", {{"-o", "--index"}, {"--propagate"}, 1}, false, Import},
        {"export", {{"--format"}, {"--window"}, 1}, true, Export},
        {"show", {{}, {"--window"}, 1}, true, Show},
        {"new", {{"-o", "--count", "--seed", "--level"}, {"--any"}, 0}, false, New},
        {"check", {{}, {"--window"}, 1}, true, Check},
        {"hint", {{"-o"}, {"--apply", "--all", "--window"}, 1}, true, Hint},
        {"solve", {{"-o"}, {"--steps", "--window"}, 1}, true, Solve},
        {"rate", {{"--jobs"}, {}, 1}, false, Rate},
        {"print",
         {{"-o", "--per-page", "--paper", "--title", "--printer"},
          {"--candidates", "--rating", "--window"},
          kManyOperands},
         false,
         Print},
    };
    return commands;
}

int Dispatch(const std::vector<std::string>& args, ToolStreams& io) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") {
            io.out << kHelp;
            return 0;
        }
        if (arg == "--version") {
            io.out << "quillet-board " QUILLET_VERSION "\n" QUILLET_VERSION_NOTICE;
            return 0;
        }
    }
    if (args.empty())
        throw UsageError(
            "a command is needed: import, export, show, new, check, hint, solve, rate or print");
    for (const Command& command : Commands()) {
        if (args.front() != command.name) continue;
        const CommandLine line = ParseCommandLine(
            command.name, std::vector<std::string>(args.begin() + 1, args.end()), command.grammar);
        if (line.Has("--window") && !line.operands.empty())
            throw UsageError(std::string(command.name) + ": --window takes no board file");
        if (command.needsOperand && line.operands.empty() && !line.Has("--window"))
            throw UsageError(std::string(command.name) + ": a board file FILE.cgd is needed");
        return command.run(line, io);
    }
    throw UsageError("unknown command '" + args.front() + "'");
}

}  // namespace

int RunBoardTool(const std::vector<std::string>& args, ToolStreams io) {
    try {
        return Dispatch(args, io);
    } catch (const UsageError& e) {
        io.err << "quillet-board: " << e.what() << " (see quillet-board --help)\n";
        return 2;
    } catch (const std::exception& e) {
        io.err << "quillet-board: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace quillet::board_tool
