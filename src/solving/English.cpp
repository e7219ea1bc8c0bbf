#include "solving/English.h"

#include <algorithm>
#include <map>
#include <set>

namespace quillet::solving {

namespace {

std::string Number(int n) { return std::to_string(n); }

// "column 1, row 2; column 3, row 2 and column 9, row 2".
std::string CellList(const std::vector<int>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) text += i + 1 == cells.size() ? " and " : "; ";
        text += CellName(cells[i]);
    }
    return text;
}

std::string CandidateName(Candidate c) { return Number(c.digit) + " at " + CellName(c.cell); }

// "column 3, row 5 (1, 2)": a cell with what it held.
std::string Holding(const Step& step, std::size_t i) {
    return CellName(step.cells[i]) + " (" + DigitList(step.held[i]) + ")";
}

int StruckDigit(const Step& step) { return step.strikes.front().digit; }

Mask StruckDigits(const Step& step) {
    Mask digits = 0;
    for (const Candidate& strike : step.strikes) digits |= Bit(strike.digit);
    return digits;
}

// "the cell's other digits": the technique's name to begin a sentence.
std::string Title(Technique technique) {
    std::string name = TechniqueName(technique);
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

std::string Singles(const Step& step) {
    const std::string digit = Number(step.placeDigit);
    if (step.technique == Technique::kNakedSingle)
        return "Naked single: " + CellName(step.placeCell) + " holds only " + digit + ".";
    return "Hidden single in " + UnitName(step.units[0]) + ": " + digit + " fits only " +
           CellName(step.placeCell) + ", which also holds " +
           DigitList(step.held[0] & static_cast<Mask>(~Bit(step.placeDigit))) + ".";
}

// The digit named first, as for a fish: "in column 7, 2 can only go" read
// as two columns.
std::string Locked(const Step& step) {
    return std::string(step.technique == Technique::kPointing
                           ? "Locked candidates (pointing) of "
                           : "Locked candidates (claiming) of ") +
           DigitList(step.digits) + ": in " + UnitName(step.units[0]) + " it can only go in " +
           CellList(step.cells) + ", all in " + UnitName(step.covers[0]) + ".";
}

const char* SubsetWord(Technique technique) {
    switch (technique) {
        case Technique::kNakedPair:
        case Technique::kHiddenPair: return "pair";
        case Technique::kNakedTriple:
        case Technique::kHiddenTriple: return "triple";
        default: return "quad";
    }
}

std::string Subset(const Step& step, bool naked) {
    const std::string in =
        std::string(SubsetWord(step.technique)) + " in " + UnitName(step.units[0]) + ": ";
    if (naked)
        return "Naked " + in + CellList(step.cells) + " hold only " + DigitList(step.digits) +
               " between them, so those digits go there.";
    return "Hidden " + in + DigitList(step.digits) + " fit only " + CellList(step.cells) +
           ", so those cells hold nothing else.";
}

// "rows 1, 4 and 8".
std::string Lines(const std::vector<int>& lines) {
    std::string text = lines.front() < 9 ? "rows " : "columns ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += i + 1 == lines.size() ? " and " : ", ";
        text += Number(lines[i] < 9 ? lines[i] + 1 : lines[i] - 8);
    }
    return text;
}

// The digit named before the lines, so that it does not read as one of them.
std::string Fish(const Step& step) {
    const char* name = step.technique == Technique::kXWing       ? "X-wing"
                       : step.technique == Technique::kSwordfish ? "Swordfish"
                                                                 : "Jellyfish";
    return std::string(name) + " of " + DigitList(step.digits) + ": in " + Lines(step.units) +
           " it fits only " + Lines(step.covers) + ", so the rest of those " +
           (step.covers.front() < 9 ? "rows" : "columns") + " loses it.";
}

std::string Wing(const Step& step) {
    const std::string z = Number(StruckDigit(step));
    switch (step.technique) {
        case Technique::kXYWing:
            return "XY-wing: " + Holding(step, 0) + " sees " + Holding(step, 1) + " and " +
                   Holding(step, 2) + "; one of these two is " + z + ".";
        case Technique::kXYZWing:
            return "XYZ-wing: " + Holding(step, 0) + " sees " + Holding(step, 1) + " and " +
                   Holding(step, 2) + "; one of the three is " + z + ".";
        default:
            // The strong link between the two places is on the joining digit.
            return "W-wing: " + Holding(step, 0) + " and " + Holding(step, 1) + " are joined by " +
                   UnitName(step.units[0]) + ", where " + Number(step.links[1].from.digit) +
                   " fits only " + CellList({step.cells[2], step.cells[3]}) +
                   "; one of the two cells is " + z + ".";
    }
}

// What the uniqueness steps rest on, said in each of them.
constexpr const char* kOneSolution =
    " The givens have exactly one solution (counted), so the board cannot end in a pattern whose "
    "digits could trade places.";

std::string Rectangle(const Step& step) {
    const Mask xy = step.digits;
    const std::string pair = DigitList(xy);
    // The corners that hold more than the two digits, and what more.
    std::vector<int> roofs;
    Mask extra = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (step.held[i] == xy) continue;
        roofs.push_back(step.cells[i]);
        extra |= step.held[i] & static_cast<Mask>(~xy);
    }
    const std::string corners = CellList({step.cells.begin(), step.cells.begin() + 4});
    std::string text = "Unique rectangle (type ";
    switch (step.technique) {
        case Technique::kUniqueRectangle1:
            text += "1): " + corners + " hold " + pair + ", three of them nothing else; were " +
                    CellName(roofs[0]) + " to hold only " + pair +
                    " as well, the two digits could swap.";
            break;
        case Technique::kUniqueRectangle2:
            text += "2): " + corners + " hold " + pair + "; " + CellName(roofs[0]) + " and " +
                    CellName(roofs[1]) + " also hold " + DigitList(extra) +
                    ", and one of them must be " + DigitList(extra) +
                    " or the two digits could swap.";
            break;
        case Technique::kUniqueRectangle3: {
            const Group& set = step.groups[0];
            const char* names[] = {"pair", "triple", "quad"};
            const std::string unit = UnitName(step.units[0]);
            text += "3): " + corners + " hold " + pair + "; " + CellName(roofs[0]) + " and " +
                    CellName(roofs[1]) + " also hold " + DigitList(extra) +
                    ", and one of them must take one of those or the two digits could swap, so "
                    "together they act as one cell of " +
                    DigitList(extra) + ", which with " + CellList(set.cells) + " in " + unit +
                    " makes a naked " + names[set.cells.size() - 1] + " of " +
                    DigitList(set.digits) + ": those digits leave the rest of " + unit + ".";
            break;
        }
        default: {
            const int y = StruckDigit(step);
            text += "4): " + corners + " hold " + pair + "; " +
                    DigitList(xy & static_cast<Mask>(~Bit(y))) + " goes in " + CellName(roofs[0]) +
                    " or " + CellName(roofs[1]) + ", its only places in " +
                    UnitName(step.units[0]) + ", so were either " + Number(y) +
                    ", the two digits could swap.";
        }
    }
    return text + kOneSolution;
}

std::string Bug(const Step& step) {
    return "BUG+1: every open cell holds two digits but " + Holding(step, 0) +
           ", and without its " + Number(step.placeDigit) +
           " every digit would have two places in each of its units, a pattern with no solution "
           "or several." +
           kOneSolution;
}

std::string Colouring(const Step& step) {
    const std::vector<Group>& sides = step.groups;
    std::string text = "Simple colouring of " + DigitList(step.digits) + ": " +
                       CellList(sides[0].cells) + " take it or " + CellList(sides[1].cells) + " do";
    if (step.cells.empty()) return text + "; either way the cells that see both groups lose it.";
    const bool first = std::ranges::find(sides[0].cells, step.cells[0]) != sides[0].cells.end();
    return text + "; " + CellName(step.cells[0]) + " and " + CellName(step.cells[1]) +
           " see each other, so the " + (first ? "first" : "second") + " group cannot.";
}

// The nodes of a chain of links, written by `name`, joined by " = " for a
// strong link and " - " for a weak one.
template <typename Name>
std::string Joined(const std::vector<Link>& links, Name name) {
    std::string text = name(links.front().from);
    for (const Link& link : links) text += (link.strong ? " = " : " - ") + name(link.to);
    return text;
}

std::string XChain(const Step& step) {
    return "X-chain of " + Number(StruckDigit(step)) + ": " +
           Joined(step.links, [](Candidate c) { return CellName(c.cell); }) +
           " (\"=\": the digit's only two places in a unit, \"-\": cells that see each other), so "
           "one end of the chain holds it.";
}

std::string XYChain(const Step& step) {
    std::string text = "XY-chain of cells with two candidates: ";
    for (std::size_t i = 0; i < step.cells.size(); ++i)
        text += (i > 0 ? " - " : "") + Holding(step, i);
    return text + "; whatever the first cell holds, one end of the chain is " +
           Number(StruckDigit(step)) + ".";
}

std::string Alternating(const Step& step) {
    const std::string start = CandidateName(step.links.front().from);
    std::string text = "Alternating chain: " + Joined(step.links, CandidateName) +
                       " (\"=\": one of the two is true, \"-\": not both are), so ";
    if (step.placeCell >= 0) return text + "if " + start + " were false it would be true.";
    return text + start + " or " + CandidateName(step.links.back().to) + " is true.";
}

// "column 1, row 1 and column 1, row 2 (1, 2 and 3, in column 1)".
std::string SetName(const Group& set) {
    return CellList(set.cells) + " (" + DigitList(set.digits) + ", in " + UnitName(set.unit) + ")";
}

std::string AlmostLockedSets(const Step& step) {
    const std::vector<Group>& sets = step.groups;
    const std::string zs = DigitList(StruckDigits(step));
    if (step.technique == Technique::kAlsXz)
        return "ALS-XZ: " + SetName(sets[0]) + " and " + SetName(sets[1]) +
               " each hold one digit more than cells; " + Number(step.links[0].from.digit) +
               " cannot be in both, as its places in one all see those in the other, so one set "
               "loses it and is locked, and " +
               zs + " must be in one of them.";
    if (step.technique == Technique::kAlsXyWing) {
        const std::string x = Number(step.links[0].from.digit);
        const std::string y = Number(step.links[1].from.digit);
        return "ALS-XY-wing: " + SetName(sets[1]) + " shares " + x + " with " + SetName(sets[0]) +
               " and " + y + " with " + SetName(sets[2]) +
               ", each digit's places in one set all seeing those in the other; the middle set "
               "cannot lose both, so the first loses " +
               x + " or the last loses " + y + " and is locked, and " + zs +
               " must be in one of those two.";
    }
    std::string text = "ALS chain of sets that each hold one digit more than cells";
    for (std::size_t i = 0; i < sets.size(); ++i)
        text += (i == 0 ? ": set " : "; set ") + Number(static_cast<int>(i) + 1) + ", " +
                SetName(sets[i]);
    const std::string z = Number(StruckDigit(step));
    text += ". If " + z + " were in a cell that sees every " + z +
            " of the first and the last set: set 1 would lose " + z + " and be locked";
    for (std::size_t i = 1; i < sets.size(); ++i) {
        const std::string x = Number(step.links[i - 1].from.digit);
        const std::string set = Number(static_cast<int>(i) + 1);
        const std::string before = Number(static_cast<int>(i));
        text += " ⇒ " + x + " in set " + before + " ⇒ " + x + " leaves set " + set +
                " (its places there all see those in set " + before + "), which is locked";
    }
    return text + " ⇒ " + z + " in set " + Number(static_cast<int>(sets.size())) +
           ", which that cell sees; so no such cell holds " + z + ".";
}

// The proofs of forcing chains and nets.
class ProofText {
public:
    ProofText(const Step& step) : step_(step), proof_(*step.proof), inner_(proof_.facts.size()) {
        for (std::size_t n = static_cast<std::size_t>(proof_.cases); n < proof_.nets.size(); ++n)
            if (proof_.nets[n].supposition >= 0) inner_[proof_.nets[n].supposition] = 1;
    }

    std::string Chains() const {
        const Derivation& first = proof_.nets.front();
        std::string text = "Forcing chains: ";
        if (proof_.premise == Proof::Premise::kSupposition) {
            std::string chains;
            for (const int end : first.fault->facts)
                chains += (chains.empty() ? "" : "; ") + ChainTo(end);
            return text + "if " + CandidateName(Of(first.supposition).candidate) +
                   " were true: " + chains + "; so " + ChainFault(*first.fault) + ".";
        }
        const Candidate premise = Of(first.supposition).candidate;
        text +=
            proof_.premise == Proof::Premise::kCellDigits
                ? CellName(premise.cell) + " holds one of its digits"
                : Number(premise.digit) + " goes in one of its places in " + UnitName(proof_.unit);
        text += " (";
        for (int i = 0; i < proof_.cases; ++i) {
            const char* joint = i == 0 ? "" : i + 1 == proof_.cases ? " or " : ", ";
            text += joint + CandidateName(Of(proof_.nets[i].supposition).candidate);
        }
        text += ").";
        for (int i = 0; i < proof_.cases; ++i)
            text += " Case " + Number(i + 1) + ": " + ChainTo(proof_.nets[i].reached) + ".";
        if (step_.placeCell >= 0)
            return text + " Each makes " + CandidateName({step_.placeCell, step_.placeDigit}) +
                   " true.";
        return text + " Each makes the candidates struck here false" +
               (step_.strikes.size() > 1 ? " (shown for the first)." : ".");
    }

    std::string Nets() const {
        const Derivation& first = proof_.nets.front();
        const std::string title = Title(step_.technique);
        if (proof_.premise == Proof::Premise::kSupposition) {
            const Fact& supposed = Of(first.supposition);
            return title + ": if " + Number(supposed.candidate.digit) +
                   (supposed.placed ? " were in " : " were not in ") +
                   CellName(supposed.candidate.cell) + ": " + Paragraph(first) + "; then " +
                   MidSentence(*first.fault) + ".";
        }
        std::string text = title + ": " + Premise() + ". ";
        for (int i = 0; i < proof_.cases; ++i)
            text += "Case " + Number(i + 1) + ": " + Paragraph(proof_.nets[i]) + ". ";
        return text + "Every case gives " + FactName(Of(first.reached)) + ".";
    }

    std::string Tree() const {
        std::string out;
        if (proof_.premise == Proof::Premise::kSupposition) {
            const Fault& fault = *proof_.nets.front().fault;
            out = NetFault(fault) + ", since\n";
            std::set<int> shown;
            for (const int f : fault.facts) Tree(f, 1, shown, out);
            return out;
        }
        for (int i = 0; i < proof_.cases; ++i) {
            std::set<int> shown;
            out += "case " + Number(i + 1) + ":\n";
            Tree(proof_.nets[i].reached, 1, shown, out);
        }
        return out;
    }

private:
    const Fact& Of(int f) const { return proof_.facts[f]; }

    // "5 in column 3, row 9", "5 leaves column 3, row 9".
    static std::string FactName(const Fact& f) {
        return Number(f.candidate.digit) + (f.placed ? " in " : " leaves ") +
               CellName(f.candidate.cell);
    }

    // The chain from the supposition to the fact, link by link: "4 in column
    // 3, row 7 ⇒ 4 leaves column 3, row 9 ⇒ 6 in column 3, row 9 (the
    // cell's other digit) ⇒ ...".
    std::string ChainTo(int end) const {
        std::vector<int> path;
        for (int f = end; f >= 0; f = Of(f).parents.empty() ? -1 : Of(f).parents.front())
            path.push_back(f);
        std::string text;
        for (auto it = path.rbegin(); it != path.rend(); ++it) {
            const Fact& fact = Of(*it);
            if (!text.empty()) text += " ⇒ ";
            text += FactName(fact);
            // A false candidate makes its strong partner true: say which link.
            if (!fact.placed || it == path.rbegin()) continue;
            text += fact.rule == Rule::kOnlyDigit
                        ? " (the cell's other digit)"
                        : " (the other place in " + UnitName(fact.unit) + ")";
        }
        return text;
    }

    static std::string ChainFault(const Fault& fault) {
        switch (fault.kind) {
            case Fault::Kind::kBothWays:
                return CandidateName({fault.cell, fault.digit}) + " would be both true and false";
            case Fault::Kind::kTwoDigits: return CellName(fault.cell) + " would hold two digits";
            case Fault::Kind::kNoCandidate:
                return CellName(fault.cell) + " would lose every candidate";
            case Fault::Kind::kNoPlace:
                return UnitName(fault.unit) + " would have no place left for " +
                       Number(fault.digit);
        }
        return {};
    }

    // A net's contradiction, to begin a sentence or (`begins` false) inside one.
    static std::string NetFault(const Fault& fault, bool begins = true) {
        switch (fault.kind) {
            case Fault::Kind::kBothWays:
                return Number(fault.digit) + " would be both in and out of " + CellName(fault.cell);
            case Fault::Kind::kNoPlace: {
                std::string name = UnitName(fault.unit);
                if (begins && IsBox(fault.unit)) name[0] = 'T';
                return name + " would have no place left for " + Number(fault.digit);
            }
            default: return ChainFault(fault);
        }
    }

    static std::string MidSentence(const Fault& fault) { return NetFault(fault, false); }

    std::string Premise() const {
        const Candidate first = Of(proof_.nets.front().supposition).candidate;
        switch (proof_.premise) {
            case Proof::Premise::kCellDigits: {
                Mask digits = 0;
                for (int i = 0; i < proof_.cases; ++i)
                    digits |= Bit(Of(proof_.nets[i].supposition).candidate.digit);
                return CellName(first.cell) + " holds one of " + DigitList(digits);
            }
            case Proof::Premise::kUnitPlaces: {
                std::vector<int> cells;
                for (int i = 0; i < proof_.cases; ++i)
                    cells.push_back(Of(proof_.nets[i].supposition).candidate.cell);
                // A colon, so that the unit does not read as one of its cells.
                return Number(first.digit) + " goes in one of its places in " +
                       UnitName(proof_.unit) + ": " + CellList(cells);
            }
            default:
                return Number(first.digit) + " is in " + CellName(first.cell) + " or it is not";
        }
    }

    // Why a fact follows, in words.
    std::string Because(int f) const {
        const Fact& fact = Of(f);
        switch (fact.rule) {
            case Rule::kSupposed:
                if (inner_[f]) return "supposed inside";
                return fact.placed ? "supposed" : "supposed not";
            case Rule::kCellTaken:
                return "the cell holds " + Number(Of(fact.parents[0]).candidate.digit);
            case Rule::kPeerTaken:
                return "it is in " + CellName(Of(fact.parents[0]).candidate.cell);
            case Rule::kOnlyDigit: return "the cell's only digit left";
            case Rule::kOnlyPlace: return "its only place left in " + UnitName(fact.unit);
            case Rule::kLockedInLine:
                return "in " + UnitName(fact.unit) + " it is confined to this line";
            case Rule::kLockedInBox:
                return "in " + UnitName(fact.unit) + " it is confined to this box";
            case Rule::kNested: {
                const Derivation& inner = proof_.nets[fact.nested];
                return "if it were in the cell: " + Paragraph(inner) + "; then " +
                       MidSentence(*inner.fault);
            }
        }
        return {};
    }

    // The facts in order, each with its reason.
    std::string Paragraph(const Derivation& net) const {
        std::string text;
        for (const int f : net.facts) {
            if (!text.empty()) text += " ⇒ ";
            text += FactName(Of(f)) + " (" + Because(f) + ")";
        }
        return text;
    }

    // Each fact over what it rests on, a fact met before named only; a
    // nested strike over the inner net's contradiction.
    void Tree(int f, int depth, std::set<int>& shown, std::string& out) const {
        const Fact& fact = Of(f);
        out += std::string(2 * depth, ' ') + FactName(fact);
        if (!shown.insert(f).second) {
            out += " (see above)\n";
            return;
        }
        if (fact.nested >= 0) {
            const Fault& fault = *proof_.nets[fact.nested].fault;
            out += " (if it were in the cell, " + MidSentence(fault) + ", since)\n";
            for (const int p : fault.facts) Tree(p, depth + 1, shown, out);
            return;
        }
        out += " (" + Because(f) + ")\n";
        for (const int p : fact.parents) Tree(p, depth + 1, shown, out);
    }

    const Step& step_;
    const Proof& proof_;
    std::vector<char> inner_;  // by fact: the supposition of an inner net
};

}  // namespace

std::string Reason(const Step& step) {
    switch (step.technique) {
        case Technique::kNakedSingle:
        case Technique::kHiddenSingleBox:
        case Technique::kHiddenSingleRow:
        case Technique::kHiddenSingleColumn: return Singles(step);
        case Technique::kPointing:
        case Technique::kClaiming: return Locked(step);
        case Technique::kNakedPair:
        case Technique::kNakedTriple:
        case Technique::kNakedQuad: return Subset(step, true);
        case Technique::kHiddenPair:
        case Technique::kHiddenTriple:
        case Technique::kHiddenQuad: return Subset(step, false);
        case Technique::kXWing:
        case Technique::kSwordfish:
        case Technique::kJellyfish: return Fish(step);
        case Technique::kXYWing:
        case Technique::kXYZWing:
        case Technique::kWWing: return Wing(step);
        case Technique::kUniqueRectangle1:
        case Technique::kUniqueRectangle2:
        case Technique::kUniqueRectangle3:
        case Technique::kUniqueRectangle4: return Rectangle(step);
        case Technique::kBugPlusOne: return Bug(step);
        case Technique::kSimpleColouring: return Colouring(step);
        case Technique::kXChain: return XChain(step);
        case Technique::kXYChain: return XYChain(step);
        case Technique::kAlternatingChain: return Alternating(step);
        case Technique::kAlsXz:
        case Technique::kAlsXyWing:
        case Technique::kAlsChain: return AlmostLockedSets(step);
        case Technique::kForcingChains: return ProofText(step).Chains();
        case Technique::kForcingNets:
        case Technique::kLockedForcingNets:
        case Technique::kNestedForcingNets:
        case Technique::kTwiceNestedForcingNets: return ProofText(step).Nets();
    }
    return {};
}

std::string Describe(const Step& step) {
    std::string text = Reason(step);
    if (step.placeCell >= 0) {
        const int cell = step.placeCell;
        return text + " Place " + Number(step.placeDigit) + " in " + CellName(cell) +
               ", striking it from " + UnitName(RowUnit(cell)) + ", " + UnitName(ColumnUnit(cell)) +
               " and " + UnitName(BoxUnit(cell)) + ".";
    }
    // Strikes grouped by digit, cells in the board's scan order.
    std::map<int, std::vector<int>> byDigit;
    for (const Candidate& strike : step.strikes) byDigit[strike.digit].push_back(strike.cell);
    text += " Strike";
    bool firstDigit = true;
    for (auto& [digit, cells] : byDigit) {
        text += firstDigit ? " " : "; strike ";
        firstDigit = false;
        text += Number(digit) + " from ";
        std::sort(cells.begin(), cells.end());
        text += CellList(cells);
    }
    return text + ".";
}

std::string ContradictionText(const Contradiction& c) {
    switch (c.kind) {
        case Contradiction::Kind::kEmptyCell:
            return CellName(c.cells.front()) + " has no candidate left";
        case Contradiction::Kind::kSolvedTwice:
            return Number(c.digit) + " is solved twice in " + UnitName(c.unit) + ": at " +
                   CellName(c.cells[0]) + " and at " + CellName(c.cells[1]);
        case Contradiction::Kind::kNoPlace: {
            std::string name = UnitName(c.unit);
            if (IsBox(c.unit)) name[0] = 'T';  // "The top-left box ..."
            return name + " has no place left for " + Number(c.digit);
        }
    }
    return {};
}

std::optional<std::string> FindContradiction(const Grid& grid) {
    const std::optional<Contradiction> found = ContradictionIn(grid);
    if (!found) return std::nullopt;
    return ContradictionText(*found);
}

std::string ProofTree(const Step& step) {
    if (!step.proof || step.technique < Technique::kForcingNets) return {};
    return ProofText(step).Tree();
}

}  // namespace quillet::solving
