#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace quillet {

// The options that are answered before any window exists: --help (or -h)
// and --version print their text to `out` and give the exit code 0. Every
// other argument is left to Qt. Nothing is returned when the window is to
// start.
std::optional<int> AnswerInformationOption(int argc, char** argv, std::FILE* out);

// Empty when Qt can open its windows; otherwise one line saying why not.
// Qt's own failure to reach a display aborts the process with a platform
// plugin dump, so the program asks first, the way the plugin would.
std::string MissingDisplayReason();

}  // namespace quillet
