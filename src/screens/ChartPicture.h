#pragma once

#include <QImage>
#include <QWidget>

namespace vitalog {

// A classification chart: drawn whole from the left, aspect kept, as large as the room allows
// up to its own logical size; on a screen above 100 % its "@2x" file keeps it sharp.
class ChartPicture : public QWidget {
    Q_OBJECT
public:
    ChartPicture(const QString& path, QWidget* parent);

    QSize sizeHint() const override { return LogicalSize(); }
    QSize minimumSizeHint() const override { return LogicalSize() / 2; }
    bool hasHeightForWidth() const override { return !m_image.isNull(); }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QSize LogicalSize() const { return m_image.deviceIndependentSize().toSize(); }

    QImage m_image;
    QImage m_sharp;
};

} // namespace vitalog
