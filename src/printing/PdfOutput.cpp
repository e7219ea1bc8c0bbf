#include "printing/PdfOutput.h"

#include <QBuffer>
#include <QPdfWriter>

namespace quillet::printing {

// Fine enough that no line or letter is placed off its place by more than
// a fiftieth of a millimetre.
constexpr int kPdfResolution = 1200;

QByteArray PdfOf(const PagePainter& paint, const QString& title) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Quillet"));
        if (!paint(writer)) return {};
    }
    return bytes;
}

bool LooksLikePdf(std::string_view bytes) { return bytes.starts_with("%PDF-"); }

}  // namespace quillet::printing
