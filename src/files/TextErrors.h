#pragma once

#include <stdexcept>
#include <string>

namespace quillet {

// Bad input: a text, a board file or an output that cannot be used. Its
// message is one line (quillet-board prints it and exits with 1).
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A fault at a place in a text: line and column count from 1, columns in
// characters.
class TextError : public InputError {
public:
    TextError(int line, int column, const std::string& what)
        : InputError("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
                     what),
          line_(line),
          column_(column) {}
    int Line() const { return line_; }
    int Column() const { return column_; }

private:
    int line_;
    int column_;
};

}  // namespace quillet
