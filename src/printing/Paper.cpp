#include "printing/Paper.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace quillet::printing {
namespace {

// The C library's own locales that use Letter: those of the United States
// and Canada, the Philippines and Latin America north of the equator
// (and Bolivia and Chile), as its sources record them.
constexpr std::array<std::string_view, 14> kLetterTerritories{
    "US", "CA", "PH", "MX", "BO", "CL", "CO", "CR", "GT", "NI", "PA", "PR", "SV", "VE"};

// The locale's name as the environment gives it for LC_PAPER.
std::string_view PaperLocaleName() {
    for (const char* name : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return "C";
}

// "en_US.UTF-8@euro" → "US".
std::string_view TerritoryOf(std::string_view name) {
    const std::size_t underscore = name.find('_');
    if (underscore == std::string_view::npos) return {};
    name.remove_prefix(underscore + 1);
    return name.substr(0, name.find_first_of(".@"));
}

}  // namespace

Paper LocalePaper() {
    // A locale of its own for the question: the process's stays as it is.
    if (const locale_t paper = ::newlocale(LC_PAPER_MASK, "", static_cast<locale_t>(nullptr))) {
        const auto height = static_cast<int>(
            reinterpret_cast<std::intptr_t>(::nl_langinfo_l(_NL_PAPER_HEIGHT, paper)));
        ::freelocale(paper);
        return height == 279 ? Paper::kLetter : Paper::kA4;
    }
    const std::string_view territory = TerritoryOf(PaperLocaleName());
    for (const std::string_view letter : kLetterTerritories)
        if (territory == letter) return Paper::kLetter;
    return Paper::kA4;
}

QPageSize PageSizeOf(Paper paper) {
    return QPageSize(paper == Paper::kLetter ? QPageSize::Letter : QPageSize::A4);
}

QSizeF PaperMillimetres(Paper paper) { return PageSizeOf(paper).size(QPageSize::Millimeter); }

}  // namespace quillet::printing
