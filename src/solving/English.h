#pragma once

#include <string>

#include "solving/Step.h"

// The solver's steps in English, written from their patterns: the words of
// `quillet-board` (hint, solve). The only writer of them; nothing reads them.
namespace quillet::solving {

// Why the step holds: one or two sentences, or a paragraph of links or facts.
std::string Reason(const Step& step);

// The reason followed by what the step does, as one paragraph.
std::string Describe(const Step& step);

// For the nets: the proof as an indented tree, a fact a line over the facts
// it rests on; empty for the other techniques.
std::string ProofTree(const Step& step);

}  // namespace quillet::solving
