#pragma once

#include <QRectF>
#include <QString>
#include <functional>

#include "printing/PrintedBoard.h"

class QPagedPaintDevice;
class QPainter;

namespace quillet::printing {

// The coach's page: the board it follows with its candidates, and when the
// person asks for it the step drawn on it under its name and explained
// beneath, on the paper the device is set to.
struct StepPage {
    PrintedBoard board;
    QString heading;      // the step's name; empty: none
    QString explanation;  // empty: none
    // Draws the board with the step into a square given in device units;
    // without it the board is drawn for paper.
    std::function<void(QPainter&, const QRectF&)> drawStep;
};

// A board as wide as the page allows, at most this wide (millimetres).
inline constexpr double kStepBoardSide = 150;

// The page, and more when the explanation runs past the first. False when
// the device did not take them.
bool PaintStepPage(QPagedPaintDevice& device, const StepPage& page);

}  // namespace quillet::printing
