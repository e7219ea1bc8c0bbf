#include "aids/SelectorPath.h"

#include <algorithm>
#include <memory>

namespace quillet {

DecidePath SelectorPath(BoardState& state) {
    auto value = std::make_shared<int>(1);
    DecidePath path;
    path.SelectorValue = [value] { return *value; };
    path.SetSelectorValue = [value](int set) { *value = std::clamp(set, 1, 9); };
    path.Decide = [&state, selector = path] { return RunDecide(state, selector); };
    return path;
}

}  // namespace quillet
