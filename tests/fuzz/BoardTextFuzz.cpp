// Splitting any bytes yields at most 81 capped lines without line ends, and
// joining those lines and splitting again gives the same lines back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "board/BoardSnapshot.h"
#include "files/BoardText.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitBoardText(text);
    if (lines.size() > kBoardLineCount) std::abort();
    for (const std::string& line : lines)
        if (line.size() > BoardSnapshot::kLineReadCap ||
            line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            std::abort();

    const std::string joined = JoinBoardText(lines);
    if (SplitBoardText(joined) != lines) std::abort();
    if (IsSavedBoardText(joined) != (lines.size() == kBoardLineCount)) std::abort();
    // A saved board text comes back byte for byte.
    if (IsSavedBoardText(text) && JoinBoardText(lines) != text) {
        bool capped = false;
        for (const std::string& line : lines) capped |= line.size() == BoardSnapshot::kLineReadCap;
        if (!capped) std::abort();
    }
    return 0;
}
