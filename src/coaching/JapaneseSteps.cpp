#include "coaching/JapaneseText.h"
#include "coaching/JapaneseWords.h"

// Why each technique's step holds, in Japanese, from its pattern.
namespace quillet::coaching {

namespace {

using namespace words;
using solving::Mask;
using solving::Step;
using solving::Technique;

// The digit a step of one digit is about.
std::string TheDigit(const Step& step) {
    return Number(solving::LowestDigit(step.digits ? step.digits : solving::Bit(1)));
}

std::string Struck(const Step& step) { return Number(step.strikes.front().digit); }

std::string Holds(const Step& step, std::size_t i) { return Holding(step.cells[i], step.held[i]); }

std::string Subset(const Step& step, bool naked) {
    const std::string unit = JapaneseUnitName(step.units[0]);
    const std::string digits = Digits(step.digits);
    if (naked)
        return unit + "の " + CellNames(step.cells) + " には " + digits +
               " しか残っていません。この " + Number(static_cast<int>(step.cells.size())) +
               " つの数字はこれらのマスに入るので、" + unit + "のほかのマスには入りません。";
    return unit + "で " + digits + " が入るのは " + CellNames(step.cells) +
           " だけです。これらのマスにはほかの数字は入りません。";
}

std::string Wing(const Step& step) {
    const std::string z = Struck(step);
    if (step.technique == Technique::kWWing)
        return Holds(step, 0) + "と " + Holds(step, 1) + "は、" + JapaneseUnitName(step.units[0]) +
               "で " + Number(step.links[1].from.digit) + " が入る " +
               CellNames({step.cells[2], step.cells[3]}) +
               " でつながっています。どちらかのマスが " + z +
               " になるので、両方から見えるマスには " + z + " は入りません。";
    return Holds(step, 0) + "は " + Holds(step, 1) + "と " + Holds(step, 2) + "から見えます。" +
           JapaneseCellName(step.cells[0]) + "が何であっても、" +
           (step.technique == Technique::kXYWing
                ? "両端のどちらかが " + z + " になるので、両端から"
                : "3 つのうちどれかが " + z + " になるので、3 つすべてから") +
           "見えるマスには " + z + " は入りません。";
}

std::string Rectangle(const Step& step) {
    const Mask xy = step.digits;
    std::vector<int> roofs;  // the corners that hold more than the two digits
    Mask extra = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (step.held[i] == xy) continue;
        roofs.push_back(step.cells[i]);
        extra |= step.held[i] & static_cast<Mask>(~xy);
    }
    std::string text = CellNames({step.cells.begin(), step.cells.begin() + 4}) + " は " +
                       Digits(xy) +
                       " の長方形です。解がただ一つの問題では、二つの数字を入れ替えられる形で終わる"
                       "ことはありません。";
    switch (step.technique) {
        case Technique::kUniqueRectangle1:
            return text + "ほかの三つの角には " + Digits(xy) + " しかないので、" +
                   JapaneseCellName(roofs[0]) + "は " + Digits(xy) + " のどちらでもありません。";
        case Technique::kUniqueRectangle2:
            return text + "ほかの数字も持つ " + CellNames(roofs) + " のどちらかに " +
                   Digits(extra) + " が入るので、両方から見えるマスには " + Digits(extra) +
                   " は入りません。";
        case Technique::kUniqueRectangle3: {
            const std::string unit = JapaneseUnitName(step.units[0]);
            return text + "ほかの数字も持つ二つの角のどちらかにはその数字が入るので、二つの角は " +
                   unit + "の " + CellNames(step.groups[0].cells) + " と組になり、組の数字は " +
                   unit + "のほかのマスには入りません。";
        }
        default: {
            const int y = step.strikes.front().digit;
            const std::string x = Digits(xy & static_cast<Mask>(~solving::Bit(y)));
            return text + JapaneseUnitName(step.units[0]) + "で " + x + " が入るのは " +
                   CellNames(roofs) + " だけなので、どちらかは " + x + " です。もう一方が " +
                   Number(y) + " なら入れ替えられる形になるので、どちらにも " + Number(y) +
                   " は入りません。";
        }
    }
}

// Groups of many cells are counted, as the board colours them.
constexpr std::size_t kColouredCellsNamed = 8;

std::string Colouring(const Step& step) {
    const std::string x = TheDigit(step);
    const std::vector<int>& first = step.groups[0].cells;
    const std::vector<int>& second = step.groups[1].cells;
    std::string text = first.size() + second.size() <= kColouredCellsNamed
                           ? x + " は " + CellNames(first) + " のすべてに入るか、" +
                                 CellNames(second) + " のすべてに入るかのどちらかです。"
                           : x + " は、色分けした二つの組（" +
                                 Number(static_cast<int>(first.size())) + " マスと " +
                                 Number(static_cast<int>(second.size())) +
                                 " マス）の、どちらかのすべてに入ります。";
    if (step.cells.size() == 2)
        return text + "同じ組の " + CellNames(step.cells) + " は互いに見えるので、その組には " + x +
               " は入りません。";
    return text + "どちらの場合も、両方の組から見えるマスには " + x + " は入りません。";
}

std::string AlmostLockedSets(const Step& step) {
    const std::vector<solving::Group>& sets = step.groups;
    Mask zs = 0;
    for (const Candidate& strike : step.strikes) zs |= solving::Bit(strike.digit);
    const std::string z = Digits(zs);
    const std::string locked = "マスの数より数字が一つ多い組";
    if (step.technique == Technique::kAlsXz) {
        const std::string x = Number(step.links[0].from.digit);
        return GroupName(sets[0]) + " と " + GroupName(sets[1]) + " は、どちらも" + locked +
               "です（盤面の色分け）。" + x + " は両方の組には入れません（一方の " + x +
               " はすべて他方の " + x + " から見えます）。" + x +
               " を失った組は残りの数字で埋まるので、" + z + " はどちらかの組に入り、両方の組の " +
               z + " をすべて見るマスには入りません。";
    }
    if (step.technique == Technique::kAlsXyWing) {
        const std::string x = Number(step.links[0].from.digit);
        const std::string y = Number(step.links[1].from.digit);
        return GroupName(sets[1]) + " は、" + GroupName(sets[0]) + " と " + x + " を、" +
               GroupName(sets[2]) + " と " + y + " を分け合います。三つとも" + locked +
               "です（盤面の色分け）。真ん中の組は両方は失えないので、端の組のどちらかが " + x +
               " か " + y + " を失って埋まり、" + z + " は端の組のどちらかに入ります。";
    }
    std::vector<std::string> joints;
    for (const solving::Link& link : step.links) joints.push_back(Number(link.from.digit));
    std::string text = "マスの数より数字が一つ多い " + Number(static_cast<int>(sets.size())) +
                       " つの組（盤面の色分け）が、";
    for (std::size_t i = 0; i < joints.size(); ++i) text += (i > 0 ? "、" : "") + joints[i];
    return text + " の順につながっています。最初と最後の組の " + z + " をすべて見るマスに " + z +
           " が入ると、最初の組が " + z +
           " を失って埋まり、つながる組が順に埋まって、最後の組にも " + z +
           " が入ることになります。";
}

std::string Why(const Step& step) {
    const std::string x = TheDigit(step);
    switch (step.technique) {
        case Technique::kNakedSingle:
            return JapaneseCellName(step.placeCell) + "に残る候補は " + Number(step.placeDigit) +
                   " だけです。";
        case Technique::kHiddenSingleBox:
        case Technique::kHiddenSingleRow:
        case Technique::kHiddenSingleColumn:
            return JapaneseUnitName(step.units[0]) + "で " + x + " が入るのは " +
                   JapaneseCellName(step.placeCell) + " だけです。";
        case Technique::kPointing:
        case Technique::kClaiming: {
            const std::string cover = JapaneseUnitName(step.covers[0]);
            return JapaneseUnitName(step.units[0]) + "で " + x + " が入るのは " +
                   CellNames(step.cells) + " だけで、どれも" + Spaced(cover) + "にあります。" +
                   cover + "のほかのマスには " + x + " は入りません。";
        }
        case Technique::kNakedPair:
        case Technique::kNakedTriple:
        case Technique::kNakedQuad: return Subset(step, true);
        case Technique::kHiddenPair:
        case Technique::kHiddenTriple:
        case Technique::kHiddenQuad: return Subset(step, false);
        case Technique::kXWing:
        case Technique::kSwordfish:
        case Technique::kJellyfish: {
            const std::string covers = UnitNames(step.covers);
            return UnitNames(step.units) + "では " + x + " が " + covers + "にしか入りません。" +
                   covers + "のほかのマスには " + x + " は入りません。";
        }
        case Technique::kXYWing:
        case Technique::kXYZWing:
        case Technique::kWWing: return Wing(step);
        case Technique::kUniqueRectangle1:
        case Technique::kUniqueRectangle2:
        case Technique::kUniqueRectangle3:
        case Technique::kUniqueRectangle4: return Rectangle(step);
        case Technique::kBugPlusOne:
            return JapaneseCellName(step.placeCell) +
                   " のほかは、残るマスの候補がすべて二つです。ここが " + Number(step.placeDigit) +
                   " でなければ、解が一つに決まらない形になります。";
        case Technique::kSimpleColouring: return Colouring(step);
        case Technique::kXChain:
            return x + " の鎖: " + ChainText(step.links) + "。「＝」はユニットで " + x +
                   " の入る場所がちょうど二つ、「−」は互いに見えるマスです。鎖のどちらかの端が " +
                   x + " なので、両端から見えるマスには " + x + " は入りません。";
        case Technique::kXYChain: {
            const std::string z = Struck(step);
            return "候補が二つのマスの鎖: " + ChainText(step.links) +
                   "。最初のマスが何であっても、どちらかの端が " + z +
                   " になるので、両端から見えるマスには " + z + " は入りません。";
        }
        case Technique::kAlternatingChain:
            return "鎖: " + ChainText(step.links) +
                   "。「＝」はどちらかが正しい、「−」は両方は正しくないという意味です。" +
                   (step.placeCell >= 0
                        ? "鎖は同じ候補で始まって終わるので、最初の候補が正しくないとすると正しい"
                          "ことになり、それは正しいので、"
                        : "鎖の両端のどちらかが正しいので、");
        case Technique::kAlsXz:
        case Technique::kAlsXyWing:
        case Technique::kAlsChain: return AlmostLockedSets(step);
        case Technique::kForcingChains:
        case Technique::kForcingNets:
        case Technique::kLockedForcingNets:
        case Technique::kNestedForcingNets:
        case Technique::kTwiceNestedForcingNets: return ProofConclusion(step);
    }
    return {};
}

}  // namespace

std::string ExplainStep(const Step& step) {
    // The alternating chain's sentence runs on into what it does.
    return Why(step) + What(step);
}

}  // namespace quillet::coaching
