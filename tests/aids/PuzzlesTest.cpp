#include <gtest/gtest.h>

#include <map>

#include "BoardTestSupport.h"
#include "PuzzleFixture.h"
#include "aids/AidRounds.h"
#include "aids/SelectorPath.h"

namespace quillet {
namespace {

// Real puzzles, solved by repeating the three aid buttons as a user would.
TEST(Puzzles, TheAidsFinishSimplePuzzlesAndNeverPlaceAWrongDigit) {
    const auto puzzles = testing::LoadPuzzles(QUILLET_FIXTURE_DIR "/puzzles.txt");
    ASSERT_EQ(puzzles.size(), 40u);
    std::map<std::string, int> finished;
    for (const auto& puzzle : puzzles) {
        testing::RecordingInformer informer;
        BoardState state(informer);
        const DecidePath path = SelectorPath(state);
        puzzle.SetUp(state.Board());
        const bool done = FinishWithAids(state, path).congratulated;
        ForEachCellColumnMajor([&](CellPos p) {
            const CandidateString& cell = state.Board().Cell(p);
            if (cell.size() == 1)
                ASSERT_EQ(cell, puzzle.Answer(p)) << puzzle.givens;
            else
                ASSERT_TRUE(Contains(cell, puzzle.Answer(p))) << puzzle.givens;
        });
        EXPECT_TRUE(informer.texts.empty());
        finished[puzzle.difficulty] += done ? 1 : 0;
    }
    std::printf("finished: %d of 20 simple, %d of 20 easy\n", finished["simple"], finished["easy"]);
    EXPECT_EQ(finished["simple"], 20);
    EXPECT_EQ(finished["easy"], 20);
}

}  // namespace
}  // namespace quillet
