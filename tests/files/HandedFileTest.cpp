#include <sys/stat.h>

#include "BoardFilesTestSupport.h"
#include "files/BoardFileIo.h"
#include "files/BoardText.h"
#include "files/HandedFile.h"

namespace quillet::testing {
namespace {

constexpr const char* kPuzzleLine =
    "......6....82...392.73......5......46....8.....4...273..39......7....4.55....2...";

std::string SavedBoard() { return JoinBoardText(std::vector<std::string>(81, "123456789")); }

using HandedFileTest = BoardFilesTest;

TEST_F(HandedFileTest, ABoardIsKnownByItsBytesOrByItsNameAndAPuzzleTextByItsBytes) {
    WriteFile("saved.txt", SavedBoard());
    WriteFile("lf.CGD", "1\n2\n");  // loads as Load loads it
    WriteFile("p.txt", std::string(kPuzzleLine) + "\n");
    // A puzzle text named as a board is still a puzzle.
    WriteFile("grid.cgd", "# a comment\n" + std::string(kPuzzleLine) + "\r\n");
    const auto kindOf = [&](const std::string& name) { return ExamineHandedFile(Path(name)).kind; };
    EXPECT_EQ(kindOf("saved.txt"), HandedFile::Kind::kBoard);
    EXPECT_EQ(kindOf("lf.CGD"), HandedFile::Kind::kBoard);
    EXPECT_EQ(kindOf("p.txt"), HandedFile::Kind::kPuzzle);
    EXPECT_EQ(kindOf("grid.cgd"), HandedFile::Kind::kPuzzle);

    const HandedFile puzzle = ExamineHandedFile(Path("p.txt"));
    EXPECT_EQ(puzzle.directory, files.Directory());
    EXPECT_EQ(puzzle.name, "p.txt");
    EXPECT_EQ(puzzle.cells[6], "6");
    EXPECT_EQ(puzzle.cells[0], "123456789");
}

TEST_F(HandedFileTest, AnythingElseSaysWhyInTheProgramsWords) {
    // A text with a faulty second puzzle is no puzzle text, as for import.
    WriteFile("notes.txt", std::string(kPuzzleLine) + "\n\n12345\n");
    HandedFile notes = ExamineHandedFile(Path("notes.txt"));
    EXPECT_EQ(notes.kind, HandedFile::Kind::kNeither);
    EXPECT_EQ(std::string(notes.error->what()), "ファイル notes.txt は盤面でも問題でもありません");

    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(std::string(ExamineHandedFile(Path("pipe")).error->what()),
              "ファイル pipe は開けません");
    WriteFile("big.txt", std::string(kBoardTextLimit + 1, '.'));
    EXPECT_EQ(std::string(ExamineHandedFile(Path("big.txt")).error->what()), kTextTooLargeMessage);
    // A board that cannot be read is a board: Load tells why it fails.
    const HandedFile missing = ExamineHandedFile(Path("missing.cgd"));
    EXPECT_EQ(missing.kind, HandedFile::Kind::kBoard);
    EXPECT_FALSE(missing.read);
}

TEST(HandedFile, PathsSplitIntoDirectoryAndName) {
    EXPECT_EQ(ExamineHandedFile("x.cgd", "/base").directory, "/base");
    EXPECT_EQ(ExamineHandedFile("sub/x.cgd", "/base").directory, "/base/sub");
    EXPECT_EQ(ExamineHandedFile("/x.cgd", "/base").directory, "/");
}

TEST(BoardNameForText, TheLastExtensionGivesWayToCgd) {
    EXPECT_EQ(BoardNameForText("p.txt"), "p.cgd");
    EXPECT_EQ(BoardNameForText("p"), "p.cgd");
    EXPECT_EQ(BoardNameForText("a.b.sdk"), "a.b.cgd");
    EXPECT_EQ(BoardNameForText(".puzzles"), ".puzzles.cgd");
}

}  // namespace
}  // namespace quillet::testing
