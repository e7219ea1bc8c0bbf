#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "ToolRun.h"
#include "files/BoardText.h"

namespace quillet::board_tool {
namespace {

using namespace testing;

TEST(LargeText, PencilGridsOfLongCellsReadBackByteForByte) {
    ScratchDir dir;
    std::vector<std::string> longest(81, "123456789"), longRow(81, "5");
    longest[40] = std::string(4096, '7');  // as the window loads it
    for (int col = 1; col <= 9; ++col)
        longRow[ColumnMajorIndex({col, 5})] = std::string(500, '0' + col);
    longRow[0].clear();
    const std::string name = std::string(251, 'p');  // 255 bytes with ".cgd"
    for (const auto& cells : {longest, longRow}) {
        WriteBytes(dir / "a.cgd", JoinBoardText(cells));
        const auto grid = RunTool({"export", "--format", "pencil", dir / "a.cgd"});
        ASSERT_EQ(grid.status, 0) << grid.err;
        const auto back = RunTool({"import", "-o", dir / name}, grid.out);
        ASSERT_EQ(back.status, 0) << back.err;
        EXPECT_EQ(ReadBytes(dir / (name + ".cgd")), JoinBoardText(cells));
    }
}

// Feeds `lines` copies of a puzzle line to `quillet-board import` through a
// pipe; the tool's peak resident size in KiB, or -1 when it failed.
long ImportPeakKiB(long lines) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return -1;
    const std::string index = std::to_string(lines);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(pipeFds[0], 0);
        ::dup2(null, 1);
        ::close(pipeFds[1]);
        ::execl(QUILLET_BOARD_EXECUTABLE, "quillet-board", "import", "--index", index.c_str(), "-",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[0]);
    std::string chunk;
    const std::string line =
        "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......\r\n";
    for (int i = 0; i < 1000; ++i) chunk += line;
    bool written = true;
    for (long sent = 0; sent < lines && written; sent += 1000) {
        const std::size_t bytes =
            static_cast<std::size_t>(std::min(1000L, lines - sent)) * line.size();
        written = ::write(pipeFds[1], chunk.data(), bytes) == static_cast<ssize_t>(bytes);
    }
    ::close(pipeFds[1]);
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !written || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

TEST(LargeText, ImportReadsTextsLargerThanMemoryWithoutGrowing) {
    const long small = ImportPeakKiB(10);
    // 85 MB, past any whole-text buffer a reader might keep.
    const long large = ImportPeakKiB(1'000'000);
    ASSERT_GT(small, 0);
    ASSERT_GT(large, 0);
    EXPECT_LT(large - small, 8 * 1024) << small << " KiB for 10 lines, " << large << " KiB";
}

}  // namespace
}  // namespace quillet::board_tool
