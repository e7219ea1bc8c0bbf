#pragma once

#include <stdexcept>
#include <string>

namespace quillet {

// An error that ends the running command where it happens. Whatever the
// command changed before stays changed; the window shows the message in its
// error box. Messages are UTF-8 text, except that cell texts quoted in them
// are their bytes as held.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quillet
