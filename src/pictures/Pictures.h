#pragma once

#include <QPoint>

#include <array>

#include "drawing/Canvas.h"
#include "pictures/Random.h"

namespace quillet {

// The four reward pictures of the congratulation window. Each expects a white
// surface with a new surface's pen and brush apart from their white colours
// (see WhitenSurface), draws its figure around (size / 2, size / 2) together
// with the banner, and writes its caption along the bottom of the client area.

inline const QString kCrownCaption = QStringLiteral("冠をクリック");
inline const QString kBlossomCaption = QStringLiteral("桜をクリック");
inline const QString kFlowerCircleCaption = QStringLiteral("花○をクリック");

// The outline of one leaf, two 2-digit numbers a point: base (0, 0), tip
// (40, 20), back to the base; the eighth point lies inside, where the fill
// starts.
inline constexpr char kLeafTable[] = "00001500300540202520101500002010";
std::array<QPoint, 8> ReadLeafTable();
// The radius of the circle the leaves stand on.
int WreathRadius(int size);

// Makes the whole clientWidth x clientHeight area white with a white pen and
// brush, leaving them white.
void WhitenSurface(Canvas& surface, int clientWidth, int clientHeight);

// Thirty leaves on two branches fading from green to nearly white, with two
// crossed stems at the bottom left.
void DrawCrown(Canvas& surface, int size, int clientHeight);
// The outline of a five-petal blossom, notched at each tip, shaded from
// magenta to pink.
void DrawBlossom(Canvas& surface, int size, int clientHeight);
// A red spiral of three turns whose last turn carries random.Random(2) + 5
// scallops.
void DrawSpiralFlowerCircle(Canvas& surface, int size, int clientHeight, RandomGenerator& random);
// The same with the number of scallops given.
void DrawSpiralFlowerCircle(Canvas& surface, int size, int clientHeight, int scallops);
// A very pale ring of 20 scallops around a magenta spiral.
void DrawRingedFlowerCircle(Canvas& surface, int size, int clientHeight);

}  // namespace quillet
