#include "ChartPicture.h"

#include "platform/SharpImage.h"

#include <QPainter>

#include <algorithm>

namespace vitalog {

ChartPicture::ChartPicture(const QString& path, QWidget* parent)
    : QWidget(parent), m_image(ReadSharpImage(path, 1)), m_sharp(ReadSharpImage(path, 2)) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int ChartPicture::heightForWidth(int width) const {
    if (m_image.isNull())
        return 0;
    const QSize logical = LogicalSize();
    return std::min(logical.height(), width * logical.height() / logical.width());
}

void ChartPicture::paintEvent(QPaintEvent*) {
    if (m_image.isNull())
        return;
    const QSize shown = LogicalSize().scaled(size(), Qt::KeepAspectRatio).boundedTo(LogicalSize());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), shown), devicePixelRatioF() > 1 ? m_sharp : m_image);
}

} // namespace vitalog
