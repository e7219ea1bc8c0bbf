#include "latency/PreparedBoards.h"

namespace quillet::bench {

namespace {

constexpr const char* kAllCandidates = "123456789";

template <typename CellText>
std::vector<std::string> ColumnMajor(CellText text) {
    std::vector<std::string> lines;
    for (int col = 1; col <= 9; ++col)
        for (int row = 1; row <= 9; ++row) lines.push_back(text(col, row));
    return lines;
}

}  // namespace

int SolutionDigit(int col, int row) {
    // Shifting each row by three, and by one more at each band, keeps rows,
    // columns and boxes free of repeats.
    const int r = row - 1;
    const int c = col - 1;
    return (r * 3 + r / 3 + c) % 9 + 1;
}

// 17 givens spread so that each has at least 17 open cells among its 20
// peers.
bool IsGiven(int col, int row) { return (col + 3 * row) % 5 == 0; }

std::vector<std::string> SolvedBoard() {
    return ColumnMajor([](int c, int r) { return std::to_string(SolutionDigit(c, r)); });
}

std::vector<std::string> PuzzleBoard() {
    return ColumnMajor([](int c, int r) {
        return IsGiven(c, r) ? std::to_string(SolutionDigit(c, r)) : std::string(kAllCandidates);
    });
}

std::vector<std::string> HiddenFivesBoard() {
    return ColumnMajor([](int c, int r) {
        return SolutionDigit(c, r) == 5 ? std::string(kAllCandidates) : std::string("12346789");
    });
}

}  // namespace quillet::bench
