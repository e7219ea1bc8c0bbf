#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quillet::board_tool {

class SheetPrinter;
class WindowLink;

struct ToolStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    // Whether standard output is a terminal that shows UTF-8.
    bool utf8Terminal = false;
    // The open window's board for --window; none, and --window finds no
    // window, when not given.
    WindowLink* window = nullptr;
    // Qt's printing for print; without it, print says it cannot print.
    SheetPrinter* printer = nullptr;
};

// Runs the tool on its arguments (without the program name). Returns the exit
// status: 0 success, 1 bad input, 2 a command line it does not understand.
int RunBoardTool(const std::vector<std::string>& args, ToolStreams io);

}  // namespace quillet::board_tool
