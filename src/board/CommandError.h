#pragma once

#include <stdexcept>
#include <string>

namespace quillet {

// An error that ends the running command where it happens. Whatever the
// command changed before stays changed; the window shows the message in its
// error box. Messages are UTF-8 text, except that cell texts quoted in them
// are their bytes as held. Callers that answer differently to different
// errors go by the kind, never by the wording.
class CommandError : public std::runtime_error {
public:
    enum class Kind {
        kCannotCreate,  // a file could not be created or replaced
        kCannotWrite,   // a file's bytes could not all be written
        kCannotOpen,    // a file could not be opened or read
        kTooLarge,      // a file is larger than a board text may be
        kNotAnInteger,  // a solved cell's text is not a digit
    };

    CommandError(Kind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}

    Kind GetKind() const { return kind_; }

private:
    Kind kind_;
};

}  // namespace quillet
