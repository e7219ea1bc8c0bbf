#include "coaching/JapaneseText.h"

#include <algorithm>
#include <map>

#include "board/BoardGeometry.h"
#include "coaching/ReasonScan.h"
#include "solving/English.h"

namespace quillet::coaching {
namespace {

using solving::Grid;
using solving::Step;
using solving::Technique;

std::string Number(int n) { return std::to_string(n); }

// "A、B と C".
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

// "1・4・7".
std::string Digits(solving::Mask digits) {
    std::string text;
    for (int d = 1; d <= 9; ++d) {
        if (!solving::Holds(digits, d)) continue;
        if (!text.empty()) text += "・";
        text += Number(d);
    }
    return text;
}

// A space before a name that begins with a number, as between kana and
// digits everywhere in the program's texts.
std::string Spaced(const std::string& name) {
    return !name.empty() && name[0] >= '0' && name[0] <= '9' ? " " + name : name;
}

std::string Holding(const Grid& grid, int cell) {
    return JapaneseCellName(cell) + "（" + Digits(grid.cells[cell]) + "）";
}

std::vector<int> Slice(const std::vector<int>& list, std::size_t from, std::size_t count) {
    std::vector<int> part;
    for (std::size_t i = from; i < from + count && i < list.size(); ++i) part.push_back(list[i]);
    return part;
}

// The candidates the pattern's cells hold between them.
solving::Mask DigitsOfMarks(const StepDrawing& drawing) {
    solving::Mask digits = 0;
    for (const Candidate& mark : drawing.marks) digits |= solving::Bit(mark.digit);
    return digits;
}

// A chain in the notation of its links: "4（3 列 5 行）＝4（3 列 8 行）−…".
std::string ChainText(const StepDrawing& drawing) {
    if (drawing.links.empty()) return {};
    auto node = [](Candidate c) {
        return Number(c.digit) + "（" + JapaneseCellName(c.cell) + "）";
    };
    std::string text = node(drawing.links.front().from);
    for (const Link& link : drawing.links) text += (link.strong ? "＝" : "−") + node(link.to);
    return text;
}

// The cells the reason names between `from` and `to` (words of it).
std::vector<int> CellsNamedBetween(const std::string& reason, const std::string& from,
                                   const std::string& to) {
    const std::size_t begin = reason.find(from);
    if (begin == std::string::npos) return {};
    const std::size_t end = reason.find(to, begin + from.size());
    std::vector<int> cells;
    for (const ReasonToken& token : ScanReason(reason.substr(begin, end - begin)))
        if (token.kind == ReasonToken::Kind::kCell) cells.push_back(token.cell);
    return cells;
}

// Two groups of cells strongly linked on one digit: one group holds it.
std::string Colouring(const Step& step, const std::string& x) {
    const std::string reason = solving::Reason(step);
    const std::vector<int> first = CellsNamedBetween(reason, ": ", " take it or ");
    const std::vector<int> second = CellsNamedBetween(reason, " take it or ", " do");
    std::string text = x + " は " + CellNames(first) + " のすべてに入るか、" + CellNames(second) +
                       " のすべてに入るかのどちらかです。";
    const std::vector<int> clash = CellsNamedBetween(reason, " do; ", " see each other");
    if (clash.size() == 2)
        return text + "同じ組の " + CellNames(clash) + " は互いに見えるので、その組には " + x +
               " は入りません。";
    return text + "どちらの場合も、両方の組から見えるマスには " + x + " は入りません。";
}

std::string Why(const Step& step, const StepDrawing& d, const Grid& grid) {
    const int digit = step.placeCell >= 0 ? step.placeDigit
                                          : (step.strikes.empty() ? 0 : step.strikes.front().digit);
    const std::string x = Number(digit);
    const std::string unit0 = d.units.empty() ? std::string() : JapaneseUnitName(d.units[0]);
    const std::string unit1 = d.units.size() < 2 ? std::string() : JapaneseUnitName(d.units[1]);
    const std::size_t n = d.cells.size();
    switch (step.technique) {
        case Technique::kNakedSingle:
            if (step.placeCell < 0)
                return "解けたマスの数字は、同じ行・列・ブロックのほかのマスには入りません。";
            return JapaneseCellName(step.placeCell) + "に残る候補は " + x + " だけです。";
        case Technique::kHiddenSingleBox:
        case Technique::kHiddenSingleRow:
        case Technique::kHiddenSingleColumn:
            return unit0 + "で " + x + " が入るのは " + JapaneseCellName(step.placeCell) +
                   " だけです。";
        case Technique::kPointing:
        case Technique::kClaiming:
            return unit0 + "で " + x + " が入るのは " + CellNames(d.cells) + " だけで、どれも" +
                   Spaced(unit1) + "にあります。" + unit1 + "のほかのマスには " + x +
                   " は入りません。";
        case Technique::kNakedPair:
        case Technique::kNakedTriple:
        case Technique::kNakedQuad:
            return unit0 + "の " + CellNames(d.cells) + " には " + Digits(DigitsOfMarks(d)) +
                   " しか残っていません。この " + Number(static_cast<int>(n)) +
                   " つの数字はこれらのマスに入るので、" + unit0 + "のほかのマスには入りません。";
        case Technique::kHiddenPair:
        case Technique::kHiddenTriple:
        case Technique::kHiddenQuad: {
            solving::Mask kept = 0;
            for (const Candidate& mark : d.marks) kept |= solving::Bit(mark.digit);
            return unit0 + "で " + Digits(kept) + " が入るのは " + CellNames(d.cells) +
                   " だけです。これらのマスにはほかの数字は入りません。";
        }
        case Technique::kXWing:
        case Technique::kSwordfish:
        case Technique::kJellyfish: {
            const std::size_t half = d.units.size() / 2;
            const std::vector<int> base = Slice(d.units, 0, half);
            const std::vector<int> cover = Slice(d.units, half, half);
            return UnitNames(base) + "では " + x + " が " + UnitNames(cover) +
                   "にしか入りません。" + UnitNames(cover) + "のほかのマスには " + x +
                   " は入りません。";
        }
        case Technique::kXYWing:
        case Technique::kXYZWing:
            if (n < 3) break;
            return Holding(grid, d.cells[0]) + "は " + Holding(grid, d.cells[1]) + "と " +
                   Holding(grid, d.cells[2]) + "から見えます。" + JapaneseCellName(d.cells[0]) +
                   "が何であっても、" +
                   (step.technique == Technique::kXYWing
                        ? "両端のどちらかが " + x + " になるので、両端から"
                        : "3 つのうちどれかが " + x + " になるので、3 つすべてから") +
                   "見えるマスには " + x + " は入りません。";
        case Technique::kWWing:
            if (n < 4 || d.links.empty()) break;
            return Holding(grid, d.cells[0]) + "と " + Holding(grid, d.cells[1]) + "は、" + unit0 +
                   "で " + Number(d.links[0].from.digit) + " が入る " +
                   CellNames(Slice(d.cells, 2, 2)) + " でつながっています。どちらかのマスが " + x +
                   " になるので、両方から見えるマスには " + x + " は入りません。";
        case Technique::kSimpleColouring: return Colouring(step, x);
        case Technique::kUniqueRectangle1:
        case Technique::kUniqueRectangle2:
        case Technique::kUniqueRectangle3:
        case Technique::kUniqueRectangle4: {
            if (n < 4) break;
            solving::Mask pair = solving::kAllDigits;
            for (std::size_t i = 0; i < 4; ++i) pair &= grid.cells[d.cells[i]];
            std::string text = CellNames(Slice(d.cells, 0, 4)) + " は " + Digits(pair) +
                               " の長方形です。解がただ一つの問題では、二つの数字を入れ替えられる"
                               "形で終わることはありません。";
            if (step.technique == Technique::kUniqueRectangle3 && n > 4 && !d.units.empty())
                text += "ほかの数字も持つ二つの角のどちらかにはその数字が入るので、二つの角は " +
                        unit0 + "の " + CellNames(Slice(d.cells, 4, n - 4)) +
                        " と組になり、組の数字は " + unit0 + "のほかのマスには入りません。";
            return text;
        }
        case Technique::kBugPlusOne:
            if (step.placeCell < 0) break;
            return JapaneseCellName(step.placeCell) +
                   " のほかは、残るマスの候補がすべて二つです。ここが " + x +
                   " でなければ、解が一つに決まらない形になります。";
        case Technique::kXChain:
            return x + " の鎖: " + ChainText(d) + "。「＝」はユニットで " + x +
                   " の入る場所がちょうど二つ、「−」は互いに見えるマスです。鎖のどちらかの端が " +
                   x + " なので、両端から見えるマスには " + x + " は入りません。";
        case Technique::kXYChain:
            return "候補が二つのマスの鎖: " + ChainText(d) +
                   "。最初のマスが何であっても、どちらかの端が " + x +
                   " になるので、両端から見えるマスには " + x + " は入りません。";
        case Technique::kAlternatingChain:
            return "鎖: " + ChainText(d) +
                   "。「＝」はどちらかが正しい、「−」は両方は正しくないという意味です。鎖の両端のど"
                   "ちらかが正しいので、";
        default: break;
    }
    // The other techniques: the pattern named, its cells listed.
    std::string text = JapaneseTechniqueName(step.technique) + "の形: " + CellNames(d.cells);
    if (!d.units.empty()) text += "（" + UnitNames(d.units) + "）";
    return text + "。";
}

// What the step does: "4 を 3 列 5 行に置きます。" or the strikes by digit.
std::string What(const Step& step) {
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
    std::vector<std::string> parts;
    for (const auto& [cells, digits] : groups)
        parts.push_back(CellNames(cells) + "から " + Digits(digits) + " を");
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) text += (i > 0 ? "、" : "") + parts[i];
    return text + "消します。";
}

}  // namespace

std::string JapaneseCellName(int cell) {
    const CellPos p = CellOfColumnMajor(cell);
    return Number(p.col) + " 列 " + Number(p.row) + " 行";
}

std::string JapaneseUnitName(int unit) {
    if (unit < 9) return Number(unit + 1) + " 行";
    if (unit < 18) return Number(unit - 8) + " 列";
    // Boxes column by column, as the board numbers its cells.
    static const char* const kBoxes[9] = {"左上", "左中", "左下", "中上", "中央",
                                          "中下", "右上", "右中", "右下"};
    return std::string(kBoxes[unit - 18]) + "のブロック";
}

std::string JapaneseTechniqueName(Technique technique) {
    // A switch without a default: a technique added to the solver and not
    // named here fails the build.
    switch (technique) {
        case Technique::kNakedSingle: return "候補が一つのマス";
        case Technique::kHiddenSingleBox: return "ブロックで一か所";
        case Technique::kHiddenSingleRow: return "行で一か所";
        case Technique::kHiddenSingleColumn: return "列で一か所";
        case Technique::kPointing: return "ブロックから行・列へのしぼり込み";
        case Technique::kClaiming: return "行・列からブロックへのしぼり込み";
        case Technique::kNakedPair: return "ネイキッドペア";
        case Technique::kHiddenPair: return "ヒドゥンペア";
        case Technique::kNakedTriple: return "ネイキッドトリプル";
        case Technique::kHiddenTriple: return "ヒドゥントリプル";
        case Technique::kNakedQuad: return "ネイキッドクアッド";
        case Technique::kHiddenQuad: return "ヒドゥンクアッド";
        case Technique::kXWing: return "X ウイング";
        case Technique::kSwordfish: return "ソードフィッシュ";
        case Technique::kJellyfish: return "ジェリーフィッシュ";
        case Technique::kXYWing: return "XY ウイング";
        case Technique::kXYZWing: return "XYZ ウイング";
        case Technique::kWWing: return "W ウイング";
        case Technique::kUniqueRectangle1: return "ユニーク長方形（型 1）";
        case Technique::kUniqueRectangle2: return "ユニーク長方形（型 2）";
        case Technique::kUniqueRectangle3: return "ユニーク長方形（型 3）";
        case Technique::kUniqueRectangle4: return "ユニーク長方形（型 4）";
        case Technique::kBugPlusOne: return "BUG+1";
        case Technique::kSimpleColouring: return "二色の塗り分け";
        case Technique::kXChain: return "X チェーン";
        case Technique::kXYChain: return "XY チェーン";
        case Technique::kAlternatingChain: return "交互の鎖";
        case Technique::kAlsXz: return "ALS-XZ";
        case Technique::kAlsXyWing: return "ALS-XY ウイング";
        case Technique::kAlsChain: return "ALS の鎖";
        case Technique::kForcingChains: return "強制の鎖";
        case Technique::kForcingNets: return "強制の網";
        case Technique::kLockedForcingNets: return "しぼり込みを含む強制の網";
        case Technique::kNestedForcingNets: return "入れ子の強制の網";
        case Technique::kTwiceNestedForcingNets: return "二重の入れ子の強制の網";
    }
    return {};
}

std::string ExplainStep(const Step& step, const StepDrawing& drawing, const Grid& grid) {
    // The alternating chain's sentence runs on into what it does.
    return Why(step, drawing, grid) + What(step);
}

std::string ExplainContradiction(const Contradiction& c) {
    switch (c.kind) {
        case Contradiction::Kind::kEmptyCell:
            return JapaneseCellName(c.cells.front()) + "に入る候補がありません。";
        case Contradiction::Kind::kSolvedTwice:
            return JapaneseUnitName(c.unit) + "に " + Number(c.digit) + " が二つあります（" +
                   CellNames(c.cells) + "）。";
        case Contradiction::Kind::kNoPlace:
            return JapaneseUnitName(c.unit) + "には " + Number(c.digit) +
                   " の入る場所がありません。";
    }
    return {};
}

}  // namespace quillet::coaching
