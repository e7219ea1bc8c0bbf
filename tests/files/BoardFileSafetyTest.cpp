#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QFileInfo>

#include "BoardFilesTestSupport.h"
#include "files/BoardFileIo.h"
#include "files/BoardText.h"
#include "files/FileReplacement.h"

namespace quillet {
namespace {

using testing::AllCells;
using testing::BoardFilesTest;

// Lowers the file size limit of the process for one scope, so that writing
// past it fails as on a full disk (with SIGXFSZ ignored, write gives EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    sighandler_t previousHandler_;
};

TEST_F(BoardFilesTest, AFailedWriteKeepsThePreviousFileAndTheUndo) {
    WriteFile("x.cgd", "old\r\n");
    ASSERT_TRUE(state.PlaceDigit(3));
    const auto current = AllCells(board());
    {
        const FileSizeLimit limit(64);
        EXPECT_EQ(Save("x"), kWriteErrorMessage);
    }
    EXPECT_EQ(ReadFile("x.cgd"), "old\r\n");
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("x.cgd")});
    EXPECT_EQ(outcome.kind, FileOutcome::Kind::kFailed);
    EXPECT_EQ(outcome.error->GetKind(), CommandError::Kind::kCannotWrite);
    EXPECT_TRUE(files.Listing()->names.empty());  // not read again
    ASSERT_TRUE(state.UndoAvailable());
    board().ResetAll();
    state.UndoLast();
    EXPECT_EQ(AllCells(board()), current);
}

TEST_F(BoardFilesTest, SavingWhereNoFileCanBeMadeTouchesNothing) {
    EXPECT_EQ(Save("nodir/x"), "ファイル nodir/x.cgd を作成できません");

    ASSERT_TRUE(Directory().mkdir(QStringLiteral("d.cgd")));
    WriteFile("d.cgd/inside", "kept");
    EXPECT_EQ(Save("D.cgd"), CannotCreateMessage("d.cgd"));
    EXPECT_EQ(ReadFile("d.cgd/inside"), "kept");

    ASSERT_EQ(mkfifo(Path("pipe.cgd").c_str(), 0600), 0);
    EXPECT_EQ(Save("pipe"), CannotCreateMessage("pipe.cgd"));
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("d.cgd"), QStringLiteral("pipe.cgd")}));
    EXPECT_TRUE(QFileInfo(QPath("d.cgd")).isDir());
    EXPECT_FALSE(QFileInfo(QPath("pipe.cgd")).isFile());
}

TEST_F(BoardFilesTest, SavingOntoADeviceIsRefusedWithoutReplacingIt) {
    if (!QFileInfo::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
    ASSERT_EQ(symlink("/dev/full", Path("x.cgd").c_str()), 0);
    EXPECT_EQ(Save("x"), CannotCreateMessage("x.cgd"));
    EXPECT_EQ(QFileInfo(QPath("x.cgd")).symLinkTarget(), QStringLiteral("/dev/full"));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("x.cgd")});
    struct stat info {};
    ASSERT_EQ(stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(BoardFilesTest, OnlyRegularFilesAreLoadedAndNothingBlocks) {
    ASSERT_TRUE(Directory().mkdir(QStringLiteral("d.cgd")));
    ASSERT_EQ(mkfifo(Path("pipe.cgd").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", Path("zero.cgd").c_str()), 0);
    for (const char* name : {"d.cgd", "pipe.cgd", "zero.cgd"})
        EXPECT_EQ(Load(name), CannotOpenMessage(name));
    EXPECT_EQ(AllCells(board()), std::vector<CandidateString>(81, "123456789"));
}

TEST_F(BoardFilesTest, TextBeyondTheLimitIsRefusedAndTheLimitItselfLoads) {
    WriteFile("full.cgd", std::string(kBoardTextLimit - 3, '1') + "\r\n2");
    WriteFile("over.cgd", std::string(kBoardTextLimit + 1, '1'));
    board().SetCell({5, 5}, "kept");
    EXPECT_EQ(Load("over.cgd"), kTextTooLargeMessage);
    EXPECT_EQ(board().Cell({5, 5}), "kept");
    EXPECT_EQ(state.Snapshot().Count(), 0u);

    ASSERT_EQ(Load("full.cgd"), "");
    EXPECT_EQ(board().Cell({1, 1}), std::string(BoardSnapshot::kLineReadCap, '1'));
    EXPECT_EQ(board().Cell({1, 2}), "2");
}

TEST_F(BoardFilesTest, OnlyProvablyOwnLeftoversOfTheSameNameAreRemovedBySaving) {
    const std::string board = JoinBoardText(std::vector<std::string>(81, "5"));
    WriteFile(".x.cgd.Ab12Cd.saving", board);       // a killed save of x.cgd
    WriteFile(".x.cgd.Zz99zz.saving", "my notes");  // not a board text
    WriteFile(".y.cgd.Ab12Cd.saving", board);       // another file's
    WriteFile(".x.cgd.Ab12C.saving", board);        // not our name form
    ASSERT_EQ(symlink(".x.cgd.Ab12Cd.saving", Path(".x.cgd.Link00.saving").c_str()), 0);
    WriteFile(".x.cgd.Held00.saving", board);  // a save still running
    const int held = open(Path(".x.cgd.Held00.saving").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    ASSERT_EQ(Save("x"), "");
    close(held);
    EXPECT_EQ(ReadFile("x.cgd"), JoinBoardText(AllCells(this->board())));
    EXPECT_EQ(
        Entries(),
        (QStringList{QStringLiteral(".x.cgd.Ab12C.saving"), QStringLiteral(".x.cgd.Held00.saving"),
                     QStringLiteral(".x.cgd.Link00.saving"), QStringLiteral(".x.cgd.Zz99zz.saving"),
                     QStringLiteral(".y.cgd.Ab12Cd.saving"), QStringLiteral("x.cgd")}));
    EXPECT_EQ(Directory().entryList({QStringLiteral("*.cgd")}),
              QStringList{QStringLiteral("x.cgd")});
}

TEST_F(BoardFilesTest, SavingKeepsPermissionsAndWritesThroughASymbolicLink) {
    ASSERT_TRUE(Directory().mkdir(QStringLiteral("real")));
    WriteFile("real/b.cgd", "old");
    ASSERT_EQ(chmod(Path("real/b.cgd").c_str(), 0640), 0);
    ASSERT_EQ(symlink("real/b.cgd", Path("b.cgd").c_str()), 0);
    ASSERT_EQ(Save("b"), "");
    EXPECT_EQ(QFileInfo(QPath("b.cgd")).symLinkTarget(),
              QFileInfo(QPath("real/b.cgd")).absoluteFilePath());
    EXPECT_EQ(ReadFile("real/b.cgd"), JoinBoardText(AllCells(board())));
    struct stat info {};
    ASSERT_EQ(stat(Path("real/b.cgd").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(QPath("real")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("b.cgd")});
}

TEST_F(BoardFilesTest, AFileLongerThanItsStatedSizeIsReadWhole) {
    if (!QFileInfo::exists(QStringLiteral("/proc/self/status"))) GTEST_SKIP() << "no /proc";
    ASSERT_EQ(Load("/proc/self/status"), "");  // stated size 0
    EXPECT_TRUE(board().Cell({1, 1}).starts_with("Name:"));
    EXPECT_FALSE(board().Cell({1, 5}).empty());
}

TEST(SavedBoardTextTest, OnlyExactlyEightyOneCrLfLinesQualify) {
    const std::string board = JoinBoardText(std::vector<std::string>(81, "12"));
    EXPECT_TRUE(IsSavedBoardText(board));
    EXPECT_TRUE(IsSavedBoardText(JoinBoardText(std::vector<std::string>(81))));
    EXPECT_FALSE(IsSavedBoardText(board.substr(0, board.size() - 1)));
    EXPECT_FALSE(IsSavedBoardText(board + "\r\n"));
    EXPECT_FALSE(IsSavedBoardText(std::string(board).replace(0, 1, "\n")));
    EXPECT_FALSE(IsSavedBoardText(std::string(board).replace(0, 1, std::string(1, '\0'))));
    EXPECT_FALSE(IsTemporaryNameFor(".x.cgd.Ab12Cd.saving", "x"));
    EXPECT_TRUE(IsTemporaryNameFor(".x.Ab12Cd.saving", "x"));
    EXPECT_FALSE(IsTemporaryNameFor(".x.Ab-2Cd.saving", "x"));
}

}  // namespace
}  // namespace quillet
