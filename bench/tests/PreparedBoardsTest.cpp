#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "BoardTestSupport.h"
#include "aids/CompletionCheck.h"
#include "aids/HiddenSingles.h"
#include "aids/SelectorPath.h"
#include "latency/PreparedBoards.h"

namespace quillet::bench {
namespace {

using quillet::testing::RecordingInformer;

// Records in `placed` the digit of every Decide the aids run.
DecidePath CountingPath(BoardState& state, std::vector<int>& placed) {
    DecidePath path = SelectorPath(state);
    path.Decide = [&placed, selector = path.SelectorValue, decide = path.Decide] {
        placed.push_back(selector());
        return decide();
    };
    return path;
}

struct Loaded {
    Loaded(const std::vector<std::string>& lines)
        : state(informer), path(CountingPath(state, placed)) {
        for (const std::string& line : lines) state.Snapshot().Append(line);
        state.Snapshot().RestoreBoard(state.Board());
    }
    RecordingInformer informer;
    BoardState state;
    std::vector<int> placed;
    DecidePath path;
};

TEST(PreparedBoardsTest, SolvedBoardIsAValidGridThatTheCheckCongratulates) {
    const auto lines = SolvedBoard();
    ASSERT_EQ(lines.size(), 81u);
    for (int i = 0; i < 9; ++i) {
        std::set<int> row, col, box;
        for (int j = 0; j < 9; ++j) {
            row.insert(SolutionDigit(j + 1, i + 1));
            col.insert(SolutionDigit(i + 1, j + 1));
            box.insert(SolutionDigit(i / 3 * 3 + j / 3 + 1, i % 3 * 3 + j % 3 + 1));
        }
        EXPECT_EQ(row.size(), 9u);
        EXPECT_EQ(col.size(), 9u);
        EXPECT_EQ(box.size(), 9u);
    }
    Loaded board(lines);
    bool congratulated = false;
    CheckBoard(board.state, board.path, [&] { congratulated = true; });
    EXPECT_TRUE(congratulated);
    EXPECT_EQ(board.placed.size(), 81u);
    EXPECT_TRUE(board.informer.texts.empty());
}

TEST(PreparedBoardsTest, BoxAidPlacesAFiveInEveryBoxAndLinesAidWritesNine) {
    Loaded boxes(HiddenFivesBoard());
    SolveAllBoxes(boxes.state, boxes.path);
    EXPECT_EQ(boxes.placed, std::vector<int>(9, 5));
    EXPECT_TRUE(boxes.informer.texts.empty());

    Loaded lines(HiddenFivesBoard());
    SolveLines(lines.state.Board());
    int fives = 0;
    ForEachCellColumnMajor([&](CellPos p) { fives += lines.state.Board().Cell(p) == "5" ? 1 : 0; });
    EXPECT_EQ(fives, 9);
}

TEST(PreparedBoardsTest, EveryGivenStrikesItsDigitFromSeventeenCellsOrMore) {
    int givens = 0;
    ForEachCellColumnMajor([&](CellPos at) {
        Loaded board(PuzzleBoard());
        const CandidateBoard before = board.state.Board();
        if (!IsGiven(at.col, at.row)) {
            EXPECT_EQ(before.Cell(at), "123456789");
            return;
        }
        ++givens;
        board.state.Board().SetSelection(at);
        ASSERT_TRUE(board.state.PlaceDigit(SolutionDigit(at.col, at.row)));
        int changed = 0;
        ForEachCellColumnMajor(
            [&](CellPos p) { changed += board.state.Board().Cell(p) != before.Cell(p); });
        EXPECT_GE(changed, 17) << at.col << "," << at.row;
    });
    EXPECT_EQ(givens, 17);
}

}  // namespace
}  // namespace quillet::bench
