#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace quillet::testing {

// A file's bytes as they are on disk; "" when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Creates or truncates the file and writes exactly these bytes.
inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace quillet::testing
