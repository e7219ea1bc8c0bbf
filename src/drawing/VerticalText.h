#pragma once

#include <QPointF>
#include <QRawFont>
#include <QString>

#include <vector>

namespace quillet {

// One character of a line set in vertical type, in the frame of its column:
// y runs down the column from the top of the first cell, x across it, and the
// column spans x from -width to 0.
struct VerticalGlyph {
    quint32 glyph = 0;  // the face's glyph index, vertical form where it has one
    QPointF origin;     // where the glyph's own (horizontal) origin goes
    qreal top = 0;      // the top of its cell along the column
    qreal advance = 0;  // the face's vertical advance: the cell's length
};

// Lays `text` out down a column of the given width, as the vertical-writing
// variant of the face does: vertical glyph forms ('vert'), the advances and
// vertical origins of the face's vertical metrics (the full em where it has
// none), every character upright and centred across the column.
std::vector<VerticalGlyph> LayOutVertically(const QRawFont& font, const QString& text,
                                            qreal columnWidth);

}  // namespace quillet
