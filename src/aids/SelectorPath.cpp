#include "aids/SelectorPath.h"

#include <algorithm>

namespace quillet {

void SelectorPath::SetSelectorValue(int value) { value_ = std::clamp(value, 1, 9); }

}  // namespace quillet
