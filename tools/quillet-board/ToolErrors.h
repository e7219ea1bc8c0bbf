#pragma once

#include <stdexcept>
#include <string>

#include "files/TextErrors.h"

namespace quillet::board_tool {

// A command line that the tool does not understand; it exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quillet::board_tool
