#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace quillet {

inline constexpr const char* kOutOfMemoryMessage = "メモリが不足しています";
inline constexpr const char* kUnexpectedErrorMessage = "予期しないエラーが発生しました";

// What ended a command early.
struct CommandFailure {
    QString message;
    // A CommandError, the errors the commands raise by design. Anything else
    // (out of memory included) is not, and a press on the grid shows it too.
    bool foreseen = false;
};

// Runs one command and catches whatever it throws, so that no exception
// leaves a handler of the window: the program always goes on.
std::optional<CommandFailure> RunGuarded(const std::function<void()>& command) noexcept;

}  // namespace quillet
