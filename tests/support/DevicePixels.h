#pragma once

#include <QImage>
#include <QWidget>
#include <QtMath>

namespace quillet::testing {

// The factor the windows are scaled by, from QT_SCALE_FACTOR (0 when unset).
inline double ScaleFactor() { return qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(); }

// What the widget paints, at the device resolution.
inline QImage Painted(QWidget* widget, double factor, QColor ground) {
    const QSize logical = widget->size();
    QImage image(qCeil(logical.width() * factor), qCeil(logical.height() * factor),
                 QImage::Format_ARGB32);
    image.setDevicePixelRatio(factor);
    image.fill(ground);
    widget->render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

}  // namespace quillet::testing
