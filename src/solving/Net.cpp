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

std::string FactName(const Fact& f) {
    return std::to_string(f.digit) + (f.placed ? " in " : " leaves ") + CellName(f.cell);
}

std::string MidSentence(std::string why) {
    if (why.rfind("The ", 0) == 0) why[0] = 't';
    return why;
}

std::string Because(const Net& net, const Fact& f) {
    const auto& facts = net.Facts();
    switch (f.rule) {
        case Rule::kSupposed:
            if (net.Outer()) return "supposed inside";
            return f.placed ? "supposed" : "supposed not";
        case Rule::kCellTaken: return "the cell holds " + std::to_string(facts[f.parents[0]].digit);
        case Rule::kPeerTaken: return "it is in " + CellName(facts[f.parents[0]].cell);
        case Rule::kOnlyDigit: return "the cell's only digit left";
        case Rule::kOnlyPlace: return "its only place left in " + UnitName(f.unit);
        case Rule::kLockedInLine: return "in " + UnitName(f.unit) + " it is confined to this line";
        case Rule::kLockedInBox: return "in " + UnitName(f.unit) + " it is confined to this box";
        case Rule::kNested: {
            const Net& inner = *f.nested->net;
            return "if it were in the cell: " +
                   Paragraph(inner, Closure(inner, inner.WhyParents(), inner.Known())) + "; then " +
                   MidSentence(inner.Why());
        }
    }
    return {};
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

std::string Paragraph(const Net& net, const std::vector<int>& facts) {
    std::string text;
    for (const int f : facts) {
        const Fact& fact = net.Facts()[f];
        if (!text.empty()) text += " ⇒ ";
        text += FactName(fact) + " (" + Because(net, fact) + ")";
    }
    return text;
}

void Tree(const Net& net, int f, int depth, Shown& shown, std::string& out) {
    if (net.Outer() && f < static_cast<int>(net.Known())) {
        Tree(*net.Outer(), f, depth, shown, out);
        return;
    }
    const Fact& fact = net.Facts()[f];
    out += std::string(2 * depth, ' ') + FactName(fact);
    if (!shown.insert({&net, f}).second) {
        out += " (see above)\n";
        return;
    }
    if (fact.nested) {
        const Net& inner = *fact.nested->net;
        out += " (if it were in the cell, " + MidSentence(inner.Why()) + ", since)\n";
        for (const int p : inner.WhyParents()) Tree(inner, p, depth + 1, shown, out);
        return;
    }
    out += " (" + Because(net, fact) + ")\n";
    for (const int p : fact.parents) Tree(net, p, depth + 1, shown, out);
}

}  // namespace quillet::solving::nets
