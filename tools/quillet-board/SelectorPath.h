#pragma once

#include <algorithm>

#include "aids/DecidePath.h"
#include "board/BoardState.h"

namespace quillet::board_tool {

// The main window's digit selector and its Decide command, without the
// window: setting the selector holds it within 1..9, and Decide reads it,
// places that digit at the selection and writes it back.
class SelectorPath : public DecidePath {
public:
    explicit SelectorPath(BoardState& state) : state_(state) {}
    int SelectorValue() const override { return value_; }
    void SetSelectorValue(int value) override { value_ = std::clamp(value, 1, 9); }
    void Decide() override {
        const int v = SelectorValue();
        state_.PlaceDigit(v);
        SetSelectorValue(v);
    }

private:
    BoardState& state_;
    int value_ = 1;
};

}  // namespace quillet::board_tool
