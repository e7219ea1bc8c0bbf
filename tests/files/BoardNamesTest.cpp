#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BoardTestSupport.h"
#include "FileBytes.h"
#include "board/CommandError.h"
#include "files/BoardDirectory.h"
#include "files/BoardFileIo.h"
#include "files/BoardFileName.h"
#include "files/BoardFiles.h"
#include "files/BoardText.h"
#include "files/FileReplacement.h"

namespace quillet {
namespace {

const std::string kShiftJisName = "\x94\xd5\x96\xca.cgd";      // 盤面.cgd
const std::string kLongName = std::string(251, 'n') + ".cgd";  // 255 bytes

// A scratch directory whose own name is not UTF-8; nothing is made current.
class BoardNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string base = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
        base += "/names-XXXXXX";
        ASSERT_NE(::mkdtemp(base.data()), nullptr);
        root_ = base;
        dir = root_ + "/dir-\xff\x94\xd5";
        ASSERT_EQ(::mkdir(dir.c_str(), 0777), 0);
        files = BoardFiles(dir);
    }
    void TearDown() override {
        const std::string command = "rm -rf '" + root_ + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    std::string In(const std::string& name) const { return dir + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        testing::WriteBytes(In(name), bytes);
    }
    std::string Read(const std::string& name) const { return testing::ReadBytes(In(name)); }
    // The error text of a save or load, or "".
    std::string Run(FileOutcome (BoardFiles::*operation)(BoardState&, const std::string&),
                    const std::string& name) {
        outcome = (files.*operation)(state, name);
        return outcome.error ? outcome.error->what() : "";
    }

    std::string dir;
    testing::RecordingInformer informer;
    BoardState state{informer};
    BoardFiles files{"."};
    FileOutcome outcome;

private:
    std::string root_;
};

TEST_F(BoardNamesTest, ListsEveryMatchingFileAsStoredSortedWithoutCase) {
    for (const std::string& name :
         {kShiftJisName, std::string("\xff\xfe.cgd"), kLongName, std::string("new\nline.cgd"),
          std::string("Zeta.CGD"), std::string("alpha.cgd"), std::string(".hidden.cgd"),
          std::string("notes.txt"), std::string("b.cgd.bak")})
        Write(name, "1\r\n");
    ASSERT_EQ(::mkdir(In("folder.cgd").c_str(), 0777), 0);
    ASSERT_EQ(::symlink("alpha.cgd", In("link.cgd").c_str()), 0);
    ASSERT_EQ(::symlink("missing", In("dangling.cgd").c_str()), 0);

    const std::vector<std::string> expected{"alpha.cgd", "link.cgd",    "new\nline.cgd", kLongName,
                                            "Zeta.CGD",  kShiftJisName, "\xff\xfe.cgd"};
    EXPECT_EQ(ListMatchingFiles(dir, "*.cgd"), expected);
    EXPECT_EQ(ListMatchingFiles(dir, "*.txt;*.bak;z*"),
              (std::vector<std::string>{"b.cgd.bak", "notes.txt", "Zeta.CGD"}));
    EXPECT_EQ(ListMatchingFiles(dir, "?\xfe.cgd;\xe7\x9b\xa4?.cgd"),
              std::vector<std::string>{"\xff\xfe.cgd"});
    EXPECT_TRUE(ListMatchingFiles(dir + "/missing", "*").empty());
}

TEST_F(BoardNamesTest, ACurrentListingMatchesLetterCaseLikeTheDirectory) {
    Write("Zeta.cgd", "1\r\n");
    Write("Other.txt", "1\r\n");
    // An hour back, so that the change below shows even within one tick of
    // the file system's clock.
    const timespec past[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.c_str(), past, 0), 0);
    const DirectoryListing listing = ReadListing(dir, "*.cgd");
    EXPECT_EQ(MatchLetterCase(In("zeta.cgd"), &listing), In("Zeta.cgd"));
    EXPECT_EQ(MatchLetterCase(In("other.txt"), &listing), In("Other.txt"));  // not listed
    EXPECT_EQ(MatchLetterCase(In("none.cgd"), &listing), In("none.cgd"));
    // A second spelling since the listing: the directory is read again.
    Write("ZETA.cgd", "2\r\n");
    EXPECT_EQ(MatchLetterCase(In("zeta.cgd"), &listing), In("zeta.cgd"));
}

// A directory time not older than the reading, as when the directory changed
// in the clock tick the listing was read in (or its clock runs ahead): a file
// made afterwards in that tick leaves the time as it is.
TEST_F(BoardNamesTest, AListingReadInTheTickOfAChangeIsNotTrusted) {
    const timespec tick[2] = {{::time(nullptr) + 2, 250'000'000},
                              {::time(nullptr) + 2, 250'000'000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.c_str(), tick, 0), 0);
    files.SetMask("*.cgd");
    const DirectoryListing listing = ReadListing(dir, "*.cgd");
    Write("MyBoard.cgd", "1\r\n");
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.c_str(), tick, 0), 0);
    EXPECT_EQ(MatchLetterCase(In("myboard.cgd"), &listing), In("MyBoard.cgd"));
    // Saved over, not beside it.
    EXPECT_EQ(Run(&BoardFiles::SaveBoard, "MyBoard"), "");
    EXPECT_EQ(ListMatchingFiles(dir, "*"), std::vector<std::string>{"MyBoard.cgd"});
}

TEST(BoardNameReading, UsesUtf8ThenShiftJisThenEscapes) {
    EXPECT_EQ(ReadName("盤面.cgd").text, "盤面.cgd");
    EXPECT_EQ(ReadName("盤面.cgd").reading, NameReading::kUtf8);
    EXPECT_EQ(ReadName(kShiftJisName).text, "盤面.cgd");
    EXPECT_EQ(ReadName(kShiftJisName).reading, NameReading::kShiftJis);
    EXPECT_EQ(ReadName("\xff\xfe.cgd").text, "\\xFF\\xFE.cgd");
    EXPECT_EQ(ReadName("\xff\xfe.cgd").reading, NameReading::kEscaped);
    EXPECT_EQ(ReadName("a\nb\\.cgd").text, "a\\x0Ab\\x5C.cgd");
    EXPECT_EQ(ReadName("\xed\xa0\x80.cgd").reading, NameReading::kEscaped);  // a surrogate
}

TEST_F(BoardNamesTest, RawNamesSaveAndLoadInADirectoryThatIsNotUtf8) {
    for (const std::string& name : {kShiftJisName, std::string("\xff\xfe.cgd"), kLongName,
                                    std::string(250, 'x') + ".cgd", std::string("new\nline.cgd")}) {
        state.Board().ResetAll();
        state.Board().SetSelection({2, 3});
        ASSERT_TRUE(state.PlaceDigit(4));
        EXPECT_EQ(Run(&BoardFiles::SaveBoard, name), "") << name;
        EXPECT_EQ(outcome.name, name);
        EXPECT_EQ(Read(name), JoinBoardText(state.Snapshot().Lines()));
        state.Board().ResetAll();
        EXPECT_EQ(Run(&BoardFiles::LoadBoard, name), "");
        EXPECT_EQ(state.Board().Cell({2, 3}), "4");
    }
    // Only the boards themselves: no temporary was left behind.
    EXPECT_EQ(ListMatchingFiles(dir, "*").size(), 5U);
    EXPECT_EQ(ListMatchingFiles(dir, ".*").size(), 0U);
    EXPECT_EQ(Run(&BoardFiles::SaveBoard, std::string(252, 'n')),
              "ファイル " + std::string(252, 'n') + ".cgd を作成できません");

    Write("Mixed\x94\xd5.cgd", "7\r\n");
    EXPECT_EQ(Run(&BoardFiles::LoadBoard, "MIXED\x94\xd5.CGD"), "");
    EXPECT_EQ(state.Board().Cell({1, 1}), "7");
}

TEST(BoardTemporaryNames, StayWithinTheNameLimitAndKnowTheirTarget) {
    const std::string leaf = std::string(250, 'a') + ".cgd";
    const std::string part = TemporaryLeafPart(leaf, 255);
    EXPECT_EQ(part.size() + 15, 255U);
    EXPECT_TRUE(IsTemporaryNameFor("." + part + ".Ab12Cd.saving", leaf, 255));
    EXPECT_FALSE(
        IsTemporaryNameFor("." + part + ".Ab12Cd.saving", std::string(250, 'a') + ".cgx", 255));
    EXPECT_EQ(TemporaryLeafPart("x.cgd", 255), "x.cgd");
}

// Runs `save` in a child process working in `directory`, as the user nobody
// when run as root; 0 when it was refused as a file that cannot be created.
int SaveAsNobody(const std::string& directory, const std::function<void()>& save) {
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        // The child's own working directory spares nobody the path's search
        // permissions; the test process itself stays where it is.
        if (::chdir(directory.c_str()) != 0) ::_exit(4);
        if (::geteuid() == 0 && (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
            ::_exit(3);
        try {
            save();
        } catch (const CommandError& error) {
            ::_exit(error.what() == CannotCreateMessage("kept.cgd") ? 0 : 2);
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(BoardNamesTest, AWriteProtectedBoardStaysUnlessRootSaves) {
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    Write("kept.cgd", "5\r\n");
    ASSERT_EQ(::chmod(In("kept.cgd").c_str(), 0444), 0);
    if (::geteuid() == 0) {
        // The board and its directory belong to the user who saves.
        ASSERT_EQ(::chown(dir.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        ASSERT_EQ(::chown(In("kept.cgd").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    EXPECT_EQ(SaveAsNobody(dir, [] { WriteBoardFile("kept.cgd", "kept.cgd", "new\r\n"); }), 0);
    EXPECT_EQ(Read("kept.cgd"), "5\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(In("kept.cgd").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444U);
    EXPECT_EQ(ListMatchingFiles(dir, ".*").size(), 0U);

    if (::geteuid() != 0) return;
    WriteBoardFile(In("kept.cgd"), "kept.cgd", "new\r\n");
    EXPECT_EQ(Read("kept.cgd"), "new\r\n");
    ASSERT_EQ(::stat(In("kept.cgd").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444U);
}

}  // namespace
}  // namespace quillet
