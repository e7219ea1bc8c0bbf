#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <string_view>

class QPagedPaintDevice;

namespace quillet::printing {

// What draws the pages on a device it is given; false when the device did
// not take them.
using PagePainter = std::function<bool(QPagedPaintDevice& device)>;

// The pages as the bytes of a PDF file: vector lines and text, the fonts
// embedded as subsets, `title` in its document information; empty when
// they could not be drawn. Made in memory, so that the file is written
// whole or not at all.
QByteArray PdfOf(const PagePainter& paint, const QString& title);

// Whether bytes begin as a PDF file does: for leftovers of an interrupted
// save of one, which its next save may remove.
bool LooksLikePdf(std::string_view bytes);

}  // namespace quillet::printing
