#include "coaching/JapaneseText.h"
#include "coaching/JapaneseWords.h"

// A forcing chain's or net's proof in Japanese: each case by itself, short
// enough to read at once beside its drawing, then the conclusion.
namespace quillet::coaching {

namespace {

using namespace words;
using solving::Derivation;
using solving::Fact;
using solving::Fault;
using solving::Proof;
using solving::Step;

// A chain of facts is named whole up to this many; longer, by its ends.
constexpr std::size_t kFactsNamed = 5;

// "3 列 5 行に 4", "3 列 5 行から 4 が消え".
std::string FactText(const Fact& fact) {
    const std::string cell = JapaneseCellName(fact.candidate.cell);
    const std::string digit = Number(fact.candidate.digit);
    return fact.placed ? cell + "に " + digit : cell + "から " + digit + " が消え";
}

// How a case ends: in a contradiction, or at the fact every case reaches.
std::string Ending(const Proof& proof, const Derivation& net) {
    if (!net.fault) {
        const Fact& end = proof.facts[net.reached];
        const std::string cell = JapaneseCellName(end.candidate.cell);
        const std::string digit = Number(end.candidate.digit);
        return end.placed ? cell + "に " + digit + " が入ります"
                          : cell + "から " + digit + " が消えます";
    }
    const Fault& fault = *net.fault;
    switch (fault.kind) {
        case Fault::Kind::kBothWays:
            return JapaneseCellName(fault.cell) + "の " + Number(fault.digit) +
                   " が入りかつ消えることになって、矛盾します";
        case Fault::Kind::kTwoDigits:
            return JapaneseCellName(fault.cell) + "に二つの数字が入ることになって、矛盾します";
        case Fault::Kind::kNoCandidate:
            return JapaneseCellName(fault.cell) + "に入る候補がなくなって、矛盾します";
        case Fault::Kind::kNoPlace:
            return JapaneseUnitName(fault.unit) + "に " + Number(fault.digit) +
                   " の入る場所がなくなって、矛盾します";
    }
    return {};
}

// The facts from the supposition to where the case ends, along the first
// fact each rests on: all of a short chain, the ends of a long one.
std::string Way(const Proof& proof, const Derivation& net) {
    const int end =
        net.fault ? (net.fault->facts.empty() ? -1 : net.fault->facts.front()) : net.reached;
    std::vector<int> way;
    for (int f = end; f >= 0; f = proof.facts[f].parents.empty() ? -1 : proof.facts[f].parents[0])
        way.insert(way.begin(), f);
    if (way.size() < 2) return {};
    std::string text;
    for (std::size_t i = 0; i < way.size(); ++i) {
        if (way.size() > kFactsNamed && i == 2) {
            text += " → …";
            i = way.size() - 2;
        }
        text += (i > 0 ? " → " : "") + FactText(proof.facts[way[i]]);
    }
    return "。道筋の一つ：" + text;
}

// What the cases are, said before the first.
std::string Premise(const Proof& proof) {
    const Fact& first = proof.facts[proof.nets.front().supposition];
    const std::string cell = JapaneseCellName(first.candidate.cell);
    const std::string digit = Number(first.candidate.digit);
    switch (proof.premise) {
        case Proof::Premise::kSupposition: return {};
        case Proof::Premise::kCellDigits: {
            solving::Mask digits = 0;
            for (int i = 0; i < proof.cases; ++i)
                digits |= solving::Bit(proof.facts[proof.nets[i].supposition].candidate.digit);
            return cell + "には " + Digits(digits) + " のどれかが入ります。一つずつ見ていきます。";
        }
        case Proof::Premise::kUnitPlaces: {
            std::vector<int> cells;
            for (int i = 0; i < proof.cases; ++i)
                cells.push_back(proof.facts[proof.nets[i].supposition].candidate.cell);
            return JapaneseUnitName(proof.unit) + "で " + digit + " が入るのは " +
                   CellNames(cells) + " のどれかです。一つずつ見ていきます。";
        }
        case Proof::Premise::kTrueOrFalse:
            return cell + "には " + digit + " が入るか入らないかのどちらかです。";
    }
    return {};
}

// "場合 2/3：3 列 5 行が 4 なら、".
std::string Supposing(const Proof& proof, int index) {
    const Fact& supposed = proof.facts[proof.nets[index].supposition];
    const std::string cell = JapaneseCellName(supposed.candidate.cell);
    const std::string digit = Number(supposed.candidate.digit);
    if (proof.premise == Proof::Premise::kSupposition)
        return cell + "に " + digit + (supposed.placed ? " が入る" : " が入らない") +
               "と仮定します。すると、";
    return "場合 " + Number(index + 1) + "/" + Number(proof.cases) + "：" + cell + "に " + digit +
           (supposed.placed ? " が入るなら、" : " が入らないなら、");
}

}  // namespace

std::string ExplainCase(const Step& step, int index) {
    const Proof& proof = *step.proof;
    const Derivation& net = proof.nets[static_cast<std::size_t>(index)];
    int nested = 0;
    for (const int f : net.facts) nested += proof.facts[f].rule == solving::Rule::kNested ? 1 : 0;
    std::string text = index == 0 ? Premise(proof) : std::string();
    text += Supposing(proof, index) + Number(static_cast<int>(net.facts.size()) - 1) +
            " の事実が続き（盤面の矢印" + Way(proof, net) + "）、" + Ending(proof, net) + "。";
    if (nested > 0)
        text += "うち " + Number(nested) +
                " の候補は、そこに入ると仮定すると矛盾するので消えます（入れ子の網、盤面の輪）。";
    return text;
}

std::string ProofConclusion(const Step& step) {
    const Proof& proof = *step.proof;
    if (proof.premise == Proof::Premise::kSupposition) {
        const Fact& supposed = proof.facts[proof.nets.front().supposition];
        return JapaneseCellName(supposed.candidate.cell) + "に " +
               Number(supposed.candidate.digit) + (supposed.placed ? " が入る" : " が入らない") +
               "と仮定すると矛盾するので、その仮定は誤りです。";
    }
    const Fact& end = proof.facts[proof.nets.front().reached];
    const std::string cell = JapaneseCellName(end.candidate.cell);
    const std::string digit = Number(end.candidate.digit);
    return "どの場合も " + cell +
           (end.placed ? "に " + digit + " が入る" : "から " + digit + " が消える") +
           (step.strikes.size() > 1 ? "（ほかの候補も同じ）" : "") + "ので、";
}

}  // namespace quillet::coaching
