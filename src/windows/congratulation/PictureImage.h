#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <memory>

#include "drawing/QImageCanvas.h"

namespace quillet {

// The image control of the congratulation window: it owns the bitmap surface
// the picture is drawn on and paints itself from it, never drawing again.
class PictureImage : public QWidget {
    Q_OBJECT
public:
    explicit PictureImage(QWidget* parent = nullptr);
    ~PictureImage() override;

    // Created with the surface size on first use; lives as long as the image.
    QImageCanvas& Canvas();

    // From now on the pixels that have the colour of the bitmap's bottom-left
    // pixel are left out when the image paints.
    void SetTransparent(bool transparent);

    // What the image paints: the bitmap, its transparent pixels made fully
    // transparent while it is transparent.
    QImage PaintedImage() const;

    // What shows through the transparent pixels where the window system
    // cannot leave them out: a copy of the screen under the image.
    void SetBackdrop(const QPixmap& backdrop);
    const QPixmap& Backdrop() const { return backdrop_; }

signals:
    // A press and release of the left button on the image.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<QImageCanvas> canvas_;
    QPixmap backdrop_;
    bool transparent_ = false;
    bool pressed_ = false;
};

// The bitmap with every pixel of the key colour fully transparent.
QImage WithTransparentColour(const QImage& image, QRgb key);
// The bottom-left pixel, whose colour is the transparent one.
QRgb TransparentKey(const QImage& image);

}  // namespace quillet
