#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "BoardTestSupport.h"
#include "ToolRun.h"
#include "aids/CompletionCheck.h"
#include "aids/SelectorPath.h"
#include "board/BoardSnapshot.h"
#include "files/BoardText.h"

namespace quillet::board_tool {
namespace {

using namespace testing;

// The same with a second 6 in row 1, in column 9.
const std::string kTwinGivens = "......6.6" + std::string(kGivens).substr(9);

std::vector<std::string> Lines(const std::string& boardText) { return SplitBoardText(boardText); }

std::string BoardText(const std::vector<std::string>& cells) { return JoinBoardText(cells); }

TEST(BoardTool, ImportTurnsRowsIntoColumns) {
    const auto result = RunTool({"import"}, kGivens);
    ASSERT_EQ(result.status, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(result.out.size(), 58 * 11 + 23 * 3u);  // 23 givens
    EXPECT_EQ(lines[0], "123456789");                 // column 1, row 1
    EXPECT_EQ(lines[2], "2");                         // column 1, row 3
    EXPECT_EQ(lines[54], "6");                        // column 7, row 1
    EXPECT_EQ(lines[9 + 3], "5");                     // column 2, row 4

    ScratchDir dir;
    ASSERT_EQ(RunTool({"import", "-o", dir / "p", "-"}, kGivens).status, 0);
    EXPECT_EQ(ReadBytes(dir / "p.cgd"), result.out);
}

TEST(BoardTool, PropagateStrikesAsTheProgramsCheckDoes) {
    // In the second puzzle the check empties the later 6 of row 1.
    for (const std::string& givens : {std::string(kGivens), kTwinGivens}) {
        const auto result = RunTool({"import", "--propagate"}, givens);
        ASSERT_EQ(result.status, 0) << result.err;

        quillet::testing::RecordingInformer informer;
        BoardState state(informer);
        const DecidePath path = SelectorPath(state);
        ForEachCellColumnMajor([&](CellPos p) {
            const char g = givens[RowMajorIndex(p)];
            state.Board().SetCell(p, g == '.' ? std::string(FULL_SET) : std::string(1, g));
        });
        bool congratulated = false;
        CheckBoard(state, path, [&] { congratulated = true; });
        state.Snapshot().CaptureBoard(state.Board());
        EXPECT_EQ(result.out, JoinBoardText(state.Snapshot().Lines()));
        EXPECT_FALSE(congratulated);
    }
}

TEST(BoardTool, PencilExportReadsBackByteForByte) {
    ScratchDir dir;
    std::vector<std::string> odd, singles;
    for (int k = 0; k < 81; ++k) {
        const std::string digits = "987654321";
        odd.push_back(k % 7 == 0 ? "" : k % 5 == 0 ? "21" : digits.substr(k % 9, k % 4 + 1));
        singles.push_back(k % 10 == 0 ? "" : std::string(1, static_cast<char>('1' + k % 9)));
    }
    for (const auto& cells : {odd, singles}) {
        WriteBytes(dir / "a.cgd", BoardText(cells));
        const auto grid = RunTool({"export", "--format", "pencil", dir / "a.cgd"});
        ASSERT_EQ(grid.status, 0) << grid.err;
        const auto back = RunTool({"import"}, grid.out);
        ASSERT_EQ(back.status, 0) << back.err << grid.out;
        EXPECT_EQ(back.out, BoardText(cells)) << grid.out;
    }
}

TEST(BoardTool, ExportAndShow) {
    ScratchDir dir;
    ASSERT_EQ(RunTool({"import", "-o", dir / "p.cgd"}, kGivens).status, 0);
    EXPECT_EQ(RunTool({"export", dir / "p.cgd"}).out, std::string(kGivens) + "\n");
    const auto grid = RunTool({"export", "--format=grid", dir / "p.cgd"}).out;
    EXPECT_EQ(grid.substr(0, 20), "......6..\n..82...39\n");

    const auto ascii = RunTool({"show", dir / "p.cgd"}).out;
    const auto boxes = RunTool({"show", dir / "p.cgd"}, "", true).out;
    EXPECT_EQ(ascii.find("┌"), std::string::npos);
    EXPECT_NE(boxes.find("┌"), std::string::npos);
    EXPECT_EQ(RunTool({"import"}, boxes).out, RunTool({"import"}, ascii).out);

    std::vector<std::string> cells(81, "5");
    cells[3] = "\x1b[2J";
    WriteBytes(dir / "x.cgd", BoardText(cells));
    EXPECT_NE(RunTool({"show", dir / "x.cgd"}).out.find("\\x1B[2J"), std::string::npos);
}

TEST(BoardTool, CheckTellsConsistencyAndTheRoundsOfTheAids) {
    ScratchDir dir;
    ASSERT_EQ(RunTool({"import", "-o", dir / "p.cgd"}, kGivens).status, 0);
    const auto good = RunTool({"check", dir / "p.cgd"});
    EXPECT_EQ(good.status, 0);
    EXPECT_NE(good.out.find("consistent, 23 cells solved, 58 open"), std::string::npos) << good.out;
    EXPECT_NE(good.out.find("p.cgd: one solution\n"), std::string::npos) << good.out;
    const std::string open = std::string(kGivens).replace(6, 1, ".").replace(11, 1, ".");
    const auto several = RunTool({"import", "-o", dir / "o.cgd"}, open);
    EXPECT_EQ(several.status, 0);
    EXPECT_EQ(several.err, "quillet-board: standard input: the puzzle has several solutions\n");
    EXPECT_NE(RunTool({"check", dir / "o.cgd"}).out.find("o.cgd: several solutions\n"),
              std::string::npos);
    EXPECT_NE(good.out.find("23 solved digits are still candidates"), std::string::npos);
    EXPECT_NE(good.out.find("the aids finish it in"), std::string::npos) << good.out;

    // A doubtful puzzle is imported with a note, the clash named.
    const auto twin = RunTool({"import", "-o", dir / "d.cgd"}, kTwinGivens);
    ASSERT_EQ(twin.status, 0);
    EXPECT_EQ(twin.err,
              "quillet-board: standard input: column 9, row 1: 6 twice in row 1, also at column 7, "
              "row 1\nquillet-board: standard input: the puzzle has no solution\n");
    const auto bad = RunTool({"check", dir / "d.cgd"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(
        bad.err,
        "quillet-board: " + dir / "d.cgd" +
            ": line 73, column 1 (column 9, row 1): 6 twice in row 1, also at column 7, row 1\n");
}

struct ErrorCase {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string message;
};

TEST(BoardTool, EveryErrorHasItsStatusAndOneLine) {
    ScratchDir dir;
    std::vector<std::string> cells(81, "123456789");
    WriteBytes(dir / "short.cgd",
               BoardText(std::vector<std::string>(cells.begin(), cells.end() - 1)));
    cells[20] = "x";
    WriteBytes(dir / "x.cgd", BoardText(cells));
    cells[20] = "10";
    WriteBytes(dir / "ten.cgd", BoardText(cells));
    WriteBytes(dir / "big.cgd", std::string(kBoardTextLimit + 1, '\n'));
    const std::string line(kGivens);
    const ErrorCase cases[] = {
        {{}, "", 2, "a command is needed"},
        {{"guess"}, "", 2, "unknown command 'guess'"},
        {{"import", "--fast"}, "", 2, "unknown option '--fast'"},
        {{"import", "--index"}, "", 2, "--index needs a value"},
        {{"import", "--index", "0"}, "", 2, "--index takes a whole number from 1"},
        {{"import", "a", "b"}, "", 2, "unexpected operand 'b'"},
        {{"export", "--format", "csv", "p.cgd"}, "", 2, "--format takes line, grid or pencil"},
        {{"show"}, "", 2, "show: a board file FILE.cgd is needed"},
        {{"new", "--count", "many"}, "", 2, "--count takes a whole number"},
        {{"new", "--count", "2", "-o", "-"}, "", 2, "-o - writes one puzzle only"},
        {{"import", dir / "none.txt"}, "", 1, dir / "none.txt: cannot open the file"},
        {{"import", dir / ""}, "", 1, "is a directory"},
        {{"export", dir / "big.cgd"}, "", 1, "big.cgd: too large for a board file"},
        {{"import"},
         line + "\n" + line.substr(3) + "\n",
         1,
         "standard input: line 2, column 79: the line ends after 78 cells"},
        {{"import"}, "# nothing\n", 1, "standard input: no puzzle in the text"},
        {{"import", "--index", "3"},
         line + "\n" + line,
         1,
         "--index 3 asks for more than the 2 puzzles"},
        {{"import", "-o", dir / "no/p.cgd"}, line, 1, "no/p.cgd: cannot create the file"},
        {{"export", dir / "short.cgd"},
         "",
         1,
         "short.cgd: line 81, column 1: the board file ends after 80 lines"},
        {{"export", dir / "x.cgd"}, "", 1, "x.cgd: line 21, column 1: 'x' is no digit"},
        {{"export", "--format", "pencil", dir / "ten.cgd"},
         "",
         1,
         "ten.cgd: line 21, column 2: '10' is not a string"},
        {{"check", dir / "ten.cgd"},
         "",
         1,
         "ten.cgd: line 21, column 2 (column 3, row 3): '10' is not a set"},
    };
    for (const ErrorCase& c : cases) {
        const auto result = RunTool(c.args, c.input);
        EXPECT_EQ(result.status, c.status) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
        EXPECT_EQ(result.out.find("quillet-board:"), std::string::npos);
    }
}

TEST(BoardTool, TheExecutableExitsWithTheStatus) {
    const std::string tool = QUILLET_BOARD_EXECUTABLE;
    auto status = [&](const std::string& args) {
        const int raw = std::system((tool + " " + args + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status("--version"), 0);
    EXPECT_EQ(status("export /nonexistent/p.cgd"), 1);
    EXPECT_EQ(status("export"), 2);
}

}  // namespace
}  // namespace quillet::board_tool
