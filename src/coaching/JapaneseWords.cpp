#include "coaching/JapaneseWords.h"

#include <algorithm>
#include <map>

#include "coaching/JapaneseText.h"

namespace quillet::coaching::words {

namespace {

// Chains of up to this many links are written out; longer ones the board
// shows, and the words name their ends.
constexpr std::size_t kLinksWritten = 6;
// Strikes from up to this many cells are named; the board shows the rest.
constexpr std::size_t kStruckCellsNamed = 10;

std::string Node(Candidate c) { return Number(c.digit) + "（" + JapaneseCellName(c.cell) + "）"; }

}  // namespace

std::string Number(int n) { return std::to_string(n); }

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += i + 1 == parts.size() ? " と " : "、";
        text += parts[i];
    }
    return text;
}

std::string CellNames(const std::vector<int>& cells) {
    std::vector<std::string> names;
    for (const int cell : cells) names.push_back(JapaneseCellName(cell));
    return Joined(names);
}

std::string UnitNames(const std::vector<int>& units) {
    std::vector<std::string> names;
    for (const int unit : units) names.push_back(JapaneseUnitName(unit));
    return Joined(names);
}

std::string Digits(solving::Mask digits) {
    std::string text;
    for (int d = 1; d <= 9; ++d) {
        if (!solving::Holds(digits, d)) continue;
        if (!text.empty()) text += "・";
        text += Number(d);
    }
    return text;
}

std::string Spaced(const std::string& name) {
    return !name.empty() && name[0] >= '0' && name[0] <= '9' ? " " + name : name;
}

std::string Holding(int cell, solving::Mask held) {
    return JapaneseCellName(cell) + "（" + Digits(held) + "）";
}

std::string GroupName(const solving::Group& group) {
    if (group.cells.size() == 1) return Holding(group.cells.front(), group.digits);
    return JapaneseUnitName(group.unit) + "の " + Number(static_cast<int>(group.cells.size())) +
           " マス（" + Digits(group.digits) + "）";
}

std::string ChainText(const std::vector<solving::Link>& links) {
    if (links.empty()) return {};
    if (links.size() > kLinksWritten)
        return Node(links.front().from) + "から " + Node(links.back().to) + "まで " +
               Number(static_cast<int>(links.size()) + 1) + " の候補をつなぐ鎖（盤面の線）";
    std::string text = Node(links.front().from);
    for (const solving::Link& link : links) text += (link.strong ? "＝" : "−") + Node(link.to);
    return text;
}

std::string What(const solving::Step& step) {
    if (step.placeCell >= 0)
        return JapaneseCellName(step.placeCell) + "に " + Number(step.placeDigit) + " を置きます。";
    std::map<int, std::vector<int>> byDigit;
    for (const Candidate& strike : step.strikes) byDigit[strike.digit].push_back(strike.cell);
    // Digits struck from the same cells go together: "8 列 9 行から 6・7 を".
    std::vector<std::pair<std::vector<int>, solving::Mask>> groups;
    for (auto& [digit, cells] : byDigit) {
        std::sort(cells.begin(), cells.end());
        auto same = std::find_if(groups.begin(), groups.end(),
                                 [&cells](const auto& group) { return group.first == cells; });
        if (same == groups.end())
            groups.push_back({cells, solving::Bit(digit)});
        else
            same->second |= solving::Bit(digit);
    }
    std::vector<int> cells;
    solving::Mask digits = 0;
    for (const Candidate& strike : step.strikes) {
        digits |= solving::Bit(strike.digit);
        if (std::find(cells.begin(), cells.end(), strike.cell) == cells.end())
            cells.push_back(strike.cell);
    }
    // Many cells are counted, as the board shows them.
    if (cells.size() > kStruckCellsNamed)
        return Number(static_cast<int>(cells.size())) + " マス（盤面の赤）から " + Digits(digits) +
               " を消します。";
    std::string text;
    for (std::size_t i = 0; i < groups.size(); ++i)
        text += (i > 0 ? "、" : "") + CellNames(groups[i].first) + "から " +
                Digits(groups[i].second) + " を";
    return text + "消します。";
}

}  // namespace quillet::coaching::words
