#include "DrawnPicture.h"

#include <QPainter>
#include <QtMath>

#include <cmath>

namespace vitalog {

DrawnPicture::DrawnPicture(QSize size, QColor background, Painting painting)
    : m_size(size), m_background(background), m_painting(std::move(painting)) {}

void DrawnPicture::Paint(QPainter& painter, const QRectF& target) const {
    if (IsNull() || m_size.isEmpty())
        return;
    painter.save();
    // The target goes into the view transform, so that the painting starts with no world
    // transform of its own: PicturePen measures against that. The viewport is in logical
    // device pixels; the device pixel ratio still applies after it.
    const QRect viewport = painter.worldTransform().mapRect(target).toRect();
    painter.resetTransform();
    painter.setViewport(viewport);
    painter.setWindow(QRect(QPoint(0, 0), m_size));
    // The same start as on a fresh image, whatever the caller left set (a printed page draws
    // its text on an opaque background).
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QPen());
    painter.setBrush(Qt::NoBrush);
    painter.setFont(QFont());
    painter.setClipRect(QRect(QPoint(0, 0), m_size), Qt::IntersectClip);
    if (m_background.alpha() > 0)
        painter.fillRect(QRect(QPoint(0, 0), m_size), m_background);
    m_painting(painter);
    painter.restore();
}

QImage DrawnPicture::Render(qreal devicePixelRatio) const {
    if (IsNull())
        return {};
    const bool opaque = m_background.alpha() == 255;
    // Rounded up, so that a fractional ratio still covers the whole logical size.
    QImage image(qCeil(m_size.width() * devicePixelRatio),
                 qCeil(m_size.height() * devicePixelRatio),
                 opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(opaque ? m_background : QColor(Qt::transparent));
    QPainter painter(&image);
    Paint(painter, QRectF(QPointF(0, 0), m_size));
    return image;
}

QPen PicturePen(const QPainter& painter, const QColor& color, qreal width) {
    // The world transform's scale is how many picture pixels one unit of the painting covers.
    const qreal scale = std::sqrt(std::abs(painter.worldTransform().determinant()));
    return QPen(color, scale > 0 ? width / scale : width);
}

} // namespace vitalog
