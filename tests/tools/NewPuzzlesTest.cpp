#include <gtest/gtest.h>

#include <qqwing.hpp>

#include <array>

#include "ToolRun.h"
#include "board/CandidateBoard.h"
#include "files/BoardText.h"

namespace quillet::board_tool {
namespace {

using testing::ReadBytes;
using testing::RunTool;
using testing::ScratchDir;

// The givens of a made board file, row by row, 0 for an open cell; every
// cell must be a single digit or "123456789".
std::array<int, 81> Givens(const std::string& bytes) {
    std::array<int, 81> givens{};
    const auto lines = SplitBoardText(bytes);
    EXPECT_EQ(lines.size(), 81u);
    ForEachCellColumnMajor([&](CellPos p) {
        const std::string& text = lines[ColumnMajorIndex(p)];
        EXPECT_TRUE(text.size() == 1 || text == FULL_SET) << text;
        givens[RowMajorIndex(p)] = text.size() == 1 ? text[0] - '0' : 0;
    });
    return givens;
}

int CountSolutions(const std::string& bytes) {
    auto givens = Givens(bytes);
    qqwing::SudokuBoard solver;
    EXPECT_TRUE(solver.setPuzzle(givens.data()));
    return solver.countSolutions();
}

// That the aids finish them is shown in the window (BoardFilesInTheWindowTest).
// How fast they come is the benchmark's business: a deadline here fails on a
// loaded machine, not on a slow generator.
TEST(NewPuzzles, TwentyFromSeedOneHaveOneSolutionEach) {
    ScratchDir dir;
    const auto result = RunTool({"new", "--count", "20", "--seed", "1", "-o", dir / "p.cgd"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find(dir / "p-20.cgd\n"), std::string::npos);
    for (int n = 1; n <= 20; ++n) {
        const std::string name = dir / ((n < 10 ? "p-0" : "p-") + std::to_string(n) + ".cgd");
        EXPECT_EQ(CountSolutions(ReadBytes(name)), 1) << name;
    }
}

TEST(NewPuzzles, TheSeedRepeatsThePuzzles) {
    const auto first = RunTool({"new", "--seed", "42", "-o", "-"});
    const auto again = RunTool({"new", "--seed", "42", "-o", "-"});
    const auto other = RunTool({"new", "--seed", "43", "-o", "-"});
    const auto any = RunTool({"new", "--seed", "42", "--any", "-o", "-"});
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.out, again.out);
    EXPECT_NE(first.out, other.out);
    EXPECT_TRUE(first.err.starts_with("1 puzzle from seed 42, ")) << first.err;
    EXPECT_EQ(CountSolutions(any.out), 1);
}

}  // namespace
}  // namespace quillet::board_tool
