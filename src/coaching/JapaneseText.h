#pragma once

#include <string>

#include "coaching/Contradiction.h"
#include "solving/Step.h"

namespace quillet::coaching {

// The coach's words, in UTF-8, in the program's voice, written from the
// step's pattern (the one writer of them). Cells are named as the main
// window names them for screen readers, "7 列 5 行".
std::string JapaneseCellName(int cell);
// "5 行", "3 列", "左上のブロック".
std::string JapaneseUnitName(int unit);
std::string JapaneseTechniqueName(solving::Technique technique);

// Why the step holds and what it does; for a forcing chain or net, the
// conclusion of its proof, whose cases ExplainCase tells.
std::string ExplainStep(const solving::Step& step);
// One case of a forcing chain's or net's proof (or its one supposition),
// the first with what the cases are: what the case supposes, how many facts
// follow and where they end. A proof's part short enough to read at once.
std::string ExplainCase(const solving::Step& step, int index);
std::string ExplainContradiction(const Contradiction& contradiction);

}  // namespace quillet::coaching
