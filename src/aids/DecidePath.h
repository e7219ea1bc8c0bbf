#pragma once

namespace quillet {

// The main window's digit selector and its Decide command: the one path by
// which digits are placed. The aids set the selector and then decide, so the
// selector ends up showing the last digit placed.
class DecidePath {
public:
    virtual ~DecidePath() = default;
    // The selector's value as read from its text (not clamped).
    virtual int SelectorValue() const = 0;
    // Sets the selector, clamped to 1..9.
    virtual void SetSelectorValue(int value) = 0;
    // Reads the selector, places that digit at the selection, writes it back.
    virtual void Decide() = 0;
};

}  // namespace quillet
