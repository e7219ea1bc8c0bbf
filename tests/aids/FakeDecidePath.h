#pragma once

#include <algorithm>

#include "aids/DecidePath.h"
#include "board/BoardState.h"

namespace quillet::testing {

// The selector and Decide as the main window has them, without a window.
class FakeDecidePath : public DecidePath {
public:
    explicit FakeDecidePath(BoardState& state) : state_(state) {}
    int SelectorValue() const override { return value; }
    void SetSelectorValue(int v) override { value = std::clamp(v, 1, 9); }
    void Decide() override {
        const int v = SelectorValue();
        state_.PlaceDigit(v);
        SetSelectorValue(v);
    }
    int value = 1;

private:
    BoardState& state_;
};

}  // namespace quillet::testing
