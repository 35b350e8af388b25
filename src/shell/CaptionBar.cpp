#include "CaptionBar.h"

namespace vitalog {

CaptionBar::CaptionBar(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("captionBar"));
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPixelSize(16);
    captionFont.setWeight(QFont::Bold);
    setFont(captionFont);
    setContentsMargins(8, 3, 8, 3);
    setText(QStringLiteral("Current User: No User Selected"));
}

} // namespace vitalog
