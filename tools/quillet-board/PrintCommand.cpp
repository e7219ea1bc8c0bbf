#include "PrintCommand.h"

#include <cctype>
#include <ostream>

#include "BoardCells.h"
#include "InOrderWorkers.h"
#include "SheetPrinter.h"
#include "SolveCommands.h"
#include "ToolInput.h"
#include "WindowPath.h"
#include "board/CommandError.h"
#include "files/BoardFileIo.h"
#include "files/BoardFileName.h"
#include "printing/Paper.h"
#include "printing/PdfOutput.h"
#include "printing/ShownName.h"

namespace quillet::board_tool {
namespace {

using printing::PrintedBoard;

// What the rating is worked out from: the puzzle's givens as `rate` reads
// them, or the board's own candidates.
struct ReadBoard {
    PrintedBoard printed;
    CandidateBoard rated;
};

// A board file or the window's board: its own candidates. Which of its
// solved cells were given it does not record; all are printed as givens,
// the digits the pencil starts from.
ReadBoard FromBoard(const CandidateBoard& board, const std::string& name) {
    ReadBoard read{{}, board};
    read.printed.name = name;
    for (int k = 0; k < kCellCount; ++k) {
        read.printed.cells[k] = board.Cells()[k];
        read.printed.givens[k] = board.Cells()[k].size() == 1;
    }
    return read;
}

// A puzzle of a text: its digits are the givens, and its candidates those
// the givens leave, struck as one press of "OK?" strikes them.
ReadBoard FromPuzzle(const TextPuzzle& puzzle, const std::string& name) {
    ReadBoard read;
    PutCells(puzzle.cells, read.rated);
    WindowBoard struck;
    PutCells(puzzle.cells, struck.Board());
    try {
        struck.ApplyCheck();
    } catch (const CommandError&) {
        // A given that is no digit: the candidates stay as the text has them.
        PutCells(puzzle.cells, struck.Board());
    }
    read.printed.name = name;
    for (int k = 0; k < kCellCount; ++k) {
        read.printed.cells[k] = struck.Board().Cells()[k];
        read.printed.givens[k] = read.rated.Cells()[k].size() == 1;
    }
    return read;
}

// The boards of one operand, numbered when it holds more than one.
std::vector<ReadBoard> ReadOperand(const std::string& operand, ToolStreams& io) {
    const std::string shown = operand == "-" ? "standard input" : operand;
    const std::string name = operand == "-" ? "" : std::string(printing::LeafOf(operand));
    std::vector<ReadBoard> boards;
    if (operand != "-" && operand.ends_with(kBoardExtension)) {
        CandidateBoard board;
        Named(operand, [&] { LoadBoardFile(operand, board); });
        boards.push_back(FromBoard(board, name));
        return boards;
    }
    Named(shown, [&] {
        ReadInputPuzzles(operand, io.in,
                         [&](TextPuzzle&& puzzle) { boards.push_back(FromPuzzle(puzzle, name)); });
    });
    if (boards.empty()) throw InputError(shown + ": no puzzle in the text");
    const int count = static_cast<int>(boards.size());
    for (int n = 0; n < count; ++n) {
        boards[n].printed.number = n + 1;
        boards[n].printed.count = count;
    }
    return boards;
}

printing::Paper PaperOf(const CommandLine& line) {
    if (!line.values.count("--paper")) return printing::LocalePaper();
    std::string paper = line.Value("--paper", "");
    for (char& ch : paper) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (paper == "a4") return printing::Paper::kA4;
    if (paper == "letter") return printing::Paper::kLetter;
    throw UsageError("print: --paper takes a4 or letter, not '" + line.Value("--paper", "") + "'");
}

// As many a page as there are boards, up to four, unless told.
int PerPageOf(const CommandLine& line, std::size_t boards) {
    if (!line.values.count("--per-page")) return boards >= 3 ? 4 : static_cast<int>(boards);
    const std::string text = line.Value("--per-page", "");
    if (text != "1" && text != "2" && text != "4" && text != "6")
        throw UsageError("print: --per-page takes 1, 2, 4 or 6, not '" + text + "'");
    return text.front() - '0';
}

void Rate(std::vector<ReadBoard>& boards) {
    InOrderWorkers workers(UsableProcessors(), [](const std::string&) {});
    for (ReadBoard& board : boards) {
        board.printed.ratingAsked = true;
        // Each job fills in its own board, which nothing else touches.
        workers.Add([&board] {
            board.printed.rating = SharedScaleOf(board.rated);
            return std::string();
        });
    }
    workers.Finish();
}

void WritePdf(const std::string& out, const std::string& bytes, std::ostream& stream) {
    if (out == "-") {
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return;
    }
    try {
        WriteWholeFile(out, out, bytes, printing::LooksLikePdf);
    } catch (const CommandError& e) {
        const bool partly = e.GetKind() == CommandError::Kind::kCannotWrite;
        throw InputError(out + ": " +
                         (partly ? "cannot write the whole file" : "cannot create the file"));
    }
}

}  // namespace

int Print(const CommandLine& line, ToolStreams& io) {
    const bool toFile = line.values.count("-o") > 0;
    if (toFile && line.values.count("--printer"))
        throw UsageError("print: -o writes a PDF file, --printer prints; not both");
    const printing::Paper paper = PaperOf(line);
    if (line.values.count("--per-page")) PerPageOf(line, 1);  // a bad one before any reading
    if (!io.printer) throw InputError("print: this quillet-board cannot print");
    io.printer->Prepare();

    std::vector<ReadBoard> boards;
    if (line.Has("--window")) {
        CandidateBoard board;
        LoadCommandBoard(line, io, board);
        boards.push_back(FromBoard(board, "Quillet の盤面"));
    } else {
        std::vector<std::string> operands = line.operands;
        if (operands.empty()) operands.push_back("-");
        for (const std::string& operand : operands)
            for (ReadBoard& board : ReadOperand(operand, io)) boards.push_back(std::move(board));
    }
    const std::string title = line.Value("--title", "");
    if (line.values.count("--title")) {
        const int count = static_cast<int>(boards.size());
        for (int n = 0; n < count; ++n) {
            boards[n].printed.name = title;
            boards[n].printed.number = n + 1;
            boards[n].printed.count = count;
        }
    }
    if (line.Has("--rating")) Rate(boards);

    PrintJob job;
    job.options = {paper, PerPageOf(line, boards.size()), line.Has("--candidates")};
    job.title = title.empty() ? boards.front().printed.name : title;
    for (ReadBoard& board : boards) job.boards.push_back(std::move(board.printed));
    if (toFile)
        WritePdf(line.Value("-o", "-"), io.printer->Pdf(job), io.out);
    else
        io.printer->Queue(job, line.Value("--printer", ""));
    return 0;
}

}  // namespace quillet::board_tool
