#pragma once

#include <string>

#include "solving/Solver.h"
#include "solving/Step.h"

// The solver's steps in English, written from their patterns: the words of
// `quillet-board` (hint, solve). The only writer of them; nothing reads them.
namespace quillet::solving {

// Why the step holds: one or two sentences, or a paragraph of links or facts.
std::string Reason(const Step& step);

// The reason followed by what the step does, as one paragraph.
std::string Describe(const Step& step);

// A board's contradiction: "column 4 has no place left for 7".
std::string ContradictionText(const Contradiction& contradiction);

// The grid's contradiction (ContradictionIn) in those words, or nothing when
// no such fault shows.
std::optional<std::string> FindContradiction(const Grid& grid);

// For the nets: the proof as an indented tree, a fact a line over the facts
// it rests on; empty for the other techniques.
std::string ProofTree(const Step& step);

}  // namespace quillet::solving
