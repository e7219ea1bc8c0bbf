#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "BoardTool.h"
#include "BusWindowLink.h"
#include "QtSheetPrinter.h"

namespace {

// The character set of the locale as the environment names it, read without
// changing the process's locale.
bool LocaleIsUtf8() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        std::string lowered(value);
        for (char& ch : lowered)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return lowered.find("utf-8") != std::string::npos ||
               lowered.find("utf8") != std::string::npos;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool utf8 = ::isatty(STDOUT_FILENO) == 1 && LocaleIsUtf8();
    quillet::board_tool::BusWindowLink window;
    quillet::board_tool::QtSheetPrinter printer;
    const int status = quillet::board_tool::RunBoardTool(
        args, {std::cin, std::cout, std::cerr, utf8, &window, &printer});
    std::cout.flush();
    return std::cout.good() ? status : 1;
}
