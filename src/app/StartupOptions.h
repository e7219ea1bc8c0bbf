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

// The file to open, named by the arguments that are left once Qt has taken
// its own: the first that is no option, or the one after "--". Its bytes are
// kept as they are.
std::optional<std::string> FileArgument(int argc, char** argv);

}  // namespace quillet
