#include "solving/Net.h"

namespace quillet::solving::nets {

const std::array<std::vector<int>, 9>& LinesOfBoxes() {
    static const auto kLines = [] {
        std::array<std::vector<int>, 9> lines;
        for (int box = 18; box < 27; ++box)
            for (const int c : UnitCells(box))
                for (const int line : {RowUnit(c), ColumnUnit(c)})
                    if (std::find(lines[box - 18].begin(), lines[box - 18].end(), line) ==
                        lines[box - 18].end())
                        lines[box - 18].push_back(line);
        return lines;
    }();
    return kLines;
}

std::vector<int> Closure(const Net& net, const std::vector<int>& roots, std::size_t from) {
    std::vector<char> seen(net.Facts().size(), 0);
    std::vector<int> facts;
    std::vector<int> stack(roots.begin(), roots.end());
    while (!stack.empty()) {
        const int f = stack.back();
        stack.pop_back();
        if (f < static_cast<int>(from) || seen[f]) continue;
        seen[f] = 1;
        facts.push_back(f);
        ForEachParent(net.Facts()[f], [&](int p) { stack.push_back(p); });
    }
    std::sort(facts.begin(), facts.end());
    return facts;
}

}  // namespace quillet::solving::nets
