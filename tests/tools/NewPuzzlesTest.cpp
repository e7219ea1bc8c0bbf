#include <gtest/gtest.h>

#include <qqwing.hpp>

#include <chrono>

#include "../aids/FakeDecidePath.h"
#include "../board/BoardTestSupport.h"
#include "ToolRun.h"
#include "aids/CompletionCheck.h"
#include "aids/HiddenSingles.h"
#include "files/BoardText.h"

namespace quillet::board_tool {
namespace {

using testing::ReadBytes;
using testing::RunTool;
using testing::ScratchDir;

// A made board file: every cell a given digit or "123456789".
struct MadeBoard {
    BoardState state;
    std::array<int, 81> givens{};  // row by row, 0 for open

    MadeBoard(Informer& informer, const std::string& bytes) : state(informer) {
        const auto lines = SplitBoardText(bytes);
        EXPECT_EQ(lines.size(), 81u);
        ForEachCellColumnMajor([&](CellPos p) {
            const std::string& text = lines[(p.col - 1) * 9 + p.row - 1];
            EXPECT_TRUE(text.size() == 1 || text == FULL_SET) << text;
            state.Board().SetCell(p, text);
            givens[(p.row - 1) * 9 + p.col - 1] = text.size() == 1 ? text[0] - '0' : 0;
        });
    }
};

// Presses "OK?", "解1", "解2" as the window's buttons run them.
bool AidsCongratulate(BoardState& state) {
    quillet::testing::FakeDecidePath path(state);
    for (int round = 0; round < 100; ++round) {
        bool done = false;
        CheckBoard(state, path, [&] { done = true; });
        if (done) return true;
        SolveAllBoxes(state, path);
        RunLinesAid(state.Board(), path);
    }
    return false;
}

void ExpectUniqueAndFinishedByTheAids(const std::string& bytes) {
    quillet::testing::RecordingInformer informer;
    MadeBoard made(informer, bytes);
    qqwing::SudokuBoard solver;
    ASSERT_TRUE(solver.setPuzzle(made.givens.data()));
    EXPECT_EQ(solver.countSolutions(), 1);
    ASSERT_TRUE(solver.solve());
    EXPECT_TRUE(AidsCongratulate(made.state));
    ForEachCellColumnMajor([&](CellPos p) {
        EXPECT_EQ(made.state.Board().Cell(p),
                  std::to_string(solver.getSolution()[(p.row - 1) * 9 + p.col - 1]));
    });
    EXPECT_TRUE(informer.texts.empty());
}

TEST(NewPuzzles, TwentyFromSeedOneHaveOneSolutionAndTheAidsFinishThem) {
    ScratchDir dir;
    const auto start = std::chrono::steady_clock::now();
    const auto result = RunTool({"new", "--count", "20", "--seed", "1", "-o", dir / "p.cgd"});
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    EXPECT_NE(result.out.find(dir / "p-20.cgd\n"), std::string::npos);
    for (int n = 1; n <= 20; ++n) {
        const std::string name = dir / ((n < 10 ? "p-0" : "p-") + std::to_string(n) + ".cgd");
        ExpectUniqueAndFinishedByTheAids(ReadBytes(name));
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

    quillet::testing::RecordingInformer informer;
    MadeBoard made(informer, any.out);
    qqwing::SudokuBoard solver;
    ASSERT_TRUE(solver.setPuzzle(made.givens.data()));
    EXPECT_EQ(solver.countSolutions(), 1);
}

}  // namespace
}  // namespace quillet::board_tool
