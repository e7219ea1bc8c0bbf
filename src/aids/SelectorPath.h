#pragma once

#include "aids/DecidePath.h"

namespace quillet {

// The digit selector and Decide without a window, for driving the aids on a
// board alone: the value is held as set, within 1..9 as the window's selector
// holds it, and Decide is the window's.
class SelectorPath : public DecidePath {
public:
    explicit SelectorPath(BoardState& state) : state_(state) {}

    int SelectorValue() const override { return value_; }
    void SetSelectorValue(int value) override;
    void Decide() override { RunDecide(state_, *this); }

protected:
    BoardState& State() { return state_; }

private:
    BoardState& state_;
    int value_ = 1;
};

}  // namespace quillet
