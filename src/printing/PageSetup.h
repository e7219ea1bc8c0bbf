#pragma once

#include "printing/Paper.h"

class QPagedPaintDevice;
class QPaintDevice;

namespace quillet::printing {

// Puts the device on the paper, portrait, without margins of its own: the
// pages place everything from the paper's corner.
void SetUpPage(QPagedPaintDevice& device, Paper paper);

// The device's units in a millimetre.
double UnitsPerMm(const QPaintDevice& device);

}  // namespace quillet::printing
