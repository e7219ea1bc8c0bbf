#pragma once

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BoardTool.h"
#include "FileBytes.h"

namespace quillet::board_tool::testing {

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline ToolResult RunTool(const std::vector<std::string>& args, const std::string& input = "",
                          bool utf8Terminal = false) {
    std::istringstream in(input);
    std::ostringstream out, err;
    ToolResult result;
    result.status = RunBoardTool(args, {in, out, err, utf8Terminal});
    result.out = out.str();
    result.err = err.str();
    return result;
}

// A fresh directory for the files of one test, removed with it.
class ScratchDir {
public:
    ScratchDir() {
        path_ = std::filesystem::temp_directory_path() /
                ("quillet-board-" + std::to_string(::getpid()) + "-" + std::to_string(next_++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    static inline int next_ = 0;
    std::filesystem::path path_;
};

using quillet::testing::ReadBytes;
using quillet::testing::WriteBytes;

// The puzzle the tool's tests start from, row by row.
constexpr const char* kGivens =
    "......6....82...392.73......5......46....8.....4...273..39......7....4.55....2...";

}  // namespace quillet::board_tool::testing
