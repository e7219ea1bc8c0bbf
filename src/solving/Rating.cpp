#include <algorithm>
#include <iterator>

#include "solving/Step.h"

// A step's value on the shared scale, from its pattern: the sizes of its
// sets, the links of its chains, the facts of its proof.
namespace quillet::solving {

namespace {

// The scale's extra for a chain of `nodes` candidates (its supposition and
// the end it reaches counted): nothing while the implications between them
// number 4 or fewer, then a tenth more each time they pass 4, 6, 8, 12, 16,
// 24, 32, 48 and so on.
double LengthBonus(int nodes) {
    double added = 0;
    int ceiling = 4;
    bool half = true;
    for (int length = nodes - 2; length > ceiling; half = !half) {
        added += 0.1;
        ceiling = half ? ceiling * 3 / 2 : ceiling * 4 / 3;
    }
    return added;
}

// The techniques whose value the scale's table gives whatever their size.
double TableValue(Technique technique) {
    switch (technique) {
        case Technique::kNakedSingle: return 2.3;
        case Technique::kHiddenSingleBox: return 1.2;
        case Technique::kHiddenSingleRow:
        case Technique::kHiddenSingleColumn: return 1.5;
        case Technique::kPointing: return 2.6;
        case Technique::kClaiming: return 2.8;
        case Technique::kNakedPair: return 3.0;
        case Technique::kHiddenPair: return 3.4;
        case Technique::kNakedTriple: return 3.6;
        case Technique::kHiddenTriple: return 4.0;
        case Technique::kNakedQuad: return 5.0;
        case Technique::kHiddenQuad: return 5.4;
        case Technique::kXWing: return 3.2;
        case Technique::kSwordfish: return 3.8;
        case Technique::kJellyfish: return 5.2;
        case Technique::kXYWing: return 4.2;
        case Technique::kXYZWing: return 4.4;
        case Technique::kUniqueRectangle1:
        case Technique::kUniqueRectangle2:
        case Technique::kUniqueRectangle4: return 4.5;
        case Technique::kBugPlusOne: return 5.6;
        default: return 0;
    }
}

// A digit's chain of conjugate pairs: the scale's raters count its strong
// links (2 is a skyscraper or a kite, rated in the table); from 5 on it is
// their forcing chain of one digit, the struck cell at both ends.
double XChainValue(int cells) {
    const int strong = cells / 2;
    if (strong <= 2) return 4.1;
    if (strong == 3) return 5.5;
    if (strong == 4) return 5.9;
    return 6.6 + LengthBonus(cells + 2);
}

// Two almost locked sets, one a single cell of two digits: the wings of
// 3 to 7 cells the scale's raters name (XYZ- to TUVWXYZ-wing). Other pairs
// of sets they do not name: the value is left to the forcing chains they
// would take instead (10 here, so that any other step open rates lower).
double AlsXzValue(const std::vector<Group>& sets) {
    if (sets.size() != 2) return 10.0;
    const int first = static_cast<int>(sets[0].cells.size());
    const int other = static_cast<int>(sets[1].cells.size());
    const int cells = first + other;
    if (std::min(first, other) != 1 || cells < 3) return 10.0;
    constexpr double kWings[] = {4.4, 5.5, 6.3, 6.6, 7.5};
    return cells - 3 < static_cast<int>(std::size(kWings)) ? kWings[cells - 3] : 10.0;
}

// The implications a chain of a forcing chains' proof shows: one for each
// fact from its supposition to `end`; `digits` gathers theirs.
int ChainLinks(const Proof& proof, int end, Mask& digits) {
    int links = 0;
    for (int f = end; !proof.facts[f].parents.empty(); f = proof.facts[f].parents.front()) {
        ++links;
        digits |= Bit(proof.facts[f].candidate.digit);
    }
    return links;
}

// The implications a net's derivation shows, fact to fact, those of the
// inner nets of its nested strikes included.
int NetLinks(const Proof& proof, const Derivation& net) {
    int links = std::max(0, static_cast<int>(net.facts.size()) - 1);
    for (const int f : net.facts)
        if (const int inner = proof.facts[f].nested; inner >= 0)
            links += NetLinks(proof, proof.nets[inner]);
    return links;
}

// The links of a forcing chains' or net's proof as the scale's raters
// count them, and whether every fact after the supposition is of one digit
// (the scale rates a supposition followed along one digit lower).
struct ProofSize {
    int links = 0;
    int cases = 1;
    bool oneDigit = false;
};

ProofSize SizeOf(const Step& step) {
    ProofSize size;
    if (!step.proof) return size;
    const Proof& proof = *step.proof;
    size.cases = proof.cases;
    Mask digits = 0;
    for (int c = 0; c < proof.cases; ++c) {
        const Derivation& net = proof.nets[c];
        if (step.technique != Technique::kForcingChains) {
            size.links += NetLinks(proof, net);
            for (std::size_t i = 1; i < net.facts.size(); ++i)
                digits |= Bit(proof.facts[net.facts[i]].candidate.digit);
        } else if (net.fault) {
            for (const int end : net.fault->facts) size.links += ChainLinks(proof, end, digits);
        } else {
            size.links += ChainLinks(proof, net.reached, digits);
        }
    }
    size.oneDigit = CountOf(digits) == 1;
    return size;
}

// Nested forcing nets, by what the scale's raters count: the nodes of the
// whole net, its inner nets' included, and those of its own facts that join
// several (where it is a net rather than a chain), each on the scale's
// length ladder, from 9.3 nested once and a point more nested twice. (The
// start and the joins' share were fitted to the published ratings of every
// other puzzle of the forum's June 2011 list of the hardest, 9.7 to 11.9;
// the rest of the list is what is reported.)
double NestedNetScale(const Step& step) {
    const double from = step.technique == Technique::kNestedForcingNets ? 9.3 : 10.3;
    if (!step.proof) return from;
    const Proof& proof = *step.proof;
    int joins = 0;
    for (int c = 0; c < proof.cases; ++c)
        for (const int f : proof.nets[c].facts)
            if (proof.facts[f].parents.size() > 1 && proof.facts[f].rule != Rule::kNested) ++joins;
    return from + LengthBonus(static_cast<int>(proof.facts.size())) + LengthBonus(joins);
}

}  // namespace

double SharedScaleRating(const Step& step) {
    if (const double table = TableValue(step.technique); table > 0) return table;
    switch (step.technique) {
        case Technique::kXChain: return XChainValue(static_cast<int>(step.cells.size()));
        case Technique::kSimpleColouring: {
            // The cells of both colours: a chain through them needs about as many.
            int cells = 0;
            for (const Group& colour : step.groups) cells += static_cast<int>(colour.cells.size());
            return XChainValue(cells);
        }
        case Technique::kXYChain: {
            // Each cell of two digits is two candidates of the chain.
            const int cells = static_cast<int>(step.cells.size());
            return cells <= 3 ? 4.2 : 7.0 + LengthBonus(2 * cells + 2);
        }
        case Technique::kWWing: return 7.0 + LengthBonus(8);
        case Technique::kAlternatingChain: {
            const int nodes = static_cast<int>(step.links.size()) + 1;
            return 7.0 + LengthBonus(step.placeCell >= 0 ? nodes : nodes + 2);
        }
        case Technique::kUniqueRectangle3: {
            // The rectangle's value and a tenth for each digit of the naked
            // set past the first.
            const std::size_t joined = step.groups.empty() ? 1 : step.groups[0].cells.size();
            return joined >= 3 ? 4.8 : joined == 2 ? 4.7 : 4.6;
        }
        case Technique::kAlsXz: return AlsXzValue(step.groups);
        case Technique::kAlsXyWing:
        case Technique::kAlsChain: return 10.0;  // as other pairs of sets
        case Technique::kNestedForcingNets:
        case Technique::kTwiceNestedForcingNets: return NestedNetScale(step);
        case Technique::kForcingChains:
        case Technique::kForcingNets:
        case Technique::kLockedForcingNets: {
            // A supposition that contradicts itself, or the cases of a cell or
            // a unit that agree: each case's chain counted to its end.
            const ProofSize size = SizeOf(step);
            const bool contradiction = size.cases == 1;
            const int nodes = size.links + size.cases + (contradiction ? 1 : 0);
            double base = step.technique == Technique::kLockedForcingNets ? 9.0
                          : step.technique == Technique::kForcingNets     ? 8.5
                                                                          : 8.0;
            if (contradiction && size.oneDigit)
                base = 7.5;
            else if (contradiction && step.technique == Technique::kForcingChains)
                base = 8.5;
            return base + LengthBonus(nodes);
        }
        default: return 10.0;
    }
}

}  // namespace quillet::solving
