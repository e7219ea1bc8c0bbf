#pragma once

#include <string>
#include <vector>

#include "coaching/Contradiction.h"
#include "coaching/StepDrawing.h"
#include "solving/Step.h"

namespace quillet::coaching {

// The coach's words, in UTF-8, in the program's voice. Cells are named as the
// main window names them for screen readers, "7 列 5 行".
std::string JapaneseCellName(int cell);
// "5 行", "3 列", "左上のブロック".
std::string JapaneseUnitName(int unit);
std::string JapaneseTechniqueName(solving::Technique technique);

// Why the step holds and what it does, built from what the step and its
// drawing record rather than from the solver's English sentence.
std::string ExplainStep(const solving::Step& step, const StepDrawing& drawing,
                        const solving::Grid& grid);
std::string ExplainContradiction(const Contradiction& contradiction);

}  // namespace quillet::coaching
