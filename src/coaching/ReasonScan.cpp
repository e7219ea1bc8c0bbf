#include "coaching/ReasonScan.h"

#include <string_view>

#include "board/BoardGeometry.h"

namespace quillet::coaching {
namespace {

bool IsDigit19(char c) { return c >= '1' && c <= '9'; }

// A digit 1..9 at `at`, standing alone (not part of "10").
int DigitAt(std::string_view text, std::size_t at) {
    if (at >= text.size() || !IsDigit19(text[at])) return 0;
    if (at + 1 < text.size() && text[at + 1] >= '0' && text[at + 1] <= '9') return 0;
    return text[at] - '0';
}

bool StartsAt(std::string_view text, std::size_t at, std::string_view word) {
    return text.substr(at, word.size()) == word;
}

constexpr std::string_view kBoxes[9] = {"top-left",  "middle-left",  "bottom-left",
                                        "top",       "centre",       "bottom",
                                        "top-right", "middle-right", "bottom-right"};

// "the top-left box" at `at`: the box's unit and the length, or -1.
int BoxAt(std::string_view text, std::size_t at, std::size_t& length) {
    for (std::string_view the : {"the ", "The "}) {
        if (!StartsAt(text, at, the)) continue;
        for (int box = 0; box < 9; ++box) {
            const std::size_t name = at + the.size();
            if (StartsAt(text, name, kBoxes[box]) &&
                StartsAt(text, name + kBoxes[box].size(), " box")) {
                length = the.size() + kBoxes[box].size() + 4;
                return 18 + box;
            }
        }
    }
    return -1;
}

}  // namespace

std::vector<ReasonToken> ScanReason(const std::string& reason) {
    const std::string_view text = reason;
    std::vector<ReasonToken> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t length = 0;
        if (StartsAt(text, at, "column ") && DigitAt(text, at + 7) &&
            StartsAt(text, at + 8, ", row ") && DigitAt(text, at + 14)) {
            const int cell = ColumnMajorIndex({DigitAt(text, at + 7), DigitAt(text, at + 14)});
            // "7 at column 3, row 5" is a candidate.
            if (at >= 5 && StartsAt(text, at - 4, " at ") && DigitAt(text, at - 5) &&
                (at == 5 || text[at - 6] == ' ' || text[at - 6] == '(')) {
                tokens.push_back({ReasonToken::Kind::kCandidate, cell, DigitAt(text, at - 5), -1});
            } else {
                tokens.push_back({ReasonToken::Kind::kCell, cell, 0, -1});
            }
            at += 15;
        } else if ((StartsAt(text, at, "row ") || StartsAt(text, at, "Row ")) &&
                   DigitAt(text, at + 4)) {
            tokens.push_back({ReasonToken::Kind::kUnit, -1, 0, DigitAt(text, at + 4) - 1});
            at += 5;
        } else if ((StartsAt(text, at, "column ") || StartsAt(text, at, "Column ")) &&
                   DigitAt(text, at + 7)) {
            tokens.push_back({ReasonToken::Kind::kUnit, -1, 0, 8 + DigitAt(text, at + 7)});
            at += 8;
        } else if (const int box = BoxAt(text, at, length); box >= 0) {
            tokens.push_back({ReasonToken::Kind::kUnit, -1, 0, box});
            at += length;
        } else if (StartsAt(text, at, " = ")) {
            tokens.push_back({ReasonToken::Kind::kStrongJoint});
            at += 3;
        } else if (StartsAt(text, at, " - ")) {
            tokens.push_back({ReasonToken::Kind::kWeakJoint});
            at += 3;
        } else {
            ++at;
        }
    }
    return tokens;
}

}  // namespace quillet::coaching
