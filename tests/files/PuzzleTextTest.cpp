#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/PuzzleText.h"
#include "files/TextErrors.h"

namespace quillet {
namespace {

// The first puzzle of the qqwing fixtures and its solution, row by row.
constexpr const char* kGivens =
    "......6....82...392.73......5......46....8.....4...273..39......7....4.55....2...";
constexpr const char* kSolution =
    "395784612148265739267319548759123864632478951814596273423957186976831425581642397";

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(QUILLET_TOOL_FIXTURE_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string AsLine(const TextPuzzle& puzzle) {
    std::string line;
    for (const std::string& cell : puzzle.cells) line += cell == "123456789" ? "." : cell;
    return line;
}

TEST(PuzzleText, EveryQqwingStyleGivesThePuzzleAndItsSolution) {
    for (const char* name : {"qqwing-one-line.txt", "qqwing-compact.txt", "qqwing-readable.txt"}) {
        const auto puzzles = ReadPuzzles(Fixture(name));
        ASSERT_EQ(puzzles.size(), 4u) << name;
        EXPECT_EQ(AsLine(puzzles[0]), kGivens) << name;
        EXPECT_EQ(AsLine(puzzles[1]), kSolution) << name;
    }
    // CSV: a header, then the puzzle and its solution in the fields of one line.
    const auto csv = ReadPuzzles(Fixture("qqwing-csv.txt"));
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(AsLine(csv[0]), kGivens);
    EXPECT_EQ(csv[0].line, 2);
}

TEST(PuzzleText, SdkAndSsFilesReadAsTheSamePuzzle) {
    std::string bars = Fixture("sample.ss");
    for (std::size_t at; (at = bars.find("---+")) != std::string::npos;) bars[at + 3] = '|';
    for (const std::string& text : {Fixture("sample.sdk"), Fixture("sample.ss"), bars}) {
        const auto puzzles = ReadPuzzles(text);
        ASSERT_EQ(puzzles.size(), 1u) << text;
        EXPECT_EQ(AsLine(puzzles[0]), kGivens) << text;
    }
    // A row of blanks written with "-" is no rule.
    std::string dashes = Fixture("qqwing-readable.txt");
    dashes.replace(0, 22, " - - - | - - - | - - -");
    EXPECT_EQ(AsLine(ReadPuzzles(dashes)[0]).substr(0, 9), ".........");
}

TEST(PuzzleText, LinesTakeEveryBlankCharacterAndAnyLineEnd) {
    std::string line(kGivens);
    const std::string blanks = "0.*_-x";
    for (std::size_t i = 0, k = 0; i < line.size(); ++i)
        if (line[i] == '.') line[i] = blanks[k++ % blanks.size()];
    const std::string text = "# two puzzles\r\n" + line + "\r" + line + "  # again";
    const auto puzzles = ReadPuzzles(text);
    ASSERT_EQ(puzzles.size(), 2u);
    EXPECT_EQ(AsLine(puzzles[0]), kGivens);
    EXPECT_EQ(AsLine(puzzles[1]), kGivens);
    EXPECT_EQ(puzzles[1].line, 3);
}

TEST(PuzzleText, MarksAndTrailersOfOtherProgramsArePassedOver) {
    // Notepad's byte-order mark, the rating of a rated list after blanks, a
    // name after a tab, and the Ctrl-Z that closes an old DOS text.
    const std::string text = "\xEF\xBB\xBF" + std::string(kGivens) + "  9.9\r\n" + kGivens +
                             "\tname 12; 3\n" + kGivens + "\n\x1A";
    const auto puzzles = ReadPuzzles(text);
    ASSERT_EQ(puzzles.size(), 3u);
    for (const auto& p : puzzles) EXPECT_EQ(AsLine(p), kGivens);
    // Text glued to the cells is still a fault, and a mark inside the text
    // is no byte-order mark.
    EXPECT_THROW(ReadPuzzles(std::string(kGivens) + "9"), TextError);
    EXPECT_THROW(ReadPuzzles("\n\xEF\xBB\xBF" + std::string(kGivens)), TextError);
}

TEST(PuzzleText, PencilMarksStayAsTheyStand) {
    const auto puzzles = ReadPuzzles(Fixture("pencil.txt"));
    ASSERT_EQ(puzzles.size(), 1u);
    EXPECT_EQ(puzzles[0].cells[0], "1349");
    EXPECT_EQ(puzzles[0].cells[6], "6");
    EXPECT_EQ(puzzles[0].cells[80], "1678");

    std::string grid;
    for (int r = 0; r < 9; ++r) grid += "21 \"\" 3 4 5 6 7 8 9\r\n";
    const auto odd = ReadPuzzles(grid);
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].cells[0], "21");  // not sorted
    EXPECT_EQ(odd[0].cells[1], "");    // no candidate left
}

struct BadText {
    const char* what;
    std::string text;
    int line;
    int column;
    const char* message;
};

TEST(PuzzleText, FaultsNameTheirLineAndColumn) {
    const std::string givens(kGivens);
    const std::string row = ". . . | . . . | 6 . .\n";
    std::string rows8, rows10;
    for (int r = 0; r < 8; ++r) rows8 += row;
    rows10 = rows8 + row + row;
    std::string pencil80, pencil82;
    for (int r = 0; r < 9; ++r) pencil80 += "12 3 4 5 6 7 8 9 1\n";
    pencil82 = pencil80;
    pencil80.resize(pencil80.size() - 3);
    pencil82.insert(pencil82.size() - 1, " 5");
    std::string pencil10 = pencil80 + " 10\n";
    const BadText cases[] = {
        {"80 cells on a line", "\n" + givens.substr(1), 2, 81, "ends after 80 cells"},
        {"82 cells on a line", givens + "5", 1, 82, "82nd cell"},
        {"a letter", "#\n" + givens.substr(0, 40) + "a" + givens.substr(41), 2, 41,
         "'a' is neither"},
        {"8 rows", rows8, 8, 22, "ends after 8 rows"},
        {"10 rows", rows10, 10, 1, "10th row"},
        {"8 cells in a row", "12345678\n", 1, 9, "ends after 8 cells"},
        {"10 cells in a row", rows8 + "1234567891\n", 9, 10, "10th cell"},
        {"a 10 among pencil marks", pencil10, 9, 19, "'10' holds '0'"},
        {"80 pencil marks", pencil80, 9, 17, "ends after 80 cells"},
        {"82 pencil marks", pencil82, 9, 20, "82nd cell"},
        {"a runaway line", std::string(kPuzzleLineLimit + 1000, '1'), 1,
         static_cast<int>(kPuzzleLineLimit) + 1, "longer than 65536 bytes"},
    };
    for (const BadText& c : cases) {
        try {
            ReadPuzzles(c.text);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const TextError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.what;
            EXPECT_EQ(e.Column(), c.column) << c.what;
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.what << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace quillet
