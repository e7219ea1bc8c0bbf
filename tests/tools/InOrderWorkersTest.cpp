#include "InOrderWorkers.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <string>
#include <vector>

#include "ToolRun.h"

namespace quillet::board_tool {
namespace {

TEST(InOrderWorkers, WritesLinesInTheOrderAddedWhateverOrderTheyFinish) {
    std::vector<std::string> written;
    // The first job cannot finish before the second has: on two threads
    // the second line is ready first and must wait for the first.
    std::promise<void> secondDone;
    std::shared_future<void> second = secondDone.get_future().share();
    {
        InOrderWorkers workers(2, [&](const std::string& line) { written.push_back(line); });
        workers.Add([second] {
            second.wait();
            return std::string("first");
        });
        workers.Add([&secondDone] {
            secondDone.set_value();
            return std::string("second");
        });
        for (int i = 3; i <= 20; ++i) workers.Add([i] { return std::to_string(i); });
        workers.Finish();
    }
    ASSERT_EQ(written.size(), 20u);
    EXPECT_EQ(written[0], "first");
    EXPECT_EQ(written[1], "second");
    for (int i = 3; i <= 20; ++i) EXPECT_EQ(written[i - 1], std::to_string(i));
}

TEST(InOrderWorkers, AFailingJobStopsTheLinesAfterIt) {
    for (const unsigned threads : {1u, 3u}) {
        std::vector<std::string> written;
        InOrderWorkers workers(threads, [&](const std::string& line) { written.push_back(line); });
        EXPECT_THROW(
            {
                workers.Add([] { return std::string("1"); });
                workers.Add([]() -> std::string { throw std::runtime_error("broken"); });
                workers.Add([] { return std::string("3"); });
                workers.Finish();
            },
            std::runtime_error);
        EXPECT_EQ(written, std::vector<std::string>{"1"}) << threads << " threads";
    }
}

TEST(InOrderWorkers, RateGivesTheSameLinesOnAnyNumberOfThreads) {
    const std::string puzzles =
        "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......\n"
        "52...6.........7.13...........4..8..6......5...........418.........3..2...87.....\n"
        "6.....8.3.4.7.................5.4.7.3..2.....1.6.......2.....5.....8.6......1....\n"
        "48.3............71.2.......7.5....6....2..8.............1.76...3.....4......5....\n";
    const auto alone = testing::RunTool({"rate", "--jobs", "1"}, puzzles);
    ASSERT_EQ(alone.status, 0) << alone.err;
    EXPECT_EQ(testing::RunTool({"rate", "--jobs", "3"}, puzzles).out, alone.out);
    // A fault in the text comes after the lines of the puzzles before it.
    const auto faulty = testing::RunTool({"rate", "--jobs", "2"}, puzzles + "12345678x\n");
    EXPECT_EQ(faulty.status, 1);
    EXPECT_EQ(faulty.out, alone.out);
    EXPECT_NE(faulty.err.find("line 5"), std::string::npos) << faulty.err;
    EXPECT_EQ(testing::RunTool({"rate", "--jobs", "0"}, puzzles).status, 2);
}

}  // namespace
}  // namespace quillet::board_tool
