#include "board/BoardGeometry.h"

namespace quillet {

std::string CellName(CellPos p) {
    return "column " + std::to_string(p.col) + ", row " + std::to_string(p.row);
}

std::string CellName(int cell) { return CellName(CellOfColumnMajor(cell)); }

std::string UnitName(int unit) {
    if (unit < 9) return "row " + std::to_string(unit + 1);
    if (unit < 18) return "column " + std::to_string(unit - 8);
    static const char* const kBoxes[9] = {"top-left",  "middle-left",  "bottom-left",
                                          "top",       "centre",       "bottom",
                                          "top-right", "middle-right", "bottom-right"};
    return std::string("the ") + kBoxes[unit - 18] + " box";
}

std::string CandidateName(int node) {
    return std::to_string(DigitOfCandidate(node)) + " at " + CellName(CellOfCandidate(node));
}

}  // namespace quillet
