#pragma once

#include <QString>
#include <cstddef>
#include <memory>

#include "coaching/Advice.h"

class QPrinter;
class QWidget;

namespace quillet::coach {

// What the coach prints: the board it follows, and the advice it shows with
// the name and the explanation as it shows them (null while there is none),
// at the part (a proof's case) it shows.
struct CoachPrintout {
    coaching::CellTexts cells;
    std::shared_ptr<const coaching::Advice> advice;
    QString title;
    QString explanation;
    std::size_t part = 0;
};

// Opens the standard print dialog, which offers the printers and a PDF
// file, and its tab of the coach's own, where the person may ask for the
// step to be drawn on the board and explained beneath. Returns what the
// status line says of it: empty when the person cancels.
QString PrintFollowedBoard(QWidget* parent, const CoachPrintout& printout);

// Prints on the printer as the dialog has set it up: the board with its
// candidates for paper, or with `withStep` the board as the coach draws it
// with the step, its name above and its explanation below. A PDF file is
// written whole or not at all. Returns the status line's words.
QString PrintCoachPage(QPrinter& printer, const CoachPrintout& printout, bool withStep);

}  // namespace quillet::coach
