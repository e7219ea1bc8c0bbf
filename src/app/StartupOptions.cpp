#include "app/StartupOptions.h"

#include <string_view>

#include "VersionNotice.h"

namespace quillet {
namespace {

constexpr const char* kHelp =
    "Usage: quillet [FILE]\n"
    "       quillet --help | --version\n"
    "Quillet is an assistant for solving 9x9 number-place (sudoku) puzzles by hand.\n"
    "It opens its window in the current directory, where it lists, saves and loads\n"
    "boards (*.cgd files of 81 lines).\n"
    "With FILE a board file is loaded, and its directory listed instead; a puzzle\n"
    "text (what quillet-board import reads) becomes a fresh board of its givens,\n"
    "saved only when you press Save. See quillet(1).\n";

}  // namespace

std::optional<int> AnswerInformationOption(int argc, char** argv, std::FILE* out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            std::fprintf(out, "quillet %s\n%s", QUILLET_VERSION, QUILLET_VERSION_NOTICE);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::fputs(kHelp, out);
            return 0;
        }
    }
    return std::nullopt;
}

std::optional<std::string> FileArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            return i + 1 < argc ? std::optional<std::string>(argv[i + 1]) : std::nullopt;
        if (!argument.starts_with('-')) return std::string(argument);
    }
    return std::nullopt;
}

}  // namespace quillet
