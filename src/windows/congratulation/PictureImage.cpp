#include "windows/congratulation/PictureImage.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace quillet {
namespace {

QAccessibleInterface* MakePictureAccessible(const QString&, QObject* object) {
    auto* image = qobject_cast<PictureImage*>(object);
    return image ? new QAccessibleWidget(image, QAccessible::Graphic) : nullptr;
}

}  // namespace

PictureImage::PictureImage(QWidget* parent) : QWidget(parent) {
    // Assistive technology sees a picture, named by the window that draws it.
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(MakePictureAccessible);
        return true;
    }();
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
    update();
}

QImage PictureImage::PaintedImage() const {
    if (!canvas_) return {};
    const QImage& bitmap = canvas_->Image();
    return transparent_ ? WithTransparentColour(bitmap, TransparentKey(bitmap)) : bitmap;
}

void PictureImage::SetBackdrop(const QPixmap& backdrop) {
    backdrop_ = backdrop;
    update();
}

void PictureImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // On a high-density screen the 450 x 450 bitmap is scaled to the device:
    // unsmoothed, each of its pixels stays one block of its exact colour.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!backdrop_.isNull()) painter.drawPixmap(0, 0, backdrop_);
    if (canvas_) painter.drawImage(0, 0, PaintedImage());
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
