#include "coaching/JapaneseText.h"

#include "board/BoardGeometry.h"
#include "coaching/JapaneseWords.h"

namespace quillet::coaching {

using namespace words;
using solving::Technique;

std::string JapaneseCellName(int cell) {
    const CellPos p = CellOfColumnMajor(cell);
    return Number(p.col) + " 列 " + Number(p.row) + " 行";
}

std::string JapaneseUnitName(int unit) {
    if (unit < 9) return Number(unit + 1) + " 行";
    if (unit < 18) return Number(unit - 8) + " 列";
    // Boxes column by column, as the board numbers its cells.
    static const char* const kBoxes[9] = {"左上", "左中", "左下", "中上", "中央",
                                          "中下", "右上", "右中", "右下"};
    return std::string(kBoxes[unit - 18]) + "のブロック";
}

std::string JapaneseTechniqueName(Technique technique) {
    // A switch without a default: a technique added to the solver and not
    // named here fails the build.
    switch (technique) {
        case Technique::kNakedSingle: return "候補が一つのマス";
        case Technique::kHiddenSingleBox: return "ブロックで一か所";
        case Technique::kHiddenSingleRow: return "行で一か所";
        case Technique::kHiddenSingleColumn: return "列で一か所";
        case Technique::kPointing: return "ブロックから行・列へのしぼり込み";
        case Technique::kClaiming: return "行・列からブロックへのしぼり込み";
        case Technique::kNakedPair: return "ネイキッドペア";
        case Technique::kHiddenPair: return "ヒドゥンペア";
        case Technique::kNakedTriple: return "ネイキッドトリプル";
        case Technique::kHiddenTriple: return "ヒドゥントリプル";
        case Technique::kNakedQuad: return "ネイキッドクアッド";
        case Technique::kHiddenQuad: return "ヒドゥンクアッド";
        case Technique::kXWing: return "X ウイング";
        case Technique::kSwordfish: return "ソードフィッシュ";
        case Technique::kJellyfish: return "ジェリーフィッシュ";
        case Technique::kXYWing: return "XY ウイング";
        case Technique::kXYZWing: return "XYZ ウイング";
        case Technique::kWWing: return "W ウイング";
        case Technique::kUniqueRectangle1: return "ユニーク長方形（型 1）";
        case Technique::kUniqueRectangle2: return "ユニーク長方形（型 2）";
        case Technique::kUniqueRectangle3: return "ユニーク長方形（型 3）";
        case Technique::kUniqueRectangle4: return "ユニーク長方形（型 4）";
        case Technique::kBugPlusOne: return "BUG+1";
        case Technique::kSimpleColouring: return "二色の塗り分け";
        case Technique::kXChain: return "X チェーン";
        case Technique::kXYChain: return "XY チェーン";
        case Technique::kAlternatingChain: return "交互の鎖";
        case Technique::kAlsXz: return "ALS-XZ";
        case Technique::kAlsXyWing: return "ALS-XY ウイング";
        case Technique::kAlsChain: return "ALS の鎖";
        case Technique::kForcingChains: return "強制の鎖";
        case Technique::kForcingNets: return "強制の網";
        case Technique::kLockedForcingNets: return "しぼり込みを含む強制の網";
        case Technique::kNestedForcingNets: return "入れ子の強制の網";
        case Technique::kTwiceNestedForcingNets: return "二重の入れ子の強制の網";
    }
    return {};
}

std::string ExplainContradiction(const Contradiction& c) {
    switch (c.kind) {
        case Contradiction::Kind::kEmptyCell:
            return JapaneseCellName(c.cells.front()) + "に入る候補がありません。";
        case Contradiction::Kind::kSolvedTwice:
            return JapaneseUnitName(c.unit) + "に " + Number(c.digit) + " が二つあります（" +
                   CellNames(c.cells) + "）。";
        case Contradiction::Kind::kNoPlace:
            return JapaneseUnitName(c.unit) + "には " + Number(c.digit) +
                   " の入る場所がありません。";
    }
    return {};
}

}  // namespace quillet::coaching
