#pragma once

#include <optional>
#include <vector>

#include "board/Candidate.h"

namespace quillet::solving {

// The proof of a forcing chain or net as data: the cases it supposes, the
// facts each leads to with the rule and the unit that made them and the facts
// they rest on, and where each case ends. An inner net, which shows that a
// digit leaves a cell because supposing it there contradicts itself, is a
// nested proof of its own among the nets. Both languages tell it from here,
// and the rating counts its facts.

// How a fact follows from the facts it rests on.
enum class Rule {
    kSupposed,      // the supposition of a case or of an inner net
    kCellTaken,     // a digit leaves a cell that another digit took
    kPeerTaken,     // a digit leaves the peers of the cell it went into
    kOnlyDigit,     // a cell left with one digit takes it
    kOnlyPlace,     // a digit left with one place in a unit goes there
    kLockedInLine,  // a digit confined to one line of a box leaves the rest of the line
    kLockedInBox,   // a digit confined to one box along a line leaves the rest of the box
    kNested,        // a digit leaves a cell where supposing it contradicts itself
};

// One fact: a candidate placed in its cell, or struck from it.
struct Fact {
    Candidate candidate;
    bool placed = false;
    Rule rule = Rule::kSupposed;
    int unit = -1;             // of an only place or a lock
    std::vector<int> parents;  // the facts it rests on, by their numbers in Proof::facts
    int nested = -1;           // kNested: the inner net in Proof::nets that shows it
};

// What makes a supposition impossible, on the facts it rests on.
struct Fault {
    enum class Kind {
        kBothWays,     // `cell` would both hold and lose `digit` (true and false)
        kTwoDigits,    // `cell` would hold two digits
        kNoCandidate,  // `cell` would lose every candidate
        kNoPlace,      // `unit` would have no place left for `digit`
    };
    Fault() = default;
    Fault(Kind kind, int cell, int unit = -1, int digit = 0)
        : kind(kind), cell(cell), unit(unit), digit(digit) {}

    Kind kind = Kind::kNoCandidate;
    int cell = -1;
    int unit = -1;
    int digit = 0;
    std::vector<int> facts;  // the facts that meet in it
};

// One supposition followed: a case of the proof, or an inner net.
struct Derivation {
    int supposition = -1;        // its first fact
    std::vector<int> facts;      // the facts it shows, in the order found (an inner net's own only)
    std::optional<Fault> fault;  // where it contradicts itself, or
    int reached = -1;            // the fact that every case reaches
};

struct Proof {
    // What the cases are: one supposition that contradicts itself, the
    // digits of a cell, the places of a digit in a unit, a candidate true or
    // false. One of them holds, so what each of them reaches is so.
    enum class Premise { kSupposition, kCellDigits, kUnitPlaces, kTrueOrFalse };
    Premise premise = Premise::kSupposition;
    int unit = -1;  // of kUnitPlaces
    std::vector<Fact> facts;
    // The cases first (one for a supposition), then the inner nets; an inner
    // net's facts rest on its own and on those of the nets around it.
    std::vector<Derivation> nets;
    int cases = 1;
};

}  // namespace quillet::solving
