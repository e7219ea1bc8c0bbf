#pragma once

#include <string>
#include <vector>

namespace quillet::coaching {

// What a step's reason names, in the order it names them: the solver words
// its steps in English ("column 3, row 5", "row 5", "7 at column 3, row 5",
// " = " and " - " between the links of a chain); the coach draws from them.
struct ReasonToken {
    enum class Kind { kCell, kCandidate, kUnit, kStrongJoint, kWeakJoint };
    Kind kind = Kind::kCell;
    int cell = -1;  // kCell, kCandidate
    int digit = 0;  // kCandidate
    int unit = -1;  // kUnit
};

std::vector<ReasonToken> ScanReason(const std::string& reason);

}  // namespace quillet::coaching
