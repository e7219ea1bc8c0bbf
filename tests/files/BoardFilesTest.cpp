#include <QFile>

#include <random>

#include "BoardFilesTestSupport.h"
#include "files/BoardFileIo.h"
#include "files/BoardText.h"

namespace quillet {
namespace {

using testing::AllCells;
using testing::BoardFilesTest;

std::string FreshBoardText() {
    std::string text;
    for (int k = 0; k < 81; ++k) text += "123456789\r\n";
    return text;
}

// Cells of 0..12 bytes from 0x01..0xFF without CR and LF: anything a cell
// can hold and a line can carry.
void FillWithOddBytes(CandidateBoard& board, std::mt19937& random) {
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> byte(1, 255);
    ForEachCellColumnMajor([&](CellPos p) {
        std::string text;
        for (int n = length(random); text.size() < static_cast<std::size_t>(n);) {
            const char ch = static_cast<char>(byte(random));
            if (ch != '\r' && ch != '\n') text += ch;
        }
        board.SetCell(p, text);
    });
}

TEST_F(BoardFilesTest, SaveThenLoadRestoresEveryCellExactly) {
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        FillWithOddBytes(board(), random);
        board().SetCell({9, 9}, "");
        const auto saved = AllCells(board());
        ASSERT_EQ(Save("b"), "");
        board().ResetAll();
        ASSERT_EQ(Load("b.cgd"), "");
        EXPECT_EQ(AllCells(board()), saved);
    }
}

TEST_F(BoardFilesTest, SaveWritesLoweredNameWithExtensionAndShowsIt) {
    ASSERT_EQ(Save("MyBoard"), "");
    EXPECT_EQ(ReadFile("myboard.cgd"), FreshBoardText());
    EXPECT_EQ(outcome.name, "myboard.cgd");
    EXPECT_EQ(files.Listing()->names, std::vector<std::string>{"myboard.cgd"});
    EXPECT_EQ(state.Snapshot().Lines(), AllCells(board()));

    ASSERT_EQ(Save("x.CGD"), "");
    ASSERT_EQ(Save("x.cgd.bak"), "");
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("myboard.cgd"), QStringLiteral("x.cgd"),
                                      QStringLiteral("x.cgd.bak")}));
    EXPECT_EQ(outcome.name, "x.cgd.bak");
    EXPECT_EQ(files.Listing()->names, (std::vector<std::string>{"myboard.cgd", "x.cgd"}));
}

TEST_F(BoardFilesTest, OnlyTheMaskIsNoNameAndChangesNothing) {
    board().SetSelection({2, 2});
    ASSERT_TRUE(state.PlaceDigit(4));
    const auto cells = AllCells(board());
    const auto buffer = state.Snapshot().Lines();
    const auto listing = files.Listing();
    for (auto operation : {&BoardFiles::SaveBoard, &BoardFiles::LoadBoard}) {
        EXPECT_EQ(Run(operation, "*.CGD"), "");
        EXPECT_EQ(outcome.kind, FileOutcome::Kind::kNoName);
        EXPECT_EQ(informer.texts.back(), "Input file name");
    }
    EXPECT_EQ(informer.texts.size(), 2u);
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_EQ(AllCells(board()), cells);
    EXPECT_EQ(state.Snapshot().Lines(), buffer);
    EXPECT_TRUE(state.UndoAvailable());
    EXPECT_EQ(files.Listing(), listing);
}

TEST_F(BoardFilesTest, LoadMapsLinesColumnMajorAndKeepsTheFirst81) {
    std::string text;
    for (int k = 0; k < 100; ++k) text += "L" + std::to_string(k) + "\n";
    WriteFile("hundred.cgd", text);
    board().SetSelection({3, 7});
    const auto listing = files.Listing();
    ASSERT_EQ(Load("Hundred.CGD"), "");
    EXPECT_EQ(board().Cell({1, 1}), "L0");
    EXPECT_EQ(board().Cell({1, 9}), "L8");
    EXPECT_EQ(board().Cell({2, 1}), "L9");
    EXPECT_EQ(board().Cell({9, 9}), "L80");
    EXPECT_EQ(state.Snapshot().Count(), 81u);
    EXPECT_EQ(board().Selection(), (CellPos{3, 7}));
    EXPECT_EQ(outcome.name, "hundred.cgd");
    EXPECT_EQ(files.Listing(), listing);
}

TEST_F(BoardFilesTest, LoadLeavesMissingLinesEmptyAndDoesNotPropagate) {
    std::string text = "5\r\n";
    for (int k = 1; k < 80; ++k) text += "123456789\r\n";
    WriteFile("short.cgd", text);
    ASSERT_EQ(Load("short.cgd"), "");
    EXPECT_EQ(board().Cell({1, 1}), "5");
    EXPECT_EQ(board().Cell({1, 2}), "123456789");
    EXPECT_EQ(board().Cell({9, 8}), "123456789");
    EXPECT_EQ(board().Cell({9, 9}), "");
}

TEST_F(BoardFilesTest, UndoEndsWithASaveOrLoadThatGotPastTheName) {
    ASSERT_TRUE(state.PlaceDigit(1));
    ASSERT_EQ(Save("a"), "");
    EXPECT_FALSE(state.UndoAvailable());

    ASSERT_TRUE(state.PlaceDigit(1));
    ASSERT_EQ(Load("a.cgd"), "");
    EXPECT_FALSE(state.UndoAvailable());

    ASSERT_TRUE(state.PlaceDigit(1));
    const auto cells = AllCells(board());
    const auto buffer = state.Snapshot().Lines();
    EXPECT_EQ(Load("missing.cgd"), CannotOpenMessage("missing.cgd"));
    EXPECT_FALSE(state.UndoAvailable());
    EXPECT_EQ(AllCells(board()), cells);
    EXPECT_EQ(state.Snapshot().Lines(), buffer);
}

TEST_F(BoardFilesTest, LoadTakesTheNameExactlyWithoutExtension) {
    ASSERT_EQ(Save("myboard"), "");
    EXPECT_EQ(Load("MyBoard"), "ファイル myboard は開けません");
}

TEST_F(BoardFilesTest, ACapitalisedFileIsFoundByItsWholeNameOnly) {
    WriteFile("MyBoard.cgd", "7\r\n");
    EXPECT_EQ(Load("myboard"), CannotOpenMessage("myboard"));
    ASSERT_EQ(Load("MyBoard.cgd"), "");
    EXPECT_EQ(board().Cell({1, 1}), "7");

    board().SetCell({1, 1}, "8");
    ASSERT_EQ(Save("MYBOARD"), "");
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("MyBoard.cgd")});
    EXPECT_EQ(ReadFile("MyBoard.cgd").substr(0, 3), "8\r\n");
    EXPECT_EQ(outcome.name, "myboard.cgd");
}

TEST_F(BoardFilesTest, NamesReferToTheListsDirectoryNotTheCurrentOne) {
    QTemporaryDir listed;
    ASSERT_TRUE(listed.isValid());
    const std::string inList = QFile::encodeName(listed.path()).toStdString() + "/";
    files = BoardFiles(inList);
    WriteFile(inList + "Stored.cgd", "5\r\n");
    ASSERT_EQ(Load("STORED.CGD"), "");
    EXPECT_EQ(board().Cell({1, 1}), "5");
    ASSERT_EQ(Save("Copy"), "");
    EXPECT_EQ(ReadFile(inList + "copy.cgd").substr(0, 3), "5\r\n");
    EXPECT_EQ(Load("none"), CannotOpenMessage("none"));
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(BoardFilesTest, TwoFilesDifferingOnlyInCaseMatchNeither) {
    WriteFile("MyBoard.cgd", "7\r\n");
    WriteFile("MYBOARD.cgd", "8\r\n");
    EXPECT_EQ(Load("myboard.cgd"), CannotOpenMessage("myboard.cgd"));
}

}  // namespace
}  // namespace quillet
