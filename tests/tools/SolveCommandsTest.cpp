#include <gtest/gtest.h>

#include "BoardTestSupport.h"
#include "ToolRun.h"
#include "board/BoardState.h"
#include "files/BoardText.h"

namespace quillet::board_tool {
namespace {

using namespace testing;

constexpr const char* kSolution =
    "395784612148265739267319548759123864632478951814596273423957186976831425581642397";

// A board file of these cell texts, column by column.
std::string BoardOf(std::vector<std::string> cells) { return JoinBoardText(cells); }

std::vector<std::string> FullCells() { return std::vector<std::string>(81, "123456789"); }

int Line(int col, int row) { return ColumnMajorIndex({col, row}); }

TEST(SolveCommands, HintApplyPlacesAsDecideDoes) {
    ScratchDir dir;
    ASSERT_EQ(RunTool({"import", "-o", dir / "p.cgd"}, kGivens).status, 0);
    const auto hint = RunTool({"hint", dir / "p.cgd"});
    ASSERT_EQ(hint.status, 0) << hint.err;
    // The first given in the board's scan order: column 1, row 3 holds 2.
    EXPECT_EQ(hint.out,
              "Naked single: column 1, row 3 holds only 2. Place 2 in column 1, row 3, striking "
              "it from row 3, column 1 and the top-left box.\n");

    ASSERT_EQ(RunTool({"hint", "--apply", "-o", dir / "q", dir / "p.cgd"}).status, 0);
    quillet::testing::RecordingInformer informer;
    BoardState state(informer);
    const std::vector<std::string> before = SplitBoardText(ReadBytes(dir / "p.cgd"));
    ForEachCellColumnMajor(
        [&](CellPos p) { state.Board().SetCell(p, before[Line(p.col, p.row)]); });
    state.Board().SetSelection({1, 3});
    ASSERT_TRUE(state.PlaceDigit(2));
    EXPECT_EQ(ReadBytes(dir / "q.cgd"), JoinBoardText(quillet::testing::AllCells(state.Board())));

    // Without -o the board is written back in place, whatever its name.
    WriteBytes(dir / "plain", ReadBytes(dir / "q.cgd"));
    ASSERT_EQ(RunTool({"hint", "--apply", dir / "plain"}).status, 0);
    EXPECT_NE(ReadBytes(dir / "plain"), ReadBytes(dir / "q.cgd"));
    EXPECT_FALSE(std::filesystem::exists(dir / "plain.cgd"));
}

TEST(SolveCommands, AnEliminationStrikesOnlyItsDigits) {
    // In the top-left box 5 fits only row 1: the rest of row 1 loses it, and
    // each struck text keeps the order of its other digits.
    std::vector<std::string> cells = FullCells();
    for (int col = 1; col <= 3; ++col)
        for (int row = 2; row <= 3; ++row) cells[Line(col, row)] = "12346789";
    cells[Line(9, 1)] = "975";
    ScratchDir dir;
    WriteBytes(dir / "b.cgd", BoardOf(cells));
    const auto hint = RunTool({"hint", "--apply", "-o", "-", dir / "b.cgd"});
    ASSERT_EQ(hint.status, 0) << hint.err;
    std::vector<std::string> expected = cells;
    for (int col = 4; col <= 8; ++col) expected[Line(col, 1)] = "12346789";
    expected[Line(9, 1)] = "97";
    const std::string paragraph = hint.out.substr(0, hint.out.find('\n') + 1);
    EXPECT_EQ(paragraph.rfind("Locked candidates (pointing) of 5: in the top-left box it", 0), 0u)
        << paragraph;
    EXPECT_EQ(hint.out.substr(paragraph.size()), BoardOf(expected));
}

TEST(SolveCommands, ContradictionsAreNamedWithStatusOne) {
    ScratchDir dir;
    struct Case {
        int line;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {Line(2, 4), "1x", "column 2, row 4 holds '1x', which is not a set of the digits 1 to 9"},
        {Line(2, 4), "\x81@",
         "column 2, row 4 holds '\\x81@', which is not a set of the digits "
         "1 to 9"},
        {Line(2, 4), "", "column 2, row 4 has no candidate left"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> cells = FullCells();
        cells[c.line] = c.text;
        WriteBytes(dir / "c.cgd", BoardOf(cells));
        for (const char* command : {"hint", "solve"}) {
            const auto result = RunTool({command, dir / "c.cgd"});
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.out, "Contradiction: " + c.message + ".\n");
        }
    }
    std::vector<std::string> cells = FullCells();
    for (int row = 1; row <= 9; ++row) cells[Line(4, row)] = "12345689";
    WriteBytes(dir / "c.cgd", BoardOf(cells));
    EXPECT_EQ(RunTool({"hint", dir / "c.cgd"}).out,
              "Contradiction: column 4 has no place left for 7.\n");
}

TEST(SolveCommands, SolveFinishesOrStopsWithTheBoardSoFar) {
    ScratchDir dir;
    ASSERT_EQ(RunTool({"import", "-o", dir / "p.cgd"}, kGivens).status, 0);
    const auto solved = RunTool({"solve", "--steps", "-o", dir / "s.cgd", dir / "p.cgd"});
    ASSERT_EQ(solved.status, 0) << solved.out;
    // The givens' strikes come first, unnumbered; the count is of the rest.
    EXPECT_EQ(solved.out.rfind("- Naked single: ", 0), 0u) << solved.out;
    const std::size_t last = solved.out.rfind("\n", solved.out.find("\nSolved in ") - 1);
    const std::string lastStep =
        solved.out.substr(last + 1, solved.out.find(". ", last) - last - 1);
    EXPECT_NE(solved.out.find("\nSolved in " + lastStep + " steps;"), std::string::npos)
        << solved.out;
    EXPECT_EQ(solved.out.find("\n- ", solved.out.find("\n1. ")), std::string::npos);
    EXPECT_EQ(RunTool({"export", dir / "s.cgd"}).out, std::string(kSolution) + "\n");

    WriteBytes(dir / "full.cgd", BoardOf(FullCells()));
    const auto stuck = RunTool({"solve", dir / "full.cgd"});
    EXPECT_EQ(stuck.status, 1);
    EXPECT_EQ(stuck.out.rfind("Stuck after 0 steps with 81 cells open", 0), 0u) << stuck.out;
    EXPECT_NE(stuck.out.find("The board so far:\n"), std::string::npos);
    EXPECT_EQ(RunTool({"hint", dir / "full.cgd"}).status, 1);

    EXPECT_EQ(RunTool({"solve"}).status, 2);
    EXPECT_EQ(RunTool({"hint", "--apply", "--all", dir / "p.cgd"}).status, 2);
    EXPECT_EQ(RunTool({"hint", "-o", dir / "x.cgd", dir / "p.cgd"}).status, 2);
    EXPECT_EQ(RunTool({"new", "--level", "hardest"}).status, 2);
    EXPECT_EQ(RunTool({"new", "--level", "12.5"}).status, 2);
    EXPECT_EQ(RunTool({"new", "--level", "5.0-4.0"}).status, 2);
}

TEST(SolveCommands, RateGivesOneLinePerPuzzle) {
    const std::string twin = "11" + std::string(kGivens).substr(2);
    const auto rated = RunTool({"rate"}, std::string(kGivens) + "\n" + twin + "\n");
    ASSERT_EQ(rated.status, 0) << rated.err;
    const std::string first = rated.out.substr(0, rated.out.find('\n'));
    EXPECT_EQ(first.substr(0, 2), "1\t");
    EXPECT_NE(first.find("\tbasic\t"), std::string::npos) << first;
    // The last field: the rating on the shared scale. Singles finish it, but
    // taking hidden singles first, as the scale's rater does, leads to a
    // point where only a naked single is open.
    EXPECT_EQ(first.substr(first.rfind('\t')), "\t2.3") << first;
    EXPECT_NE(rated.out.find("\n2\t-\tcontradiction\t1 is solved twice in row 1"),
              std::string::npos)
        << rated.out;
    // Two solutions are marked, not rated as the hardest puzzles.
    const std::string open = std::string(kGivens).replace(6, 1, ".").replace(11, 1, ".");
    EXPECT_EQ(RunTool({"rate"}, open).out, "1\t-\tseveral solutions\tat least two\n");

    ScratchDir dir;
    ASSERT_EQ(RunTool({"new", "--level", "basic", "--seed", "3", "-o", dir / "n"}).status, 0);
    const auto level = RunTool({"rate", dir / "n.cgd"});
    EXPECT_NE(level.out.find("\tbasic\t"), std::string::npos) << level.out;
    // A range of the shared scale picks puzzles whose rating lies in it.
    ASSERT_EQ(RunTool({"new", "--level", "2.6-3.4", "--seed", "3", "-o", dir / "r"}).status, 0);
    const std::string ranged = RunTool({"rate", dir / "r.cgd"}).out;
    const double scale = std::stod(ranged.substr(ranged.rfind('\t') + 1));
    EXPECT_GE(scale, 2.6) << ranged;
    EXPECT_LE(scale, 3.4) << ranged;
}

}  // namespace
}  // namespace quillet::board_tool
