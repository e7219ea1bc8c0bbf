#pragma once

#include <string>
#include <vector>

#include "solving/Step.h"

// The pieces the coach's Japanese sentences are made of, shared by its
// writers of steps (JapaneseSteps.cpp) and of proofs (JapaneseProof.cpp).
namespace quillet::coaching::words {

std::string Number(int n);
// "A、B と C".
std::string Joined(const std::vector<std::string>& parts);
std::string CellNames(const std::vector<int>& cells);
std::string UnitNames(const std::vector<int>& units);
// "1・4・7".
std::string Digits(solving::Mask digits);
// "7 列 5 行（1・2）".
std::string Holding(int cell, solving::Mask held);
// An almost locked set or another group: "3 列の 2 マス（1・2・3）", or a
// single cell with its digits.
std::string GroupName(const solving::Group& group);
// A chain of candidate links in the notation of its links,
// "4（3 列 5 行）＝4（3 列 8 行）−…"; a long one by its ends and length.
std::string ChainText(const std::vector<solving::Link>& links);
// What the step does: "3 列 5 行に 4 を置きます。" or the strikes, the
// digits struck from the same cells together.
std::string What(const solving::Step& step);

// A space before a name that begins with a number, as between kana and
// digits everywhere in the program's texts.
std::string Spaced(const std::string& name);

}  // namespace quillet::coaching::words

namespace quillet::coaching {

// The conclusion of a forcing chain's or net's proof, before what it does.
std::string ProofConclusion(const solving::Step& step);

}  // namespace quillet::coaching
