#pragma once

#include <QString>
#include <string_view>

namespace quillet::printing {

// A file name's bytes as a caption shows them: what is valid UTF-8 as its
// characters, every other byte (and every control character) as \xNN, so
// that no byte of the name is lost on the page.
QString ShownName(std::string_view bytes);

// The last part of a path: what follows its last "/".
std::string_view LeafOf(std::string_view path);

}  // namespace quillet::printing
