#pragma once

#include <string>

#include "files/BoardDirectory.h"

namespace quillet {

inline constexpr const char* kBoardExtension = ".cgd";

// Lowers A-Z only; every other byte, those of multi-byte characters
// included, stays as it is.
std::string LowerAsciiLetters(std::string name);

// Appends ".cgd" unless the name already contains it anywhere.
std::string WithBoardExtension(std::string name);

// The name inside the directory, unless it is empty or already absolute.
std::string InDirectory(const std::string& directory, const std::string& name);

// The path to use for a lower-cased name. Board names are lowered before use,
// yet the list shows files in their stored case; on a case-sensitive file
// system a name that does not exist therefore stands for the one regular file
// of its directory whose whole name equals it apart from A-Z case. Without
// exactly one such file the name stays as it is. A current `listing` of the
// name's directory answers for names its mask matches without reading the
// directory again.
std::string MatchLetterCase(const std::string& name, const DirectoryListing* listing = nullptr);

}  // namespace quillet
