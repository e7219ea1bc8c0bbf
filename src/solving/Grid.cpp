#include "solving/Grid.h"

namespace quillet::solving {

namespace {

struct Tables {
    std::array<CellSet, kCellCount> peerSets{};

    Tables() {
        for (int a = 0; a < kCellCount; ++a)
            for (const int b : Peers(a)) peerSets[a].set(b);
    }
};

const Tables& TheTables() {
    static const Tables tables;
    return tables;
}

}  // namespace

const CellSet& PeerSet(int cell) { return TheTables().peerSets[cell]; }

CellSet CellsHolding(const Grid& grid, int digit) {
    CellSet cells;
    for (int cell = 0; cell < kCellCount; ++cell)
        if (Holds(grid.cells[cell], digit)) cells.set(cell);
    return cells;
}

CellSet SeenByAll(const Grid& grid, std::initializer_list<int> cells, int digit) {
    CellSet seen = CellsHolding(grid, digit);
    for (const int cell : cells) seen &= PeerSet(cell);
    return seen;
}

const std::vector<unsigned>& SubsetsOfSize(int size) {
    static const auto kSubsets = [] {
        std::array<std::vector<unsigned>, 10> subsets;
        for (unsigned set = 0; set < 512; ++set) subsets[CountOf(set)].push_back(set);
        return subsets;
    }();
    return kSubsets[size];
}

std::string DigitList(Mask digits) {
    std::string text;
    const int count = CountOf(digits);
    int written = 0;
    for (int d = 1; d <= 9; ++d) {
        if (!Holds(digits, d)) continue;
        if (written > 0) text += written + 1 == count ? " and " : ", ";
        text += static_cast<char>('0' + d);
        ++written;
    }
    return text;
}

std::optional<Grid> GridFromBoard(const CandidateBoard& board, int* bad) {
    Grid grid;
    for (int cell = 0; cell < kCellCount; ++cell) {
        Mask mask = 0;
        for (const char ch : board.Cells()[cell]) {
            const int digit = ch - '0';
            if (digit < 1 || digit > 9 || Holds(mask, digit)) {
                if (bad) *bad = cell;
                return std::nullopt;
            }
            mask |= Bit(digit);
        }
        grid.cells[cell] = mask;
    }
    return grid;
}

Grid GridFromPuzzleLine(const std::string& line) {
    Grid grid;
    for (int i = 0; i < kCellCount; ++i) {
        const int digit = i < static_cast<int>(line.size()) ? line[i] - '0' : 0;
        grid.cells[ColumnMajorIndex(CellOfRowMajor(i))] =
            digit >= 1 && digit <= 9 ? Bit(digit) : kAllDigits;
    }
    return grid;
}

}  // namespace quillet::solving
