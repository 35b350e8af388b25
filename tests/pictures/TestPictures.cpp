#include "TestPictures.h"

#include <QImage>
#include <QImageWriter>

namespace vitalog::test {

bool WritePicture(const QString& path, QSize size, const QColor& color, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QImageWriter writer(path, format ? QByteArray(format) : QByteArray());
    return writer.write(image);
}

} // namespace vitalog::test
