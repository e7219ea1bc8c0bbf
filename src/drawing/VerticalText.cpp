#include "drawing/VerticalText.h"

#include <QByteArray>

#include <hb.h>

#include <memory>

namespace quillet {
namespace {

template <typename T, void (*Destroy)(T*)>
struct HbDeleter {
    void operator()(T* object) const { Destroy(object); }
};
using FacePtr = std::unique_ptr<hb_face_t, HbDeleter<hb_face_t, hb_face_destroy>>;
using FontPtr = std::unique_ptr<hb_font_t, HbDeleter<hb_font_t, hb_font_destroy>>;
using BufferPtr = std::unique_ptr<hb_buffer_t, HbDeleter<hb_buffer_t, hb_buffer_destroy>>;

// HarfBuzz reads the face's tables through Qt, which found the font file;
// each blob keeps its own copy of the bytes.
hb_blob_t* TableOf(hb_face_t*, hb_tag_t tag, void* rawFont) {
    const char name[5] = {static_cast<char>(tag >> 24), static_cast<char>(tag >> 16),
                          static_cast<char>(tag >> 8), static_cast<char>(tag), '\0'};
    auto* bytes = new QByteArray(static_cast<const QRawFont*>(rawFont)->fontTable(name));
    if (bytes->isEmpty()) {
        delete bytes;
        return nullptr;
    }
    return hb_blob_create(bytes->constData(), static_cast<unsigned>(bytes->size()),
                          HB_MEMORY_MODE_READONLY, bytes,
                          [](void* data) { delete static_cast<QByteArray*>(data); });
}

}  // namespace

std::vector<VerticalGlyph> LayOutVertically(const QRawFont& font, const QString& text,
                                            qreal columnWidth) {
    std::vector<VerticalGlyph> glyphs;
    if (!font.isValid() || text.isEmpty()) return glyphs;
    // The face is only used inside this call, while `font` lives.
    const FacePtr face(hb_face_create_for_tables(TableOf, const_cast<QRawFont*>(&font), nullptr));
    const unsigned unitsPerEm = hb_face_get_upem(face.get());
    const FontPtr hbFont(hb_font_create(face.get()));
    const BufferPtr buffer(hb_buffer_create());
    hb_buffer_add_utf16(buffer.get(), reinterpret_cast<const uint16_t*>(text.utf16()),
                        static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    // Top to bottom applies the vertical forms and takes the vertical metrics.
    hb_buffer_set_direction(buffer.get(), HB_DIRECTION_TTB);
    hb_buffer_guess_segment_properties(buffer.get());
    hb_shape(hbFont.get(), buffer.get(), nullptr, 0);

    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer.get(), &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer.get(), &count);
    // Font units to pixels; HarfBuzz counts y upward, the column downward.
    const qreal scale = font.pixelSize() / static_cast<qreal>(unitsPerEm ? unitsPerEm : 1);
    const qreal centre = -columnWidth / 2;
    qreal pen = 0;
    for (unsigned i = 0; i < count; ++i) {
        VerticalGlyph glyph;
        glyph.glyph = infos[i].codepoint;
        glyph.top = pen;
        glyph.advance = -positions[i].y_advance * scale;
        glyph.origin =
            QPointF(centre + positions[i].x_offset * scale, pen - positions[i].y_offset * scale);
        pen += glyph.advance;
        glyphs.push_back(glyph);
    }
    return glyphs;
}

}  // namespace quillet
