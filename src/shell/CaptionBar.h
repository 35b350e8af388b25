#pragma once

#include <QLabel>

namespace vitalog {

// One line under the toolbar naming the current user.
class CaptionBar : public QLabel {
    Q_OBJECT
public:
    explicit CaptionBar(QWidget* parent = nullptr);
};

} // namespace vitalog
