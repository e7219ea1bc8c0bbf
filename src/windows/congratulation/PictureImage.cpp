#include "windows/congratulation/PictureImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillet {

PictureImage::PictureImage(QWidget* parent) : QWidget(parent) {
    // Only the bitmap is ever painted; nothing erases the background first.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

PictureImage::~PictureImage() = default;

QImageCanvas& PictureImage::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<QImageCanvas>(kSurfaceSize, kSurfaceSize);
    return *canvas_;
}

void PictureImage::SetTransparent(bool transparent) {
    transparent_ = transparent;
    composedValid_ = false;
    update();
}

QImage PictureImage::PaintedImage() const {
    if (!canvas_) return {};
    const QImage& bitmap = canvas_->Image();
    return transparent_ ? WithTransparentColour(bitmap, TransparentKey(bitmap)) : bitmap;
}

void PictureImage::SetBackdrop(const QPixmap& backdrop) {
    backdrop_ = backdrop;
    composedValid_ = false;
    update();
}

// Any drawing on the bitmap changes its cache key, so a picture drawn after
// the last paint is composed afresh.
const QImage& PictureImage::Composed() {
    const qint64 canvasKey = canvas_ ? canvas_->Image().cacheKey() : 0;
    if (composedValid_ && canvasKey == composedCanvasKey_ &&
        backdrop_.cacheKey() == composedBackdropKey_)
        return composed_;
    const QSize pictureSize = canvas_ ? canvas_->Image().size() : QSize();
    const QSize size = backdrop_.size().expandedTo(pictureSize);
    const bool opaqueBackdrop =
        !backdrop_.isNull() && !backdrop_.hasAlphaChannel() && backdrop_.size() == size;
    if (opaqueBackdrop && transparent_ && canvas_) {
        // The usual case: one pass that keeps the backdrop under the
        // transparent colour, without an intermediate image.
        composed_ = backdrop_.toImage().convertToFormat(QImage::Format_RGB32);
        const QImage& bitmap = canvas_->Image();
        const QRgb key = TransparentKey(bitmap);
        for (int y = 0; y < bitmap.height(); ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
            auto* to = reinterpret_cast<QRgb*>(composed_.scanLine(y));
            for (int x = 0; x < bitmap.width(); ++x)
                if ((from[x] & RGB_MASK) != key) to[x] = from[x] | 0xFF000000u;
        }
    } else {
        const QImage picture = PaintedImage();
        composed_ = QImage(
            size, opaqueBackdrop ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        if (!opaqueBackdrop) composed_.fill(Qt::transparent);
        QPainter painter(&composed_);
        if (!backdrop_.isNull()) painter.drawPixmap(0, 0, backdrop_);
        if (!picture.isNull()) painter.drawImage(0, 0, picture);
    }
    composedCanvasKey_ = canvasKey;
    composedBackdropKey_ = backdrop_.cacheKey();
    composedValid_ = true;
    return composed_;
}

void PictureImage::paintEvent(QPaintEvent*) {
    const QImage& composed = Composed();
    if (composed.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, composed);
}

void PictureImage::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void PictureImage::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}

QImage WithTransparentColour(const QImage& image, QRgb key) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    key &= RGB_MASK;
    for (int y = 0; y < result.height(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((pixels[x] & RGB_MASK) == key) pixels[x] = 0;
    }
    return result;
}

QRgb TransparentKey(const QImage& image) {
    return image.isNull() ? 0 : image.pixel(0, image.height() - 1) & RGB_MASK;
}

}  // namespace quillet
